// The storage of a history's tasks: one 24-byte slot per task, holding either
// a keystroke's edit packed in place or a task object, in blocks with no
// growth slack beyond the last block.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

#include "undo/PackedEdits.h"
#include "undo/UndoTasks.h"

namespace vorna {

// One task: a packed edit, or an owned task object.
class TTaskSlot {
 public:
  explicit TTaskSlot(const TPackedEdit& packed) : FPacked(packed) {}
  explicit TTaskSlot(std::unique_ptr<TTask> task) : FHeld{0, task.release()} {}
  TTaskSlot(TTaskSlot&& other) noexcept;
  TTaskSlot& operator=(TTaskSlot&& other) noexcept;
  ~TTaskSlot();

  // The task object, or null for a packed edit.
  TTask* Task() const { return IsPacked() ? nullptr : FHeld.Task; }
  bool IsPacked() const { return FPacked.StartColumn != 0; }
  const TPackedEdit& Packed() const { return FPacked; }

 private:
  // Shares its first member with TPackedEdit: a start column of 0 marks it.
  struct THeld {
    uint16_t Tag = 0;
    TTask* Task = nullptr;
  };
  union {
    TPackedEdit FPacked;
    THeld FHeld;
  };
};
static_assert(sizeof(TTaskSlot) == 24);

// Tasks oldest first, with the table of scroll offsets the packed edits name.
class TTaskSlots {
 public:
  int Count() const { return static_cast<int>(FSlots.size()); }
  bool Empty() const { return FSlots.empty(); }

  // Appends `task`; with `pack` a text edit that has a compact form is packed
  // and its object freed. `undo` becomes the task's history.
  void Push(std::unique_ptr<TTask> task, TUndo* undo, bool pack);
  // Frees the newest or the oldest task; nothing when there is none.
  void PopBack();
  void PopFront();
  // Frees every task, newest first, and forgets the scroll offsets.
  void Clear();

  // Index 0 .. Count-1 throughout.
  bool IsPacked(int index) const { return Slot(index).IsPacked(); }
  bool ChangesText(int index) const;
  // The task as an object of its own; a packed edit is unpacked for good, so
  // the pointer stays valid until the task is freed.
  TTask* Unpacked(int index, TUndo* undo);
  // Runs `use(TTask&)` on the task. A packed edit is unpacked for the call and
  // packed again afterwards (kept as an object when it no longer packs).
  template <class TUse>
  void With(int index, TUndo* undo, TUse&& use);

 private:
  TTaskSlot& Slot(int index) { return FSlots[static_cast<size_t>(index)]; }
  const TTaskSlot& Slot(int index) const { return FSlots[static_cast<size_t>(index)]; }
  std::unique_ptr<TTaskEdit> Unpack(const TPackedEdit& packed, TUndo* undo) const;
  // A packed slot for the edit, or an object slot when it does not pack.
  TTaskSlot Pack(std::unique_ptr<TTaskEdit> edit);
  // The index standing for `scroll`; false when the table is full.
  bool ScrollIndex(TPoint scroll, uint16_t& index);

  std::deque<TTaskSlot> FSlots;
  std::vector<TPoint> FScrolls;  // by index
  std::unordered_map<uint64_t, uint16_t> FScrollIndexes;
};

template <class TUse>
void TTaskSlots::With(int index, TUndo* undo, TUse&& use) {
  TTaskSlot& slot = Slot(index);
  if (TTask* task = slot.Task()) return use(*task);
  std::unique_ptr<TTaskEdit> edit = Unpack(slot.Packed(), undo);
  try {
    use(*edit);
  } catch (...) {
    Slot(index) = Pack(std::move(edit));
    throw;
  }
  Slot(index) = Pack(std::move(edit));
}

}  // namespace vorna
