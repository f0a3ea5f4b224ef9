// Mouse buttons and modifier states as the host control hands them to the view.
#pragma once

namespace vorna {

enum class TMouseButton : int { Left = 0, Right = 1, Middle = 2 };

// Modifier keys and mouse buttons held during an event.
enum TShiftFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
using TShiftState = unsigned;

}  // namespace vorna
