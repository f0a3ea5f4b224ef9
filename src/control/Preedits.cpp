// The preedit's clauses from Qt's attributes and its drawing through the
// canvas (so vertical glyphs come out as the view draws them).
#include "control/Preedits.h"

#include <QInputMethodEvent>
#include <QTextCharFormat>
#include <algorithm>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtConvert.h"
#include "text/Cp932.h"

namespace vorna::control {
namespace {

// Cells of each UTF-16 unit: as many as its CP932 form has bytes (a
// character CP932 cannot hold takes a double-byte user-defined code); the
// low half of a pair takes none. Measured without taking codes.
std::vector<int> CellsPerUnit(const QString& text) {
  std::vector<int> cells(static_cast<size_t>(text.size()), 0);
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate()) continue;
    char32_t cp = text[i].unicode();
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
      cp = QChar::surrogateToUcs4(text[i], text[i + 1]);
    const uint16_t code = HeldCp932Code(cp);
    cells[static_cast<size_t>(i)] = code != 0 && code <= 0xFF ? 1 : 2;
  }
  return cells;
}

// Pixels along the row from the preedit's start to unit `index`.
int AlongPx(const std::vector<int>& cells, int index, int cellPx) {
  int sum = 0;
  for (int i = 0; i < index && i < static_cast<int>(cells.size()); ++i) sum += cells[static_cast<size_t>(i)];
  return sum * cellPx;
}

// A span along the row, `from` .. `to` pixels, as a rectangle across the band.
QRect SpanRect(const TPreeditPlace& place, int from, int to, int acrossFrom, int acrossTo) {
  if (place.Vertical)
    return QRect(QPoint(place.Origin.x() + acrossFrom, place.Origin.y() + from),
                 QPoint(place.Origin.x() + acrossTo - 1, place.Origin.y() + to - 1));
  return QRect(QPoint(place.Origin.x() + from, place.Origin.y() + acrossFrom),
               QPoint(place.Origin.x() + to - 1, place.Origin.y() + acrossTo - 1));
}

}  // namespace

TPreedit PreeditFromEvent(const QInputMethodEvent& event) {
  TPreedit p;
  p.Text = event.preeditString();
  for (const QInputMethodEvent::Attribute& a : event.attributes()) {
    if (a.type == QInputMethodEvent::Cursor) {
      p.Cursor = a.length > 0 ? std::clamp(a.start, 0, static_cast<int>(p.Text.size())) : -1;
    } else if (a.type == QInputMethodEvent::TextFormat && a.length > 0) {
      const QTextCharFormat format = a.value.value<QTextFormat>().toCharFormat();
      const int start = std::clamp(a.start, 0, static_cast<int>(p.Text.size()));
      const int length = std::clamp(a.length, 0, static_cast<int>(p.Text.size()) - start);
      if (length == 0) continue;
      // The clause being converted comes highlighted (a background) or with
      // a heavier underline.
      const bool selected = format.hasProperty(QTextFormat::BackgroundBrush) ||
                            format.underlineStyle() == QTextCharFormat::WaveUnderline ||
                            format.fontWeight() > QFont::Normal;
      p.Clauses.push_back({start, length, selected});
    }
  }
  std::sort(p.Clauses.begin(), p.Clauses.end(),
            [](const TPreeditClause& a, const TPreeditClause& b) { return a.Start < b.Start; });
  return p;
}

QRect PreeditRect(const TPreedit& preedit, const TPreeditPlace& place) {
  if (preedit.Empty()) return {};
  const std::vector<int> cells = CellsPerUnit(preedit.Text);
  const int length = AlongPx(cells, static_cast<int>(cells.size()), place.CellPx);
  // The underline lies just outside the band on its far side.
  return SpanRect(place, 0, std::max(length, 1) + 2, place.Vertical ? -3 : 0,
                  place.Vertical ? place.BandPx : place.BandPx + 3);
}

void PaintPreedit(QPainter& painter, const TPreedit& preedit, const TPreeditPlace& place) {
  if (preedit.Empty()) return;
  const std::vector<int> cells = CellsPerUnit(preedit.Text);
  std::vector<TPreeditClause> clauses = preedit.Clauses;
  if (clauses.empty()) clauses.push_back({0, static_cast<int>(preedit.Text.size()), false});

  painter.save();
  const int total = AlongPx(cells, static_cast<int>(cells.size()), place.CellPx);
  painter.fillRect(SpanRect(place, 0, total, 0, place.BandPx), qt::ToQColor(place.Back));
  qt::TQtCanvas canvas(&painter);
  canvas.SetFont(place.Font);
  canvas.SetBrush(kClNone, TBrushStyle::Clear);
  // Drawn clause by clause: a converted clause has its own colours.
  std::vector<char> covered(cells.size(), 0);
  const auto drawSpan = [&](int start, int length, bool selected) {
    const int from = AlongPx(cells, start, place.CellPx), to = AlongPx(cells, start + length, place.CellPx);
    if (selected)
      painter.fillRect(SpanRect(place, from, to, 0, place.BandPx), qt::ToQColor(place.SelectedBack));
    const std::string bytes = qt::Cp932FromQString(preedit.Text.mid(start, length));
    const std::vector<int> advances(bytes.size(), place.CellPx);
    canvas.SetTextColor(selected ? place.SelectedText : place.Text);
    const int x = place.Vertical ? place.Origin.x() + place.BandPx : place.Origin.x() + from;
    const int y = place.Vertical ? place.Origin.y() + from : place.Origin.y();
    canvas.ExtTextOut(x, y, kEtoNone, {}, bytes, advances);
    // The underline, a pixel short at each end so that clauses stay apart.
    const int width = selected ? 2 : 1;
    const QRect line = place.Vertical
                           ? SpanRect(place, from + 1, to - 1, -1 - width, -1)
                           : SpanRect(place, from + 1, to - 1, place.BandPx + 1, place.BandPx + 1 + width);
    painter.fillRect(line, qt::ToQColor(place.Text));
  };
  for (const TPreeditClause& c : clauses) {
    drawSpan(c.Start, c.Length, c.Selected);
    std::fill(covered.begin() + c.Start, covered.begin() + c.Start + c.Length, 1);
  }
  // Text no attribute names is still shown, underlined as a plain clause.
  for (int i = 0; i < static_cast<int>(covered.size());) {
    if (covered[static_cast<size_t>(i)]) {
      ++i;
      continue;
    }
    int j = i;
    while (j < static_cast<int>(covered.size()) && !covered[static_cast<size_t>(j)]) ++j;
    drawSpan(i, j - i, false);
    i = j;
  }
  if (preedit.Cursor >= 0) {
    const int at = AlongPx(cells, preedit.Cursor, place.CellPx);
    painter.fillRect(SpanRect(place, at, at + 2, 0, place.BandPx), qt::ToQColor(place.Text));
  }
  painter.restore();
}

}  // namespace vorna::control
