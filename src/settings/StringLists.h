// A list of CP932 strings with change notification and comma text, used by
// the string-list settings (linked to their record by
// TDataItem::CreateLinkedStrings).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vorna {

class TStringList {
 public:
  using TNotifyEvent = std::function<void(TStringList* sender)>;

  TStringList() = default;
  TStringList(const TStringList&) = delete;
  TStringList& operator=(const TStringList&) = delete;

  int GetCount() const { return static_cast<int>(FItems.size()); }
  // Empty for an index outside 0 .. count-1.
  const std::string& Get(int index) const;
  const std::vector<std::string>& GetStrings() const { return FItems; }

  // Every edit sends OnChanging before and OnChange after it, unless inside
  // BeginUpdate/EndUpdate, whose outermost pair sends them once instead.
  int Add(std::string_view s);
  void Insert(int index, std::string_view s);  // index clamped to 0 .. count
  void Delete(int index);                      // nothing outside 0 .. count-1
  void Put(int index, std::string_view s);     // nothing outside 0 .. count-1
  void Clear();                                // nothing to do when empty
  // First index whose string equals `s` byte for byte, or -1.
  int IndexOf(std::string_view s) const;

  void SetStrings(const std::vector<std::string>& strings);
  void Assign(const TStringList& source) { SetStrings(source.FItems); }
  bool Equals(const TStringList& other) const { return FItems == other.FItems; }

  std::string GetCommaText() const;
  void SetCommaText(std::string_view text);
  // Every string followed by CR LF; setting splits at any line end.
  std::string GetText() const;
  void SetText(std::string_view text);

  void BeginUpdate();
  void EndUpdate();

  TNotifyEvent OnChanging;
  TNotifyEvent OnChange;

 private:
  void Changing();
  void Changed();

  std::vector<std::string> FItems;
  int FUpdateCount = 0;
};

}  // namespace vorna
