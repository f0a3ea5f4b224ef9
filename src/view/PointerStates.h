// TPointerState: what the editor view remembers of a mouse press while the
// button is down (a pending drag of the selection, a line-number or box
// drag) and of the last hit test under the pointer.
#pragma once

#include "document/TextPositions.h"
#include "platform/Geometry.h"
#include "view/EditorCommands.h"

namespace vorna {

struct TPointerState {
  bool DragPending = false;  // pressed on the selection
  bool DragMoving = false;   // ... and the drag began
  bool LineDrag = false;     // pressed in the line-number column
  bool BoxPending = false;   // pressed with Alt: a drag selects a box
  TDisplayPos PressPos{1, 0};
  // The last hit test: what lies under the pointer, an annotation mark's
  // rectangle, and the position.
  THitKind HitKind = hkOutside;
  TRect HitRect;
  TDisplayPos HitPos{1, 0};
};

}  // namespace vorna
