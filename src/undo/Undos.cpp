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
  while (!FTasks.empty()) FTasks.pop_back();
}

void TUndo::Add(std::unique_ptr<TTask> task) {
  if (!task || Locked() || FRunning) return;
  if (!FTasks.empty()) {
    const int keep = AppliedCount();
    // A save point in the redo tail: only caret jumps away, it moves here.
    if (FSavedCount > keep) FSavedCount = TextKept(keep, FSavedCount) ? keep : -1;
    while (Count() > keep) FTasks.pop_back();
  }
  task->FUndo = this;
  FTasks.push_back(std::move(task));
  if (FCapacity > 0 && Count() > FCapacity) {
    if (FSavedCount > 0)
      --FSavedCount;
    else if (FSavedCount == 0 && FTasks.front()->ChangesText())
      FSavedCount = -1;  // the saved text was before the task dropped
    FTasks.erase(FTasks.begin());
  }
  FIndex = Count() - 1;
  FUndone = false;
}

bool TUndo::CanUndo() const { return !FTasks.empty() && (FIndex > 0 || !FUndone); }

bool TUndo::CanRedo() const { return !FTasks.empty() && (FIndex < Count() - 1 || FUndone); }

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
      FTasks[static_cast<size_t>(FIndex)]->Undo();
      FUndone = true;
    } else {
      if (!FUndone) ++FIndex;
      FTasks[static_cast<size_t>(FIndex)]->Redo();
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
  return index >= 0 && index < Count() ? FTasks[static_cast<size_t>(index)].get() : nullptr;
}

int TUndo::AppliedCount() const {
  if (FTasks.empty()) return 0;
  return FUndone ? FIndex : FIndex + 1;
}

bool TUndo::AtSavePoint() const {
  if (FSavedCount < 0) return false;
  const int applied = AppliedCount();
  return TextKept(std::min(applied, FSavedCount), std::max(applied, FSavedCount));
}

bool TUndo::TextKept(int from, int to) const {
  for (int i = from; i < to; ++i)
    if (const TTask* task = GetTask(i); task && task->ChangesText()) return false;
  return true;
}

TTask* TUndo::MergeTarget() const {
  if (FTasks.empty() || Locked() || FRunning || FUndone || FIndex != Count() - 1) return nullptr;
  if (AppliedCount() == FSavedCount) return nullptr;  // a keystroke after a save starts a new task
  return FTasks.back().get();
}

}  // namespace vorna
