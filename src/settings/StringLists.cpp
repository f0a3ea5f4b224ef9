// The notifying string list.
#include "settings/StringLists.h"

#include "settings/CommaTexts.h"
#include "text/TextLines.h"

namespace vorna {

namespace {
const std::string kEmpty;
}

const std::string& TStringList::Get(int index) const {
  if (index < 0 || index >= GetCount()) return kEmpty;
  return FItems[static_cast<size_t>(index)];
}

void TStringList::Changing() {
  if (FUpdateCount == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (FUpdateCount == 0 && OnChange) OnChange(this);
}

int TStringList::Add(std::string_view s) {
  Insert(GetCount(), s);
  return GetCount() - 1;
}

void TStringList::Insert(int index, std::string_view s) {
  if (index < 0) index = 0;
  if (index > GetCount()) index = GetCount();
  Changing();
  FItems.insert(FItems.begin() + index, std::string(s));
  Changed();
}

void TStringList::Delete(int index) {
  if (index < 0 || index >= GetCount()) return;
  Changing();
  FItems.erase(FItems.begin() + index);
  Changed();
}

void TStringList::Put(int index, std::string_view s) {
  if (index < 0 || index >= GetCount()) return;
  Changing();
  FItems[static_cast<size_t>(index)] = s;
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  Changing();
  FItems.clear();
  Changed();
}

int TStringList::IndexOf(std::string_view s) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i] == s) return static_cast<int>(i);
  return -1;
}

void TStringList::SetStrings(const std::vector<std::string>& strings) {
  if (&strings == &FItems) return;
  BeginUpdate();
  FItems = strings;
  EndUpdate();
}

std::string TStringList::GetCommaText() const { return MakeCommaText(FItems); }

void TStringList::SetCommaText(std::string_view text) { SetStrings(SplitCommaText(text)); }

std::string TStringList::GetText() const { return JoinLines(FItems); }

void TStringList::SetText(std::string_view text) { SetStrings(SplitLines(text)); }

void TStringList::BeginUpdate() {
  if (FUpdateCount == 0) Changing();
  ++FUpdateCount;
}

void TStringList::EndUpdate() {
  if (FUpdateCount <= 0) return;
  if (--FUpdateCount == 0) Changed();
}

}  // namespace vorna
