// The three message-box forms of the program (each after its system beep) and
// a wait that keeps window messages flowing, over the services of a bundle.
// Texts are CP932.
#pragma once

#include <string>

#include "platform/MessageBoxes.h"
#include "platform/PlatformServices.h"

namespace vorna {

// Information with OK, after the default beep; nothing without Boxes.
void ShowInfo(const TPlatformServices& services, const std::string& text);
// Error with OK, after the exclamation beep; nothing without Boxes.
void ShowError(const TPlatformServices& services, const std::string& text);
// Yes, No and Cancel after the default beep; Cancel without Boxes.
TMessageResult AskYesNoCancel(const TPlatformServices& services, const std::string& text);

// Processes window messages (through Shell, when given) until `ms`
// milliseconds have passed on the tick count of Timers (the steady clock
// without). Returns at once for ms <= 0.
void Delay(const TPlatformServices& services, int ms);

}  // namespace vorna
