// The editor style: defaults and their byte lengths, the tiling rule, linked
// lists, element operations, the print conversion and the preset rules of
// reading and selection.
#include "settings/EditorStyles.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "print/PageMetrics.h"
#include "settings/IniStorages.h"

namespace vorna {
namespace {

using testing::Sj;

TEST(EditorStyles, DefaultStringsHaveTheirByteLengths) {
  auto style = MakeDataItem<TEditorStyle>();
  EXPECT_EQ(style->GetViewIndentStr().size(), 40u);
  EXPECT_EQ(style->GetHangStr().size(), 17u);
  EXPECT_EQ(style->GetProhibitTopStr().size(), 60u);
  EXPECT_EQ(style->GetProhibitBottomStr().size(), 25u);
  EXPECT_EQ(style->GetQuote().size(), 1u);
  EXPECT_EQ(style->GetHashiraHeader(), Sj("○"));
  EXPECT_EQ(style->GetSerifuHeader(), Sj("「"));
  EXPECT_EQ(style->GetSerifuFooter(), Sj("」"));
  // Half-width katakana stay single bytes.
  EXPECT_NE(style->GetProhibitTopStr().find("\xDE\xDF\xA5~"), std::string::npos);
  EXPECT_EQ(style->GetHeadingStrs().GetStrings(),
            (std::vector<std::string>{Sj("□"), Sj("■"), Sj("○"), Sj("●"), Sj("◎"), Sj("§")}));
  EXPECT_EQ(style->GetExts().GetCount(), 0);
  EXPECT_FALSE(style->GetPaperTileVertical());
  EXPECT_TRUE(style->GetColumnCountAuto());
  EXPECT_EQ(style->GetLineSpace(), 10);
  EXPECT_EQ(style->GetViewInfo(kElemNormal)->GetFont().Face, Sj("ＭＳ ゴシック"));
  EXPECT_EQ(style->GetViewInfo(kElemHeading)->GetFont().Style, fsBold);
  EXPECT_EQ(style->GetViewInfo(kElemMaxPageDivideLine)->GetLineWidth(), 2);
  EXPECT_EQ(style->GetViewInfo(kElemPrintRange)->GetLineStyle(), 5);
  EXPECT_EQ(style->GetViewInfo(81), nullptr);
  EXPECT_EQ(style->GetViewInfo(51), nullptr);
}

TEST(EditorStyles, TilingFollowsTheWritingDirectionWithoutPaper) {
  auto style = MakeDataItem<TEditorStyle>();
  style->SetVertical(true);
  EXPECT_FALSE(style->GetPaperTileVertical());
  EXPECT_TRUE(style->GetPaperTileHReverse());
  style->SetVertical(false);
  EXPECT_TRUE(style->GetPaperTileVertical());
  EXPECT_FALSE(style->GetPaperTileHReverse());

  style->SetPaperVisible(true);
  style->SetPaperTileVertical(false);
  style->SetVertical(true);  // in paper mode the tiling is the user's
  EXPECT_FALSE(style->GetPaperTileVertical());
  EXPECT_FALSE(style->GetPaperTileHReverse());

  // Vertical writing with paper switched on and a portrait preset applied.
  style->SetDefaultIndex(1);
  style->ApplyPreset();
  EXPECT_TRUE(style->GetPaperVisible());
  EXPECT_TRUE(!style->GetOrientation() && !style->GetPaperTileVertical());
}

TEST(EditorStyles, EditingAListIsAChangeOfTheStyle) {
  auto style = MakeDataItem<TEditorStyle>();
  int changed = 0;
  style->OnChange = [&](TDataItem*, int kind) {
    ++changed;
    EXPECT_EQ(kind, -1);
  };
  style->GetKeyWordStrs().Add("TODO");
  style->GetExts().SetCommaText("txt,snr");
  EXPECT_EQ(changed, 2);
}

TEST(EditorStyles, ElementOperations) {
  auto style = MakeDataItem<TEditorStyle>();
  style->SetFonts(Sj("@ＭＳ 明朝"), 15);
  for (int i = kElemNormal; i <= kElemRubi; ++i)
    EXPECT_EQ(style->GetViewInfo(i)->GetFont().Face, Sj("@ＭＳ 明朝")) << i;
  EXPECT_EQ(style->GetViewInfo(kElemMarkLineInfo)->GetFont().Size, 15);
  EXPECT_EQ(style->GetViewInfo(kElemRubi)->GetFont().Size, 8);
  EXPECT_EQ(style->GetViewInfo(kElemBoten)->GetFont().Face, Sj("ＭＳ 明朝"));
  EXPECT_EQ(style->GetViewInfo(kElemHeader)->GetFont().Face, Sj("ＭＳ Ｐゴシック"));

  style->SetAllColors(1, 0x00010101);
  for (int i : {27, 31, 52, 53, 55, 65, 67, 80})
    EXPECT_EQ(style->GetViewInfo(i)->GetBackColor(), 0x00010101u) << i;
  EXPECT_EQ(style->GetViewInfo(kElemSelect)->GetBackColor(), 0x008DC5F1u);
  EXPECT_EQ(style->GetViewInfo(kElemFootNote)->GetBackColor(), 0x00EAE5D8u);
  EXPECT_EQ(style->GetViewInfo(kElemPrintRange)->GetBackColor(), kClWhite);

  style->GetViewInfo(kElemFind)->SetLineWidth(2.4);
  style->GetViewInfo(kElemPaperDivideLine)->SetLineWidth(2.4);
  style->SetAllLineWidths([](double w) { return w / 2; });
  EXPECT_DOUBLE_EQ(style->GetViewInfo(kElemFind)->GetLineWidth(), 1.2);
  EXPECT_DOUBLE_EQ(style->GetViewInfo(kElemPaperDivideLine)->GetLineWidth(), 1.0);
}

TEST(EditorStyles, ElementVisibilitySet) {
  auto style = MakeDataItem<TEditorStyle>();
  style->SetElementVisibility({kElemNormal, kElemSelect, kElemEof});
  for (int i = kEditorElementFirst; i <= kEditorElementLast; ++i) {
    const int expected = i == kElemNormal || i == kElemEof ? 1 : i == kElemSelect ? 2 : 0;
    EXPECT_EQ(style->GetViewInfo(i)->GetDisplayMode(), expected) << i;
  }
}

TEST(EditorStyles, PrintBase) {
  auto style = MakeDataItem<TEditorStyle>();
  style->ApplyPrintBase();
  EXPECT_TRUE(style->GetPaperVisible());
  EXPECT_TRUE(style->GetPageRoll());
  EXPECT_EQ(style->GetLineSpace(), 2.5);
  EXPECT_EQ(style->GetTextLeftMargin(), 0);
  const std::pair<int, int> modes[] = {{27, 2}, {28, 2}, {29, 1}, {30, 1}, {31, 2}, {32, 2}, {52, 1},
                                       {53, 0}, {54, 2}, {55, 2}, {56, 0}, {59, 1}, {68, 0}, {80, 0}};
  for (const auto& [index, mode] : modes)
    EXPECT_EQ(style->GetViewInfo(index)->GetDisplayMode(), mode) << index;
  EXPECT_DOUBLE_EQ(style->GetViewInfo(kElemNormal)->GetLineWidth(), 0.3);
  EXPECT_DOUBLE_EQ(style->GetViewInfo(kElemMaxPageDivideLine)->GetLineWidth(), 0.6);
  EXPECT_EQ(style->GetViewInfo(kElemFind)->GetLineWidth(), 1);
  EXPECT_EQ(style->GetViewInfo(kElemFind)->GetLineColor(), 0x00775599u);
  EXPECT_EQ(style->GetViewInfo(kElemUrl)->GetFontColor(), kClBlack);
  EXPECT_EQ(style->GetViewInfo(kElemCaret)->GetLineColor(), kClBlack);
  EXPECT_EQ(style->GetViewInfo(kElemPaperMargin)->GetLineColor(), kClBlack);
  EXPECT_EQ(style->GetViewInfo(kElemPaperDivideLine)->GetLineColor(), 0x00AAAAAAu);
  EXPECT_EQ(style->GetViewInfo(kElemNormal)->GetBackColor(), kClWhite);
  EXPECT_EQ(style->GetViewInfo(kElemSelect)->GetBackColor(), 0x008DC5F1u);
}

TEST(EditorStyles, MakePrintableConvertsLengthsOnlyFromScreenMode) {
  TPageMetrics PageMetrics;
  PageMetrics.ScreenDpi = 96;
  auto screen = MakeDataItem<TEditorStyle>();
  screen->MakePrintable(&PageMetrics, nullptr);
  EXPECT_TRUE(screen->GetPaperVisible());
  EXPECT_EQ(screen->GetLineSpace(), 2.65);
  EXPECT_EQ(screen->GetTextLeftMargin(), 2.12);
  EXPECT_EQ(screen->GetPartationMargin(), 3.18);
  EXPECT_EQ(screen->GetViewInfo(kElemNormal)->GetLineWidth(), 0.26);
  EXPECT_EQ(screen->GetViewInfo(kElemNormal)->GetFontColor(), kClBlack);

  auto paper = MakeDataItem<TEditorStyle>();
  paper->SetPaperVisible(true);
  paper->SetAntiArius(4);
  paper->GetViewInfo(kElemNormal)->SetFontColor(0x00FF0000);
  paper->MakePrintable(&PageMetrics, nullptr);
  EXPECT_EQ(paper->GetLineSpace(), 10);
  EXPECT_EQ(paper->GetAntiArius(), 1);
  EXPECT_EQ(paper->GetViewInfo(kElemNormal)->GetFontColor(), 0x00FF0000u);
  for (auto* style : {screen.get(), paper.get()}) {
    for (int i : {kElemCaretLine, kElemCaretLineInfo, kElemReturn, kElemTab, kElemEof})
      EXPECT_EQ(style->GetViewInfo(i)->GetDisplayMode(), -1) << i;
    EXPECT_EQ(style->GetViewInfo(kElemSelect)->GetDisplayMode(), 2);
  }
}

// Printing and showing the paper must turn the very same lengths, or a
// length would print in the wrong unit.
TEST(EditorStyles, ThePrintConversionTurnsTheLengthsShowingThePaperTurns) {
  const auto screenStyle = [] {
    auto style = MakeDataItem<TEditorStyle>();
    style->SetPaperVisible(false);
    style->SetLineSpace(96);
    style->SetColumnSpace(3);
    style->SetTextLeftMargin(17);
    style->SetTextRightMargin(29);
    style->SetPartationMargin(48);
    for (int i : {kElemPaperMargin, kElemPrintRange, kElemNormal, kElemGapLine, kElemEof})
      style->GetViewInfo(i)->SetLineWidth(i % 5 + 2);
    return style;
  };
  auto printed = screenStyle();
  auto shown = screenStyle();
  EXPECT_FALSE(printed->LengthsInMillimetres());
  printed->MakePrintable(nullptr, nullptr);
  shown->ShowPaper(true);
  EXPECT_TRUE(printed->LengthsInMillimetres());
  EXPECT_EQ(printed->GetLineSpace(), shown->GetLineSpace());
  EXPECT_EQ(printed->GetColumnSpace(), shown->GetColumnSpace());
  EXPECT_EQ(printed->GetTextLeftMargin(), shown->GetTextLeftMargin());
  EXPECT_EQ(printed->GetTextRightMargin(), shown->GetTextRightMargin());
  EXPECT_EQ(printed->GetPartationMargin(), shown->GetPartationMargin());
  EXPECT_EQ(printed->GetTextRightMargin(), 7.67);
  for (int i = kBaseElementFirst; i <= kEditorElementLast; ++i) {
    if (!IsBaseElement(i) && !IsEditorElement(i)) continue;
    EXPECT_EQ(printed->GetViewInfo(i)->GetLineWidth(), shown->GetViewInfo(i)->GetLineWidth()) << i;
  }
}

TEST(EditorStyles, SavedStateIsAnEditorStyle) {
  auto style = MakeDataItem<TEditorStyle>();
  style->GetHeadingStrs().SetCommaText("#");
  style->SetVertical(true);
  style->SaveState();
  ASSERT_NE(dynamic_cast<TEditorStyle*>(style->GetSavedStyle()), nullptr);
  style->SetDefaultIndex(11);
  style->ApplyPreset();
  style->RestoreState();
  EXPECT_EQ(style->GetHeadingStrs().GetCommaText(), "#");
  EXPECT_TRUE(style->Equals(style->GetSavedStyle()));
}

TEST(EditorStyles, StoredPresetIndexReadsAsThatPreset) {
  TIniStorage ini;
  ini.SetText(
      "[Style]\r\nDefaultIndex=3\r\nName=x\r\nPaperSize=5\r\nVertical=1\r\nLineSpace=99\r\n"
      "Normal=0,Arial,5,5,clRed\r\nExts=a,b\r\n");
  auto style = MakeDataItem<TEditorStyle>();
  ASSERT_TRUE(style->LoadFromStorage(ini, ""));
  style->ApplyPreset();
  auto preset = MakeDataItem<TEditorStyle>();
  preset->SetDefaultIndex(3);
  preset->ApplyPreset();
  EXPECT_TRUE(style->Equals(preset.get()));
  EXPECT_EQ(style->GetName(), Sj("黒板"));
  EXPECT_EQ(style->GetPaperSize(), 9);
}

TEST(EditorStyles, ReloadingTheSamePresetBuildsItAgain) {
  auto style = MakeDataItem<TEditorStyle>();
  style->SetDefaultIndex(3);
  style->ApplyPreset();
  TIniStorage ini;
  style->SaveToStorage(ini, "S");
  ASSERT_TRUE(style->LoadFromStorage(ini, "S"));  // resets to defaults first
  style->ApplyPreset();
  auto preset = MakeDataItem<TEditorStyle>();
  preset->SetDefaultIndex(3);
  preset->ApplyPreset();
  EXPECT_TRUE(style->Equals(preset.get()));
}

TEST(EditorStyles, SelectingAPresetNotifiesOnce) {
  for (int index = 0; index < kPresetCount; ++index) {
    auto style = MakeDataItem<TEditorStyle>();
    int changing = 0, changed = 0, updates = 0;
    style->OnChanging = [&](TDataItem*, int) { ++changing; };
    style->OnChange = [&](TDataItem*, int) { ++changed; };
    style->OnUpdate = [&](TDataItem*) { ++updates; };
    style->BeginChange();
    style->SetDefaultIndex(index);
    style->ApplyPreset();
    style->EndChange();
    EXPECT_EQ(changing, 1) << index;
    EXPECT_EQ(changed, 1) << index;
    EXPECT_EQ(updates, 1) << index;

    changing = changed = 0;
    style->SetDefaultIndex(-1);
    style->SetDefaultIndex(index);
    changing = changed = 0;
    style->ApplyPreset();  // the control's sequence: index set, then applied
    EXPECT_EQ(changing, 1) << index;
    EXPECT_EQ(changed, 1) << index;
    style->ApplyPreset();  // applied already
    EXPECT_EQ(changed, 1) << index;
  }
}

TEST(EditorStyles, StoredCountsAndLengthsAreLimited) {
  TIniStorage ini;
  ini.SetText(
      "[S]\r\nPaperLevelDivide=0\r\nPaperVerticalDivide=100000\r\nPartationCount=-3\r\nAntiArius=4000\r\n"
      "LineInfoInterval=0\r\nTabLength=-1\r\nLineSpace=1e300\r\nMarginTop=-1e300\r\nColumnCount=-5\r\n");
  auto style = MakeDataItem<TEditorStyle>();
  ASSERT_TRUE(style->LoadFromStorage(ini, "S"));
  EXPECT_EQ(style->GetPaperLevelDivide(), 1);
  EXPECT_EQ(style->GetPaperVerticalDivide(), 100);
  EXPECT_EQ(style->GetPartationCount(), 1);
  EXPECT_EQ(style->GetAntiArius(), 16);
  EXPECT_EQ(style->GetLineInfoInterval(), 1);
  EXPECT_EQ(style->GetTabLength(), 1);
  EXPECT_EQ(style->GetLineSpace(), kMaxStoredLength);
  EXPECT_EQ(style->GetMarginTop(), -kMaxStoredLength);
  EXPECT_EQ(style->GetColumnCount(), -5);  // not a divisor: kept for the layout to judge
}

TEST(EditorStyles, PresetNames) {
  EXPECT_EQ(TEditorStyle::PresetName(0), Sj("標準スタイル"));
  EXPECT_EQ(TEditorStyle::PresetName(27), "TAVRINO");
  EXPECT_EQ(TEditorStyle::PresetName(28), "");
  EXPECT_EQ(TEditorStyle::PresetName(-1), "");
  auto style = MakeDataItem<TEditorStyle>();
  style->SetName("keep");
  style->SetPresetName(28);
  style->BuildPreset(28);
  style->SetPresetName(-5);
  EXPECT_EQ(style->GetName(), "keep");
  style->SetDefaultIndex(28);
  style->ApplyPreset();
  EXPECT_EQ(style->GetName(), "keep");
}

TEST(EditorStyles, ValuesSetFromOutsideAreLimitedAsStoredOnesAre) {
  EXPECT_EQ(TEditorStyle::LimitInteger("ColumnCount", 10000), 1000);
  EXPECT_EQ(TEditorStyle::LimitInteger("ColumnCount", 40), 40);
  EXPECT_EQ(TEditorStyle::LimitInteger("LineCountInPage", 5000), 1000);
  EXPECT_EQ(TEditorStyle::LimitInteger("PartationCount", 0), 1);
  EXPECT_EQ(TEditorStyle::LimitInteger("PaperLevelDivide", 500), 100);  // a base-style key
  EXPECT_EQ(TEditorStyle::LimitInteger("NoSuchKey", -7), -7);
  EXPECT_EQ(TEditorStyle::LimitFloat("LineSpace", 1e9), kMaxStoredLength);
  EXPECT_EQ(TEditorStyle::LimitFloat("MarginTop", std::nan("")), 20);  // the default
  TIniStorage ini;
  ini.SetText("[S]\r\nColumnCount=10000\r\nLineCountInPage=10000\r\n");
  auto style = MakeDataItem<TEditorStyle>();
  ASSERT_TRUE(style->LoadFromStorage(ini, "S"));
  EXPECT_EQ(style->GetColumnCount(), 1000);
  EXPECT_EQ(style->GetLineCountInPage(), 1000);
}

}  // namespace
// Showing the paper from the window or the format dialog: the spacing in
// pixels became millimetres unchanged (20 px of line space, 20 mm on paper),
// so the text shrank to nothing.
TEST(EditorStyles, ShowingThePaperTurnsLengthsIntoMillimetresAndBack) {
  auto style = MakeDataItem<TEditorStyle>();
  style->SetPaperVisible(false);
  style->SetLineSpace(96);
  style->SetColumnSpace(2);
  style->SetPartationMargin(48);
  int changes = 0;
  style->OnChange = [&](TDataItem*, int) { ++changes; };
  style->ShowPaper(true);
  EXPECT_TRUE(style->GetPaperVisible());
  EXPECT_DOUBLE_EQ(style->GetLineSpace(), 25.4);
  EXPECT_DOUBLE_EQ(style->GetColumnSpace(), 0.53);
  EXPECT_DOUBLE_EQ(style->GetPartationMargin(), 12.7);
  EXPECT_EQ(changes, 1);
  style->ShowPaper(true);  // already shown: nothing
  EXPECT_DOUBLE_EQ(style->GetLineSpace(), 25.4);
  style->ShowPaper(false);
  EXPECT_FALSE(style->GetPaperVisible());
  EXPECT_NEAR(style->GetLineSpace(), 96, 0.02);
  EXPECT_NEAR(style->GetPartationMargin(), 48, 0.02);
}

}  // namespace vorna
