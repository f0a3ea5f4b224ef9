// The settings stores and lists over the in-memory file service: every file
// they touch goes through the service they are given.
#include <gtest/gtest.h>

#include <string>

#include "LineItems.h"
#include "PlatformDoubles.h"
#include "settings/DataLists.h"
#include "settings/IniStorages.h"
#include "settings/SettingsErrors.h"
#include "settings/UserStorages.h"

namespace vorna {
namespace {

using testing::TMemoryFiles;

using testing::TLineItem;

TEST(StoreFiles, IniFileIsReadAndReplacedThroughTheService) {
  TMemoryFiles files;
  {
    TIniStorage ini(files, "/s/a.ini");  // missing: an empty store
    EXPECT_TRUE(ini.ReadSections().empty());
    ini.WriteInteger("S", "K", 3);
    ini.UpdateFile();
  }
  EXPECT_EQ(files.Files.at("/s/a.ini"), "[S]\r\nK=3\r\n\r\n");
  TIniStorage again(files, "/s/a.ini");
  EXPECT_EQ(again.ReadInteger("S", "K", 0), 3);
  files.FailWrite.insert("/s/a.ini");
  again.WriteInteger("S", "K", 4);
  EXPECT_THROW(again.UpdateFile(), EFileError);
  EXPECT_EQ(files.Files.at("/s/a.ini"), "[S]\r\nK=3\r\n\r\n");
  files.Folders.insert("/s/dir.ini");
  EXPECT_THROW(TIniStorage(files, "/s/dir.ini"), EFileError);
  files.FailRead.insert("/s/a.ini");
  EXPECT_THROW(TIniStorage(files, "/s/a.ini"), EFileError);
}

TEST(StoreFiles, PerUserStoreLivesInTheConfigFolderOfItsService) {
  TMemoryFiles files;
  files.Config = "/cfg";
  {
    TUserStorage store(files, "Sub\\Deeper");
    EXPECT_TRUE(files.FolderExists("/cfg/UrProject/Sub"));
    store.WriteInteger("S", "I", 10);
    store.Close();
  }
  EXPECT_EQ(files.Files.at("/cfg/UrProject/Sub/Deeper.conf"), "[S]\n\"I\"=dword:0000000a\n\n");
  TUserStorage reread(files, "Sub\\Deeper");
  EXPECT_EQ(reread.ReadInteger("S", "I", 0), 10);
  files.Files.clear();
  reread.Close();  // nothing changed: nothing written
  EXPECT_TRUE(files.Files.empty());
  TUserStorage::InMemory().Close();

  files.Config.clear();
  EXPECT_THROW(TUserStorage(files, "Sub"), EDataError);
  TMemoryFiles blocked;
  blocked.Config = "/cfg";
  blocked.Files["/cfg/UrProject"] = "a file where the folder belongs";
  try {
    TUserStorage store(blocked, "Sub");
    FAIL();
  } catch (const EFileError& error) {
    EXPECT_EQ(error.Reason, "Not a directory");
  }
}

TEST(StoreFiles, ListsReadTheAccessAndWriteThroughTheService) {
  TMemoryFiles files;
  files.Files["/l/list.txt"] = "a\nb";
  files.ReadOnly.insert("/l/list.txt");
  TDataList list(&TDataItem::ClassOf<TLineItem>);
  list.LoadFromFile(files, "/l/list.txt", false);
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_TRUE(list.GetReadOnly());
  EXPECT_EQ(list.GetFileName(), "/l/list.txt");
  files.ReadOnly.clear();
  list.Reload(files, {}, false);
  EXPECT_FALSE(list.GetReadOnly());
  files.Locked.insert("/l/list.txt");  // held by another program
  list.Reload(files, {}, false);
  EXPECT_TRUE(list.GetReadOnly());

  list.Reload(files, "/l/none.txt", false);
  EXPECT_EQ(list.GetCount(), 2);
  list.SaveToFile(files, "/l/copy.txt");
  EXPECT_EQ(files.Files.at("/l/copy.txt"), "a\r\nb\r\n");
  files.FailRead.insert("/l/copy.txt");
  EXPECT_THROW(list.LoadFromFile(files, "/l/copy.txt", true), EFileError);
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetFileName(), "/l/list.txt");
}

}  // namespace
}  // namespace vorna
