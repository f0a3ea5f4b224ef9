// A history facing bad input: a document changed behind its back, tasks with
// positions far outside, recording under nested locks, and a million typed
// characters. Nothing may crash, read outside a line or lose text.
#include <random>

#include "UndoFixtures.h"

namespace vorna {
namespace {

using testing::Sj;
using UndoBadInputTest = testing::UndoFixture;

// Every line is free of line-end bytes and the caret stands inside the rows.
void ExpectWhole(const TEditList& list, const testing::TEditorDouble& editor) {
  for (int i = 0; i < list.Count(); ++i) ASSERT_EQ(list.Get(i).find_first_of("\r\n"), std::string::npos);
  ASSERT_LT(editor.Caret().Row, list.RowCount());
  ASSERT_TRUE(testing::SameRowsAsFreshLayout(list));
}

TEST_F(UndoBadInputTest, DocumentChangedBehindTheHistorysBack) {
  std::mt19937 rng(77);
  for (int round = 0; round < 12; ++round) {
    Load("first line of text\r\n" + Sj("二行目の長い長い長い長い文") + "\r\nthird\r\n\r\nlast", 8 + round);
    StartAt({1, 0});
    for (int row = 0; row < 8; ++row) {
      editor.MoveCaret({1 + static_cast<int>(rng() % 12), row});
      editor.Type("ab");
      editor.Backspace();
      editor.DeleteForward();
      editor.Paste("x\r\ny\r\nz", row % 2 == 0);
    }
    editor.ExtendTo({1, 0});
    editor.Reflow(9);
    editor.ExtendTo({3, 2});
    editor.Join();
    // Behind the history: most lines go, or the text is replaced outright.
    if (round % 3 == 0) {
      list.DeleteLines(1, list.Count());
      list.Put(0, "q");
    } else if (round % 3 == 1) {
      list.SetText(Sj("全く別の文書"));
      testing::LayOutAt(list, 8);
    } else {
      list.InsertLines(0, {"new", "lines", Sj("先頭に")});
    }
    while (undo.CanUndo()) {
      undo.Undo();
      ExpectWhole(list, editor);
    }
    while (undo.CanRedo()) {
      undo.Redo();
      ExpectWhole(list, editor);
    }
    if (HasFatalFailure()) return;
  }
}

TEST_F(UndoBadInputTest, TasksWithPositionsFarOutside) {
  const TDisplayPos wild[] = {{1 << 30, 1 << 30}, {-(1 << 30), -5}, {3, 1 << 30}, {1 << 30, 0}};
  for (const TDisplayPos a : wild) {
    for (const TDisplayPos b : wild) {
      Load("abc\r\n" + Sj("あいう") + "\r\nxyz", 8);
      auto edit = std::make_unique<TTaskEdit>();
      edit->FRangeStart = a;
      edit->FRangeEnd = b;
      edit->FInsertStart = b;
      edit->FInsertEnd = a;
      edit->FInsertedText = "in\r\nserted";
      edit->FDeletedText = "de\r\nleted";
      edit->FInsertBox = edit->FDeleteBox = a.Row > 0;
      edit->FBoxPieces = {{a, b}, {b, a}};
      edit->FOldCaret = a;
      edit->FNewCaret = b;
      undo.Add(std::move(edit));
      auto restore = std::make_unique<TTaskRestore>();
      restore->FStart = a;
      restore->FEnd = b;
      restore->FCaret = b;
      restore->FWidth = a.Column > 0 ? 5 : 0;
      restore->FSplits = {1 << 30, -(1 << 30), 3, 0};
      restore->FIndents = {-7, 1 << 30};
      undo.Add(std::move(restore));
      auto jump = std::make_unique<TTaskJump>();
      jump->FOldCaret = jump->FOldSelStart = a;
      jump->FNewCaret = jump->FNewSelEnd = b;
      jump->FOldSelecting = jump->FNewSelecting = jump->FOldBoxSelect = true;
      undo.Add(std::move(jump));
      for (int i = 0; i < 3; ++i) {
        undo.Undo();
        ExpectWhole(list, editor);
        EXPECT_FALSE(undo.LastTask()->GetUndoText().empty());
      }
      undo.Redo(3);
      ExpectWhole(list, editor);
      if (HasFatalFailure()) return;
    }
  }
}

TEST_F(UndoBadInputTest, NothingIsRecordedUnderNestedLocks) {
  Load("abc");
  StartAt({4, 0});
  undo.Lock();
  undo.Lock();
  editor.Type("x");
  undo.Unlock();
  editor.Backspace();
  editor.MoveCaret({1, 0});
  undo.Unlock();
  undo.Unlock();
  EXPECT_EQ(undo.Count(), 0);
  undo.Undo();
  EXPECT_EQ(Text(), "abc");  // nothing to undo, nothing lost
  editor.Type("y");
  EXPECT_EQ(undo.Count(), 1);
  undo.Undo();
  EXPECT_EQ(Text(), "abc");
}

// A million characters typed as input-method commits of 100 characters, ten
// to a line: each line is one typing task and one line split. Undoing
// everything empties the document, redoing it all brings every byte back.
TEST_F(UndoBadInputTest, AMillionTypedCharacters) {
  Load("", 40);
  std::string commit;
  for (int i = 0; i < 100; ++i) commit += static_cast<char>('a' + i % 26);
  for (int line = 0; line < 1000; ++line) {
    for (int k = 0; k < 10; ++k) editor.Type(commit);
    editor.Enter();
  }
  const std::string typed = Text();
  ASSERT_EQ(typed.size(), 1000u * 1002);
  EXPECT_EQ(undo.Count(), 2000);
  EXPECT_EQ(LastEdit()->FInsertedText, "\r\n");
  EXPECT_EQ(dynamic_cast<TTaskEdit*>(undo.GetTask(0))->FInsertedText.size(), 1000u);
  while (undo.CanUndo()) undo.Undo();
  EXPECT_EQ(Text(), "");
  while (undo.CanRedo()) undo.Redo();
  EXPECT_EQ(Text(), typed);
}

}  // namespace
}  // namespace vorna
