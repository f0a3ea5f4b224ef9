// Whether a key is physically down now (held-key repeat, Shift or Alt while a
// command runs), and the numbers the core gives keys; the Qt layer maps onto them.
#pragma once

namespace vorna {

enum TVirtualKey : int {
  kVkBack = 0x08,
  kVkTab = 0x09,
  kVkReturn = 0x0D,
  kVkShift = 0x10,
  kVkControl = 0x11,
  kVkMenu = 0x12,  // Alt
  kVkEscape = 0x1B,
  kVkSpace = 0x20,
  kVkPrior = 0x21,
  kVkNext = 0x22,
  kVkEnd = 0x23,
  kVkHome = 0x24,
  kVkLeft = 0x25,
  kVkUp = 0x26,
  kVkRight = 0x27,
  kVkDown = 0x28,
  kVkInsert = 0x2D,
  kVkDelete = 0x2E,
  kVkF3 = 0x72,
  // Letter keys are their upper-case ASCII codes ('A' = 0x41).
  kVkLButton = 0x01,
  kVkRButton = 0x02,
  kVkMButton = 0x04,
};

class TKeyState {
 public:
  virtual ~TKeyState() = default;
  virtual bool IsKeyDown(int virtualKey) = 0;
};

}  // namespace vorna
