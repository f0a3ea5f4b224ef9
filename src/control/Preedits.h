// The input method's preedit: its text and clause attributes as the control
// keeps them, and its drawing at the caret along the writing direction (down
// the column in vertical mode) with the clauses underlined and the cursor
// inside it.
#pragma once

#include <QPainter>
#include <QRect>
#include <QString>
#include <vector>

#include "platform/Canvas.h"

class QInputMethodEvent;

namespace vorna::control {

struct TPreeditClause {
  int Start = 0;  // UTF-16 units of Text
  int Length = 0;
  bool Selected = false;  // the clause being converted
};

struct TPreedit {
  QString Text;
  std::vector<TPreeditClause> Clauses;  // none: the whole text as one clause
  int Cursor = -1;                      // UTF-16 position, -1 when hidden
  bool Empty() const { return Text.isEmpty(); }
};

// The preedit an input-method event carries.
TPreedit PreeditFromEvent(const QInputMethodEvent& event);

// Where the preedit goes: the glyph band at the caret (view widget pixels).
struct TPreeditPlace {
  QPoint Origin;  // the caret's point at the band's edge: left (vertical) or top
  bool Vertical = false;
  int BandPx = 16;  // the band across the row: the text font height
  int CellPx = 8;   // one single-byte cell along the row
  TFontSpec Font;   // the text font, turned for vertical writing
  TColor Text = kClBlack;
  TColor Back = kClWhite;
  TColor SelectedText = kClWhite;
  TColor SelectedBack = 0x800000;
};

// The rectangle the preedit covers (with its underline), empty for none.
QRect PreeditRect(const TPreedit& preedit, const TPreeditPlace& place);
// Draws the preedit on `painter` (a widget's, within its paint event).
void PaintPreedit(QPainter& painter, const TPreedit& preedit, const TPreeditPlace& place);

}  // namespace vorna::control
