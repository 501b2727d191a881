// The report list's row editor: TReportListView::EditRowEntries builds a
// dialog from the column format strings, one labelled control per column, and
// writes the control values back into the row on OK. This header holds the
// two readers it is made of: the column format reader and the date/time reader.
//
// Column format "[" type "]" "[" width "]" default-part:
//   type     s   one-line edit box (also a format without a "[...]" pair:
//                width 200, the whole format as default part)
//            c   combo box with an edit field, l  combo box restricted to its
//                list; ":" n sets the drop-down count; default part =
//                items separated by "|"
//            d   date/time picker; the rest of the type is its date/time format
//                (yyyy-MM-dd when the type is just "d")
//            e f h i   TNumIO with itDynamic, itFloat, itHex, itInt
//            ""  no control, just the label; other letters: the same
//            a leading "#" makes the control read-only (disabled, grey)
//   width    pixels; missing or below 1 gives 200
//   default  the value of an empty cell: "rix" n (numeric types) is the row
//            number with n digits, "$pwd$" n (type s) a new password of n
//            characters
//
// Dialog layout (Offset = (0, 0) and top margin 45 on the editor's own form,
// the caller's offset and margin 0 on a container form):
//   label of column c     (Offset.x + 8, y + 3), width LW, right-aligned,
//                         y = margin + (c - 1) * 25 + Offset.y
//   control of column c   (LW + Offset.x + 12, y), the column's width
//   own form              W + LW + 28 wide, NrOfColumns * 25 + 83 high, with
//                         OK (81 x 29) at (W + LW - 154, 4) and Cancel at
//                         (W + LW - 69, 4)
//   LW = widest header + 8, W = widest control width
// Keys: Enter in any editable control confirms (OK); Escape or the window's
// closing box cancels; Tab moves through the controls in column order.
#pragma once

#include <QString>
#include <QStringList>

#include "host/qor_format.h"
#include "qorkit_export.h"

namespace qor {

// A column format string read into its parts.
struct TColumnFormat {
  QString Type;          // the type without a leading "#"
  bool ReadOnly = false;
  int Width = 200;       // at least 1
  QString DefaultPart;

  // The type letter, or the null character for an empty type.
  QChar Letter() const { return Type.isEmpty() ? QChar() : Type[0]; }
  // Drop-down count after ":" in the type; 0 when there is none.
  int DropDownCount() const;
  // The items of a "c" or "l" default part.
  QStringList Items() const;
};

QORKIT_EXPORT TColumnFormat ReadColumnFormat(const QString& Format);

// Names of the controls the row editor adds to its form, followed by the
// column number; each input control's Tag holds its column number.
inline constexpr char RowEditNamePrefix[] = "runtime_rlre_";
inline constexpr char RowEditLabelName[] = "runtime_rlre_Label";
inline constexpr char RowEditEditName[] = "runtime_rlre_Edit";
inline constexpr char RowEditComboName[] = "runtime_rlre_CBox";
inline constexpr char RowEditDatePickName[] = "runtime_rlre_DtPick";
inline constexpr char RowEditNumIOName[] = "runtime_rlre_NumIO";

// Error codes of the date/time reader.
enum TDateReadError : int {
  drOK = 0,
  drLiteralMismatch = -1,  // a literal of the format is not at the start of the text
  drBadToken = -2,         // a run of a token letter the reader does not know ("yyy")
  drBadField = -3,         // a fixed-width field is not a number, or a name is not found
};

// Reads Text by the date/time Format. Elements of the format, from its start:
//   'text'    a quoted literal ('' is one quote); other characters up to the
//             next token letter or quote are a plain literal; a literal must
//             stand at the start of the text and is removed from it
//   yyyy yy   year: 4 digits; 2 digits in the century window of 50 years
//             before the current year
//   MMMM MMM  month name / its first three letters (English, any case)
//   MM M      month: 2 digits / an integer (blanks, sign, digits)
//   dddd ddd  weekday name / abbreviation (English, any case; not used)
//   dd d      day;  HH H  hour;  mm m  minutes;  ss s  seconds
//   hh h      hour on the 12-hour clock (before noon unless t/tt say else)
//   t tt      one character ("a" = before noon) / two ("am" = before noon)
// Error receives a TDateReadError code; the result is 0 on error. A date is
// returned when year, month or day was read as non-zero, else the time alone.
// Fields that make no valid date or time (month 13, year 0 with a month, hour
// 25) raise EQORRepListError.
QORKIT_EXPORT TDateTime ReadDateTimeText(const QString& Text, const QString& Format, int& Error);

}  // namespace qor
