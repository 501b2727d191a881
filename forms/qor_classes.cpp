#include "forms/qor_classes.h"

#include <QLatin1StringView>
#include <algorithm>

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

namespace qor {
namespace {

template <class T>
QWidget* Make(QWidget* Parent) {
  return new T(Parent);
}

constexpr TComponentClass Classes[] = {
    {"qor::TNumIO", "numio/qor_numio.h",
     "Edit field for numbers in decimal, exponential, hexadecimal, octal or binary form, "
     "with a range",
     &Make<TNumIO>},
    {"qor::TNumIO2", "numio/qor_numio.h",
     "Numeric input field with left and right texts, up/down buttons and a gauge", &Make<TNumIO2>},
    {"qor::TNumLab", "displays/qor_numlab.h",
     "Label showing a number, a date/time or a state, with left and right texts", &Make<TNumLab>},
    {"qor::TSevenSeg", "displays/qor_sevenseg.h", "Seven-segment display of digits",
     &Make<TSevenSeg>},
    {"qor::TRasterLab", "displays/qor_rasterlab.h", "Dot-matrix text display that can scroll",
     &Make<TRasterLab>},
    {"qor::TRotLab", "displays/qor_rotlab.h", "Label with text at any angle", &Make<TRotLab>},
    {"qor::TMeter", "gauges/qor_meter.h",
     "Analogue meter with a scale, two needles and threshold lamps", &Make<TMeter>},
    {"qor::TProgBar", "gauges/qor_progbar.h",
     "Progress bar with colour gradient, grid, text and automatic increment", &Make<TProgBar>},
    {"qor::TReportListView", "replist/qor_replist.h",
     "Report list: a table of texts with headers, sorting, selection and highlights",
     &Make<TReportListView>},
    {"qor::TNTabEd", "ntabed/qor_ntabed.h",
     "Table editor for numbers with row and column names and marks", &Make<TNTabEd>},
    {"qor::TMiniCal", "calendar/qor_minical.h", "Month calendar with holidays and today's mark",
     &Make<TMiniCal>},
    {"qor::TOnOffBut", "buttons/qor_onoffbut.h", "Switch button with on and off states and texts",
     &Make<TOnOffBut>},
    {"qor::TRepSpeedButton", "buttons/qor_repsbut.h",
     "Speed button that repeats its click while held down", &Make<TRepSpeedButton>},
    {"qor::TColSel", "buttons/qor_colsel.h", "Drop-down list for choosing a colour",
     &Make<TColSel>},
    {"qor::TMarkSel", "buttons/qor_marksel.h", "Selector of marker symbols", &Make<TMarkSel>},
    {"qor::TThumbnails", "browsing/qor_thumbnails.h",
     "Scrolling row of picture slides with focus and selection", &Make<TThumbnails>},
    {"qor::TFolderTree", "browsing/qor_foldertree.h", "Tree of the folders of the file system",
     &Make<TFolderTree>},
    {"qor::TGradFill", "decoration/qor_gradfl.h", "Area filled with a colour gradient and grid",
     &Make<TGradFill>},
};

}  // namespace

std::span<const TComponentClass> ComponentClasses() { return Classes; }

const TComponentClass* FindComponentClass(QStringView Name) {
  const auto* It = std::find_if(std::begin(Classes), std::end(Classes), [Name](const auto& C) {
    return Name == QLatin1StringView(C.Name);
  });
  return It == std::end(Classes) ? nullptr : It;
}

}  // namespace qor
