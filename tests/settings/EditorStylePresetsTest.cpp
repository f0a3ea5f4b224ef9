// The 28 presets: one row per preset checks the settings its changes set;
// every preset survives a save as a user-defined style and a load, and keeps
// the paper tiling rule.
#include <gtest/gtest.h>

#include <functional>

#include "TestSupport.h"
#include "settings/EditorStyles.h"
#include "settings/IniStorages.h"

namespace vorna {
namespace {

using testing::Sj;

TDataItemPtr<TEditorStyle> Preset(int index) {
  auto style = MakeDataItem<TEditorStyle>();
  style->SetDefaultIndex(index);
  style->ApplyPreset();
  return style;
}

struct Row {
  int Index;
  const char* Name;
  std::function<void(const TEditorStyle&)> Check;
};

// Shorthands for the checks.
const TViewInfo& V(const TEditorStyle& s, int i) { return *s.GetViewInfo(i); }
int Mode(const TEditorStyle& s, int i) { return V(s, i).GetDisplayMode(); }
TColor FontC(const TEditorStyle& s, int i) { return V(s, i).GetFontColor(); }
TColor BackC(const TEditorStyle& s, int i) { return V(s, i).GetBackColor(); }
TColor LineC(const TEditorStyle& s, int i) { return V(s, i).GetLineColor(); }
const std::string& FaceOf(const TEditorStyle& s, int i) { return V(s, i).GetFont().Face; }
int SizeOf(const TEditorStyle& s, int i) { return V(s, i).GetFont().Size; }
bool Bold(const TEditorStyle& s, int i) { return (V(s, i).GetFont().Style & fsBold) != 0; }

void ExpectPrintBase(const TEditorStyle& s) {
  EXPECT_TRUE(s.GetPaperVisible());
  EXPECT_TRUE(s.GetPageRoll());
  EXPECT_EQ(Mode(s, kElemHeader), 1);
  EXPECT_EQ(Mode(s, kElemSelect), 2);
  EXPECT_EQ(LineC(s, kElemCaret), kClBlack);
  EXPECT_EQ(V(s, kElemFind).GetLineWidth(), 1);
}

void ExpectV(const TEditorStyle& s) {
  EXPECT_TRUE(s.GetOrientation());
  EXPECT_EQ(s.GetMarginTop(), 70);
  EXPECT_EQ(s.GetMarginBottom(), 30);
  EXPECT_TRUE(s.GetVertical());
  EXPECT_FALSE(s.GetColumnCountAuto());
}

void ExpectS(const TEditorStyle& s) {
  EXPECT_TRUE(s.GetConnectTatesen());
  EXPECT_EQ(s.GetColumnCount(), 58);
  EXPECT_EQ(s.GetLineCountInPage(), 17);
  EXPECT_EQ(s.GetViewIndent(), 2);
  EXPECT_EQ(s.GetLineInfoStyle(), 4);
  EXPECT_EQ(s.GetGapLineStyle(), 2);
}

void ExpectT(const TEditorStyle& s) {
  EXPECT_EQ(s.GetSerifuIndentCount(), 8);
  EXPECT_EQ(s.GetTogakiIndentCount(), 12);
}

void ExpectG(const TEditorStyle& s) {
  EXPECT_EQ(Mode(s, kElemGapLine), 1);
  EXPECT_EQ(V(s, kElemGapLine).GetLineWidth(), -1);
  EXPECT_EQ(Mode(s, kElemLineInfo), 1);
  EXPECT_EQ(Mode(s, kElemLineInfoTailLine), 1);
  EXPECT_EQ(LineC(s, kElemLineInfoTailLine), LineC(s, kElemGapLine));
  EXPECT_EQ(Mode(s, kElemVerticalRow), 1);
}

void ExpectE(const TEditorStyle& s) {
  for (int i : {kElemReturn, kElemTab, kElemEof}) EXPECT_EQ(LineC(s, i), 0x00997755u) << i;
}

const Row kRows[] = {
    {0, "標準スタイル",
     [](const TEditorStyle& s) {
       auto defaults = MakeDataItem<TEditorStyle>();
       defaults->SetName(s.GetName());
       defaults->SetDefaultIndex(0);
       EXPECT_TRUE(s.Equals(defaults.get()));
     }},
    {1, "Ａ４縦（横書き）",
     [](const TEditorStyle& s) {
       ExpectPrintBase(s);
       EXPECT_EQ(s.GetLineSpace(), 2.5);
       EXPECT_FALSE(s.GetPaperTileVertical());
     }},
    {2, "大学ノート",
     [](const TEditorStyle& s) {
       EXPECT_TRUE(s.GetProportionalFont() && s.GetBigCaret());
       EXPECT_EQ(s.GetLineSpace(), 12);
       EXPECT_EQ(Mode(s, kElemCaret), 2);
       EXPECT_EQ(FaceOf(s, kElemRubi), Sj("ＭＳ Ｐ明朝"));
       EXPECT_EQ(SizeOf(s, kElemNormal), 12);
       EXPECT_EQ(BackC(s, kElemNormal), kClWhite);
       EXPECT_EQ(Mode(s, kElemLineInfo), 0);
       EXPECT_EQ(FontC(s, kElemHeading), kClBlack);
       EXPECT_EQ(LineC(s, kElemGapLine), 0x00EBD7A9u);
       EXPECT_EQ(Mode(s, kElemUnfilled), 0);
       EXPECT_EQ(Mode(s, kElemCaretLine), 0);
       ExpectE(s);
     }},
    {3, "黒板",
     [](const TEditorStyle& s) {
       EXPECT_EQ(SizeOf(s, kElemMarkLineInfo), 14);
       EXPECT_EQ(SizeOf(s, kElemRubi), 8);
       EXPECT_EQ(FontC(s, kElemNormal), 0x00F6FFFCu);
       EXPECT_EQ(BackC(s, kElemUnfilled), 0x00335540u);
       EXPECT_EQ(FontC(s, kElemMail), 0x0099FF99u);
       EXPECT_EQ(LineC(s, kElemUrl), 0x00FF9999u);
       EXPECT_EQ(s.GetTextLeftMargin(), 20);
       EXPECT_EQ(V(s, kElemCaretLine).GetLineStyle(), 1);
       EXPECT_EQ(LineC(s, kElemCaretLine), 0x007799CCu);
       EXPECT_EQ(Mode(s, kElemCaret), 2);
       EXPECT_EQ(LineC(s, kElemCaret), 0x006688DDu);
     }},
    {4, "原稿用紙",
     [](const TEditorStyle& s) {
       EXPECT_FALSE(s.GetPaperVisible());
       EXPECT_EQ(s.GetMarginTop(), 20);
       EXPECT_EQ(s.GetHeaderStr(), "< &p >&b");
       EXPECT_EQ(s.GetFooterStr(), "");
       EXPECT_TRUE(s.GetVertical() && s.GetFreeCaret() && s.GetFontSizeAuto());
       EXPECT_EQ(s.GetColumnCount(), 40);
       EXPECT_EQ(s.GetLineCountInPage(), 20);
       EXPECT_EQ(s.GetColumnSpace(), 2);
       EXPECT_EQ(Mode(s, kElemSelect), 2);
       EXPECT_EQ(Mode(s, kElemGapLine), 1);
       EXPECT_EQ(Mode(s, kElemLineInfo), 0);
       EXPECT_EQ(FaceOf(s, kElemNormal), Sj("@ＭＳ 明朝"));
       EXPECT_EQ(FontC(s, kElemNormal), 0x00633F2Eu);
       EXPECT_EQ(BackC(s, kElemSelect), 0x009AE4BFu);
       EXPECT_EQ(LineC(s, kElemGapLine), 0x0097D8F0u);
       // Without paper the tiling follows the vertical writing.
       EXPECT_FALSE(s.GetPaperTileVertical());
       EXPECT_TRUE(s.GetPaperTileHReverse());
     }},
    {5, "原稿用紙印刷",
     [](const TEditorStyle& s) {
       ExpectPrintBase(s);
       EXPECT_TRUE(s.GetOrientation());
       EXPECT_TRUE(s.GetPaperTileVertical());
       EXPECT_EQ(s.GetLineSpace(), 6);
       EXPECT_EQ(s.GetTextLeftMargin(), 4);
       EXPECT_EQ(SizeOf(s, kElemNormal), 18);
       EXPECT_EQ(FontC(s, kElemNormal), 0x00462C20u);
       // The header took the normal colour before the later colour change.
       EXPECT_EQ(FontC(s, kElemHeader), 0x00462C20u);
       EXPECT_EQ(Mode(s, kElemGapLine), 1);
     }},
    {6, "シナリオ",
     [](const TEditorStyle& s) {
       ExpectV(s);
       EXPECT_EQ(s.GetLineCountInPage(), 10);
       EXPECT_EQ(s.GetLineInfoStyle(), 3);
       EXPECT_EQ(s.GetExts().GetCommaText(), "snr");
       EXPECT_EQ(Mode(s, kElemUrl), 1);
       EXPECT_EQ(Mode(s, kElemMail), 1);
       EXPECT_EQ(Mode(s, kElemCaretLine), 0);
       EXPECT_EQ(SizeOf(s, kElemNormal), 14);
       EXPECT_EQ(SizeOf(s, kElemLineInfo), 12);
       EXPECT_EQ(BackC(s, kElemNormal), 0x00F8FEFEu);
       EXPECT_EQ(BackC(s, kElemMarkLineInfo), 0x00DDCFE0u);
       ExpectE(s);
       EXPECT_EQ(LineC(s, kElemPaperDivideLine), 0x00E0DDCFu);
     }},
    {7, "シナリオ印刷",
     [](const TEditorStyle& s) {
       ExpectPrintBase(s);
       ExpectV(s);
       EXPECT_TRUE(s.GetLineInfoVerticalRow());
       EXPECT_EQ(s.GetLineSpace(), 3);
       EXPECT_EQ(s.GetTextLeftMargin(), 5);
       EXPECT_EQ(Mode(s, kElemHeading), 1);
       EXPECT_EQ(FaceOf(s, kElemHeading), Sj("ＭＳ ゴシック"));
       EXPECT_FALSE(Bold(s, kElemHeading));
       EXPECT_EQ(FaceOf(s, kElemNormal), Sj("@ＭＳ 明朝"));
     }},
    {8, "台本",
     [](const TEditorStyle& s) {
       EXPECT_EQ(s.GetMarginLeft(), 18);
       EXPECT_EQ(s.GetMarginBottom(), 23);
       EXPECT_TRUE(s.GetSerifuNameRestore());
       ExpectS(s);
       ExpectT(s);
       EXPECT_EQ(BackC(s, kElemNormal), 0x00FAF4EAu);
       EXPECT_EQ(LineC(s, kElemCaret), 0x000000FFu);
       EXPECT_EQ(FontC(s, kElemHeading), 0x00443333u);
       EXPECT_FALSE(Bold(s, kElemHeading));
       EXPECT_EQ(LineC(s, kElemLineInfoTailLine), 0x00607080u);
       EXPECT_EQ(FaceOf(s, kElemLineInfo), Sj("ＭＳ 明朝"));
       EXPECT_EQ(SizeOf(s, kElemLineInfo), 11);
       EXPECT_EQ(FontC(s, kElemLineInfo), 0x00607080u);
       EXPECT_EQ(Mode(s, kElemCaretLineInfo), 0);
       EXPECT_EQ(LineC(s, kElemPaperDivideLine), 0x00C0D0D9u);
       EXPECT_EQ(V(s, kElemPaperDivideLine).GetLineStyle(), 2);
     }},
    {9, "台本印刷",
     [](const TEditorStyle& s) {
       ExpectPrintBase(s);
       EXPECT_EQ(s.GetPaperSize(), 13);
       EXPECT_EQ(s.GetMarginTop(), 83);
       EXPECT_EQ(s.GetHeaderStr(), "&F&b&b&d");
       EXPECT_EQ(SizeOf(s, kElemHeader), 8);
       EXPECT_TRUE(s.GetBigCaret());
       ExpectS(s);
       ExpectT(s);
       EXPECT_EQ(s.GetLineSpace(), 4.2);
       EXPECT_EQ(s.GetTextLeftMargin(), 4.5);
       ExpectG(s);
     }},
    {10, "英文",
     [](const TEditorStyle& s) {
       EXPECT_TRUE(s.GetWordWrap() && s.GetProportionalFont());
       EXPECT_EQ(s.GetAntiArius(), 2);
       EXPECT_EQ(FaceOf(s, kElemNormal), "Times New Roman");
       EXPECT_EQ(BackC(s, kElemNormal), 0x00FFEEDDu);
       EXPECT_EQ(V(s, kElemCaretLine).GetLineStyle(), 0);
       EXPECT_EQ(FaceOf(s, kElemLineInfo), "Arial");
       EXPECT_TRUE(Bold(s, kElemCaretLineInfo));
       EXPECT_EQ(BackC(s, kElemCaretLineInfo), 0x00EEDDFFu);
       EXPECT_EQ(LineC(s, kElemUrl), 0x00772222u);
     }},
    {11, "読書",
     [](const TEditorStyle& s) {
       EXPECT_TRUE(s.GetReadOnly() && s.GetVertical() && s.GetOrientation());
       EXPECT_EQ(s.GetAntiArius(), 4);
       EXPECT_EQ(Mode(s, kElemFootNote), 1);
       EXPECT_EQ(Mode(s, kElemFootNoteMark), 0);
       EXPECT_EQ(FaceOf(s, kElemVerticalRow), Sj("ＭＳ 明朝"));
       EXPECT_EQ(FaceOf(s, kElemHeader), Sj("ＭＳ 明朝"));
       EXPECT_EQ(BackC(s, kElemNormal), 0x00ECFFFEu);
       EXPECT_EQ(SizeOf(s, kElemNormal), 16);
       EXPECT_TRUE(Bold(s, kElemNormal));
       EXPECT_EQ(V(s, kElemUrl).GetLineStyle(), 0);
       EXPECT_EQ(SizeOf(s, kElemRubi), 9);
       EXPECT_TRUE(Bold(s, kElemRubi));
       EXPECT_EQ(FontC(s, kElemFind), 0x00775599u);
       EXPECT_EQ(SizeOf(s, kElemFootNoteMark), 11);
       EXPECT_EQ(V(s, kElemBoten).GetLineStyle(), 1);
     }},
    {12, "青空文庫入力校正",
     [](const TEditorStyle& s) {
       EXPECT_EQ(s.GetColumnSpace(), 3);
       EXPECT_EQ(s.GetViewIndent(), 0);
       EXPECT_EQ(Mode(s, kElemFootNoteMark), 1);
       EXPECT_EQ(Mode(s, kElemTab), 0);
       EXPECT_EQ(SizeOf(s, kElemNormal), 16);
       EXPECT_EQ(SizeOf(s, kElemLineInfo), 11);
       EXPECT_EQ(V(s, kElemMail).GetLineStyle(), 0);
       EXPECT_EQ(BackC(s, kElemCaretLineInfo), 0x00388772u);
       EXPECT_EQ(FontC(s, kElemFootNote), 0x00FFFFFFu);
       EXPECT_EQ(BackC(s, kElemFootNote), 0x006051B5u);
       EXPECT_EQ(LineC(s, kElemGapLine), 0x00C8DDD2u);
     }},
    {13, "シンプル",
     [](const TEditorStyle& s) {
       EXPECT_EQ(s.GetExts().GetCount(), 4);
       EXPECT_FALSE(s.GetTailHang());
       EXPECT_EQ(s.GetLineSpace(), 6);
       EXPECT_EQ(Mode(s, kElemHankakuSpace), 1);
       EXPECT_EQ(BackC(s, kElemNormal), kClBlack);
       EXPECT_EQ(LineC(s, kElemReturn), 0x0099B699u);
       EXPECT_EQ(FontC(s, kElemLineInfo), 0x0099B699u);
       EXPECT_EQ(BackC(s, kElemSelect), 0x00337755u);
       EXPECT_EQ(LineC(s, kElemZenkakuSpace), 0x00445544u);
     }},
    {14, "Ａ４横（横書き二段組）",
     [](const TEditorStyle& s) {
       ExpectPrintBase(s);
       EXPECT_TRUE(s.GetOrientation());
       EXPECT_TRUE(s.GetPaperTileVertical());  // landscape sheets stack top to bottom
       EXPECT_EQ(s.GetFooterDistanceY(), 7);
       EXPECT_EQ(s.GetPartationCount(), 2);
     }},
    {15, "Ａ４縦（縦書き三段組）",
     [](const TEditorStyle& s) {
       ExpectPrintBase(s);
       EXPECT_TRUE(s.GetVertical());
       EXPECT_EQ(s.GetPartationCount(), 3);
       EXPECT_EQ(s.GetPartationMargin(), 6);
       EXPECT_EQ(Mode(s, kElemPartationDivideLine), 1);
       EXPECT_EQ(FaceOf(s, kElemNormal), Sj("@ＭＳ ゴシック"));
     }},
    {16, "袋とじ（横書き）",
     [](const TEditorStyle& s) {
       ExpectPrintBase(s);
       EXPECT_EQ(s.GetPaperLevelDivide(), 2);
       EXPECT_EQ(s.GetFooterStr(), "&e&b&b&o");
     }},
    {17, "袋とじ（縦書き）",
     [](const TEditorStyle& s) {
       EXPECT_EQ(s.GetPagesPerSheet(), 2);
       EXPECT_EQ(s.GetFooterStr(), "&o&b&b&e");
       EXPECT_TRUE(s.GetVertical());
     }},
    {18, "便箋（横書き）",
     [](const TEditorStyle& s) {
       ExpectPrintBase(s);
       EXPECT_EQ(s.GetPaperSize(), 13);
       EXPECT_EQ(s.GetColumnSpace(), 0.3);
       EXPECT_EQ(V(s, kElemGapLine).GetLineWidth(), -1);
       EXPECT_EQ(LineC(s, kElemGapLine), 0x00ACD9BDu);
       EXPECT_EQ(Mode(s, kElemRubi), 1);
       EXPECT_EQ(s.GetHeaderStr(), "&b&b< &p >");
       EXPECT_EQ(FaceOf(s, kElemNormal), Sj("ＭＳ Ｐ明朝"));
       EXPECT_EQ(SizeOf(s, kElemFooter), 8);
     }},
    {19, "便箋（縦書き）",
     [](const TEditorStyle& s) {
       EXPECT_EQ(s.GetMarginRight(), 25);
       EXPECT_EQ(s.GetMarginTop(), 20);
       EXPECT_EQ(s.GetFooterDistanceX(), 7);
       EXPECT_EQ(s.GetFooterStr(), "< &p >&b");
       EXPECT_EQ(s.GetAntiArius(), 2);
       EXPECT_EQ(FaceOf(s, kElemNormal), Sj("@ＭＳ Ｐ明朝"));
       EXPECT_TRUE(s.GetPaperTileVertical());
     }},
    {20, "台本印刷（Ａ４袋とじ）",
     [](const TEditorStyle& s) {
       EXPECT_EQ(s.GetPaperLevelDivide(), 2);
       EXPECT_EQ(s.GetPaperMarginRight(), 15);
       EXPECT_EQ(s.GetMarginTop(), 45);
       EXPECT_EQ(s.GetFooterDistanceY(), 10);
       ExpectS(s);
       ExpectT(s);
       EXPECT_EQ(SizeOf(s, kElemNormal), 11);
       EXPECT_EQ(Mode(s, kElemHeader), 0);
       EXPECT_EQ(FaceOf(s, kElemFooter), Sj("ＭＳ 明朝"));
       EXPECT_EQ(Mode(s, kElemPaperDivideLine), 0);
       ExpectG(s);
     }},
    {21, "台本印刷（Ａ４４分割）",
     [](const TEditorStyle& s) {
       EXPECT_EQ(s.GetPagesPerSheet(), 4);
       EXPECT_EQ(s.GetHeaderStr(), "&F &d");
       EXPECT_EQ(s.GetLineSpace(), 2.2);
       EXPECT_EQ(SizeOf(s, kElemNormal), 9);
       EXPECT_EQ(SizeOf(s, kElemHeader), 6);
       ExpectG(s);
     }},
    {22, "Ａ４縦４分割",
     [](const TEditorStyle& s) {
       EXPECT_EQ(s.GetPagesPerSheet(), 4);
       EXPECT_EQ(s.GetMarginBottom(), 10);
       EXPECT_EQ(s.GetLineSpace(), 1);
       EXPECT_EQ(SizeOf(s, kElemNormal), 8);
       EXPECT_EQ(FaceOf(s, kElemNormal), Sj("ＭＳ Ｐゴシック"));
     }},
    {23, "白紙",
     [](const TEditorStyle& s) {
       EXPECT_EQ(Mode(s, kElemLineInfo), 0);
       EXPECT_EQ(FontC(s, kElemNormal), kClBlack);
       EXPECT_EQ(BackC(s, kElemCaretLineInfo), kClWhite);
       EXPECT_EQ(LineC(s, kElemCaretLine), kClBlack);
       EXPECT_EQ(BackC(s, kElemSelect), 0x008DC5F1u);
     }},
    {24, "旧標準スタイル",
     [](const TEditorStyle& s) {
       EXPECT_TRUE(s.GetEofOverUnfilled());
       EXPECT_EQ(BackC(s, kElemNormal), 0x00FCFFFAu);
       EXPECT_EQ(FontC(s, kElemLineInfo), kClWhite);
       EXPECT_EQ(BackC(s, kElemHeading), 0x00558866u);
       EXPECT_EQ(BackC(s, kElemUnfilled), 0x00AACCBBu);
       ExpectE(s);
     }},
    {25, "メモ",
     [](const TEditorStyle& s) {
       EXPECT_FALSE(s.GetVScrollBarVisible() || s.GetHScrollBarVisible() || s.GetTailHang());
       EXPECT_EQ(s.GetBorderMargin(), 3);
       EXPECT_EQ(BackC(s, kElemNormal), 0xFF000005u);  // symbolic window colour
       EXPECT_EQ(Mode(s, kElemHeading), 0);
       EXPECT_EQ(SizeOf(s, kElemHeading), 9);
       EXPECT_FALSE(Bold(s, kElemHeading));
       EXPECT_EQ(FontC(s, kElemUrl), kClBlack);
       EXPECT_EQ(FontC(s, kElemSelect), 0xFF00000Eu);
       EXPECT_EQ(BackC(s, kElemSelect), 0xFF00000Du);
     }},
    {26, "メール本文",
     [](const TEditorStyle& s) {
       EXPECT_TRUE(s.GetReadOnly());
       EXPECT_EQ(s.GetHeadingStrs().GetStrings(), std::vector<std::string>{"> "});
       EXPECT_EQ(SizeOf(s, kElemNormal), 9);
       EXPECT_EQ(FontC(s, kElemHeading), 0x00666033u);
       EXPECT_FALSE(Bold(s, kElemHeading));
       EXPECT_EQ(V(s, kElemFind).GetLineStyle(), 0);
       EXPECT_EQ(BackC(s, kElemFind), 0x00BBAADDu);
       EXPECT_EQ(Mode(s, kElemEof), 0);
     }},
    {27, "TAVRINO",
     [](const TEditorStyle& s) {
       EXPECT_TRUE(s.GetLineInfoFillZero());
       EXPECT_EQ(s.GetColumnCount(), 24);
       EXPECT_EQ(s.GetLineInfoStartLineNo(), 5);
       EXPECT_EQ(s.GetLineInfoInterval(), 5);
       EXPECT_EQ(s.GetTextLeftMargin(), 15);
       EXPECT_EQ(SizeOf(s, kElemCaretLine), 11);
       EXPECT_EQ(FontC(s, kElemUrl), kClBlack);
       EXPECT_EQ(Mode(s, kElemHeading), 0);
       EXPECT_EQ(FaceOf(s, kElemLineInfo), Sj("ＭＳ Ｐ明朝"));
       EXPECT_TRUE(Bold(s, kElemLineInfo));
       EXPECT_EQ(LineC(s, kElemEof), 0x00C0C0C0u);
     }},
};

static_assert(std::size(kRows) == kPresetCount);

class EditorStylePresets : public ::testing::TestWithParam<Row> {};

TEST_P(EditorStylePresets, BuildsItsRow) {
  const Row& row = GetParam();
  auto style = Preset(row.Index);
  EXPECT_TRUE(style->GetPresetApplied());
  EXPECT_EQ(style->GetName(), Sj(row.Name));
  row.Check(*style);
  if (style->GetPaperVisible()) {
    EXPECT_EQ(style->GetPaperTileVertical(), style->GetOrientation());
  }
}

TEST_P(EditorStylePresets, SavedAsUserStyleLoadsBackEqual) {
  auto style = Preset(GetParam().Index);
  style->SetDefaultIndex(-1);
  TIniStorage ini;
  style->SaveToStorage(ini, "User");
  TIniStorage reread;
  reread.SetText(ini.GetText());  // through the file text
  auto copy = MakeDataItem<TEditorStyle>();
  ASSERT_TRUE(copy->LoadFromStorage(reread, "User"));
  EXPECT_TRUE(copy->Equals(style.get()));
  for (int i : {27, 28, 29, 30, 31, 32})
    EXPECT_EQ(V(*copy, i).GetDataText(), V(*style, i).GetDataText()) << i;
  for (int i = kEditorElementFirst; i <= kEditorElementLast; ++i)
    EXPECT_EQ(V(*copy, i).GetDataText(), V(*style, i).GetDataText()) << i;
}

INSTANTIATE_TEST_SUITE_P(All, EditorStylePresets, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                           return "Preset" + std::to_string(info.param.Index);
                         });

}  // namespace
}  // namespace vorna
