// String helpers: fixed-point texts, searching, trimming and padding,
// tokenizing and generated passwords. Character positions count from 1.
#pragma once

#include <QString>
#include <QStringList>

#include "qorkit_export.h"

namespace qor {

// A dynamic array of short strings (each at most MaxShortString characters).
using TOpenStringArray = QStringList;
inline constexpr int MaxShortString = 255;

// Value with Decimals decimals (0..18, a point as separator), padded with
// leading blanks to at least Width characters (Width at most MaxShortString).
QORKIT_EXPORT QString strff(double Value, int Width, int Decimals);
// Position (from 1) of the N-th occurrence of Sub in S at or after position
// Start; occurrences may overlap. 0 when there is none, when Sub is empty or
// when N < 1. IgnoreCase compares without regard to letter case.
QORKIT_EXPORT int NumberedPos(const QString& Sub, const QString& S, int Start, int N,
                              bool IgnoreCase = false);
QORKIT_EXPORT QString ReplaceCharInString(const QString& S, QChar Old, QChar New);
QORKIT_EXPORT QString StripLeadingChars(QChar C, const QString& S);
QORKIT_EXPORT QString StripTrailingChars(QChar C, const QString& S);
// S with C appended unless S already ends with it (an empty S becomes C).
QORKIT_EXPORT QString EnsureTrailingChar(QChar C, const QString& S);
QORKIT_EXPORT QString EnsureTrailingBkSlash(const QString& S);
// S cut or padded with blanks to exactly N characters (empty for N <= 0).
QORKIT_EXPORT QString LeftString(const QString& S, int N);
// S without the characters below the blank.
QORKIT_EXPORT QString RemoveControlChars(const QString& S);
// Splits S at every character of Delimiters into Tokens (replacing their
// contents) and returns the count. Runs of delimiters separate like one, so
// there are no empty tokens; tokens longer than MaxShortString are cut.
QORKIT_EXPORT int Tokenize(const QString& S, const QString& Delimiters, TOpenStringArray& Tokens);
// N random letters and digits from a cryptographically secure source,
// leaving out the look-alikes 0 O 1 l I. N is limited to 0..MaxShortString.
QORKIT_EXPORT QString InventPassword(int N);

}  // namespace qor
