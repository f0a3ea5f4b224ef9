// Drawing a page of vertical text on the Qt canvas (cold and warm glyph
// caches, and shaping every character) against Qt's own drawText per
// character, and measuring one CP932 string.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <string>
#include <vector>

#include "QtBenchApps.h"
#include "VerticalPages.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtGlyphCache.h"
#include "text/Cp932.h"

namespace {

using namespace vorna;
using namespace vorna::bench;

void BM_VerticalPageWarm(benchmark::State& state) {
  EnsureApplication();
  QPainter painter(&Page());
  DrawPage(painter);  // fills the caches
  for (auto _ : state) DrawPage(painter);
}
BENCHMARK(BM_VerticalPageWarm)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_VerticalPageCold(benchmark::State& state) {
  EnsureApplication();
  QPainter painter(&Page());
  for (auto _ : state) {
    qt::ClearFontCache();
    DrawPage(painter);
  }
}
BENCHMARK(BM_VerticalPageCold)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_VerticalPageShapingEveryCharacter(benchmark::State& state) {
  EnsureApplication();
  QPainter painter(&Page());
  DrawPage(painter);
  qt::TQtFont::SetCachingEnabled(false);
  for (auto _ : state) DrawPage(painter);
  qt::TQtFont::SetCachingEnabled(true);
}
BENCHMARK(BM_VerticalPageShapingEveryCharacter)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// Baseline: Qt's drawText, one call per character at the same cells (upright
// only, no vertical forms).
void BM_QtDrawTextPerCharacter(benchmark::State& state) {
  EnsureApplication();
  std::vector<std::vector<QString>> cells;
  for (const std::string& column : Columns()) {
    std::vector<QString> chars;
    for (size_t i = 0; i < column.size();) {
      char32_t cp = 0;
      i += static_cast<size_t>(Cp932DecodeAt(column, i, cp));
      chars.push_back(QString::fromUcs4(&cp, 1));
    }
    cells.push_back(std::move(chars));
  }
  QPainter painter(&Page());
  QFont font("IPAMincho");
  font.setPixelSize(kEm);
  painter.setFont(font);
  for (auto _ : state) {
    int x = Page().width() - 10 - kEm;
    for (const auto& column : cells) {
      int y = 10 + kEm;
      for (const QString& ch : column) {
        painter.drawText(x, y, ch);
        y += kEm;
      }
      x -= kPitch;
    }
  }
}
BENCHMARK(BM_QtDrawTextPerCharacter)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void BM_TextWidth40Characters(benchmark::State& state) {
  EnsureApplication();
  QImage image(10, 10, QImage::Format_RGB32);
  QPainter painter(&image);
  qt::TQtCanvas canvas(&painter);
  TFontSpec font;
  font.Face = Cp932FromUtf8("ＭＳ Ｐ明朝");
  font.Height = -kEm;
  canvas.SetFont(font);
  std::string text = Columns()[3];
  canvas.TextWidth(text);
  for (auto _ : state) benchmark::DoNotOptimize(canvas.TextWidth(text));
}
BENCHMARK(BM_TextWidth40Characters)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
