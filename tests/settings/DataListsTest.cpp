// Settings records and lists: construction order, notification brackets,
// sorting, copying, comma text and the text file form.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "SettingsFiles.h"
#include "TestSupport.h"
#include "platform/PosixFiles.h"
#include "settings/CommaTexts.h"
#include "settings/DataLists.h"
#include "settings/SettingsErrors.h"

namespace vorna {
namespace {

using testing::Sj;

// Record whose storage text is a plain string; "bad" cannot be parsed.
class TTextItem : public TDataItem {
 public:
  std::string Text;
  long double Value = 0;
  std::vector<std::string>* Log = nullptr;
  static inline std::vector<std::string> GLog;
  static inline int GFinalized = 0;

  void SetValue(long double value) {
    if (value == Value) return;
    Changing(-1);
    Value = value;
    Changed(-1);
  }
  void SetText(std::string text) {
    if (text == Text) return;
    Changing(1);
    Text = std::move(text);
    Changed(1);
  }
  long double GetSortValue() const override { return Value; }
  std::string GetDataText() const override { return Text; }
  std::string GetDisplayText() const override { return "<" + Text + ">"; }

 protected:
  void Initialize() override { GLog.push_back("Initialize"); }
  void SetDefaults() override { GLog.push_back("SetDefaults"); }
  void Loaded() override { GLog.push_back(GetOwner() ? "Loaded owned" : "Loaded"); }
  void Finalize() override { ++GFinalized; }
  void AssignData(TDataItem* source) override {
    TDataItem::AssignData(source);
    if (auto* item = dynamic_cast<TTextItem*>(source)) {
      Text = item->Text;
      Value = item->Value;
    }
  }
  void ParseDataText(std::string_view text) override {
    if (text == "bad") throw EDataError("cannot read the record");
    Text = text;
  }
};

class TTextList : public TDataList {
 public:
  TTextList() : TDataList(&TDataItem::ClassOf<TTextItem>) {}
  TTextItem* Item(int i) const { return static_cast<TTextItem*>(GetItem(i)); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (int i = 0; i < GetCount(); ++i) texts.push_back(Item(i)->Text);
    return texts;
  }
};

// Counts the notifications of one record and its list.
struct TCounts {
  int Changing = 0, Change = 0, Update = 0, ItemChanging = 0, ItemChange = 0, ListUpdate = 0, Modified = 0,
      Sorted = 0;
  std::vector<int> Kinds;
  void Watch(TDataItem* item) {
    item->OnChanging = [this](TDataItem*, int kind) {
      ++Changing;
      Kinds.push_back(kind);
    };
    item->OnChange = [this](TDataItem*, int) { ++Change; };
    item->OnUpdate = [this](TDataItem*) { ++Update; };
  }
  void Watch(TDataList* list) {
    list->OnItemChanging = [this](TDataItem*) { ++ItemChanging; };
    list->OnItemChange = [this](TDataItem*) { ++ItemChange; };
    list->OnUpdate = [this](TDataList*) { ++ListUpdate; };
    list->OnModifiedChange = [this](TDataList*, int) { ++Modified; };
    list->OnSort = [this](TDataList*) { ++Sorted; };
  }
};

using testing::ReadBytes;
using testing::WriteBytes;

TEST(DataItem, ConstructionRunsHooksInOrderThenTakesTheNextSerial) {
  TTextList list;
  TTextItem::GLog.clear();
  auto* first = TDataItem::New<TTextItem>(&list);
  auto* second = TDataItem::New<TTextItem>(&list);
  EXPECT_EQ(TTextItem::GLog, (std::vector<std::string>{"Initialize", "SetDefaults", "Loaded owned",
                                                       "Initialize", "SetDefaults", "Loaded owned"}));
  EXPECT_EQ(second->GetID(), first->GetID() + 1);
  EXPECT_TRUE(first->GetActive());
  EXPECT_EQ(second->GetIndex(), 1);
  auto alone = MakeDataItem<TTextItem>();
  EXPECT_EQ(alone->GetIndex(), -1);
  EXPECT_GT(alone->GetID(), second->GetID());
}

TEST(DataItem, FreeLeavesTheListAndFinalizes) {
  TTextList list;
  list.Add("a");
  list.Add("b");
  int before = TTextItem::GFinalized;
  list.GetItem(0)->Free();
  EXPECT_EQ(TTextItem::GFinalized, before + 1);
  EXPECT_EQ(list.Texts(), std::vector<std::string>{"b"});
}

TEST(DataItem, OnlyTheOutermostBracketNotifies) {
  auto item = MakeDataItem<TTextItem>();
  TCounts counts;
  counts.Watch(item.get());
  item->BeginUpdate();
  item->BeginUpdate();
  item->SetText("x");
  item->EndUpdate();
  EXPECT_EQ(counts.Change, 0);
  item->EndUpdate();
  EXPECT_EQ(counts.Changing, 1);
  EXPECT_EQ(counts.Change, 1);
  EXPECT_EQ(counts.Kinds, std::vector<int>{-1});
  EXPECT_EQ(counts.Update, 0);  // OnUpdate belongs to the change bracket

  item->BeginChange();
  item->BeginChange();
  item->SetText("y");
  item->EndChange();
  item->EndChange();
  EXPECT_EQ(counts.Changing, 2);
  EXPECT_EQ(counts.Change, 2);
  EXPECT_EQ(counts.Update, 1);

  item->EndUpdate();  // unbalanced: ignored
  item->SetText("z");
  EXPECT_EQ(counts.Change, 3);
  EXPECT_EQ(counts.Kinds.back(), 1);
}

TEST(DataItem, RecordsInsideAListBracketStayQuiet) {
  TTextList list;
  auto* item = static_cast<TTextItem*>(list.Add("a"));
  TCounts counts;
  counts.Watch(item);
  counts.Watch(&list);
  list.BeginUpdate();
  item->SetText("b");
  EXPECT_FALSE(item->NotificationsEnabled());
  list.EndUpdate();
  EXPECT_EQ(counts.Changing + counts.Change + counts.ItemChanging + counts.ItemChange, 0);
  EXPECT_EQ(counts.ListUpdate, 1);
  item->SetText("c");
  EXPECT_EQ(counts.Changing, 1);
  EXPECT_EQ(counts.ItemChanging, 1);
  EXPECT_EQ(counts.ItemChange, 1);
}

TEST(DataItem, SetDataTextIsOneChangeAndStaysBalancedWhenParsingFails) {
  auto item = MakeDataItem<TTextItem>();
  TCounts counts;
  counts.Watch(item.get());
  item->SetDataText("abc");
  EXPECT_EQ(item->Text, "abc");
  EXPECT_EQ(counts.Changing, 1);
  EXPECT_EQ(counts.Update, 1);
  EXPECT_THROW(item->SetDataText("bad"), EDataError);
  EXPECT_EQ(item->GetChangeCount(), 0);
}

TEST(DataItem, AssignEqualsAndTag) {
  auto a = MakeDataItem<TTextItem>();
  auto b = MakeDataItem<TTextItem>();
  a->SetDataText("same");
  a->SetTag(7);
  EXPECT_FALSE(a->Equals(b.get()));
  EXPECT_FALSE(a->Equals(nullptr));
  b->Assign(a.get());
  EXPECT_TRUE(a->Equals(b.get()));
  EXPECT_EQ(b->GetTag(), 7);
  b->Assign(nullptr);
  EXPECT_EQ(b->Text, "same");
}

TEST(DataItem, MatchStartsOnlyAtCharacters) {
  auto item = MakeDataItem<TTextItem>();
  item->SetDataText(Sj("ソフトabc"));  // ソ is 0x83 0x5C
  EXPECT_TRUE(item->Match("abc"));
  EXPECT_TRUE(item->Match(Sj("フト")));
  EXPECT_FALSE(item->Match("\\"));
  EXPECT_FALSE(item->Match(""));
}

TEST(DataItem, LinkedStringsCountAsChangesOfTheRecord) {
  auto item = MakeDataItem<TTextItem>();
  TCounts counts;
  counts.Watch(item.get());
  auto strings = item->CreateLinkedStrings();
  strings->Add("a");
  strings->SetCommaText("x,y,z");
  EXPECT_EQ(counts.Changing, 2);
  EXPECT_EQ(counts.Change, 2);
  EXPECT_EQ(strings->GetCount(), 3);
}

TEST(DataList, AddSplitsLinesAtCarriageReturns) {
  TTextList list;
  TDataItem* last = list.Add("one\r\ntwo");
  EXPECT_EQ(list.Texts(), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(last, list.GetItem(1));
  list.Add("a\r\rb\r\n");
  EXPECT_EQ(list.GetCount(), 5);  // a, empty line, b
  EXPECT_EQ(list.Item(3)->Text, "");
  list.Add("lf\nonly");  // no CR: one record
  EXPECT_EQ(list.Item(5)->Text, "lf\nonly");
}

TEST(DataList, InsertMovesTheNewRecordToItsIndex) {
  TTextList list;
  list.Add("a");
  list.Add("c");
  list.Insert(1, "b");
  list.Insert(99, "d");  // out of range: stays at the end
  list.Insert(0, "");
  EXPECT_EQ(list.Texts(), (std::vector<std::string>{"", "a", "b", "c", "d"}));
  list.GetItem(4)->SetIndex(0);
  EXPECT_EQ(list.Item(0)->Text, "d");
  EXPECT_TRUE(list.GetItem(0)->IsIndex(0));
  EXPECT_EQ(list.GetItem(5), nullptr);
  EXPECT_EQ(list.GetItem(-1), nullptr);
}

TEST(DataList, SortNeedsTwoRecordsAndKeepsCreationOrderOnTies) {
  TTextList list;
  TCounts counts;
  counts.Watch(&list);
  list.Sort();
  list.Add("x");
  list.Sort();
  EXPECT_EQ(counts.Sorted, 0);
  TDataItem* second = list.Add("x");
  list.Add("w");
  TDataItem* fourth = list.Add("x");
  list.Sort();
  EXPECT_EQ(counts.Sorted, 1);
  EXPECT_EQ(list.Item(0)->Text, "w");
  EXPECT_EQ(list.GetItem(2), second);
  EXPECT_EQ(list.GetItem(3), fourth);
}

TEST(DataList, StandardComparisonOrdersValueThenTextThenSerial) {
  TTextList list;
  for (const char* text : {"b", "B", "a", "\xE3\x81\x82", "\xEF\xBD\xB1", "A", "10", "9"}) list.Add(Sj(text));
  list.Item(7)->Value = -1;  // "9" first by value
  list.Sort();
  EXPECT_EQ(list.Texts(), (std::vector<std::string>{"9", "10", "A", "a", "B", "b", Sj("ｱ"), Sj("あ")}));
  EXPECT_EQ(TDataList::StandardCompare(nullptr, list.GetItem(0)), 0);
}

TEST(DataList, SortedListFollowsSortKeyChanges) {
  TTextList list;
  list.SetSorted(true);
  list.Add("c");
  list.Add("a");
  list.Add("b");
  EXPECT_EQ(list.Texts(), (std::vector<std::string>{"a", "b", "c"}));
  list.Item(0)->SetText("d");
  EXPECT_EQ(list.Texts(), (std::vector<std::string>{"b", "c", "d"}));
  // Two changes inside one record bracket: the key from before the bracket counts.
  TTextItem* item = list.Item(0);
  item->BeginUpdate();
  item->SetText("z");
  item->SetValue(0);
  item->EndUpdate();
  EXPECT_EQ(list.Texts(), (std::vector<std::string>{"c", "d", "z"}));
  // A key changed while the list is in a change bracket is sorted at its end.
  list.BeginChange();
  list.Item(2)->SetText("a");
  list.EndChange();
  EXPECT_EQ(list.Texts(), (std::vector<std::string>{"a", "c", "d"}));
}

TEST(DataList, AssignReusesRecordsAndFreesTheRest) {
  TTextList source, target;
  source.SetCommaText("x,y,z");
  target.SetCommaText("1,2,3,4,5");
  std::vector<TDataItem*> kept{target.GetItem(0), target.GetItem(1), target.GetItem(2)};
  int before = TTextItem::GFinalized;
  target.Assign(&source);
  EXPECT_EQ(TTextItem::GFinalized, before + 2);
  EXPECT_EQ(target.Texts(), source.Texts());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(target.GetItem(i), kept[i]);
  EXPECT_TRUE(target.Equals(&source));
  source.Add("w");
  EXPECT_FALSE(target.Equals(&source));
  target.Assign(&source);
  EXPECT_EQ(target.GetCount(), 4);
  EXPECT_FALSE(target.Equals(nullptr));
}

TEST(DataList, AddItemsToItselfCopiesEachRecordOnce) {
  TTextList list;
  list.SetCommaText("a,b");
  list.AddItems(&list);
  EXPECT_EQ(list.Texts(), (std::vector<std::string>{"a", "b", "a", "b"}));
  EXPECT_EQ(list.AddCopy(nullptr), nullptr);
  EXPECT_EQ(list.GetCount(), 4);
}

TEST(DataList, NotOwnerListLeavesRecordsAlive) {
  TTextList list;
  list.SetNotOwner(true);
  TDataItem* item = list.Add("kept");
  int before = TTextItem::GFinalized;
  list.Clear();
  EXPECT_EQ(TTextItem::GFinalized, before);
  EXPECT_EQ(item->GetOwner(), nullptr);
  item->Free();
}

TEST(DataList, BulkOperationsLeaveTheListUnmodified) {
  TTextList list;
  TCounts counts;
  counts.Watch(&list);
  list.Add("a");  // a single edit outside a bracket
  EXPECT_TRUE(list.GetModified());
  EXPECT_EQ(counts.Modified, 1);
  list.SetCommaText("a,b,c");
  EXPECT_FALSE(list.GetModified());
  EXPECT_EQ(counts.Modified, 2);
  EXPECT_EQ(counts.ListUpdate, 1);
}

TEST(DataList, CommaTextQuotesAsThePlatformDoes) {
  struct TCase {
    std::vector<std::string> Elements;
    std::string Text;
  };
  const TCase cases[] = {
      {{}, ""},
      {{""}, "\"\""},
      {{"a", "b"}, "a,b"},
      {{"a b", "x,y", "q\"r", "", "t\tu"}, "\"a b\",\"x,y\",\"q\"\"r\",,\"t\tu\""},
      {{"a", ""}, "a,"},
      {{Sj("ソ表")}, Sj("ソ表")},
      {{std::string("n\0l", 3)}, std::string("\"n\0l\"", 5)},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(MakeCommaText(c.Elements), c.Text);
    EXPECT_EQ(SplitCommaText(c.Text), c.Elements) << c.Text;
  }
  // Reading is lenient about blanks and unclosed quotes.
  EXPECT_EQ(SplitCommaText("  a , b c,\"d"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitCommaText("\"a\"b,c"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(SplitCommaText(std::string("a\0,b", 4)), std::vector<std::string>{"a"});

  TTextList list;
  list.SetCommaText("\"a b\",c");
  EXPECT_EQ(list.GetCommaText(), "\"a b\",c");
  list.SetHeader("#head");
  EXPECT_EQ(list.GetCommaText(), "#head,\"a b\",c");
  EXPECT_EQ(list.GetDisplayStrings(), (std::vector<std::string>{"<a b>", "<c>"}));
}

TEST(DataList, CommaTextErrorCarriesTheElementNumber) {
  TTextList list;
  try {
    list.SetCommaText("a,b,bad,c");
    FAIL();
  } catch (const EDataError& error) {
    EXPECT_EQ(error.HelpContext, 3);
  }
  EXPECT_EQ(list.GetUpdateCount(), 0);
  try {
    list.SetCommaText("bad,c");  // the list holds only that record then
    FAIL();
  } catch (const EDataError& error) {
    EXPECT_EQ(error.HelpContext, 0);
  }
}

// A list whose first line starting with "#" is its header.
class THeaderList : public TTextList {
 public:
  bool IsHeader(std::string_view text, int index) override { return index == 0 && text.starts_with("#"); }
};

TEST(DataList, FilesReadAnyLineEndAndWriteCrLf) {
  const testing::TTempFolder temp;
  const std::filesystem::path& dir = temp.Path();
  auto file = dir / "list.txt";
  WriteBytes(file, "#v1\rone\ntwo\r\n\r\n" + Sj("ソ表") + "\nlast");
  THeaderList list;
  TCounts counts;
  counts.Watch(&list);
  list.Add("old");
  TPosixFiles files;
  list.LoadFromFile(files, file, false);
  EXPECT_EQ(list.GetHeader(), "#v1");
  EXPECT_EQ(list.Texts(), (std::vector<std::string>{"one", "two", "", Sj("ソ表"), "last"}));
  EXPECT_EQ(list.GetFileName(), file);
  EXPECT_FALSE(list.GetModified());
  EXPECT_FALSE(list.GetReadOnly());
  int modifiedEvents = counts.Modified;
  list.Item(0)->SetText("ONE");
  EXPECT_TRUE(list.GetModified());
  EXPECT_EQ(counts.Modified, modifiedEvents + 1);
  list.Item(1)->SetText("TWO");
  EXPECT_EQ(counts.Modified, modifiedEvents + 1);

  list.SaveToFile(files, {});
  EXPECT_FALSE(list.GetModified());
  EXPECT_EQ(ReadBytes(file), "#v1\r\nONE\r\nTWO\r\n\r\n" + Sj("ソ表") + "\r\nlast\r\n");

  auto other = dir / "other.txt";
  WriteBytes(other, "x");
  list.LoadFromFile(files, other, true);
  EXPECT_EQ(list.GetCount(), 6);
  EXPECT_EQ(list.GetFileName(), file);
  list.Reload(files, {}, false);
  EXPECT_EQ(list.GetCount(), 5);
  list.Reload(files, dir / "missing.txt", false);
  EXPECT_EQ(list.GetCount(), 5);
  std::filesystem::remove_all(dir);
}

TEST(DataList, UnreadableFilesRaiseTheSystemMessageAndChangeNothing) {
  const testing::TTempFolder temp;
  const std::filesystem::path& dir = temp.Path();
  TTextList list;
  list.Add("unsaved");
  TPosixFiles files;
  try {
    list.LoadFromFile(files, dir / "missing.txt", false);
    FAIL();
  } catch (const EFileError& error) {
    EXPECT_EQ(error.Reason, std::strerror(ENOENT));
  }
  try {
    list.LoadFromFile(files, dir, false);  // a folder
    FAIL();
  } catch (const EFileError& error) {
    EXPECT_EQ(error.Reason, std::strerror(EISDIR));
  }
  EXPECT_EQ(list.Texts(), std::vector<std::string>{"unsaved"});
  EXPECT_TRUE(list.GetModified());
  EXPECT_EQ(list.GetUpdateCount(), 0);
  std::filesystem::remove_all(dir);
}

TEST(DataList, ReadOnlyFileIsNeitherOverwrittenNorLeftWithDebris) {
  const testing::TTempFolder temp;
  const std::filesystem::path& dir = temp.Path();
  auto file = dir / "ro.txt";
  WriteBytes(file, "a\r\n");
  ::chmod(file.c_str(), 0444);
  TTextList list;
  TPosixFiles files;
  list.LoadFromFile(files, file, false);
  EXPECT_TRUE(list.GetReadOnly());
  list.Item(0)->SetText("b");
  try {
    list.SaveToFile(files, {});
    FAIL();
  } catch (const EFileError& error) {
    EXPECT_EQ(error.Reason, std::strerror(EACCES));
  }
  EXPECT_TRUE(list.GetModified());
  EXPECT_EQ(ReadBytes(file), "a\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
  ::chmod(file.c_str(), 0644);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vorna
