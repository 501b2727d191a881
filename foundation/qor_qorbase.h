// Core services shared by the components: the frame looks, the shared
// enumerations, the exception base class with the component message, and the
// frame, rectangle and marker drawing.
#pragma once

#include <QString>
#include <stdexcept>
#include <vector>

#include "host/qor_host.h"

namespace qor {

// TFrameStyle, TColorScheme, TDecPSep, TBkgFill, TDirection and TOrientation
// live with the host's registered enumerations (host/qor_types.h).
// Calendar language: 1 English, 2 German, 3 French, 4 Spanish.
using TLanguage = std::uint8_t;
constexpr TLanguage lgEnglish = 1, lgGerman = 2, lgFrench = 3, lgSpanish = 4;

// A dynamic array of doubles.
using TDoubleArray = std::vector<double>;

using TOnPercentDoneEvent = std::function<void(TObject* Sender, int Percent)>;

// Base of every component exception.
class QORKIT_EXPORT EQORError : public std::runtime_error {
 public:
  explicit EQORError(const QString& Message);
  QString Message() const { return QString::fromStdString(what()); }
};

// "Component "Name": Text", the message of component failures.
QORKIT_EXPORT QString ComponentMessage(const QObject* Component, const QString& Text);

// Bevel line colours of a colour scheme.
QORKIT_EXPORT TColor SchemeGrayLine(TColorScheme Scheme);
QORKIT_EXPORT TColor SchemeWhiteLine(TColorScheme Scheme);

// Draws the lines of a frame along (Left, Top)..(Right, Bottom), inclusive;
// the inside stays as it was. Colours: two light edges, shadow, dark shadow, line.
QORKIT_EXPORT void DrawFrame(TCanvas& Canvas, TFrameStyle Style, int Left, int Top, int Right,
                             int Bottom, TColor Light1, TColor Light2, TColor Shadow,
                             TColor DarkShadow, TColor Line);
// The standard colours: white, silver, gray, black and Line; under the style
// engine (UseStyle) the system bevel colours and the style's border colour.
QORKIT_EXPORT void DrawStandardFrame(TCanvas& Canvas, TFrameStyle Style, int Left, int Top,
                                     int Right, int Bottom, bool UseStyle = false,
                                     TColor Line = clBlack);
// Outlines (X1, Y1)..(X2, Y2) inclusive with the current pen.
QORKIT_EXPORT void DrawRectangle(TCanvas& Canvas, int X1, int Y1, int X2, int Y2);
// Marker symbol Mark (0..51) centred on (X, Y) with the current pen and brush.
QORKIT_EXPORT void DrawMarkOnCanvas(TCanvas& Canvas, int Mark, int X, int Y);
constexpr int MaxMarker = 51;
// Half the side of the square around (X, Y) that holds every pixel of Mark
// drawn with a one-pixel pen; 0 for an unknown mark (nothing is drawn).
QORKIT_EXPORT int MarkExtent(int Mark);

QORKIT_EXPORT TColor MeanColor(TColor C1, TColor C2);

}  // namespace qor
