// The outline of the corpus texts that have Aozora headings, with pages
// checked against the printed document: each heading's line must be printed
// on the page the outline names, in the text pdftotext reads from the PDF.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>

#include "PageRenders.h"
#include "TestSupport.h"
#include "document/Outlines.h"
#include "text/Cp932.h"
#include "view/StylePages.h"

namespace vorna::app {
namespace {

// The text without spaces of either width or line breaks.
std::string Squeezed(const QString& text) {
  QString out;
  for (const QChar c : text)
    if (!c.isSpace()) out += c;
  return out.toStdString();
}

// The printed text without spaces, and where each page begins in it.
struct TPrintedText {
  std::string Text;
  std::vector<size_t> PageStarts;
  int PageAt(size_t offset) const {
    return static_cast<int>(std::upper_bound(PageStarts.begin(), PageStarts.end(), offset) -
                            PageStarts.begin());
  }
};

TPrintedText ReadPrintedText(const std::string& pdf) {
  QProcess process;
  process.start(QStringLiteral(VORNA_PDFTOTEXT), {QString::fromStdString(pdf), QStringLiteral("-")});
  process.waitForFinished(120000);
  TPrintedText printed;
  const QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QChar('\f'));
  // pdftotext ends the last page with a form feed too.
  const qsizetype count = pages.size() > 1 ? pages.size() - 1 : pages.size();
  for (qsizetype i = 0; i < count; ++i) {
    printed.PageStarts.push_back(printed.Text.size());
    printed.Text += Squeezed(pages[i]);
  }
  return printed;
}

// The first `count` characters of a UTF-8 text.
std::string FirstCharacters(const std::string& utf8, int count) {
  size_t end = 0;
  for (int i = 0; i < count && end < utf8.size(); ++i) {
    ++end;
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
  }
  return utf8.substr(0, end);
}

TEST(OutlineCorpusPagesTest, HeadingsLieOnThePagesTheyArePrintedOn) {
  VORNA_REQUIRE_CORPUS();
  if (std::string(VORNA_PDFTOTEXT).empty()) GTEST_SKIP() << "pdftotext not found; test skipped";
  const std::string pdf = ::testing::TempDir() + "outline-pages-" + std::to_string(::getpid()) + ".pdf";
  int texts = 0;
  for (const auto& path : vorna::testing::CorpusFiles()) {
    // Ａ４縦（横書き）: printed across the page, so the PDF's text reads in order.
    TPageRenderer renderer(1, 100);
    renderer.LoadFromFile(path.string());
    TEditorView& view = renderer.View();
    TOutline outline(view.List());
    outline.Update();
    const std::vector<TOutlineEntry> entries =
        OutlineEntries(outline.Headings(), view.List(), [&view](int line) { return PageOfLine(view, line); });
    std::map<int, int> levels;
    for (const TOutlineEntry& e : entries) ++levels[e.Heading.Level];
    if (levels.count(hlLarge) + levels.count(hlMedium) + levels.count(hlSmall) == 0) continue;
    ++texts;
    ASSERT_TRUE(renderer.PrintToPdf(pdf, "outline", 0, 0));
    const TPrintedText printed = ReadPrintedText(pdf);
    EXPECT_EQ(static_cast<int>(printed.PageStarts.size()), view.PageCount());
    // A heading's page is where the printed text holds its line's first row
    // as often as the document holds that row's text before the line, plus
    // once. The row is cut at its first full-width space, where pdftotext
    // may break it apart.
    std::string document;
    std::vector<size_t> lineStarts;
    for (int i = 0; i < view.List().Count(); ++i) {
      lineStarts.push_back(document.size());
      document += Squeezed(QString::fromStdString(Utf8FromCp932(view.List().Get(i))));
    }
    std::string listing;
    for (const TOutlineEntry& e : entries) {
      const std::string row = Utf8FromCp932(view.List().RowText(view.List().FirstRowOfLine(e.Heading.Line)));
      const std::string fragment =
          FirstCharacters(Squeezed(QString::fromStdString(row.substr(0, row.find("　")))), 40);
      ASSERT_FALSE(fragment.empty());
      size_t at = 0;
      for (size_t found = document.find(fragment); found < lineStarts[static_cast<size_t>(e.Heading.Line)];
           found = document.find(fragment, found + 1))
        at = printed.Text.find(fragment, at) + 1;
      at = printed.Text.find(fragment, at);
      EXPECT_EQ(e.Page, at == std::string::npos ? 0 : printed.PageAt(at))
          << path.filename() << " line " << e.Heading.Line + 1;
      listing += " " + std::to_string(e.Heading.Level) + ":p" + std::to_string(e.Page);
    }
    std::printf("%s: %zu entries, pages 1-%d,%s\n", path.filename().c_str(), entries.size(), view.PageCount(),
                listing.substr(0, 120).c_str());
  }
  std::filesystem::remove(pdf);
  EXPECT_EQ(texts, 5);
}

}  // namespace
}  // namespace vorna::app
