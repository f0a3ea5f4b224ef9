// Escaping CP932 and UTF-8 text for XML character data and comments.
#include "export/XmlTexts.h"

#include "text/Cp932.h"
#include "text/UserCodes.h"

namespace vorna {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The character XML 1.0 can hold in place of `cp`.
char32_t XmlCharacter(char32_t cp) {
  cp = ShownCharacter(cp);
  if (cp < 0x20) return cp == '\t' || cp == '\n' || cp == '\r' ? cp : kReplacement;
  if ((cp >= 0xD800 && cp <= 0xDFFF) || cp == 0xFFFE || cp == 0xFFFF) return kReplacement;
  return cp;
}

void AppendEscaped(std::string& out, char32_t cp) {
  switch (cp) {
    case '&':
      out += "&amp;";
      return;
    case '<':
      out += "&lt;";
      return;
    case '>':
      out += "&gt;";
      return;
    case '"':
      out += "&quot;";
      return;
    default:
      AppendUtf8(out, XmlCharacter(cp));
  }
}

// Calls f(char32_t) for every character of CP932 text.
template <class F>
void ForEachCp932Character(std::string_view cp932, F&& f) {
  for (size_t i = 0; i < cp932.size();) {
    const auto byte = static_cast<unsigned char>(cp932[i]);
    if (byte < 0x80) {  // ASCII is its own Unicode in CP932
      f(static_cast<char32_t>(byte));
      ++i;
      continue;
    }
    char32_t cp = 0;
    i += static_cast<size_t>(Cp932DecodeAt(cp932, i, cp));
    f(cp);
  }
}

}  // namespace

void AppendXmlText(std::string& out, std::string_view cp932) {
  ForEachCp932Character(cp932, [&out](char32_t cp) { AppendEscaped(out, cp); });
}

std::string XmlText(std::string_view cp932) {
  std::string out;
  AppendXmlText(out, cp932);
  return out;
}

void AppendXmlTextUtf8(std::string& out, std::string_view utf8) {
  ForEachUtf8Character(utf8, [&out](char32_t cp) { AppendEscaped(out, cp); });
}

void AppendXmlComment(std::string& out, std::string_view cp932) {
  out += "<!--";
  bool hyphen = false;
  ForEachCp932Character(cp932, [&](char32_t cp) {
    cp = XmlCharacter(cp);
    if (cp == '-' && hyphen) out += ' ';
    hyphen = cp == '-';
    AppendUtf8(out, cp);
  });
  if (hyphen) out += ' ';
  out += "-->";
}

}  // namespace vorna
