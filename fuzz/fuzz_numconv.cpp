// Feeds arbitrary text to every number scanner, typing check and formatter
// of the numeric fields and checks their invariants: no crash, positions
// within 1..Length + 1, finite values within +-uc_MaxDouble, and texts the
// checks accept scan without error.
//
// Input: one flag byte (separator mode, exponent, start position, width),
// then the text as UTF-8.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "foundation/qor_univconst.h"
#include "numio/qor_numconv_p.h"

using namespace qor;

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

bool PosInText(int Pos, const QString& Text) { return Pos >= 1 && Pos <= Text.size() + 1; }

long double Scan(const QString& Text, bool AllowExponent, int Mode, int& Pos) {
  const long double V = ScanFloatNumber(Text, AllowExponent, Mode, Pos);
  Check(PosInText(Pos, Text));
  Check(std::isfinite(V) && std::fabs(V) <= uc_MaxDouble);
  return V;
}

void CheckFloatTexts(const QString& Text, std::uint8_t Flags) {
  int Pos = 1 + (Flags >> 3) % 4;
  if (Pos <= Text.size() + 1) Scan(Text, (Flags & 4) != 0, 1 + Flags % 3, Pos);
  static constexpr TDecPSep Seps[] = {dsPoint, dsComma, dsBoth};
  for (int Mode = 1; Mode <= 3; ++Mode) {
    const TDecPSep Sep = Seps[Mode - 1];
    if (IsValidExpText(Text, Sep)) {
      // The number at the start scans to its end, and that prefix alone
      // scans completely to the same value.
      Pos = 1;
      const long double V = Scan(Text, true, Mode, Pos);
      Check(Pos > 1);
      const QString Prefix = Text.left(Pos - 1);
      int PrefixPos = 1;
      Check(Scan(Prefix, true, Mode, PrefixPos) == V);
      Check(PrefixPos == Prefix.size() + 1);
    }
    if (IsValidFloatText(Text, Sep)) {
      Pos = 1;
      Scan(Text, false, Mode, Pos);
      Check(Pos == Text.size() + 1);
    }
  }
}

void CheckIntegerTexts(const QString& Text) {
  int Pos = 1;
  const TIntScan Dec = ScanIntNumberChecked(Text, Pos);
  Check(Text.isEmpty() ? Pos == 1 : PosInText(Pos, Text));
  if (IsValidIntText(Text)) {
    Check(Pos == Text.size() + 1);
    if (Dec.Fits && Text.size() < 15) Check(Dec.Wrapped == std::strtoll(Text.toLatin1().constData(), nullptr, 10));
  }
  const struct {
    int Base;
    bool (*Valid)(const QString&);
  } Digits[] = {{16, IsValidHexText}, {8, IsValidOctText}, {2, IsValidBinText}};
  for (const auto& D : Digits) {
    Pos = 1;
    const TIntScan S = ScanDigitsChecked(Text, D.Base, Pos);
    Check(Text.isEmpty() ? Pos == 1 : PosInText(Pos, Text));
    if (D.Valid(Text)) Check(Pos == Text.size() + 1);
    const std::uint32_t U = std::uint32_t(S.Wrapped);
    int Back = 1;
    if (D.Base == 16) Check(ScanHexNumber(HexDigitText(U, 8), Back) == S.Wrapped);
    if (D.Base == 8) Check(ScanOctNumber(OctDigitText(U, 11), Back) == S.Wrapped);
    if (D.Base == 2) Check(ScanBinNumber(BinDigitText(U, 32), Back) == S.Wrapped);
  }
}

void CheckFormatting(const QString& Text, std::uint8_t Flags) {
  int Pos = 1;
  const long double V = ScanFloatNumber(Text, true, 3, Pos);
  const int Width = 8 + Flags % 16;
  const QString Exp = FormatNumberText(Width, -2, V);
  Check(Exp.size() == Width);
  if (!Exp.startsWith(QChar('*'))) {
    int Back = 1;
    const long double R = ScanFloatNumber(Exp, true, 1, Back);
    Check(Back == Exp.size() + 1);
    Check(std::fabs(R - V) <= std::fabs(V) * std::pow(10.0L, -(Width - 7)) * 5);
  }
  if (std::fabs(V) < 1e30L) {
    const QString Fixed = FormatNumberText(1, Flags % 10, V);
    int Back = 1;
    ScanFloatNumber(Fixed, false, 1, Back);
    Check(Back == Fixed.size() + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  const std::uint8_t Flags = Data[0];
  const QString Text = QString::fromUtf8(reinterpret_cast<const char*>(Data + 1), qsizetype(Size - 1));
  CheckFloatTexts(Text, Flags);
  CheckIntegerTexts(Text);
  CheckFormatting(Text, Flags);
  return 0;
}
