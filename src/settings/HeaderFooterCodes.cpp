// Splitting and expansion of the header and footer format codes.
#include "settings/HeaderFooterCodes.h"

#include <ctime>

#include "text/ShiftJis.h"

namespace vorna {

THeaderFooterParts SplitHeaderFooter(std::string_view text) {
  THeaderFooterParts parts;
  const size_t first = text.find("&b");
  if (first == std::string_view::npos) {
    parts.Left = std::string(text);
    return parts;
  }
  parts.Left = std::string(text.substr(0, first));
  const std::string_view rest = text.substr(first + 2);
  const size_t second = rest.find("&b");
  if (second == std::string_view::npos) {
    parts.Centre = std::string(rest);
    return parts;
  }
  parts.Centre = std::string(rest.substr(0, second));
  parts.Right = std::string(rest.substr(second + 2));
  return parts;
}

THeaderFooterClock CurrentHeaderFooterClock() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  THeaderFooterClock clock;
  clock.Year = local.tm_year + 1900;
  clock.Month = local.tm_mon + 1;
  clock.Day = local.tm_mday;
  clock.Hour = local.tm_hour;
  clock.Minute = local.tm_min;
  return clock;
}

namespace {

// Page number of the page being drawn; wide arithmetic so that extreme
// settings cannot overflow.
long long PageNumber(const THeaderFooterContext& context) {
  return static_cast<long long>(context.StartPageNo) + context.PageIndex;
}

// A double-byte code character needs a real trail byte after its lead byte;
// otherwise only the lead byte is taken, so an "&" after it stays a code.
size_t CodeLength(std::string_view part, size_t at) {
  if (!IsDoubleByteAt(part, at)) return 1;
  const auto trail = static_cast<unsigned char>(part[at + 1]);
  return (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC) ? 2 : 1;
}

std::string PageNumberText(long long number) { return number > 0 ? std::to_string(number) : std::string(); }

std::string TwoDigits(int value) {
  std::string text = std::to_string(value);
  return text.size() < 2 ? "0" + text : text;
}

}  // namespace

std::string ExpandHeaderFooterCode(std::string_view code, const THeaderFooterContext& context) {
  std::string out;
  if (context.Extra && context.Extra(code, out)) return out;
  if (code.size() != 1) return {};
  const long long page = PageNumber(context);
  switch (code[0]) {
    case 'p':
      return PageNumberText(page);
    case 'o':
      return page % 2 != 0 ? PageNumberText(page) : std::string();
    case 'e':
      return page % 2 == 0 ? PageNumberText(page) : std::string();
    case 'P':
      return std::to_string(context.PageCount);
    case 'd':
      return std::to_string(context.Clock.Year) + "/" + std::to_string(context.Clock.Month) + "/" +
             std::to_string(context.Clock.Day);
    case 't':
      return std::to_string(context.Clock.Hour) + ":" + TwoDigits(context.Clock.Minute);
    default:
      return {};
  }
}

std::string ExpandHeaderFooterPart(std::string_view part, const THeaderFooterContext& context) {
  // A left-to-right pass gives the same result as replacing from the last "&"
  // to the first: whether an "&" is a code depends only on the byte before it,
  // which no later replacement touches, and a code's character is never an "&"
  // that is itself a code (that one is preceded by "&").
  std::string out;
  out.reserve(part.size());
  size_t i = 0;
  while (i < part.size()) {
    const bool code = part[i] == '&' && i + 1 < part.size() && (i == 0 || part[i - 1] != '&');
    if (!code) {
      out.push_back(part[i]);
      ++i;
      continue;
    }
    const size_t length = CodeLength(part, i + 1);
    out += ExpandHeaderFooterCode(part.substr(i + 1, length), context);
    i += 1 + length;
  }
  return out;
}

THeaderFooterParts ExpandHeaderFooter(std::string_view text, const THeaderFooterContext& context) {
  THeaderFooterParts parts = SplitHeaderFooter(text);
  parts.Left = ExpandHeaderFooterPart(parts.Left, context);
  parts.Centre = ExpandHeaderFooterPart(parts.Centre, context);
  parts.Right = ExpandHeaderFooterPart(parts.Right, context);
  return parts;
}

}  // namespace vorna
