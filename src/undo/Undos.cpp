// The history's state machine: adding with the redo tail dropped, stepping
// back and forward under the recording lock, clearing.
#include "undo/Undos.h"

#include <algorithm>

namespace vorna {

std::string TTask::GetUndoText() const { return {}; }
std::string TTask::GetRedoText() const { return GetUndoText(); }
void TTask::Undo() {}
void TTask::Redo() {}

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
  while (!FTasks.empty()) FTasks.pop_back();
}

void TUndo::Add(std::unique_ptr<TTask> task) {
  if (!task || Locked() || FRunning) return;
  if (!FTasks.empty()) {
    const int keep = FUndone ? FIndex : FIndex + 1;
    while (Count() > std::max(keep, 0)) FTasks.pop_back();
  }
  task->FUndo = this;
  FTasks.push_back(std::move(task));
  if (FCapacity > 0 && Count() > FCapacity) FTasks.erase(FTasks.begin());
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
}

TTask* TUndo::GetTask(int index) const {
  return index >= 0 && index < Count() ? FTasks[static_cast<size_t>(index)].get() : nullptr;
}

int TUndo::AppliedCount() const {
  if (FTasks.empty()) return 0;
  return FUndone ? FIndex : FIndex + 1;
}

TTask* TUndo::MergeTarget() const {
  if (FTasks.empty() || Locked() || FRunning || FUndone || FIndex != Count() - 1) return nullptr;
  return FTasks.back().get();
}

}  // namespace vorna
