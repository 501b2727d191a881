#include "host/qor_combo.h"

#include <QAbstractItemView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include "host/qor_app.h"
#include "host/qor_color.h"
#include "host/qor_control.h"

namespace qor::host {

// Draws the list's items through the combo box's DrawItem, all of one height.
class TOwnerDrawDelegate : public QStyledItemDelegate {
 public:
  explicit TOwnerDrawDelegate(TCustomComboBox* Combo) : QStyledItemDelegate(Combo), FCombo(Combo) {}

  void paint(QPainter* P, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    TOwnerDrawState State = 0;
    if (Option.state & QStyle::State_Selected) State |= odSelected | odFocused;
    if (!(Option.state & QStyle::State_Enabled)) State |= odDisabled;
    P->drawImage(Option.rect.topLeft(), FCombo->ItemPicture(Index.row(), Option.rect.size(), State));
  }

  QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex&) const override {
    return {Option.rect.width(), FCombo->ItemHeight()};
  }

 private:
  TCustomComboBox* FCombo;
};

TCustomComboBox::TCustomComboBox(QWidget* AOwner) : QComboBox(AOwner) {
  setItemDelegate(new TOwnerDrawDelegate(this));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setMaxVisibleItems(8);
  FFont.SetOwnerNotify([this] {
    setFont(FFont.ToQFont());
    Refresh();
  });
  connect(this, &QComboBox::activated, this, [this] {
    Guarded([this] {
      Click();
      Change();
    });
  });
}

template <typename F>
void TCustomComboBox::Guarded(F&& Handler) {
  try {
    Handler();
  } catch (...) {
    Application()->HandleException(this, std::current_exception());
  }
}

void TCustomComboBox::SetItemHeight(int Height) {
  if (Height < 1 || !qor::Change(FItemHeight, Height)) return;
  updateGeometry();
  Refresh();
}

void TCustomComboBox::SetColor(TColor Color) {
  if (qor::Change(FColor, Color)) Refresh();
}

void TCustomComboBox::Refresh() {
  update();
  if (view()) view()->viewport()->update();
}

TRect TCustomComboBox::EditRect() const {
  QStyleOptionComboBox Option;
  initStyleOption(&Option);
  const QRect R = style()->subControlRect(QStyle::CC_ComboBox, &Option, QStyle::SC_ComboBoxEditField, this);
  return Rect(R.left(), R.top(), R.right() + 1, R.bottom() + 1);
}

QImage TCustomComboBox::ItemPicture(int Index, QSize Size, TOwnerDrawState State) {
  QImage Img(Size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  Img.fill(ToQColor(FColor, this));
  TCanvas C(&Img, this);
  C.Font().Assign(FFont);
  C.Brush().SetColor(FColor);
  const TRect R = Rect(0, 0, Size.width(), Size.height());
  Guarded([&] { DrawItem(Index, C, R, State); });
  if (State & odFocused) {
    C.Flush();
    QPainter P(&Img);
    QPen Pen(Qt::black, 1, Qt::DotLine);
    P.setPen(Pen);
    P.drawRect(0, 0, Size.width() - 1, Size.height() - 1);
  }
  C.Flush();
  return Img;
}

void TCustomComboBox::DrawItem(int Index, TCanvas& Canvas, const TRect& Rect, TOwnerDrawState) {
  Canvas.FillRect(Rect);
  Canvas.TextOut(Rect.Left + 2, Rect.Top + (Rect.Height() - Canvas.TextHeight(itemText(Index))) / 2,
                 itemText(Index));
}

void TCustomComboBox::paintEvent(QPaintEvent*) {
  QStylePainter P(this);
  QStyleOptionComboBox Option;
  initStyleOption(&Option);
  Option.currentText.clear();
  Option.currentIcon = QIcon();
  P.drawComplexControl(QStyle::CC_ComboBox, Option);
  if (currentIndex() < 0) return;
  const TRect R = EditRect();
  TOwnerDrawState State = odComboBoxEdit;
  if (hasFocus()) State |= odSelected | odFocused;
  if (!isEnabled()) State |= odDisabled;
  P.drawImage(R.Left, R.Top, ItemPicture(currentIndex(), QSize(R.Width(), R.Height()), State));
}

void TCustomComboBox::showPopup() {
  Guarded([this] { DropDown(); });
  QComboBox::showPopup();
}

void TCustomComboBox::mouseMoveEvent(QMouseEvent* E) {
  const QPoint Pt = E->position().toPoint();
  Guarded([&] { MouseMove(ShiftStateOf(E->modifiers(), E->buttons()), Pt.x(), Pt.y()); });
  QComboBox::mouseMoveEvent(E);
}

// The press is where the pointer is, whether or not a move announced it.
void TCustomComboBox::mousePressEvent(QMouseEvent* E) {
  const QPoint Pt = E->position().toPoint();
  Guarded([&] { MouseMove(ShiftStateOf(E->modifiers(), E->buttons()), Pt.x(), Pt.y()); });
  QComboBox::mousePressEvent(E);
}

void TCustomComboBox::focusInEvent(QFocusEvent* E) {
  QComboBox::focusInEvent(E);
  if (OnEnter) Guarded([this] { OnEnter(this); });
}

void TCustomComboBox::focusOutEvent(QFocusEvent* E) {
  QComboBox::focusOutEvent(E);
  if (OnExit) Guarded([this] { OnExit(this); });
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::Change() { Notify(this, OnChange, &TCustomComboBox::changed); }

void TCustomComboBox::Click() {
  if (OnClick) OnClick(this);
}

void TCustomComboBox::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

}  // namespace qor::host
