// Image comparison, PDF page and program-run helpers of the Qt tests.
#include "QtTestHelpers.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "text/Cp932.h"

namespace vorna::testing {

TColor TImageCanvas::Pixel(int x, int y) const {
  const QRgb p = Image.pixel(x, y);
  return static_cast<TColor>(qRed(p) | qGreen(p) << 8 | qBlue(p) << 16);
}

std::string TImageCanvas::Row(int y, int from, int to) const {
  std::string s;
  for (int x = from; x <= to; ++x) s += Ink(x, y) ? '#' : '.';
  return s;
}

std::string TImageCanvas::Column(int x, int from, int to) const {
  std::string s;
  for (int y = from; y <= to; ++y) s += Ink(x, y) ? '#' : '.';
  return s;
}

int MaxChannelDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 256;
  QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
  int worst = 0;
  for (int row = 0; row < x.height(); ++row) {
    auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
    auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
    for (int col = 0; col < x.width(); ++col) {
      worst = std::max({worst, std::abs(qRed(p[col]) - qRed(q[col])),
                        std::abs(qGreen(p[col]) - qGreen(q[col])), std::abs(qBlue(p[col]) - qBlue(q[col]))});
    }
  }
  return worst;
}

QRect InkBox(const QImage& image, int threshold, QRect within) {
  if (within.isNull()) within = image.rect();
  within &= image.rect();
  QRect box;
  for (int row = within.top(); row <= within.bottom(); ++row)
    for (int col = within.left(); col <= within.right(); ++col)
      if (qGray(image.pixel(col, row)) < threshold) box |= QRect(col, row, 1, 1);
  return box;
}

TBlockDiff CompareBlocks(const QImage& a, const QImage& b, int block) {
  TBlockDiff diff;
  int w = std::min(a.width(), b.width()), h = std::min(a.height(), b.height());
  int count = 0;
  for (int by = 0; by + block <= h; by += block) {
    for (int bx = 0; bx + block <= w; bx += block) {
      double sa = 0, sb = 0;
      for (int y = by; y < by + block; ++y)
        for (int x = bx; x < bx + block; ++x) {
          sa += 255 - qGray(a.pixel(x, y));
          sb += 255 - qGray(b.pixel(x, y));
        }
      double d = std::abs(sa - sb) / (block * block);
      diff.Max = std::max(diff.Max, d);
      diff.Mean += d;
      ++count;
    }
  }
  if (count) diff.Mean /= count;
  return diff;
}

int PdfPageCount(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QByteArray bytes = file.readAll();
  return static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                          bytes.count("/Type /Page/") + bytes.count("/Type /Page>"));
}

QRect PrintTestPdf(const QString& pdf, int dpi, const std::function<void(qt::TQtCanvas&)>& paint) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  printer.setResolution(dpi);
  printer.setPageSize(QPageSize(QPageSize::A6));
  {
    QPainter painter(&printer);
    qt::TQtCanvas canvas(&painter);
    paint(canvas);
  }
  return printer.pageLayout().paintRectPixels(dpi);
}

TFontSpec TestFont(const char* utf8Face, int height, bool vertical) {
  TFontSpec font;
  font.Face = Cp932FromUtf8(utf8Face);
  font.Height = height;
  font.Escapement = vertical ? kVerticalEscapement : 0;
  return font;
}

TProgramRun RunProgram(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  TProgramRun run;
  if (!process.waitForFinished(60000)) return run;
  run.Status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.Out = process.readAllStandardOutput().toStdString();
  run.Err = process.readAllStandardError().toStdString();
  return run;
}

}  // namespace vorna::testing
