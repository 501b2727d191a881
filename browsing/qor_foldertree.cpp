#include "browsing/qor_foldertree.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <algorithm>
#include <filesystem>

#include "foundation/qor_filesys.h"

namespace qor {

namespace fs = std::filesystem;

namespace {

const QString Placeholder = QStringLiteral("Child");

fs::path ToFs(const QString& Path) { return fs::path(QFile::encodeName(Path).toStdString()); }

bool IsListed(const std::string& Name) { return !Name.empty() && Name[0] != '.'; }

// True when Folder holds at least one listed sub-folder; stops at the first.
bool HasSubFolder(const fs::path& Folder) {
  std::error_code Ec;
  fs::directory_iterator It(Folder, fs::directory_options::skip_permission_denied, Ec);
  for (; !Ec && It != fs::directory_iterator(); It.increment(Ec))
    if (IsListed(It->path().filename().native()) && It->is_directory(Ec)) return true;
  return false;
}

// Characters a folder name never contains.
bool ForbiddenChar(QChar C) {
  return C.unicode() < 32 || C == u'<' || C == u'>' || C == u'|' || C == u'"';
}

// The wait cursor for one scope.
class TWaitCursor {
 public:
  TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
};

}  // namespace

TFolderTree::TFolderTree(QWidget* AOwner) : TCustomTreeView(AOwner) {
  SetReadOnly(true);
  SetMultiSelect(false);
  Reset();
}

// ---- properties ------------------------------------------------------------------------

void TFolderTree::SetRootFolder(const QString& Path) {
  if (!QDir::isAbsolutePath(Path) || !DirExists(Path)) return;
  QString Root = QDir::cleanPath(Path);
  if (!Root.endsWith(u'/')) Root += u'/';
  if (!qor::Change(FRoot, Root)) return;
  Reset();
}

void TFolderTree::SetColor(TColor C) {
  FRememberedColor = C;
  ApplyColor(isEnabled() ? C : clBtnFace);
}

void TFolderTree::changeEvent(QEvent* E) {
  if (E->type() == QEvent::EnabledChange) ApplyColor(isEnabled() ? FRememberedColor : clBtnFace);
  TCustomTreeView::changeEvent(E);
}

void TFolderTree::Loaded() {
  if (FRememberedColor == clBlack) FRememberedColor = clWhite;
  SetColor(FRememberedColor);
  FullCollapse();
}

// ---- reading -------------------------------------------------------------------------------

// The listed sub-folders of Path (symbolic links to folders included), each
// with whether it has listed sub-folders itself, in display order: by the
// lower-cased names, equal keys keeping the order the file system gave them.
std::vector<TFolderTree::TFolder> TFolderTree::ReadFolder(const QString& Path) const {
  std::vector<TFolder> Out;
  std::vector<fs::path> Paths;
  std::error_code Ec;
  fs::directory_iterator It(ToFs(Path), fs::directory_options::skip_permission_denied, Ec);
  for (; !Ec && It != fs::directory_iterator(); It.increment(Ec)) {
    const std::string Name = It->path().filename().native();
    std::error_code TypeEc;
    if (!IsListed(Name) || !It->is_directory(TypeEc)) continue;
    Out.push_back({QFile::decodeName(Name.c_str()), false});
    Paths.push_back(It->path());
  }
  for (std::size_t I = 0; I < Out.size(); ++I) Out[I].HasSubDirs = HasSubFolder(Paths[I]);
  std::vector<std::pair<QString, std::size_t>> Keys;
  Keys.reserve(Out.size());
  for (std::size_t I = 0; I < Out.size(); ++I) Keys.emplace_back(Out[I].Name.toLower(), I);
  std::stable_sort(Keys.begin(), Keys.end(), [](const auto& A, const auto& B) { return A.first < B.first; });
  std::vector<TFolder> Sorted;
  Sorted.reserve(Out.size());
  for (const auto& K : Keys) Sorted.push_back(std::move(Out[K.second]));
  return Sorted;
}

bool TFolderTree::GetSubDirs(const QString& Path, QStringList& DirList) const {
  DirList.clear();
  if (!DirExists(Path)) return false;
  for (const TFolder& F : ReadFolder(Path)) DirList << F.Name;
  return !DirList.isEmpty();
}

bool TFolderTree::GetSubDirs(TTreeNode* Node, QStringList& DirList) const {
  if (!Node) {
    DirList.clear();
    return false;
  }
  return GetSubDirs(NodePath(Node), DirList);
}

QString TFolderTree::NodePath(const TTreeNode* Node) const {
  if (!Node) return {};
  // The root's text is the root path itself, ending in "/".
  if (!Node->parent()) return Node->text(0);
  return NodePath(Node->parent()) + Node->text(0) + u'/';
}

// ---- the tree --------------------------------------------------------------------------------

void TFolderTree::BuildTree() {
  FRebuilding = true;
  clear();
  auto* Root = new QTreeWidgetItem(this, QStringList(FRoot));
  new QTreeWidgetItem(Root, QStringList(Placeholder));
  setCurrentItem(Root);
  FRebuilding = false;
}

void TFolderTree::FillNode(TTreeNode* Node, const std::vector<TFolder>& Folders) {
  const QList<QTreeWidgetItem*> Old = Node->takeChildren();
  qDeleteAll(Old);
  if (Folders.empty()) return;
  Node->setData(0, Qt::UserRole, QVariant::fromValue<quintptr>(ReadMarker));
  QList<QTreeWidgetItem*> Children;
  Children.reserve(qsizetype(Folders.size()));
  for (const TFolder& F : Folders) {
    auto* Child = new QTreeWidgetItem(QStringList(F.Name));
    if (F.HasSubDirs) new QTreeWidgetItem(Child, QStringList(Placeholder));
    Children << Child;
  }
  Node->addChildren(Children);
}

bool TFolderTree::CanExpand(TTreeNode* Node) {
  if (!Designing() && Node->data(0, Qt::UserRole).value<quintptr>() != ReadMarker) {
    TWaitCursor Wait;
    FillNode(Node, ReadFolder(NodePath(Node)));
  }
  return TCustomTreeView::CanExpand(Node);
}

TTreeNode* TFolderTree::FindChild(TTreeNode* Node, const QString& Name) {
  for (int I = 0; I < Node->childCount(); ++I)
    if (Node->child(I)->text(0) == Name) return Node->child(I);
  return nullptr;
}

void TFolderTree::SetDirectory(const QString& Dir) {
  if (!qor::Change(FDirectory, Dir)) return;
  if (OnDirChanged) OnDirChanged(this);
  Q_EMIT dirChanged(FDirectory);
}

// A selection changed by the keyboard or by code counts as a click; a mouse
// click reports itself when the button is released.
void TFolderTree::Change(TTreeNode* Node) {
  if (FRebuilding || !Node) return;
  if (!MouseInProgress()) Click();
  const QString Before = FDirectory;
  FDirectory = NodePath(Node);
  TCustomTreeView::Change(Node);
  if (FDirectory != Before) {
    if (OnDirChanged) OnDirChanged(this);
    Q_EMIT dirChanged(FDirectory);
  }
}

void TFolderTree::Reset() {
  BuildTree();
  collapseAll();
  SetDirectory(FRoot);
}

bool TFolderTree::SplitBelowRoot(const QString& Path, QStringList& Components) const {
  if (!QDir::isAbsolutePath(Path)) return false;
  const QString Clean = QDir::cleanPath(Path);
  const QString Root = FRoot.chopped(1);  // "" for "/"
  if (Clean != Root && Clean != FRoot && !Clean.startsWith(Root + u'/')) return false;
  Components = Clean.mid(Root.size()).split(u'/', Qt::SkipEmptyParts);
  return true;
}

bool TFolderTree::FreeOfLinks(const QStringList& Components) const {
  fs::path P = ToFs(FRoot);
  for (const QString& C : Components) {
    P /= ToFs(C);
    std::error_code Ec;
    if (fs::is_symlink(fs::symlink_status(P, Ec))) return false;
  }
  return true;
}

bool TFolderTree::SelectPath(const QString& Path) {
  QStringList Components;
  if (!SplitBelowRoot(Path, Components) || !DirExists(Path)) return false;
  for (const QString& C : Components)
    if (C.startsWith(u'.')) return false;
  BuildTree();
  TTreeNode* Node = TopNode();
  bool Complete = true;
  for (const QString& C : Components) {
    expandItem(Node);
    TTreeNode* Next = FindChild(Node, C);
    if (!Next) {
      Complete = false;
      break;
    }
    Node = Next;
  }
  if (Complete) expandItem(Node);
  // Through "no node" so that the selection reports itself even when it
  // lands on the root again.
  FRebuilding = true;
  setCurrentItem(nullptr);
  FRebuilding = false;
  setCurrentItem(Node);
  scrollToItem(Node);
  setFocus(Qt::OtherFocusReason);
  return Complete;
}

bool TFolderTree::RefreshTree() {
  const QString Before = FDirectory;
  QString Dir = FDirectory;
  bool Ok = SelectPath(Dir);
  while (!Ok && Dir != FRoot && !Dir.isEmpty()) {
    Dir = ParentDir(Dir);
    FDirectory = Dir;
    Ok = SelectPath(Dir);
  }
  if (!Ok) {
    BuildTree();
    FDirectory = FRoot;
  }
  if (FDirectory != Before) {
    if (OnDirChanged) OnDirChanged(this);
    Q_EMIT dirChanged(FDirectory);
  }
  return Ok;
}

bool TFolderTree::MakeSubFolder(const QString& FolderName) {
  TTreeNode* Node = Selected();
  if (!Node) return false;
  if (std::any_of(FolderName.begin(), FolderName.end(), ForbiddenChar)) return false;
  QString Name = FolderName;
  Name.replace(u'\\', u'/');
  while (Name.startsWith(u'/')) Name.remove(0, 1);
  while (Name.endsWith(u'/')) Name.chop(1);
  const QStringList Parts = Name.split(u'/');
  if (Name.isEmpty() || std::any_of(Parts.begin(), Parts.end(), [](const QString& P) {
        return P.isEmpty() || P.startsWith(u'.');
      }))
    return false;
  const QString Base = NodePath(Node);
  QStringList BaseParts;
  if (!SplitBelowRoot(Base, BaseParts) || !FreeOfLinks(BaseParts)) return false;
  fs::path P = ToFs(Base);
  for (const QString& Part : Parts) {
    P /= ToFs(Part);
    std::error_code Ec;
    const fs::file_status S = fs::symlink_status(P, Ec);
    if (fs::is_symlink(S)) return false;
    if (fs::exists(S)) {
      if (!fs::is_directory(S)) return false;
      continue;
    }
    if (!fs::create_directory(P, Ec) || Ec) return false;
  }
  return SelectPath(Base + Name + u'/');
}

bool TFolderTree::RemoveSelectedFolder() {
  TTreeNode* Node = Selected();
  if (!Node || !Node->parent()) return false;
  const QString Path = NodePath(Node);
  QStringList Parts;
  if (!SplitBelowRoot(Path, Parts) || Parts.isEmpty() || !FreeOfLinks(Parts)) return false;
  const fs::path P = ToFs(Path.chopped(1));
  std::error_code Ec;
  if (!fs::is_directory(fs::symlink_status(P, Ec))) return false;
  // remove() on a folder removes it only when it is empty.
  const bool Removed = fs::remove(P, Ec) && !Ec;
  QCoreApplication::processEvents();
  if (Removed) SelectPath(ParentDir(Path));
  return Removed;
}

}  // namespace qor
