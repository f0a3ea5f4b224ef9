// Vertical and horizontal lines and frames clipped to a paint rectangle, in
// the current pen's colour, width and style (solid, dotted, doubled).
#pragma once

#include "platform/Canvas.h"

namespace vorna {

// From y1 down to y2 at x; the end pixel is drawn only where the line is cut
// at the clip's bottom (it then ends at clip.Bottom + 1). With `doubled`, a
// second line 2 x pen width (at least 2) to the right.
void VLine(TCanvas& canvas, int x, int y1, int y2, bool doubled, const TRect& clip);
// From x1 across to x2 at y, never past clip.Right; the second line of a
// doubled one lies 2 x pen width lower.
void HLine(TCanvas& canvas, int x1, int x2, int y, bool doubled, const TRect& clip);
// The four sides of r (Right and Bottom are the lines' positions); with
// `doubled`, the same again for r grown by 2.
void FrameRect(TCanvas& canvas, const TRect& r, const TRect& clip, bool doubled);

// As VLine and HLine, but with the clip's right and bottom exclusive, as a
// TRect is everywhere else: a line at a position outside the clip draws
// nothing, and no pixel falls outside it (a pen wider than a pixel still
// spreads its width). The second line of a doubled one is checked alike.
void VLineIn(TCanvas& canvas, int x, int y1, int y2, bool doubled, const TRect& clip);
void HLineIn(TCanvas& canvas, int x1, int x2, int y, bool doubled, const TRect& clip);
// The four sides of r (Right and Bottom are the lines' positions) inside clip.
void FrameRectIn(TCanvas& canvas, const TRect& r, const TRect& clip);

}  // namespace vorna
