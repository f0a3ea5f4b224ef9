// Fuzzes the markup of one line: whatever the bytes, the XHTML is well
// formed (tags nest and close, comments hold no "--", text holds no bare
// "<" or "&" and only characters XML allows), it holds as many rubies as it
// counts, and a line with no double-byte character comes out as its
// escaped self.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "export/NotationMarkups.h"
#include "export/XmlTexts.h"
#include "text/Cp932.h"

namespace {

[[noreturn]] void Fail() { __builtin_trap(); }

// Characters of valid UTF-8 that XML 1.0 allows; fails otherwise.
void CheckCharacters(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    const int n = vorna::DecodeUtf8At(text, i, cp);
    if (n == 0) Fail();
    if ((cp < 0x20 && cp != '\t' && cp != '\n' && cp != '\r') || cp == 0xFFFE || cp == 0xFFFF) Fail();
    i += static_cast<size_t>(n);
  }
}

// Checks the markup; returns the number of <ruby> elements.
int CheckWellFormed(std::string_view xhtml) {
  std::vector<std::string_view> open;
  int rubies = 0;
  size_t i = 0;
  while (i < xhtml.size()) {
    const size_t lt = xhtml.find_first_of("<&", i);
    CheckCharacters(xhtml.substr(i, lt == std::string_view::npos ? std::string_view::npos : lt - i));
    if (lt == std::string_view::npos) break;
    if (xhtml[lt] == '&') {
      const size_t semicolon = xhtml.find(';', lt);
      if (semicolon == std::string_view::npos) Fail();
      const std::string_view entity = xhtml.substr(lt, semicolon + 1 - lt);
      if (entity != "&amp;" && entity != "&lt;" && entity != "&gt;" && entity != "&quot;") Fail();
      i = semicolon + 1;
      continue;
    }
    if (xhtml.substr(lt, 4) == "<!--") {
      const size_t end = xhtml.find("-->", lt + 4);
      if (end == std::string_view::npos) Fail();
      const std::string_view body = xhtml.substr(lt + 4, end - lt - 4);
      if (body.find("--") != std::string_view::npos || (!body.empty() && body.back() == '-')) Fail();
      CheckCharacters(body);
      i = end + 3;
      continue;
    }
    const size_t gt = xhtml.find('>', lt);
    if (gt == std::string_view::npos) Fail();
    std::string_view tag = xhtml.substr(lt + 1, gt - lt - 1);
    i = gt + 1;
    if (!tag.empty() && tag[0] == '/') {
      if (open.empty() || open.back() != tag.substr(1)) Fail();
      open.pop_back();
      continue;
    }
    const std::string_view name = tag.substr(0, tag.find(' '));
    if (name != "ruby" && name != "rt" && name != "span") Fail();
    if (name == "rt" && (open.empty() || open.back() != "ruby")) Fail();
    if (name == "ruby") ++rubies;
    open.push_back(name);
  }
  if (!open.empty()) Fail();
  return rubies;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  std::string line(reinterpret_cast<const char*>(data + 1), size - 1);
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';  // a line holds no line break
  const vorna::TLineMarkup markup = vorna::LineMarkup(line, (data[0] & 1) != 0);
  if (CheckWellFormed(markup.Xhtml) != markup.Rubies) Fail();
  bool singleBytes = true;
  for (const char c : line) singleBytes = singleBytes && static_cast<unsigned char>(c) < 0x80;
  if (singleBytes && (data[0] & 1) == 0 && markup.Xhtml != vorna::XmlText(line)) Fail();
  return 0;
}
