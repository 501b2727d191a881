"""Shared set-up of the qorkit tests: offscreen Qt, the built module on the path."""

import os
import sys

import pytest

os.environ.setdefault('QT_QPA_PLATFORM', 'offscreen')
BUILT = os.environ.get('QORKIT_PYTHONPATH', os.path.join(
    os.path.dirname(__file__), '..', '..', 'build', 'python', 'lib'))
sys.path.insert(0, os.path.abspath(BUILT))

from PyQt6.QtWidgets import QApplication  # noqa: E402


@pytest.fixture(scope='session')
def app():
    return QApplication.instance() or QApplication(['qorkit-tests'])


@pytest.fixture
def window(app):
    from PyQt6.QtWidgets import QWidget
    w = QWidget()
    w.resize(640, 480)
    yield w
    w.close()
    w.deleteLater()
    app.processEvents()


@pytest.fixture
def hook_errors(monkeypatch):
    """Collects exceptions that reach sys.excepthook."""
    seen = []
    monkeypatch.setattr(sys, 'excepthook', lambda t, v, tb: seen.append(v))
    return seen
