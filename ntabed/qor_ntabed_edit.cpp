// TNTabEd: the in-place editor's texts, keys, mouse, the heading editor and
// the comment editor.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cmath>

#include "foundation/qor_math1.h"
#include "foundation/qor_univconst.h"
#include "host/qor_edit.h"
#include "host/qor_format.h"
#include "host/qor_memo.h"
#include "ntabed/qor_ntabed.h"

namespace qor {

// ---- typed texts ------------------------------------------------------------

bool ReadTypedNumber(const QString& Text, double& Value) {
  QString T = Text;
  T.replace(QLatin1Char(','), QLatin1Char('.'));
  long double V = 0;
  if (!host::TextToFloat(T.trimmed(), V) || std::isnan(V)) return false;
  Value = double(std::clamp<long double>(V, -uc_MaxDouble, uc_MaxDouble));
  return true;
}

bool ReadAttribText(const QString& Text, int& Attrib) {
  long double V = 0;
  if (!host::TextToFloat(Text.trimmed(), V) || std::isnan(V)) return false;
  Attrib = Round(double(std::clamp<long double>(V, 0, 255)));
  return true;
}

// ---- the heading and comment editors ------------------------------------------

// Enter stores the heading, Esc drops it; leaving the editor stores it too, so
// that nothing typed is lost.
class TNTabEd::THeadingEdit : public host::TCustomEdit {
 public:
  explicit THeadingEdit(TNTabEd* Owner) : TCustomEdit(Owner), FOwner(Owner) { hide(); }

 protected:
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override {
    TCustomEdit::KeyDown(Key, Shift);
    if (Key != VK_RETURN && Key != VK_ESCAPE) return;
    const bool Accept = Key == VK_RETURN;
    Key = 0;
    FOwner->Guarded([&] { FOwner->CloseHeadingEditor(Accept); });
  }
  void focusOutEvent(QFocusEvent* Event) override {
    TCustomEdit::focusOutEvent(Event);
    if (FOwner->FHeadingActive) FOwner->Guarded([this] { FOwner->CloseHeadingEditor(true); });
  }

 private:
  TNTabEd* FOwner;
};

// Enter ends the comment (no line break), Esc drops the changes.
class TNTabEd::TCommentEdit : public host::TCustomMemo {
 public:
  explicit TCommentEdit(TNTabEd* Owner) : TCustomMemo(Owner), FOwner(Owner) { hide(); }

 protected:
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override {
    TCustomMemo::KeyDown(Key, Shift);
    if (Key != VK_RETURN && Key != VK_ESCAPE) return;
    const bool Accept = Key == VK_RETURN;
    Key = 0;
    FOwner->Guarded([&] { FOwner->CloseCommentEditor(Accept); });
  }
  void focusOutEvent(QFocusEvent* Event) override {
    TCustomMemo::focusOutEvent(Event);
    if (FOwner->FCommentActive) FOwner->Guarded([this] { FOwner->CloseCommentEditor(true); });
  }

 private:
  TNTabEd* FOwner;
};

void TNTabEd::CreateEditors() {
  FHeadingEdit = new THeadingEdit(this);
  FCommentEdit = new TCommentEdit(this);
}

void TNTabEd::OpenHeadingEditor() {
  if (!FHeadingEdit || FClicked.X < 0 || FClicked.Y < 0) return;
  if (FClicked.X <= FColOffset && FClicked.Y <= FRowOffset) return;
  if (IsElementCell(FClicked.X, FClicked.Y)) return;
  HideEditor();
  const QRect R = CellRect(FClicked.X, FClicked.Y);
  QString Text;
  if (FClicked.Y <= FRowOffset) {
    const int Col = FClicked.X - FColOffset;
    Text = FClicked.Y == 1 ? QString::number(ColAttrib(Col)) : ColName(Col);
  } else {
    const int Row = FClicked.Y - FRowOffset;
    Text = FClicked.X == 1 && FColOffset == 1 ? QString::number(RowAttrib(Row)) : RowName(Row);
  }
  FHeadingEdit->move(R.left() + 30, R.bottom() + 1 + 5);
  FHeadingEdit->SetText(Text);
  FHeadingEdit->selectAll();
  FHeadingActive = true;
  FHeadingEdit->show();
  FHeadingEdit->raise();
  FHeadingEdit->setFocus();
}

void TNTabEd::CloseHeadingEditor(bool Accept) {
  if (!FHeadingActive) return;
  FHeadingActive = false;
  FHeadingEdit->hide();
  setFocus();
  Invalidate();
  if (!Accept || FClicked.X < 0 || FClicked.Y < 0) return;
  const QString Text = FHeadingEdit->Text();
  if (FClicked.Y <= FRowOffset) {
    const int Col = FClicked.X - FColOffset;
    if (FClicked.Y == 1) {
      int A = 0;
      if (!ReadAttribText(Text, A)) return;
      SetColAttrib(Col, std::uint8_t(A));
      ChangedHeading();
    } else {
      SetColName(Col, Text);
    }
  } else {
    const int Row = FClicked.Y - FRowOffset;
    if (FClicked.X == 1 && FColOffset == 1) {
      int A = 0;
      if (!ReadAttribText(Text, A)) return;
      SetRowAttrib(Row, std::uint8_t(A));
      ChangedHeading();
    } else {
      SetRowName(Row, Text);
    }
  }
}

void TNTabEd::OpenCommentEditor() {
  if (!FCommentEdit) return;
  HideEditor();
  FCommentActive = true;
  RedrawCorner();
  const int Left = TCustomGrid::ColWidths(0);
  FCommentEdit->SetBounds(Left, 0, width() - Left - 20, 80);
  FCommentEdit->SetText(FData->Comment());
  FCommentEdit->SetColor(0x808000);
  FCommentEdit->Font().SetColor(clWhite);
  FCommentEdit->show();
  FCommentEdit->raise();
  FCommentEdit->setFocus();
}

void TNTabEd::CloseCommentEditor(bool Accept) {
  if (!FCommentActive) return;
  FCommentActive = false;
  FCommentEdit->hide();
  setFocus();
  if (Accept) {
    FData->SetFComment(FCommentEdit->Text());
    ChangedData();
  }
  RedrawCorner();
}

// ---- the in-place editor --------------------------------------------------------

QString TNTabEd::GetEditText(int ACol, int ARow) {
  const int C = ACol - FColOffset, R = ARow - FRowOffset;
  const double V = FData->GetElem(C, R);
  QString Text;
  if (HasNominalIDs(FData->GetMScaleType(C))) {
    const double Rd = std::nearbyint(V);
    const long long N = std::isfinite(Rd) ? static_cast<long long>(std::clamp(Rd, -1e15, 1e15)) : 0;
    if (N >= 1 && N <= MaxNominalIDs) Text = FData->GetNominalID(C, int(N));
    if (Text.isEmpty()) Text = QString::number(N);
  } else {
    Text = NTabNumberText(V, FNumWidth, C >= 1 && C <= int(FDecPlaces.size()) ? FDecPlaces[size_t(C - 1)] : 3);
  }
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, Text);
  FOfferedText = Text;
  return Text;
}

// The text comes back when editing ends. A text left as it was offered
// changes nothing: the offered text is rounded to the column's decimals and
// reading it back would lose digits (and the cell's marks).
void TNTabEd::SetEditText(int ACol, int ARow, const QString& Value) {
  const int C = ACol - FColOffset, R = ARow - FRowOffset;
  if (Value != FOfferedText && C >= 1 && C <= NrOfColumns() && R >= 1 && R <= NrOfRows()) {
    const std::uint8_t OldState = FData->GetCellState(C, R);
    std::uint8_t State = csInvalid;
    double V = FData->GetElem(C, R);
    if (HasNominalIDs(FData->GetMScaleType(C))) {
      const QString T = Value.left(255);
      const int Ordinal = FData->OrdinalOfNominalID(C, T, true);
      if (Ordinal > 0) {
        V = Ordinal;
        State = 0;
      } else if (IsValidDecInt(T)) {
        V = T.trimmed().toDouble();
        State = 0;
      }
    } else if (ReadTypedNumber(Value, V)) {
      State = 0;
    }
    FData->SetCellState(C, R, State);
    if (State == 0) FData->SetElem(C, R, V);
    if (State != OldState) {
      Invalidate();
      ChangedCellStates();
    }
    FOfferedText = Value;
  }
  TCustomGrid::SetEditText(ACol, ARow, Value);
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
  Q_EMIT cellEdited(ACol, ARow, Value);
}

host::TEditStyle TNTabEd::GetEditStyle(int ACol, int) {
  if (InplaceEditor()) InplaceEditor()->SetDropDownRows(FNomEditDropDownCount);
  return HasNominalIDs(FData->GetMScaleType(ACol - FColOffset)) ? host::esPickList : host::esSimple;
}

QStringList TNTabEd::GetPickListItems(int ACol, int) {
  const int C = ACol - FColOffset;
  QStringList Items;
  for (int N = 1; N <= MaxNominalIDs; ++N) {
    const QString ID = FData->GetNominalID(C, N);
    if (!ID.isEmpty()) Items << ID;
  }
  return Items;
}

void TNTabEd::EditCanceled() {
  TCustomGrid::EditCanceled();
  SetEditingOption(false);
  FEditSuspended = true;
}

// ---- keys ----------------------------------------------------------------------

void TNTabEd::AdvanceAfterEnter() {
  std::uint16_t Key = FAutoAdvanceDir == orVertical ? VK_DOWN : VK_RIGHT;
  KeyDown(Key, 0);
}

void TNTabEd::KeyPress(QChar& Key) {
  TCustomGrid::KeyPress(Key);
  if (FAutoAdvance && (Key.isNull() || Key == QChar(13))) AdvanceAfterEnter();
  if (Key == QChar(27) && InplaceEditor()) {
    SetEditingOption(false);
    HideEditor();
  }
}

void TNTabEd::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  TCustomGrid::KeyDown(Key, Shift);
  // Tab reaches the grid (and its OnKeyDown); without goTabs it then moves the
  // focus on, so the keyboard alone can leave the table.
  if (Key == VK_TAB && !(Options() & host::goTabs) && !(Shift & (ssCtrl | ssAlt))) {
    Key = 0;
    focusNextPrevChild(!(Shift & ssShift));
  }
  ChangedSelection();
  RedrawCorner();
}

// Tab always reaches KeyDown first (whatever goTabs says).
bool TNTabEd::event(QEvent* Event) {
  if (Event->type() == QEvent::KeyPress) {
    auto* K = static_cast<QKeyEvent*>(Event);
    if (K->key() == Qt::Key_Tab || K->key() == Qt::Key_Backtab) {
      keyPressEvent(K);
      return true;
    }
  }
  return TCustomGrid::event(Event);
}

void TNTabEd::keyPressEvent(QKeyEvent* Event) {
  Guarded([&] {
    if (FEditSuspended && Event->key() != Qt::Key_Escape) {
      FEditSuspended = false;
      ApplyEditingOption();
    }
    TCustomGrid::keyPressEvent(Event);
  });
}

// ---- mouse and wheel --------------------------------------------------------------

bool TNTabEd::DoMouseWheelDown(TShiftState Shift, QPoint MousePos) {
  const bool Result = TCustomGrid::DoMouseWheelDown(Shift, MousePos);
  RedrawCorner();
  ChangedSelection();
  return Result;
}

bool TNTabEd::DoMouseWheelUp(TShiftState Shift, QPoint MousePos) {
  const bool Result = TCustomGrid::DoMouseWheelUp(Shift, MousePos);
  RedrawCorner();
  ChangedSelection();
  return Result;
}

void TNTabEd::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TGridCoord Hit = MouseCoord(X, Y);
  if (FCommentActive) {
    TCustomGrid::MouseDown(Button, Shift, X, Y);
    FClicked = Hit;
    if (Hit == TGridCoord{0, 0}) CloseCommentEditor(false);
    return;
  }
  if (FHeadingActive) return;
  const TGridCoord Prev = MouseCoord(FPrevClick.x(), FPrevClick.y());
  FClicked = Hit;
  if (Prev != Hit) SetEditingOption(false);
  TCustomGrid::MouseDown(Button, Shift, X, Y);
  Invalidate();
  if (!(X > 0 && X < GridWidth() && Y > 0 && Y < GridHeight()) || Hit.X < 0) return;
  FPrevClick = QPoint(X, Y);
  const bool OwnPopup = !PopupMenu() && !FBlockInternalPopup;
  if (IsElementCell(Hit.X, Hit.Y)) {
    if (Prev == Hit && !FDataReadOnly) SetEditingOption(true);
    if (Button == mbRight && OwnPopup) OpenDataMenu(X + 10, Y - 20);
    else if (Button == mbLeft) RedrawCorner();
  } else if (Hit == TGridCoord{0, 0}) {
    if (Button == mbRight && !FBlockInternalPopup && FCommentEditingAllowed) OpenCommentEditor();
  } else if (Button == mbRight && OwnPopup) {
    OpenHeadingMenu();
  }
}

void TNTabEd::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomGrid::MouseUp(Button, Shift, X, Y);
  FEditSuspended = false;
  ApplyEditingOption();
}

void TNTabEd::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomGrid::MouseMove(Shift, X, Y);
  TrackSelection();
}

void TNTabEd::mousePressEvent(QMouseEvent* Event) {
  Guarded([&] { TCustomGrid::mousePressEvent(Event); });
}

void TNTabEd::mouseReleaseEvent(QMouseEvent* Event) {
  Guarded([&] { TCustomGrid::mouseReleaseEvent(Event); });
}

void TNTabEd::mouseMoveEvent(QMouseEvent* Event) {
  Guarded([&] { TCustomGrid::mouseMoveEvent(Event); });
}

void TNTabEd::wheelEvent(QWheelEvent* Event) {
  Guarded([&] { TCustomGrid::wheelEvent(Event); });
}

}  // namespace qor
