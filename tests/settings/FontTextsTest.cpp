// Font and colour text forms and the vertical-writing font.
#include <gtest/gtest.h>

#include <set>

#include "TestSupport.h"
#include "settings/FontTexts.h"

namespace vorna {
namespace {

using testing::Sj;

TEST(FontTexts, WritesOnlyWhatDiffersFromTheDefault) {
  TFontDesc font;
  EXPECT_EQ(FontToStr(font, false), ",,,");
  font.Style = fsUnderline;
  EXPECT_EQ(FontToStr(font, false), ",,,");
  font.Style = fsBold | fsUnderline;  // no word for a style with underline
  EXPECT_EQ(FontToStr(font, false), ",,,");
  font = TFontDesc{};
  font.Face = Sj("ＭＳ 明朝");
  font.Size = 12;
  font.Style = fsBold;
  EXPECT_EQ(FontToStr(font, false), Sj("ＭＳ 明朝") + ",12,Bold,");
  font.Style = fsBold | fsItalic;
  font.Color = 0x0000FF;
  EXPECT_EQ(FontToStr(font, false), Sj("ＭＳ 明朝") + ",12,BoldItalic,clRed");
  EXPECT_EQ(FontToStr(font, true), Sj("ＭＳ 明朝") + ",12,BoldItalic,");
  font.Color = 0x00AAAAAA;
  font.Style = fsItalic;
  EXPECT_EQ(FontToStr(font, false), Sj("ＭＳ 明朝") + ",12,Italic,$00AAAAAA");
}

TEST(FontTexts, CutsAtTwoHundredFiftyFiveBytesWithoutSplittingACharacter) {
  TFontDesc font;
  font.Face = "x";
  for (int i = 0; i < 200; ++i) font.Face += Sj("表");
  std::string text = FontToStr(font, false);
  EXPECT_EQ(text.size(), 255u);
  font.Face = "xx";
  for (int i = 0; i < 200; ++i) font.Face += Sj("表");
  text = FontToStr(font, false);
  EXPECT_EQ(text.size(), 254u);  // 255 would split a character
}

TEST(FontTexts, ParsesFieldsAndResetsTheRest) {
  TFontDesc font;
  font.Face = "Old";
  font.Size = 30;
  font.Style = fsBold;
  font.Color = 0xFF0000;
  font.Escapement = 2700;
  StrToFont("Arial,abc,bold italic", font);
  EXPECT_EQ(font.Face, "Arial");
  EXPECT_EQ(font.Size, 9);
  EXPECT_EQ(font.Style, fsBold | fsItalic);
  EXPECT_EQ(font.Color, 0u);
  EXPECT_EQ(font.Escapement, 2700);  // not part of the text form
  StrToFont("", font);
  EXPECT_EQ(font.Face, DefaultFontFace());
  EXPECT_EQ(font.Size, 9);
  StrToFont(",14,,clBlue,ignored", font);
  EXPECT_EQ(font.Face, DefaultFontFace());
  EXPECT_EQ(font.Size, 14);
  EXPECT_EQ(font.Color, 0xFF0000u);
  StrToFont(",,,notacolour", font);
  EXPECT_EQ(font.Color, 0u);
  EXPECT_EQ(StrToFontStyle("xItalicBOLDy"), fsBold | fsItalic);
  EXPECT_EQ(StrToFontStyle(Sj("ｂｏｌｄ")), 0);

  for (const std::string& text :
       {std::string(",,,"), Sj("ＭＳ 明朝") + ",12,Bold,", std::string("Arial,7,Italic,clNavy")}) {
    StrToFont(text, font);
    EXPECT_EQ(FontToStr(font, false), text);
  }
}

TEST(FontTexts, ColourNamesAndNumbersReadBack) {
  EXPECT_EQ(ColorToStr(0x000000), "clBlack");
  EXPECT_EQ(ColorToStr(0xFFFFFF), "clWhite");
  EXPECT_EQ(ColorToStr(0xF0CAA6), "clSkyBlue");
  EXPECT_EQ(ColorToStr(0x1FFFFFFF), "clNone");
  EXPECT_EQ(ColorToStr(0xFF00000F), "clBtnFace");
  EXPECT_EQ(ColorToStr(0x123456), "$00123456");
  EXPECT_EQ(ColorToStr(0xFF000019), "$FF000019");
  std::set<std::string> names;
  for (TColor c : {0x000000u, 0x000080u, 0x008000u, 0x008080u, 0x800000u, 0x800080u, 0x808000u, 0x808080u,
                   0xC0C0C0u, 0x0000FFu, 0x00FF00u, 0x00FFFFu, 0xFF0000u, 0xFF00FFu, 0xFFFF00u, 0xFFFFFFu})
    names.insert(ColorToStr(c));
  EXPECT_EQ(names.size(), 16u);
  for (const std::string& name : names) EXPECT_EQ(name.substr(0, 2), "cl");
  for (TColor c : {0u, 1u, 0x00AAAAAAu, 0xFF000000u, 0x80000005u, 0xFFFFFFFFu, 0x20000000u, 0x7FFFFFFFu})
    EXPECT_EQ(StrToColor(ColorToStr(c)), c);
  EXPECT_EQ(StrToColor("CLRED"), 0x0000FFu);
  EXPECT_EQ(StrToColor("clDkGray"), 0x808080u);
  EXPECT_EQ(StrToColor("255"), 255u);
  EXPECT_EQ(StrToColor("-1"), 0xFFFFFFFFu);
  EXPECT_FALSE(StrToColor("clPink"));
  EXPECT_FALSE(StrToColor("$"));
  EXPECT_FALSE(StrToColor(""));
}

class TFakeFontList : public TFontList {
 public:
  bool HasFace(const std::string& face) const override { return face == Sj("@ＭＳ 明朝"); }
};

TEST(FontTexts, VerticalFontTakesTheAtFaceWhenInstalled) {
  TFakeFontList fonts;
  TFontDesc font;
  font.Face = Sj("ＭＳ 明朝");
  MakeVerticalFont(font, fonts);
  EXPECT_EQ(font.Face, Sj("@ＭＳ 明朝"));
  EXPECT_EQ(font.Escapement, 2700);
  MakeVerticalFont(font, fonts);  // already vertical: only rotated
  EXPECT_EQ(font.Face, Sj("@ＭＳ 明朝"));
  font.Face = "Arial";
  font.Escapement = 0;
  MakeVerticalFont(font, fonts);
  EXPECT_EQ(font.Face, "Arial");
  EXPECT_EQ(font.Escapement, 2700);
  TFontSpec fontSpec = ToFontSpec(TFontDesc{}, 96);
  EXPECT_EQ(fontSpec.Height, -12);
  fontSpec.Face = Sj("ＭＳ 明朝");
  MakeVerticalFont(fontSpec, fonts);
  EXPECT_EQ(fontSpec.Face, Sj("@ＭＳ 明朝"));
  EXPECT_TRUE(IsVerticalFont(fontSpec));
}

}  // namespace
}  // namespace vorna
