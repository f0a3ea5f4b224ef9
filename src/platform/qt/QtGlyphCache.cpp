// Resolved fonts with their lazily filled per-character glyph cache, and the
// process-wide cache of resolved fonts.
#include "platform/qt/QtGlyphCache.h"

#include <hb.h>

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/qt/QtFonts.h"
#include "platform/qt/QtHarfBuzz.h"
#include "platform/qt/QtPrintFaces.h"
#include "text/Cp932.h"
#include "text/UserCodes.h"

namespace vorna::qt {
namespace {

bool gCachingEnabled = true;

// Half-width characters (ASCII and half-width katakana) lie rotated in
// vertical writing; everything else stands upright.
bool IsHalfWidth(char32_t cp) { return cp < 0x80 || (cp >= 0xFF61 && cp <= 0xFF9F); }

// Full-width characters that lie sideways in vertical writing; drawn rotated
// when the font has no vertical form for them.
bool RotatesWithoutAlternate(char32_t cp) {
  switch (cp) {
    case 0xFF0D:  // －
    case 0x2212:  // − (the JIS minus, kept apart from U+FF0D)
    case 0xFF1A:  // ：
    case 0xFF1B:  // ；
    case 0xFF1C:  // ＜
    case 0xFF1E:  // ＞
    case 0x2252:  // ≒
    case 0x2261:  // ≡
    case 0x223D:  // ∽
    case 0x2282:  // ⊂
    case 0x2283:  // ⊃
    case 0x2286:  // ⊆
    case 0x2287:  // ⊇
    case 0x222A:  // ∪
    case 0x2229:  // ∩
      return true;
    default:
      return false;
  }
}

// Characters that draw nothing: controls, and the format characters and
// variation selectors that only change their neighbours (shown on their own,
// a font would draw a dotted box or a stray mark).
bool IsBlank(char32_t cp) {
  return cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0) || cp == 0xAD || cp == 0x34F ||
         (cp >= 0x180B && cp <= 0x180F) || (cp >= 0x200B && cp <= 0x200F) || (cp >= 0x202A && cp <= 0x202E) ||
         (cp >= 0x2060 && cp <= 0x206F) || (cp >= 0xFE00 && cp <= 0xFE0F) || cp == 0xFEFF ||
         (cp >= 0xFFF0 && cp <= 0xFFF8) || (cp >= 0xE0000 && cp <= 0xE0FFF);
}

// Colour bitmap or layered glyphs (emoji fonts).
bool IsColourFont(const QRawFont& raw) {
  static QHash<QString, bool> known;
  auto it = known.constFind(raw.familyName());
  if (it != known.constEnd()) return *it;
  bool colour = !raw.fontTable("CBLC").isEmpty() || !raw.fontTable("COLR").isEmpty();
  known.insert(raw.familyName(), colour);
  return colour;
}

QRawFont MakeRaw(const QString& family, int em, bool bold, bool italic) {
  QFont font(family);
  font.setPixelSize(em);
  font.setBold(bold);
  font.setItalic(italic);
  font.setKerning(false);
  font.setHintingPreference(QFont::PreferNoHinting);
  return QRawFont::fromFont(font);
}

// The raw font of a face in its real styles only. Qt would synthesise a
// missing italic by slanting sideways, which is wrong in vertical writing, so
// a style the face lacks is left to the canvas (`synthBold`, `synthItalic`).
QRawFont MakeStyledRaw(const QString& family, int em, bool bold, bool italic, bool& synthBold,
                       bool& synthItalic) {
  QRawFont raw = MakeRaw(family, em, bold, italic);
  QString style = raw.styleName();
  synthItalic = italic && !style.contains(u"Italic", Qt::CaseInsensitive) &&
                !style.contains(u"Oblique", Qt::CaseInsensitive);
  synthBold = bold && !style.contains(u"Bold", Qt::CaseInsensitive) &&
              !style.contains(u"Black", Qt::CaseInsensitive) &&
              !style.contains(u"Heavy", Qt::CaseInsensitive);
  if (synthBold || synthItalic) raw = MakeRaw(family, em, bold && !synthBold, italic && !synthItalic);
  return raw;
}

}  // namespace

// Extra faces are numbered in a byte of the glyph.
constexpr size_t kMaxFaces = 2 + 255;

TQtFont::TQtFont(const TFontKey& key) : FKey(key) {
  AddFace(key.Family);
  QString fallback = JapaneseFallbackFamily(key.Family);
  if (fallback.compare(FFaces[0]->Raw.familyName(), Qt::CaseInsensitive) == 0) {
    FFaces.push_back(std::make_unique<TFace>(*FFaces[0]));
    FFaces[1]->Hb = nullptr;
    FFaces[1]->HbTried = false;
  } else {
    AddFace(fallback);
  }
  const QRawFont& metrics = FFaces[0]->Raw.isValid() ? FFaces[0]->Raw : FFaces[1]->Raw;
  FAscent = std::max(0, static_cast<int>(std::lround(metrics.ascent())));
  FDescent = std::max(0, static_cast<int>(std::lround(metrics.descent())));
  if (FAscent + FDescent == 0) FAscent = key.EmPixels;
  FUnderlinePos = std::max(1.0f, static_cast<float>(metrics.underlinePosition()));
  FLineThickness = std::max(1.0f, static_cast<float>(std::round(metrics.lineThickness())));
}

TQtFont::~TQtFont() {
  for (auto& face : FFaces)
    if (face->Hb) hb_font_destroy(face->Hb);
}

TQtFont::TFace& TQtFont::AddFace(const QString& family) {
  auto face = std::make_unique<TFace>();
  face->Family = family;
  face->Raw =
      MakeStyledRaw(family, FKey.EmPixels, FKey.Bold, FKey.Italic, face->SynthBold, face->SynthItalic);
  face->Colour = face->Raw.isValid() && IsColourFont(face->Raw);
  // Bitmap glyphs are neither slanted nor overprinted.
  if (face->Colour) face->SynthBold = face->SynthItalic = false;
  FFaces.push_back(std::move(face));
  TFace& added = *FFaces.back();
  if (FKey.Vertical) {
    const QRawFont& raw = added.Raw;
    float scale = raw.unitsPerEm() > 0 ? static_cast<float>(raw.pixelSize() / raw.unitsPerEm()) : 0;
    hb_font_t* hb = added.Colour ? nullptr : HbFont(FaceCount() - 1);
    if (hb) {
      int32_t top = 0, bottom = 0;
      IdeographicEmBox(hb, top, bottom);
      added.RotatedBaseline = static_cast<float>(top + bottom) / 2 * scale;
    } else {
      added.RotatedBaseline = static_cast<float>(raw.pixelSize()) * 0.38f;
    }
  }
  return added;
}

int TQtFont::ExtraFace(const QString& family) {
  for (size_t i = 2; i < FFaces.size(); ++i)
    if (FFaces[i]->Family == family) return static_cast<int>(i);
  if (FFaces.size() >= kMaxFaces) return -1;
  AddFace(family);
  return FaceCount() - 1;
}

hb_font_t* TQtFont::HbFont(int face) {
  TFace& f = *FFaces[static_cast<size_t>(face)];
  if (!f.HbTried) {
    f.HbTried = true;
    f.Hb = CreateHbFont(f.Raw);
  }
  return f.Hb;
}

void TQtFont::SetCachingEnabled(bool enabled) { gCachingEnabled = enabled; }

const TGlyph& TQtFont::Glyph(char32_t cp) {
  cp = ShownCharacter(cp);
  if (!gCachingEnabled) {
    FScratch = Lookup(cp);
    return FScratch;
  }
  auto& plane = FPlanes[cp >> 16];
  if (!plane) plane = std::make_unique<TPlane>();
  auto& page = (*plane)[(cp >> 8) & 0xFF];
  if (!page) page = std::make_unique<TPage>();
  TGlyph& g = (*page)[cp & 0xFF];
  if (!g.Filled) g = Lookup(cp);
  return g;
}

TGlyph TQtFont::Lookup(char32_t cp) {
  TGlyph g;
  g.Filled = true;
  g.Rotated = FKey.Vertical && IsHalfWidth(cp);
  // Blank characters draw nothing but keep an advance (half-width for controls).
  g.Blank = IsBlank(cp);
  int face = -1;
  if (!g.Blank) {
    if (FFaces[0]->Raw.supportsCharacter(cp)) {
      face = 0;
    } else if (FFaces[1]->Raw.supportsCharacter(cp)) {
      face = 1;
    } else {
      const bool serif = JapaneseFallbackFamily(FKey.Family) == QStringLiteral("IPAMincho");
      if (QString family = FamilyForCharacter(cp, serif); !family.isEmpty()) face = ExtraFace(family);
    }
  }
  if (face < 0) {
    float em = static_cast<float>(FKey.EmPixels);
    g.Advance = IsHalfWidth(cp) ? em / 2 : em;
    g.Dx = -em / 2;
    return g;
  }
  g.Face = face < 2 ? static_cast<TGlyphFace>(face) : TGlyphFace::Extra;
  g.Extra = static_cast<uint8_t>(face < 2 ? 0 : face - 2);
  const TFace& f = *FFaces[static_cast<size_t>(face)];
  const QRawFont& raw = f.Raw;
  g.Colour = f.Colour;
  char32_t one[1] = {cp};
  QList<quint32> indexes = raw.glyphIndexesForString(QString::fromUcs4(one, 1));
  g.Index = indexes.isEmpty() ? 0 : indexes.front();
  QList<QPointF> advances = raw.advancesForGlyphIndexes(QList<quint32>{g.Index});
  float hAdvance = advances.isEmpty() ? 0 : static_cast<float>(advances.front().x());
  g.Advance = hAdvance;
  if (!FKey.Vertical || g.Rotated) return g;
  float scale = raw.unitsPerEm() > 0 ? static_cast<float>(raw.pixelSize() / raw.unitsPerEm()) : 0;
  TVerticalShape shape;
  // Colour glyphs have no vertical forms: they stand centred in the em.
  if (hb_font_t* hb = g.Colour ? nullptr : HbFont(face); hb && ShapeVertical(hb, cp, shape)) {
    if (shape.Glyph == g.Index && RotatesWithoutAlternate(cp)) {
      g.Rotated = true;
      return g;
    }
    g.Index = shape.Glyph;
    g.Dx = static_cast<float>(shape.XOffset) * scale;
    g.Dy = -static_cast<float>(shape.YOffset) * scale;
    g.Advance = -static_cast<float>(shape.YAdvance) * scale;
  } else {
    g.Dx = -hAdvance / 2;
    g.Dy = static_cast<float>(raw.ascent());
    g.Advance = static_cast<float>(FKey.EmPixels);
  }
  return g;
}

std::vector<TCmapEntry> TQtFont::DrawnCmap(int face) {
  hb_font_t* hb = HbFont(face);
  if (!hb) return {};
  std::vector<TCmapEntry> cmap = NominalCmap(hb);
  const std::vector<uint32_t> substituted = VerticalSubstitutionInputs(hb);
  for (TCmapEntry& entry : cmap) {
    if (!std::binary_search(substituted.begin(), substituted.end(), entry.Glyph)) continue;
    const TGlyph g = Lookup(entry.Code);
    if (g.Face != TGlyphFace::Missing && FaceOf(g) == face && !g.Rotated && !g.Blank) entry.Glyph = g.Index;
  }
  // A PDF gives a glyph the first code that reaches it; where CP932 holds one
  // of several codes of a glyph (U+2015 beside U+2014), only those stay.
  std::vector<uint32_t> heldGlyphs;
  for (const TCmapEntry& entry : cmap)
    if (HeldCp932Code(entry.Code)) heldGlyphs.push_back(entry.Glyph);
  std::sort(heldGlyphs.begin(), heldGlyphs.end());
  std::erase_if(cmap, [&](const TCmapEntry& entry) {
    return !HeldCp932Code(entry.Code) &&
           std::binary_search(heldGlyphs.begin(), heldGlyphs.end(), entry.Glyph);
  });
  return cmap;
}

const QRawFont& TQtFont::PrintRaw(int face) {
  TFace& f = *FFaces[static_cast<size_t>(face)];
  if (!FKey.Vertical || f.Colour) return f.Raw;
  if (!f.PrintTried) {
    f.PrintTried = true;
    f.Print = PrintFace(f.Raw, [&] { return DrawnCmap(face); });
  }
  return f.Print.isValid() ? f.Print : f.Raw;
}

QRectF TQtFont::InkBox(int face, uint32_t) {
  TFace& f = *FFaces[static_cast<size_t>(face)];
  if (!f.InkKnown) {
    // The face's bounding box from its head table: every glyph's ink lies in it.
    f.InkKnown = true;
    const QByteArray head = f.Raw.fontTable("head");
    const qreal scale = f.Raw.unitsPerEm() > 0 ? f.Raw.pixelSize() / f.Raw.unitsPerEm() : 0;
    if (head.size() >= 44 && scale > 0) {
      auto at = [&](int i) {
        return static_cast<int16_t>(static_cast<uint8_t>(head[i]) << 8 | static_cast<uint8_t>(head[i + 1]));
      };
      f.Ink = QRectF(QPointF(at(36) * scale, -at(42) * scale), QPointF(at(40) * scale, -at(38) * scale));
    } else {
      const qreal em = FKey.EmPixels;
      f.Ink = QRectF(-em, -2 * em, 3 * em, 4 * em);
    }
  }
  return f.Ink;
}

const QImage& TQtFont::ColourImage(int face, uint32_t index, QPointF& offset) {
  TFace& f = *FFaces[static_cast<size_t>(face)];
  auto it = f.Images.find(index);
  if (it == f.Images.end()) {
    // Drawn once through the raster engine, which paints the font's colour
    // bitmaps; an image then draws the same on the printer and in PDF.
    const QRectF box = f.Raw.boundingRect(index);
    TFace::TImage image;
    image.Offset = QPointF(std::floor(box.left()), std::floor(box.top()));
    const QSize size(static_cast<int>(std::ceil(box.right()) - image.Offset.x()),
                     static_cast<int>(std::ceil(box.bottom()) - image.Offset.y()));
    if (!size.isEmpty()) {
      image.Image = QImage(size, QImage::Format_ARGB32_Premultiplied);
      image.Image.fill(Qt::transparent);
      QPainter p(&image.Image);
      QGlyphRun run;
      run.setRawFont(f.Raw);
      run.setGlyphIndexes({index});
      run.setPositions({-image.Offset});
      p.drawGlyphRun(QPointF(0, 0), run);
    }
    it = f.Images.insert(index, image);
  }
  offset = it->Offset;
  return it->Image;
}

int EmPixelsForHeight(const QString& family, int height) {
  constexpr int kDefaultEm = 12;
  constexpr int kMaxEm = 2048;
  if (height == 0) return kDefaultEm;
  if (height < 0) return std::clamp(height == std::numeric_limits<int>::min() ? kMaxEm : -height, 1, kMaxEm);
  // A positive height is the cell (ascent + descent): scale from a probe size.
  static QHash<QString, double> cellPerEm;
  auto it = cellPerEm.constFind(family);
  double ratio;
  if (it != cellPerEm.constEnd()) {
    ratio = *it;
  } else {
    QRawFont probe = MakeRaw(family, 100, false, false);
    double cell = probe.isValid() ? probe.ascent() + probe.descent() : 100.0;
    ratio = cell > 0 ? cell / 100.0 : 1.0;
    cellPerEm.insert(family, ratio);
  }
  return std::clamp(static_cast<int>(std::lround(std::min<double>(height, 1e6) / ratio)), 1, kMaxEm);
}

namespace {

QHash<QString, std::shared_ptr<TQtFont>>& FontCache() {
  static QHash<QString, std::shared_ptr<TQtFont>> cache;
  return cache;
}

}  // namespace

void ClearFontCache() { FontCache().clear(); }

std::shared_ptr<TQtFont> FindFont(const QString& face, int height, bool bold, bool italic, bool vertical) {
  auto& cache = FontCache();
  QString family = MapFaceFamily(face);
  TFontKey key{family, EmPixelsForHeight(family, height), bold, italic, vertical};
  QString id =
      QStringLiteral("%1|%2|%3%4%5").arg(family).arg(key.EmPixels).arg(bold).arg(italic).arg(vertical);
  auto it = cache.constFind(id);
  if (it != cache.constEnd()) return *it;
  // Zooming creates many sizes; start afresh rather than grow without bound.
  if (cache.size() >= 64) cache.clear();
  auto font = std::make_shared<TQtFont>(key);
  cache.insert(id, font);
  return font;
}

}  // namespace vorna::qt
