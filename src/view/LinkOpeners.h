// Opening a link, a mail address or a file through the platform shell: the
// action of the view's commands on what the text layer finds (text/Links.h).
#pragma once

#include <string_view>

namespace vorna {

class TShell;

// Asks the shell to open `target` (an address, a "mailto:" address or a file;
// CP932). Pending window messages run first. A target with a space that
// neither starts nor ends with a double quote is passed in double quotes. The
// working folder is the folder part of a file target (empty for an address).
// An empty target does nothing; failures are not reported.
void OpenDocument(TShell& shell, std::string_view target, std::string_view parameters = {});

}  // namespace vorna
