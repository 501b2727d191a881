"""A report list filled from Python rows in one call.

Run directly (PYTHONPATH=build/python/lib /usr/bin/python3 python/tests/test_bulk.py,
with QT_QPA_PLATFORM=offscreen when there is no display) it prints the time of
the 10^5 x 5 fill, to set beside bench/bench_rlbulk.cpp's BM_RLDataLoadRows.
"""

import time

import pytest

import qorkit

ROWS, COLS = 100000, 5


def make_rows(n):
    return [['%d %d' % (r, c) for c in range(COLS)] for r in range(n)]


def test_report_list_takes_100000_rows(window):
    lv = qorkit.TReportListView(window)
    lv.SetNrCols(COLS)
    changes = []
    lv.OnChange = lambda sender: changes.append(sender)
    assert lv.LoadRows(1, make_rows(ROWS)) == ROWS
    assert lv.NrOfRows() == ROWS
    assert lv.GetElem(1, 1) == '0 0'
    assert lv.GetElem(5, ROWS) == '%d 4' % (ROWS - 1)
    assert lv.Data().GetElem(3, 500) == '499 2'
    assert len(changes) <= 2  # one change for the whole fill, not one per cell


def test_texts_keep_every_character(app):
    d = qorkit.TRLData()
    d.SetNrCols(3)
    rows = [['latin é', 'ключ', 'clef 𝄞'], ['', 'only two']]
    assert d.LoadRows(0, rows) == 2
    assert [d.GetElem(c, 1) for c in (1, 2, 3)] == rows[0]
    assert d.GetElem(2, 2) == 'only two' and d.GetElem(3, 2) == ''


def test_bad_rows_raise_and_store_nothing(app):
    d = qorkit.TRLData()
    d.SetNrCols(2)
    with pytest.raises(TypeError, match='row 1, text 1'):
        d.LoadRows(1, [['a', 'b'], ['c', 3]])
    with pytest.raises(TypeError):
        d.LoadRows(1, 42)
    assert d.NrOfRows() == 0


def fill_seconds(repeat=5):
    from PyQt6.QtWidgets import QApplication
    QApplication.instance() or QApplication([])
    rows = make_rows(ROWS)
    wall, cpu = [], []
    for _ in range(repeat):
        d = qorkit.TRLData()
        d.SetNrCols(COLS)
        start, start_cpu = time.perf_counter(), time.process_time()
        d.LoadRows(1, rows)
        wall.append(time.perf_counter() - start)
        cpu.append(time.process_time() - start_cpu)
    return min(wall), min(cpu)


if __name__ == '__main__':
    wall, cpu = fill_seconds()
    print('LoadRows of %d x %d cells from Python: %.1f ms (CPU %.1f ms)'
          % (ROWS, COLS, wall * 1e3, cpu * 1e3))
