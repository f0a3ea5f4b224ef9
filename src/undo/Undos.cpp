// The history's state machine: adding with the redo tail dropped, stepping
// back and forward under the recording lock, clearing, and the save point.
#include "undo/Undos.h"

#include <algorithm>

namespace vorna {

std::string TTask::GetUndoText() const { return {}; }
std::string TTask::GetRedoText() const { return GetUndoText(); }
void TTask::Undo() {}
void TTask::Redo() {}
bool TTask::ChangesText() const { return true; }

TUndoOwner* TTask::Owner() const { return FUndo ? FUndo->GetOwner() : nullptr; }

TUndo::~TUndo() {
  FRunning = false;
  Clear();
}

void TUndo::Clear() {
  // The running task would be freed under its own feet.
  if (FRunning) {
    FClearPending = true;
    return;
  }
  FSavedCount = AtSavePoint() ? 0 : -1;
  FTasks.Clear();
}

void TUndo::Add(std::unique_ptr<TTask> task) { Append(std::move(task), false); }

void TUndo::AddEditTask(std::unique_ptr<TTaskEdit> task) { Append(std::move(task), true); }

void TUndo::Append(std::unique_ptr<TTask> task, bool pack) {
  if (!task || Locked() || FRunning) return;
  if (!FTasks.Empty()) {
    const int keep = AppliedCount();
    // A save point in the redo tail: only caret jumps away, it moves here.
    if (FSavedCount > keep) FSavedCount = TextKept(keep, FSavedCount) ? keep : -1;
    while (Count() > keep) FTasks.PopBack();
  }
  FTasks.Push(std::move(task), this, pack);
  if (FCapacity > 0 && Count() > FCapacity) {
    if (FSavedCount > 0)
      --FSavedCount;
    else if (FSavedCount == 0 && FTasks.ChangesText(0))
      FSavedCount = -1;  // the saved text was before the task dropped
    FTasks.PopFront();
  }
  FIndex = Count() - 1;
  FUndone = false;
}

bool TUndo::CanUndo() const { return !FTasks.Empty() && (FIndex > 0 || !FUndone); }

bool TUndo::CanRedo() const { return !FTasks.Empty() && (FIndex < Count() - 1 || FUndone); }

void TUndo::Undo(int steps) {
  for (int i = 0; i < steps; ++i) Step(true);
}

void TUndo::Redo(int steps) {
  for (int i = 0; i < steps; ++i) Step(false);
}

void TUndo::Step(bool undo) {
  if (FRunning || !(undo ? CanUndo() : CanRedo())) return;
  // Restores the lock and the running flag even when the task throws.
  struct TRunGuard {
    TUndo& Undo;
    explicit TRunGuard(TUndo& undo) : Undo(undo) {
      Undo.Lock();
      Undo.FRunning = true;
    }
    ~TRunGuard() {
      Undo.FRunning = false;
      Undo.Unlock();
    }
  };
  {
    TRunGuard guard(*this);
    if (undo) {
      if (FUndone) --FIndex;
      FTasks.With(FIndex, this, [](TTask& task) { task.Undo(); });
      FUndone = true;
    } else {
      if (!FUndone) ++FIndex;
      FTasks.With(FIndex, this, [](TTask& task) { task.Redo(); });
      FUndone = false;
    }
  }
  if (FClearPending) {
    FClearPending = false;
    Clear();
  }
  if (OnStep) OnStep();
}

TTask* TUndo::GetTask(int index) const {
  return index >= 0 && index < Count() ? FTasks.Unpacked(index, const_cast<TUndo*>(this)) : nullptr;
}

int TUndo::AppliedCount() const {
  if (FTasks.Empty()) return 0;
  return FUndone ? FIndex : FIndex + 1;
}

bool TUndo::AtSavePoint() const {
  if (FSavedCount < 0) return false;
  const int applied = AppliedCount();
  return TextKept(std::min(applied, FSavedCount), std::max(applied, FSavedCount));
}

bool TUndo::TextKept(int from, int to) const {
  for (int i = from; i < to; ++i)
    if (i >= 0 && i < Count() && FTasks.ChangesText(i)) return false;
  return true;
}

int TUndo::MergeTarget() const {
  if (FTasks.Empty() || Locked() || FRunning || FUndone || FIndex != Count() - 1) return -1;
  if (AppliedCount() == FSavedCount) return -1;  // a keystroke after a save starts a new task
  return FIndex;
}

}  // namespace vorna
