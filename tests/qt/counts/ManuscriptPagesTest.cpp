// The 400-character manuscript pages are the pages preset 4 prints with ruby
// and annotation shown: on texts of our own against the PDF, on the corpus
// against the printed layout of the headless editor.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "Corpus.h"
#include "PageRenders.h"
#include "PrintPdfCommands.h"
#include "QtTestHelpers.h"
#include "StatsCommands.h"
#include "TempFolders.h"
#include "TestSupport.h"
#include "document/DocumentCounts.h"
#include "platform/PosixFiles.h"
#include "view/ViewCounts.h"

namespace vorna {
namespace {

namespace fs = std::filesystem;
using testing::Sj;

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// Lines of every length around the 20th cell, closing marks that hang,
// opening ones at a row's end, half-width words and empty lines: a few pages.
std::string PlainText() {
  std::string text;
  for (int i = 0; i < 90; ++i) {
    text += Repeat(Sj("あ"), (i * 7) % 43);
    if (i % 3 == 0) text += Sj("。");
    if (i % 4 == 1) text += Sj("「") + Repeat(Sj("い"), 19) + Sj("」");
    if (i % 5 == 2) text += Repeat("word ", i % 11);
    text += "\r\n";
    if (i % 9 == 0) text += "\r\n";
  }
  return text;
}

// The same with ruby, emphasis and other annotations.
std::string NotationText() {
  std::string text;
  for (int i = 0; i < 70; ++i) {
    text += Repeat(Sj("あ"), (i * 5) % 37) + Sj("｜東京《とうきょう》の") + Repeat(Sj("う"), i % 9) +
            Sj("話［＃「話」に傍点］。");
    if (i % 6 == 0) text += Sj("［＃ここから２字下げ］");
    text += "\r\n";
  }
  return text;
}

// The counts --stats prints of `file` under `preset` or the style file `style`.
std::map<std::string, long long> Stats(const fs::path& file, int preset, const fs::path& style = {}) {
  TStatsOptions options;
  options.File = file.string();
  options.Preset = preset;
  options.StyleFile = style.string();
  char* buffer = nullptr;
  size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  EXPECT_EQ(RunStats(options, out), 0);
  std::fclose(out);
  std::istringstream lines(std::string(buffer, size));
  std::free(buffer);
  std::map<std::string, long long> values;
  for (std::string line; std::getline(lines, line);) {
    const size_t colon = line.find(": ");
    if (colon != std::string::npos) values[line.substr(0, colon)] = std::stoll(line.substr(colon + 2));
  }
  return values;
}

int PrintedPdfPages(const fs::path& text, const fs::path& pdf, int preset, const fs::path& style) {
  TPrintPdfOptions options;
  options.File = text.string();
  options.Output = pdf.string();
  options.Preset = preset;
  options.StyleFile = style.string();
  EXPECT_EQ(RunPrintPdf(options), 0);
  return vorna::testing::PdfPageCount(pdf.string());
}

class ManuscriptPagesTest : public ::testing::Test {
 protected:
  // Preset 4 with Rubi and FootNote shown, as a user's style file.
  fs::path ManuscriptStyleFile() {
    TPosixFiles files;
    const TDataItemPtr<TEditorStyle> style = MakeDataItem<TEditorStyle>();
    MakeManuscriptStyle(*style);
    style->BecomeUserStyle();
    const fs::path path = Folder.Path() / "manuscript.ini";
    style->SaveToIniFile(files, path);
    return path;
  }
  fs::path Write(const std::string& name, const std::string& bytes) {
    testing::WriteBytes(Folder.Path() / name, bytes);
    return Folder.Path() / name;
  }
  testing::TTempFolder Folder;
};

TEST_F(ManuscriptPagesTest, ATextWithoutNotationCountsThePagesPreset4Prints) {
  const fs::path text = Write("plain.txt", PlainText());
  const int printed = PrintedPdfPages(text, Folder.Path() / "plain.pdf", kManuscriptPreset, {});
  ASSERT_GE(printed, 3);
  const auto stats = Stats(text, kManuscriptPreset);
  EXPECT_EQ(stats.at("manuscript_pages_400"), printed);
  EXPECT_EQ(stats.at("pages"), printed);
}

TEST_F(ManuscriptPagesTest, NotationTakesNoCellsAsWithRubyAndAnnotationShown) {
  const fs::path text = Write("notation.txt", NotationText());
  const fs::path style = ManuscriptStyleFile();
  const int printed = PrintedPdfPages(text, Folder.Path() / "notation.pdf", 0, style);
  const auto stats = Stats(text, 0, style);
  EXPECT_EQ(stats.at("manuscript_pages_400"), printed);
  EXPECT_EQ(stats.at("pages"), printed);
  // Preset 4 itself shows the notation in the cells: more pages.
  EXPECT_GT(Stats(text, kManuscriptPreset).at("pages"), printed);
}

// Every corpus file against the printed layout (the page count the PDF gets,
// see PrintPdfTest); the smallest is printed to PDF as well.
TEST_F(ManuscriptPagesTest, EveryCorpusFileCountsThePagesOfThePrintedLayout) {
  VORNA_REQUIRE_CORPUS();
  const std::vector<fs::path> corpus = testing::CorpusFiles();
  for (const fs::path& file : corpus) {
    TPageRenderer editor(0, 100);
    MakeManuscriptStyle(editor.Style());
    editor.View().StyleChanged();
    editor.LoadFromFile(file.string());
    TDocumentCounts counts(editor.View().List());
    EXPECT_EQ(counts.Totals().Pages, PrintedPageCount(editor.View())) << file;
  }
  const fs::path smallest = *std::min_element(corpus.begin(), corpus.end(), [](const auto& a, const auto& b) {
    return fs::file_size(a) < fs::file_size(b);
  });
  const fs::path style = ManuscriptStyleFile();
  EXPECT_EQ(Stats(smallest, 0, style).at("manuscript_pages_400"),
            PrintedPdfPages(smallest, Folder.Path() / "smallest.pdf", 0, style));
}

}  // namespace
}  // namespace vorna
