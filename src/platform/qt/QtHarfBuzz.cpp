// HarfBuzz face built from QRawFont tables, vertical shaping and em box.
#include "platform/qt/QtHarfBuzz.h"

#include <hb-ot.h>
#include <hb.h>

#include <QByteArray>

namespace vorna::qt {
namespace {

hb_blob_t* ReferenceTable(hb_face_t*, hb_tag_t tag, void* userData) {
  const auto* raw = static_cast<const QRawFont*>(userData);
  char name[5] = {static_cast<char>(tag >> 24), static_cast<char>(tag >> 16), static_cast<char>(tag >> 8),
                  static_cast<char>(tag), 0};
  QByteArray table = raw->fontTable(name);
  if (table.isEmpty()) return hb_blob_get_empty();
  return hb_blob_create(table.constData(), static_cast<unsigned>(table.size()), HB_MEMORY_MODE_DUPLICATE,
                        nullptr, nullptr);
}

void DestroyRaw(void* userData) { delete static_cast<QRawFont*>(userData); }

}  // namespace

hb_font_t* CreateHbFont(const QRawFont& raw) {
  if (!raw.isValid() || raw.fontTable("head").isEmpty()) return nullptr;
  // The face keeps its own copy of the raw font until HarfBuzz drops it.
  hb_face_t* face = hb_face_create_for_tables(ReferenceTable, new QRawFont(raw), DestroyRaw);
  hb_font_t* font = hb_font_create(face);
  hb_face_destroy(face);
  hb_ot_font_set_funcs(font);
  unsigned upem = hb_face_get_upem(hb_font_get_face(font));
  hb_font_set_scale(font, static_cast<int>(upem), static_cast<int>(upem));
  return font;
}

bool ShapeVertical(hb_font_t* font, char32_t cp, TVerticalShape& out) {
  static const hb_feature_t features[] = {
      {HB_TAG('v', 'e', 'r', 't'), 1, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
      {HB_TAG('v', 'r', 't', '2'), 1, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
  };
  static hb_language_t japanese = hb_language_from_string("ja", -1);
  hb_buffer_t* buffer = hb_buffer_create();
  hb_buffer_add_utf32(buffer, reinterpret_cast<const uint32_t*>(&cp), 1, 0, 1);
  hb_buffer_set_direction(buffer, HB_DIRECTION_TTB);
  hb_buffer_set_script(buffer, HB_SCRIPT_HAN);
  hb_buffer_set_language(buffer, japanese);
  hb_shape(font, buffer, features, 2);
  unsigned count = 0;
  hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
  hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, nullptr);
  bool ok = count == 1;
  if (ok) {
    out.Glyph = info[0].codepoint;
    out.XOffset = pos[0].x_offset;
    out.YOffset = pos[0].y_offset;
    out.YAdvance = pos[0].y_advance;
  }
  hb_buffer_destroy(buffer);
  return ok;
}

void IdeographicEmBox(hb_font_t* font, int32_t& top, int32_t& bottom) {
  hb_position_t t = 0, b = 0;
  hb_ot_layout_get_baseline_with_fallback(font, HB_OT_LAYOUT_BASELINE_TAG_IDEO_EMBOX_TOP_OR_RIGHT,
                                          HB_DIRECTION_LTR, HB_SCRIPT_HAN, HB_TAG('J', 'A', 'N', ' '), &t);
  hb_ot_layout_get_baseline_with_fallback(font, HB_OT_LAYOUT_BASELINE_TAG_IDEO_EMBOX_BOTTOM_OR_LEFT,
                                          HB_DIRECTION_LTR, HB_SCRIPT_HAN, HB_TAG('J', 'A', 'N', ' '), &b);
  top = t;
  bottom = b;
}

std::vector<TCmapEntry> NominalCmap(hb_font_t* font) {
  std::vector<TCmapEntry> entries;
  hb_set_t* codes = hb_set_create();
  hb_face_collect_unicodes(hb_font_get_face(font), codes);
  entries.reserve(hb_set_get_population(codes));
  for (hb_codepoint_t code = HB_SET_VALUE_INVALID; hb_set_next(codes, &code);) {
    hb_codepoint_t glyph = 0;
    if (hb_font_get_nominal_glyph(font, code, &glyph))
      entries.push_back({static_cast<char32_t>(code), glyph});
  }
  hb_set_destroy(codes);
  return entries;
}

std::vector<uint32_t> VerticalSubstitutionInputs(hb_font_t* font) {
  hb_face_t* face = hb_font_get_face(font);
  const hb_tag_t features[] = {HB_TAG('v', 'e', 'r', 't'), HB_TAG('v', 'r', 't', '2'), HB_TAG_NONE};
  hb_set_t* lookups = hb_set_create();
  hb_ot_layout_collect_lookups(face, HB_OT_TAG_GSUB, nullptr, nullptr, features, lookups);
  hb_set_t* inputs = hb_set_create();
  for (hb_codepoint_t lookup = HB_SET_VALUE_INVALID; hb_set_next(lookups, &lookup);)
    hb_ot_layout_lookup_collect_glyphs(face, HB_OT_TAG_GSUB, lookup, nullptr, inputs, nullptr, nullptr);
  std::vector<uint32_t> glyphs;
  for (hb_codepoint_t glyph = HB_SET_VALUE_INVALID; hb_set_next(inputs, &glyph);) glyphs.push_back(glyph);
  hb_set_destroy(inputs);
  hb_set_destroy(lookups);
  return glyphs;
}

}  // namespace vorna::qt
