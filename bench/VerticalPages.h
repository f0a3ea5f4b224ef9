// The platform benchmark's page: twenty vertical columns of forty mixed
// cells drawn on a QImage with one text output per column, the floor that
// the view's painting is measured against.
#pragma once

#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "platform/qt/QtCanvas.h"
#include "text/Cp932.h"

namespace vorna::bench {

constexpr int kColumns = 20;
constexpr int kCells = 40;
constexpr int kEm = 16;
constexpr int kPitch = 24;

// Twenty columns of forty mixed cells: kanji, kana, punctuation with vertical
// forms, Latin letters and digits.
inline const std::vector<std::string>& Columns() {
  static const std::vector<std::string> columns = [] {
    const char* pieces[] = {"「縦書きの", "文章」は、", "ページを", "ABC",      "組む。", "（テスト）",
                            "ー長音…",    "12",         "漢字かな", "カタカナ", "xyz",    "２０２６年"};
    std::vector<std::string> out;
    for (int c = 0; c < kColumns; ++c) {
      std::string line;
      int cells = 0;
      for (int i = c; cells < kCells; ++i) {
        std::string piece = Cp932FromUtf8(pieces[i % 12]);
        for (size_t k = 0; k < piece.size() && cells < kCells;) {
          bool wide =
              static_cast<unsigned char>(piece[k]) >= 0x81 &&
              (static_cast<unsigned char>(piece[k]) <= 0x9F || static_cast<unsigned char>(piece[k]) >= 0xE0);
          line += piece.substr(k, wide ? 2 : 1);
          k += wide ? 2 : 1;
          ++cells;
        }
      }
      out.push_back(line);
    }
    return out;
  }();
  return columns;
}

inline QImage& Page() {
  static QImage page(kColumns * kPitch + 20, kCells * kEm + 20, QImage::Format_RGB32);
  return page;
}

inline TFontSpec VerticalFont() {
  TFontSpec font;
  font.Face = Cp932FromUtf8("@ＭＳ 明朝");
  font.Height = -kEm;
  font.Escapement = kVerticalEscapement;
  return font;
}

inline void DrawPage(QPainter& painter) {
  qt::TQtCanvas canvas(&painter);
  canvas.SetFont(VerticalFont());
  int x = Page().width() - 10;
  for (const std::string& column : Columns()) {
    canvas.TextOut(x, 10, column);
    x -= kPitch;
  }
}

}  // namespace vorna::bench
