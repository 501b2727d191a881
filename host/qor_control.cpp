#include "host/qor_control.h"

#include <QKeyEvent>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>
#include <cstring>

#include "host/qor_app.h"

namespace qor::host {

// ---- translation of Qt input ---------------------------------------------

TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons) {
  TShiftState S = 0;
  if (Modifiers & Qt::ShiftModifier) S |= ssShift;
  if (Modifiers & Qt::AltModifier) S |= ssAlt;
  if (Modifiers & Qt::ControlModifier) S |= ssCtrl;
  if (Buttons & Qt::LeftButton) S |= ssLeft;
  if (Buttons & Qt::RightButton) S |= ssRight;
  if (Buttons & Qt::MiddleButton) S |= ssMiddle;
  return S;
}

namespace {

struct TKeyMap {
  int QtKey;
  std::uint16_t Vk;
};

// Named keys, and the shifted symbols of the US layout mapped back to the key
// that carries them (Shift+4 arrives as '$' but is virtual key '4').
constexpr TKeyMap KeyTable[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB}, {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN}, {Qt::Key_Enter, VK_RETURN}, {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU}, {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE}, {Qt::Key_PageUp, VK_PRIOR}, {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END}, {Qt::Key_Home, VK_HOME}, {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP}, {Qt::Key_Right, VK_RIGHT}, {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Insert, VK_INSERT}, {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Exclam, '1'}, {Qt::Key_At, '2'}, {Qt::Key_NumberSign, '3'}, {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'}, {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'}, {Qt::Key_ParenLeft, '9'}, {Qt::Key_ParenRight, '0'},
    {Qt::Key_Semicolon, 186}, {Qt::Key_Colon, 186}, {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS}, {Qt::Key_Comma, VK_OEM_COMMA}, {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS}, {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD}, {Qt::Key_Greater, VK_OEM_PERIOD}, {Qt::Key_Slash, 191},
    {Qt::Key_Question, 191}, {Qt::Key_QuoteLeft, 192}, {Qt::Key_AsciiTilde, 192},
    {Qt::Key_BracketLeft, 219}, {Qt::Key_BraceLeft, 219}, {Qt::Key_Backslash, 220},
    {Qt::Key_Bar, 220}, {Qt::Key_BracketRight, 221}, {Qt::Key_BraceRight, 221},
    {Qt::Key_Apostrophe, 222}, {Qt::Key_QuoteDbl, 222}};

// The numeric pad's own codes.
constexpr TKeyMap KeypadTable[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD}, {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL}, {Qt::Key_Comma, VK_DECIMAL}, {Qt::Key_Slash, VK_DIVIDE}};

}  // namespace

std::uint16_t VirtualKeyOf(int QtKey, Qt::KeyboardModifiers Modifiers) {
  const bool Keypad = Modifiers & Qt::KeypadModifier;
  if (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9)
    return std::uint16_t((Keypad ? VK_NUMPAD0 : '0') + (QtKey - Qt::Key_0));
  if (QtKey >= Qt::Key_A && QtKey <= Qt::Key_Z) return std::uint16_t('A' + (QtKey - Qt::Key_A));
  if (QtKey >= Qt::Key_F1 && QtKey <= Qt::Key_F24) return std::uint16_t(VK_F1 + (QtKey - Qt::Key_F1));
  if (Keypad)
    for (const TKeyMap& M : KeypadTable)
      if (M.QtKey == QtKey) return M.Vk;
  for (const TKeyMap& M : KeyTable)
    if (M.QtKey == QtKey) return M.Vk;
  return 0;
}

QChar TypedChar(const QKeyEvent* E) {
  if (E->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return {};
  const QString Text = E->text();
  if (Text.size() != 1 || !Text.at(0).isPrint()) return {};
  return Text.at(0);
}

QKeyEvent* PlatformKeyPress(QKeyEvent* E, std::optional<QKeyEvent>& Replacement,
                            const TKeyDownHandler& KeyDown, const TKeyPressHandler& KeyPress) {
  std::uint16_t Key = VirtualKeyOf(E->key(), E->modifiers());
  if (Key != 0) {
    KeyDown(Key, ShiftStateOf(E->modifiers(), Qt::NoButton));
    if (Key == 0) return nullptr;
  }
  const QString Typed = E->text();
  if (Typed.size() != 1 || Typed.at(0).isNull()) return E;
  QChar C = Typed.at(0);
  KeyPress(C);
  if (C.isNull()) return nullptr;
  if (C == Typed.at(0)) return E;
  Replacement.emplace(E->type(), E->key(), E->modifiers(), QString(C), E->isAutoRepeat(),
                      ushort(E->count()));
  return &*Replacement;
}

TMouseButton MouseButtonOf(Qt::MouseButton B) {
  if (B == Qt::RightButton) return mbRight;
  if (B == Qt::MiddleButton) return mbMiddle;
  return mbLeft;
}

namespace {

TShiftState ShiftOf(const QMouseEvent* E) { return ShiftStateOf(E->modifiers(), E->buttons()); }

// Whole device pixels per logical pixel of a paint device (fractional ratios
// round up: the image is then scaled down, never blown up).
int WholeRatio(qreal Ratio) { return std::max(1, int(std::ceil(Ratio - 0.01))); }

QImage KeptImage(QSize Logical, int Ratio) {
  QImage Img(Logical * Ratio, QImage::Format_RGB32);
  Img.setDevicePixelRatio(Ratio);
  return Img;
}

}  // namespace

// ---- TControl --------------------------------------------------------------

TControl::TControl(QWidget* AOwner) : QWidget(AOwner), FCanvas(nullptr, this) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  // The control starts with the font it inherits (parent or application).
  FFont.SetFromQFont(font());
  FFont.SetColor(clWindowText);
  FFont.SetOwnerNotify([this] { FontFieldsChanged(); });
  FRatio = WholeRatio(devicePixelRatioF());
  resize(FSizeHint);
}


TControl::~TControl() {
  MarkDestroying();
  FCanvas.Flush();
}

void TControl::SetBounds(int Left, int Top, int Width, int Height) {
  const QSize Size(std::max(0, Width), std::max(0, Height));
  if (Size != FSizeHint) {
    FSizeHint = Size;
    updateGeometry();
  }
  setGeometry(QRect(QPoint(Left, Top), Size));
}

// A change of Font() reaches the widget's Qt font, and the picture.
void TControl::FontFieldsChanged() {
  if (!FSyncingFont) {
    FSyncingFont = true;
    setFont(FFont.ToQFont());
    FSyncingFont = false;
  }
  FontChanged();
}

// A change of the Qt font (setFont, the parent's or the application's font)
// reaches Font(), and through its owner channel the picture. The colour and
// the escapement, which a QFont does not carry, stay.
void TControl::QtFontChanged() {
  if (FSyncingFont) return;
  FSyncingFont = true;
  FFont.SetFromQFont(font());
  FSyncingFont = false;
}

void TControl::SetColor(TColor Color) {
  if (Color == FColor) return;
  FColor = Color;
  Invalidate();
}

void TControl::SetStyleElements(TStyleElements Elements) {
  if (Elements == FStyleElements) return;
  FStyleElements = Elements;
  Invalidate();
}

void TControl::SetParentBackgroundPaint(bool On) {
  FParentBackground = On;
  setAttribute(Qt::WA_OpaquePaintEvent, !On);
  Invalidate();
}

bool TControl::ImageFits() const {
  return FScreen.size() == QSize(std::max(1, width()), std::max(1, height())) * FRatio;
}

void TControl::SetPaintRatio(int Ratio) {
  if (Ratio == FRatio) return;
  FRatio = Ratio;
  FStale = true;
}

void TControl::EnsureImageSize() {
  if (ImageFits()) return;
  const QSize S(std::max(1, width()), std::max(1, height()));
  FCanvas.Flush();
  FScreen = KeptImage(S, FRatio);
  FScreen.fill(ToQColor(FColor, this));
  FCanvas.SetTarget(&FScreen);
  FStale = true;
}

void TControl::PaintNow() {
  if (FInPaint) return;
  EnsureImageSize();
  FInPaint = true;
  if (FParentBackground) {
    FCanvas.Flush();
    FScreen = ParentBackground();
    FCanvas.SetTarget(&FScreen);
  }
  FStale = false;
  try {
    Paint();
  } catch (...) {
    FInPaint = false;
    FCanvas.Flush();
    throw;
  }
  FCanvas.Flush();
  FInPaint = false;
}

void TControl::Paint() {
  FCanvas.Brush().SetColor(FColor);
  FCanvas.FillRect(ClientRect());
}

bool TControl::ScreenImageCurrent() const {
  return !FStale && !FInPaint && !FParentBackground && isVisible() && ImageFits();
}

void TControl::RefreshArea(const TRect& Area, const std::function<void(TCanvas&)>& Draw) {
  const QRect R = QRect(Area.Left, Area.Top, Area.Width(), Area.Height()) & rect();
  if (R.isEmpty() || FInPaint) return;
  // A clip the owner set for its own drawing between paints comes back after.
  const bool HadClip = FCanvas.HasClipRect();
  const TRect OldClip = FCanvas.ClipRect();
  FInPaint = true;
  FCanvas.SetClipRect(Rect(R.left(), R.top(), R.right() + 1, R.bottom() + 1));
  auto Restore = [&] {
    if (HadClip) FCanvas.SetClipRect(OldClip);
    else FCanvas.ClearClipRect();
    FCanvas.Flush();
    FInPaint = false;
  };
  try {
    Draw(FCanvas);
  } catch (...) {
    Restore();
    FStale = true;
    throw;
  }
  Restore();
  update(R);
}

void TControl::ScrollImage(const TRect& Area, int LogicalDx, int LogicalDy) {
  // Rows and columns of device pixels.
  const QRect R =
      QRect(Area.Left * FRatio, Area.Top * FRatio, Area.Width() * FRatio, Area.Height() * FRatio) &
      FScreen.rect();
  const int Dx = LogicalDx * FRatio, Dy = LogicalDy * FRatio;
  if (R.isEmpty() || (Dx == 0 && Dy == 0) || std::abs(Dx) >= R.width() || std::abs(Dy) >= R.height())
    return;
  FCanvas.Flush();
  const qsizetype Bpl = FScreen.bytesPerLine();
  const size_t Bytes = size_t(R.width() - std::abs(Dx)) * 4;
  const int From = R.left() + std::max(0, -Dx), To = R.left() + std::max(0, Dx);
  uchar* Bits = FScreen.bits();
  const auto Move = [&](int Y) { std::memmove(Bits + Y * Bpl + To * 4, Bits + (Y - Dy) * Bpl + From * 4, Bytes); };
  // Rows are moved in the order that never overwrites a row still to move;
  // within a row memmove copes with the overlap.
  if (Dy <= 0)
    for (int Y = R.top(); Y <= R.bottom() + Dy; ++Y) Move(Y);
  else
    for (int Y = R.bottom(); Y >= R.top() + Dy; --Y) Move(Y);
}

const QImage& TControl::ScreenImage() {
  if (FStale || !ImageFits()) PaintNow();
  FCanvas.Flush();
  return FScreen;
}

void TControl::Invalidate() {
  FStale = true;
  update();
}

void TControl::Refresh() {
  // A control nobody can see is painted when it is shown or its image is asked for.
  if (!isVisible() && !Designing()) {
    Invalidate();
    return;
  }
  PaintNow();
  update();
}

QImage TControl::ParentBackground() {
  QImage Img = KeptImage(QSize(std::max(1, width()), std::max(1, height())), FRatio);
  QWidget* P = parentWidget();
  if (!P) {
    Img.fill(palette().color(QPalette::Window));
    return Img;
  }
  Img.fill(P->palette().color(P->backgroundRole()));
  P->render(&Img, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
  return Img;
}

bool TControl::event(QEvent* Event) {
  bool Handled = true;
  RunGuarded(this, [&] { Handled = QWidget::event(Event); });
  return Handled;
}

// The picture is kept at the ratio of the device it lands on: the backing
// store of a high-DPI screen, or the image of a render().
void TControl::paintEvent(QPaintEvent* Event) {
  QPainter P(this);
  const QPaintDevice* Device = P.paintEngine() ? P.paintEngine()->paintDevice() : this;
  SetPaintRatio(WholeRatio(Device->devicePixelRatioF()));
  const QImage& Img = ScreenImage();
  const QRect R = Event->rect();
  P.drawImage(QRectF(R), Img, QRectF(R.x() * FRatio, R.y() * FRatio, R.width() * FRatio,
                                     R.height() * FRatio));
}

void TControl::resizeEvent(QResizeEvent*) {
  EnsureImageSize();
  FStale = true;
  Resize();
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::mousePressEvent(QMouseEvent* E) {
  if (E->button() == Qt::LeftButton) FPressed = true;
  const QPoint Pt = E->position().toPoint();
  MouseDown(MouseButtonOf(E->button()), ShiftOf(E), Pt.x(), Pt.y());
}

void TControl::mouseMoveEvent(QMouseEvent* E) {
  const QPoint Pt = E->position().toPoint();
  MouseMove(ShiftOf(E), Pt.x(), Pt.y());
}

void TControl::mouseReleaseEvent(QMouseEvent* E) {
  const QPoint Pt = E->position().toPoint();
  const bool WasPressed = FPressed && E->button() == Qt::LeftButton;
  if (E->button() == Qt::LeftButton) FPressed = false;
  if (WasPressed && rect().contains(Pt)) Click();
  MouseUp(MouseButtonOf(E->button()), ShiftOf(E), Pt.x(), Pt.y());
  if (E->button() == Qt::RightButton && rect().contains(Pt)) OpenPopupMenu(Pt);
}

// The right button opens the menu on release, as on the original platform;
// the context-menu event then only serves the keyboard (menu key, Shift+F10).
// Without a menu the event goes on to the parent, as for any QWidget.
void TControl::contextMenuEvent(QContextMenuEvent* E) {
  if (!FPopupMenu) {
    E->ignore();
    return;
  }
  if (E->reason() != QContextMenuEvent::Mouse) OpenPopupMenu(E->pos());
}

void TControl::OpenPopupMenu(QPoint MousePos) {
  bool Handled = false;
  if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
  if (Handled || ContextPopup(MousePos) || !FPopupMenu) return;
  const QPoint P = mapToGlobal(MousePos);
  FPopupMenu->Popup(P.x(), P.y());
}

bool TControl::ContextPopup(QPoint) { return false; }

void TControl::mouseDoubleClickEvent(QMouseEvent* E) {
  const QPoint Pt = E->position().toPoint();
  if (E->button() == Qt::LeftButton) FPressed = true;
  MouseDown(MouseButtonOf(E->button()), TShiftState(ShiftOf(E) | ssDouble), Pt.x(), Pt.y());
  if (E->button() == Qt::LeftButton) DblClick();
}

void TControl::enterEvent(QEnterEvent*) { MouseEnter(); }
void TControl::leaveEvent(QEvent*) { MouseLeave(); }

void TControl::changeEvent(QEvent* E) {
  switch (E->type()) {
    case QEvent::PaletteChange:
    case QEvent::StyleChange: Invalidate(); break;
    case QEvent::EnabledChange: Refresh(); break;
    case QEvent::FontChange:
    case QEvent::ApplicationFontChange: QtFontChanged(); break;
    default: break;
  }
  QWidget::changeEvent(E);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

// ---- TGraphicControl, TCustomControl -------------------------------------

TGraphicControl::TGraphicControl(QWidget* AOwner) : TControl(AOwner) {
  setFocusPolicy(Qt::NoFocus);
}

TCustomControl::TCustomControl(QWidget* AOwner) : TControl(AOwner) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool TCustomControl::event(QEvent* Event) {
  if (FWantTabs && Event->type() == QEvent::KeyPress) {
    auto* K = static_cast<QKeyEvent*>(Event);
    if (K->key() == Qt::Key_Tab || K->key() == Qt::Key_Backtab) {
      RunGuarded(this, [&] { keyPressEvent(K); });
      return true;
    }
  }
  return TControl::event(Event);
}

void TCustomControl::keyPressEvent(QKeyEvent* E) {
  std::uint16_t Key = VirtualKeyOf(E->key(), E->modifiers());
  const TShiftState Shift = ShiftStateOf(E->modifiers(), Qt::NoButton);
  if (Key != 0) KeyDown(Key, Shift);
  if (Key == 0 && VirtualKeyOf(E->key(), E->modifiers()) != 0) return;
  for (QChar C : E->text()) {
    if (C.isNull()) continue;
    KeyPress(C);
  }
}

void TCustomControl::keyReleaseEvent(QKeyEvent* E) {
  std::uint16_t Key = VirtualKeyOf(E->key(), E->modifiers());
  if (Key != 0) KeyUp(Key, ShiftStateOf(E->modifiers(), Qt::NoButton));
}

void TCustomControl::focusInEvent(QFocusEvent*) { DoEnter(); }
void TCustomControl::focusOutEvent(QFocusEvent*) { DoExit(); }

void TCustomControl::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TCustomControl::KeyPress(QChar& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TCustomControl::KeyUp(std::uint16_t& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TCustomControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TCustomControl::DoExit() {
  if (OnExit) OnExit(this);
}

}  // namespace qor::host
