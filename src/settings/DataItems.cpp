// TDataItem: construction sequence, change notification and storage text.
#include <cstring>

#include "settings/Collations.h"
#include "settings/DataLists.h"

namespace vorna {

namespace {

// Balances a BeginChange even when the bracketed work throws.
class TChangeGuard {
 public:
  explicit TChangeGuard(TDataItem* item) : FItem(item) { FItem->BeginChange(); }
  ~TChangeGuard() { FItem->EndChange(); }
  TChangeGuard(const TChangeGuard&) = delete;
  TChangeGuard& operator=(const TChangeGuard&) = delete;

 private:
  TDataItem* FItem;
};

}  // namespace

void TDataItem::Create(TDataList* owner) {
  Initialize();
  SetDefaults();
  SetOwner(owner);
  Loaded();
  FID = ++GLastID;
  FActive = true;
}

void TDataItem::AbandonFailedCreate() noexcept {
  if (FOwner) FOwner->DetachItem(this);
  FOwner = nullptr;
  try {
    Finalize();
  } catch (...) {
  }
  delete this;
}

void TDataItem::Free() {
  SetOwner(nullptr);
  Finalize();
  delete this;
}

void TDataItem::SetIndex(int newIndex) {
  if (!FOwner || FOwner->GetCount() <= 1) return;
  int current = GetIndex();
  if (current < 0 || current == newIndex || newIndex < 0 || newIndex >= FOwner->GetCount()) return;
  FOwner->MoveItem(current, newIndex);
}

bool TDataItem::Match(std::string_view text) const {
  if (text.empty()) return false;
  std::string data = GetDataText();
  std::string_view view(data);
  for (size_t i = 0; i + text.size() <= view.size(); i += Cp932CharSize(view, i))
    if (std::memcmp(view.data() + i, text.data(), text.size()) == 0) return true;
  return false;
}

bool TDataItem::IsIndex(int index) const { return index == GetIndex(); }
long double TDataItem::GetSortValue() const { return 0; }
std::string TDataItem::GetSortText() const { return GetDataText(); }
std::string TDataItem::GetDisplayText() const { return {}; }
std::string TDataItem::GetDataText() const { return {}; }
std::string TDataItem::GetHintText() const { return GetDataText(); }
void TDataItem::Initialize() {}
void TDataItem::Loaded() {}
void TDataItem::Finalize() {}

void TDataItem::AssignData(TDataItem* source) {
  if (source) FTag = source->FTag;
}

void TDataItem::ParseDataText(std::string_view) {}

bool TDataItem::NotificationsEnabled() const {
  return FActive && FUpdateCount == 0 && FChangeCount == 0 && (!FOwner || FOwner->NotificationsEnabled());
}

void TDataItem::Changing(int kind) {
  if (NotificationsEnabled() && OnChanging) OnChanging(this, kind);
  // Only the outermost change saves the sort key, so that Changed compares
  // against the key from before the whole bracket.
  if (FOwner && FUpdateCount == 0 && FChangeCount == 0) {
    FOwner->ItemChanging(this);
    FSortValue = GetSortValue();
    FSortText = GetSortText();
  }
}

void TDataItem::Changed(int kind) {
  const bool enabled = NotificationsEnabled();
  if (enabled && OnChange) OnChange(this, kind);
  if (FOwner && FActive && FUpdateCount == 0 && FChangeCount == 0) {
    const bool moved = !(GetSortValue() == FSortValue && GetSortText() == FSortText);
    // A key that moved while the owner was in a bracket still gets the list
    // sorted by the owner's next ItemChanged.
    if (moved) FOwner->FNeedSort = true;
    if (enabled) FOwner->ItemChanged(this);
  }
}

void TDataItem::SetDataText(std::string_view text) {
  TChangeGuard guard(this);
  ParseDataText(text);
}

void TDataItem::LoadDataText(std::string_view text) { SetDataText(text); }

void TDataItem::SetOwner(TDataList* list) {
  if (list == FOwner) return;
  if (FOwner) FOwner->RemoveItem(this);
  if (list) list->InsertItem(this);
}

bool TDataItem::Equals(const TDataItem* other) const {
  if (!other) return false;
  return GetDataText() == other->GetDataText();
}

void TDataItem::SetDefaults() {}

void TDataItem::BeginUpdate() {
  if (FUpdateCount == 0) Changing(-1);
  ++FUpdateCount;
}

void TDataItem::EndUpdate() {
  if (FUpdateCount <= 0) return;
  if (--FUpdateCount == 0) Changed(-1);
}

int TDataItem::GetIndex() const { return FOwner ? FOwner->IndexOf(this) : -1; }

void TDataItem::BeginChange() {
  if (FChangeCount == 0) Changing(-1);
  ++FChangeCount;
}

void TDataItem::EndChange() {
  if (FChangeCount <= 0) return;
  if (--FChangeCount == 0) {
    Changed(-1);
    if (OnUpdate) OnUpdate(this);
  }
}

void TDataItem::Assign(TDataItem* source) {
  if (!source) return;
  TChangeGuard guard(this);
  AssignData(source);
}

std::unique_ptr<TStringList> TDataItem::CreateLinkedStrings() {
  auto strings = std::make_unique<TStringList>();
  strings->OnChanging = [this](TStringList*) { Changing(-1); };
  strings->OnChange = [this](TStringList*) { Changed(-1); };
  return strings;
}

}  // namespace vorna
