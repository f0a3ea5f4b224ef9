// Sheets of the editor view painted by the page renderer: empty pages of the
// paper presets and pages of our own texts against reference PNGs (a small
// tolerance for font rasterising), the page count following the document's
// rows, and the printer left as it was found.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <string>

#include "PageRenders.h"
#include "QtTestHelpers.h"
#include "print/LpPrinters.h"

namespace vorna {
namespace {

constexpr int kReferenceZoom = 50;
constexpr int kTallDocumentLines = 400;

QString ReferencePath(int preset) {
  return QDir(QString::fromLocal8Bit(std::getenv("VORNA_TEST_DATA")))
      .filePath(QString("pages/preset-%1.png").arg(preset, 2, 10, QChar('0')));
}

// One empty line under `preset`, with a clock that never moves.
QImage EmptyPage(int preset) {
  TPageRenderer renderer(preset, kReferenceZoom);
  renderer.FreezeClock("2026/1/1", "12:00");
  renderer.SetText("");
  return renderer.RenderSheet(0).copy();
}

class EmptyPageTest : public ::testing::TestWithParam<int> {};

TEST_P(EmptyPageTest, MatchesItsReference) {
  const int preset = GetParam();
  const QImage page = EmptyPage(preset);
  // VORNA_WRITE_PAGES=FOLDER writes what is painted, for renewing the
  // references after a deliberate change (look at them before committing).
  if (const char* out = std::getenv("VORNA_WRITE_PAGES"))
    page.save(QDir(out).filePath(ReferencePath(preset).section('/', -1)), "PNG");
  const QImage reference(ReferencePath(preset));
  ASSERT_FALSE(reference.isNull()) << ReferencePath(preset).toStdString();
  ASSERT_EQ(page.size(), reference.size());
  const QImage a = page.convertToFormat(QImage::Format_RGB32);
  const QImage b = reference.convertToFormat(QImage::Format_RGB32);
  // Frames and hatching must sit on the same pixels; header glyphs may
  // rasterise a little differently, which the block means absorb.
  const testing::TBlockDiff blocks = testing::CompareBlocks(a, b, 8);
  EXPECT_LE(blocks.Max, 24.0) << "preset " << preset;
  EXPECT_LE(blocks.Mean, 0.5) << "preset " << preset;
  EXPECT_EQ(testing::InkBox(a), testing::InkBox(b)) << "preset " << preset;
}

INSTANTIATE_TEST_SUITE_P(PaperPresets, EmptyPageTest, ::testing::Values(4, 5, 9, 14, 15, 16, 21));

// A text of our own under a preset: the first sheet (paper at 50 %) or the
// window (at 100 %), against its reference.
struct TTextPage {
  const char* Text;
  int Preset;
  friend void PrintTo(const TTextPage& page, std::ostream* out) {
    *out << page.Text << " in preset " << page.Preset;
  }
};

class TextPageTest : public ::testing::TestWithParam<TTextPage> {};

TEST_P(TextPageTest, MatchesItsReference) {
  const TTextPage param = GetParam();
  const QDir data(QString::fromLocal8Bit(std::getenv("VORNA_TEST_DATA")));
  const std::string file = data.filePath(QString("pages/texts/%1.txt").arg(param.Text)).toStdString();
  const QString name = QString("text-%1-%2.png").arg(param.Text).arg(param.Preset, 2, 10, QChar('0'));
  bool paper = false;
  {
    TPageRenderer probe(param.Preset, 100);
    paper = probe.View().PaperMode();
  }
  TPageRenderer renderer(param.Preset, paper ? kReferenceZoom : 100);
  renderer.FreezeClock("2026/1/1", "12:00");
  renderer.LoadFromFile(file);
  const QImage page = renderer.RenderSheet(0).convertToFormat(QImage::Format_RGB32);
  if (const char* out = std::getenv("VORNA_WRITE_PAGES")) page.save(QDir(out).filePath(name), "PNG");
  const QImage reference = QImage(data.filePath("pages/" + name)).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(reference.isNull()) << name.toStdString();
  ASSERT_EQ(page.size(), reference.size());
  // Glyphs may rasterise a little apart from one build of the fonts to
  // another; rows, rules and marks must stay where they are.
  const testing::TBlockDiff blocks = testing::CompareBlocks(page, reference, 8);
  EXPECT_LE(blocks.Max, 32.0) << name.toStdString();
  EXPECT_LE(blocks.Mean, 0.8) << name.toStdString();
  EXPECT_EQ(testing::InkBox(page), testing::InkBox(reference)) << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(OwnTexts, TextPageTest,
                         ::testing::Values(TTextPage{"prose", 0}, TTextPage{"prose", 4},
                                           TTextPage{"prose", 6}, TTextPage{"screenplay", 8},
                                           TTextPage{"prose", 12}, TTextPage{"prose", 15},
                                           TTextPage{"unicode", 4}),
                         [](const ::testing::TestParamInfo<TTextPage>& info) {
                           return std::string(info.param.Text) + "_" + std::to_string(info.param.Preset);
                         });

TEST(PageRenderTest, PagesFollowTheRowsAndEverySheetIsPainted) {
  std::string text;
  for (int i = 0; i < kTallDocumentLines; ++i) text += "line\r\n";
  TPageRenderer renderer(5, kReferenceZoom);
  renderer.FreezeClock("2026/1/1", "12:00");
  renderer.SetText("");
  const TEditorView& view = renderer.View();
  ASSERT_TRUE(view.PaperMode());
  EXPECT_EQ(view.PageCount(), 1);
  const QImage first = renderer.RenderSheet(0).copy();

  renderer.SetText(text);
  const int rows = view.List().RowCount();
  EXPECT_EQ(view.PageCount(), (rows + view.RowsPerPage() - 1) / view.RowsPerPage());
  EXPECT_GT(renderer.SheetCount(), 1);
  EXPECT_EQ(renderer.SheetCount(), renderer.SheetOfPage(view.PageCount() - 1) + 1);
  // The same sheet of paper at the same place; only the page number differs.
  const int lastSheet = renderer.SheetCount() - 1;
  const QImage last = renderer.RenderSheet(lastSheet).copy();
  EXPECT_EQ(view.GetSheetRect(lastSheet).Left, kSheetGap);
  EXPECT_EQ(view.GetSheetRect(lastSheet).Top, kSheetGap);
  ASSERT_EQ(last.size(), first.size());
  // The sheet itself: the back of a later sheet starts 7 pixels above it, so
  // the top row of the gap stays unpainted when the sheet before is out of view.
  const TRect sheet = view.GetSheetRect(lastSheet);
  const QRect within(sheet.Left, sheet.Top, sheet.Right - sheet.Left, sheet.Bottom - sheet.Top);
  EXPECT_EQ(testing::InkBox(last, 160, within), testing::InkBox(first, 160, within));
  EXPECT_GT(testing::MaxChannelDifference(last, first), 0);
  EXPECT_LE(testing::CompareBlocks(last, first, 8).Mean, 0.5);
}

TEST(PageRenderTest, WindowModeIsOneImageOfTheWindow) {
  TPageRenderer renderer(0, 100);
  renderer.SetText("line\r\nline\r\n");
  ASSERT_FALSE(renderer.View().PaperMode());
  EXPECT_EQ(renderer.SheetCount(), 1);
  EXPECT_EQ(renderer.RenderSheet(3).size(), QSize(TPageRenderer::kWindowWidth, TPageRenderer::kWindowHeight));
}

TEST(PageRenderTest, ClockCodesAreFrozenAndTheEscapeKept) {
  TPageRenderer renderer(9, kReferenceZoom);
  renderer.Style().SetHeaderStr("&d &t &&d&");
  renderer.FreezeClock("D", "T");
  EXPECT_EQ(renderer.Style().GetHeaderStr(), "D T &&d&");
}

TEST(PageRenderTest, EachRendererPrintsOnAPdfPrinterOfItsOwn) {
  TPageRenderer renderer(5, kReferenceZoom);
  TPageRenderer other(0, 100);
  for (TPageRenderer* r : {&renderer, &other}) {
    ASSERT_NE(r->Services().Printer, nullptr);
    ASSERT_NE(r->Services().Printer->Backend(), nullptr);
    EXPECT_EQ(r->Services().Printer->Backend()->DeviceName(), qt::kPdfPrinterName);
  }
  EXPECT_NE(renderer.Services().Printer, other.Services().Printer);
}

}  // namespace
}  // namespace vorna
