// Resolved fonts with their lazily filled per-character glyph cache, and the
// process-wide cache of resolved fonts.
#include "platform/qt/QtGlyphCache.h"

#include <hb.h>

#include <QFont>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/qt/QtFonts.h"
#include "platform/qt/QtHarfBuzz.h"

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

TQtFont::TQtFont(const TFontKey& key) : FKey(key) {
  FPrimary = MakeStyledRaw(key.Family, key.EmPixels, key.Bold, key.Italic, FSynthBold[0], FSynthItalic[0]);
  QString fallback = JapaneseFallbackFamily(key.Family);
  if (fallback.compare(FPrimary.familyName(), Qt::CaseInsensitive) == 0) {
    FFallback = FPrimary;
    FSynthBold[1] = FSynthBold[0];
    FSynthItalic[1] = FSynthItalic[0];
  } else {
    FFallback = MakeStyledRaw(fallback, key.EmPixels, key.Bold, key.Italic, FSynthBold[1], FSynthItalic[1]);
  }
  const QRawFont& metrics = FPrimary.isValid() ? FPrimary : FFallback;
  FAscent = std::max(0, static_cast<int>(std::lround(metrics.ascent())));
  FDescent = std::max(0, static_cast<int>(std::lround(metrics.descent())));
  if (FAscent + FDescent == 0) FAscent = key.EmPixels;
  FUnderlinePos = std::max(1.0f, static_cast<float>(metrics.underlinePosition()));
  FLineThickness = std::max(1.0f, static_cast<float>(std::round(metrics.lineThickness())));
  if (key.Vertical) {
    for (int i = 0; i < 2; ++i) {
      auto face = static_cast<TGlyphFace>(i);
      const QRawFont& raw = Raw(face);
      float scale = raw.unitsPerEm() > 0 ? static_cast<float>(raw.pixelSize() / raw.unitsPerEm()) : 0;
      if (hb_font_t* hb = HbFont(face)) {
        int32_t top = 0, bottom = 0;
        IdeographicEmBox(hb, top, bottom);
        FRotatedBaseline[i] = static_cast<float>(top + bottom) / 2 * scale;
      } else {
        FRotatedBaseline[i] = static_cast<float>(raw.pixelSize()) * 0.38f;
      }
    }
  }
}

TQtFont::~TQtFont() {
  for (hb_font_t* hb : FHb)
    if (hb) hb_font_destroy(hb);
}

hb_font_t* TQtFont::HbFont(TGlyphFace face) {
  int i = face == TGlyphFace::Fallback ? 1 : 0;
  if (!FHbTried[i]) {
    FHbTried[i] = true;
    FHb[i] = CreateHbFont(Raw(face));
  }
  return FHb[i];
}

void TQtFont::SetCachingEnabled(bool enabled) { gCachingEnabled = enabled; }

const TGlyph& TQtFont::Glyph(char32_t cp) {
  if (cp > 0xFFFF) cp = 0xFFFD;
  if (!gCachingEnabled) {
    FScratch = Lookup(cp);
    return FScratch;
  }
  auto& page = FPages[cp >> 8];
  if (!page) page = std::make_unique<std::array<TGlyph, 256>>();
  TGlyph& g = (*page)[cp & 0xFF];
  if (!g.Filled) g = Lookup(cp);
  return g;
}

TGlyph TQtFont::Lookup(char32_t cp) {
  TGlyph g;
  g.Filled = true;
  g.Rotated = FKey.Vertical && IsHalfWidth(cp);
  // Control characters draw nothing but keep a half-width advance.
  bool control = cp < 0x20 || cp == 0x7F;
  if (!control && FPrimary.supportsCharacter(cp))
    g.Face = TGlyphFace::Primary;
  else if (!control && FFallback.supportsCharacter(cp))
    g.Face = TGlyphFace::Fallback;
  if (g.Face == TGlyphFace::Missing) {
    float em = static_cast<float>(FKey.EmPixels);
    g.Advance = IsHalfWidth(cp) ? em / 2 : em;
    g.Dx = -em / 2;
    return g;
  }
  const QRawFont& raw = Raw(g.Face);
  char32_t one[1] = {cp};
  QList<quint32> indexes = raw.glyphIndexesForString(QString::fromUcs4(one, 1));
  g.Index = indexes.isEmpty() ? 0 : indexes.front();
  QList<QPointF> advances = raw.advancesForGlyphIndexes(QList<quint32>{g.Index});
  float hAdvance = advances.isEmpty() ? 0 : static_cast<float>(advances.front().x());
  g.Advance = hAdvance;
  if (!FKey.Vertical || g.Rotated) return g;
  float scale = raw.unitsPerEm() > 0 ? static_cast<float>(raw.pixelSize() / raw.unitsPerEm()) : 0;
  TVerticalShape shape;
  if (hb_font_t* hb = HbFont(g.Face); hb && ShapeVertical(hb, cp, shape)) {
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
    g.Advance = static_cast<float>(raw.pixelSize());
  }
  return g;
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
