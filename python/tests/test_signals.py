"""Qt signals of the components, connected as in any PyQt program and driven by QTest."""

import pytest
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


def test_marker_selector_mark_clicked_from_the_keyboard(window):
    sel = shown(window, qorkit.TMarkSel(window))
    marks = []
    sel.markClicked.connect(marks.append)
    QTest.keyClick(sel, Qt.Key.Key_Right)  # moves the highlight
    QTest.keyClick(sel, Qt.Key.Key_Space)  # chooses it
    assert len(marks) == 1 and marks[0] == sel.Selected()


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
    assert tree.SelectPath(str(tmp_path / 'a'))
    assert seen == [str(tmp_path / 'a') + '/']
    assert tree.Directory() == seen[0]


@pytest.mark.parametrize('cls, size, typed, expected', [
    ('TNumIO2', (240, 40), '-12.5', -12.5),
    ('TNumIO', (120, 24), '7', 7),
])
def test_numeric_fields_value_changed_by_typing(window, cls, size, typed, expected):
    field = shown(window, getattr(qorkit, cls)(window), *size)
    field.SetRangeLow(-100)
    field.SetRangeHigh(100)
    values = []
    field.valueChanged.connect(values.append)
    QTest.keyClick(field, Qt.Key.Key_A, Qt.KeyboardModifier.ControlModifier)
    QTest.keyClicks(field, typed)
    QTest.keyClick(field, Qt.Key.Key_Return)
    assert values and values[-1] == expected


def test_value_displays_report_new_values(window):
    for cls, value in ((qorkit.TNumLab, 4.5), (qorkit.TProgBar, 30.0), (qorkit.TMeter, 0.5)):
        w = cls(window)
        spy = QSignalSpy(w.valueChanged)
        w.SetValue(value)
        assert len(spy) == 1 and spy[0] == [value], cls.__name__


def test_calendar_date_changed_by_arrow_key(window):
    from PyQt6.QtCore import QDate
    cal = shown(window, qorkit.TMiniCal(window), 200, 160)
    cal.SetYear(2026)
    cal.SetMonth(12)
    cal.SetDay(8)
    dates = []
    cal.dateChanged.connect(dates.append)
    QTest.keyClick(cal, Qt.Key.Key_Right)
    assert dates == [QDate(2026, 12, 9)]


def test_colour_selector_color_changed(window):
    sel = shown(window, qorkit.TColSel(window), 160, 24)
    colours = []
    sel.colorChanged.connect(colours.append)
    QTest.keyClick(sel, Qt.Key.Key_Down)
    assert colours == [sel.SelColor()]


def test_report_list_selection_changed_by_click(window):
    lv = shown(window, qorkit.TReportListView(window), 300, 200)
    lv.SetNrCols(2)
    lv.LoadRows(1, [['a', '1'], ['b', '2'], ['c', '3']])
    spy = QSignalSpy(lv.selectionChanged)
    click(lv, 30, lv.ColumnHeadersHeight() + lv.CommonHeaderHeight() + 30)
    assert len(spy) >= 1


def test_meter_mouse_move_in_meter(window):
    meter = shown(window, qorkit.TMeter(window), 200, 200)
    moves = []
    meter.mouseMoveInMeter.connect(lambda within, value: moves.append((within, value)))
    QTest.mouseMove(meter, QPoint(100, 60))
    QTest.mouseMove(meter, QPoint(60, 80))
    assert moves and all(isinstance(v, float) for _, v in moves)


def test_repeat_button_repeats_while_held(window):
    but = shown(window, qorkit.TRepSpeedButton(window), 40, 40)
    but.SetStartClickInterval(30)
    but.SetRepeatClickInterval(20)
    spy = QSignalSpy(but.repeatClicked)
    QTest.mousePress(but, Qt.MouseButton.LeftButton, Qt.KeyboardModifier.NoModifier, QPoint(20, 20))
    QTest.qWait(200)
    QTest.mouseRelease(but, Qt.MouseButton.LeftButton, Qt.KeyboardModifier.NoModifier,
                       QPoint(20, 20))
    assert len(spy) >= 1


def test_gradient_fill_painted(window):
    grad = qorkit.TGradFill(window)
    spy = QSignalSpy(grad.painted)
    grad.grab()
    assert len(spy) >= 1


def test_data_containers_report_progress_to_a_connection_alone(app):
    d = qorkit.TRLData()
    d.SetNrCols(2)
    d.LoadRows(1, [[str(r % 97), 'x'] for r in range(5000)])
    steps = []
    d.percentDone.connect(steps.append)
    d.Sort(1, -1, True)
    assert steps and steps[-1] == 100
    t = qorkit.TDataTable()
    t.Resize(300, 300)
    steps.clear()
    t.percentDone.connect(steps.append)
    t.Clear()
    assert steps[0] == 0 and steps[-1] == 100
