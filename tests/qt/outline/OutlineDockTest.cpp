// The outline dock on the main window: F8, the tree nested by level that
// follows typing and style changes, pages and scene numbers of a screenplay,
// and the jump by click and by Enter.
#include <QTreeWidget>

#include "OutlineDocks.h"
#include "OutlineWindows.h"
#include "settings/EditorStyles.h"
#include "view/StylePages.h"

namespace vorna::app::testing {
namespace {

class OutlineDockTest : public OutlineWindowTest {
 protected:
  TOutlineDock& Dock() { return FWindow->OutlineDock(); }
  QTreeWidget& Tree() { return Dock().Tree(); }
  // "title page" of every item in tree order, children indented by two spaces.
  std::vector<std::string> Items() {
    std::vector<std::string> out;
    for (QTreeWidgetItemIterator it(&Tree()); *it; ++it) {
      int depth = 0;
      for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent()) ++depth;
      QString text = QString(depth * 2, ' ') + (*it)->text(TOutlineDock::ocTitle);
      if (!(*it)->text(TOutlineDock::ocPage).isEmpty()) text += " p" + (*it)->text(TOutlineDock::ocPage);
      if (!(*it)->text(TOutlineDock::ocScene).isEmpty()) text += " #" + (*it)->text(TOutlineDock::ocScene);
      out.push_back(text.toStdString());
    }
    return out;
  }
  void WaitForTree() {
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Dock().RefreshPending(); }, 3000));
  }
  QTreeWidgetItem* Item(int index) {
    QTreeWidgetItemIterator it(&Tree());
    for (int i = 0; i < index && *it; ++i) ++it;
    return *it;
  }
  using V = std::vector<std::string>;
};

TEST_F(OutlineDockTest, F8ShowsTheTreeThatFollowsTypingAndStyles) {
  Load(0,
       "第一章［＃「第一章」は大見出し］\r\n本文\r\n○場面一\r\n本文\r\n第二章［＃「第二章」は大見出し］\r\n○"
       "場面二");
  EXPECT_FALSE(Dock().isVisible());
  QTest::keyClick(FWindow.get(), Qt::Key_F8);
  ASSERT_TRUE(Dock().isVisible());
  EXPECT_TRUE(Tree().hasFocus());
  EXPECT_EQ(Items(), (V{"第一章", "  ○場面一", "第二章", "  ○場面二"}));
  // A heading mark typed at a line's start makes it a heading shortly after.
  View().JumpCaret(View().DisplayPosOf({1, 3}));
  View().TypeText(Cp932FromUtf8("■"), true);
  EXPECT_TRUE(Dock().RefreshPending());
  WaitForTree();
  EXPECT_EQ(Items(), (V{"第一章", "  ○場面一", "  ■本文", "第二章", "  ○場面二"}));
  // Undo takes the typed mark back, and the heading with it.
  View().ExecuteCommand(ecUndo);
  WaitForTree();
  EXPECT_EQ(Items(), (V{"第一章", "  ○場面一", "第二章", "  ○場面二"}));
  // Manuscript paper, 20 rows a page: every heading gets its page (the
  // window style has no pages).
  FWindow->ChoosePreset(4);
  ASSERT_TRUE(QTest::qWaitFor(
      [this] { return !Tree().topLevelItem(0)->text(TOutlineDock::ocPage).isEmpty(); }, 3000));
  for (const TOutlineEntry& e : Dock().Entries())
    EXPECT_EQ(e.Page, View().List().FirstRowOfLine(e.Heading.Line) / 20 + 1);
  QTest::keyClick(FWindow.get(), Qt::Key_F8);
  EXPECT_FALSE(Dock().isVisible());
  EXPECT_TRUE(FWindow->Editor().hasFocus());
}

TEST_F(OutlineDockTest, AScreenplayListsItsScenesWithTheirNumbersAndPages) {
  std::string text;
  for (int scene = 1; scene <= 12; ++scene)
    text += "○場面" + std::to_string(scene) + "\r\n　雨が降る。\r\n太郎「行こう」\r\n\r\n";
  Load(9, text);  // 台本印刷: scene numbers in the line-number column, on paper
  Dock().show();
  Dock().Refresh();
  const TEditorStyle& style = FWindow->Editor().EditorStyle();
  const int rowsPerPage = style.GetLineCountInPage() * style.GetPartationCount();
  ASSERT_GT(rowsPerPage, 0);
  const std::vector<TOutlineEntry>& entries = Dock().Entries();
  ASSERT_EQ(entries.size(), 12u);
  for (int i = 0; i < 12; ++i) {
    const TOutlineEntry& e = entries[static_cast<size_t>(i)];
    // Every line here is one row, so a line's page follows from its index.
    ASSERT_EQ(View().List().FirstRowOfLine(e.Heading.Line), e.Heading.Line);
    EXPECT_EQ(e.Heading.Line, i * 4);
    EXPECT_EQ(e.SceneNo, i + 1);
    EXPECT_EQ(e.Page, e.Heading.Line / rowsPerPage + 1);
    EXPECT_EQ(e.Parent, -1);
  }
  EXPECT_FALSE(Tree().isColumnHidden(TOutlineDock::ocScene));
  EXPECT_EQ(Items().front(), "○場面1 p1 #1");
}

TEST_F(OutlineDockTest, AClickOrEnterTakesTheCaretToTheHeadingAndTheFocusToTheEditor) {
  std::string text = "序［＃「序」は大見出し］\r\n";
  for (int i = 0; i < 200; ++i) text += "本文の行です。\r\n";
  text += "終章［＃「終章」は大見出し］\r\n結び";
  Load(4, text);
  Dock().show();
  Dock().Refresh();
  ASSERT_EQ(Items(), (V{"序 p1", "終章 p" + std::to_string(View().List().FirstRowOfLine(201) / 20 + 1)}));
  QTreeWidgetItem* last = Item(1);
  Tree().scrollToItem(last);
  QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, Tree().visualItemRect(last).center());
  EXPECT_EQ(CaretLine(), 201);
  EXPECT_TRUE(FWindow->Editor().hasFocus());
  Tree().setFocus();
  Tree().setCurrentItem(Item(0));
  QTest::keyClick(&Tree(), Qt::Key_Return);
  EXPECT_EQ(CaretLine(), 0);
  EXPECT_TRUE(FWindow->Editor().hasFocus());
  Tree().setFocus();
  QTest::keyClick(&Tree(), Qt::Key_Escape);
  EXPECT_TRUE(FWindow->Editor().hasFocus());
  EXPECT_EQ(CaretLine(), 0);
  // A click while the tree is about to change jumps once it has.
  View().JumpCaret(View().DisplayPosOf({1, 1}));
  View().TypeText(Cp932FromUtf8("\r\n"), true);
  ASSERT_TRUE(Dock().RefreshPending());
  QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, Tree().visualItemRect(Item(1)).center());
  ASSERT_TRUE(QTest::qWaitFor([this] { return CaretLine() == 202; }, 3000));
}

}  // namespace
}  // namespace vorna::app::testing
