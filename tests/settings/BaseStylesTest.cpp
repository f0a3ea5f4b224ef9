// The base style: setters and their rules, element operations, the print
// conversion, saved state, section names, and reading and writing with the
// preset rule and the legacy page division key.
#include "settings/BaseStyles.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "print/PageMetrics.h"
#include "settings/IniStorages.h"

namespace vorna {
namespace {

using testing::Sj;

struct ChangeCounter {
  int Changing = 0;
  int Changed = 0;
  std::vector<int> Kinds;
  explicit ChangeCounter(TDataItem* item) {
    item->OnChanging = [this](TDataItem*, int) { ++Changing; };
    item->OnChange = [this](TDataItem*, int kind) {
      ++Changed;
      Kinds.push_back(kind);
    };
  }
};

TEST(BaseStyles, Defaults) {
  auto style = MakeDataItem<TBaseStyle>();
  EXPECT_EQ(style->GetName(), Sj("標準スタイル"));
  EXPECT_EQ(style->GetDefaultIndex(), -1);
  EXPECT_EQ(style->GetSection(), "Style");
  EXPECT_EQ(style->GetPaperSize(), 9);
  EXPECT_TRUE(style->GetPaperTileVertical());
  EXPECT_EQ(style->GetMarginTop(), 20);
  EXPECT_EQ(style->GetFooterDistanceY(), 15);
  EXPECT_EQ(style->GetFooterStr(), Sj("&b－ &p －&b"));
  EXPECT_EQ(style->GetHintPause(), 500);
  EXPECT_EQ(style->GetRepeatLimit(), 100);
  EXPECT_EQ(style->GetPagesPerSheet(), 1);
  EXPECT_EQ(style->GetViewInfo(26), nullptr);
  EXPECT_EQ(style->GetViewInfo(33), nullptr);
  EXPECT_EQ(style->GetViewInfo(52), nullptr);
  EXPECT_EQ(style->GetViewInfo(kElemPaperDivideLine)->GetLineColor(), 0x00AAAAAAu);
  EXPECT_EQ(style->GetViewInfo(kElemPrintRange)->GetLineStyle(), 5);
  EXPECT_EQ(style->GetViewInfo(kElemHeader)->GetDisplayMode(), 1);
  EXPECT_EQ(style->GetViewInfo(kElemMargin)->GetLineWidth(), 0);
  EXPECT_TRUE(style->Match(Sj("標準スタイル")));
  EXPECT_FALSE(style->Match(Sj("標準")));
  EXPECT_EQ(style->GetDisplayText(), style->GetName());
}

TEST(BaseStyles, PaperSizeRule) {
  auto style = MakeDataItem<TBaseStyle>();
  style->SetPaperSize(256);
  EXPECT_EQ(style->GetPaperWidth(), 100);
  EXPECT_EQ(style->GetPaperHeight(), 148);
  style->SetPaperSize(9);
  EXPECT_EQ(style->GetPaperWidth(), 0);
  EXPECT_EQ(style->GetPaperHeight(), 0);
  style->SetPaperWidth(210);
  style->SetPaperSize(256);  // a given width stays, the missing height is filled
  EXPECT_EQ(style->GetPaperWidth(), 210);
  EXPECT_EQ(style->GetPaperHeight(), 148);
}

TEST(BaseStyles, SettersNotifyOnlyOnChange) {
  auto style = MakeDataItem<TBaseStyle>();
  ChangeCounter counter(style.get());
  style->SetMarginLeft(20);
  style->SetHeaderStr("");
  style->SetPaperSize(9);
  style->SetDefaultIndex(-1);
  EXPECT_EQ(counter.Changed, 0);
  style->SetMarginLeft(21.5);
  style->SetHeaderStr("&p");
  style->SetDefaultIndex(4);
  EXPECT_EQ(counter.Changing, 3);
  EXPECT_EQ(counter.Changed, 3);
  EXPECT_EQ(style->GetDefaultIndex(), 4);
  EXPECT_FALSE(style->GetPresetApplied());
}

TEST(BaseStyles, ElementChangesAreStyleChangesWithTheirKind) {
  auto style = MakeDataItem<TBaseStyle>();
  ChangeCounter counter(style.get());
  style->GetViewInfo(kElemHeader)->SetBackColor(0x123456);
  style->GetViewInfo(kElemFooter)->SetFontSize(20);
  EXPECT_EQ(counter.Kinds, (std::vector<int>{6, 3}));
}

TEST(BaseStyles, ElementOperations) {
  auto style = MakeDataItem<TBaseStyle>();
  style->SetFonts(Sj("@ＭＳ 明朝"), 11);
  for (int i = 27; i <= 32; ++i) {
    EXPECT_EQ(style->GetViewInfo(i)->GetFont().Face, Sj("ＭＳ 明朝")) << i;
    EXPECT_EQ(style->GetViewInfo(i)->GetFont().Size, 11) << i;
  }
  style->SetFonts("Arial", 0);
  EXPECT_EQ(style->GetViewInfo(29)->GetFont().Size, 11);

  style->SetAllColors(2, 0x00010203);
  for (int i = 27; i <= 31; ++i) EXPECT_EQ(style->GetViewInfo(i)->GetLineColor(), 0x00010203u) << i;
  EXPECT_EQ(style->GetViewInfo(32)->GetLineColor(), 0x00F0CAA6u);  // the print range keeps its colour

  style->GetViewInfo(27)->SetLineWidth(2.6);
  style->SetAllLineWidths([](double w) { return w * 10; });
  EXPECT_EQ(style->GetViewInfo(27)->GetLineWidth(), 30);  // rounded before scaling
  EXPECT_EQ(style->GetViewInfo(28)->GetLineWidth(), 0);
}

TEST(BaseStyles, MakePrintableConvertsOnce) {
  // Without a printer the metrics keep the screen resolution set here.
  TPageMetrics PageMetrics;
  PageMetrics.ScreenDpi = 120;
  auto style = MakeDataItem<TBaseStyle>();
  style->GetViewInfo(kElemHeader)->SetFontColor(0x00FF0000);
  style->GetViewInfo(kElemMargin)->SetBackColor(0x00FF0000);
  style->GetViewInfo(kElemPaperDivideLine)->SetLineWidth(3);
  ChangeCounter counter(style.get());
  style->MakePrintable(&PageMetrics, nullptr);
  EXPECT_EQ(counter.Changed, 1);
  EXPECT_TRUE(style->GetPaperVisible());
  EXPECT_EQ(style->GetViewInfo(kElemHeader)->GetFontColor(), kClBlack);
  EXPECT_EQ(style->GetViewInfo(kElemMargin)->GetBackColor(), kClWhite);
  EXPECT_EQ(style->GetViewInfo(kElemPaperDivideLine)->GetLineWidth(), 0.64);  // 3 px at 120 ppi

  // Already printable: nothing changes, not even colours.
  style->GetViewInfo(kElemHeader)->SetFontColor(0x00FF0000);
  style->MakePrintable(&PageMetrics, nullptr);
  EXPECT_EQ(style->GetViewInfo(kElemHeader)->GetFontColor(), 0x00FF0000u);
}

TEST(BaseStyles, PixelConversionFallsBackToA96DpiScreen) {
  EXPECT_EQ(TBaseStyle::PixelsToMillimetres(96, nullptr), 25.4);
  TPageMetrics metrics;
  metrics.ScreenDpi = 0;  // a screen that reported nothing
  EXPECT_EQ(TBaseStyle::PixelsToMillimetres(96, &metrics), 25.4);
  metrics.ScreenDpi = 192;
  EXPECT_EQ(TBaseStyle::PixelsToMillimetres(96, &metrics), 12.7);
}

TEST(BaseStyles, SaveAndRestoreState) {
  auto style = MakeDataItem<TBaseStyle>();
  style->SetStartPageNo(7);
  style->SaveState();
  ASSERT_NE(style->GetSavedStyle(), nullptr);
  style->SetStartPageNo(1);
  style->GetViewInfo(kElemFooter)->SetDisplayMode(kModeHidden);
  style->RestoreState();
  EXPECT_EQ(style->GetStartPageNo(), 7);
  EXPECT_EQ(style->GetViewInfo(kElemFooter)->GetDisplayMode(), 1);
}

TEST(BaseStyles, SectionFollowsTheListIndex) {
  TDataList list(TDataItem::ClassOf<TBaseStyle>);
  list.Add("");
  auto* second = static_cast<TBaseStyle*>(list.Add(Sj("私のスタイル")));
  EXPECT_EQ(static_cast<TBaseStyle*>(list.GetItem(0))->GetSection(), "Style00");
  EXPECT_EQ(second->GetSection(), "Style01");
  EXPECT_EQ(second->GetName(), Sj("私のスタイル"));
}

TEST(BaseStyles, WritesOnlyNameAndIndexWhenDefaultOrPreset) {
  auto style = MakeDataItem<TBaseStyle>();
  TIniStorage ini;
  style->SaveToStorage(ini, "S");
  EXPECT_EQ(ini.ReadSection("S"), (std::vector<std::string>{"Name", "DefaultIndex"}));

  style->SetMarginLeft(3);
  style->SetDefaultIndex(5);
  style->SaveToStorage(ini, "S");
  EXPECT_EQ(ini.ReadSection("S"), (std::vector<std::string>{"Name", "DefaultIndex"}));
}

TEST(BaseStyles, UserStyleRoundTrip) {
  auto style = MakeDataItem<TBaseStyle>();
  style->SetName(Sj("自作"));
  style->SetCategory("c, d");
  style->SetPaperSize(256);
  style->SetOrientation(true);
  style->SetPaperMarginTop(0.1);
  style->SetHeaderStr("  &p  ");
  style->SetFooterStr("");
  style->SetRatioValue(-2);
  style->GetViewInfo(kElemHeader)->SetFontName("Arial");
  style->GetViewInfo(kElemPrintRange)->SetDisplayMode(kModeHidden);
  TIniStorage ini;
  style->SaveToStorage(ini, "User");
  auto copy = MakeDataItem<TBaseStyle>();
  EXPECT_TRUE(copy->LoadFromStorage(ini, "User"));
  EXPECT_TRUE(copy->Equals(style.get()));
  EXPECT_EQ(copy->GetFooterStr(), "");
  EXPECT_EQ(copy->GetPaperHeight(), 148);
  copy->SetStartPageNo(2);
  EXPECT_FALSE(copy->Equals(style.get()));
}

TEST(BaseStyles, PresetIndexStopsReading) {
  TIniStorage ini;
  ini.SetText("[S]\r\nDefaultIndex=3\r\nName=x\r\nPaperSize=5\r\nMarginLeft=1\r\n");
  auto style = MakeDataItem<TBaseStyle>();
  ASSERT_TRUE(style->LoadFromStorage(ini, "S"));
  EXPECT_EQ(style->GetDefaultIndex(), 3);
  EXPECT_EQ(style->GetName(), "x");
  EXPECT_EQ(style->GetPaperSize(), 9);
  EXPECT_EQ(style->GetMarginLeft(), 20);
}

TEST(BaseStyles, LegacyPaperDivide) {
  struct Case {
    int Value;
    bool Orientation;
    int Level, Vertical;
    bool Deleted;
  };
  const Case cases[] = {{9, false, 3, 3, true},  {4, false, 2, 2, true},  {16, true, 4, 4, true},
                        {2, false, 2, 1, true},  {2, true, 1, 2, true},   {3, false, 1, 1, true},
                        {1, false, 1, 1, false}, {-4, false, 1, 1, false}};
  for (const auto& c : cases) {
    TIniStorage ini;
    ini.WriteInteger("S", "PaperDevide", c.Value);
    ini.WriteBool("S", "Orientation", c.Orientation);
    auto style = MakeDataItem<TBaseStyle>();
    ASSERT_TRUE(style->LoadFromStorage(ini, "S"));
    EXPECT_EQ(style->GetPaperLevelDivide(), c.Level) << c.Value;
    EXPECT_EQ(style->GetPaperVerticalDivide(), c.Vertical) << c.Value;
    EXPECT_EQ(ini.ValueExists("S", "PaperDevide"), !c.Deleted) << c.Value;
  }
}

TEST(BaseStyles, UnreadableValuesTakeDefaults) {
  TIniStorage ini;
  ini.SetText(
      "[S]\r\nMarginLeft=NAN\r\nMarginTop=abc\r\nMarginRight=INF\r\nPaperSize=zz\r\nHeader=\"1,,oops\r\n"
      "Footer=9,9,9,9,9,9,9,9,9,9\r\n");
  auto style = MakeDataItem<TBaseStyle>();
  ASSERT_TRUE(style->LoadFromStorage(ini, "S"));
  EXPECT_EQ(style->GetMarginLeft(), 20);
  EXPECT_EQ(style->GetMarginTop(), 20);
  EXPECT_EQ(style->GetMarginRight(), 20);
  EXPECT_EQ(style->GetPaperSize(), 9);
  EXPECT_EQ(style->GetViewInfo(kElemFooter)->GetLineStyle(), 9);
}

TEST(BaseStyles, OutOfRangePresetIndexBuildsNothingAndKeepsName) {
  for (int index : {28, -5}) {
    auto style = MakeDataItem<TBaseStyle>();
    style->SetName("mine");
    style->SetMarginLeft(3);
    style->SetDefaultIndex(index);
    style->ApplyPreset();
    EXPECT_EQ(style->GetName(), "mine") << index;
    EXPECT_EQ(style->GetMarginLeft(), 3) << index;
    EXPECT_FALSE(style->GetPresetApplied()) << index;
    // Such a style is stored in full, like a user-defined one.
    TIniStorage ini;
    style->SaveToStorage(ini, "S");
    auto copy = MakeDataItem<TBaseStyle>();
    ASSERT_TRUE(copy->LoadFromStorage(ini, "S"));
    EXPECT_TRUE(copy->Equals(style.get())) << index;
  }
}

}  // namespace
}  // namespace vorna
