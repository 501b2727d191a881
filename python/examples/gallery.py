#!/usr/bin/python3
"""Every QorKit component on one page, built from Python.

With a display the page opens as a window; without one (or with
QT_QPA_PLATFORM=offscreen) it is written as a PNG (default: qorkit_gallery.png,
or the path given as the first argument).

    ./qorkit python
    PYTHONPATH=build/python/lib /usr/bin/python3 python/examples/gallery.py
"""

import os
import sys

if not (os.environ.get('DISPLAY') or os.environ.get('WAYLAND_DISPLAY')):
    os.environ.setdefault('QT_QPA_PLATFORM', 'offscreen')

from PyQt6.QtCore import Qt
from PyQt6.QtWidgets import QApplication, QGridLayout, QLabel, QVBoxLayout, QWidget

import qorkit


def titled(title, widget):
    box = QWidget()
    column = QVBoxLayout(box)
    column.setContentsMargins(4, 4, 4, 4)
    column.addWidget(QLabel(title))
    # Each component at its size hint (its documented size) unless the page set one.
    if not widget.testAttribute(Qt.WidgetAttribute.WA_Resized):
        widget.resize(widget.sizeHint())
    widget.setFixedSize(widget.size())
    column.addWidget(widget)
    column.addStretch(1)
    return box


def components():
    lab = qorkit.TNumLab()
    lab.SetLeftText('U')
    lab.SetRightText('V')
    lab.SetValue(12.5)

    field = qorkit.TNumIO2()
    field.SetLeftText('Gain')
    field.SetRangeLow(-100)
    field.SetRangeHigh(100)
    field.SetValue(42.25)

    edit = qorkit.TNumIO()
    edit.SetRangeLow(0)
    edit.SetRangeHigh(10)
    edit.SetText('3.14159')

    seg = qorkit.TSevenSeg()
    seg.SetNumDigits(6)
    seg.SetCaption('-12.34')

    raster = qorkit.TRasterLab()
    raster.SetWidth(260)
    raster.SetText('QorKit')

    rot = qorkit.TRotLab()
    rot.SetCaption('30 degrees')
    rot.SetTextAngle(30)

    meter = qorkit.TMeter()
    meter.SetCaption('kPa')
    meter.SetMeterMaxValue(100)
    meter.SetValue(65)

    bar = qorkit.TProgBar()
    bar.SetValue(70)

    grad = qorkit.TGradFill()
    grad.SetColorFirst(qorkit.clNavy)
    grad.SetColorLast(qorkit.clAqua)

    replist = qorkit.TReportListView()
    replist.SetNrCols(3)
    replist.LoadRows(1, [['Probe %d' % r, '%.2f' % (r * 1.25), 'ok' if r % 3 else 'check']
                         for r in range(1, 21)])
    replist.resize(300, 160)

    cal = qorkit.TMiniCal()
    cal.SetYear(2026)
    cal.SetMonth(12)
    cal.SetDay(8)

    table = qorkit.TNTabEd()
    table.SetNrOfColumns(3)
    table.SetNrOfRows(6)
    table.resize(280, 160)

    onoff = qorkit.TOnOffBut()
    onoff.SetOnOff(True)

    rep = qorkit.TRepSpeedButton()
    rep.SetCaption('+')

    colsel = qorkit.TColSel()

    marks = qorkit.TMarkSel()

    thumbs = qorkit.TThumbnails()
    thumbs.resize(260, 160)

    tree = qorkit.TFolderTree()
    tree.resize(260, 160)

    return [('TNumLab', lab), ('TNumIO2', field), ('TNumIO', edit), ('TSevenSeg', seg),
            ('TRasterLab', raster), ('TRotLab', rot), ('TMeter', meter), ('TProgBar', bar),
            ('TGradFill', grad), ('TReportListView', replist), ('TMiniCal', cal),
            ('TNTabEd', table), ('TOnOffBut', onoff), ('TRepSpeedButton', rep),
            ('TColSel', colsel), ('TMarkSel', marks), ('TThumbnails', thumbs),
            ('TFolderTree', tree)]


def page():
    w = QWidget()
    w.setWindowTitle('QorKit from Python')
    grid = QGridLayout(w)
    for i, (name, widget) in enumerate(components()):
        grid.addWidget(titled(name, widget), i // 5, i % 5)
    return w


def main():
    app = QApplication(sys.argv)
    w = page()
    if QApplication.platformName() in ('offscreen', 'minimal'):
        path = sys.argv[1] if len(sys.argv) > 1 else 'qorkit_gallery.png'
        w.adjustSize()
        w.show()
        app.processEvents()
        if not w.grab().save(path):
            raise SystemExit('gallery.py: cannot write ' + path)
        print(path)
        return 0
    w.show()
    return app.exec()


if __name__ == '__main__':
    sys.exit(main())
