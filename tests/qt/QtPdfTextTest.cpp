// PDF output keeps its text: characters drawn in vertical forms and rotated
// half-width characters come back from pdftotext in reading order, and the
// line segments a PDF canvas holds back render as drawn one by one.
#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>

#include "QtTestHelpers.h"
#include "text/UserCodes.h"

namespace vorna::testing {
namespace {

constexpr int kDpi = 150;

QString RunTool(const char* program, const QStringList& arguments) {
  QProcess process;
  process.start(QString::fromUtf8(program), arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(QtPdfText, VerticalFormsAndRotatedDigitsComeBackInOrder) {
  if (!QFile::exists(QStringLiteral(VORNA_PDFTOTEXT))) GTEST_SKIP() << "pdftotext not installed";
  QTemporaryDir dir;
  const QString pdf = dir.path() + "/text.pdf";
  // Vertical forms (punctuation, brackets, small kana, the long vowel mark, a
  // bar), a rotated digit between upright ones, and a second column.
  const char* const columns[] = {"「ちょっと、待ってー」と言った。", "第3章――終わり"};
  PrintTestPdf(pdf, kDpi, [&](qt::TQtCanvas& canvas) {
    canvas.SetFont(TestFont("@ＭＳ 明朝", -40, true));
    canvas.TextOut(500, 20, Cp932TextFromUtf8(columns[0]));
    canvas.TextOut(400, 20, Cp932TextFromUtf8(columns[1]));
  });
  QString text = RunTool(VORNA_PDFTOTEXT, {"-raw", "-enc", "UTF-8", pdf, "-"});
  text.remove(QRegularExpression(QStringLiteral("\\s")));
  EXPECT_EQ(text, QString::fromUtf8(columns[0]) + QString::fromUtf8(columns[1]));
}

// A grid as the view draws it, a column at a time between the columns' text,
// with white text crossing lines drawn before it.
void PaintGrid(qt::TQtCanvas& canvas, bool settleEachLine) {
  canvas.SetFont(TestFont("@ＭＳ 明朝", -30, true));
  for (int column = 0; column < 6; ++column) {
    const int left = 900 - column * 120, right = left + 90;
    canvas.SetTextColor(column % 2 ? kClWhite : kClBlack);
    canvas.TextOut(right - 4, 44, Cp932TextFromUtf8("原稿用紙の升目"));
    canvas.SetPen(0x808080, TPenStyle::Solid, 1);
    for (int x : {left, right}) {
      canvas.MoveTo(x, 40);
      canvas.LineTo(x, 400);
      if (settleEachLine) canvas.SettleStrokes();
    }
    for (int y = 40; y <= 400; y += 36) {
      canvas.MoveTo(left, y);
      canvas.LineTo(right + 1, y);
      if (settleEachLine) canvas.SettleStrokes();
    }
  }
}

TEST(QtPdfText, HeldGridLinesRenderAsDrawnOneByOne) {
  if (!QFile::exists(QStringLiteral(VORNA_PDFTOPPM))) GTEST_SKIP() << "pdftoppm not installed";
  QTemporaryDir dir;
  QImage pages[2];
  for (int held = 0; held < 2; ++held) {
    const QString pdf = dir.path() + QStringLiteral("/grid%1.pdf").arg(held);
    PrintTestPdf(pdf, kDpi, [&](qt::TQtCanvas& canvas) { PaintGrid(canvas, held == 0); });
    const QString png = dir.path() + QStringLiteral("/grid%1").arg(held);
    RunTool(VORNA_PDFTOPPM, {"-r", QString::number(kDpi), "-png", "-singlefile", pdf, png});
    pages[held] = QImage(png + ".png").convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(pages[held].isNull());
    // Held lines shrink the page's content.
    if (held) {
      EXPECT_LT(QFile(pdf).size(), QFile(dir.path() + "/grid0.pdf").size());
    }
  }
  EXPECT_EQ(pages[0], pages[1]);
}

}  // namespace
}  // namespace vorna::testing
