// The history's state machine with tasks that only count their calls: what
// undo and redo may do, the redo tail, the capacity, clearing and the lock.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "undo/Undos.h"

namespace vorna {
namespace {

// Appends its name to a shared log when undone ("-x") or redone ("+x").
class TLogTask : public TTask {
 public:
  TLogTask(std::string name, std::string& log) : FName(std::move(name)), FLog(log) {}
  ~TLogTask() override { FLog += "~" + FName; }
  void Undo() override {
    FLog += "-" + FName;
    if (OnUndo) OnUndo();
  }
  void Redo() override { FLog += "+" + FName; }
  std::function<void()> OnUndo;

 private:
  std::string FName;
  std::string& FLog;
};

struct UndoStackTest : ::testing::Test {
  std::string log;  // outlives the history, whose tasks write to it when freed
  TUndo undo;
  TLogTask* Add(const std::string& name) {
    auto task = std::make_unique<TLogTask>(name, log);
    TLogTask* raw = task.get();
    undo.Add(std::move(task));
    return raw;
  }
};

TEST_F(UndoStackTest, EmptyHistoryAndOldestTask) {
  EXPECT_FALSE(undo.CanUndo());
  EXPECT_FALSE(undo.CanRedo());
  undo.Undo();
  undo.Redo();
  EXPECT_EQ(undo.LastTask(), nullptr);
  Add("a");
  EXPECT_TRUE(undo.CanUndo());  // a single task not undone
  EXPECT_FALSE(undo.CanRedo());
  undo.Undo();
  EXPECT_FALSE(undo.CanUndo());  // the oldest task is undone
  EXPECT_TRUE(undo.CanRedo());
  undo.Undo(3);  // nothing more to undo
  EXPECT_EQ(log, "-a");
  undo.Redo(5);
  EXPECT_EQ(log, "-a+a");
  EXPECT_EQ(undo.AppliedCount(), 1);
}

TEST_F(UndoStackTest, StepsWalkTheListBothWays) {
  Add("a");
  Add("b");
  Add("c");
  undo.Undo(2);
  EXPECT_EQ(log, "-c-b");
  EXPECT_EQ(undo.GetIndex(), 1);
  EXPECT_TRUE(undo.GetUndone());
  EXPECT_EQ(undo.AppliedCount(), 1);
  undo.Redo();
  EXPECT_EQ(log, "-c-b+b");
  EXPECT_EQ(undo.AppliedCount(), 2);
  undo.Undo(5);
  EXPECT_EQ(log, "-c-b+b-b-a");
  undo.Redo(5);
  EXPECT_EQ(log, "-c-b+b-b-a+a+b+c");
  EXPECT_FALSE(undo.CanRedo());
}

TEST_F(UndoStackTest, RecordingAfterUndoDropsTheRedoTail) {
  Add("a");
  Add("b");
  Add("c");
  undo.Undo(2);  // b and c undone
  log.clear();
  Add("d");
  EXPECT_EQ(log, "~c~b");  // freed from the end backwards
  EXPECT_EQ(undo.Count(), 2);
  EXPECT_FALSE(undo.CanRedo());
  undo.Undo();
  EXPECT_EQ(log, "~c~b-d");
  // Undoing the very first task and recording drops that task too.
  undo.Undo();
  Add("e");
  EXPECT_EQ(undo.Count(), 1);
  EXPECT_EQ(undo.AppliedCount(), 1);
}

TEST_F(UndoStackTest, CapacityDropsTheOldestTask) {
  undo.SetCapacity(2);
  Add("a");
  Add("b");
  Add("c");
  EXPECT_EQ(undo.Count(), 2);
  EXPECT_EQ(log, "~a");
  undo.Undo(5);
  EXPECT_EQ(log, "~a-c-b");
  undo.SetCapacity(-4);  // unlimited
  EXPECT_EQ(undo.GetCapacity(), 0);
}

TEST_F(UndoStackTest, ClearEmptiesButKeepsTheIndex) {
  Add("a");
  Add("b");
  undo.Undo();
  undo.Clear();
  EXPECT_EQ(log, "-b~b~a");
  EXPECT_FALSE(undo.CanUndo());
  EXPECT_FALSE(undo.CanRedo());
  EXPECT_EQ(undo.GetIndex(), 1);  // left as it was; the next Add sets it
  Add("c");
  EXPECT_EQ(undo.GetIndex(), 0);
  EXPECT_FALSE(undo.GetUndone());
}

TEST_F(UndoStackTest, NestedLocksRecordNothing) {
  undo.Lock();
  undo.Lock();
  Add("a");
  undo.Unlock();
  EXPECT_TRUE(undo.Locked());
  Add("b");
  undo.Unlock();
  undo.Unlock();  // one too many: stays unlocked, not below zero
  EXPECT_FALSE(undo.Locked());
  EXPECT_EQ(undo.Count(), 0);
  EXPECT_EQ(log, "~a~b");  // refused tasks are freed at once
  Add("c");
  undo.Lock();
  EXPECT_EQ(undo.Count(), 1);
  undo.Unlock();
  EXPECT_EQ(undo.Count(), 1);
}

TEST_F(UndoStackTest, ATaskRunsLockedAndCannotFreeOrStepItself) {
  TLogTask* a = Add("a");
  TLogTask* b = Add("b");
  bool locked = false;
  b->OnUndo = [&] {
    locked = undo.Locked();
    undo.Undo();   // ignored: a task is running
    undo.Clear();  // waits until b has returned
    Add("x");      // refused under the lock
  };
  undo.Undo();
  EXPECT_TRUE(locked);
  EXPECT_FALSE(undo.Locked());
  EXPECT_EQ(log, "-b~x~b~a");
  EXPECT_EQ(undo.Count(), 0);
  (void)a;
}

}  // namespace
}  // namespace vorna
