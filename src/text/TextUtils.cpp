// Number formatting, padding, abbreviation, tabs, splitting and numbered list
// items over CP932 byte strings.
#include "text/TextUtils.h"

#include <algorithm>

#include "text/ShiftJis.h"
#include "text/StrSrch.h"
#include "text/TextConversions.h"

namespace vorna {
namespace {

// Decimal digits of |n|, safe for the most negative value.
std::string MagnitudeDigits(long long n) {
  unsigned long long m =
      n < 0 ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
  return std::to_string(m);
}

int ClampCount(long long count, long long max) {
  return static_cast<int>(std::clamp<long long>(count, 0, max));
}

bool IsFullWidthDigitAt(std::string_view s, size_t i) {
  return i + 1 < s.size() && static_cast<unsigned char>(s[i]) == 0x82 &&
         static_cast<unsigned char>(s[i + 1]) >= 0x4F && static_cast<unsigned char>(s[i + 1]) <= 0x58;
}

struct TListItem {
  std::string Prefix;
  std::string Digits;  // half-width, as written
  bool FullWidth = false;
  std::string Separator;
};

// Recognises prefix, digits and separator at the start of `line`.
bool ParseListItem(std::string_view line, TListItem& item) {
  const size_t n = line.size();
  if (n == 0) return false;
  size_t q = 0;
  unsigned char first = static_cast<unsigned char>(line[0]);
  if (!IsLeadByte(first) && !(first >= '0' && first <= '9')) {
    item.Prefix.assign(1, line[0]);
    q = 1;
  }
  size_t e = q;
  while (e < n && line[e] >= '0' && line[e] <= '9') ++e;
  if (e > q) {
    item.Digits.assign(line.substr(q, e - q));
  } else {
    while (IsFullWidthDigitAt(line, e)) e += 2;
    if (e == q) return false;
    item.FullWidth = true;
    item.Digits = ConvertText(line.substr(q, e - q), ckHalfWidth);
  }
  if (e >= n) return false;

  // Separator: up to and including the first ".", " ", "．" or "　" that starts
  // within 8 bytes of the digits' end; the rest of the line when it ends first.
  constexpr size_t kWindow = 8;
  constexpr size_t kMaxSeparator = 6;
  size_t sepEnd = 0;
  for (size_t i = e; i < n && i < e + kWindow;) {
    size_t len = IsDoubleByteAt(line, i) ? 2 : 1;
    std::string_view ch = line.substr(i, len);
    if (ch == "." || ch == " " || ch == "\x81\x44" || ch == "\x81\x40") {
      sepEnd = i + len;
      break;
    }
    i += len;
  }
  if (sepEnd == 0 && n <= e + kWindow) sepEnd = n;
  if (sepEnd > e && sepEnd - e <= kMaxSeparator) item.Separator.assign(line.substr(e, sepEnd - e));
  return true;
}

// Decimal string without leading zeros ("0" for zero).
std::string StripZeros(const std::string& digits) {
  size_t first = digits.find_first_not_of('0');
  return first == std::string::npos ? "0" : digits.substr(first);
}

// Adds one to a decimal string of any length.
std::string Increment(std::string digits) {
  for (size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return digits;
    }
    digits[i] = '0';
  }
  return "1" + digits;
}

std::string ListItem(std::string_view line, bool next) {
  TListItem item;
  if (!ParseListItem(line, item)) return {};
  std::string number = StripZeros(item.Digits);
  if (next) number = Increment(number);
  if (item.FullWidth) number = ConvertText(number, ckFullWidth);
  return item.Prefix + number + item.Separator;
}

}  // namespace

std::string FormatNumber(long long n, int width, int fill, bool plusSign, bool thousands, bool padRight) {
  std::string digits = MagnitudeDigits(n);
  if (thousands) {
    std::string grouped;
    grouped.reserve(digits.size() + digits.size() / 3);
    for (size_t i = 0; i < digits.size(); ++i) {
      if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
      grouped += digits[i];
    }
    digits = std::move(grouped);
  }
  const std::string sign = n < 0 ? "-" : "";
  const size_t body = sign.size() + digits.size();
  const size_t target = static_cast<size_t>(ClampCount(width, kMaxGeneratedTextBytes));
  const size_t pad = target > body ? target - body : 0;
  const char fillChar = fill == 1 ? '0' : ' ';
  std::string out;
  if (padRight)
    out = sign + digits + std::string(pad, fillChar);
  else if (fillChar == '0')  // zeros go between the sign and the digits
    out = sign + std::string(pad, '0') + digits;
  else
    out = std::string(pad, ' ') + sign + digits;
  if (plusSign && n >= 0) out.insert(out.begin(), '+');
  return out;
}

std::string FullWidthNumber(long long n) {
  std::string out;
  if (n < 0) out += "\x81\x7C";  // －
  for (char d : MagnitudeDigits(n)) {
    out += '\x82';
    out += static_cast<char>(0x4F + (d - '0'));
  }
  return out;
}

std::string Indent(int count, bool fullWidthPairs) {
  const size_t spaces = static_cast<size_t>(ClampCount(count, kMaxGeneratedTextBytes));
  if (!fullWidthPairs) return std::string(spaces, ' ');
  std::string out;
  out.reserve(spaces);
  for (size_t i = 0; i < spaces / 2; ++i) out += "\x81\x40";
  if (spaces % 2) out += ' ';
  return out;
}

std::string Repeat(std::string_view s, int count) {
  if (s.empty() || count <= 0) return {};
  const size_t copies = std::min<size_t>(static_cast<size_t>(count), kMaxGeneratedTextBytes / s.size());
  std::string out;
  out.reserve(copies * s.size());
  for (size_t i = 0; i < copies; ++i) out.append(s);
  return out;
}

std::string Abbreviate(std::string_view s, int maxBytes, bool ellipsis) {
  if (maxBytes < 1) return {};
  if (static_cast<size_t>(maxBytes) >= s.size()) return std::string(s);
  size_t take = static_cast<size_t>(maxBytes);
  if (ByteTypeAt(s, maxBytes) == TByteType::Lead) --take;
  std::string out(s.substr(0, take));
  if (ellipsis) out += "...";
  return out;
}

std::string EscapeLineBreaks(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
      out += "\\n";
      ++i;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::string ExpandTabs(std::string_view s, int tabWidth, char fillChar) {
  const size_t width = static_cast<size_t>(std::clamp(tabWidth, 1, kMaxTabWidth));
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c == '\t')
      out.append(width - out.size() % width, fillChar);  // out.size() = p - 1
    else
      out += c;
  }
  return out;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  if (text.empty()) return pieces;
  size_t from = 0;
  if (!separator.empty()) {
    for (int pos : FindAll(separator, text)) {
      size_t at = static_cast<size_t>(pos - 1);
      pieces.emplace_back(text.substr(from, at - from));
      from = at + separator.size();
    }
  }
  pieces.emplace_back(text.substr(from));
  return pieces;
}

std::string JoinText(const std::vector<std::string>& list, std::string_view separator) {
  std::string out;
  for (size_t i = 0; i < list.size(); ++i) {
    if (i > 0) out.append(separator);
    out.append(list[i]);
  }
  return out;
}

std::string ListItemNumber(std::string_view line) { return ListItem(line, false); }

std::string NextListItemNumber(std::string_view line) { return ListItem(line, true); }

}  // namespace vorna
