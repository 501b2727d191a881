#include "foundation/qor_filesys.h"

#include <QFileInfo>

namespace qor {

namespace {

bool IsSeparator(QChar C) { return C == u'/' || C == u'\\'; }

}  // namespace

bool DirExists(const QString& Path) { return !Path.isEmpty() && QFileInfo(Path).isDir(); }

QString ParentDir(const QString& Path) {
  qsizetype End = Path.size();
  while (End > 0 && IsSeparator(Path[End - 1])) --End;
  qsizetype Cut = End - 1;
  while (Cut >= 0 && !IsSeparator(Path[Cut])) --Cut;
  return Cut < 0 ? QString() : Path.left(Cut + 1);
}

}  // namespace qor
