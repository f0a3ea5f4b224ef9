// Recovery files: the text comes back exactly (in the document's own format
// or in Unicode), every cut or damaged file is refused with its reason, and
// the folder offers only the files of windows that are gone, to one window
// at a time.
#include <gtest/gtest.h>

#include <filesystem>

#include "PlatformDoubles.h"
#include "TempFolders.h"
#include "TestSupport.h"
#include "document/Recoveries.h"
#include "platform/PosixFiles.h"
#include "text/UserCodes.h"

namespace vorna {
namespace {

namespace fs = std::filesystem;
using testing::Sj;

struct RecoveriesTest : ::testing::Test {
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes boxes;

  // The record of `doc` written and read back, restored into a new document.
  std::unique_ptr<TEditList> RoundTrip(const TEditList& doc, TRecoveryRecord& back) {
    TRecoveryRecord record;
    std::string problem;
    EXPECT_TRUE(doc.CaptureUnsaved(record.Unsaved, problem)) << problem;
    EXPECT_TRUE(ParseRecoveryFile(RecoveryFileBytes(record), back, problem)) << problem;
    auto restored = std::make_unique<TEditList>(files, boxes);
    EXPECT_TRUE(restored->RestoreUnsaved(back.Unsaved, problem)) << problem;
    return restored;
  }
};

TEST_F(RecoveriesTest, TheTextComesBackExactlyInItsOwnFormatOrInUnicode) {
  struct TCase {
    std::string Text;  // CP932 text of the document
    TFileFormat Format;
    TEncoding Kept;
  };
  const TCase cases[] = {
      // A byte CP932 does not define stays as it is only in CP932 itself.
      {Sj("本文\r\n二行目") + "\x80" + "\r\n", {TEncoding::Cp932, false, TLineEnd::CrLf}, TEncoding::Cp932},
      // Typed characters outside CP932 go to UTF-8.
      {Sj("絵") + Cp932TextFromUtf8("😀〜"), {TEncoding::Cp932, false, TLineEnd::Lf}, TEncoding::Utf8},
      {Sj("ＢＯＭ付き\r\n"), {TEncoding::Utf16Le, true, TLineEnd::Cr}, TEncoding::Utf16Le},
      {Sj("日本語"), {TEncoding::EucJp, false, TLineEnd::CrLf}, TEncoding::EucJp},
  };
  for (const TCase& c : cases) {
    TEditList doc(files, boxes);
    doc.SetText(c.Text);
    doc.SetFileFormat(c.Format);
    TRecoveryRecord back;
    const auto restored = RoundTrip(doc, back);
    EXPECT_EQ(back.Unsaved.TextEncoding, c.Kept);
    EXPECT_EQ(restored->GetText(), doc.GetText());
    EXPECT_EQ(restored->FileFormat(), c.Format);
  }
}

TEST_F(RecoveriesTest, EveryCutOrDamagedFileIsRefusedWithItsReason) {
  TRecoveryRecord record;
  record.Unsaved.FileName = "/docs/a%b\nc.txt";
  record.Unsaved.Bytes = "line one\nline two";
  record.Unsaved.Disk = TFileIdentity{~0ULL, 12, 34, -5};
  const std::string bytes = RecoveryFileBytes(record);
  TRecoveryRecord back;
  std::string problem;
  ASSERT_TRUE(ParseRecoveryFile(bytes, back, problem)) << problem;
  EXPECT_EQ(back.Unsaved.FileName, record.Unsaved.FileName);
  EXPECT_EQ(back.Unsaved.Disk, record.Unsaved.Disk);
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    problem.clear();
    EXPECT_FALSE(ParseRecoveryFile(bytes.substr(0, cut), back, problem)) << cut;
    EXPECT_FALSE(problem.empty()) << cut;
  }
  ParseRecoveryFile(bytes.substr(0, bytes.size() - 3), back, problem);
  EXPECT_EQ(problem, "cut short: 14 of 17 bytes of text");
  const auto refused = [&](std::string damaged) {
    problem.clear();
    EXPECT_FALSE(ParseRecoveryFile(damaged, back, problem));
    return problem;
  };
  std::string flipped = bytes;
  flipped.back() ^= 1;
  EXPECT_EQ(refused(flipped), "its text does not match its checksum");
  EXPECT_EQ(refused(bytes + "x"), "longer than its header says");
  EXPECT_EQ(refused("just some text\n\n"), "not a recovery file");
}

TEST(RecoveryFolder, AFileIsOfferedOnlyOnceItsWindowIsGoneAndToOneWindowAtATime) {
  testing::TTempFolder temp;
  TPosixFiles files;
  const std::string folder = temp.Path("state/recovery");
  TRecoveryRecord record;
  record.Unsaved.FileName = "/docs/a.txt";
  record.Unsaved.Bytes = "unsaved";
  auto gone = std::make_unique<TRecoveryFolder>(files, folder);
  TRecoveryFolder here(files, folder), third(files, folder);
  std::string problem;
  ASSERT_TRUE(gone->Open(problem)) << problem;
  ASSERT_TRUE(here.Open(problem)) << problem;
  ASSERT_TRUE(third.Open(problem)) << problem;
  EXPECT_NE(gone->FilePath(), here.FilePath());
  gone->Write(record);
  here.Write(record);
  testing::WriteBytes(fs::path(folder) / "gone-unchanged.recovery.lock", "");
  EXPECT_TRUE(here.FindOrphans().empty());  // a live window's file, and its own
  EXPECT_FALSE(fs::exists(fs::path(folder) / "gone-unchanged.recovery.lock"));
  EXPECT_TRUE(fs::exists(third.FilePath() + ".lock"));  // live, if without text yet
  const std::string path = gone->FilePath();
  gone.reset();  // the window is gone; its file stays
  std::vector<TRecoveryOffer> offers = here.FindOrphans();
  ASSERT_EQ(offers.size(), 1u);
  EXPECT_EQ(offers[0].Path, path);
  ASSERT_TRUE(offers[0].Record);
  EXPECT_EQ(offers[0].Record->Unsaved.Bytes, "unsaved");
  EXPECT_TRUE(third.FindOrphans().empty());  // being offered in another window
  ASSERT_TRUE(here.Discard(offers[0], problem)) << problem;
  EXPECT_FALSE(fs::exists(path));
  EXPECT_FALSE(fs::exists(path + ".lock"));
  here.Close();
  third.Close();
  EXPECT_TRUE(fs::is_empty(folder));
}

}  // namespace
}  // namespace vorna
