// Print faces: copies of faces with their own cmap, written once per family
// and style into a temporary folder and registered as application fonts.
#include "platform/qt/QtPrintFaces.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QTemporaryDir>
#include <memory>

#include <malloc.h>

namespace vorna::qt {
namespace {

// Tables that drawing and PDF embedding read; layout tables stay behind, the
// glyph ids being resolved already.
constexpr const char* kCopiedTables[] = {"head", "hhea", "hmtx", "maxp", "OS/2", "post", "glyf",
                                         "loca", "CFF ", "CFF2", "vhea", "vmtx", "VORG"};

QString StyleKey(const QRawFont& face) {
  return face.familyName() + u'|' + face.styleName() + u'|' + QString::number(face.weight()) + u'|' +
         QString::number(static_cast<int>(face.style()));
}

// The family the copy of `face` registers under; empty when it failed.
QString RegisterCopy(const QRawFont& face, const std::vector<TCmapEntry>& cmap) {
  static std::unique_ptr<QTemporaryDir> folder;
  static int serial = 0;
  if (!folder) folder = std::make_unique<QTemporaryDir>();
  if (!folder->isValid() || cmap.empty()) return {};
  std::vector<TSfntTable> tables;
  for (const char* tag : kCopiedTables)
    tables.push_back({SfntTag(tag), [&face, tag] { return face.fontTable(tag); }});
  // TrueType outlines come with a loca table, CFF ones without.
  const bool cff = face.fontTable("loca").isEmpty();
  const QString family = QStringLiteral("%1 Vertical Forms %2").arg(face.familyName()).arg(++serial);
  const QString style = face.styleName().isEmpty() ? QStringLiteral("Regular") : face.styleName();
  const QByteArray cmapTable = BuildUnicodeCmap(cmap);
  const QByteArray nameTable = BuildNameTable(family, style, face.familyName() + QStringLiteral("-Vertical"));
  tables.push_back({SfntTag("cmap"), [&] { return cmapTable; }});
  tables.push_back({SfntTag("name"), [&] { return nameTable; }});
  QFile file(folder->filePath(
      QStringLiteral("%1.%2").arg(serial).arg(cff ? QStringLiteral("otf") : QStringLiteral("ttf"))));
  if (!file.open(QIODevice::WriteOnly) ||
      !WriteSfnt(file, cff ? SfntTag("OTTO") : 0x00010000u, std::move(tables)))
    return {};
  file.close();
  // The large tables just passed through the heap; hand their pages back
  // rather than carry them through the rest of the job.
  malloc_trim(0);
  const int id = QFontDatabase::addApplicationFont(file.fileName());
  const QStringList families = QFontDatabase::applicationFontFamilies(id);
  return families.contains(family) ? family : QString();
}

}  // namespace

QRawFont PrintFace(const QRawFont& face, const std::function<std::vector<TCmapEntry>()>& cmap) {
  if (!face.isValid()) return {};
  static QHash<QString, QString> families;
  const QString key = StyleKey(face);
  auto it = families.constFind(key);
  if (it == families.constEnd()) it = families.insert(key, RegisterCopy(face, cmap()));
  if (it->isEmpty()) return {};
  QFont font(*it);
  font.setPixelSize(qRound(face.pixelSize()));
  font.setWeight(static_cast<QFont::Weight>(face.weight()));
  font.setStyle(face.style());
  font.setKerning(false);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::NoFontMerging);
  QRawFont copy = QRawFont::fromFont(font);
  if (!copy.isValid() || copy.familyName() != *it) return {};
  return copy;
}

}  // namespace vorna::qt
