// Face-name mapping to installed fonts and the installed-font list.
#include "platform/qt/QtFonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QRawFont>

#include "platform/qt/QtConvert.h"

namespace vorna::qt {
namespace {

struct TFaceMap {
  const char16_t* Face;
  const char16_t* Family;
};

// Windows faces (as stored, full- and half-width spellings) and their stand-ins.
constexpr TFaceMap kFaceMap[] = {
    {u"ＭＳ ゴシック", u"IPAGothic"},       {u"MS Gothic", u"IPAGothic"},
    {u"ＭＳ 明朝", u"IPAMincho"},           {u"MS Mincho", u"IPAMincho"},
    {u"ＭＳ Ｐゴシック", u"IPAPGothic"},    {u"MS PGothic", u"IPAPGothic"},
    {u"MS UI Gothic", u"IPAPGothic"},       {u"ＭＳ Ｐ明朝", u"IPAPMincho"},
    {u"MS PMincho", u"IPAPMincho"},         {u"Times New Roman", u"Liberation Serif"},
    {u"Arial", u"Liberation Sans"},         {u"Courier New", u"Liberation Mono"},
    {u"ＭＳ ＵＩ ゴシック", u"IPAPGothic"},
};

bool IsInstalled(const QString& family) {
  static QHash<QString, bool> known;
  auto it = known.constFind(family);
  if (it != known.constEnd()) return *it;
  bool found = QFontDatabase::families().contains(family, Qt::CaseInsensitive);
  known.insert(family, found);
  return found;
}

bool LooksSerif(const QString& face) {
  return face.contains(u"明朝") || face.contains(u"Mincho", Qt::CaseInsensitive) ||
         face.contains(u"Serif", Qt::CaseInsensitive) || face.contains(u"Times", Qt::CaseInsensitive);
}

// Ideographs and their marks, in every plane that has them.
bool IsIdeograph(char32_t cp) {
  return (cp >= 0x2E80 && cp <= 0x2FDF) || (cp >= 0x3000 && cp <= 0x30FF) || (cp >= 0x31C0 && cp <= 0x31FF) ||
         (cp >= 0x3400 && cp <= 0x4DBF) || (cp >= 0x4E00 && cp <= 0x9FFF) || (cp >= 0xF900 && cp <= 0xFAFF) ||
         (cp >= 0x20000 && cp <= 0x3FFFF);
}

bool IsEmoji(char32_t cp) {
  return (cp >= 0x1F000 && cp <= 0x1FAFF) || (cp >= 0x2600 && cp <= 0x27BF) ||
         (cp >= 0x2B00 && cp <= 0x2BFF) || cp == 0x231A || cp == 0x231B || cp == 0x23F0 || cp == 0x23F3;
}

const QString kEmojiFamily = QStringLiteral("Noto Color Emoji");

// A small raw font per installed family, made when first asked about.
bool FamilyHas(const QString& family, char32_t cp) {
  static QHash<QString, QRawFont> probes;
  auto it = probes.find(family);
  if (it == probes.end()) {
    QFont font(family);
    font.setPixelSize(16);
    QRawFont raw = QRawFont::fromFont(font);
    // Qt substitutes another family for one it cannot load; that one is asked on its own.
    if (raw.familyName().compare(family, Qt::CaseInsensitive) != 0) raw = QRawFont();
    it = probes.insert(family, raw);
  }
  return it->isValid() && it->supportsCharacter(cp);
}

}  // namespace

QString FamilyForCharacter(char32_t cp, bool serif) {
  static QHash<quint64, QString> found;
  const quint64 key = cp | (static_cast<quint64>(serif) << 32);
  auto it = found.constFind(key);
  if (it != found.constEnd()) return *it;
  const QString cjk = serif ? QStringLiteral("Noto Serif CJK JP") : QStringLiteral("Noto Sans CJK JP");
  QStringList order;
  if (IsEmoji(cp)) order << kEmojiFamily;
  if (IsIdeograph(cp) || !IsEmoji(cp)) order << cjk;
  // Then every installed family; the emoji family last, for its plain digits
  // and signs are no text glyphs.
  const QStringList families = QFontDatabase::families();
  for (const QString& family : families)
    if (family.compare(kEmojiFamily, Qt::CaseInsensitive) != 0 && !order.contains(family)) order << family;
  if (!order.contains(kEmojiFamily)) order << kEmojiFamily;
  QString result;
  for (const QString& family : order) {
    if (IsInstalled(family) && FamilyHas(family, cp)) {
      result = family;
      break;
    }
  }
  found.insert(key, result);
  return result;
}

QString MapFaceFamily(const QString& faceIn) {
  QString face = faceIn.startsWith(u'@') ? faceIn.mid(1) : faceIn;
  face = face.trimmed();
  for (const TFaceMap& m : kFaceMap)
    if (face.compare(QString::fromUtf16(m.Face), Qt::CaseInsensitive) == 0)
      return QString::fromUtf16(m.Family);
  if (!face.isEmpty() && IsInstalled(face)) return face;
  return LooksSerif(face) ? QStringLiteral("IPAMincho") : QStringLiteral("IPAGothic");
}

QString JapaneseFallbackFamily(const QString& family) {
  return LooksSerif(family) || family.contains(u"Mincho", Qt::CaseInsensitive) ? QStringLiteral("IPAMincho")
                                                                               : QStringLiteral("IPAGothic");
}

void InstallFontSubstitutions() {
  for (const TFaceMap& m : kFaceMap) {
    QString face = QString::fromUtf16(m.Face);
    QFont::insertSubstitutions(
        face, {QString::fromUtf16(m.Family), JapaneseFallbackFamily(QString::fromUtf16(m.Family))});
  }
}

bool TQtFontList::HasFace(const std::string& cp932Face) const {
  QString face = QStringFromCp932(cp932Face);
  if (face.startsWith(u'@')) face = face.mid(1);
  face = face.trimmed();
  if (face.isEmpty()) return false;
  for (const TFaceMap& m : kFaceMap)
    if (face.compare(QString::fromUtf16(m.Face), Qt::CaseInsensitive) == 0)
      return IsInstalled(QString::fromUtf16(m.Family));
  return IsInstalled(face);
}

}  // namespace vorna::qt
