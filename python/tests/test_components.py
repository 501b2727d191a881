"""Every component from Python: construction, ownership, a property, an event."""

import gc
import weakref

import pytest
from PyQt6 import sip
from PyQt6.QtCore import QObject, QPoint, Qt
from PyQt6.QtTest import QTest
from PyQt6.QtWidgets import QWidget

import qorkit

# Each component with one property (a published Qt property with its getter).
COMPONENTS = [
    ('TNumLab', 'Precision', 4),
    ('TNumIO2', 'LeftText', 'U ='),
    ('TNumIO', 'FixPointDecPlaces', 4),
    ('TSevenSeg', 'Caption', '12:34'),
    ('TRasterLab', 'AutoCenter', True),
    ('TRotLab', 'TextAngle', 45),
    ('TMeter', 'Caption', 'kPa'),
    ('TProgBar', 'Max', 250.0),
    ('TGradFill', 'ColorFlipped', True),
    ('TReportListView', 'NrOfColumns', 4),
    ('TMiniCal', 'AutoSwitch', False),
    ('TNTabEd', 'NrOfRows', 7),
    ('TOnOffBut', 'GroupIndex', 3),
    ('TRepSpeedButton', 'RepeatClickInterval', 80),
    ('TColSel', 'NumColors', 8),
    ('TMarkSel', 'NrOfColumns', 5),
    ('TThumbnails', 'AntiAlias', True),
    ('TFolderTree', 'OldTreeStyle', False),
]
DATA = ['TRLData', 'TDataTable', 'TNeedleLayout']


@pytest.mark.parametrize('name,prop,value', COMPONENTS)
def test_component_property_and_ownership(window, name, prop, value):
    w = getattr(qorkit, name)(window)
    assert w.parent() is window
    assert not sip.ispyowned(w)  # the parent owns it
    assert w.metaObject().className() == 'qor::' + name
    assert w.property(prop) != value
    assert w.setProperty(prop, value)
    assert w.property(prop) == value
    assert getattr(w, prop)() == value


@pytest.mark.parametrize('name', DATA)
def test_data_classes_belong_to_python_without_owner(app, name):
    d = getattr(qorkit, name)()
    assert sip.ispyowned(d)
    assert isinstance(d, QObject)


# A combo box reports clicks on its list, a tree its items: both have own tests.
CLICKABLE = [c[0] for c in COMPONENTS if c[0] not in ('TFolderTree', 'TColSel')]


def click_point(w):
    if isinstance(w, qorkit.TOnOffBut):  # only the glyph takes clicks
        return QPoint(w.LeftSpace() + 4, w.TopSpace() + 4)
    return QPoint(20, 20)


@pytest.mark.parametrize('name', CLICKABLE)
def test_click_event_gets_the_sender(window, name):
    w = getattr(qorkit, name)(window)
    w.setGeometry(10, 10, 200, 120)
    window.show()
    QTest.qWaitForWindowExposed(window)
    calls = []
    w.OnClick = lambda sender: calls.append(sender)
    assert w.OnClick is not None
    QTest.mouseClick(w, Qt.MouseButton.LeftButton, Qt.KeyboardModifier.NoModifier,
                     click_point(w))
    assert calls == [w]
    w.OnClick = None
    QTest.mouseClick(w, Qt.MouseButton.LeftButton, Qt.KeyboardModifier.NoModifier,
                     click_point(w))
    assert len(calls) == 1 and w.OnClick is None


def test_event_rejects_what_is_not_callable(window):
    w = qorkit.TNumLab(window)
    with pytest.raises(TypeError):
        w.OnClick = 42


def test_handler_is_released_with_its_widget(app):
    parent = QWidget()
    child = qorkit.TOnOffBut(parent)

    class Handler:
        def __call__(self, sender):
            pass

    h = Handler()
    ref = weakref.ref(h)
    child.OnClick = h
    del h
    gc.collect()
    assert ref() is not None  # the widget keeps it
    sip.delete(parent)         # deletes the child with it
    gc.collect()
    assert ref() is None


def test_unowned_widget_dies_with_its_python_object(app):
    w = qorkit.TProgBar()
    assert sip.ispyowned(w)
    gone = []
    w.destroyed.connect(lambda: gone.append(True))
    del w
    gc.collect()
    assert gone == [True]
