// Line segments held back on PDF output and written together. A page's grid
// reaches the canvas as hundreds of short segments, one column at a time
// between the column's text; written one by one they made most of a PDF's
// bytes. Held until something that could overlap them is drawn, collinear
// segments of equal length and spacing become one dashed line (a dash gets
// the segment's caps, so the ink is the same).
#pragma once

#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <optional>
#include <vector>

namespace vorna::qt {

class TStrokeBatch {
 public:
  bool Empty() const { return FLines.empty(); }
  // A segment drawn with `pen` (solid, square caps) under `clip` (none: no
  // clip) may join the batch.
  bool Takes(const QPen& pen, const std::optional<QRectF>& clip) const {
    return !Empty() && pen == FPen && clip == FClip;
  }
  // Forgets the segments held and starts holding for `pen` and `clip`.
  void Start(const QPen& pen, const std::optional<QRectF>& clip);
  // A horizontal or vertical segment of positive length, ends included.
  void Add(const QLineF& line);
  // Whether the ink of a held segment (the pen's width and caps included)
  // may meet `box` (logical pixels).
  bool Meets(const QRectF& box) const;
  // Draws the held segments on `p` with their pen and clip, leaving the
  // painter's state as it was, and forgets them.
  void Draw(QPainter* p);

 private:
  QPen FPen;
  std::optional<QRectF> FClip;
  std::vector<QLineF> FLines;
  QRectF FBounds;
};

}  // namespace vorna::qt
