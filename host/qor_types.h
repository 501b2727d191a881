// Basic vocabulary of the host layer: colours, shift states, mouse buttons,
// alignments, rectangles with exclusive right/bottom edges, virtual-key codes
// and the common event signatures.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <utility>

#include "qorkit_export.h"

namespace qor {
// The shared property types are registered enumerations, so forms, designers
// and QVariant see their names.
Q_NAMESPACE_EXPORT(QORKIT_EXPORT)

using TObject = QObject;

// 0x00BBGGRR; high byte 0xFF marks a system colour (index in the low byte).
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;

constexpr TColor clScrollBar = 0xFF000000;
constexpr TColor clBackground = 0xFF000001;
constexpr TColor clActiveCaption = 0xFF000002;
constexpr TColor clInactiveCaption = 0xFF000003;
constexpr TColor clMenu = 0xFF000004;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clWindowFrame = 0xFF000006;
constexpr TColor clMenuText = 0xFF000007;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clCaptionText = 0xFF000009;
constexpr TColor clActiveBorder = 0xFF00000A;
constexpr TColor clInactiveBorder = 0xFF00000B;
constexpr TColor clAppWorkSpace = 0xFF00000C;
constexpr TColor clHighlight = 0xFF00000D;
constexpr TColor clHighlightText = 0xFF00000E;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clBtnShadow = 0xFF000010;
constexpr TColor clGrayText = 0xFF000011;
constexpr TColor clBtnText = 0xFF000012;
constexpr TColor clInactiveCaptionText = 0xFF000013;
constexpr TColor clBtnHighlight = 0xFF000014;
constexpr TColor cl3DDkShadow = 0xFF000015;
constexpr TColor cl3DLight = 0xFF000016;
constexpr TColor clInfoText = 0xFF000017;
constexpr TColor clInfoBk = 0xFF000018;
constexpr TColor clHotLight = 0xFF00001A;
constexpr TColor clGradientActiveCaption = 0xFF00001B;
constexpr TColor clGradientInactiveCaption = 0xFF00001C;
constexpr TColor clMenuHighlight = 0xFF00001D;
constexpr TColor clMenuBar = 0xFF00001E;

// Shift state: modifier keys and mouse buttons held during an event.
enum TShiftFlag : std::uint16_t {
  ssShift = 0x01, ssAlt = 0x02, ssCtrl = 0x04,
  ssLeft = 0x08, ssRight = 0x10, ssMiddle = 0x20, ssDouble = 0x40
};
using TShiftState = std::uint16_t;

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };
Q_ENUM_NS(TMouseButton)
enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

// Frame look: 0 none, 1 single line, 2 sunken, 3 raised, 4 gray lines, 5 white lines.
enum TFrameStyle : std::uint8_t { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };
Q_ENUM_NS(TFrameStyle)
// Bevel lines: 0 gray and white, any other value the system bevel colours.
enum TColorScheme : std::uint8_t { csGrayWhite, csSystemBevels };
Q_ENUM_NS(TColorScheme)
// Decimal separator: 0 system, 1 point, 2 comma, 3 both.
enum TDecPSep : std::uint8_t { dsSystem, dsPoint, dsComma, dsBoth };
Q_ENUM_NS(TDecPSep)
// Background image: natural size at the top-left, stretched, tiled.
enum TBkgFill : std::uint8_t { bfSimple, bfStretch, bfTile };
Q_ENUM_NS(TBkgFill)
// Bar growth: 0 up, 1 down, 2 left, 3 right.
enum TDirection : std::uint8_t { dirUp, dirDown, dirLeft, dirRight };
Q_ENUM_NS(TDirection)
enum TOrientation : std::uint8_t { orVertical, orHorizontal };
Q_ENUM_NS(TOrientation)

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;

enum TStyleElement : std::uint8_t { seFont = 1, seClient = 2, seBorder = 4 };
using TStyleElements = std::uint8_t;

enum TComponentStateFlag : std::uint8_t { csLoading = 1, csDesigning = 2, csDestroying = 4 };
using TComponentState = std::uint8_t;

// A rectangle as the platform describes it: right and bottom are excluded.
struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  constexpr bool Contains(int X, int Y) const {
    return X >= Left && X < Right && Y >= Top && Y < Bottom;
  }
  constexpr bool operator==(const TRect&) const = default;
};
constexpr TRect Rect(int Left, int Top, int Right, int Bottom) { return {Left, Top, Right, Bottom}; }

struct TPoint {
  int X = 0, Y = 0;
  constexpr bool operator==(const TPoint&) const = default;
};

// Virtual-key codes of the original platform.
namespace vk {
constexpr std::uint16_t VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17,
    VK_MENU = 18, VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35,
    VK_HOME = 36, VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45,
    VK_DELETE = 46, VK_NUMPAD0 = 96, VK_MULTIPLY = 106, VK_ADD = 107, VK_SEPARATOR = 108,
    VK_SUBTRACT = 109, VK_DECIMAL = 110, VK_DIVIDE = 111, VK_F1 = 112, VK_F2 = 113,
    VK_F10 = 121, VK_F12 = 123, VK_OEM_PLUS = 187, VK_OEM_COMMA = 188, VK_OEM_MINUS = 189,
    VK_OEM_PERIOD = 190;
}  // namespace vk
using namespace vk;

// The first step of every setter: stores Value and says whether it differed.
template <typename T>
constexpr bool Change(T& Field, const T& Value) {
  if (Field == Value) return false;
  Field = Value;
  return true;
}

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift,
                                       int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, QChar& Key)>;

// Fires a notification event: its handler first (when one is set), then the Qt
// signal of the same meaning with Args, so handler and connections see every
// occurrence in the same order. The signal is emitted also without a handler.
template <class TSender, class TClass, class... TSignalArgs, class... TArgs>
void Notify(TSender* Sender, const TNotifyEvent& Event, void (TClass::*Signal)(TSignalArgs...),
            TArgs&&... Args) {
  if (Event) Event(Sender);
  Q_EMIT(Sender->*Signal)(std::forward<TArgs>(Args)...);
}

}  // namespace qor
