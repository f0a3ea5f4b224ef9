// The linear history of undo tasks with its current position and save point.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "undo/TaskSlots.h"
#include "undo/UndoTasks.h"

namespace vorna {

// The history of one document: tasks oldest first, a current index and
// whether the current task has been undone. With FUndone false the document
// reflects tasks 0..FIndex, otherwise 0..FIndex-1. It also keeps the save
// point: how many tasks were applied when the text was last saved or loaded.
class TUndo {
 public:
  TUndo() = default;
  TUndo(const TUndo&) = delete;
  TUndo& operator=(const TUndo&) = delete;
  virtual ~TUndo();

  // Frees every task. FIndex and FUndone stay as they are; an empty history
  // can neither undo nor redo. Asked while a task runs, it waits for the task.
  // The save point survives (at the empty start) only when it is reached now.
  void Clear();
  // Appends `task` after dropping the redo tail (and the oldest task when the
  // capacity is exceeded). While locked the task is freed instead. A save
  // point dropped with a task that changes text is gone for good.
  void Add(std::unique_ptr<TTask> task);
  bool CanUndo() const;
  bool CanRedo() const;
  // `steps` single steps back or forward, each under the lock; steps that are
  // not possible do nothing, and so does a call made from inside a running task.
  void Undo(int steps = 1);
  void Redo(int steps = 1);
  // The newest task, or null.
  TTask* LastTask() const { return GetTask(Count() - 1); }

  // The text as it is now was saved or loaded. A recording never merges into
  // the task before the save point, so undoing returns exactly to it.
  void SetSavePoint() { FSavedCount = AppliedCount(); }
  // The saved text is none of the history's states (a text that was never
  // saved): no undo or redo reaches it.
  void ForgetSavePoint() { FSavedCount = -1; }
  // The text equals the saved one: only caret jumps lie between the applied
  // tasks and the save point. False once the save point is gone.
  bool AtSavePoint() const;
  // Tasks applied at the save point; -1 when it can no longer be reached.
  int SavedCount() const { return FSavedCount; }
  // Called after every undo or redo step, once the history has its new
  // position (the document's modified mark follows the save point here).
  std::function<void()> OnStep;

  // Nestable recording lock: while locked nothing is recorded. Unlock below
  // zero stays at zero.
  void Lock() { ++FLockCount; }
  void Unlock() {
    if (FLockCount > 0) --FLockCount;
  }
  bool Locked() const { return FLockCount > 0; }

  TUndoOwner* GetOwner() const { return FOwner; }
  void SetOwner(TUndoOwner* owner) { FOwner = owner; }
  int Count() const { return FTasks.Count(); }
  // Null outside 0 .. Count-1. A packed edit becomes a task object of its own
  // for good (the pointer stays valid until the task is freed).
  TTask* GetTask(int index) const;
  int GetIndex() const { return FIndex; }
  bool GetUndone() const { return FUndone; }
  // Tasks the document reflects: 0 .. Count.
  int AppliedCount() const;
  // At most so many tasks are kept, the oldest dropped first; 0 = unlimited.
  int GetCapacity() const { return FCapacity; }
  void SetCapacity(int capacity) { FCapacity = capacity > 0 ? capacity : 0; }

 protected:
  // The index of the newest task when new recordings may merge into it (it
  // is current and not undone, not the save point, nothing runs and nothing
  // is locked); -1 otherwise.
  int MergeTarget() const;
  // Add for a text edit the history builds itself: packed when it can be.
  void AddEditTask(std::unique_ptr<TTaskEdit> task);

  TUndoOwner* FOwner = nullptr;
  // Mutable: asking for a task unpacks it.
  mutable TTaskSlots FTasks;
  int32_t FIndex = 0;
  bool FUndone = false;
  int32_t FCapacity = 0;
  int32_t FLockCount = 0;
  int32_t FSavedCount = 0;  // a new history belongs to an unmodified document

 private:
  void Append(std::unique_ptr<TTask> task, bool pack);
  void Step(bool undo);
  // No task from..to-1 changes the text.
  bool TextKept(int from, int to) const;
  bool FRunning = false;       // a task's Undo or Redo is running
  bool FClearPending = false;  // Clear was asked while it ran
};

}  // namespace vorna
