// The three message-box forms of the program (each after its system beep) and
// a wait that keeps window messages flowing. Texts are CP932.
#pragma once

#include <string>

#include "platform/MessageBoxes.h"

namespace vorna {

// Information with OK, after the default beep.
void ShowInfo(const std::string& text);
// Error with OK, after the exclamation beep.
void ShowError(const std::string& text);
// Yes, No and Cancel after the default beep; Cancel without a platform.
TMessageResult AskYesNoCancel(const std::string& text);

// Processes window messages until `ms` milliseconds have passed.
void Delay(int ms);

}  // namespace vorna
