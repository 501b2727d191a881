"""Events that hand values back, typed input, and errors raised in handlers."""

import pytest
from PyQt6.QtCore import Qt
from PyQt6.QtTest import QTest

import qorkit


def test_var_parameter_comes_back_as_the_return_value(window):
    lab = qorkit.TNumLab(window)
    lab.SetValue(3.5)
    seen = []

    def before(sender, text):
        seen.append((sender, text))
        return '<' + text + '>'

    lab.OnBeforeDisplay = before
    assert lab.DisplayedText() == '<3.50>'
    assert seen[-1] == (lab, '3.50')
    lab.OnBeforeDisplay = lambda sender, text: None  # None keeps the text
    assert lab.DisplayedText() == '3.50'


def test_several_var_parameters_come_back_as_a_tuple(window):
    lv = qorkit.TReportListView(window)
    lv.SetNrCols(2)
    lv.LoadRows(1, [['r%d' % r, str(r)] for r in range(1, 11)])
    asked = []

    def before_filter(sender, row, found, combine):
        asked.append((row, found, combine))
        return row % 2 == 0, qorkit.TLogicOp.loIgnore

    lv.OnBeforeFilter = before_filter
    found = lv.FilterAndSort('zzz', [1], True, qorkit.TReportListView.TFilterMode.fmSimple, 0,
                             True)
    assert found == 5
    assert asked[0] == (1, False, qorkit.TLogicOp.loOR)
    assert len(asked) == 10


def test_wrong_return_is_reported_and_leaves_the_values(window, hook_errors):
    lv = qorkit.TReportListView(window)
    lv.LoadRows(1, [['a'], ['b']])
    lv.OnBeforeFilter = lambda sender, row, found, combine: True  # not a tuple
    lv.FilterAndSort('a', [1], True, qorkit.TReportListView.TFilterMode.fmSimple, 0, True)
    assert hook_errors and all(isinstance(e, TypeError) for e in hook_errors)


def test_exception_in_a_handler_is_reported_not_fatal(window, hook_errors):
    bar = qorkit.TProgBar(window)
    bar.SetValue(10)

    def broken(sender, text):
        raise ValueError('broken handler')

    bar.OnShowValue = broken
    bar.grab()  # paints, so the event fires
    assert any(isinstance(e, ValueError) and str(e) == 'broken handler' for e in hook_errors)
    bar.SetValue(20)  # the widget goes on working
    assert bar.Value() == 20


def test_typed_input_changes_the_field(window):
    field = qorkit.TNumIO2(window)
    field.SetRangeLow(0)
    field.SetRangeHigh(100)
    window.show()
    field.setFocus()
    changes = []
    field.OnChange = lambda sender: changes.append(sender.Value())
    QTest.keyClick(field, Qt.Key.Key_A, Qt.KeyboardModifier.ControlModifier)
    QTest.keyClicks(field, '42')
    QTest.keyClick(field, Qt.Key.Key_Return)
    assert field.Value() == 42
    assert changes and changes[-1] == 42


def test_cpp_exception_becomes_a_python_error(app):
    d = qorkit.TRLData()
    with pytest.raises(qorkit.QorError, match='cannot hold'):
        d.SetNrRows(2**31 - 1)
    assert d.NrOfRows() == 0


def test_colour_selector_follows_the_keys(window):
    sel = qorkit.TColSel(window)
    window.show()
    sel.setFocus()
    changes = []
    sel.OnChange = lambda sender: changes.append(sender.SelColor())
    QTest.keyClick(sel, Qt.Key.Key_Down)
    assert changes == [sel.SelColor()]
    assert sel.SelColor() != 0
