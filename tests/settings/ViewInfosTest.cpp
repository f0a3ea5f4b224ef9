// View elements: change kinds, font change classification, text and
// difference forms, default records and the pen mapping.
#include "settings/ViewInfos.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "TestSupport.h"
#include "settings/CommaTexts.h"
#include "settings/StyleElements.h"

namespace vorna {
namespace {

using testing::Sj;

struct Recorder {
  std::vector<std::pair<char, int>> Calls;  // 'g' Changing, 'd' Changed
  explicit Recorder(TViewInfo* info) {
    info->OnChanging = [this](TDataItem*, int kind) { Calls.push_back({'g', kind}); };
    info->OnChange = [this](TDataItem*, int kind) { Calls.push_back({'d', kind}); };
  }
};

using Calls = std::vector<std::pair<char, int>>;

TEST(ViewInfos, DefaultsAndQueries) {
  auto info = MakeDataItem<TViewInfo>();
  EXPECT_EQ(info->GetDisplayMode(), 1);
  EXPECT_EQ(info->GetFont().Face, Sj("ＭＳ Ｐゴシック"));
  EXPECT_EQ(info->GetFont().Size, 9);
  EXPECT_EQ(info->GetFont().Charset, 1);
  EXPECT_EQ(info->GetBackColor(), 0x00FFFFFFu);
  EXPECT_EQ(info->GetLineColor(), 0u);
  EXPECT_EQ(info->GetLineWidth(), 1.0);

  struct Case {
    int Mode;
    bool Visible, Printed, ShownOnScreen, ShownInPrint;
  };
  const Case cases[] = {{-1, false, false, false, false},
                        {0, false, false, false, false},
                        {1, true, true, true, true},
                        {2, true, false, true, false},
                        {3, false, false, false, false}};
  for (const auto& c : cases) {
    info->SetDisplayMode(static_cast<TDisplayMode>(c.Mode));
    EXPECT_EQ(info->IsVisible(), c.Visible) << c.Mode;
    EXPECT_EQ(info->IsPrinted(), c.Printed) << c.Mode;
    EXPECT_EQ(info->IsShown(false), c.ShownOnScreen) << c.Mode;
    EXPECT_EQ(info->IsShown(true), c.ShownInPrint) << c.Mode;
  }
}

TEST(ViewInfos, PenMappingOfLineStyles) {
  const std::pair<int, TPenStyle> cases[] = {
      {0, TPenStyle::Clear}, {1, TPenStyle::Solid}, {2, TPenStyle::Dot},   {3, TPenStyle::Solid},
      {4, TPenStyle::Dot},   {5, TPenStyle::Dash},  {6, TPenStyle::Clear}, {-1, TPenStyle::Clear}};
  auto info = MakeDataItem<TViewInfo>();
  for (const auto& [style, pen] : cases) {
    info->SetLineStyle(style);
    EXPECT_EQ(info->GetPenStyle(), pen) << style;
    EXPECT_EQ(info->IsDoubleLine(), style == 3 || style == 4) << style;
  }
}

TEST(ViewInfos, SettersSendTheirKindOnlyOnChange) {
  auto info = MakeDataItem<TViewInfo>();
  Recorder rec(info.get());
  info->SetDisplayMode(kModeShown);
  info->SetLineWidth(1.0);
  info->SetColor(3, 0x123456);
  EXPECT_TRUE(rec.Calls.empty());

  info->SetDisplayMode(kModeScreenOnly);
  info->SetColor(0, 0x0000FF);
  info->SetColor(1, 0x00FF00);
  info->SetLineStyle(3);
  info->SetColor(2, 0xFF0000);
  info->SetLineWidth(0.25);
  EXPECT_EQ(rec.Calls, (Calls{{'g', 0},
                              {'d', 0},
                              {'g', 5},
                              {'d', 5},
                              {'g', 6},
                              {'d', 6},
                              {'g', 7},
                              {'d', 7},
                              {'g', 8},
                              {'d', 8},
                              {'g', 9},
                              {'d', 9}}));
}

TEST(ViewInfos, FontChangesAreClassifiedWithoutChanging) {
  auto info = MakeDataItem<TViewInfo>();
  Recorder rec(info.get());
  info->SetFontSize(12);
  EXPECT_EQ(rec.Calls, (Calls{{'d', 3}}));
  rec.Calls.clear();
  info->SetFontName("Arial");
  info->SetFontStyle(fsBold);
  EXPECT_EQ(rec.Calls, (Calls{{'d', 2}, {'d', 2}}));
  rec.Calls.clear();

  // A face and size change together counts as a face change.
  TFontDesc font = info->GetFont();
  font.Face = "Courier";
  font.Size = 20;
  info->SetFont(font);
  EXPECT_EQ(rec.Calls, (Calls{{'d', 2}}));
  rec.Calls.clear();

  // A colour through the font goes through the colour setter.
  font.Color = 0x00FF00;
  info->SetFont(font);
  EXPECT_EQ(rec.Calls, (Calls{{'g', 5}, {'d', 5}}));
  EXPECT_EQ(info->GetFontColor(), 0x00FF00u);
}

TEST(ViewInfos, TextFormRoundTripsAndEquals) {
  auto a = MakeDataItem<TViewInfo>();
  a->SetDisplayMode(kModeScreenOnly);
  a->SetFontName(Sj("ＭＳ 明朝"));
  a->SetFontSize(14);
  a->SetFontStyle(fsBold | fsItalic);
  a->SetFontColor(0x00112233);
  a->SetLineStyle(5);
  a->SetLineWidth(0.3);
  a->SetBackColor(0xFF00000D);  // a system colour stays symbolic
  a->SetLineColor(kClNone);
  const std::string text = a->GetDataText();
  EXPECT_EQ(SplitCommaText(text).size(), 7u);

  auto b = MakeDataItem<TViewInfo>();
  EXPECT_FALSE(b->Equals(a.get()));
  b->SetDataText(text);
  EXPECT_TRUE(b->Equals(a.get()));
  EXPECT_EQ(b->GetFont().Face, Sj("ＭＳ 明朝"));
  EXPECT_EQ(b->GetLineWidth(), 0.3);
  EXPECT_EQ(b->GetBackColor(), 0xFF00000Du);
  EXPECT_EQ(b->GetLineColor(), kClNone);
}

TEST(ViewInfos, ParsingSendsOneWholeRecordPair) {
  auto info = MakeDataItem<TViewInfo>();
  Recorder rec(info.get());
  info->SetDataText("2,Arial,1,2,clRed,clBlue,clLime");
  EXPECT_EQ(rec.Calls, (Calls{{'g', -1}, {'d', -1}}));
}

TEST(ViewInfos, EmptyFieldsKeepTheirValues) {
  auto info = MakeDataItem<TViewInfo>();
  info->SetDisplayMode(kModeScreenOnly);
  info->SetLineStyle(4);
  info->SetFontSize(20);
  info->SetDataText(",,,,$00123456");
  EXPECT_EQ(info->GetFontColor(), 0x00123456u);
  EXPECT_EQ(info->GetDisplayMode(), 2);
  EXPECT_EQ(info->GetLineStyle(), 4);
  EXPECT_EQ(info->GetFont().Size, 20);
  EXPECT_EQ(info->GetBackColor(), kClWhite);
}

TEST(ViewInfos, FontFieldResetsTheFontUnlessAColourFollows) {
  auto info = MakeDataItem<TViewInfo>();
  info->SetFontStyle(fsBold);
  info->SetFontColor(0x00FF0000);
  info->SetFontSize(30);
  info->SetDataText(",Arial");
  EXPECT_EQ(info->GetFont().Face, "Arial");
  EXPECT_EQ(info->GetFont().Size, 9);
  EXPECT_EQ(info->GetFont().Style, 0);
  EXPECT_EQ(info->GetFontColor(), kClBlack);
  info->SetDataText(",Arial,,,clRed");
  EXPECT_EQ(info->GetFontColor(), 0x000000FFu);
}

TEST(ViewInfos, BadElementTextsNeverFailAndKeepUnparsedFields) {
  struct Case {
    const char* Text;
    int Mode;
    int LineStyle;
    double Width;
    TColor Back;
  };
  // Starting point for each case: mode 2, line style 3, width 1.5, back $00ABCDEF.
  const Case cases[] = {
      {"", 2, 3, 1.5, 0x00ABCDEF},
      {"1", 1, 3, 1.5, 0x00ABCDEF},                                // too few fields
      {"1,,5,0.5,,clBlack,,extra,fields,9", 1, 5, 0.5, kClBlack},  // too many
      {"x,,y,z", 0, 0, 0, 0x00ABCDEF},                             // not numbers give 0
      {"1,,2,3,notacolour,$GG,#fff", 1, 2, 3, 0x00ABCDEF},         // colours that do not read
      {"\"1,,4", 0, 3, 1.5, 0x00ABCDEF},  // unclosed quote: one field "1,,4", no number
      {",,,-7", 2, 3, -7, 0x00ABCDEF},
      {",,,1e300", 2, 3, kMaxLineWidth, 0x00ABCDEF},
      {",,,-1e300", 2, 3, -kMaxLineWidth, 0x00ABCDEF},
      {",,,NAN", 2, 3, 1.5, 0x00ABCDEF},
      {",,,INF", 2, 3, 1.5, 0x00ABCDEF},
      {"99999999999,,-3", 0, -3, 1.5, 0x00ABCDEF},
  };
  for (const auto& c : cases) {
    auto info = MakeDataItem<TViewInfo>();
    info->SetDisplayMode(kModeScreenOnly);
    info->SetLineStyle(3);
    info->SetLineWidth(1.5);
    info->SetBackColor(0x00ABCDEF);
    info->SetDataText(c.Text);
    EXPECT_EQ(info->GetLineStyle(), c.LineStyle) << c.Text;
    EXPECT_EQ(info->GetLineWidth(), c.Width) << c.Text;
    EXPECT_EQ(info->GetBackColor(), c.Back) << c.Text;
    EXPECT_EQ(info->GetDisplayMode(), c.Mode) << c.Text;
  }
}

TEST(ViewInfos, FontSizesFromTextAreLimited) {
  const std::pair<const char*, int> cases[] = {
      {",\"A,-12\"", 9}, {",\"A,0\"", 9}, {",\"A,100000\"", kMaxFontSize}, {",\"A,72\"", 72}};
  for (const auto& [text, size] : cases) {
    auto info = MakeDataItem<TViewInfo>();
    info->SetDataText(text);
    EXPECT_EQ(info->GetFont().Size, size) << text;
  }
}

TEST(ViewInfos, DifferenceFormAlwaysHoldsLineStyleZero) {
  auto info = MakeDataItem<TViewInfo>();
  const TViewInfoDefault& normal = StyleElementDefault(kElemNormal);
  info->LoadDefault(normal);
  EXPECT_TRUE(info->IsDefault(normal));
  const auto fields = SplitCommaText(info->GetDiffText(normal));
  ASSERT_EQ(fields.size(), 7u);
  EXPECT_EQ(fields[0], "");
  EXPECT_EQ(fields[1], "");
  EXPECT_EQ(fields[2], "0");
  EXPECT_EQ(fields[3], "");
  EXPECT_EQ(fields[4], "");
}

TEST(ViewInfos, LoadDefaultAppliesOnlyNonKeepFields) {
  auto info = MakeDataItem<TViewInfo>();
  info->SetLineWidth(7);
  info->LoadDefault(StyleElementDefault(kElemHeading));
  EXPECT_EQ(info->GetFont().Face, Sj("ＭＳ ゴシック"));
  EXPECT_EQ(info->GetFont().Size, 12);
  EXPECT_EQ(info->GetFont().Style, fsBold);
  EXPECT_EQ(info->GetBackColor(), 0x00E0DCDAu);
  EXPECT_EQ(info->GetLineWidth(), 1.0);

  info->LoadDefault(StyleElementDefault(kElemCaret));  // keeps face, size and font colour
  EXPECT_EQ(info->GetFont().Face, Sj("ＭＳ Ｐゴシック"));
  EXPECT_EQ(info->GetFont().Size, 9);
  EXPECT_EQ(info->GetFontColor(), kClBlack);
  EXPECT_EQ(info->GetLineColor(), 0x000000FFu);
  EXPECT_EQ(info->GetDisplayMode(), 0);
}

// Whatever is changed, the default record followed by the difference form
// gives the element back.
TEST(ViewInfos, DifferenceFormReadsBackOverEveryDefaultRecord) {
  using Change = void (*)(TViewInfo&);
  const Change changes[] = {
      [](TViewInfo&) {},
      [](TViewInfo& v) { v.SetDisplayMode(kModeScreenOnly); },
      [](TViewInfo& v) { v.SetDisplayMode(kModeHidden); },
      [](TViewInfo& v) { v.SetFontName(Sj("ＭＳ Ｐゴシック")), v.SetFontSize(9), v.SetFontStyle(0); },
      [](TViewInfo& v) { v.SetFontName("Arial"); },
      [](TViewInfo& v) { v.SetFontSize(30), v.SetFontColor(0x00ABCDEF); },
      [](TViewInfo& v) { v.SetFontStyle(fsItalic); },
      [](TViewInfo& v) { v.SetLineStyle(0), v.SetLineWidth(-1); },
      [](TViewInfo& v) { v.SetLineStyle(4), v.SetLineWidth(0); },
      [](TViewInfo& v) { v.SetLineWidth(1), v.SetLineWidth(-0.0); },  // written and read as "-0"
      [](TViewInfo& v) { v.SetFontColor(kClNone), v.SetBackColor(kClNone), v.SetLineColor(kClNone); },
      [](TViewInfo& v) { v.SetFontColor(kClBlack), v.SetBackColor(kClWhite), v.SetLineColor(0xFF00000E); },
  };
  for (int index : {27, 28, 29, 30, 31, 32, 52, 56, 61, 64, 65, 66, 68, 69, 72, 80}) {
    const TViewInfoDefault& record = StyleElementDefault(index);
    for (size_t c = 0; c < std::size(changes); ++c) {
      auto info = MakeDataItem<TViewInfo>();
      info->LoadDefault(record);
      changes[c](*info);
      auto copy = MakeDataItem<TViewInfo>();
      copy->LoadDefault(record);
      if (!info->IsDefault(record)) copy->SetDataText(info->GetDiffText(record));
      EXPECT_TRUE(copy->Equals(info.get())) << "element " << index << " change " << c << ": "
                                            << info->GetDataText() << " / " << copy->GetDataText();
    }
  }
}

TEST(ViewInfos, AssignCopiesEverything) {
  auto a = MakeDataItem<TViewInfo>();
  a->SetDataText("2,Arial,14,Bold,3,0.5,clRed,clBlue,clLime");
  auto b = MakeDataItem<TViewInfo>();
  Recorder rec(b.get());
  b->Assign(a.get());
  EXPECT_TRUE(b->Equals(a.get()));
  EXPECT_EQ(rec.Calls, (Calls{{'g', -1}, {'d', -1}}));
}

}  // namespace
}  // namespace vorna
