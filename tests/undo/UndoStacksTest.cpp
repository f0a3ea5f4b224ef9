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

TEST_F(UndoStackTest, StepsStopAtBothEnds) {
  EXPECT_FALSE(undo.CanUndo());  // empty
  EXPECT_FALSE(undo.CanRedo());
  undo.Undo();
  undo.Redo();
  Add("a");
  EXPECT_TRUE(undo.CanUndo());  // a single task not undone
  Add("b");
  undo.Undo(5);                  // only two steps are possible
  EXPECT_FALSE(undo.CanUndo());  // the oldest task is undone
  EXPECT_EQ(undo.AppliedCount(), 0);
  undo.Redo();
  EXPECT_EQ(undo.AppliedCount(), 1);
  undo.Redo(5);
  EXPECT_FALSE(undo.CanRedo());
  EXPECT_EQ(log, "-b-a+a+b");
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
  // Undoing the very first task and recording drops that task too.
  undo.Undo(2);
  Add("e");
  EXPECT_EQ(undo.Count(), 1);
  EXPECT_EQ(undo.AppliedCount(), 1);
}

TEST_F(UndoStackTest, CapacityAndClear) {
  undo.SetCapacity(2);
  Add("a");
  Add("b");
  Add("c");
  EXPECT_EQ(undo.Count(), 2);
  EXPECT_EQ(log, "~a");  // the oldest went
  undo.Undo();
  undo.Clear();
  EXPECT_EQ(log, "~a-c~c~b");
  EXPECT_FALSE(undo.CanUndo());
  EXPECT_FALSE(undo.CanRedo());
  Add("d");  // an undone index left by Clear does not drop the new task
  EXPECT_EQ(undo.AppliedCount(), 1);
  undo.SetCapacity(-4);  // unlimited
  EXPECT_EQ(undo.GetCapacity(), 0);
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
