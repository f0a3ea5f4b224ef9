// CP932 conversion at the Qt boundary.
#include "platform/qt/QtConvert.h"

#include <string>

#include "text/Cp932.h"

namespace vorna::qt {

QString QStringFromCp932(std::string_view cp932) {
  std::u32string text;
  text.reserve(cp932.size());
  for (size_t i = 0; i < cp932.size();) {
    char32_t cp = 0;
    i += static_cast<size_t>(Cp932DecodeAt(cp932, i, cp));
    text.push_back(cp);
  }
  return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Cp932FromQString(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  const QList<uint> ucs = text.toUcs4();
  for (uint cp : ucs) {
    if (cp == 0) {
      out.push_back('\0');
      continue;
    }
    uint16_t code = UnicodeToCp932Code(static_cast<char32_t>(cp));
    if (code == 0) {
      out.push_back('?');
    } else if (code > 0xFF) {
      out.push_back(static_cast<char>(code >> 8));
      out.push_back(static_cast<char>(code & 0xFF));
    } else {
      out.push_back(static_cast<char>(code));
    }
  }
  return out;
}

}  // namespace vorna::qt
