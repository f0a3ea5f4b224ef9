// Integer and double text forms.
#include "settings/ValueTexts.h"

#include <charconv>
#include <cmath>

namespace vorna {

std::string_view TrimBlanks(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return text.substr(begin, end - begin);
}

std::optional<int32_t> ParseIntegerText(std::string_view text) {
  text = TrimBlanks(text);
  int base = 10;
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  } else if (!text.empty() && text[0] == '$') {
    text.remove_prefix(1);
    base = 16;
  }
  if (text.empty()) return std::nullopt;
  if (base == 16) {
    uint32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return static_cast<int32_t>(value);
  }
  bool negative = false;
  if (text[0] == '+' || text[0] == '-') {
    negative = text[0] == '-';
    text.remove_prefix(1);
    if (text.empty() || text[0] == '+' || text[0] == '-') return std::nullopt;
  }
  int64_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

namespace {

// to_chars general output ("1.5e-07") in the platform's form ("1.5E-7").
std::string GeneralText(double value, int precision) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
  std::string text(buffer, result.ptr);
  size_t e = text.find('e');
  if (e == std::string::npos) return text;
  std::string mantissa = text.substr(0, e);
  std::string exponent = text.substr(e + 1);
  bool negative = !exponent.empty() && exponent[0] == '-';
  if (!exponent.empty() && (exponent[0] == '-' || exponent[0] == '+')) exponent.erase(0, 1);
  size_t digits = exponent.find_first_not_of('0');
  exponent = digits == std::string::npos ? "0" : exponent.substr(digits);
  return mantissa + (negative ? "E-" : "E") + exponent;
}

}  // namespace

std::string FloatToText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  std::string text = GeneralText(value, 15);
  auto back = ParseFloatText(text);
  if (back && *back == value) return text;
  return GeneralText(value, 17);
}

std::optional<double> ParseFloatText(std::string_view view) {
  view = TrimBlanks(view);
  if (!view.empty() && view[0] == '+') {
    view.remove_prefix(1);
    if (!view.empty() && (view[0] == '-' || view[0] == '+')) return std::nullopt;
  }
  if (view.empty()) return std::nullopt;
  std::string text(view);
  if (text.find('.') == std::string::npos) {
    size_t comma = text.find(',');
    if (comma != std::string::npos && text.find(',', comma + 1) == std::string::npos) text[comma] = '.';
  }
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace vorna
