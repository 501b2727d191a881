// TFolderTree: a tree of the file system's folders for picking one. Folders
// are read lazily, one level per expanded node: a node not read yet carries
// one placeholder child ("Child") so that it shows an expand button, and a node
// whose sub-folders were read carries the marker ReadMarker in its data word.
// Folders whose names begin with "." are never listed.
//
// Paths: the tree has one root, the file-system root "/" or the folder set as
// RootFolder, and never leaves it. Components are separated by "/"; the path
// of a node is its parent's path followed by its own text and "/", so
// Directory and every path the tree reports end in "/". Names are compared
// exactly as the file system does (case-sensitively on Linux) and are never
// lower-cased; only the display order ignores letter case (alpha, Beta, gamma).
//
// Safety:
//   MakeSubFolder   refuses control characters, < > | and the double quotation
//                   mark, empty components, components beginning with "."
//                   (among them "." and ".."), and any selected folder that lies
//                   in or behind a symbolic link; it creates only below the
//                   selected folder ("\" is taken as a separator like "/")
//   RemoveSelectedFolder  removes only an empty real folder: never the root,
//                   never a symbolic link or anything reached through one
//   unreadable folders   show no children and raise no error
//   folders removed or renamed on disk  RefreshTree selects the nearest
//                   existing ancestor
//
// While a folder is read the wait cursor shows. The background is Color
// while enabled and the button face while disabled (following Qt's effective
// enabled state, so disabling a parent greys the tree too).
#pragma once

#include <QStringList>

#include "host/qor_tree.h"

namespace qor {

class QORKIT_EXPORT TFolderTree : public TCustomTreeView {
  Q_OBJECT
  Q_PROPERTY(bool OldTreeStyle READ OldTreeStyle WRITE SetOldTreeStyle)
  Q_PROPERTY(qor::TColor Color READ Color WRITE SetColor)
  Q_PROPERTY(QString RootFolder READ RootFolder WRITE SetRootFolder)
  Q_PROPERTY(QString Directory READ Directory NOTIFY dirChanged)

 public:
  static constexpr quintptr ReadMarker = 0xA5F016ED;

  explicit TFolderTree(QWidget* AOwner = nullptr);

  // The selected folder's path, ending in "/".
  QString Directory() const { return FDirectory; }
  // The folder the tree is rooted at ("/" by default); a path that is not an
  // existing folder is ignored. Setting it resets the tree.
  QString RootFolder() const { return FRoot; }
  void SetRootFolder(const QString& Path);

  // Kept for forms; the Qt style draws every tree the same way.
  bool OldTreeStyle() const { return FOldTreeStyle; }
  void SetOldTreeStyle(bool On) { FOldTreeStyle = On; }

  // The colour last set, applied whenever the tree is enabled.
  TColor Color() const override { return FRememberedColor; }
  void SetColor(TColor C) override;

  // Directory becomes the root; the tree holds the root node only, collapsed.
  void Reset();
  // Selects the folder Path (inside the root), expanding the nodes on the way,
  // and focuses the tree. False (nothing changed) for a missing folder, a path
  // outside the root or one through a folder beginning with ".".
  bool SelectPath(const QString& Path);
  // Selects Directory again after changes on disk, or its nearest existing ancestor.
  bool RefreshTree();
  // Creates FolderName ("a/b" creates both) below the selected folder and selects it.
  bool MakeSubFolder(const QString& FolderName);
  // Removes the selected folder when it is empty and selects its parent.
  bool RemoveSelectedFolder();
  // The sub-folders of Path (or of Node's folder) in display order; false when
  // there is none or the folder does not exist.
  bool GetSubDirs(const QString& Path, QStringList& DirList) const;
  bool GetSubDirs(TTreeNode* Node, QStringList& DirList) const;
  // The path of Node, ending in "/".
  QString NodePath(const TTreeNode* Node) const;

  TNotifyEvent OnDirChanged;

 Q_SIGNALS:
  void dirChanged(const QString& Directory);

 protected:
  bool CanExpand(TTreeNode* Node) override;
  void Change(TTreeNode* Node) override;
  void Loaded() override;
  void changeEvent(QEvent* Event) override;

 private:
  struct TFolder {
    QString Name;
    bool HasSubDirs;
  };
  std::vector<TFolder> ReadFolder(const QString& Path) const;
  void BuildTree();
  void FillNode(TTreeNode* Node, const std::vector<TFolder>& Folders);
  TTreeNode* FindChild(TTreeNode* Node, const QString& Name);
  // The components of Path below the root, or false when Path is outside it.
  bool SplitBelowRoot(const QString& Path, QStringList& Components) const;
  // True when no component of Path below the root is a symbolic link.
  bool FreeOfLinks(const QStringList& Components) const;
  void SetDirectory(const QString& Dir);

  QString FRoot = QStringLiteral("/");
  QString FDirectory;
  TColor FRememberedColor = clWindow;
  bool FOldTreeStyle = true, FRebuilding = false;
};

}  // namespace qor
