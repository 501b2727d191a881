#include "foundation/qor_stringl.h"

#include <QRandomGenerator>
#include <algorithm>

#include "host/qor_format.h"

namespace qor {

QString strff(double Value, int Width, int Decimals) {
  const QString Text = host::FormatF(Value, std::clamp(Decimals, 0, 18), QChar('.'));
  return Text.rightJustified(std::clamp(Width, 0, MaxShortString), QChar(' '));
}

int NumberedPos(const QString& Sub, const QString& S, int Start, int N, bool IgnoreCase) {
  if (Sub.isEmpty() || N < 1) return 0;
  const Qt::CaseSensitivity CS = IgnoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
  qsizetype From = std::max(Start, 1) - 1;
  for (int Found = 0; From <= S.size();) {
    const qsizetype At = S.indexOf(Sub, From, CS);
    if (At < 0) return 0;
    if (++Found == N) return static_cast<int>(At + 1);
    From = At + 1;
  }
  return 0;
}

QString ReplaceCharInString(const QString& S, QChar Old, QChar New) {
  QString Result = S;
  Result.replace(Old, New);
  return Result;
}

QString StripLeadingChars(QChar C, const QString& S) {
  qsizetype I = 0;
  while (I < S.size() && S[I] == C) ++I;
  return S.mid(I);
}

QString StripTrailingChars(QChar C, const QString& S) {
  qsizetype N = S.size();
  while (N > 0 && S[N - 1] == C) --N;
  return S.left(N);
}

QString EnsureTrailingChar(QChar C, const QString& S) {
  return S.endsWith(C) ? S : S + C;
}

QString EnsureTrailingBkSlash(const QString& S) { return EnsureTrailingChar(QChar('\\'), S); }

QString LeftString(const QString& S, int N) {
  if (N <= 0) return {};
  return S.leftJustified(N, QChar(' '), true);
}

QString RemoveControlChars(const QString& S) {
  QString Result;
  Result.reserve(S.size());
  for (const QChar C : S)
    if (C.unicode() >= u' ') Result.append(C);
  return Result;
}

int Tokenize(const QString& S, const QString& Delimiters, TOpenStringArray& Tokens) {
  Tokens.clear();
  qsizetype Begin = 0;
  for (qsizetype I = 0; I <= S.size(); ++I) {
    if (I < S.size() && !Delimiters.contains(S[I])) continue;
    if (I > Begin) Tokens.append(S.mid(Begin, std::min<qsizetype>(I - Begin, MaxShortString)));
    Begin = I + 1;
  }
  return static_cast<int>(Tokens.size());
}

QString InventPassword(int N) {
  static constexpr char16_t Alphabet[] = u"ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz23456789";
  constexpr int AlphabetSize = static_cast<int>(std::size(Alphabet)) - 1;
  const int Length = std::clamp(N, 0, MaxShortString);
  QString Result(Length, QChar());
  QRandomGenerator* Random = QRandomGenerator::system();
  for (QChar& C : Result) C = QChar(Alphabet[Random->bounded(AlphabetSize)]);
  return Result;
}

}  // namespace qor
