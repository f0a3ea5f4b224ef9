// The save point of a history: reached again by undo and redo, carried over
// caret jumps, lost with the redo tail or the oldest task, kept by a clear
// only when reached, and the end of keystroke merging at a save.
#include <gtest/gtest.h>

#include <memory>

#include "UndoFixtures.h"
#include "undo/Undos.h"

namespace vorna {
namespace {

struct UndoSavePointTest : ::testing::Test {
  TUndo undo;
  int steps = 0;
  UndoSavePointTest() {
    undo.OnStep = [this] { ++steps; };
  }
  void Edit() { undo.Add(std::make_unique<TTask>()); }  // a task that changes text
  void Jump() { undo.Add(std::make_unique<TTaskJump>()); }
};

TEST_F(UndoSavePointTest, UndoAndRedoReachTheSavedPositionAgain) {
  EXPECT_TRUE(undo.AtSavePoint());  // a new history is the unmodified start
  Edit();
  Edit();
  EXPECT_FALSE(undo.AtSavePoint());
  undo.SetSavePoint();
  EXPECT_EQ(undo.SavedCount(), 2);
  Edit();
  EXPECT_FALSE(undo.AtSavePoint());
  undo.Undo();
  EXPECT_TRUE(undo.AtSavePoint());
  undo.Undo();
  EXPECT_FALSE(undo.AtSavePoint());  // before the save point is not it either
  undo.Redo();
  EXPECT_TRUE(undo.AtSavePoint());
  undo.Redo();
  EXPECT_FALSE(undo.AtSavePoint());
  EXPECT_EQ(steps, 4);
  undo.Redo();  // nothing to redo: no step, no call
  EXPECT_EQ(steps, 4);
}

TEST_F(UndoSavePointTest, CaretJumpsAroundTheSavePointKeepTheSavedText) {
  Edit();
  undo.SetSavePoint();
  Jump();
  EXPECT_TRUE(undo.AtSavePoint());
  Edit();
  EXPECT_FALSE(undo.AtSavePoint());
  undo.Undo();
  EXPECT_TRUE(undo.AtSavePoint());  // only the jump lies between
  undo.Undo();
  undo.Undo();
  EXPECT_FALSE(undo.AtSavePoint());

  // Saved after a jump, the jump undone and a new task recorded: the dropped
  // tail held no text change, so the save point moves to where it was cut.
  undo.Redo();
  Jump();
  undo.SetSavePoint();
  EXPECT_EQ(undo.SavedCount(), 2);
  undo.Undo();
  Edit();
  EXPECT_EQ(undo.SavedCount(), 1);
  undo.Undo();
  EXPECT_TRUE(undo.AtSavePoint());
}

TEST_F(UndoSavePointTest, RecordingAfterUndoingPastTheSavePointLosesIt) {
  Edit();
  Edit();
  undo.SetSavePoint();
  undo.Undo(2);
  Edit();
  EXPECT_EQ(undo.SavedCount(), -1);
  for (int i = 0; i < 3; ++i) {
    undo.Undo();
    EXPECT_FALSE(undo.AtSavePoint());
  }
  undo.Redo(3);
  EXPECT_FALSE(undo.AtSavePoint());

  // A caret jump drops a text change from the tail just the same.
  Edit();
  undo.SetSavePoint();
  undo.Undo();
  Jump();
  EXPECT_EQ(undo.SavedCount(), -1);
}

TEST_F(UndoSavePointTest, TheCapacityShiftsTheSavePointOrDropsIt) {
  undo.SetCapacity(2);
  Edit();
  Edit();
  undo.SetSavePoint();
  Edit();  // the oldest goes
  EXPECT_EQ(undo.SavedCount(), 1);
  undo.Undo();
  EXPECT_TRUE(undo.AtSavePoint());
  undo.Redo();
  Edit();
  Edit();  // the task the save point followed goes too
  EXPECT_EQ(undo.SavedCount(), -1);

  // Saved at the start: a dropped jump leaves the text as it was.
  undo.Clear();
  undo.SetSavePoint();
  Jump();
  Jump();
  Edit();
  EXPECT_EQ(undo.SavedCount(), 0);
  undo.Undo();
  EXPECT_TRUE(undo.AtSavePoint());
}

TEST_F(UndoSavePointTest, ClearingKeepsTheSavePointOnlyWhereItIsReached) {
  Edit();
  undo.SetSavePoint();
  Jump();
  undo.Clear();
  EXPECT_EQ(undo.SavedCount(), 0);
  EXPECT_TRUE(undo.AtSavePoint());
  Edit();
  undo.Clear();
  EXPECT_EQ(undo.SavedCount(), -1);
  Edit();
  undo.Undo();
  EXPECT_FALSE(undo.AtSavePoint());
}

using SavePointMergeTest = testing::UndoFixture;

TEST_F(SavePointMergeTest, ASaveEndsTheTypingRun) {
  Load("xy");
  StartAt({2, 0});
  TypeEach("abc");
  undo.SetSavePoint();
  TypeEach("de");
  ASSERT_EQ(undo.Count(), 2);
  EXPECT_EQ(LastEdit()->FInsertedText, "de");
  undo.Undo();
  EXPECT_EQ(Text(), "xabcy");
  EXPECT_EQ(editor.Caret(), (TDisplayPos{5, 0}));
  EXPECT_TRUE(undo.AtSavePoint());
  undo.Undo();
  EXPECT_EQ(Text(), "xy");
  undo.Redo(2);
  EXPECT_EQ(Text(), "xabcdey");
  // Saved after undoing the run: the tail dropped by typing on lies past the
  // save point, which survives it.
  undo.Undo();
  undo.SetSavePoint();
  TypeEach("z");
  undo.Undo();
  EXPECT_EQ(Text(), "xabcy");
  EXPECT_TRUE(undo.AtSavePoint());
}

TEST_F(SavePointMergeTest, ASaveEndsBackspaceAndDeleteRuns) {
  Load("abcdef");
  StartAt({4, 0});
  editor.Backspace();
  undo.SetSavePoint();
  editor.Backspace();
  editor.Backspace();
  EXPECT_EQ(Text(), "def");
  ASSERT_EQ(undo.Count(), 2);
  undo.Undo();
  EXPECT_EQ(Text(), "abdef");
  EXPECT_TRUE(undo.AtSavePoint());

  Load("abcdef");
  StartAt({1, 0});
  editor.DeleteForward();
  undo.SetSavePoint();
  editor.DeleteForward();
  ASSERT_EQ(undo.Count(), 2);
  undo.Undo();
  EXPECT_EQ(Text(), "bcdef");
  EXPECT_TRUE(undo.AtSavePoint());
}

}  // namespace
}  // namespace vorna
