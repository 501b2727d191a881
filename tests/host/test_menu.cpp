// Host popup menus, the PopupMenu of controls, the memo and the grid's Esc event.
#include <gtest/gtest.h>

#include <QTest>

#include "host/qor_host.h"
#include "tests/support/qorkit_test_support.h"

namespace qor {
namespace {

TEST(HostMenu, ItemsAreNamedFoundAndClicked) {
  TPopupMenu M;
  auto* Top = new TMenuItem;
  Top->SetName("Top");
  auto* Sub = new TMenuItem;
  Sub->SetName("Sub");
  Sub->SetCaption("Deep");
  int Clicks = 0;
  Sub->OnClick = [&](TObject* Sender) { Clicks += Sender == Sub; };
  Top->Add(Sub);
  M.Items()->Add(Top);
  EXPECT_EQ(M.FindItem("Sub"), Sub);
  EXPECT_EQ(M.FindItem("None"), nullptr);
  EXPECT_NE(Top->SubMenu(), nullptr);
  Sub->Action()->trigger();
  Sub->SetEnabled(false);
  Sub->Action()->trigger();  // a disabled action does not trigger
  EXPECT_EQ(Clicks, 1);
}

TEST(HostMenu, RightReleaseOpensThePopupMenuUnlessHandled) {
  TCustomControl C;
  C.resize(100, 60);
  test::ShowAndWait(C);
  TPopupMenu M;
  auto* Item = new TMenuItem;
  Item->SetCaption("One");
  M.Items()->Add(Item);
  int Opened = 0, Closed = 0;
  M.OnPopup = [&](TObject*) { ++Opened; };
  M.OnClose = [&](TObject*) { ++Closed; };
  C.SetPopupMenu(&M);
  bool Handle = true;
  C.OnContextPopup = [&](TObject*, QPoint, bool& Handled) { Handled = Handle; };
  QTest::mouseClick(&C, Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_FALSE(M.IsOpen());
  Handle = false;
  QTest::mouseClick(&C, Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_TRUE(M.IsOpen());
  EXPECT_EQ(M.Menu()->pos(), C.mapToGlobal(QPoint(10, 10)));
  M.Close();
  EXPECT_EQ(Opened, 1);
  EXPECT_EQ(Closed, 1);
}

TEST(HostMenu, MemoKeyDownCanSwallowEnter) {
  TCustomMemo Memo;
  test::ShowAndWait(Memo);
  Memo.OnKeyDown = [](TObject*, std::uint16_t& Key, TShiftState) {
    if (Key == VK_RETURN) Key = 0;
  };
  QTest::keyClicks(&Memo, "ab");
  QTest::keyClick(&Memo, Qt::Key_Return);
  QTest::keyClicks(&Memo, "c");
  EXPECT_EQ(Memo.Text(), QStringLiteral("abc"));
}

TEST(HostMenu, GridReportsEscInTheEditor) {
  TCustomDrawGrid G;
  G.SetOptions(G.Options() | host::goEditing);
  G.resize(300, 150);
  test::ShowAndWait(G);
  int Canceled = 0;
  G.OnEditCanceled = [&](TObject*) { ++Canceled; };
  G.ShowEditor();
  ASSERT_TRUE(G.EditorMode());
  QTest::keyClick(G.InplaceEditor(), Qt::Key_Escape);
  EXPECT_FALSE(G.EditorMode());
  EXPECT_EQ(Canceled, 1);
}

}  // namespace
}  // namespace qor
