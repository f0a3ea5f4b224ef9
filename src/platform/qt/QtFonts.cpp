// Face-name mapping to installed fonts and the installed-font list.
#include "platform/qt/QtFonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>

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

}  // namespace

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
