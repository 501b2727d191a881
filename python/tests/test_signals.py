"""Qt signals of the components, connected as in any PyQt program and driven by QTest."""

from PyQt6.QtCore import QPoint, Qt
from PyQt6.QtTest import QSignalSpy, QTest

import qorkit


def shown(window, w, width=240, height=160):
    w.setGeometry(10, 10, width, height)
    window.show()
    QTest.qWaitForWindowExposed(window)
    w.setFocus()
    return w


def click(w, x, y):
    QTest.mouseClick(w, Qt.MouseButton.LeftButton, Qt.KeyboardModifier.NoModifier, QPoint(x, y))


def test_on_off_button_toggled(window):
    but = shown(window, qorkit.TOnOffBut(window))
    seen = []
    but.toggled.connect(seen.append)
    before = but.OnOff()
    click(but, but.LeftSpace() + 4, but.TopSpace() + 4)
    assert seen == [not before]
    assert but.OnOff() == (not before)


def test_marker_selector_selected_changed(window):
    sel = shown(window, qorkit.TMarkSel(window))
    spy = QSignalSpy(sel.selectedChanged)
    QTest.keyClick(sel, Qt.Key.Key_Right)
    assert len(spy) == 1 and spy[0] == [sel.Selected()]


def test_table_editor_selection_changed(window):
    table = shown(window, qorkit.TNTabEd(window), 300, 200)
    table.SetNrOfColumns(3)
    table.SetNrOfRows(3)
    spy = QSignalSpy(table.selectionChanged)
    QTest.keyClick(table, Qt.Key.Key_Down)
    assert len(spy) >= 1


def test_calendar_changed(window):
    cal = shown(window, qorkit.TMiniCal(window))
    spy = QSignalSpy(cal.changed)
    QTest.keyClick(cal, Qt.Key.Key_Right)
    assert len(spy) == 1


def test_colour_selector_changed(window):
    sel = shown(window, qorkit.TColSel(window), 160, 24)
    spy = QSignalSpy(sel.changed)
    QTest.keyClick(sel, Qt.Key.Key_Down)
    assert len(spy) == 1


def test_folder_tree_dir_changed(window, tmp_path):
    (tmp_path / 'a').mkdir()
    tree = shown(window, qorkit.TFolderTree(window))
    tree.SetRootFolder(str(tmp_path))
    seen = []
    tree.dirChanged.connect(seen.append)
    tree.SetDirectory(str(tmp_path / 'a'))
    assert seen == [str(tmp_path / 'a')]
