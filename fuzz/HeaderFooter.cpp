// Fuzzes the header and footer splitting and code expansion with arbitrary
// bytes: the first two bytes pick the start page number and the page index.
// Checks that the result never grows beyond what the codes can add and that
// a text without "&" passes through unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "settings/HeaderFooterCodes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  vorna::THeaderFooterContext context;
  context.StartPageNo = static_cast<int8_t>(data[0]);
  context.PageIndex = data[1];
  context.PageCount = 123456;
  context.Clock = {2024, 12, 31, 23, 59};
  std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  const auto parts = vorna::ExpandHeaderFooter(text, context);
  const size_t length = parts.Left.size() + parts.Centre.size() + parts.Right.size();
  // Each code takes at least two bytes and gives at most ten ("2024/12/31").
  if (length > text.size() * 5 + 1) __builtin_trap();
  if (text.find('&') == std::string_view::npos && parts.Left != text) __builtin_trap();
  return 0;
}
