// Printing to PDF from the command line: the arguments, the files that are
// refused with nothing left behind, and PDFs whose pages follow the view.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <filesystem>
#include <string>
#include <vector>

#include "Corpus.h"
#include "PageRenders.h"
#include "PrintPdfCommands.h"
#include "QtTestHelpers.h"
#include "StyleArguments.h"
#include "TempFolders.h"

namespace vorna {
namespace {

namespace fs = std::filesystem;
using testing::TTempFolder;

std::string TextFile(const std::string& name) {
  return QDir(QString::fromLocal8Bit(std::getenv("VORNA_TEST_DATA")))
      .filePath(QString::fromStdString("pages/texts/" + name))
      .toStdString();
}

int PdfPages(const fs::path& pdf) { return testing::PdfPageCount(pdf.string()); }

std::optional<TPrintPdfOptions> Parse(std::vector<std::string> args, std::string* error = nullptr) {
  std::string e;
  auto options = ParsePrintPdfArguments(args, e);
  if (error) *error = e;
  return options;
}

TEST(PrintPdfArguments, GoodAndBadCommandLines) {
  const auto full = Parse({"--print-pdf", "out.pdf", "--preset", "5", "--pages", "2-3", "in.txt"});
  ASSERT_TRUE(full);
  EXPECT_EQ(full->Output, "out.pdf");
  EXPECT_EQ(full->File, "in.txt");
  EXPECT_EQ(full->Preset, 5);
  EXPECT_EQ(full->FirstPage, 2);
  EXPECT_EQ(full->LastPage, 3);
  const auto one = Parse({"in.txt", "--pages", "4", "--print-pdf", "o.pdf"});
  ASSERT_TRUE(one);
  EXPECT_EQ(one->FirstPage, 4);
  EXPECT_EQ(one->LastPage, 4);
  std::string error;
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"--print-pdf", "o.pdf"},
        {"--print-pdf", "o.pdf", "--pages", "0-0", "in.txt"},
        {"--print-pdf", "o.pdf", "--pages", "5-2", "in.txt"},
        {"--print-pdf", "o.pdf", "--preset", "28", "in.txt"},
        {"--print-pdf", "o.pdf", "--preset", "x", "in.txt"},
        {"--print-pdf", "o.pdf", "a.txt", "b.txt"},
        {"--print-pdf", "o.pdf", "--preset", "1", "--style", "s.ini", "in.txt"},
        {"--print-pdf"},
        {"--print-pdf", "o.pdf", "--bogus", "in.txt"}}) {
    EXPECT_FALSE(Parse(bad, &error)) << bad.back();
    EXPECT_FALSE(error.empty());
  }
}

class TPrintPdf : public ::testing::Test {
 protected:
  int Run(const std::string& input, const fs::path& output, int preset = 4, int first = 0, int last = 0,
          const std::string& style = {}) {
    TPrintPdfOptions options;
    options.File = input;
    options.Output = output.string();
    options.Preset = preset;
    options.FirstPage = first;
    options.LastPage = last;
    options.StyleFile = style;
    return RunPrintPdf(options);
  }
  // Nothing but what the test put there: no PDF, no partial file.
  void ExpectNothingWritten(const fs::path& output) {
    EXPECT_FALSE(fs::exists(output));
    for (const auto& entry : fs::directory_iterator(output.parent_path()))
      EXPECT_EQ(entry.path().string().find(".vorna-"), std::string::npos) << entry.path();
  }
  TTempFolder Folder;
};

TEST(PrintPdfArguments, DoubleDashEndsTheOptions) {
  const auto dashed = Parse({"--print-pdf", "out.pdf", "--", "-notes.txt"});
  ASSERT_TRUE(dashed);
  EXPECT_EQ(dashed->File, "-notes.txt");
  EXPECT_FALSE(IsPrintPdfCommand({"--", "--print-pdf"}));  // a file of that name
  std::string error;
  const auto window = ParseWindowArguments({"--preset", "4", "--", "--style"}, error);
  ASSERT_TRUE(window) << error;
  EXPECT_EQ(window->File, "--style");
  EXPECT_EQ(window->Style.Preset, 4);
}

// A link planted under the name the temporary file used to have (a shared
// sticky folder) made a root-run export truncate the file it pointed to.
TEST_F(TPrintPdf, APlantedLinkIsNeverFollowed) {
  const fs::path victim = Folder.Path() / "victim";
  testing::WriteBytes(victim.string(), "secret");
  const fs::path out = Folder.Path() / "out.pdf";
  fs::create_symlink(victim, Folder.Path() / ".out.pdf.partial");
  ASSERT_EQ(Run(TextFile("prose.txt"), out, 15), 0);
  EXPECT_GT(PdfPages(out), 0);
  EXPECT_EQ(testing::ReadFileBytes(victim), "secret");
  EXPECT_TRUE(fs::is_symlink(Folder.Path() / ".out.pdf.partial"));
  // The finished file is the user's usual kind, not the temporary's 0600.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(static_cast<mode_t>(fs::status(out).permissions()) & 0777, 0666 & ~mask);
}

TEST_F(TPrintPdf, ThePagesOfTheViewInTheStylesPaper) {
  const fs::path out = Folder.Path() / "prose.pdf";
  ASSERT_EQ(Run(TextFile("prose.txt"), out, 15), 0);
  TPageRenderer renderer(15, 100);
  renderer.LoadFromFile(TextFile("prose.txt"));
  EXPECT_EQ(PdfPages(out), renderer.View().PageCount());
  // A page range prints only its sheets.
  const fs::path two = Folder.Path() / "two.pdf";
  ASSERT_EQ(Run(TextFile("prose.txt"), two, 4, 2, 2), 0);
  EXPECT_EQ(PdfPages(two), 1);
}

// Print and screen are one painting: the printed page, rasterised at the
// screen's resolution, is the previewed sheet.
TEST_F(TPrintPdf, ThePrintedPageIsThePreviewedSheet) {
  const fs::path out = Folder.Path() / "page.pdf";
  ASSERT_EQ(Run(TextFile("prose.txt"), out, 5), 0);
  TPageRenderer renderer(5, 100);
  renderer.LoadFromFile(TextFile("prose.txt"));
  renderer.View().SetPreview(true);
  const QImage screen = renderer.RenderSheet(0).convertToFormat(QImage::Format_RGB32);
  const TRect sheet = renderer.View().GetSheetRect(0);
  const int dpi = renderer.View().Metrics().ScreenDpi;
  QProcess raster;
  raster.start("pdftoppm", {"-r", QString::number(dpi), "-png", "-f", "1", "-l", "1", "-singlefile",
                            QString::fromStdString(out.string()),
                            QString::fromStdString((Folder.Path() / "page").string())});
  if (!raster.waitForFinished(30000) || raster.exitCode() != 0) GTEST_SKIP() << "pdftoppm is not installed";
  const QImage printed = QImage(QString::fromStdString((Folder.Path() / "page.png").string()))
                             .convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(printed.isNull());
  // Inside the sheet's frame, at the same size within a pixel of rounding.
  const QRect inner(sheet.Left + 2, sheet.Top + 2, std::min(sheet.Right - sheet.Left, printed.width()) - 4,
                    std::min(sheet.Bottom - sheet.Top, printed.height()) - 4);
  EXPECT_LE(std::abs(printed.width() - (sheet.Right - sheet.Left)), 1);
  EXPECT_LE(std::abs(printed.height() - (sheet.Bottom - sheet.Top)), 1);
  const QImage a = screen.copy(inner), b = printed.copy(inner.translated(-sheet.Left, -sheet.Top));
  // The screen's rows and cells round to its pixels a little apart from the
  // printer's (a pixel or two along a page): blocks of 32 pixels absorb that.
  const testing::TBlockDiff blocks = testing::CompareBlocks(a, b, 32);
  EXPECT_LE(blocks.Mean, 3.0);
  EXPECT_LE(blocks.Max, 30.0);
  EXPECT_LE((testing::InkBox(a).topLeft() - testing::InkBox(b).topLeft()).manhattanLength(), 4);
}

TEST_F(TPrintPdf, BadInputsAreRefusedAndLeaveNothing) {
  const fs::path out = Folder.Path() / "out.pdf";
  EXPECT_EQ(Run((Folder.Path() / "missing.txt").string(), out), 1);
  ExpectNothingWritten(out);
  EXPECT_EQ(Run(Folder.Path().string(), out), 1);  // a folder
  ExpectNothingWritten(out);
  testing::WriteBytes(Folder.Path() / "binary.txt", std::string("ab\0cd", 5));
  EXPECT_EQ(Run((Folder.Path() / "binary.txt").string(), out), 1);
  ExpectNothingWritten(out);
  EXPECT_EQ(Run(TextFile("prose.txt"), out, 4, 40, 41), 2);  // past the last page
  ExpectNothingWritten(out);
  // An output folder that does not exist cannot be written.
  const fs::path nowhere = Folder.Path() / "no" / "such" / "out.pdf";
  EXPECT_EQ(Run(TextFile("prose.txt"), nowhere), 1);
  EXPECT_FALSE(fs::exists(nowhere));
  // A style file without an editor style, and one with garbage values.
  testing::WriteBytes(Folder.Path() / "empty.ini", "[Other]\r\nKey=1\r\n");
  EXPECT_EQ(Run(TextFile("prose.txt"), out, 0, 0, 0, (Folder.Path() / "empty.ini").string()), 2);
  ExpectNothingWritten(out);
}

TEST_F(TPrintPdf, AStyleFileWithGarbageValuesStillPrintsSoundly) {
  const fs::path ini = Folder.Path() / "style.ini";
  testing::WriteBytes(
      ini,
      "[Style]\r\nDefaultIndex=-1\r\nVertical=maybe\r\nColumnCount=-99999x\r\nLineSpace=abc\r\n"
      "PartationCount=5000\r\nLineCountInPage=-3\r\nPaperVisible=1\r\nPaperSize=31337\r\n"
      "Normal=1,\"Nowhere Sans,0\",9,-4,x,$GG,clNowhere\r\n");
  const fs::path out = Folder.Path() / "garbage.pdf";
  EXPECT_EQ(Run(TextFile("prose.txt"), out, 0, 0, 0, ini.string()), 0);
  EXPECT_GE(PdfPages(out), 1);
}

}  // namespace
}  // namespace vorna
