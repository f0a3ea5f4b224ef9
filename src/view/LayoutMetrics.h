// TLayoutMetrics: the editor view's layout geometry of one pass over the text
// area (the printer's or the screen's), in pixels of that pass's device. The
// view computes it; painting, hit tests and caret moves read it.
#pragma once

#include <vector>

#include "platform/Geometry.h"

namespace vorna {

struct TLayoutMetrics {
  int PartitionMarginPx = 0;
  int TextLeftMarginPx = 0;
  int TextRightMarginPx = 0;
  int LineSpacePx = 0;
  int ColumnSpacePx = 0;
  std::vector<TRect> PartitionRects;  // relative to the text area
  int LineInfoDigits = 0;
  int LineInfoWidth = 0;
  int TextLength = 0;  // along the rows, pixels
  int FontHeight = 0;
  int CellPitch = 1;
  int LinePitch = 1;
  int CharsPerRow = 0;
  int RowsPerPartition = 0;
  int RowsPerPage = 0;
  int GapLineWidth = 0;
  int ScrollMarginY = 16;
  int ScrollMarginX = 32;
  double PrintWidthRatio = 0;
  double PrintHeightRatio = 0;
  double PrintFontRatio = 0;
  // Pixels left over when the text area is shared out; the first cells and
  // rows take one more each.
  int CellPitchRemainder = 0;
  int RowPitchRemainder = 0;
  // Halves used by the painting.
  int HalfLineSpacePx = 0;
  int HalfFontHeight = 1;
  int HalfColumnSpacePx = 0;
  // What the printer pass leaves for the layout inputs.
  int PrinterColumnSpacePx = 0;
  int PrinterTextLength = 0;
  int PrinterFontHeight = 0;
  int PrinterPageAlongPx = 0;  // the printer's page along the rows
};

}  // namespace vorna
