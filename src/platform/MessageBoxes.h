// The three message-box forms of the program and the system beeps. Texts are
// CP932.
#pragma once

#include <string>

namespace vorna {

enum class TBeep { Default, Exclamation };
enum class TMessageResult { Yes, No, Cancel };

class TMessageBoxes {
 public:
  virtual ~TMessageBoxes() = default;
  virtual void Beep(TBeep kind) = 0;
  // Information with OK, after the default beep.
  virtual void ShowInfo(const std::string& text) = 0;
  // Error with OK, after the exclamation beep.
  virtual void ShowError(const std::string& text) = 0;
  // Yes, No and Cancel after the default beep; closing the box is Cancel.
  virtual TMessageResult AskYesNoCancel(const std::string& text) = 0;
};

}  // namespace vorna
