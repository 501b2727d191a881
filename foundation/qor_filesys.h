// File-system queries.
#pragma once

#include <QString>

#include "qorkit_export.h"

namespace qor {

// True when Path names an existing folder.
QORKIT_EXPORT bool DirExists(const QString& Path);
// The folder that contains Path, ending in the separator Path uses ("/" or
// "\"): "/data/a/b/" and "/data/a/b" give "/data/a/", "C:\x\" gives "C:\".
// Empty when Path has no parent (a root, a bare name, an empty text).
QORKIT_EXPORT QString ParentDir(const QString& Path);

}  // namespace qor
