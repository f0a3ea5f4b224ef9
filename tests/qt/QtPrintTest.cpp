// Printing through the same canvas: a PDF page written by QPrinter and read
// back with pdftoppm keeps the vertical forms and the printable-area origin.
#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "QtTestHelpers.h"
#include "TestSupport.h"

namespace vorna::testing {
namespace {

constexpr int kDpi = 150;
const char* const kText = "「縦書き」ー、。（テスト）ABC１２";

void PaintPage(TCanvas& canvas, bool vertical) {
  canvas.SetFont(TestFont(vertical ? "@ＭＳ 明朝" : "ＭＳ 明朝", -40, vertical));
  canvas.TextOut(vertical ? 300 : 20, 20, Sj(kText));
}

// The page as pdftoppm renders it, or a null image when that fails.
QImage PrintToPdfAndRender(const QString& dir, QPoint& origin) {
  QString pdf = dir + "/page.pdf";
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  printer.setResolution(kDpi);
  printer.setPageSize(QPageSize(QPageSize::A6));
  printer.setPageMargins(QMarginsF(10, 15, 10, 10), QPageLayout::Millimeter);
  origin = printer.pageLayout().paintRectPixels(kDpi).topLeft();
  {
    QPainter painter(&printer);
    qt::TQtCanvas canvas(&painter);
    PaintPage(canvas, true);
  }
  QProcess render;
  render.start(QStringLiteral(VORNA_PDFTOPPM),
               {"-r", QString::number(kDpi), "-png", "-singlefile", pdf, dir + "/page"});
  if (!render.waitForFinished(30000) || render.exitCode() != 0) return {};
  return QImage(dir + "/page.png");
}

TEST(QtPrint, PdfPageKeepsTheVerticalForms) {
  if (!QFile::exists(QStringLiteral(VORNA_PDFTOPPM))) GTEST_SKIP() << "pdftoppm not installed";
  QTemporaryDir dir;
  QPoint origin;
  QImage page = PrintToPdfAndRender(dir.path(), origin);
  ASSERT_FALSE(page.isNull());
  // The painter's origin is the corner of the printable area, not of the paper.
  EXPECT_GT(origin.x(), 50);
  EXPECT_GT(origin.y(), 80);
  // The same painting on an image of the page, moved by that corner.
  auto paint = [&](bool vertical) {
    TImageCanvas screen(page.width(), page.height());
    screen.Painter.translate(origin);
    PaintPage(*screen.Canvas, vertical);
    return screen.Done().convertToFormat(QImage::Format_RGB32);
  };
  QImage expected = paint(true);
  QImage wrong = paint(false);
  QRect inkPdf = InkBox(page), inkExpected = InkBox(expected);
  ASSERT_FALSE(inkPdf.isNull());
  EXPECT_LE((inkPdf.topLeft() - inkExpected.topLeft()).manhattanLength(), 4);
  EXPECT_LE((inkPdf.bottomRight() - inkExpected.bottomRight()).manhattanLength(), 4);
  // Blocks of 8 x 8 pixels hide the rasterisers' edge differences; a wrong
  // form of any character would leave blocks far apart.
  TBlockDiff same = CompareBlocks(page, expected, 8);
  TBlockDiff other = CompareBlocks(page, wrong, 8);
  EXPECT_LT(same.Max, 30) << "mean " << same.Mean;
  EXPECT_GT(other.Max, 100);
}

}  // namespace
}  // namespace vorna::testing
