// CP932 text as XML: character data with the markup characters escaped, and
// comments that can hold any text.
#pragma once

#include <string>
#include <string_view>

namespace vorna {

// Appends `cp932` decoded to UTF-8 (user-defined codes give the characters
// they stand for) with "&", "<", ">" and '"' escaped. A character XML cannot
// hold (a control character other than tab, a value beyond Unicode, a
// surrogate, U+FFFE, U+FFFF) becomes U+FFFD. Cost: O(bytes).
void AppendXmlText(std::string& out, std::string_view cp932);
std::string XmlText(std::string_view cp932);

// The same for text that is already UTF-8 (titles typed in a dialog or on the
// command line); bytes that are not UTF-8 become U+FFFD.
void AppendXmlTextUtf8(std::string& out, std::string_view utf8);

// Appends "<!--" `cp932` "-->" with the text decoded as AppendXmlText does
// but not escaped; a space goes between two hyphens and after a final one,
// since a comment may hold neither "--" nor end in "-".
void AppendXmlComment(std::string& out, std::string_view cp932);

}  // namespace vorna
