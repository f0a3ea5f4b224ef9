// Option storage: save-then-load round trips in both stores, the INI reading
// rules on bad input, value encodings, and file failures.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "SettingsFiles.h"
#include "TestSupport.h"
#include "platform/PosixFiles.h"
#include "settings/BaseOptions.h"
#include "settings/IniStorages.h"
#include "settings/UserStorages.h"
#include "settings/ValueTexts.h"

namespace vorna {
namespace {

using testing::Sj;

// An option record with one setting of every type; it writes only values
// that differ from their defaults, as the styles do.
class TSampleOption : public TBaseOption {
 public:
  std::string Name;
  int32_t Count = 0;
  bool Flag = false;
  double Width = 0;

  void ReadSettings(TSettingsStorage& ini, const std::string& section) override {
    Name = ini.ReadString(section, "Name", "default");
    Count = ini.ReadInteger(section, "Count", 5);
    Flag = ini.ReadBool(section, "Flag", true);
    Width = ini.ReadFloat(section, "Width", 20);
  }
  void WriteSettings(TSettingsStorage& ini, const std::string& section) override {
    if (Name != "default") ini.WriteString(section, "Name", Name);
    if (Count != 5) ini.WriteInteger(section, "Count", Count);
    if (!Flag) ini.WriteBool(section, "Flag", Flag);
    if (!(Width == 20 && !std::signbit(Width))) ini.WriteFloat(section, "Width", Width);
  }

 protected:
  void SetDefaults() override {
    TBaseOption::SetDefaults();
    Name = "default";
    Count = 5;
    Flag = true;
    Width = 20;
  }
};

using testing::ReadBytes;
using testing::TRootedFiles;
using testing::WriteBytes;

bool SameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Runs each test with the per-user store rooted in a temporary folder.
class Storage : public ::testing::TestWithParam<bool> {
 protected:
  void TearDown() override { std::filesystem::remove_all(FDir); }
  bool UseIni() const { return GetParam(); }
  void Save(TBaseOption& option, std::string_view section = {}) {
    if (UseIni())
      option.SaveToIniFile(FFiles, FDir / "settings.ini", section);
    else
      option.SaveToRegistry(FFiles, "Tests", section);
  }
  bool Load(TBaseOption& option, std::string_view section = {}) {
    return UseIni() ? option.LoadFromIniFile(FFiles, FDir / "settings.ini", section)
                    : option.LoadFromRegistry(FFiles, "Tests", section);
  }
  testing::TTempFolder FTemp;
  std::filesystem::path FDir = FTemp.Path();
  TRootedFiles FFiles{FDir / "config"};
};

TEST_P(Storage, SaveThenLoadReproducesEveryValue) {
  const std::string strings[] = {
      "",
      "plain",
      "a,b",
      "say \"hi\"",
      "\"quoted\"",
      "\"",
      "k=v=w",
      "[Section]",
      " padded ",
      "\ttab",
      Sj("ソ表示ー‐"),
      std::string("nul\0inside", 10),
      "; not a comment",
      std::string(1 << 20, 'x'),
  };
  const double doubles[] = {0.3,
                            2.2,
                            1e-7,
                            0.1 + 0.2,
                            -0.0,
                            1e300,
                            std::numeric_limits<double>::denorm_min(),
                            std::numeric_limits<double>::max(),
                            std::numeric_limits<double>::infinity(),
                            -123456.789};
  const int32_t integers[] = {0, -1, INT32_MIN, INT32_MAX, 255};
  size_t rounds = std::max({std::size(strings), std::size(doubles), std::size(integers)});
  for (size_t i = 0; i < rounds; ++i) {
    auto saved = MakeDataItem<TSampleOption>();
    saved->Name = strings[i % std::size(strings)];
    saved->Width = doubles[i % std::size(doubles)];
    saved->Count = integers[i % std::size(integers)];
    saved->Flag = i % 2;
    Save(*saved);
    auto loaded = MakeDataItem<TSampleOption>();
    loaded->Name = "unset";
    bool found = Load(*loaded);
    bool allDefault = saved->Name == "default" && saved->Count == 5 && saved->Flag && saved->Width == 20;
    EXPECT_EQ(found, !allDefault);
    EXPECT_EQ(loaded->Name, saved->Name) << i;
    EXPECT_EQ(loaded->Count, saved->Count) << i;
    EXPECT_EQ(loaded->Flag, saved->Flag) << i;
    EXPECT_TRUE(SameDouble(loaded->Width, saved->Width)) << i << " " << loaded->Width;
  }
}

TEST_P(Storage, MissingSectionLeavesTheRecordUntouched) {
  auto option = MakeDataItem<TSampleOption>();
  option->Name = "mine";
  option->Count = 42;
  int changes = 0;
  option->OnChange = [&](TDataItem*, int) { ++changes; };
  EXPECT_FALSE(Load(*option, "Absent"));
  EXPECT_EQ(option->Name, "mine");
  EXPECT_EQ(option->Count, 42);
  EXPECT_EQ(changes, 1);  // the load is one bracket
}

TEST_P(Storage, SaveErasesKeysNowAtTheirDefault) {
  auto option = MakeDataItem<TSampleOption>();
  option->Name = "named";
  option->Count = 9;
  Save(*option);
  option->Count = 5;
  Save(*option);
  auto loaded = MakeDataItem<TSampleOption>();
  loaded->Count = 77;
  EXPECT_TRUE(Load(*loaded));
  EXPECT_EQ(loaded->Count, 5);
  EXPECT_EQ(loaded->Name, "named");
  EXPECT_EQ(option->GetSection(), "Option");
  // Other sections of the store survive.
  Save(*option, "Other");
  EXPECT_TRUE(Load(*loaded));
  EXPECT_TRUE(Load(*loaded, "other"));
}

INSTANTIATE_TEST_SUITE_P(BothStores, Storage, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Ini" : "PerUser"; });

TEST(IniStorage, ReadsBadInputWithDefaults) {
  static const char kText[] =
      "orphan=1\r"
      "[A]\n"
      "no equals sign\r\n"
      "  Key = spaced value  \n"
      "key=second\n"
      "Empty=\n"
      "Big=2147483648\n"
      "Small=-2147483648\n"
      "Hex=0x1F\n"
      "HexAll=0xFFFFFFFF\n"
      "HexNone=0x\n"
      "Quoted=\"  kept  \"\n"
      "Nul=a\0b\n"
      "Bad=\x81\xFF\x80\n"
      "=no key\n"
      "; Comment=1\n"
      "[b]\n"
      "x=1\n"
      "[ a ]\n"
      "Late=yes\n"
      "Key=third";
  TIniStorage ini;
  ini.SetText(std::string(kText, sizeof kText - 1));
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"A", "b"}));
  EXPECT_EQ(ini.ReadString("a", "KEY", ""), "spaced value");
  EXPECT_EQ(ini.ReadString("A", "Late", ""), "yes");
  EXPECT_EQ(ini.ReadString("A", "orphan", "none"), "none");
  EXPECT_EQ(ini.ReadString("A", "Empty", "d"), "");
  EXPECT_EQ(ini.ReadInteger("A", "Empty", 3), 3);
  EXPECT_EQ(ini.ReadInteger("A", "Big", 3), 3);
  EXPECT_EQ(ini.ReadInteger("A", "Small", 3), INT32_MIN);
  EXPECT_EQ(ini.ReadInteger("A", "Hex", 3), 31);
  EXPECT_EQ(ini.ReadInteger("A", "HexAll", 3), -1);
  EXPECT_EQ(ini.ReadInteger("A", "HexNone", 3), 3);
  EXPECT_EQ(ini.ReadFloat("A", "Key", 1.5), 1.5);
  EXPECT_TRUE(ini.ReadBool("A", "Key", true));
  EXPECT_EQ(ini.ReadString("A", "Quoted", ""), "  kept  ");
  EXPECT_EQ(ini.ReadString("A", "Nul", ""), std::string("a\0b", 3));
  EXPECT_EQ(ini.ReadString("A", "Bad", ""), "\x81\xFF\x80");
  EXPECT_FALSE(ini.ValueExists("A", "Comment"));
  EXPECT_FALSE(ini.ValueExists("A", "no equals sign"));
  EXPECT_EQ(ini.ReadSection("A").size(), 11u);

  // Writing keeps unknown lines, replaces the first duplicate and drops the rest.
  ini.WriteString("A", "KEY", "new");
  std::string text = ini.GetText();
  EXPECT_NE(text.find("orphan=1\r\n[A]\r\nno equals sign\r\nKEY=new\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("third"), std::string::npos);
  EXPECT_NE(text.find("; Comment=1\r\n"), std::string::npos);
  TIniStorage again;
  again.SetText(text);
  EXPECT_EQ(again.GetText(), text);
}

TEST(IniStorage, RefusesWhatALineCannotHold) {
  TIniStorage ini;
  EXPECT_THROW(ini.WriteString("S", "Key", "two\r\nlines"), EDataError);
  for (const char* key : {"", "a=b", "[k", ";k", " k", "k\n"})
    EXPECT_THROW(ini.WriteString("S", key, "v"), EDataError);
  EXPECT_FALSE(ini.SectionExists("S"));
}

TEST(IniStorage, FileFailuresRaiseTheSystemMessageAndKeepTheOldFile) {
  const testing::TTempFolder temp;
  const std::filesystem::path& dir = temp.Path();
  TPosixFiles files;
  auto option = MakeDataItem<TSampleOption>();
  option->Count = 1;
  try {
    option->SaveToIniFile(files, dir);  // a folder
    FAIL();
  } catch (const EFileError& error) {
    EXPECT_EQ(error.Reason, std::strerror(EISDIR));
  }
  try {
    option->LoadFromIniFile(files, dir);
    FAIL();
  } catch (const EFileError& error) {
    EXPECT_EQ(error.Reason, std::strerror(EISDIR));
  }
  EXPECT_EQ(option->GetUpdateCount(), 0);
  auto file = dir / "ro.ini";
  WriteBytes(file, "[Option]\nCount=3\n");
  ::chmod(file.c_str(), 0444);
  EXPECT_TRUE(option->LoadFromIniFile(files, file));
  EXPECT_EQ(option->Count, 3);
  option->Count = 4;
  try {
    option->SaveToIniFile(files, file);
    FAIL();
  } catch (const EFileError& error) {
    EXPECT_EQ(error.Reason, std::strerror(EACCES));
  }
  EXPECT_EQ(ReadBytes(file), "[Option]\nCount=3\n");
  EXPECT_THROW(option->SaveToIniFile(files, dir / "no" / "such.ini"), EFileError);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
  ::chmod(file.c_str(), 0644);
  std::filesystem::remove_all(dir);
}

TEST(UserStorage, LivesInOneTypedFilePerSubKey) {
  const testing::TTempFolder temp;
  const std::filesystem::path& dir = temp.Path();
  TRootedFiles files(dir);
  EXPECT_EQ(TUserStorage::FileNameFor(dir, ""), dir / "UrProject" / "ＶＯＲＮＡ Editor.conf");
  EXPECT_EQ(TUserStorage::FileNameFor(dir, Sj("親\\..\\ソ%/")),
            dir / "UrProject" / "親" / "%2E." / "ソ%25%2F.conf");
  {
    TUserStorage store(files, "Sub");
    store.WriteFloat("S", "F", 0.3);
    store.WriteInteger("S", "I", 10);
    store.WriteBool("S", "B", true);
    store.WriteString("S", Sj("名]\\"), Sj("ソ\"\\\n"));
    store.Close();
  }
  EXPECT_EQ(ReadBytes(dir / "UrProject" / "Sub.conf"),
            "[S]\n\"F\"=hex:33,33,33,33,33,33,d3,3f\n\"I\"=dword:0000000a\n\"B\"=\"1\"\n\"" + Sj("名") +
                "\\x5d\\x5c\"=\"" + Sj("ソ") + "\\x22\\x5c\\x0a\"\n\n");
  TUserStorage store(files, "Sub");
  EXPECT_EQ(store.ReadFloat("s", "f", 0), 0.3);
  EXPECT_EQ(store.ReadInteger("S", "I", 0), 10);
  EXPECT_EQ(store.ReadString("S", "I", ""), "10");
  EXPECT_TRUE(store.ReadBool("S", "B", false));
  EXPECT_EQ(store.ReadString("S", Sj("名]\\"), ""), Sj("ソ\"\\\n"));
  EXPECT_EQ(store.ReadInteger("S", "F", 7), 7);  // binary is no integer
  std::filesystem::remove_all(dir);
}

TEST(UserStorage, KeepsUnreadableLinesAndReportsFolderFailures) {
  const testing::TTempFolder temp;
  const std::filesystem::path& dir = temp.Path();
  TUserStorage store = TUserStorage::InMemory();
  store.SetText(
      "[S]\r\ngarbage\r\n\"I\"=dword:\r\n\"J\"=dword:123456789\r\n\"H\"=hex:1,2\r\n\"ok\"=\"1\"\r\n");
  EXPECT_EQ(store.ReadSection("S"), std::vector<std::string>{"ok"});
  EXPECT_EQ(store.GetText(),
            "[S]\n\"ok\"=\"1\"\ngarbage\n\"I\"=dword:\n\"J\"=dword:123456789\n\"H\"=hex:1,2\n\n");
  WriteBytes(dir / "file", "x");
  TRootedFiles files(dir / "file" / "config");
  try {
    TUserStorage blocked(files, "Sub");
    FAIL();
  } catch (const EFileError& error) {
    EXPECT_EQ(error.Reason, std::strerror(ENOTDIR));
  }
  auto option = MakeDataItem<TSampleOption>();
  EXPECT_THROW(option->LoadFromRegistry(files), EFileError);
  EXPECT_THROW(option->SaveToRegistry(files), EFileError);
  std::filesystem::remove_all(dir);
}

TEST(ValueTexts, NumbersInBothDirections) {
  const std::pair<double, const char*> floats[] = {
      {0.3, "0.3"},   {2.2, "2.2"},   {1e-7, "1E-7"},     {1e20, "1E20"},
      {100, "100"},   {-1.5, "-1.5"}, {0.0001, "0.0001"}, {0.1 + 0.2, "0.30000000000000004"},
      {1e15, "1E15"},
  };
  for (auto [value, text] : floats) {
    EXPECT_EQ(FloatToText(value), text);
    EXPECT_EQ(ParseFloatText(text), value);
  }
  EXPECT_EQ(FloatToText(std::nan("")), "NAN");
  EXPECT_TRUE(std::isnan(*ParseFloatText("NAN")));
  EXPECT_EQ(ParseFloatText(" 1e-07 "), 1e-7);
  EXPECT_EQ(ParseFloatText("1,5"), 1.5);
  EXPECT_EQ(ParseFloatText("+2"), 2);
  for (const char* bad : {"", "x", "1.5x", "1,5,6", "+-1", "0x10"}) EXPECT_FALSE(ParseFloatText(bad)) << bad;

  const std::pair<const char*, std::optional<int32_t>> integers[] = {
      {"12", 12},          {" -7 ", -7}, {"+3", 3},   {"0x1f", 31},       {"$FF", 255},
      {"0x", {}},          {"$", {}},    {"", {}},    {"2147483648", {}}, {"-2147483649", {}},
      {"0x100000000", {}}, {"1 2", {}},  {"--1", {}}, {"-0x1", {}},       {"99999999999999999999", {}},
  };
  for (auto [text, value] : integers) EXPECT_EQ(ParseIntegerText(text), value) << text;
}

}  // namespace
}  // namespace vorna
