// Draws the editor's own pictures into a folder: the window's background,
// the about box's icon and the toolbar's banner (JPEG, decoded by the editor
// through libjpeg), the twelve 16 x 16 action images (PNG) and the desktop
// icon (hicolor/, PNG at the theme's sizes and SVG).
//   make-pictures OUT-FOLDER
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

// `quality` 0 is a PNG's strongest compression (it stays lossless).
bool Save(const QImage& image, const QString& path, const char* format, int quality = 92) {
  if (image.save(path, format, quality)) return true;
  std::fprintf(stderr, "make-pictures: cannot write %s\n", qPrintable(path));
  return false;
}

// Deep ink blue with faint manuscript columns: the white text reads on it.
QImage Background() {
  QImage image(1280, 742, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient g(0, 0, 1280, 742);
  g.setColorAt(0, QColor(0x14, 0x1c, 0x2e));
  g.setColorAt(1, QColor(0x0b, 0x10, 0x1c));
  p.fillRect(image.rect(), g);
  p.setPen(QColor(0x22, 0x2d, 0x45));
  for (int x = 40; x < 1280; x += 40) p.drawLine(x, 30, x, 712);
  for (int y = 30; y <= 712; y += 38) p.drawLine(40, y, 1240, y);
  return image;
}

// A manuscript square with the letters of the name down its column.
QImage Icon() {
  QImage image(105, 105, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(image.rect(), QColor(0x33, 0x48, 0x77));
  p.setPen(QPen(QColor(0xd9, 0x8c, 0x3f), 3));
  p.drawRect(10, 10, 85, 85);
  p.setPen(QPen(QColor(0xd9, 0x8c, 0x3f), 1));
  p.drawLine(52, 10, 52, 95);
  QFont font(QStringLiteral("IPAMincho"));
  font.setPixelSize(30);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(14, 12, 36, 40), Qt::AlignCenter, QString::fromUtf8("Ｖ"));
  p.drawText(QRect(55, 52, 36, 40), Qt::AlignCenter, QString::fromUtf8("Ｅ"));
  return image;
}

QImage Banner() {
  QImage image(273, 36, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 273, 0);
  g.setColorAt(0, QColor(0x0b, 0x10, 0x1c));
  g.setColorAt(1, QColor(0x33, 0x48, 0x77));
  p.fillRect(image.rect(), g);
  QFont font(QStringLiteral("IPAMincho"));
  font.setPixelSize(22);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(10, 0, 180, 36), Qt::AlignVCenter | Qt::AlignLeft, QString::fromUtf8("ＶＯＲＮＡ"));
  font.setPixelSize(11);
  p.setFont(font);
  p.setPen(QColor(0xd9, 0x8c, 0x3f));
  p.drawText(QRect(150, 0, 118, 36), Qt::AlignVCenter | Qt::AlignRight,
             QString::fromUtf8("縦書き原稿エディタ"));
  return image;
}

// One 16 x 16 action image drawn by `draw` on a transparent square.
QImage Glyph(const std::function<void(QPainter&)>& draw) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p);
  return image;
}

void Sheet(QPainter& p, int x, int y) {
  p.setPen(QPen(QColor(0x44, 0x44, 0x44), 1));
  p.setBrush(Qt::white);
  QPainterPath path;
  path.moveTo(x + 0.5, y + 0.5);
  path.lineTo(x + 7.5, y + 0.5);
  path.lineTo(x + 10.5, y + 3.5);
  path.lineTo(x + 10.5, y + 13.5);
  path.lineTo(x + 0.5, y + 13.5);
  path.closeSubpath();
  p.drawPath(path);
}

void Disk(QPainter& p) {
  p.setPen(QPen(QColor(0x22, 0x33, 0x66), 1));
  p.setBrush(QColor(0x44, 0x66, 0xaa));
  p.drawRect(QRectF(1.5, 1.5, 13, 13));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4.5, 1.5, 7, 5));
  p.setBrush(QColor(0xdd, 0xdd, 0xdd));
  p.drawRect(QRectF(3.5, 9.5, 9, 5));
}

void Arrow(QPainter& p, bool back) {
  p.setPen(QPen(QColor(0x22, 0x66, 0x33), 2));
  p.setBrush(Qt::NoBrush);
  QPainterPath path;
  if (back) {
    path.moveTo(13, 12);
    path.cubicTo(13, 5, 7, 4, 4, 7);
  } else {
    path.moveTo(3, 12);
    path.cubicTo(3, 5, 9, 4, 12, 7);
  }
  p.drawPath(path);
  p.setBrush(QColor(0x22, 0x66, 0x33));
  p.setPen(Qt::NoPen);
  const QPolygonF head = back ? QPolygonF({{1, 4}, {7, 4}, {3, 10}}) : QPolygonF({{15, 4}, {9, 4}, {13, 10}});
  p.drawPolygon(head);
}

QVector<QImage> ActionImages() {
  const QColor ink(0x33, 0x33, 0x33);
  return {
      Glyph([](QPainter& p) { Sheet(p, 3, 1); }),  // 0 new
      Glyph([](QPainter& p) {                      // 1 open
        p.setPen(QPen(QColor(0x88, 0x66, 0x22), 1));
        p.setBrush(QColor(0xee, 0xcc, 0x66));
        p.drawRect(QRectF(1.5, 4.5, 13, 9));
        p.drawRect(QRectF(1.5, 2.5, 5, 2));
      }),
      Glyph([](QPainter& p) { Disk(p); }),  // 2 save
      Glyph([](QPainter& p) {               // 3 save as
        Disk(p);
        p.setPen(QPen(QColor(0xcc, 0x44, 0x22), 2));
        p.drawLine(9, 14, 15, 8);
      }),
      Glyph([](QPainter& p) {  // 4 print
        p.setPen(QPen(QColor(0x44, 0x44, 0x44), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(0x99, 0x99, 0x99));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
      }),
      Glyph([ink](QPainter& p) {  // 5 cut
        p.setPen(QPen(ink, 1.5));
        p.drawLine(4, 1, 11, 10);
        p.drawLine(12, 1, 5, 10);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(1.5, 10, 4, 4));
        p.drawEllipse(QRectF(10.5, 10, 4, 4));
      }),
      Glyph([](QPainter& p) {  // 6 copy
        Sheet(p, 1, 0);
        Sheet(p, 5, 2);
      }),
      Glyph([](QPainter& p) {  // 7 paste
        p.setPen(QPen(QColor(0x88, 0x66, 0x22), 1));
        p.setBrush(QColor(0xcc, 0x99, 0x55));
        p.drawRect(QRectF(1.5, 2.5, 10, 12));
        Sheet(p, 5, 2);
      }),
      Glyph([](QPainter& p) { Arrow(p, true); }),   // 8 undo
      Glyph([](QPainter& p) { Arrow(p, false); }),  // 9 redo
      Glyph([](QPainter& p) {                       // 10 about
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x33, 0x48, 0x77));
        p.drawEllipse(QRectF(1, 1, 14, 14));
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(QPointF(8, 7), QPointF(8, 12));
        p.drawPoint(QPointF(8, 4.5));
      }),
      Glyph([](QPainter& p) {  // 11 status: a manuscript square
        p.setPen(QPen(QColor(0xd9, 0x8c, 0x3f), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
      }),
  };
}

// The desktop icon: the about box's picture with the letters as outlines,
// so the PNG sizes and the SVG draw the very same shapes in a 105 x 105 box.
constexpr double kIconBox = 105;
const QColor kIconBack(0x33, 0x48, 0x77), kIconFrame(0xd9, 0x8c, 0x3f), kIconLetters(Qt::white);

QPainterPath IconLetters() {
  QFont font(QStringLiteral("IPAMincho"));
  font.setPixelSize(30);
  QPainterPath letters;
  const QFontMetricsF metrics(font);
  auto centred = [&](const QRectF& box, const QString& letter) {
    const double x = box.left() + (box.width() - metrics.horizontalAdvance(letter)) / 2;
    const double baseline = box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent();
    letters.addText(QPointF(x, baseline), font, letter);
  };
  centred(QRectF(14, 12, 36, 40), QString::fromUtf8("Ｖ"));
  centred(QRectF(55, 52, 36, 40), QString::fromUtf8("Ｅ"));
  return letters;
}

// The frame and the column line filled on whole pixels, so they stay sharp
// at every size; the letters are scaled.
QImage DesktopIcon(int sizePx, const QPainterPath& letters) {
  QImage image(sizePx, sizePx, QImage::Format_RGB32);
  image.fill(kIconBack);
  QPainter p(&image);
  const double scale = sizePx / kIconBox;
  auto px = [scale](double box) { return static_cast<int>(std::lround(box * scale)); };
  const int frameOuter = px(8.5), frameSize = px(96.5) - frameOuter, frameWidth = std::max(1, px(3));
  p.fillRect(frameOuter, frameOuter, frameSize, frameSize, kIconFrame);
  p.fillRect(frameOuter + frameWidth, frameOuter + frameWidth, frameSize - 2 * frameWidth,
             frameSize - 2 * frameWidth, kIconBack);
  const int lineWidth = std::max(1, px(1));
  p.fillRect(px(52) - lineWidth / 2, frameOuter, lineWidth, frameSize, kIconFrame);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(scale, scale);
  // The stroke stands for the about box's bold letters.
  p.setPen(QPen(kIconLetters, 1.2));
  p.setBrush(kIconLetters);
  p.drawPath(letters);
  return image;
}

QString SvgPathData(const QPainterPath& path) {
  QString data;
  auto point = [](double x, double y) { return QStringLiteral("%1 %2").arg(x, 0, 'f', 2).arg(y, 0, 'f', 2); };
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    if (e.isMoveTo()) {
      data += QStringLiteral("M") + point(e.x, e.y);
    } else if (e.isLineTo()) {
      data += QStringLiteral("L") + point(e.x, e.y);
    } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
      const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
      data += QStringLiteral("C") + point(e.x, e.y) + " " + point(c2.x, c2.y) + " " + point(end.x, end.y);
      i += 2;
    }
  }
  return data;
}

QByteArray DesktopIconSvg(const QPainterPath& letters) {
  const QString rule = letters.fillRule() == Qt::WindingFill ? "nonzero" : "evenodd";
  const QString svg =
      QStringLiteral(
          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"105\" height=\"105\" "
          "viewBox=\"0 0 105 105\">\n"
          "  <rect width=\"105\" height=\"105\" fill=\"%1\"/>\n"
          "  <rect x=\"10\" y=\"10\" width=\"85\" height=\"85\" fill=\"none\" "
          "stroke=\"%2\" stroke-width=\"3\"/>\n"
          "  <path d=\"M52 10V95\" stroke=\"%2\" stroke-width=\"1\"/>\n"
          "  <path fill=\"%3\" fill-rule=\"%4\" stroke=\"%3\" stroke-width=\"1.2\" d=\"%5\"/>\n"
          "</svg>\n")
          .arg(kIconBack.name(), kIconFrame.name(), kIconLetters.name(), rule, SvgPathData(letters));
  return svg.toUtf8();
}

// hicolor/NxN/apps/vorna-editor.png and hicolor/scalable/apps/vorna-editor.svg,
// laid out as they are installed.
bool SaveDesktopIcons(const QDir& out) {
  const QPainterPath letters = IconLetters();
  for (int sizePx : {16, 32, 48, 64, 128, 256}) {
    const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(sizePx);
    if (!out.mkpath(folder) ||
        !Save(DesktopIcon(sizePx, letters), out.filePath(folder + "/vorna-editor.png"), "PNG", 0))
      return false;
  }
  QFile svg(out.filePath("hicolor/scalable/apps/vorna-editor.svg"));
  const QByteArray bytes = DesktopIconSvg(letters);
  if (out.mkpath("hicolor/scalable/apps") && svg.open(QIODevice::WriteOnly) &&
      svg.write(bytes) == bytes.size() && svg.flush())
    return true;
  std::fprintf(stderr, "make-pictures: cannot write %s\n", qPrintable(svg.fileName()));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-pictures OUT-FOLDER\n");
    return 2;
  }
  QApplication app(argc, argv);
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.exists() && !QDir().mkpath(out.path())) {
    std::fprintf(stderr, "make-pictures: cannot make %s\n", argv[1]);
    return 1;
  }
  bool ok = Save(Background(), out.filePath("back.jpg"), "JPEG") &&
            Save(Icon(), out.filePath("icon.jpg"), "JPEG") &&
            Save(Banner(), out.filePath("banner.jpg"), "JPEG");
  const QVector<QImage> images = ActionImages();
  for (int i = 0; i < images.size() && ok; ++i)
    ok = Save(images[i], out.filePath(QStringLiteral("action%1.png").arg(i, 2, 10, QChar('0'))), "PNG");
  if (ok) ok = SaveDesktopIcons(out);
  return ok ? 0 : 1;
}
