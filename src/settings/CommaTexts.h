// Comma text: the one-line form of a list of strings used by the settings
// lists, the view elements and the string-list settings.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorna {

// Joins the elements with ",". An element that holds a control byte or space
// (0x00-0x20), a double quote or a comma is enclosed in double quotes with
// its quotes doubled. A list of one empty element gives two quotes, so that
// it reads back as one element; an empty list gives an empty text.
std::string MakeCommaText(const std::vector<std::string>& elements);

// Splits comma text. Spaces and control bytes around elements are skipped and
// also end an unquoted element; a quoted element runs to its closing quote
// ("" inside stands for one quote; a missing closing quote takes the rest of
// the text). A comma at the very end adds an empty last element. A NUL byte
// outside quotes ends the text. Never fails: every input gives some list, and
// SplitCommaText(MakeCommaText(list)) == list for every list. Scanning is
// byte-wise, which is exact for CP932: no trail byte is a space, quote or
// comma.
std::vector<std::string> SplitCommaText(std::string_view text);

}  // namespace vorna
