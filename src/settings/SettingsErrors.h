// Exceptions raised by the settings records, lists and stores (file errors
// are the platform's EFileError).
#pragma once

#include <stdexcept>
#include <string>

#include "platform/Files.h"

namespace vorna {

// Base of the settings errors. HelpContext carries a number for the error box;
// TDataList::SetCommaText stores the 1-based element number of the failing
// element in it.
class EDataError : public std::runtime_error {
 public:
  explicit EDataError(const std::string& message, int helpContext = 0)
      : std::runtime_error(message), HelpContext(helpContext) {}
  int HelpContext;
};

}  // namespace vorna
