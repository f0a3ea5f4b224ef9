// TDataList: record management, sorting, brackets and the text file form.
#include "settings/DataLists.h"

#include <algorithm>

#include "platform/Files.h"
#include "settings/Collations.h"
#include "settings/CommaTexts.h"
#include "text/TextLines.h"

namespace vorna {

namespace {

// Balances list brackets even when the bracketed work throws.
class TUpdateGuard {
 public:
  explicit TUpdateGuard(TDataList* list) : FList(list) { FList->BeginUpdate(); }
  ~TUpdateGuard() { FList->EndUpdate(); }
  TUpdateGuard(const TUpdateGuard&) = delete;
  TUpdateGuard& operator=(const TUpdateGuard&) = delete;

 private:
  TDataList* FList;
};

class TListChangeGuard {
 public:
  explicit TListChangeGuard(TDataList* list) : FList(list) { FList->BeginChange(); }
  ~TListChangeGuard() { FList->EndChange(); }
  TListChangeGuard(const TListChangeGuard&) = delete;
  TListChangeGuard& operator=(const TListChangeGuard&) = delete;

 private:
  TDataList* FList;
};

}  // namespace

TDataList::TDataList(TDataItemClass itemClass)
    : FItemClass(itemClass ? itemClass : &TDataItem::ClassOf<TDataItem>), FCompare(&StandardCompare) {
  FActive = true;
}

TDataList::TDataList() : TDataList(&TDataItem::ClassOf<TDataItem>) {}

TDataList::~TDataList() {
  FActive = false;
  std::vector<TDataItem*> items;
  items.swap(FItems);
  for (auto it = items.rbegin(); it != items.rend(); ++it) {
    TDataItem* item = *it;
    item->FOwner = nullptr;
    if (!FNotOwner) item->Free();
  }
}

std::string TDataList::GetCommaText() { return MakeCommaText(GetDataStrings()); }

const std::vector<std::string>& TDataList::GetDataStrings() {
  FStrings.clear();
  FStrings.reserve(FItems.size() + 1);
  if (!FHeader.empty()) FStrings.push_back(FHeader);
  for (TDataItem* item : FItems) FStrings.push_back(item->GetDataText());
  return FStrings;
}

bool TDataList::IsHeader(std::string_view, int) { return false; }

TDataItem* TDataList::AddLine(std::string_view text, int index) {
  if (IsHeader(text, index)) {
    FHeader = text;
    return nullptr;
  }
  return Add(text);
}

void TDataList::ItemChanging(TDataItem* item) {
  if (NotificationsEnabled() && OnItemChanging) OnItemChanging(item);
}

void TDataList::ItemChanged(TDataItem* item) {
  if (!NotificationsEnabled()) return;
  if (FSorted && FNeedSort) Sort();
  SetModified(true);
  if (OnItemChange) OnItemChange(item);
}

void TDataList::Updated() {}
void TDataList::ItemAdded(TDataItem*) {}

void TDataList::InsertItem(TDataItem* item) {
  if (!item) return;
  if (item->FOwner == this) return;
  if (item->FOwner) item->FOwner->RemoveItem(item);
  ItemChanging(item);
  FItems.push_back(item);
  item->FOwner = this;
  ItemAdded(item);
  FNeedSort = true;
  ItemChanged(item);
}

void TDataList::RemoveItem(TDataItem* item) {
  if (!item || item->FOwner != this) return;
  ItemChanging(item);
  DetachItem(item);
  ItemChanged(item);
}

void TDataList::DetachItem(TDataItem* item) {
  auto it = std::find(FItems.rbegin(), FItems.rend(), item);
  if (it != FItems.rend()) FItems.erase(std::next(it).base());
  if (item->FOwner == this) item->FOwner = nullptr;
}

void TDataList::DropItem(TDataItem* item) {
  if (FNotOwner)
    DetachItem(item);
  else
    item->Free();
}

void TDataList::AddStrings(const std::vector<std::string>& source) {
  // The scratch list may be the source; it must not change under the loop.
  std::vector<std::string> copy;
  const std::vector<std::string>* strings = &source;
  if (strings == &FStrings) {
    copy = source;
    strings = &copy;
  }
  TUpdateGuard guard(this);
  FItems.reserve(FItems.size() + strings->size());
  for (size_t i = 0; i < strings->size(); ++i) AddLine((*strings)[i], static_cast<int>(i));
  FItems.shrink_to_fit();
}

void TDataList::SetCommaText(std::string_view text) {
  TUpdateGuard guard(this);
  Clear();
  if (text.empty()) return;
  std::vector<std::string> elements = SplitCommaText(text);
  for (size_t i = 0; i < elements.size(); ++i) {
    try {
      Add(elements[i]);
    } catch (EDataError& error) {
      if (GetCount() > 1) error.HelpContext = static_cast<int>(i) + 1;
      throw;
    }
  }
}

void TDataList::SetStrings(const std::vector<std::string>& source) {
  std::vector<std::string> copy;
  const std::vector<std::string>* strings = &source;
  if (strings == &FStrings) {
    copy = source;
    strings = &copy;
  }
  TUpdateGuard guard(this);
  Clear();
  AddStrings(*strings);
}

void TDataList::SetModified(bool value, int kind) {
  if (value == FModified) return;
  FModified = value;
  if (OnModifiedChange) OnModifiedChange(this, kind);
}

void TDataList::ReservedHook() {}

void TDataList::SetFileName(const std::filesystem::path& name) { FFileName = name; }

void TDataList::LoadFromFile(TFileService& files, const std::filesystem::path& name, bool append) {
  // Read first: a file that cannot be read leaves the list as it was.
  std::vector<std::string> lines = SplitLines(files.ReadFile(name.string()));
  const bool readOnly = files.CheckAccess(name.string()) == TFileAccess::ReadOnly;
  TUpdateGuard guard(this);
  if (append)
    AddStrings(lines);
  else
    SetStrings(lines);
  FReadOnly = readOnly;
  if (!append) FFileName = name;
  SetModified(false);
}

TDataItem* TDataList::Add(std::string_view text) {
  TListChangeGuard guard(this);
  if (text.find('\r') == std::string_view::npos) {
    TDataItem* item = FItemClass(this);
    if (!text.empty()) item->SetDataText(text);
    return item;
  }
  TDataItem* last = nullptr;
  for (const std::string& line : SplitLines(text)) {
    last = FItemClass(this);
    last->SetDataText(line);
  }
  return last;
}

TDataItem* TDataList::AddCopy(TDataItem* item) {
  if (!item) return nullptr;
  TListChangeGuard guard(this);
  TDataItem* copy = Add("");
  copy->Assign(item);
  return copy;
}

TDataItem* TDataList::Insert(int index, std::string_view text) {
  TDataItem* item = FItemClass(this);
  item->SetIndex(index);
  if (!text.empty()) item->SetDataText(text);
  return item;
}

bool TDataList::Equals(TDataList* list) {
  if (!list || list->GetCount() != GetCount()) return false;
  for (int i = 0; i < GetCount(); ++i)
    if (!GetItem(i)->Equals(list->GetItem(i))) return false;
  return true;
}

const std::vector<std::string>& TDataList::GetDisplayStrings() {
  FStrings.clear();
  FStrings.reserve(FItems.size());
  for (TDataItem* item : FItems) FStrings.push_back(item->GetDisplayText());
  return FStrings;
}

void TDataList::AddItems(TDataList* list) {
  if (!list) return;
  TListChangeGuard guard(this);
  // Counted first, so that adding a list to itself copies each record once.
  const int count = list->GetCount();
  for (int i = 0; i < count; ++i) AddCopy(list->GetItem(i));
}

void TDataList::Assign(TDataList* list) {
  if (!list || list == this) return;
  TUpdateGuard guard(this);
  while (GetCount() > list->GetCount()) DropItem(FItems.back());
  while (GetCount() < list->GetCount()) Add("");
  for (int i = 0; i < GetCount(); ++i) GetItem(i)->Assign(list->GetItem(i));
}

void TDataList::Clear() {
  TUpdateGuard guard(this);
  while (!FItems.empty()) DropItem(FItems.back());
}

void TDataList::Sort() {
  if (!FCompare || FItems.size() < 2) return;
  std::stable_sort(FItems.begin(), FItems.end(),
                   [this](TDataItem* a, TDataItem* b) { return FCompare(a, b) < 0; });
  FNeedSort = false;
  if (OnSort) OnSort(this);
}

void TDataList::EndUpdate() {
  if (FUpdateCount <= 0) return;
  if (--FUpdateCount != 0) return;
  if (FSorted) Sort();
  SetModified(false);
  Updated();
  if (OnUpdate) OnUpdate(this);
}

void TDataList::Reload(TFileService& files, const std::filesystem::path& name, bool append) {
  std::filesystem::path file = name.empty() ? FFileName : name;
  if (!file.empty() && files.FileExists(file.string())) LoadFromFile(files, file, append);
}

void TDataList::SaveToFile(TFileService& files, const std::filesystem::path& name) {
  std::filesystem::path file = name.empty() ? FFileName : name;
  if (file.empty()) return;
  files.WriteFile(file.string(), JoinLines(GetDataStrings()));
  SetModified(false);
}

void TDataList::BeginChange() {
  ItemChanging(nullptr);
  ++FChangeCount;
}

void TDataList::EndChange() {
  if (FChangeCount <= 0) return;
  --FChangeCount;
  ItemChanged(nullptr);
}

TDataItem* TDataList::GetItem(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return FItems[static_cast<size_t>(index)];
}

int TDataList::IndexOf(const TDataItem* item) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i] == item) return static_cast<int>(i);
  return -1;
}

int TDataList::StandardCompare(TDataItem* a, TDataItem* b) {
  if (!a || !b) return 0;
  const long double va = a->GetSortValue(), vb = b->GetSortValue();
  if (va < vb) return -1;
  if (va > vb) return 1;
  if (int r = CompareSortText(a->GetSortText(), b->GetSortText())) return r;
  if (a->GetID() != b->GetID()) return a->GetID() < b->GetID() ? -1 : 1;
  return 0;
}

void TDataList::SetSorted(bool value) {
  if (value == FSorted) return;
  FSorted = value;
  if (FSorted) Sort();
}

void TDataList::MoveItem(int from, int to) {
  TDataItem* item = FItems[static_cast<size_t>(from)];
  FItems.erase(FItems.begin() + from);
  FItems.insert(FItems.begin() + to, item);
}

}  // namespace vorna
