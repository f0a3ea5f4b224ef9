// Face names as stored (Windows faces) mapped to the installed Debian fonts,
// and the installed-font list.
#pragma once

#include <QString>
#include <string>

#include "platform/FontList.h"

namespace vorna::qt {

// The installed family that draws `face` (UTF-8 or QString face, a leading
// "@" ignored): the known Windows faces map to IPA and Liberation fonts, an
// installed family stays itself, anything else becomes IPAGothic (or
// IPAMincho when the name reads like a serif face).
QString MapFaceFamily(const QString& face);

// The Japanese family used for characters the mapped family lacks.
QString JapaneseFallbackFamily(const QString& family);

// An installed family that has the glyph of `cp` when the face and its
// Japanese fallback lack it; empty when none has. Ideographs prefer Noto CJK
// JP (serif or sans as the face), emoji the colour emoji family. Searched
// once per character and kept for the process.
QString FamilyForCharacter(char32_t cp, bool serif);

// Registers the Windows face names as Qt font substitutions, so that widgets
// given those names draw with the mapped fonts too. Call once after the
// application object exists.
void InstallFontSubstitutions();

class TQtFontList : public TFontList {
 public:
  // Every face that maps to an installed family can be drawn, and drawn
  // vertically (the canvas does vertical writing itself), so "@" + face
  // answers as the face does. An empty name is not a face.
  bool HasFace(const std::string& cp932Face) const override;
};

}  // namespace vorna::qt
