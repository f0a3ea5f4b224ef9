// `vorna-editor --stats` run as a program: the lines it prints, and the
// exit statuses and messages of bad arguments and files it cannot count.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <filesystem>
#include <string>

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

class StatsCommandTest : public ::testing::Test {
 protected:
  QString Write(const std::string& name, const std::string& bytes) {
    testing::WriteBytes(Folder.Path() / name, bytes);
    return QString::fromStdString((Folder.Path() / name).string());
  }
  testing::TTempFolder Folder;
};

TEST_F(StatsCommandTest, PrintsEveryCountInItsOrder) {
  const QString file = Write("a.txt", Sj("｜吾輩《わがはい》は猫　である。\r\n\r\n名前はまだ無い。\r\n"));
  const TRun run = Editor({"--stats", "--preset", "4", file});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out,
            "characters: 16\ncharacters_with_spaces: 17\nmanuscript_pages_400: 1\npages: 1\nlines: 4\n"
            "paragraphs: 2\nruby: 1\n");
}

TEST_F(StatsCommandTest, BadArgumentsAndFilesAreRefusedWithTheirReason) {
  const QString file = Write("a.txt", "abc");
  const QString folder = QString::fromStdString(Folder.Path().string());
  const QString missing = folder + "/missing.txt";
  const QString binary = Write("binary.txt", std::string("ab\0cd", 5));
  const QString badStyle = Write("bad.ini", "[Other]\r\nKey=1\r\n");
  struct TCase {
    QStringList Args;
    int Status;
    const char* Says;
  };
  const TCase cases[] = {
      {{"--stats"}, 2, "usage"},
      {{"--stats", "--preset", "28", file}, 2, "--preset"},
      {{"--stats", "--preset", file}, 2, "--preset"},
      {{"--stats", file, file}, 2, "only one FILE"},
      {{"--stats", "--bogus", file}, 2, "unknown option --bogus"},
      {{"--stats", "--preset", "1", "--style", badStyle, file}, 2, "exclude"},
      {{"--stats", "--style", badStyle, file}, 2, "no editor style"},
      {{"--stats", missing}, 1, "no such file"},
      {{"--stats", folder}, 1, "not a regular file"},
      {{"--stats", binary}, 1, "NUL"},
  };
  for (const TCase& c : cases) {
    const TRun run = Editor(c.Args);
    EXPECT_EQ(run.Status, c.Status) << c.Args.join(' ').toStdString();
    EXPECT_EQ(run.Out, "") << c.Args.join(' ').toStdString();
    EXPECT_NE(run.Err.find(c.Says), std::string::npos) << run.Err;
  }
  // A file the user may not read (root reads every file).
  if (::geteuid() != 0) {
    const QString locked = Write("locked.txt", "abc");
    ::chmod(locked.toLocal8Bit().constData(), 0);
    const TRun run = Editor({"--stats", locked});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("cannot be read"), std::string::npos) << run.Err;
  }
}

}  // namespace
}  // namespace vorna
