// TNTabEd: the data and heading menus, marking, the copy buffer, the
// clipboard and the number reader for clipboard text.
#include <QMetaObject>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/qor_univconst.h"
#include "host/qor_app.h"
#include "host/qor_bitmap.h"
#include "host/qor_format.h"
#include "ntabed/qor_ntabed.h"

namespace qor {

namespace {

constexpr int NrDItems = 12, NrHItems = 5, NrSubItems = 4, MaxCaptionLength = 50;

constexpr std::array<const char*, NrDItems> DataCaptions = {
    "Mark as type A", "Mark as type B", "Unmark type A", "Unmark type B",
    "Unmark All",     "Clear",          "Copy",          "Paste",
    "Data Read-Only", "Extract from Clipboard", "Select All", "Toggle Empty State"};
constexpr std::array<const char*, NrSubItems> SubCaptions = {"Range", "Column", "Row", "All"};
constexpr std::array<const char*, NrSubItems> SubNames = {"M1It", "M2It", "U1It", "U2It"};
constexpr std::array<const char*, NrHItems> HeadingCaptions = {
    "Edit Heading", "Change Precision", "Select..", "Insert..", "Delete.."};

// Marking scopes of the submenus.
enum TScope : int { scRange = 1, scColumn, scRow, scAll };

// ---- the number reader ---------------------------------------------------------------

enum TCharClass : std::uint8_t { ccDigit, ccSep, ccExp, ccSign, ccBlank, ccOther };
constexpr int stEnd = 0, stFail = -1;

// Next state by state (1..8) and character class; state 3 with "E" goes on
// to 6 since the clipboard reader always takes an exponent.
constexpr int Transition[9][6] = {
    {},
    {3, 4, stFail, 2, 1, stFail},            // 1 start
    {3, 4, stFail, stFail, stFail, stFail},  // 2 after sign
    {3, 4, 6, stEnd, stEnd, stEnd},          // 3 integer digits
    {5, stFail, 6, stEnd, stEnd, stEnd},     // 4 after separator
    {5, stFail, 6, stEnd, stEnd, stEnd},     // 5 fraction digits
    {8, stFail, stFail, 7, stFail, stEnd},   // 6 after "E"
    {8, stFail, stFail, stFail, stFail, stEnd},  // 7 after exponent sign
    {8, stEnd, stEnd, stEnd, stEnd, stEnd},  // 8 exponent digits
};

constexpr int MaxReadExponent = 4200;

// Tabs and carriage returns read as blanks.
TCharClass ClassOf(char16_t U) {
  if (U >= u'0' && U <= u'9') return ccDigit;
  if (U == u'.' || U == u',') return ccSep;
  if (U == u'E' || U == u'e') return ccExp;
  if (U == u'+' || U == u'-') return ccSign;
  if (U == u' ' || U == u'\t' || U == u'\r') return ccBlank;
  return ccOther;
}

// "+", "-", "." or a digit (a comma starts no number).
bool StartsNumber(char16_t U) { return (U >= u'0' && U <= u'9') || U == u'+' || U == u'-' || U == u'.'; }

double ToDouble(const std::string& Number) {
  double V = 0;
  const char* First = Number.data();
  const char* Last = First + Number.size();
  const auto R = std::from_chars(First, Last, V);
  if (R.ec == std::errc::result_out_of_range) V = std::strtod(First, nullptr);
  else if (R.ec != std::errc()) V = 0;
  if (std::isnan(V)) return 0;
  return std::clamp(V, -uc_MaxDouble, uc_MaxDouble);
}

// The reader over Len characters followed by one blank (so that a number at
// the very end is ended by a blank); beyond that blank lies "other".
double ReadNumberAt(const char16_t* Text, int Len, int& Pos, std::string& Number) {
  Number.clear();
  int State = 1;
  int Exponent = 0;
  while (true) {
    const TCharClass K = Pos < Len ? ClassOf(Text[Pos]) : Pos == Len ? ccBlank : ccOther;
    const int Next = Transition[State][K];
    if (Next == stFail) return 0;
    if (Next == stEnd) break;
    const char16_t U = Pos < Len ? Text[Pos] : u' ';
    if (Next == 8) {
      if (Exponent <= MaxReadExponent) {
        Number.push_back(char(U));
        Exponent = Exponent * 10 + (U - u'0');
      }
    } else if (K == ccSep) {
      Number.push_back('.');
    } else if (K == ccDigit || K == ccExp || (K == ccSign && (U == u'-' || State == 6))) {
      Number.push_back(K == ccExp ? 'E' : char(U));
    }
    State = Next;
    ++Pos;
  }
  if (!Number.empty() && Number.back() == '.') Number.push_back('0');
  return ToDouble(Number);
}

// Number text: scientific in 22 characters (" 1.2345678901234E+0005").
QString FullPrecisionText(double Value) {
  char Buf[64];
  std::snprintf(Buf, sizeof Buf, "%.13E", std::fabs(Value));
  const char* E = std::strchr(Buf, 'E');
  const int Exp = E ? std::atoi(E + 1) : 0;
  return QStringLiteral("%1%2E%3%4")
      .arg(QLatin1String(Value < 0 ? "-" : " "), QLatin1String(Buf, int(E - Buf)),
           QLatin1String(Exp < 0 ? "-" : "+"))
      .arg(std::abs(Exp), 4, 10, QLatin1Char('0'));
}

}  // namespace

double ReadClipNumber(const QString& Text, int& Pos) {
  std::string Number;
  const int Len = int(Text.size());
  if (Pos < 0 || Pos > Len) return 0;
  return ReadNumberAt(reinterpret_cast<const char16_t*>(Text.utf16()), Len, Pos, Number);
}

bool ScanClipNumbers(const QString& Text,
                     const std::function<void(int N, int Line, double Value)>& Put) {
  const char16_t* T = reinterpret_cast<const char16_t*>(Text.utf16());
  const int Len = int(Text.size());
  std::string Number;
  Number.reserve(64);
  int Pos = 0, N = 0, Line = 0;
  bool Any = false;
  const auto SkipToNumber = [&] {
    while (Pos < Len && !StartsNumber(T[Pos])) {
      if (T[Pos] == u'\n') {
        ++Line;
        N = 0;
      }
      ++Pos;
    }
  };
  SkipToNumber();
  while (Pos < Len) {
    const double V = ReadNumberAt(T, Len, Pos, Number);
    Put(N, Line, V);
    Any = true;
    ++N;
    SkipToNumber();
  }
  return Any;
}

// Every line feed after the first number ends a row of the block; the widest
// line gives the columns.
bool ClipMatrixSize(const QString& Text, int& NCols, int& NRows) {
  NCols = 1;
  NRows = 1;
  int FirstLine = -1;
  ScanClipNumbers(Text, [&](int N, int Line, double) {
    if (FirstLine < 0) FirstLine = Line;
    NCols = std::max(NCols, N + 1);
  });
  if (FirstLine < 0) return false;
  NRows = 1 + int(Text.count(QLatin1Char('\n'))) - FirstLine;
  return true;
}

// ---- building the menus ---------------------------------------------------------------

TMenuItem* TNTabEd::AddMenuItem(TMenuItem* Parent, const QString& Name, const QString& Caption,
                                std::function<void()> Command) {
  auto* Item = new TMenuItem;
  Item->SetName(Name);
  Item->SetCaption(Caption);
  if (Command)
    Item->OnClick = [this, Command = std::move(Command)](TObject*) { Guarded(Command); };
  Parent->Add(Item);
  return Item;
}

void TNTabEd::BuildMenus() {
  FPopupDT = new TPopupMenu(this);
  FPopupDT->SetName(QStringLiteral("PopupDTAction"));
  FPopupDT->SetAlignment(host::paLeft);
  FSubItems.assign(NrSubItems, {});
  const std::array<std::function<void()>, NrDItems> Commands = {
      nullptr, nullptr, nullptr, nullptr,
      [this] { UnMarkAllElems(); },      [this] { ClearSelection(); },
      [this] { CopySelection(); },       [this] { PasteBlock(); },
      [this] { ToggleReadOnly(); },      [this] { ExtractFromClipboard(); },
      [this] { SelectAllElements(); },   [this] { ToggleEmptySelection(); }};
  for (int I = 0; I < NrDItems; ++I) {
    TMenuItem* Item = AddMenuItem(FPopupDT->Items(), QStringLiteral("DIt%1").arg(I + 1),
                                  QLatin1String(DataCaptions[size_t(I)]), Commands[size_t(I)]);
    FDItems.push_back(Item);
    if (I >= NrSubItems) continue;
    const std::uint8_t Bit = I % 2 == 0 ? csMarkA : csMarkB;
    const bool On = I < 2;
    for (int S = 0; S < NrSubItems; ++S)
      FSubItems[size_t(I)].push_back(
          AddMenuItem(Item, QStringLiteral("%1%2").arg(QLatin1String(SubNames[size_t(I)])).arg(S + 1),
                      QLatin1String(SubCaptions[size_t(S)]),
                      [this, S, Bit, On] { MarkBlock(S + 1, Bit, On); }));
  }
  FPopupHT = new TPopupMenu(this);
  FPopupHT->SetName(QStringLiteral("PopupHTAction"));
  const std::array<std::function<void()>, NrHItems> HCommands = {
      [this] { OpenHeadingEditor(); }, [this] { ChangeClickedPrecision(); },
      [this] { SelectClickedLine(); }, [this] { InsertClickedLine(); },
      [this] { DeleteClickedLine(); }};
  for (int I = 0; I < NrHItems; ++I)
    FHItems.push_back(AddMenuItem(FPopupHT->Items(), QStringLiteral("HIt%1").arg(I + 1),
                                  QLatin1String(HeadingCaptions[size_t(I)]), HCommands[size_t(I)]));
  FPopupHT->OnClose = [this](TObject*) { Invalidate(); };
  ApplyMasks();
}

// Items follow their mask bits; "Paste" also needs a copied block, and the
// commands that write elements stay off while the data are read-only.
void TNTabEd::ApplyMasks() {
  for (int I = 0; I < NrDItems; ++I) {
    bool On = FPopupDMask & (1 << I);
    const int Item = I + 1;
    if (Item == 8) On = On && FCopyAvailable;
    if (Item == 6 || Item == 8 || Item == 10 || Item == 12) On = On && !FDataReadOnly;
    FDItems[size_t(I)]->SetEnabled(On);
  }
  for (int I = 0; I < NrHItems; ++I) FHItems[size_t(I)]->SetEnabled(FPopupHMask & (1 << I));
}

void TNTabEd::SetPopupDMask(int Value) {
  FPopupDMask = Value;
  ApplyMasks();
  ChangedSetup();
}

void TNTabEd::SetPopupHMask(int Value) {
  FPopupHMask = Value;
  ApplyMasks();
  ChangedSetup();
}

QString TNTabEd::PopupDCaptions(int ix) const {
  return ix >= 1 && ix <= NrDItems ? FDItems[size_t(ix - 1)]->Caption() : QString();
}

void TNTabEd::SetPopupDCaptions(int ix, const QString& Value) {
  if (ix >= 1 && ix <= NrDItems) FDItems[size_t(ix - 1)]->SetCaption(Value.left(MaxCaptionLength));
}

QString TNTabEd::PopupHCaptions(int ix) const {
  return ix >= 1 && ix <= NrHItems ? FHItems[size_t(ix - 1)]->Caption() : QString();
}

void TNTabEd::SetPopupHCaptions(int ix, const QString& Value) {
  if (ix >= 1 && ix <= NrHItems) FHItems[size_t(ix - 1)]->SetCaption(Value.left(MaxCaptionLength));
}

QString TNTabEd::PopupMCaptions(int ix) const {
  return ix >= 1 && ix <= NrSubItems ? FSubItems[0][size_t(ix - 1)]->Caption() : QString();
}

void TNTabEd::SetPopupMCaptions(int ix, const QString& Value) {
  if (ix < 1 || ix > NrSubItems) return;
  for (int M : {0, 1}) FSubItems[size_t(M)][size_t(ix - 1)]->SetCaption(Value.left(MaxCaptionLength));
}

QString TNTabEd::PopupUCaptions(int ix) const {
  return ix >= 1 && ix <= NrSubItems ? FSubItems[2][size_t(ix - 1)]->Caption() : QString();
}

void TNTabEd::SetPopupUCaptions(int ix, const QString& Value) {
  if (ix < 1 || ix > NrSubItems) return;
  for (int M : {2, 3}) FSubItems[size_t(M)][size_t(ix - 1)]->SetCaption(Value.left(MaxCaptionLength));
}

// ---- opening the menus ------------------------------------------------------------------

void TNTabEd::OpenDataMenu(int X, int Y) {
  const QString Name = FDataReadOnly ? QStringLiteral("CHECKEDBOX") : QStringLiteral("EMPTYBOX");
  host::TBitmap Box, HiRes;
  try {
    Box.LoadFromResourceName(Name);
    HiRes.LoadFromResourceName(Name + QStringLiteral("@2x"));
  } catch (const host::EInvalidGraphic&) {
    // A picture that cannot be read leaves the item without it (or with the plain one).
  }
  FDItems[8]->SetBitmap(Box, &HiRes);
  ApplyMasks();
  if (OnBeforePopup) OnBeforePopup(this, FPopupDT);
  const QPoint P = mapToGlobal(QPoint(X, Y));
  FPopupDT->Popup(P.x(), P.y());
}

void TNTabEd::OpenHeadingMenu() {
  const bool ColumnCell = FClicked.Y <= FRowOffset;
  const bool Editable = !FDataReadOnly;
  FHItems[0]->SetEnabled(FPopupHMask & 0x01);
  FHItems[1]->SetEnabled((FPopupHMask & 0x02) && ColumnCell);
  FHItems[2]->SetEnabled(FPopupHMask & 0x04);
  FHItems[3]->SetEnabled((FPopupHMask & 0x08) && Editable);
  FHItems[4]->SetEnabled((FPopupHMask & 0x10) && Editable);
  const QString Kind = ColumnCell ? QStringLiteral("Column") : QStringLiteral("Row");
  FHItems[2]->SetCaption(QStringLiteral("Select ") + Kind);
  FHItems[3]->SetCaption(QStringLiteral("Insert ") + Kind);
  FHItems[4]->SetCaption(QStringLiteral("Delete ") + Kind);
  InvertClickedOutline();
  if (OnBeforePopup) OnBeforePopup(this, FPopupHT);
  const QRect R = CellRect(FClicked.X, FClicked.Y);
  const QPoint P = mapToGlobal(R.topLeft() + QPoint(20, 20));
  FPopupHT->Popup(P.x(), P.y());
}

// An inverted frame one pixel beyond the cell's right and bottom edges,
// drawn straight onto the screen image; the repaint after the menu removes it.
void TNTabEd::InvertClickedOutline() {
  const QRect R = CellRect(FClicked.X, FClicked.Y);
  if (R.isEmpty()) return;
  TCanvas& C = Canvas();
  C.Pen().SetMode(host::pmNot);
  C.Brush().SetStyle(host::bsClear);
  C.Rectangle(R.left(), R.top(), R.left() + R.width() + 1, R.top() + R.height() + 1);
  C.Pen().SetMode(host::pmCopy);
  C.Brush().SetStyle(host::bsSolid);
  update();
}

// ---- marking ------------------------------------------------------------------------------

void TNTabEd::MarkBlock(int Scope, std::uint8_t Bit, bool On) {
  TGridRect B = TableSelection();
  if (Scope == scColumn || Scope == scAll) B.Top = 1, B.Bottom = NrOfRows();
  if (Scope == scRow || Scope == scAll) B.Left = 1, B.Right = NrOfColumns();
  {
    TBulk Bulk(this);
    for (int C = std::max(1, B.Left); C <= std::min(B.Right, NrOfColumns()); ++C)
      for (int R = std::max(1, B.Top); R <= std::min(B.Bottom, NrOfRows()); ++R) {
        const std::uint8_t S = FData->GetCellState(C, R);
        FData->SetCellState(C, R, On ? S | Bit : S & ~Bit);
      }
  }
  Invalidate();
  ChangedCellStates();
}

void TNTabEd::ToggleEmptySelection() {
  const TGridRect B = TableSelection();
  {
    TBulk Bulk(this);
    for (int C = std::max(1, B.Left); C <= std::min(B.Right, NrOfColumns()); ++C)
      for (int R = std::max(1, B.Top); R <= std::min(B.Bottom, NrOfRows()); ++R)
        FData->SetCellState(C, R, FData->GetCellState(C, R) ^ csEmpty);
  }
  Invalidate();
  ChangedCellStates();
}

void TNTabEd::ToggleReadOnly() {
  SetDataReadOnly(!FDataReadOnly);
  ChangedSetup();
}

// ---- selection -----------------------------------------------------------------------------

// Table block (Left, Top) of Width x Height cells, clipped to the table.
void TNTabEd::SetSelectionBlock(int Left, int Top, int Width, int Height) {
  const int L = std::clamp(Left, 1, NrOfColumns()), T = std::clamp(Top, 1, NrOfRows());
  const int R = std::clamp(Left + std::max(1, Width) - 1, L, NrOfColumns());
  const int B = std::clamp(Top + std::max(1, Height) - 1, T, NrOfRows());
  SetSelection({L + FColOffset, T + FRowOffset, R + FColOffset, B + FRowOffset});
  Invalidate();
  TrackSelection();
}

void TNTabEd::SelectAllElements() {
  SetSelection({FColOffset + 1, FRowOffset + 1, ColCount() - 1, RowCount() - 1});
  Invalidate();
  FLastSel = Selection();
  ChangedSelection();
}

void TNTabEd::SelectClickedLine() {
  if (FClicked.Y <= FRowOffset)
    SetSelection({FClicked.X, FRowOffset + 1, FClicked.X, RowCount() - 1});
  else
    SetSelection({FColOffset + 1, FClicked.Y, ColCount() - 1, FClicked.Y});
  Invalidate();
  FLastSel = Selection();
  ChangedSelection();
}

void TNTabEd::InsertClickedLine() {
  {
    TBulk Bulk(this, false);
    if (FClicked.Y <= FRowOffset) {
      const int Col = FClicked.X - FColOffset;
      InsertColumn(Col);
      FData->SetColName(Col, QStringLiteral("(...)"));
    } else {
      const int Row = FClicked.Y - FRowOffset;
      InsertRow(Row);
      FData->SetRowName(Row, QStringLiteral("(...)"));
    }
  }
  Invalidate();
  ChangedSetup();
}

void TNTabEd::DeleteClickedLine() {
  if (FClicked.Y <= FRowOffset) RemoveColumn(FClicked.X - FColOffset);
  else RemoveRow(FClicked.Y - FRowOffset);
  ChangedSetup();
}

void TNTabEd::ChangeClickedPrecision() {
  const int Col = FClicked.X - FColOffset;
  if (FClicked.Y > FRowOffset || Col < 1 || Col > NrOfColumns()) return;
  const int D = FDecPlaces[size_t(Col - 1)];
  {
    TBulk Bulk(this);
    SetPrecision(Col, D < 0 ? 10 : D - 1);
  }
  Refresh();
  // The menu opens again, so the user can step on; it is closing right now.
  QMetaObject::invokeMethod(this, [this] { Guarded([this] { OpenHeadingMenu(); }); },
                            Qt::QueuedConnection);
  ChangedLayout();
}

// ---- clearing, copy and paste -----------------------------------------------------------------

void TNTabEd::ClearSelection() {
  HideEditor();
  const TGridRect B = TableSelection();
  {
    TBulk Bulk(this, false);
    TMatrix& M = FData->Matrix();
    for (int C = std::max(1, B.Left); C <= std::min(B.Right, NrOfColumns()); ++C)
      for (int R = std::max(1, B.Top); R <= std::min(B.Bottom, NrOfRows()); ++R) {
        M.Set(C, R, 0);
        FData->SetCellState(C, R, 0);
      }
  }
  Invalidate();
  Notify(this, OnPaste, &TNTabEd::pasted);
  ChangedData();
  ChangedCellStates();
}

void TNTabEd::CopySelection() {
  HideEditor();
  TGridRect B = TableSelection();
  B.Left = std::max(1, B.Left);
  B.Top = std::max(1, B.Top);
  B.Right = std::min(B.Right, NrOfColumns());
  B.Bottom = std::min(B.Bottom, NrOfRows());
  if (B.Left > B.Right || B.Top > B.Bottom) return;
  const int W = B.Right - B.Left + 1, H = B.Bottom - B.Top + 1;
  FCopyBuffer->Resize(W, H);
  // Both tables keep a column together: the block is copied column by column,
  // and the text is then written row by row from the small copy.
  TMatrix& Copy = FCopyBuffer->Matrix();
  for (int C = 1; C <= W; ++C)
    for (int R = 1; R <= H; ++R) {
      Copy.At(C, R) = FData->GetElem(B.Left + C - 1, B.Top + R - 1);
      FCopyBuffer->SetCellState(C, R, FData->GetCellState(B.Left + C - 1, B.Top + R - 1));
    }
  QString Text;
  for (int R = 0; R < H; ++R) {
    for (int C = 0; C < W; ++C) {
      const int TC = B.Left + C;
      const double V = Copy.At(C + 1, R + 1);
      const std::uint8_t S = FCopyBuffer->GetCellState(C + 1, R + 1);
      Text += C == 0 ? QLatin1Char(' ') : QLatin1Char('\t');
      if ((S & (csInvalid | csEmpty)) || !std::isfinite(V)) {
        Text += QLatin1String("####");
      } else if (FClipboardUseFullPrec) {
        Text += FullPrecisionText(V);
      } else {
        const int D = FDecPlaces[size_t(TC - 1)];
        Text += D < 0 ? host::FormatE(V, 15, QLatin1Char('.')) : host::FormatF(V, D, QLatin1Char('.'));
      }
    }
    Text += QLatin1String("\r\n");
  }
  host::SetClipboardText(Text);
  FCopyAvailable = true;
  ApplyMasks();
}

void TNTabEd::PasteBlock() {
  if (!FCopyAvailable || FDataReadOnly) return;
  HideEditor();
  const TGridRect B = TableSelection();
  const int W = FCopyBuffer->NrOfColumns(), H = FCopyBuffer->NrOfRows();
  {
    TBulk Bulk(this, false);
    TMatrix& M = FData->Matrix();
    for (int C = 1; C <= W; ++C)
      for (int R = 1; R <= H; ++R) {
        M.Set(B.Left + C - 1, B.Top + R - 1, FCopyBuffer->GetElem(C, R));
        FData->SetCellState(B.Left + C - 1, B.Top + R - 1, FCopyBuffer->GetCellState(C, R));
      }
  }
  Invalidate();
  ChangedData();
  ChangedCellStates();
  Notify(this, OnPaste, &TNTabEd::pasted);
  SetSelectionBlock(B.Left, B.Top, W, H);
}

void TNTabEd::ExtractFromClipboard() {
  if (FDataReadOnly) return;
  const QString Text = host::ClipboardText();
  if (Text.isEmpty()) return;
  HideEditor();
  const TGridRect B = TableSelection();
  int Width = 0, Height = 0;
  {
    TBulk Bulk(this, false);
    TMatrix& M = FData->Matrix();
    ScanClipNumbers(Text, [&](int N, int Line, double V) {
      M.Set(B.Left + N, B.Top + Line, V);
      Width = std::max(Width, N + 1);
      Height = std::max(Height, Line + 1);
    });
  }
  Invalidate();
  ChangedData();
  Notify(this, OnPaste, &TNTabEd::pasted);
  if (Width > 0) SetSelectionBlock(B.Left, B.Top, Width, Height);
}

bool TNTabEd::GetClipMatrixSize(int& NCols, int& NRows) const {
  return ClipMatrixSize(host::ClipboardText(), NCols, NRows);
}

}  // namespace qor
