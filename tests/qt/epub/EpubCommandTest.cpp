// `vorna-editor --export-epub` run as a program: the book it writes in the
// style's direction with the given title and author, and the exit statuses
// and messages of bad arguments and files, none of which leaves a file.
#include <gtest/gtest.h>

#include <QProcess>
#include <filesystem>
#include <string>

#include "EpubReads.h"
#include "QtTestHelpers.h"
#include "TempFolders.h"
#include "TestSupport.h"

namespace vorna {
namespace {

namespace fs = std::filesystem;
using testing::Sj;

using TRun = testing::TProgramRun;

TRun Editor(const QStringList& args) {
  return testing::RunProgram(QStringLiteral(VORNA_EDITOR_PROGRAM), args);
}

class EpubCommandTest : public ::testing::Test {
 protected:
  QString Write(const std::string& name, const std::string& bytes) {
    testing::WriteBytes(Folder.Path() / name, bytes);
    return QString::fromStdString((Folder.Path() / name).string());
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Folder.Path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  testing::TTempFolder Folder;
};

TEST_F(EpubCommandTest, WritesTheBookInTheStylesDirection) {
  const QString file = Write("a.txt", Sj("猫の本\r\n名無し\r\n\r\n｜吾輩《わがはい》は猫である。\r\n"));
  const QString out = QString::fromStdString(Folder.Path("a.epub"));
  TRun run = Editor({"--export-epub", out, "--preset", "4", file});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out, "");
  std::string package = testing::ZipFileEntry(out.toStdString(), "EPUB/package.opf");
  EXPECT_NE(package.find("<dc:title>猫の本</dc:title>"), std::string::npos) << package;
  EXPECT_NE(package.find("<dc:creator>名無し</dc:creator>"), std::string::npos);
  EXPECT_NE(package.find("page-progression-direction=\"rtl\""), std::string::npos);
  EXPECT_NE(testing::ZipFileEntry(out.toStdString(), "EPUB/chapter-001.xhtml")
                .find("<ruby>吾輩<rt>わがはい</rt></ruby>"),
            std::string::npos);
  // Preset 0 writes horizontally; the options name the book; an old book is replaced.
  run = Editor({"--export-epub", out, "--title", "A/B", "--author", "", file});
  ASSERT_EQ(run.Status, 0) << run.Err;
  package = testing::ZipFileEntry(out.toStdString(), "EPUB/package.opf");
  EXPECT_NE(package.find("<dc:title>A/B</dc:title>"), std::string::npos);
  EXPECT_EQ(package.find("<dc:creator>"), std::string::npos);
  EXPECT_NE(package.find("page-progression-direction=\"ltr\""), std::string::npos);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.epub", "a.txt"}));
}

TEST_F(EpubCommandTest, BadArgumentsAndFilesAreRefusedWithTheirReason) {
  const QString file = Write("a.txt", "abc");
  const QString folder = QString::fromStdString(Folder.Path().string());
  const QString out = folder + "/b.epub";
  const QString binary = Write("binary.txt", std::string("ab\0cd", 5));
  const QString badStyle = Write("bad.ini", "[Other]\r\nKey=1\r\n");
  struct TCase {
    QStringList Args;
    int Status;
    const char* Says;
  };
  const TCase cases[] = {
      {{"--export-epub", out}, 2, "usage"},
      {{"--export-epub"}, 2, "--export-epub needs a value"},
      {{"--export-epub", out, file, "--title"}, 2, "--title needs a value"},
      {{"--export-epub", out, file, file}, 2, "only one FILE"},
      {{"--export-epub", out, "--bogus", file}, 2, "unknown option --bogus"},
      {{"--export-epub", out, "--preset", "28", file}, 2, "--preset"},
      {{"--export-epub", out, "--style", badStyle, file}, 2, "no editor style"},
      {{"--export-epub", out, folder + "/missing.txt"}, 1, "no such file"},
      {{"--export-epub", out, binary}, 1, "NUL"},
      {{"--export-epub", folder, file}, 1, "is a folder"},
      {{"--export-epub", file, file}, 1, "is the text file itself"},
      {{"--export-epub", folder + "/no-folder/b.epub", file}, 1, "cannot be written"},
  };
  for (const TCase& c : cases) {
    const TRun run = Editor(c.Args);
    EXPECT_EQ(run.Status, c.Status) << c.Args.join(' ').toStdString();
    EXPECT_NE(run.Err.find(c.Says), std::string::npos) << run.Err;
  }
  // Nothing was written, and the text file is whole.
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.txt", "bad.ini", "binary.txt"}));
  EXPECT_EQ(testing::ReadBytes(Folder.Path() / "a.txt"), "abc");
}

}  // namespace
}  // namespace vorna
