#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QScopeGuard>
#include <sys/wait.h>
#include <unistd.h>

#include "browsing/qor_foldertree.h"
#include "tests/support/qorkit_test_support.h"

using namespace qor;

namespace {

// Memory-backed when the system has one: folder-heavy tests then do not wait
// on the disk's journal.
QString TempTemplate() {
  const QFileInfo Shm(QStringLiteral("/dev/shm"));
  return Shm.isDir() && Shm.isWritable() ? QStringLiteral("/dev/shm/qorkit-tree-XXXXXX")
                                         : QDir::tempPath() + QStringLiteral("/qorkit-tree-XXXXXX");
}

// A sample tree inside a temporary folder:
//   alpha/x/   Beta/   gamma/   docs/readme.txt   with space/   Ünïcode 日本/
//   .hidden/   link -> alpha
class FolderTree : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Tmp.isValid());
    Root = Tmp.path() + u'/';
    for (const char* D : {"alpha/x", "Beta", "gamma", "docs", "with space", ".hidden/inner"})
      ASSERT_TRUE(QDir().mkpath(Root + QString::fromUtf8(D)));
    ASSERT_TRUE(QDir().mkpath(Root + QStringLiteral("Ünïcode 日本/sub")));
    QFile F(Root + QStringLiteral("docs/readme.txt"));
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link(Root + QStringLiteral("alpha"), Root + QStringLiteral("link")));
    T.SetRootFolder(Root);
    T.resize(300, 400);
  }

  QStringList ChildTexts(TTreeNode* Node) {
    QStringList Out;
    for (int I = 0; I < Node->childCount(); ++I) Out << Node->child(I)->text(0);
    return Out;
  }

  // Selects Node by a click on its text.
  void ClickNode(TTreeNode* Node) {
    const QRect R = T.visualItemRect(Node);
    QTest::mouseClick(T.viewport(), Qt::LeftButton, Qt::NoModifier, R.center());
  }

  QTemporaryDir Tmp{TempTemplate()};
  QString Root;
  TFolderTree T;
};

}  // namespace

TEST_F(FolderTree, RootStartsCollapsedWithAPlaceholder) {
  EXPECT_EQ(T.Directory(), Root);
  ASSERT_EQ(T.topLevelItemCount(), 1);
  TTreeNode* R = T.TopNode();
  EXPECT_EQ(R->text(0), Root);
  EXPECT_EQ(ChildTexts(R), QStringList{QStringLiteral("Child")});
  EXPECT_FALSE(R->isExpanded());

  TFolderTree Plain;  // the file-system root by default
  EXPECT_EQ(Plain.Directory(), QStringLiteral("/"));
  Plain.SetRootFolder(Root + QStringLiteral("missing"));
  EXPECT_EQ(Plain.RootFolder(), QStringLiteral("/"));
}

TEST_F(FolderTree, ExpandingReadsOneLevelSortedWithoutHiddenFolders) {
  test::ShowAndWait(T);
  T.setFocus();
  QTest::keyClick(T.viewport(), Qt::Key_Right);  // opens the current (root) node
  QTest::keyClick(&T, Qt::Key_Right);
  TTreeNode* R = T.TopNode();
  ASSERT_TRUE(R->isExpanded());
  EXPECT_EQ(ChildTexts(R), (QStringList{"alpha", "Beta", "docs", "gamma", "link", "with space",
                                        QStringLiteral("Ünïcode 日本")}));
  EXPECT_EQ(R->data(0, Qt::UserRole).value<quintptr>(), TFolderTree::ReadMarker);
  // A folder with a sub-folder shows an expand button, one with files only none.
  EXPECT_EQ(ChildTexts(R->child(0)), QStringList{QStringLiteral("Child")});
  EXPECT_EQ(R->child(2)->childCount(), 0);
  EXPECT_EQ(R->child(1)->childCount(), 0);
  // The link to a folder is listed and lists the folder's content.
  TTreeNode* Link = R->child(4);
  T.expandItem(Link);
  EXPECT_EQ(ChildTexts(Link), QStringList{QStringLiteral("x")});
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);  // the wait cursor is gone

  QStringList Dirs;
  EXPECT_TRUE(T.GetSubDirs(Root, Dirs));
  EXPECT_EQ(Dirs.size(), 7);
  EXPECT_FALSE(T.GetSubDirs(Root + QStringLiteral("docs"), Dirs));
  EXPECT_TRUE(Dirs.isEmpty());
  EXPECT_FALSE(T.GetSubDirs(Root + QStringLiteral("nowhere"), Dirs));
  EXPECT_TRUE(T.GetSubDirs(R->child(6), Dirs));
  EXPECT_EQ(Dirs, QStringList{QStringLiteral("sub")});
}

TEST_F(FolderTree, ClicksAndKeysSelectFolders) {
  test::ShowAndWait(T);
  int DirChanges = 0, Clicks = 0, Changes = 0;
  T.OnDirChanged = [&](TObject*) { ++DirChanges; };
  T.OnClick = [&](TObject*) { ++Clicks; };
  T.OnChange = [&](TObject*, TTreeNode*) { ++Changes; };
  // A click on the root's expand button opens it.
  int Expanding = 0;
  T.OnExpanding = [&](TObject*, TTreeNode*, bool&) { ++Expanding; };
  const QRect R = T.visualItemRect(T.TopNode());
  QTest::mouseClick(T.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(R.left() - T.indentation() / 2, R.center().y()));
  EXPECT_EQ(Expanding, 1);
  ASSERT_TRUE(T.TopNode()->isExpanded());
  ASSERT_GT(T.TopNode()->childCount(), 1);
  Clicks = 0;
  ClickNode(T.TopNode()->child(3));
  EXPECT_EQ(T.Directory(), Root + QStringLiteral("gamma/"));
  EXPECT_EQ(DirChanges, 1);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Clicks, 1);
  ClickNode(T.TopNode()->child(3));  // the same folder again: no change
  EXPECT_EQ(DirChanges, 1);
  // Keys: Up selects alpha's neighbour above, Right opens alpha.
  QTest::keyClick(T.viewport(), Qt::Key_Up);
  QTest::keyClick(T.viewport(), Qt::Key_Up);
  QTest::keyClick(T.viewport(), Qt::Key_Up);
  EXPECT_EQ(T.Directory(), Root + QStringLiteral("alpha/"));
  EXPECT_EQ(DirChanges, 4);
  EXPECT_EQ(Clicks, 5);  // two mouse clicks, three keyboard selections
  QTest::keyClick(T.viewport(), Qt::Key_Right);
  EXPECT_TRUE(T.TopNode()->child(0)->isExpanded());
  EXPECT_EQ(ChildTexts(T.TopNode()->child(0)), QStringList{QStringLiteral("x")});
}

TEST_F(FolderTree, SelectPathWalksDownOrChangesNothing) {
  int DirChanges = 0;
  T.OnDirChanged = [&](TObject*) { ++DirChanges; };
  EXPECT_TRUE(T.SelectPath(Root + QStringLiteral("Ünïcode 日本/sub")));
  EXPECT_EQ(T.Directory(), Root + QStringLiteral("Ünïcode 日本/sub/"));
  EXPECT_EQ(T.Selected()->text(0), QStringLiteral("sub"));
  EXPECT_EQ(DirChanges, 1);
  TTreeNode* Before = T.Selected();
  for (const QString& Bad : {Root + QStringLiteral("missing"), Root + QStringLiteral("ALPHA"),
                             Root + QStringLiteral(".hidden/inner"), QStringLiteral("/"),
                             Root + QStringLiteral("alpha/../.."), QStringLiteral("relative/path")}) {
    EXPECT_FALSE(T.SelectPath(Bad)) << Bad.toStdString();
    EXPECT_EQ(T.Selected(), Before);
  }
  EXPECT_EQ(DirChanges, 1);
  EXPECT_TRUE(T.SelectPath(Root + QStringLiteral("alpha/./x/")));
  EXPECT_EQ(T.Directory(), Root + QStringLiteral("alpha/x/"));
  T.Reset();
  EXPECT_EQ(T.Directory(), Root);
  EXPECT_EQ(T.TopNode()->childCount(), 1);
  EXPECT_EQ(DirChanges, 3);
}

TEST_F(FolderTree, MakeSubFolderCreatesOnlyBelowTheSelection) {
  ASSERT_TRUE(T.SelectPath(Root + QStringLiteral("Beta")));
  EXPECT_TRUE(T.MakeSubFolder(QStringLiteral("a/b")));
  EXPECT_TRUE(QDir(Root + QStringLiteral("Beta/a/b")).exists());
  EXPECT_EQ(T.Directory(), Root + QStringLiteral("Beta/a/b/"));
  EXPECT_TRUE(T.MakeSubFolder(QStringLiteral("\\c\\d\\")));
  EXPECT_EQ(T.Directory(), Root + QStringLiteral("Beta/a/b/c/d/"));
  EXPECT_TRUE(T.MakeSubFolder(QStringLiteral("Ω mixed Case")));

  ASSERT_TRUE(T.SelectPath(Root + QStringLiteral("gamma")));
  for (const QString& Bad :
       {QStringLiteral("x|y"), QStringLiteral("x<y"), QStringLiteral("x>y"), QStringLiteral("x\"y"),
        QStringLiteral("tab\there"), QString(QChar(0)) + QStringLiteral("n"), QStringLiteral(".."),
        QStringLiteral("../escape"), QStringLiteral("a/../../escape"), QStringLiteral("a//b"),
        QStringLiteral("."), QStringLiteral(".secret"), QStringLiteral(""), QStringLiteral("///"),
        QString(300, u'n')}) {
    EXPECT_FALSE(T.MakeSubFolder(Bad)) << Bad.toStdString();
    EXPECT_EQ(T.Directory(), Root + QStringLiteral("gamma/"));
  }
  EXPECT_TRUE(QDir(Root + QStringLiteral("gamma")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
  EXPECT_FALSE(QDir(Root + QStringLiteral("escape")).exists());
  EXPECT_FALSE(QDir(Tmp.path() + QStringLiteral("/../escape")).exists());

  // Nothing is created through a symbolic link, nor without a selection.
  ASSERT_TRUE(T.SelectPath(Root + QStringLiteral("link")));
  EXPECT_FALSE(T.MakeSubFolder(QStringLiteral("through")));
  EXPECT_FALSE(QDir(Root + QStringLiteral("alpha/through")).exists());
  ASSERT_TRUE(T.SelectPath(Root + QStringLiteral("Beta")));
  ASSERT_TRUE(QFile::link(Root + QStringLiteral("gamma"), Root + QStringLiteral("Beta/inner")));
  EXPECT_FALSE(T.MakeSubFolder(QStringLiteral("inner/deeper")));
  EXPECT_FALSE(QDir(Root + QStringLiteral("gamma/deeper")).exists());
  T.setCurrentItem(nullptr);
  EXPECT_FALSE(T.MakeSubFolder(QStringLiteral("orphan")));
}

TEST_F(FolderTree, RemoveSelectedFolderTakesOnlyEmptyRealFolders) {
  EXPECT_FALSE(T.RemoveSelectedFolder());  // the root
  EXPECT_TRUE(QDir(Root).exists());
  ASSERT_TRUE(T.SelectPath(Root + QStringLiteral("alpha")));
  EXPECT_FALSE(T.RemoveSelectedFolder());  // not empty
  EXPECT_TRUE(QDir(Root + QStringLiteral("alpha/x")).exists());
  ASSERT_TRUE(T.SelectPath(Root + QStringLiteral("link")));
  EXPECT_FALSE(T.RemoveSelectedFolder());
  EXPECT_TRUE(QFileInfo(Root + QStringLiteral("link")).isSymLink());
  ASSERT_TRUE(T.SelectPath(Root + QStringLiteral("link/x")));
  EXPECT_FALSE(T.RemoveSelectedFolder());  // reached through the link
  EXPECT_TRUE(QDir(Root + QStringLiteral("alpha/x")).exists());

  int DirChanges = 0;
  T.OnDirChanged = [&](TObject*) { ++DirChanges; };
  ASSERT_TRUE(T.SelectPath(Root + QStringLiteral("alpha/x")));
  EXPECT_TRUE(T.RemoveSelectedFolder());
  EXPECT_FALSE(QDir(Root + QStringLiteral("alpha/x")).exists());
  EXPECT_EQ(T.Directory(), Root + QStringLiteral("alpha/"));
  EXPECT_EQ(DirChanges, 2);
  // alpha lost its only sub-folder: no expand button any more.
  ASSERT_TRUE(T.SelectPath(Root));
  EXPECT_EQ(T.TopNode()->child(0)->childCount(), 0);
  T.setCurrentItem(nullptr);
  EXPECT_FALSE(T.RemoveSelectedFolder());
}

TEST_F(FolderTree, RefreshTreeFallsBackToTheNearestExistingAncestor) {
  ASSERT_TRUE(QDir().mkpath(Root + QStringLiteral("gamma/one/two")));
  ASSERT_TRUE(T.SelectPath(Root + QStringLiteral("gamma/one/two")));
  int DirChanges = 0;
  T.OnDirChanged = [&](TObject*) { ++DirChanges; };
  EXPECT_TRUE(T.RefreshTree());  // unchanged on disk
  EXPECT_EQ(DirChanges, 0);

  ASSERT_TRUE(QDir(Root + QStringLiteral("gamma/one")).removeRecursively());
  EXPECT_TRUE(T.RefreshTree());
  EXPECT_EQ(T.Directory(), Root + QStringLiteral("gamma/"));
  EXPECT_EQ(DirChanges, 1);

  // Renamed while shown: the shown nodes are stale until refreshed.
  ASSERT_TRUE(QDir(Root).rename(QStringLiteral("gamma"), QStringLiteral("Gamma2")));
  T.expandItem(T.Selected());
  EXPECT_EQ(T.Selected()->childCount(), 0);
  EXPECT_TRUE(T.RefreshTree());
  EXPECT_EQ(T.Directory(), Root);
  EXPECT_EQ(DirChanges, 2);
  EXPECT_TRUE(T.SelectPath(Root + QStringLiteral("Gamma2")));
}

namespace {

// The checks of an unreadable folder; true when all hold.
bool UnreadableFolderBehaves(TFolderTree& T, const QString& Root) {
  if (!T.SelectPath(Root)) return false;
  TTreeNode* Locked = nullptr;
  for (int I = 0; I < T.TopNode()->childCount(); ++I)
    if (T.TopNode()->child(I)->text(0) == QStringLiteral("locked")) Locked = T.TopNode()->child(I);
  if (!Locked || Locked->childCount() != 0) return false;  // listed, without an expand button
  T.expandItem(Locked);
  QStringList Dirs;
  return Locked->childCount() == 0 && !T.GetSubDirs(Root + QStringLiteral("locked"), Dirs) &&
         !T.SelectPath(Root + QStringLiteral("locked/inside")) && T.Directory() == Root;
}

}  // namespace

TEST_F(FolderTree, UnreadableFolderShowsNoChildrenAndNoError) {
  ASSERT_TRUE(QDir().mkpath(Root + QStringLiteral("locked/inside")));
  ASSERT_TRUE(QFile::setPermissions(Root + QStringLiteral("locked"), QFileDevice::Permissions()));
  const auto Unlock = qScopeGuard([&] {
    QFile::setPermissions(Root + QStringLiteral("locked"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  });
  if (::geteuid() != 0) {
    EXPECT_TRUE(UnreadableFolderBehaves(T, Root));
    return;
  }
  // Permission bits do not stop root: the checks run in a child process that
  // has given its privileges up to the unprivileged "nobody" account.
  ASSERT_TRUE(QFile::setPermissions(Tmp.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                    QFileDevice::ExeOther));
  const pid_t Child = ::fork();
  ASSERT_GE(Child, 0);
  if (Child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
    ::_exit(UnreadableFolderBehaves(T, Root) ? 0 : 1);
  }
  int Status = 0;
  ASSERT_EQ(::waitpid(Child, &Status, 0), Child);
  ASSERT_TRUE(WIFEXITED(Status));
  if (WEXITSTATUS(Status) == 2) GTEST_SKIP() << "running as root and cannot drop privileges";
  EXPECT_EQ(WEXITSTATUS(Status), 0);
}

TEST_F(FolderTree, TenThousandSubFoldersInCaseInsensitiveOrder) {
  const QString Big = Root + QStringLiteral("big/");
  ASSERT_TRUE(QDir().mkpath(Big));
  for (int I = 0; I < 10000; ++I) {
    const QString Name = (I % 2 ? QStringLiteral("F%1") : QStringLiteral("f%1")).arg(9999 - I, 5, 10, QChar('0'));
    ASSERT_TRUE(QDir().mkdir(Big + Name));
  }
  ASSERT_TRUE(QDir().mkdir(Big + QStringLiteral("f09999/deeper")));
  ASSERT_TRUE(T.SelectPath(Big));
  TTreeNode* Node = T.Selected();
  ASSERT_EQ(Node->childCount(), 10000);
  for (int I = 0; I < 10000; ++I)
    ASSERT_EQ(Node->child(I)->text(0).toLower(), QStringLiteral("f%1").arg(I, 5, 10, QChar('0')));
  EXPECT_EQ(Node->child(0)->childCount(), 0);
  EXPECT_EQ(Node->child(9999)->text(0), QStringLiteral("f09999"));
  EXPECT_EQ(Node->child(9999)->childCount(), 1);  // the placeholder of "deeper"
  EXPECT_TRUE(T.SelectPath(Big + QStringLiteral("f09999/deeper")));
}

TEST_F(FolderTree, ColourFollowsTheEnabledState) {
  auto Base = [&] { return T.palette().color(QPalette::Base); };
  T.SetColor(clYellow);
  EXPECT_EQ(Base(), QColor(Qt::yellow));
  T.SetEnabled(false);
  EXPECT_EQ(T.palette().color(QPalette::Disabled, QPalette::Base), ToQColor(clBtnFace, &T));
  EXPECT_EQ(T.Color(), clYellow);
  QWidget Parent;
  T.setParent(&Parent);
  T.SetEnabled(true);
  EXPECT_EQ(Base(), QColor(Qt::yellow));
  Parent.setEnabled(false);  // Qt's effective state counts
  EXPECT_EQ(T.palette().color(QPalette::Base), ToQColor(clBtnFace, &T));
  Parent.setEnabled(true);
  EXPECT_EQ(Base(), QColor(Qt::yellow));
  T.setParent(nullptr);

  TFolderTree Loaded;
  Loaded.BeginLoading();
  Loaded.SetColor(clBlack);
  Loaded.EndLoading();
  EXPECT_EQ(Loaded.Color(), clWhite);
}

TEST_F(FolderTree, TabMovesTheFocusInAndOut) {
  QWidget Form;
  auto* Before = new QWidget(&Form);
  Before->setFocusPolicy(Qt::StrongFocus);
  T.setParent(&Form);
  auto* After = new QWidget(&Form);
  After->setFocusPolicy(Qt::StrongFocus);
  QWidget::setTabOrder(Before, &T);
  QWidget::setTabOrder(&T, After);
  test::ShowAndWait(Form);
  Before->setFocus();
  QTest::keyClick(Before, Qt::Key_Tab);
  EXPECT_TRUE(T.hasFocus());
  QTest::keyClick(&T, Qt::Key_Tab);
  EXPECT_TRUE(After->hasFocus());
  T.setParent(nullptr);
}
