// The find bar in the main window: the shortcuts open it, typing colours and
// counts, Enter and Shift+Enter step with the wrap note, Escape clears,
// errors are notes in red (never boxes), replace-all is one undo step, and a
// read-only document can be searched but not replaced.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "FindBars.h"
#include "MainForms.h"
#include "PlatformDoubles.h"
#include "control/ControlServices.h"
#include "print/LpPrinters.h"
#include "settings/StyleElements.h"
#include "text/Cp932.h"

namespace vorna::app {
namespace {

class FindBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FBundle = FQt.Services();
    FBundle.Boxes = &FBoxes;
    FBundle.Clipboard = &FClipboard;
    FWindow = std::make_unique<TVORNAEditorMain>(FBundle);
    FWindow->show();
    FWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FWindow.get()));
  }
  void TearDown() override {
    FWindow->View().List().SetModified(false);
    FWindow.reset();
  }
  TEditorView& View() { return FWindow->View(); }
  TFindBar& Bar() { return FWindow->FindBar(); }
  void SetText(std::string_view utf8) {
    View().List().SetText(Cp932FromUtf8(utf8));
    View().DocumentChanged();
    View().SetCaretPos({1, 0}, cmAbsolute);
  }
  std::string Text() { return View().List().GetText(); }
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  std::string Note() { return Bar().NoteText().toStdString(); }
  std::string Count() {
    Bar().FinishCount();
    return Bar().CountText().toStdString();
  }
  TTextPos SelectionStart() {
    TDisplayPos start, end;
    View().GetNormalizedSelection(start, end);
    return View().DocPosOf(start);
  }
  bool Coloured(int row, int cell) { return View().GetRowPaintInfo(row).Cells[cell].Style == kElemFind; }

  TLpPrinter FPrinter;
  control::TQtServiceSet FQt{&FPrinter};
  testing::TFakeMessageBoxes FBoxes;
  testing::TMemoryClipboard FClipboard;
  TPlatformServices FBundle;
  std::unique_ptr<TVORNAEditorMain> FWindow;
};

TEST_F(FindBarTest, TypingColoursAndCountsEnterStepsAndEscapeClears) {
  SetText("one two one\r\nthree one");
  FWindow->Editor().setFocus();
  Press(Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(Bar().isVisible());
  ASSERT_EQ(QApplication::focusWidget(), Bar().PatternField());
  QTest::keyClicks(Bar().PatternField(), "one");
  EXPECT_EQ(Count(), "3 件");
  EXPECT_TRUE(Coloured(0, 8));
  EXPECT_FALSE(Coloured(0, 4));
  EXPECT_EQ(SelectionStart(), (TTextPos{1, 0}));
  Press(Qt::Key_Return);
  EXPECT_EQ(SelectionStart(), (TTextPos{9, 0}));
  Press(Qt::Key_Return);
  Press(Qt::Key_Return);
  EXPECT_EQ(SelectionStart(), (TTextPos{1, 0}));
  EXPECT_EQ(Note(), "先頭から検索しました");
  Press(Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(SelectionStart(), (TTextPos{7, 1}));
  EXPECT_EQ(Note(), "末尾から検索しました");
  Press(Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(SelectionStart(), (TTextPos{9, 0}));
  // A typed edit is counted again.
  View().SetCaretPos({1, 0}, cmAbsolute);
  View().TypeText("one ", true);
  EXPECT_EQ(Count(), "4 件");
  Press(Qt::Key_Escape);
  EXPECT_FALSE(Bar().isVisible());
  EXPECT_EQ(View().Search(), nullptr);
  EXPECT_FALSE(Coloured(0, 12));
  EXPECT_EQ(QApplication::focusWidget(), &FWindow->Editor());
}

TEST_F(FindBarTest, BadPatternsAreNotesInRedNeverBoxes) {
  SetText("aaaa");
  FWindow->SearchFind->trigger();
  Bar().RegexBox()->setChecked(true);
  QTest::keyClicks(Bar().PatternField(), "(a");
  EXPECT_TRUE(Bar().NoteIsError());
  EXPECT_NE(Note().find("正規表現が正しくありません"), std::string::npos) << Note();
  EXPECT_EQ(Count(), "");
  Bar().PatternField()->clear();  // empty: nothing found, nothing said
  EXPECT_FALSE(Bar().NoteIsError());
  EXPECT_EQ(Note(), "");
  // The match limit on a long line.
  SetText(std::string(20000, 'a') + "b");
  Bar().PatternField()->setText("(a+)+$");
  EXPECT_TRUE(Bar().NoteIsError());
  EXPECT_NE(Note().find("複雑"), std::string::npos) << Note();
  // A 1 MB pattern pasted whole: searched, not cut, nothing found.
  Bar().RegexBox()->setChecked(false);
  Bar().PatternField()->setText(QString(1 << 20, QChar('a')));
  EXPECT_EQ(Bar().PatternField()->text().size(), 1 << 20);
  EXPECT_EQ(Count(), "0 件");
  EXPECT_EQ(Note(), "見つかりませんでした");
  EXPECT_TRUE(FBoxes.Shown.empty());
}

TEST_F(FindBarTest, ReplaceAllIsOneUndoStepAndReportsTheCount) {
  const std::string text = "cat and cat\r\n｜猫《ねこ》の cat";
  SetText(text);
  Press(Qt::Key_H, Qt::ControlModifier);
  ASSERT_TRUE(Bar().ReplaceShown());
  QTest::keyClicks(Bar().PatternField(), "cat");
  Bar().ReplacementField()->setText(QString::fromUtf8("犬\\n"));
  Bar().RegexBox()->setChecked(true);
  QTest::mouseClick(Bar().ReplaceAllButton(), Qt::LeftButton);
  EXPECT_EQ(Note(), "3 件置換しました");
  EXPECT_EQ(Text(), Cp932FromUtf8("犬\r\n and 犬\r\n\r\n｜猫《ねこ》の 犬\r\n"));
  EXPECT_EQ(Count(), "0 件");
  FWindow->EditUndo->trigger();
  EXPECT_EQ(Text(), Cp932FromUtf8(text));
  // 置換 with a plain replacement: the text as written, on the selected match.
  Bar().RegexBox()->setChecked(false);
  View().SetCaretPos({1, 0}, cmAbsolute);
  QTest::mouseClick(Bar().ReplaceButton(), Qt::LeftButton);  // selects the first
  QTest::mouseClick(Bar().ReplaceButton(), Qt::LeftButton);
  EXPECT_EQ(Text(), Cp932FromUtf8("犬\\n and cat\r\n｜猫《ねこ》の cat"));
}

TEST_F(FindBarTest, AReadOnlyDocumentIsSearchedButNotReplaced) {
  SetText("abc abc");
  FWindow->Editor().SetReadOnly(true);
  FWindow->SearchReplace->trigger();
  EXPECT_FALSE(Bar().ReplaceAllButton()->isEnabled());
  EXPECT_FALSE(Bar().ReplaceButton()->isEnabled());
  EXPECT_EQ(Note(), "読み取り専用の文書は置換できません");
  QTest::keyClicks(Bar().PatternField(), "abc");
  EXPECT_EQ(Count(), "2 件");
  Press(Qt::Key_F3);
  EXPECT_EQ(SelectionStart(), (TTextPos{5, 0}));
  Bar().ReplaceAll();  // as a shortcut would: refused, said
  EXPECT_EQ(Note(), "読み取り専用の文書は置換できません");
  EXPECT_EQ(Text(), "abc abc");
}

}  // namespace
}  // namespace vorna::app
