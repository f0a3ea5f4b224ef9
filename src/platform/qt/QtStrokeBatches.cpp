// Held segments written as dashed lines and one path.
#include "platform/qt/QtStrokeBatches.h"

#include <algorithm>
#include <map>

namespace vorna::qt {
namespace {

// Room around a segment for its width and square caps, and rounding.
qreal InkMargin(const QPen& pen) { return std::max<qreal>(pen.widthF(), 1) + 1; }

struct TRunOfDashes {
  QLineF Line;
  qreal Dash, Gap;
};

}  // namespace

void TStrokeBatch::Start(const QPen& pen, const std::optional<QRectF>& clip) {
  FPen = pen;
  FClip = clip;
  FLines.clear();
  FBounds = QRectF();
}

void TStrokeBatch::Add(const QLineF& line) {
  const QPointF a = line.p1(), b = line.p2();
  // Ends ordered so that collinear segments sort along their line.
  const QLineF ordered = (a.y() < b.y() || (a.y() == b.y() && a.x() <= b.x())) ? line : QLineF(b, a);
  FLines.push_back(ordered);
  const QRectF box = QRectF(ordered.p1(), ordered.p2()).normalized();
  FBounds = FBounds.isNull() ? box : FBounds.united(box);
}

bool TStrokeBatch::Meets(const QRectF& box) const {
  if (Empty()) return false;
  const qreal m = InkMargin(FPen);
  const QRectF grown = box.adjusted(-m, -m, m, m);
  auto overlaps = [&](const QRectF& r) {
    return r.left() <= grown.right() && grown.left() <= r.right() && r.top() <= grown.bottom() &&
           grown.top() <= r.bottom();
  };
  if (!overlaps(FBounds)) return false;
  for (const QLineF& line : FLines)
    if (overlaps(QRectF(line.p1(), line.p2()).normalized())) return true;
  return false;
}

void TStrokeBatch::Draw(QPainter* p) {
  if (Empty()) return;
  // Horizontal segments keyed by their row, vertical ones by their column.
  std::map<std::pair<qreal, bool>, std::vector<QLineF>> lines;
  for (const QLineF& line : FLines) {
    const bool horizontal = line.y1() == line.y2();
    lines[{horizontal ? line.y1() : line.x1(), horizontal}].push_back(line);
  }
  std::vector<QLineF> single;
  std::vector<TRunOfDashes> dashed;
  for (auto& [key, row] : lines) {
    const bool horizontal = key.second;
    auto from = [&](const QLineF& l) { return horizontal ? l.x1() : l.y1(); };
    auto to = [&](const QLineF& l) { return horizontal ? l.x2() : l.y2(); };
    std::sort(row.begin(), row.end(), [&](const QLineF& a, const QLineF& b) { return from(a) < from(b); });
    for (size_t i = 0; i < row.size();) {
      const qreal dash = to(row[i]) - from(row[i]);
      size_t end = i + 1;
      qreal gap = 0;
      if (end < row.size()) gap = from(row[end]) - to(row[i]);
      while (end < row.size() && gap > 0 && to(row[end]) - from(row[end]) == dash &&
             from(row[end]) - to(row[end - 1]) == gap)
        ++end;
      if (end - i >= 3) {
        dashed.push_back({QLineF(row[i].p1(), row[end - 1].p2()), dash, gap});
      } else {
        end = i + 1;
        single.push_back(row[i]);
      }
      i = end;
    }
  }
  // Each line is its own stroke, as each segment was: where two meet, their
  // edges blend twice as before (one path would paint the union once). The
  // pen's one colour makes the order of strokes immaterial.
  p->save();
  if (FClip)
    p->setClipRect(*FClip);
  else
    p->setClipping(false);
  p->setPen(FPen);
  for (const QLineF& line : single) p->drawLine(line);
  // Runs of one pattern share a pen.
  std::sort(dashed.begin(), dashed.end(), [](const TRunOfDashes& a, const TRunOfDashes& b) {
    return a.Dash != b.Dash ? a.Dash < b.Dash : a.Gap < b.Gap;
  });
  const qreal unit = std::max<qreal>(FPen.widthF(), 1);
  for (size_t i = 0; i < dashed.size(); ++i) {
    if (i == 0 || dashed[i].Dash != dashed[i - 1].Dash || dashed[i].Gap != dashed[i - 1].Gap) {
      QPen pen = FPen;
      pen.setDashPattern({dashed[i].Dash / unit, dashed[i].Gap / unit});
      p->setPen(pen);
    }
    p->drawLine(dashed[i].Line);
  }
  p->restore();
  FLines.clear();
  FBounds = QRectF();
}

}  // namespace vorna::qt
