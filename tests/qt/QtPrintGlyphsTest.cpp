// Characters outside CP932 on the printer: a PDF page read back with pdftoppm
// shows the colour emoji in colour and the ideograph from its found font.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>

#include "QtTestHelpers.h"
#include "text/UserCodes.h"

namespace vorna::testing {
namespace {

constexpr int kDpi = 150;

TEST(QtPrintGlyphs, EmojiAndIdeographsBeyondTheBmpReachThePdf) {
  if (!QFile::exists(QStringLiteral(VORNA_PDFTOPPM))) GTEST_SKIP() << "pdftoppm not installed";
  QTemporaryDir dir;
  const QString pdf = dir.path() + "/page.pdf";
  const QRect margins = PrintTestPdf(pdf, kDpi, [](qt::TQtCanvas& canvas) {
    canvas.SetFont(TestFont("@ＭＳ 明朝", -60, true));
    canvas.TextOut(200, 20, Cp932TextFromUtf8("😀"));
    canvas.TextOut(300, 20, Cp932TextFromUtf8("𠮷"));
  });
  QProcess render;
  render.start(QStringLiteral(VORNA_PDFTOPPM),
               {"-r", QString::number(kDpi), "-png", "-singlefile", pdf, dir.path() + "/page"});
  ASSERT_TRUE(render.waitForFinished(30000) && render.exitCode() == 0);
  const QImage page = QImage(dir.path() + "/page.png").convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(page.isNull());
  int coloured = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) {
      const QRgb p = page.pixel(x, y);
      coloured += std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)}) > 80;
    }
  EXPECT_GT(coloured, 500);
  // The ideograph's column (between the emoji's and the right edge) is inked.
  EXPECT_FALSE(InkBox(page, 160, QRect(margins.left() + 220, 0, 100, page.height())).isEmpty());
}

}  // namespace
}  // namespace vorna::testing
