"""PyQt-builder project of the qorkit module.

The SIP description is generated from the public headers (tools/gen_sip.py)
into <qorkit-build>/python/sip, and the module links against the library of
that CMake build directory (libqorkit_rt.so, found at run time through RPATH).
"""

import os
import sys

from pyqtbuild import PyQtBindings, PyQtProject
from sipbuild import Option

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, 'tools'))
import gen_sip  # noqa: E402


class QorKitProject(PyQtProject):
    def __init__(self):
        super().__init__()
        self.bindings_factories = [QorKitBindings]

    def get_options(self):
        options = super().get_options()
        options.append(Option('qorkit_build', help="the CMake build directory of QorKit",
                              metavar="DIR", tools=['build', 'install', 'wheel']))
        return options

    def apply_user_defaults(self, tool):
        if self.qorkit_build is None:
            self.qorkit_build = os.path.join(os.path.dirname(HERE), 'build')
        self.qorkit_build = os.path.abspath(self.qorkit_build)
        super().apply_user_defaults(tool)
        import PyQt6
        self.sip_include_dirs += [os.path.join(os.path.dirname(PyQt6.__file__), 'bindings'),
                                  os.path.join(HERE, 'sip')]


class QorKitBindings(PyQtBindings):
    def __init__(self, project):
        super().__init__(project, 'qorkit')

    def apply_user_defaults(self, tool):
        root = os.path.dirname(HERE)
        build = self.project.qorkit_build
        self.sip_file = gen_sip.generate(root, build, os.path.join(build, 'python', 'sip'))
        self.include_dirs += [root, os.path.join(build, 'include')]
        self.library_dirs.append(build)
        self.libraries.append('qorkit_rt')
        self.builder_settings += ['CONFIG += c++2a', 'CONFIG -= c++17',
                                  'QMAKE_CXXFLAGS += -std=c++20',
                                  'QMAKE_RPATHDIR += ' + build]
        super().apply_user_defaults(tool)
