// The base settings record (TDataItem) with its creation serial number, change
// notification and one-line storage text, and the owning, optionally sorted
// list of records (TDataList) with its modified flag and text file form.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "settings/SettingsErrors.h"
#include "settings/StringLists.h"

namespace vorna {

class TDataItem;
class TDataList;
class TFileService;

// A record class as a value: makes a fully constructed record of one class,
// joined to `owner` when one is given. TDataItem::ClassOf<T> is the class of T.
using TDataItemClass = TDataItem* (*)(TDataList* owner);

// Base of every settings record. Records are created only through New<T> (or
// a list's item class), which runs the construction sequence after the C++
// object exists so that the hooks dispatch to the final class:
// Initialize, SetDefaults, SetOwner(owner), Loaded, next serial number,
// active. They are destroyed only through Free (or TDataItemPtr): the record
// leaves its list, Finalize runs, then the object is deleted.
class TDataItem {
 public:
  using TKindEvent = std::function<void(TDataItem* sender, int kind)>;
  using TNotifyEvent = std::function<void(TDataItem* sender)>;

  TDataItem() = default;
  TDataItem(const TDataItem&) = delete;
  TDataItem& operator=(const TDataItem&) = delete;

  template <class T>
  static T* New(TDataList* owner = nullptr);
  template <class T>
  static TDataItem* ClassOf(TDataList* owner) {
    return New<T>(owner);
  }
  void Free();

  // Virtual operations, in slot order (0 to 22).
  // 0: moves the record inside its owner when the owner holds more than one
  // record and both indices are valid and differ. Sends no notification.
  virtual void SetIndex(int newIndex);
  // 1: true when `text` (non-empty) occurs in GetDataText at a character start.
  virtual bool Match(std::string_view text) const;
  virtual bool IsIndex(int index) const;       // 2
  virtual long double GetSortValue() const;    // 3: 0
  virtual std::string GetSortText() const;     // 4: GetDataText
  virtual std::string GetDisplayText() const;  // 5: empty
  virtual std::string GetDataText() const;     // 6: empty; the one-line storage form
  virtual std::string GetHintText() const;     // 7: GetDataText

 protected:
  virtual void Initialize();                   // 8: first step of construction; create sub-objects here
  virtual void Loaded();                       // 9: last hook of construction
  virtual void Finalize();                     // 10: run by Free; free sub-objects here
  virtual void AssignData(TDataItem* source);  // 11: copies the tag
  virtual void ParseDataText(std::string_view text);  // 12: reads the storage form

 public:
  // 13: a change begins. OnChanging when notifications are enabled; for the
  // outermost change of an owned record, the owner's ItemChanging and the
  // saving of the sort key.
  virtual void Changing(int kind);
  // 14: a change has ended. When notifications are enabled, OnChange and the
  // owner's ItemChanged; a moved sort key always marks the owner for sorting.
  virtual void Changed(int kind);
  // 15: BeginChange; ParseDataText; EndChange (balanced even when parsing throws).
  virtual void SetDataText(std::string_view text);
  virtual void LoadDataText(std::string_view text);  // 16: SetDataText
  // 17: leaves the old owner's list and joins the new one's.
  virtual void SetOwner(TDataList* list);

 protected:
  // 18: the construction sequence (see the class comment); run by New.
  virtual void Create(TDataList* owner);

 public:
  // 19: false without `other`; otherwise equal storage texts.
  virtual bool Equals(const TDataItem* other) const;
  virtual void SetDefaults();  // 20: nothing
  virtual void BeginUpdate();  // 21: Changing(-1) at the outermost level
  virtual void EndUpdate();    // 22: Changed(-1) at the outermost level

  // Non-virtual operations.
  int GetIndex() const;  // -1 without owner
  void BeginChange();
  void EndChange();                // the outermost one also sends OnUpdate
  void Assign(TDataItem* source);  // BeginChange; AssignData; EndChange
  // A new string list, owned by the caller, whose edits count as changes of
  // this record (Changing(-1) / Changed(-1)). The record must outlive it.
  std::unique_ptr<TStringList> CreateLinkedStrings();

  // True when this record's notifications reach listeners: active, both
  // counters 0, and the owner's notifications enabled when it has one.
  bool NotificationsEnabled() const;

  TDataList* GetOwner() const { return FOwner; }
  uint32_t GetID() const { return FID; }
  uint8_t GetTag() const { return FTag; }
  void SetTag(uint8_t tag) { FTag = tag; }
  bool GetActive() const { return FActive; }
  int GetUpdateCount() const { return FUpdateCount; }
  int GetChangeCount() const { return FChangeCount; }

  TKindEvent OnChanging;
  TKindEvent OnChange;
  TNotifyEvent OnUpdate;

 protected:
  virtual ~TDataItem() = default;

  TDataList* FOwner = nullptr;
  uint32_t FID = 0;
  uint8_t FTag = 0;
  long double FSortValue = 0;
  std::string FSortText;
  int FUpdateCount = 0;
  int FChangeCount = 0;
  bool FActive = false;

 private:
  friend class TDataList;
  void AbandonFailedCreate() noexcept;
  static inline uint32_t GLastID = 0;  // process-wide creation counter
};

// Frees a stand-alone record (one without an owning list).
struct TDataItemFree {
  void operator()(TDataItem* item) const {
    if (item) item->Free();
  }
};
template <class T>
using TDataItemPtr = std::unique_ptr<T, TDataItemFree>;

template <class T>
TDataItemPtr<T> MakeDataItem() {
  return TDataItemPtr<T>(TDataItem::New<T>());
}

template <class T>
T* TDataItem::New(TDataList* owner) {
  static_assert(std::is_base_of_v<TDataItem, T>);
  T* item = new T();
  TDataItem* base = item;
  try {
    base->Create(owner);
  } catch (...) {
    base->AbandonFailedCreate();
    throw;
  }
  return item;
}

// The owning list of records. Notifications of the list are enabled while it
// is active and outside every BeginUpdate/BeginChange bracket.
class TDataList {
 public:
  using TCompare = std::function<int(TDataItem* a, TDataItem* b)>;
  using TItemEvent = std::function<void(TDataItem* item)>;
  using TNotifyEvent = std::function<void(TDataList* sender)>;
  using TKindEvent = std::function<void(TDataList* sender, int kind)>;

  // Slots 17 and 18, the constructors: store the record class (TDataItem
  // when none is given), install the standard comparison, become active.
  explicit TDataList(TDataItemClass itemClass);
  TDataList();
  // Inactive first; then frees every record (unless not the owner).
  virtual ~TDataList();
  TDataList(const TDataList&) = delete;
  TDataList& operator=(const TDataList&) = delete;

  // Virtual operations, in slot order.
  virtual std::string GetCommaText();  // 0
  // 1: the header (when non-empty) and the storage text of every record. The
  // reference stays valid until the next call of a text getter.
  virtual const std::vector<std::string>& GetDataStrings();
  virtual bool IsHeader(std::string_view text, int index);           // 2: false
  virtual TDataItem* AddLine(std::string_view text, int index);      // 3
  virtual void ItemChanging(TDataItem* item);                        // 4
  virtual void ItemChanged(TDataItem* item);                         // 5
  virtual void Updated();                                            // 6: hook
  virtual void ItemAdded(TDataItem* item);                           // 7: hook
  virtual void InsertItem(TDataItem* item);                          // 8
  virtual void RemoveItem(TDataItem* item);                          // 9
  virtual void AddStrings(const std::vector<std::string>& strings);  // 10
  // 11: clears, then adds one record per element. An EDataError raised while
  // adding element i gets i + 1 as HelpContext when the list then holds more
  // than one record.
  virtual void SetCommaText(std::string_view text);
  virtual void SetStrings(const std::vector<std::string>& strings);  // 12
  virtual void SetModified(bool value, int kind = 0);                // 13
  virtual void ReservedHook();                                       // 14: empty hook
  virtual void SetFileName(const std::filesystem::path& name);       // 15
  // 16: reads the whole file through `files` (CP932 bytes, any line end) and
  // replaces or extends the records; GetReadOnly then tells whether the file
  // is read-only (or locked by another program). A file that cannot be read
  // raises EFileError before anything changes.
  virtual void LoadFromFile(TFileService& files, const std::filesystem::path& name, bool append);
  // (17 and 18 are the constructors above.)
  virtual TDataItem* Add(std::string_view text);                // 19
  virtual TDataItem* AddCopy(TDataItem* item);                  // 20: nullptr without item
  virtual TDataItem* Insert(int index, std::string_view text);  // 21
  virtual bool Equals(TDataList* list);                         // 22
  virtual const std::vector<std::string>& GetDisplayStrings();  // 23
  virtual void AddItems(TDataList* list);                       // 24
  virtual void Assign(TDataList* list);                         // 25: reuses the records it has
  virtual void Clear();                                         // 26
  virtual void Sort();       // 27: stable; needs a comparison and two records
  virtual void EndUpdate();  // 28
  // 29: LoadFromFile of `name` (FFileName when empty) when that file exists.
  virtual void Reload(TFileService& files, const std::filesystem::path& name, bool append);
  // 30: writes every line with CR LF through `files` (which replaces the file
  // safely); the stored file name is not changed.
  virtual void SaveToFile(TFileService& files, const std::filesystem::path& name);

  // Non-virtual operations.
  void BeginUpdate() { ++FUpdateCount; }
  void BeginChange();
  void EndChange();
  int GetCount() const { return static_cast<int>(FItems.size()); }
  TDataItem* GetItem(int index) const;
  int IndexOf(const TDataItem* item) const;
  bool NotificationsEnabled() const { return FActive && FUpdateCount == 0 && FChangeCount == 0; }

  // Sort value, then sort text in CompareSortText order, then serial number;
  // a missing record compares equal.
  static int StandardCompare(TDataItem* a, TDataItem* b);

  TDataItemClass GetItemClass() const { return FItemClass; }
  const TCompare& GetCompare() const { return FCompare; }
  void SetCompare(TCompare compare) { FCompare = std::move(compare); }
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool value);  // turning it on sorts
  bool GetModified() const { return FModified; }
  bool GetReadOnly() const { return FReadOnly; }
  const std::filesystem::path& GetFileName() const { return FFileName; }
  const std::string& GetHeader() const { return FHeader; }
  void SetHeader(std::string header) { FHeader = std::move(header); }
  bool GetNotOwner() const { return FNotOwner; }
  void SetNotOwner(bool value) { FNotOwner = value; }
  bool GetNeedSort() const { return FNeedSort; }
  int GetUpdateCount() const { return FUpdateCount; }
  int GetChangeCount() const { return FChangeCount; }

  TItemEvent OnItemChanging;
  TItemEvent OnItemChange;
  TNotifyEvent OnUpdate;
  TKindEvent OnModifiedChange;
  TNotifyEvent OnSort;

 protected:
  // Takes the record out of FItems without notification or freeing.
  void DetachItem(TDataItem* item);
  // Frees the record, or only detaches it when the list does not own it.
  void DropItem(TDataItem* item);

  TDataItemClass FItemClass;
  TCompare FCompare;
  bool FSorted = false;
  bool FModified = false;
  bool FReadOnly = false;
  std::filesystem::path FFileName;
  int FChangeCount = 0;
  int FUpdateCount = 0;
  bool FNeedSort = false;
  bool FActive = false;
  std::string FHeader;
  bool FNotOwner = false;
  std::vector<TDataItem*> FItems;
  std::vector<std::string> FStrings;

 private:
  friend class TDataItem;
  void MoveItem(int from, int to);
};

}  // namespace vorna
