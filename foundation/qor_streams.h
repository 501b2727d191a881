// Line-wise reading of text streams.
#pragma once

#include <QIODevice>
#include <QString>

#include "qorkit_export.h"

namespace qor {

// The longest line ReadLnStream keeps by default, in bytes.
inline constexpr int ReadLnMaxLength = 1 << 20;

// Reads the next line of Stream (UTF-8; ended by LF, CR LF or CR, the end
// not included) and sets EndOfStream when nothing follows it. Of a longer
// line only the first MaxLength bytes are kept (0 = ReadLnMaxLength) and the
// rest is skipped, so hostile input cannot exhaust memory. An exhausted
// stream gives an empty text with EndOfStream set.
QORKIT_EXPORT QString ReadLnStream(QIODevice& Stream, bool& EndOfStream, int MaxLength = 0);

}  // namespace qor
