// CP932 conversion at the Qt boundary.
#include "platform/qt/QtConvert.h"

#include <string>

#include "text/Cp932.h"
#include "text/UserCodes.h"

namespace vorna::qt {

QString QStringFromCp932(std::string_view cp932) {
  std::u32string text;
  text.reserve(cp932.size());
  for (size_t i = 0; i < cp932.size();) {
    char32_t cp = 0;
    i += static_cast<size_t>(Cp932DecodeAt(cp932, i, cp));
    text.push_back(ShownCharacter(cp));
  }
  return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Cp932FromQString(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    char32_t cp = c.unicode();
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      cp = QChar::surrogateToUcs4(c, text[i + 1]);
      ++i;
    } else if (c.isSurrogate()) {
      // Kept as the unit it is, so it goes back out unchanged.
      cp = kLoneSurrogateBase + cp;
    }
    // Every code taken: the geta mark stands in, as for a file's characters.
    if (!AppendCharacterCode(out, cp)) out += "\x81\xAC";
  }
  return out;
}

}  // namespace vorna::qt
