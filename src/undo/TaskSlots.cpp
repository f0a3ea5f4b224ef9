// Slots holding packed edits or task objects, and the scroll offset table.
#include "undo/TaskSlots.h"

#include <utility>

namespace vorna {

TTaskSlot::TTaskSlot(TTaskSlot&& other) noexcept : FHeld{} {
  if (other.IsPacked()) {
    FPacked = other.FPacked;
  } else {
    FHeld = other.FHeld;
    other.FHeld.Task = nullptr;
  }
}

TTaskSlot& TTaskSlot::operator=(TTaskSlot&& other) noexcept {
  if (this != &other) {
    if (!IsPacked()) delete FHeld.Task;
    if (other.IsPacked()) {
      FPacked = other.FPacked;
    } else {
      FHeld = other.FHeld;
      other.FHeld.Task = nullptr;
    }
  }
  return *this;
}

TTaskSlot::~TTaskSlot() {
  if (!IsPacked()) delete FHeld.Task;
}

void TTaskSlots::Push(std::unique_ptr<TTask> task, TUndo* undo, bool pack) {
  task->FUndo = undo;
  if (pack) {
    if (auto* edit = dynamic_cast<TTaskEdit*>(task.get())) {
      task.release();
      FSlots.push_back(Pack(std::unique_ptr<TTaskEdit>(edit)));
      return;
    }
  }
  FSlots.emplace_back(std::move(task));
}

void TTaskSlots::PopBack() {
  if (!FSlots.empty()) FSlots.pop_back();
}

void TTaskSlots::PopFront() {
  if (!FSlots.empty()) FSlots.pop_front();
}

void TTaskSlots::Clear() {
  while (!FSlots.empty()) FSlots.pop_back();
  FSlots.shrink_to_fit();
  FScrolls = {};
  FScrollIndexes = {};
}

bool TTaskSlots::ChangesText(int index) const {
  const TTaskSlot& slot = Slot(index);
  return slot.IsPacked() || slot.Task()->ChangesText();  // a packed edit is a text edit
}

TTask* TTaskSlots::Unpacked(int index, TUndo* undo) {
  TTaskSlot& slot = Slot(index);
  if (slot.IsPacked()) slot = TTaskSlot(Unpack(slot.Packed(), undo));
  return slot.Task();
}

std::unique_ptr<TTaskEdit> TTaskSlots::Unpack(const TPackedEdit& packed, TUndo* undo) const {
  auto edit = std::make_unique<TTaskEdit>();
  UnpackEdit(packed, FScrolls[packed.Scroll], *edit);
  edit->FUndo = undo;
  return edit;
}

TTaskSlot TTaskSlots::Pack(std::unique_ptr<TTaskEdit> edit) {
  TPackedEdit packed;
  uint16_t scroll = 0;
  if (Packable(*edit) && ScrollIndex(edit->FOldScroll, scroll) && PackEdit(*edit, scroll, packed))
    return TTaskSlot(packed);
  return TTaskSlot(std::move(edit));
}

bool TTaskSlots::ScrollIndex(TPoint scroll, uint16_t& index) {
  const uint64_t key =
      static_cast<uint64_t>(static_cast<uint32_t>(scroll.X)) << 32 | static_cast<uint32_t>(scroll.Y);
  if (const auto found = FScrollIndexes.find(key); found != FScrollIndexes.end()) {
    index = found->second;
    return true;
  }
  if (FScrolls.size() > UINT16_MAX) return false;
  index = static_cast<uint16_t>(FScrolls.size());
  FScrolls.push_back(scroll);
  FScrollIndexes.emplace(key, index);
  return true;
}

}  // namespace vorna
