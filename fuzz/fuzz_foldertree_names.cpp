// Feeds arbitrary folder names to TFolderTree::MakeSubFolder and removes what
// it made again with RemoveSelectedFolder. Whatever the name, nothing may be
// created or removed outside the tree's root folder, nothing through the
// symbolic link inside it, and a reported success must have selected an
// existing folder below the root.
//
// Sandbox layout:   <sandbox>/root/sub/   <sandbox>/root/link -> <sandbox>/outside/
// Input: one byte choosing the selected folder (root, sub, link), then the
// name in UTF-8.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "browsing/qor_foldertree.h"

using namespace qor;

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

struct TSandbox {
  TSandbox() {
    Root = Dir.path() + QStringLiteral("/root/");
    Outside = Dir.path() + QStringLiteral("/outside/");
    QDir().mkpath(Root + QStringLiteral("sub"));
    QDir().mkpath(Outside);
    QFile::link(Outside, Root + QStringLiteral("link"));
    Tree.SetRootFolder(Root);
  }
  QStringList Entries(const QString& Path) const {
    return QDir(Path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
  }
  // Removes whatever a run made below the root.
  void Restore() {
    for (const QString& E : Entries(Root))
      if (E != QStringLiteral("sub") && E != QStringLiteral("link")) QDir(Root + E).removeRecursively();
    for (const QString& E : Entries(Root + QStringLiteral("sub")))
      QDir(Root + QStringLiteral("sub/") + E).removeRecursively();
  }

  QTemporaryDir Dir;
  QString Root, Outside;
  TFolderTree Tree;
};

TSandbox* Sandbox = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* Argc, char*** Argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication App(*Argc, *Argv);
  Sandbox = new TSandbox;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size < 1 || Size > 4096) return 0;
  TSandbox& S = *Sandbox;
  static const char* Selected[] = {"", "sub", "link"};
  Check(S.Tree.SelectPath(S.Root + QString::fromLatin1(Selected[Data[0] % 3])));
  const QString Name = QString::fromUtf8(reinterpret_cast<const char*>(Data + 1), qsizetype(Size - 1));
  if (S.Tree.MakeSubFolder(Name)) {
    const QString Made = S.Tree.Directory();
    Check(Made.startsWith(S.Root) && Made.size() > S.Root.size() && QDir(Made).exists());
    S.Tree.RemoveSelectedFolder();
  }
  Check(S.Entries(S.Dir.path()) == (QStringList{QStringLiteral("outside"), QStringLiteral("root")}));
  Check(S.Entries(S.Outside).isEmpty());
  Check(QFileInfo(S.Root + QStringLiteral("link")).isSymLink() && QDir(S.Root + QStringLiteral("sub")).exists());
  S.Restore();
  return 0;
}
