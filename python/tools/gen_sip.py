#!/usr/bin/python3
"""Writes the SIP description of the qorkit Python module from the public headers.

The headers are parsed with libclang (Debian: python3-clang-14). Bound are the
components the component registry lists, the data classes below, every QorKit
class on their base chains, and the enumerations of namespace qor. Of each
class the generator takes
  - public constructors (the owner argument transfers ownership to the parent),
  - public methods whose types Python can carry (bool, integers, double,
    QString and the other Qt value types PyQt knows, enumerations, QorKit and Qt
    object pointers); what it cannot carry is listed in a comment of the output,
  - Qt signals,
  - the reimplemented Qt virtuals, so that the Python-side subclass calls the
    component's own handlers,
  - event fields (public std::function members) as Python attributes taking a
    callable (see python/README.md for the rule).
A class may add hand-written SIP in python/sip/<Class>.sip (inserted in its body).

Usage: gen_sip.py <source root> <CMake build dir> <output dir>
"""

import glob
import os
import re
import sys

sys.path.insert(0, '/usr/lib/python3/dist-packages')
import clang.cindex as ci  # noqa: E402

CK = ci.CursorKind
TK = ci.TypeKind

DATA_CLASSES = ['TRLData', 'TDataTable', 'TNeedleLayout']
UNITS = ['host', 'foundation', 'numio', 'replist', 'ntabed', 'gauges', 'displays', 'buttons',
         'calendar', 'browsing', 'decoration']
QT_INCLUDE = '/usr/include/x86_64-linux-gnu/qt6'

# Qt value classes PyQt6 converts (by value or const reference).
# Qt classes PyQt6 does not wrap: what uses them stays on the C++ side.
NOT_IN_PYQT = ('QAccessible',)

QT_VALUES = {'QString', 'QColor', 'QFont', 'QDate', 'QDateTime', 'QTime', 'QPoint', 'QPointF',
             'QRect', 'QRectF', 'QSize', 'QSizeF', 'QPixmap', 'QImage', 'QIcon', 'QByteArray',
             'QVariant', 'QPalette', 'QCursor', 'QKeySequence', 'QMargins', 'QUrl', 'QLocale',
             'QPen', 'QBrush', 'QRegion', 'QPolygon'}
QT_LISTS = {'QList<QString>': 'QStringList', 'QList<int>': 'QList<int>',
            'QList<double>': 'QList<qreal>'}
INTEGERS = {TK.INT, TK.SHORT, TK.USHORT, TK.UCHAR, TK.LONG}
# Virtuals that Q_OBJECT and PyQt handle themselves.
SKIP_VIRTUALS = {'metaObject', 'qt_metacast', 'qt_metacall', 'devType', 'initPainter',
                 'redirected', 'sharedPainter', 'metric', 'setVisible', 'paintEngine'}


class Unmappable(Exception):
    pass


class Generator:
    def __init__(self, root, build):
        self.root = root
        self.build = build
        self.classes = {}        # qualified C++ name -> cursor
        self.enums = {}          # qualified C++ name -> cursor (namespace-level)
        self.constants = {}      # name -> (SIP type, header) of namespace qor's constants
        self.qt_virtuals = set()
        self.skipped = {}        # class -> list of lines
        self.signal_typedefs = {}  # typedef name as signals spell it -> SIP type

    # ---- parsing

    def parse(self):
        headers = []
        for unit in UNITS:
            headers += sorted(h for h in glob.glob(os.path.join(self.root, unit, 'qor_*.h'))
                              if not h.endswith('_p.h'))
        src = ''.join('#include "%s"\n' % os.path.relpath(h, self.root) for h in headers)
        args = ['-x', 'c++', '-std=c++20', '-fPIC', '-I' + self.root,
                '-I' + os.path.join(self.build, 'include'), '-I' + QT_INCLUDE]
        args += ['-I%s/%s' % (QT_INCLUDE, m) for m in ('QtCore', 'QtGui', 'QtWidgets')]
        # Makes "signals:" visible to the parser, as it is to Qt's own tools.
        args.append('-DQT_ANNOTATE_ACCESS_SPECIFIER(x)=__attribute__((annotate(#x)))')
        resdir = glob.glob('/usr/lib/llvm-14/lib/clang/*/include')
        if resdir:
            args += ['-isystem', resdir[0]]
        ci.Config.set_library_file('/usr/lib/llvm-14/lib/libclang.so.1')
        tu = ci.Index.create().parse(
            os.path.join(self.root, 'qorkit_bindings.cpp'), args,
            unsaved_files=[(os.path.join(self.root, 'qorkit_bindings.cpp'), src)],
            options=ci.TranslationUnit.PARSE_SKIP_FUNCTION_BODIES)
        errors = [d for d in tu.diagnostics if d.severity >= ci.Diagnostic.Error]
        if errors:
            raise SystemExit('gen_sip: the headers do not parse:\n' +
                             '\n'.join(str(d) for d in errors[:10]))
        self.walk(tu.cursor, '')

    def walk(self, cursor, scope):
        for c in cursor.get_children():
            file = c.location.file.name if c.location.file else ''
            if c.kind == CK.NAMESPACE:
                self.walk(c, scope + c.spelling + '::')
            elif c.kind in (CK.CLASS_DECL, CK.STRUCT_DECL) and c.is_definition():
                if file.startswith(QT_INCLUDE):
                    for m in c.get_children():
                        if m.kind == CK.CXX_METHOD and m.is_virtual_method():
                            self.qt_virtuals.add(m.spelling)
                elif scope.startswith('qor::'):
                    self.classes[scope + c.spelling] = c
            elif c.kind == CK.VAR_DECL and scope == 'qor::' and c.type.is_const_qualified():
                kind = {TK.UINT: 'unsigned int', TK.INT: 'int', TK.DOUBLE: 'double'}.get(
                    c.type.get_canonical().kind)
                if kind:
                    self.constants[c.spelling] = (kind, os.path.relpath(file, self.root))
            elif c.kind == CK.ENUM_DECL and c.is_definition() and scope.startswith('qor::') \
                    and c.spelling:
                self.enums[scope + c.spelling] = c

    # ---- what is bound

    def base_of(self, cls):
        for b in cls.get_children():
            if b.kind == CK.CXX_BASE_SPECIFIER and b.access_specifier == ci.AccessSpecifier.PUBLIC:
                return b.type.get_canonical().spelling
        return None

    def select(self, components):
        wanted = {n.split('::')[-1] for n in components} | set(DATA_CLASSES)
        self.constructible = [q for q in self.classes if q.split('::')[-1] in wanted
                              and q.count('::') == 1]
        missing = wanted - {q.split('::')[-1] for q in self.constructible}
        if missing:
            raise SystemExit('gen_sip: classes not found: ' + ', '.join(sorted(missing)))
        bound = []
        for q in self.constructible:
            chain = []
            while q in self.classes and q not in bound:
                chain.append(q)
                q = self.base_of(self.classes[q])
            bound = bound + [c for c in reversed(chain) if c not in bound]
        self.bound = bound
        self.bound_short = {q.split('::')[-1] for q in bound}

    # ---- types

    def enum_name(self, t):
        decl = t.get_declaration()
        parts = []
        c = decl
        while c is not None and c.kind != CK.TRANSLATION_UNIT:
            parts.append(c.spelling)
            c = c.semantic_parent
        q = '::'.join(reversed(parts))
        if q.startswith('qor::'):
            outer = '::'.join(q.split('::')[:-1])
            if outer in self.classes and outer not in self.bound:
                raise Unmappable(q)
            if outer not in self.classes and q not in self.enums:
                raise Unmappable(q)
            return q
        if (q.startswith('Qt::') or q.startswith('Q')) and not q.startswith(NOT_IN_PYQT):
            return q
        raise Unmappable(q)

    def record_name(self, t):
        return re.sub(r'^(const )?', '', t.get_canonical().spelling)

    def value_type(self, t):
        """SIP spelling of a type passed by value or const reference."""
        t = t.get_canonical()
        k = t.kind
        if k == TK.BOOL:
            return 'bool'
        if k in INTEGERS:
            return 'int'
        if k == TK.UINT or k == TK.ULONG:
            return 'unsigned int'
        if k == TK.LONGLONG:
            return 'qint64'
        if k == TK.DOUBLE:
            return 'double'
        if k == TK.FLOAT:
            return 'float'
        if k == TK.ENUM:
            return self.enum_name(t)
        if k == TK.RECORD:
            name = self.record_name(t)
            if name in QT_VALUES:
                return name
            if name in QT_LISTS:
                return QT_LISTS[name]
        raise Unmappable(t.spelling)

    def object_type(self, t):
        """SIP spelling of a class an object pointer or reference names."""
        t = t.get_canonical()
        if t.kind != TK.RECORD:
            raise Unmappable(t.spelling)
        name = self.record_name(t)
        if name in self.bound:
            return name
        if re.fullmatch(r'Q[A-Za-z]+', name) and name not in QT_VALUES and not name.startswith(NOT_IN_PYQT):
            return name
        raise Unmappable(t.spelling)

    def param_type(self, t):
        k = t.kind
        if k == TK.POINTER:
            p = t.get_pointee()
            return ('const ' if p.is_const_qualified() else '') + self.object_type(p) + '*'
        if k == TK.LVALUEREFERENCE:
            p = t.get_pointee()
            if p.is_const_qualified():
                try:
                    v = self.value_type(p)
                except Unmappable:
                    return 'const %s&' % self.object_type(p)
                return 'const %s&' % v if v in QT_VALUES or v in QT_LISTS.values() else v
            return self.object_type(p) + '&'
        return self.value_type(t)

    def result_type(self, t):
        if t.kind == TK.VOID:
            return 'void'
        if t.kind == TK.LVALUEREFERENCE and not t.get_pointee().is_const_qualified():
            return self.object_type(t.get_pointee()) + '&'
        if t.kind == TK.LVALUEREFERENCE:
            return self.value_type(t.get_pointee())
        return self.param_type(t)

    # ---- default arguments

    def default(self, param):
        tokens = [t.spelling for t in param.get_tokens()]
        if '=' not in tokens:
            return None
        expr = tokens[tokens.index('=') + 1:]
        text = ''.join(expr)
        if text in ('nullptr', 'NULL', '0'):
            return '0' if param.type.kind == TK.POINTER or text == '0' else None
        if re.fullmatch(r'-?[0-9.]+[fFuUlL]*|true|false', text):
            return text.rstrip('fFuUlL') if '.' not in text else text.rstrip('fF')
        if re.fullmatch(r'"[^"]*"', text):
            return text
        if re.fullmatch(r'[A-Za-z_][A-Za-z0-9_:]*', text):
            for ch in param.walk_preorder():
                if ch.kind == CK.DECL_REF_EXPR and ch.referenced is not None \
                        and ch.referenced.kind == CK.ENUM_CONSTANT_DECL:
                    enum = ch.referenced.semantic_parent
                    scope = self.enum_name(enum.type)
                    return '%s::%s' % (scope.rsplit('::', 1)[0], ch.referenced.spelling)
        if re.fullmatch(r'Q[A-Za-z]+\(\)|\{\}', text):
            return self.value_type(param.type.get_pointee() if param.type.kind ==
                                   TK.LVALUEREFERENCE else param.type) + '()'
        return None

    # ---- emission

    def signal_type(self, p):
        """A signal's argument keeps the typedef as it is written (TColor), so that
        the signature PyQt looks up is the one moc recorded."""
        t = p.type
        if t.kind in (TK.TYPEDEF, TK.ELABORATED) and t.get_canonical().kind in \
                INTEGERS | {TK.UINT, TK.ULONG, TK.BOOL, TK.DOUBLE}:
            name = ''.join(k.spelling for k in p.get_tokens()
                           if k.spelling not in (p.spelling, 'const'))
            self.signal_typedefs[name] = self.value_type(t)
            return name
        return self.param_type(t)

    def arglist(self, method, first_owner=False, signal=False):
        out = []
        for i, p in enumerate(method.get_arguments()):
            t = self.signal_type(p) if signal else self.param_type(p.type)
            anno = ''
            if first_owner and i == 0 and t in ('QWidget*', 'QObject*'):
                anno = ' /TransferThis/'
            name = p.spelling or 'a%d' % i
            d = self.default(p)
            out.append('%s %s%s%s' % (t, name, anno, ' = ' + d if d else ''))
        return ', '.join(out)

    def python_signature(self, name, method):
        kinds = []
        for p in method.get_arguments():
            t = re.sub(r'^const |&$|\*$', '', self.param_type(p.type))
            kinds.append('int' if t in ('bool', 'int', 'unsigned int', 'qint64') else t)
        return (name, tuple(kinds), self.is_signal(method))

    def is_signal(self, m):
        return any(ch.kind == CK.ANNOTATE_ATTR and ch.spelling == 'qt_signal'
                   for ch in m.get_children())

    def emit_class(self, q, out):
        cls = self.classes[q]
        short = q.split('::')[-1]
        skipped = self.skipped.setdefault(q, [])
        base = self.base_of(cls)
        header = os.path.relpath(cls.location.file.name, self.root)
        out.append('class %s%s%s\n{\n%%TypeHeaderCode\n#include "%s"\n%%End\n\npublic:' % (
            short, ' : ' + base if base else '',
            '' if q in self.constructible else ' /NoDefaultCtors/', header))
        members = list(cls.get_children())
        for e in members:
            if e.kind == CK.ENUM_DECL and e.is_definition() and e.spelling and \
                    e.access_specifier == ci.AccessSpecifier.PUBLIC:
                self.emit_enum(e, out, '    ')
        seen = set()
        signals, protected = [], []
        for m in members:
            access = m.access_specifier
            if m.kind == CK.CONSTRUCTOR and q in self.constructible and \
                    access == ci.AccessSpecifier.PUBLIC:
                if m.is_copy_constructor() or m.is_move_constructor():
                    continue
                try:
                    out.append('    %s%s(%s) throw(std::exception);' % (
                        'explicit ' if 'explicit' in [t.spelling for t in m.get_tokens()][:2]
                        else '', short, self.arglist(m, True)))
                except Unmappable as e:
                    skipped.append('constructor: %s' % e)
            elif m.kind == CK.CXX_METHOD:
                name = m.spelling
                if name.startswith('operator') or name.startswith('qt_') or name == 'tr':
                    continue
                virtual_qt = m.is_virtual_method() and name in self.qt_virtuals
                if virtual_qt and name in SKIP_VIRTUALS:
                    continue
                if access == ci.AccessSpecifier.PRIVATE or \
                        (access == ci.AccessSpecifier.PROTECTED and not virtual_qt):
                    continue
                try:
                    decl = '%s %s(%s)%s' % (self.result_type(m.result_type), name,
                                            self.arglist(m), ' const' if m.is_const_method()
                                            else '')
                except Unmappable as e:
                    skipped.append('%s(): %s' % (name, e))
                    continue
                key = self.python_signature(name, m)
                if key in seen:
                    skipped.append('%s(): an overload Python cannot tell apart' % name)
                    continue
                seen.add(key)
                if self.is_signal(m):
                    signals.append('    void %s(%s);' % (name, self.arglist(m, signal=True)))
                elif access == ci.AccessSpecifier.PROTECTED:
                    protected.append('    virtual %s;' % decl)
                else:
                    out.append('    %s%s%s%s;' % ('static ' if m.is_static_method() else '',
                                                  'virtual ' if virtual_qt else '', decl,
                                                  '' if virtual_qt else ' throw(std::exception)'))
            elif m.kind == CK.FIELD_DECL and access == ci.AccessSpecifier.PUBLIC:
                t = m.type.get_canonical()
                if t.spelling.startswith('std::function<'):
                    try:
                        out.append(self.event(q, m))
                    except Unmappable as e:
                        skipped.append('event %s: %s' % (m.spelling, e))
        extra = os.path.join(self.root, 'python', 'sip', short + '.sip')
        if os.path.exists(extra):
            with open(extra) as f:
                out.append(f.read().rstrip('\n'))
        if signals:
            out.append('\nsignals:')
            out += signals
        if protected:
            out.append('\nprotected:')
            out += protected
        out.append('\nprivate:\n    %s(const %s&);\n};\n' % (short, short))

    def emit_enum(self, e, out, indent):
        out.append('%senum %s\n%s{' % (indent, e.spelling, indent))
        for v in e.get_children():
            if v.kind == CK.ENUM_CONSTANT_DECL:
                out.append('%s    %s = %d,' % (indent, v.spelling, v.enum_value))
        out.append('%s};' % indent)

    # ---- events

    def to_python(self, t, expr):
        """C++ expression of a new reference for the value expr of type t."""
        c = t.get_canonical()
        if c.kind == TK.LVALUEREFERENCE:
            c = c.get_pointee().get_canonical()
        k = c.kind
        if k == TK.BOOL:
            return 'PyBool_FromLong(%s)' % expr
        if k in INTEGERS or k == TK.LONGLONG:
            return 'PyLong_FromLongLong((long long)%s)' % expr
        if k in (TK.UINT, TK.ULONG):
            return 'PyLong_FromUnsignedLongLong((unsigned long long)%s)' % expr
        if k in (TK.DOUBLE, TK.FLOAT):
            return 'PyFloat_FromDouble(%s)' % expr
        if k == TK.ENUM:
            return 'sipConvertFromEnum((int)%s, sipType_%s)' % (
                expr, self.enum_name(c).replace('::', '_'))
        if k == TK.POINTER:
            p = c.get_pointee()
            name = self.object_type(p)
            return 'sipConvertFromType((void*)%s, sipType_%s, nullptr)' % (
                expr, name.replace('::', '_'))
        if k == TK.RECORD:
            name = self.record_name(c)
            if name == 'QChar':
                return 'PyUnicode_FromOrdinal(%s.unicode())' % expr
            if name in QT_VALUES:
                return 'sipConvertFromNewType(new %s(%s), sipType_%s, nullptr)' % (
                    name, expr, name)
        raise Unmappable(t.spelling)

    def from_python(self, t, obj, target):
        """C++ statements storing Python object obj into the reference target."""
        c = t.get_pointee().get_canonical()
        k = c.kind
        if k == TK.BOOL:
            return '%s = PyObject_IsTrue(%s) == 1;' % (target, obj)
        if k in INTEGERS or k in (TK.UINT, TK.ULONG, TK.LONGLONG):
            return ('{ const long long V = PyLong_AsLongLong(%s); if (!PyErr_Occurred()) '
                    '%s = (%s)V; }' % (obj, target, c.spelling))
        if k in (TK.DOUBLE, TK.FLOAT):
            return ('{ const double V = PyFloat_AsDouble(%s); if (!PyErr_Occurred()) '
                    '%s = V; }' % (obj, target))
        if k == TK.ENUM:
            return ('{ const int V = sipConvertToEnum(%s, sipType_%s); if (!PyErr_Occurred()) '
                    '%s = (%s)V; }' % (obj, self.enum_name(c).replace('::', '_'), target,
                                       self.enum_name(c)))
        if k == TK.RECORD:
            name = self.record_name(c)
            if name == 'QChar':
                return ('if (PyUnicode_Check(%s) && PyUnicode_GetLength(%s) == 1) '
                        '%s = QChar(char16_t(PyUnicode_ReadChar(%s, 0))); '
                        'else PyErr_SetString(PyExc_TypeError, "a character is expected");'
                        % (obj, obj, target, obj))
            if name in QT_VALUES:
                return ('{ int St, Err = 0; auto* P = reinterpret_cast<%s*>(sipForceConvertToType('
                        '%s, sipType_%s, nullptr, SIP_NOT_NONE, &St, &Err)); if (!Err) { '
                        '%s = *P; sipReleaseType(P, sipType_%s, St); } }'
                        % (name, obj, name, target, name))
        raise Unmappable(t.spelling)

    def event(self, q, field):
        fn = field.type.get_canonical().get_template_argument_type(0)
        params = list(fn.argument_types())
        decl = []
        args = []
        outs = []
        for i, p in enumerate(params):
            c = p.get_canonical()
            decl.append('%s A%d' % (c.spelling, i))
            if c.kind == TK.LVALUEREFERENCE and not c.get_pointee().is_const_qualified():
                outs.append((i, p))
            args.append(self.to_python(c, 'A%d' % i))
        store = []
        for n, (i, p) in enumerate(outs):
            item = 'R' if len(outs) == 1 else 'PyTuple_GetItem(R, %d)' % n
            store.append('            if (%s != Py_None) { %s }' % (
                item, self.from_python(p.get_canonical(), item, 'A%d' % i)))
        check = ''
        if len(outs) > 1:
            check = ('            if (R != Py_None && (!PyTuple_Check(R) || PyTuple_Size(R) != %d))'
                     ' { PyErr_SetString(PyExc_TypeError, "%s must return None or a tuple of'
                     ' %d values"); qorpy::ReportError(); return; }\n' % (
                         len(outs), field.spelling, len(outs)))
        body = ('        [](PyObject* Callable%s) {\n'
                '            PyObject* R = qorpy::Call(Callable, %d%s);\n'
                '            if (!R) return;\n%s%s\n'
                '            Py_DECREF(R);\n'
                '            if (PyErr_Occurred()) qorpy::ReportError();\n'
                '        }' % (''.join(', ' + d for d in decl), len(args),
                               ''.join(', ' + a for a in args), check, '\n'.join(store)))
        member = '%s::%s' % (q, field.spelling)
        return ('    SIP_PYOBJECT %(name)s {\n%%GetCode\n'
                '        sipPy = qorpy::Callable<decltype(%(member)s)>(sipCpp->%(name)s);\n'
                '%%End\n%%SetCode\n'
                '        using THandler = qorpy::THandlerFor<decltype(%(member)s)>;\n'
                '        if (sipPy == Py_None) {\n'
                '            sipCpp->%(name)s = nullptr;\n'
                '        } else if (!PyCallable_Check(sipPy)) {\n'
                '            PyErr_SetString(PyExc_TypeError, "%(name)s takes a callable or None");\n'
                '            sipErr = 1;\n'
                '        } else {\n'
                '            sipCpp->%(name)s = THandler(sipPy,\n%(body)s);\n'
                '        }\n%%End\n    };' % {'name': field.spelling, 'member': member,
                                              'body': body})

    # ---- the module

    def write(self, outdir):
        out = ['// Generated by python/tools/gen_sip.py from the public headers; do not edit.',
               '%Module(name=qorkit, keyword_arguments="Optional", use_argument_names=True)',
               '{\n%Docstring\nQorKit components for PyQt6 programs.\n\n'
               'Events: assign a callable (or None) to an event attribute, e.g.\n'
               '"w.OnChange = handler". It receives the event\'s parameters, Sender as the\n'
               'Python object. Where the event lets the handler change parameters, the\n'
               'callable returns their new values: None leaves them, one value for one such\n'
               'parameter, a tuple (None entries kept) for several. An exception in a handler\n'
               'is printed through sys.excepthook; the program goes on.\n%End\n};',
               '%Import QtWidgets/QtWidgetsmod.sip',
               '%Include qorkit_support.sip',
               '%HideNamespace(name=qor)', '%HideNamespace(name=qor::host)', '']
        headers = sorted({os.path.relpath(e.location.file.name, self.root)
                          for q, e in self.enums.items() if q.count('::') == 1} |
                         {h for _, h in self.constants.values()})
        alias_at = len(out)
        out.append('namespace qor\n{\n%%TypeHeaderCode\n%s\n%%End\n' % '\n'.join(
            '#include "%s"' % h for h in headers))
        for q, e in sorted(self.enums.items()):
            if q.count('::') == 1:
                self.emit_enum(e, out, '')
        for name, (kind, _) in sorted(self.constants.items()):
            out.append('const %s %s;' % (kind, name))
        host = [q for q in self.bound if q.startswith('qor::host::')]
        if host:
            out.append('namespace host\n{\n%TypeHeaderCode\n#include "host/qor_control.h"\n%End\n')
            for q, e in sorted(self.enums.items()):
                if q.startswith('qor::host::') and q.count('::') == 2:
                    self.emit_enum(e, out, '')
            for q in host:
                self.emit_class(q, out)
            out.append('};\n')
        for q in self.bound:
            if not q.startswith('qor::host::'):
                self.emit_class(q, out)
        out.append('};\n')
        # Typedef names as the signals spell them (unqualified, seen from namespace qor).
        aliases = sorted(n for n in self.signal_typedefs if '::' not in n)
        if aliases:
            out[alias_at:alias_at] = ['%%ModuleHeaderCode\n#include "host/qor_types.h"\n%s\n%%End'
                                      % '\n'.join('using %s = ::qor::%s;' % (n, n)
                                                   for n in aliases)] + \
                ['typedef %s %s;' % (self.signal_typedefs[n], n) for n in aliases] + ['']
        out.append('// Not bound (types Python cannot carry yet):')
        for q, items in self.skipped.items():
            for item in items:
                out.append('//   %s.%s' % (q, item))
        os.makedirs(outdir, exist_ok=True)
        path = os.path.join(outdir, 'qorkit.sip')
        text = '\n'.join(out) + '\n'
        if not os.path.exists(path) or open(path).read() != text:
            with open(path, 'w') as f:
                f.write(text)
        return path


def registered_components(root):
    text = open(os.path.join(root, 'tests', 'components', 'component_registry.cpp')).read()
    return re.findall(r'Entry<(\w+)>', text)


def generate(root, build, outdir):
    g = Generator(root, build)
    g.parse()
    g.select(registered_components(root))
    return g.write(outdir)


if __name__ == '__main__':
    if len(sys.argv) != 4:
        raise SystemExit(__doc__)
    print(generate(*sys.argv[1:]))
