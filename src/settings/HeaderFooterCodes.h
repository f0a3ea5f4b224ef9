// The header and footer format language: splitting a header or footer text
// into its left, centre and right parts at "&b" and expanding the "&" codes.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vorna {

// The three parts of a header or footer text, drawn at the left inset, centred
// and ending at the right inset.
struct THeaderFooterParts {
  std::string Left;
  std::string Centre;
  std::string Right;
  friend bool operator==(const THeaderFooterParts&, const THeaderFooterParts&) = default;
};

// Splits at the first two "&b": no "&b" gives the whole text as the left part;
// text after a third "&b" stays in the right part (where the "&b" expands to
// nothing). Byte-wise scanning is exact for CP932: "&" is never a trail byte.
THeaderFooterParts SplitHeaderFooter(std::string_view text);

// Local date and time used by "&d" and "&t".
struct THeaderFooterClock {
  int Year = 1970;
  int Month = 1;
  int Day = 1;
  int Hour = 0;
  int Minute = 0;
};

// The current local time.
THeaderFooterClock CurrentHeaderFooterClock();

// Everything the codes of one page need. `Extra` lets a view add codes (the
// editor view adds "F" and "f"): it is asked first with the code's character
// (one byte, or two for a double-byte character) and returns true when it
// wrote the expansion into `out`.
struct THeaderFooterContext {
  int StartPageNo = 1;
  int PageIndex = 0;  // 0-based index of the page being drawn
  int PageCount = 0;  // pages of the document as counted by the view
  THeaderFooterClock Clock;
  std::function<bool(std::string_view code, std::string& out)> Extra;
};

// Expansion of one code character ("p", "P", "o", "e", "d", "t"; the Extra
// hook first). Unknown codes expand to nothing.
std::string ExpandHeaderFooterCode(std::string_view code, const THeaderFooterContext& context);

// Expands the codes of one part. Every "&" that is not the last byte and not
// preceded by another "&" takes the character after it as its code and both
// are replaced by the expansion; expansions are never scanned again, so "&&p"
// gives "p" (the doubled "&" is no escape). A code character that is
// double-byte is taken whole, so a trail byte is never left behind.
std::string ExpandHeaderFooterPart(std::string_view part, const THeaderFooterContext& context);

// Splits `text` and expands each part.
THeaderFooterParts ExpandHeaderFooter(std::string_view text, const THeaderFooterContext& context);

}  // namespace vorna
