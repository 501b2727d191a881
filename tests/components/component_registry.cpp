#include "tests/components/component_registry.h"

#include "browsing/qor_foldertree.h"
#include "browsing/qor_thumbnails.h"
#include "buttons/qor_colsel.h"
#include "buttons/qor_marksel.h"
#include "buttons/qor_onoffbut.h"
#include "buttons/qor_repsbut.h"
#include "calendar/qor_minical.h"
#include "decoration/qor_gradfl.h"
#include "displays/qor_numlab.h"
#include "displays/qor_rasterlab.h"
#include "displays/qor_rotlab.h"
#include "displays/qor_sevenseg.h"
#include "gauges/qor_meter.h"
#include "gauges/qor_progbar.h"
#include "ntabed/qor_ntabed.h"
#include "numio/qor_numio.h"
#include "replist/qor_replist.h"
#include "tests/support/qorkit_test_support.h"

namespace qor::test {
namespace {

using TRules = std::map<QString, TPropertyRule>;

// Prepare puts a new component into a state that shows as many of its
// properties as possible (a caption, a value inside the bar, rows in a list).
template <class T>
TComponentEntry Entry(const char* Name, std::function<void(T&)> Prepare, QStringList Assigned,
                      TRules Rules = {}) {
  TComponentEntry E;
  E.Name = QString::fromLatin1(Name);
  E.Create = [Prepare] {
    auto* C = new T;
    if (Prepare) Prepare(*C);
    return C;
  };
  E.Picture = [](QWidget& W) {
    if (auto* C = dynamic_cast<host::TControl*>(&W)) return test::Picture(*C).copy();
    return test::Grab(W);
  };
  if constexpr (requires(T& D, const T& S) { D.Assign(S); }) {
    E.Assign = [](QWidget& Dest, QWidget& Source) {
      static_cast<T&>(Dest).Assign(static_cast<const T&>(Source));
    };
  }
  E.Assigned = std::move(Assigned);
  E.Rules = std::move(Rules);
  return E;
}

TPropertyRule Rule(bool Skip, bool IsInvisible, QVariant Value = {}, QVariant ReadsBack = {}) {
  TPropertyRule R;
  R.Skip = Skip;
  R.Invisible = IsInvisible;
  R.Value = std::move(Value);
  R.ReadsBack = std::move(ReadsBack);
  return R;
}
const TPropertyRule Invisible = Rule(false, true);
const TPropertyRule Skipped = Rule(true, false);
TPropertyRule Writes(QVariant Value) { return Rule(false, false, std::move(Value)); }
TPropertyRule Clamped(QVariant Value, QVariant ReadsBack, bool IsInvisible = false) {
  return Rule(false, IsInvisible, std::move(Value), std::move(ReadsBack));
}

TComponentEntry NumLab() {
  return Entry<TNumLab>(
      "TNumLab",
      [](TNumLab& L) {
        L.SetValue(12.5);
        L.SetLeftText(QStringLiteral("U"));
        L.SetRightText(QStringLiteral("V"));
      },
      {"LeftSpace", "Empty", "LabelWidth", "Precision", "LeftText", "RightText", "FrameStyle",
       "Alignment", "RightTextAlignment", "LeftTextAlignment", "OverflowIndicator", "Value",
       "StateText", "Transparent", "ColorLabBakG", "ColorLabText", "ColorOutBakG", "ColorOutText",
       "ColorScheme", "DisplayType"},
      {// Shown only by the date/time and state display types, or on overflow.
       {"DTFormat", Invisible}, {"StateText", Invisible}, {"OverflowIndicator", Invisible},
       {"ColorOutText", Invisible},
       // The classic bevel colours equal the system ones.
       {"ColorScheme", Invisible}});
}

TComponentEntry NumIO2() {
  return Entry<TNumIO2>(
      "TNumIO2",
      [](TNumIO2& F) {
        F.SetRangeLow(-100);
        F.SetRangeHigh(100);
        F.SetValue(12.5);
        F.SetButVisible(true);
        F.SetGaugeVisible(true);
        F.setFixedSize(240, 40);
      },
      {"LeftSpace", "TextBoxWidth", "FixPointDecPlaces", "SignificantDigits", "LeftText",
       "RightText", "FrameStyle", "Alignment", "RightTextAlignment", "LeftTextAlignment",
       "ColorBoxBG", "ColorBoxText", "ColorOutBG", "ColorOutText", "ColorScheme", "InputFormat",
       "Text", "ColorWarnBG", "ColorWarnText", "DecPlaceSep", "HideSelection", "RangeHigh",
       "RangeLow", "Beep", "ReadOnly", "AutoSize"},
      {{"Text", Writes(QStringLiteral("42.25"))},
       {"Value", Writes(42.25)},
       // Out-of-range colours show only outside the range; the rest only in use.
       {"ColorWarnBG", Invisible}, {"ColorWarnText", Invisible}, {"RangeHigh", Invisible},
       {"RangeLow", Invisible}, {"Beep", Invisible}, {"HideSelection", Invisible},
       {"ReadOnly", Invisible}, {"ColorScheme", Invisible}, {"ButIncrem", Invisible},
       {"SignificantDigits", Invisible}, {"FixPointDecPlaces", Invisible},
       {"DecPlaceSep", Invisible}, {"InputFormat", Invisible},
       {"LeftTextAlignment", Invisible}, {"RightTextAlignment", Invisible},
       {"ColorOutText", Invisible}, {"AutoSize", Invisible},
       // A bevelled gauge frame does not use the frame colour.
       {"GaugeColorFrame", Invisible},
       // Above the field's Height the button column is cut to it.
       {"ButHeight", Invisible},
       // The walk keeps the field at a fixed size.
       {"Height", Skipped}});
}

TComponentEntry NumIO() {
  return Entry<TNumIO>(
      "TNumIO", nullptr, {"InputFormat", "Beep", "RangeLow", "RangeHigh", "DecPlaceSep"},
      {{"Value", Writes(42.0)}, {"RangeLow", Clamped(-5.0, -5.0, true)},
       {"RangeHigh", Invisible}, {"Beep", Invisible}, {"DecPlaceSep", Invisible},
       {"InputFormat", Invisible}, {"FixPointDecPlaces", Invisible}});
}

TComponentEntry SevenSeg() {
  return Entry<TSevenSeg>(
      "TSevenSeg", [](TSevenSeg& S) { S.SetCaption(QStringLiteral("12.5")); },
      {"ColorBackGnd", "ColorText", "NumDigits", "Caption", "FrameStyle", "ColorScheme", "Margin",
       "InterDigDist"},
      {{"Caption", Writes(QStringLiteral("-3.75"))}, {"ColorScheme", Invisible}});
}

TComponentEntry RasterLab() {
  return Entry<TRasterLab>(
      "TRasterLab", nullptr,
      {"FrameStyle", "Text", "ColorLabBakG", "ColorDotOn", "ColorScheme"},
      {// Scrolling shows only as the timer runs.
       {"ScrollMode", Invisible}, {"ScrollInterval", Invisible}, {"ScrollIncrement", Invisible},
       {"ScrollLoop", Invisible}});
}

TComponentEntry RotLab() {
  return Entry<TRotLab>(
      "TRotLab", [](TRotLab& L) { L.SetCaption(QStringLiteral("Rotated")); },
      {"AutoCenter", "FrameStyle", "TextAngle", "PosX", "PosY", "AntiAlias"},
      {// The anchor stays centred while AutoCenter is on.
       {"PosX", Clamped(101, 100, true)}, {"PosY", Clamped(101, 100, true)},
       {"AutoCenter", Invisible}, {"Color", Invisible}});
}

TComponentEntry Meter() {
  return Entry<TMeter>(
      "TMeter",
      [](TMeter& M) {
        M.SetMeterMinValue(0);
        M.SetMeterMaxValue(100);
        M.SetThresholdLow(20);
        M.SetThresholdHigh(80);
        M.SetScaleBkVisible(true);
        M.SetValue(40);
        M.SetValueSec(60);
        M.SetCaption(QStringLiteral("Volts"));
      },
      {},
      {{"AnchorImage", Skipped}, {"BackGroundImg", Skipped},
       // Without a background image the fill mode has nothing to place.
       {"BkgndFillMode", Invisible},
       // Lamps light only beyond a threshold; the secondary needle is hidden by default.
       {"LimWatchActColor", Invisible}, {"ValueSec", Invisible},
       // A logarithmic scale needs a positive lower end.
       {"Logarithmic", Clamped(true, false, true)},
       {"Value", Writes(55.0)}, {"ValueSec", Writes(75.0)},
       {"ThresholdLow", Writes(30.0)}, {"ThresholdHigh", Writes(70.0)},
       {"MeterNrTicks", Writes(6)}});
}

TComponentEntry ProgBar() {
  return Entry<TProgBar>(
      "TProgBar",
      [](TProgBar& B) {
        B.SetValue(40);
        B.SetShowColorGradient(true);
        B.SetGridDist(10);
      },
      {"FrameStyleOuter", "FrameStyleInner", "Value", "Max", "Min", "ColorMargin", "ColorScheme",
       "Direction", "ColorMin", "ColorMax", "ColorBackGnd", "ShowColorGradient", "ColorGrid",
       "GridDist", "ColorMapMode", "MarginLeft", "MarginRight", "MarginTop", "MarginBottom",
       "TextPosX", "TextPosY", "TextDecPlaces", "TextAngle", "TextAlignment", "TextVisible"},
      {{"BackGroundImg", Skipped},
       // The timer shows only as it runs.
       {"AutoInc", Invisible}, {"AutoIncStep", Invisible}, {"StartInterval", Invisible},
       {"RepeatInterval", Invisible}});
}

TComponentEntry GradFill() {
  return Entry<TGradFill>("TGradFill", [](TGradFill& G) { G.SetGridMode(TGradFill::gmBoth); },
                          {});
}

TComponentEntry ReportList() {
  return Entry<TReportListView>(
      "TReportListView",
      [](TReportListView& V) {
        V.SetNrOfColumns(3);
        V.SetNrOfRows(4);
        for (int R = 1; R <= 4; ++R)
          for (int C = 1; C <= 3; ++C) V.SetElem(C, R, QStringLiteral("r%1c%2").arg(R).arg(C));
      },
      {"AutoAdvance", "RowSelectMode", "SortEnabled", "ColorSelectedRow", "ColorSelectedRowText",
       "ColorSelectedCol", "ColorSelectedColText", "ColorSelectedBoth", "ColorSelectedBothText",
       "ColorHigh", "ColorHighText", "HighLightBold", "HighLightRow", "HighLightColumn",
       "ColorText", "ColorBkgdNormal", "ColorBkgdShaded", "RowColPattern", "CommonHeaderVisible",
       "ColorCommonHd", "ColorCommonHdText", "ColumnHeadersVisible", "ColorColumnHd",
       "ColorColumnHdText", "ShowEmptyCheckBoxes", "InterRowIndicatorColor",
       "InterRowIndicatorWidth", "FixedFirstColumn", "NrOfColumns", "NrOfRows", "CommonHeader"},
      {// Grid geometry is walked through the list's own properties.
       {"ColCount", Skipped}, {"RowCount", Skipped}, {"FixedCols", Skipped}, {"FixedRows", Skipped},
       {"LeftCol", Skipped}, {"TopRow", Skipped},
       // Shown only with a selection, a highlight, a disabled row, no rows or
       // while editing or moving rows.
       {"AutoAdvance", Invisible}, {"SortEnabled", Invisible}, {"UseCtrlForMultiSel", Invisible},
       {"RowSelectMode", Invisible}, {"ColorSelectedRow", Invisible},
       {"ColorSelectedRowText", Invisible}, {"ColorSelectedCol", Invisible},
       {"ColorSelectedColText", Invisible}, {"ColorSelectedBoth", Invisible},
       {"ColorSelectedBothText", Invisible}, {"ColorHigh", Invisible}, {"ColorHighText", Invisible},
       {"HighLightBold", Invisible}, {"ColorDisabledText", Invisible},
       {"ColorDisabledBkgd", Invisible}, {"ColorEmptyMsg", Invisible}, {"EmptyMessage", Invisible},
       {"ShowEmptyCheckBoxes", Invisible}, {"InterRowIndicatorColor", Invisible},
       {"InterRowIndicatorWidth", Invisible}, {"NrOfRows", Invisible},
       {"CommonHeader", Invisible}, {"CommonHeaderHeight", Invisible},
       {"ColorCommonHd", Invisible}, {"ColorCommonHdText", Invisible}});
}

TComponentEntry MiniCal() {
  return Entry<TMiniCal>(
      "TMiniCal", [](TMiniCal& C) { C.SetDate(QDate(1899, 12, 30).daysTo(QDate(2026, 4, 15))); },
      {},
      {// Date, Day, Month and Year are one value seen four ways.
       {"Date", Writes(46130.0)}, {"Day", Writes(20)}, {"Month", Writes(5)},
       {"Year", Writes(2027)},
       // Shown only on a holiday, on today's date or as a tool tip.
       {"ColorHolidayBg", Invisible}, {"ColorHolidayFg", Invisible}, {"ColorToday", Invisible},
       {"MarkToday", Invisible}, {"ShowHolidayHint", Invisible}, {"ShowHint", Invisible},
       {"AutoSwitch", Invisible},
       // The layout is fixed at 8 x 8 cells.
       {"ColCount", Skipped}, {"RowCount", Skipped}});
}

TComponentEntry NTabEd() {
  return Entry<TNTabEd>(
      "TNTabEd",
      [](TNTabEd& T) {
        T.SetNrOfColumns(3);
        T.SetNrOfRows(4);
        for (int R = 1; R <= 4; ++R)
          for (int C = 1; C <= 3; ++C) T.SetElem(C, R, R * 10 + C + 0.5);
        T.resize(420, 220);
      },
      {},
      {{"RowCount", Skipped}, {"ColCount", Skipped},
       // Editing, clipboard and menu behaviour; marks and the comment show only when set.
       {"AutoAdvance", Invisible}, {"AutoAdvanceDir", Invisible},
       {"BlockInternalPopup", Invisible}, {"ClipboardUseFullPrec", Invisible},
       {"CommentEditingAllowed", Invisible}, {"DataReadOnly", Invisible},
       {"NomEditDropDownCount", Invisible}, {"Comment", Invisible}, {"BoldMarks", Invisible},
       {"ColorMarkedA", Invisible}, {"ColorMarkedB", Invisible}, {"ColorMarkedBoth", Invisible},
       // Narrower than the shown numbers need: the column keeps its width.
       {"NumWidth", Invisible}});
}

TComponentEntry OnOffBut() {
  return Entry<TOnOffBut>(
      "TOnOffBut",
      [](TOnOffBut& B) {
        B.SetAutoCenter(false);
        B.SetRightText(QStringLiteral("Pump"));
        B.resize(140, 40);
      },
      {"LeftSpace", "TopSpace", "AutoCenter", "LeftText", "TopText", "RightText", "BottomText",
       "FrameStyle", "ColorBackgnd", "ColorScheme", "OnOff", "ButtonStyle", "MouseAction",
       "ColorText", "Transparent"},
      {// Group membership and mouse behaviour do not show; classic bevels equal the system ones.
       {"AllowAllOff", Invisible}, {"GroupIndex", Invisible}, {"MouseAction", Invisible},
       {"ColorScheme", Invisible},
       // Centring shows only when the spaces are not already centred.
       {"AutoCenter", Invisible}});
}

TComponentEntry RepSpeedButton() {
  return Entry<TRepSpeedButton>(
      "TRepSpeedButton", [](TRepSpeedButton& B) { B.SetCaption(QStringLiteral("+")); }, {},
      {// Down stays only for a button of a group.
       {"Down", Clamped(true, false, true)},
       // Timing and grouping do not show; the style draws flat and raised buttons alike at rest.
       {"AllowAllUp", Invisible}, {"GroupIndex", Invisible}, {"Flat", Invisible},
       {"RepeatClickInterval", Invisible}, {"StartClickInterval", Invisible}});
}

TComponentEntry ColSel() {
  // The closed box shows the selected colour only.
  return Entry<TColSel>("TColSel", nullptr, {},
                        {{"DropDownCount", Invisible}, {"ItemHeight", Invisible},
                         {"NumColors", Invisible}});
}

TComponentEntry MarkSel() {
  // Highlight and selection colours show only under the pointer or on a selection.
  return Entry<TMarkSel>("TMarkSel", nullptr, {},
                         {{"ColorHiLiteBG", Invisible}, {"ColorHiLiteSymbol", Invisible},
                          {"ColorSelBG", Invisible}, {"ColorSelFG", Invisible}});
}

TComponentEntry Thumbnails() {
  return Entry<TThumbnails>(
      "TThumbnails", [](TThumbnails& T) { T.SetMax(40); },
      {"FrameStyle", "OuterFrameStyle", "InnerFrameStyle", "ColorBackGnd", "ColorScheme",
       "FirstThumbIdx", "Min", "Max", "SlideSize", "SlideDistance", "SlideMargin", "AntiAlias",
       "ColorCover", "ColorSelected", "ColorFocus", "FocusedSlide", "FocusLinewidth"},
      {// Without pictures, focus, marks or a selection these do not show.
       {"AntiAlias", Invisible}, {"ColorFocus", Invisible}, {"ColorMark", Invisible},
       {"ColorSelected", Invisible}, {"FocusLinewidth", Invisible}, {"InnerFrameStyle", Invisible},
       {"SlideSelectMode", Invisible}, {"Max", Invisible}});
}

TComponentEntry FolderTree() {
  return Entry<TFolderTree>(
      "TFolderTree", nullptr, {},
      {// A root that does not exist is refused; Qt has no older tree look to switch to.
       {"RootFolder", Clamped(QStringLiteral("/no such folder"), QStringLiteral("/"), true)},
       {"OldTreeStyle", Invisible}});
}

}  // namespace

std::vector<TComponentEntry> Components() {
  return {NumLab(), NumIO2(),  NumIO(),    SevenSeg(), RasterLab(),
          RotLab(), Meter(),   ProgBar(),  GradFill(), ReportList(),
          MiniCal(), NTabEd(), OnOffBut(), RepSpeedButton(), ColSel(), MarkSel(),
          Thumbnails(), FolderTree()};
}

}  // namespace qor::test
