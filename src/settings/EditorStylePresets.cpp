// The 28 presets of the editor style: their names, the shared groups and the
// changes of presets 0 to 13 over the defaults, in the order they are listed
// (14 to 27, the divided, letter and later pages: EditorStyleLaterPresets.cpp).
#include "settings/EditorStylePresetParts.h"
#include "settings/EditorStyles.h"
#include "text/Cp932.h"

namespace vorna {

using namespace preset_parts;

namespace {

constexpr std::string_view kPresetNames[kPresetCount] = {
    "標準スタイル",
    "Ａ４縦（横書き）",
    "大学ノート",
    "黒板",
    "原稿用紙",
    "原稿用紙印刷",
    "シナリオ",
    "シナリオ印刷",
    "台本",
    "台本印刷",
    "英文",
    "読書",
    "青空文庫入力校正",
    "シンプル",
    "Ａ４横（横書き二段組）",
    "Ａ４縦（縦書き三段組）",
    "袋とじ（横書き）",
    "袋とじ（縦書き）",
    "便箋（横書き）",
    "便箋（縦書き）",
    "台本印刷（Ａ４袋とじ）",
    "台本印刷（Ａ４４分割）",
    "Ａ４縦４分割",
    "白紙",
    "旧標準スタイル",
    "メモ",
    "メール本文",
    "TAVRINO",
};

}  // namespace

std::string TEditorStyle::PresetName(int index) {
  return IsPresetIndex(index) ? Cp932Lit(kPresetNames[index]) : std::string();
}

void TEditorStyle::BecomeUserStyle() {
  const int index = GetDefaultIndex();
  if (!IsPresetIndex(index)) return;
  BeginUpdate();
  SetDefaultIndex(-1);
  SetName(PresetName(index) + Cp932Lit("（変更）"));
  EndUpdate();
}

void TEditorStyle::SetSizes(int first, int last, int size) {
  for (int i = first; i <= last; ++i) E(i).SetFontSize(size);
}

// V: vertical writing on landscape paper with fixed columns.
void TEditorStyle::GroupV() {
  SetOrientation(true);
  SetMargins(25, 70, 25, 30);
  SetVertical(true);
  SetColumnCountAuto(false);
}

// S: screenplay page layout.
void TEditorStyle::GroupS() {
  SetConnectTatesen(true);
  SetColumnCount(58);
  SetLineCountInPage(17);
  SetViewIndent(kViewIndentScreenplay);
  SetLineInfoStyle(kLineInfoScenes);
  SetGapLineStyle(kGapLineScenes);
}

// T: dialogue and stage-direction indents.
void TEditorStyle::GroupT() {
  SetSerifuIndentCount(8);
  SetTogakiIndentCount(12);
}

// G: gap lines, line numbers and their tail line, vertical rows.
void TEditorStyle::GroupG() {
  E(kElemGapLine).SetDisplayMode(kModeShown);
  E(kElemGapLine).SetLineWidth(-1);
  E(kElemLineInfo).SetDisplayMode(kModeShown);
  E(kElemLineInfoTailLine).SetDisplayMode(kModeShown);
  E(kElemLineInfoTailLine).SetLineWidth(-1);
  E(kElemLineInfoTailLine).SetLineColor(E(kElemGapLine).GetLineColor());
  E(kElemVerticalRow).SetDisplayMode(kModeShown);
}

// F: printing on a folded landscape sheet of two pages.
void TEditorStyle::GroupF() {
  ApplyPrintBase();
  SetOrientation(true);
  SetPaperLevelDivide(2);
}

// E: line colour of the return, tab and end-of-file marks.
void TEditorStyle::GroupE() {
  for (int i : {kElemReturn, kElemTab, kElemEof}) E(i).SetLineColor(0x00997755);
}

void TEditorStyle::BuildPreset(int index) {
  if (!IsPresetIndex(index)) return;
  BeginUpdate();
  BuildPresetChanges(index);
  if (FPaperVisible) SetPaperTileVertical(FOrientation);
  EndUpdate();
}

void TEditorStyle::BuildPresetChanges(int index) {
  switch (index) {
    case 0:  // 標準スタイル: the defaults
      break;

    case 1:  // Ａ４縦（横書き）
      ApplyPrintBase();
      break;

    case 2:  // 大学ノート
      SetProportionalFont(true);
      SetBigCaret(true);
      SetLineSpace(12);
      SetTextLeftMargin(8);
      E(kElemCaret).SetDisplayMode(kModeScreenOnly);
      SetFonts(Face("ＭＳ Ｐ明朝"), 0);
      SetAllColors(kBack, kClWhite);
      E(kElemLineInfo).SetDisplayMode(kModeHidden);
      E(kElemLineInfo).SetFontColor(kClBlack);
      E(kElemHeading).SetFontColor(kClBlack);
      E(kElemGapLine).SetDisplayMode(kModeShown);
      E(kElemGapLine).SetLineColor(0x00EBD7A9);
      E(kElemUnfilled).SetDisplayMode(kModeHidden);
      E(kElemCaretLine).SetDisplayMode(kModeHidden);
      GroupE();
      break;

    case 3:  // 黒板
      E(kElemCaret).SetDisplayMode(kModeScreenOnly);
      SetSizes(kElemNormal, kElemMarkLineInfo, 14);
      SetAllColors(kFont, 0x00F6FFFC);
      SetAllColors(kBack, 0x00335540);
      E(kElemMail).SetFontColor(0x0099FF99);
      E(kElemMail).SetLineColor(0x0099FF99);
      E(kElemUrl).SetFontColor(0x00FF9999);
      E(kElemUrl).SetLineColor(0x00FF9999);
      SetTextLeftMargin(20);
      E(kElemLineInfo).SetDisplayMode(kModeHidden);
      E(kElemCaretLine).SetLineStyle(1);
      E(kElemCaretLine).SetLineColor(0x007799CC);
      E(kElemUnfilled).SetDisplayMode(kModeHidden);
      E(kElemCaret).SetLineColor(0x006688DD);
      break;

    case 4:  // 原稿用紙
      SetOrientation(true);
      SetMargins(25, 20, 25, 20);
      SetHeaderStr("< &p >&b");
      SetFooterStr("");
      SetVertical(true);
      SetFreeCaret(true);
      SetFontSizeAuto(true);
      SetColumnCountAuto(false);
      SetLineCountInPage(20);
      SetColumnCount(40);
      SetLineSpace(20);
      SetColumnSpace(2);
      SetTextLeftMargin(12);
      SetLineInfoStyle(kLineInfoPagesAndRows);
      SetGapLineStyle(kGapLineGrid);
      SetElementVisibility({kElemNormal, kElemSelect, kElemFind, kElemGapLine, kElemEof});
      SetFonts(Face("@ＭＳ 明朝"), 0);
      SetAllColors(kFont, 0x00633F2E);
      SetAllColors(kBack, 0x00FCFCFF);
      E(kElemSelect).SetBackColor(0x009AE4BF);
      E(kElemGapLine).SetLineColor(0x0097D8F0);
      break;

    case 5:  // 原稿用紙印刷
      ApplyPrintBase();
      SetMargins(25, 20, 25, 20);
      SetOrientation(true);
      SetHeaderStr("< &p >&b");
      SetFooterStr("");
      E(kElemHeader).SetFontColor(E(kElemNormal).GetFontColor());
      E(kElemFooter).SetFontColor(E(kElemNormal).GetFontColor());
      SetVertical(true);
      SetFreeCaret(true);
      SetTextLeftMargin(4);
      SetColumnCountAuto(false);
      SetColumnCount(40);
      SetLineSpace(6);
      SetColumnSpace(1);
      SetLineCountInPage(20);
      SetGapLineStyle(kGapLineGrid);
      SetFonts(Face("@ＭＳ 明朝"), 18);
      SetAllColors(kFont, 0x00462C20);
      E(kElemGapLine).SetDisplayMode(kModeShown);
      E(kElemGapLine).SetLineColor(0x0097D8F0);
      E(kElemSelect).SetBackColor(0x009AE4BF);
      break;

    case 6:  // シナリオ
      GroupV();
      SetLineCountInPage(10);
      SetColumnCount(40);
      SetLineSpace(12);
      SetLineInfoStyle(kLineInfoPagesOnly);
      SetViewIndent(kViewIndentScreenplay);
      GetExts().SetCommaText("snr");
      SetConnectTatesen(true);
      SetElementVisibility({kElemNormal, kElemSelect, kElemFind, kElemHeading, kElemUrl, kElemMail,
                            kElemKeyWord, kElemVerticalRow, kElemLineInfo, kElemCaretLineInfo,
                            kElemMarkLineInfo, kElemPageDivideLine, kElemColumnTailLine, kElemReturn,
                            kElemEof});
      SetFonts(Face("@ＭＳ ゴシック"), 14);
      for (int i : {kElemLineInfo, kElemCaretLineInfo, kElemMarkLineInfo}) E(i).SetFontSize(12);
      SetAllColors(kBack, 0x00F8FEFE);
      E(kElemHeading).SetFontColor(0x00554422);
      E(kElemHeading).SetBackColor(0x00E0DDCF);
      E(kElemLineInfo).SetFontColor(0x00E0DDCF);
      E(kElemLineInfo).SetBackColor(0x00735335);
      E(kElemCaretLineInfo).SetFontColor(0x00735335);
      E(kElemCaretLineInfo).SetBackColor(0x00C0FAF7);
      E(kElemMarkLineInfo).SetFontColor(0x00735335);
      E(kElemMarkLineInfo).SetBackColor(0x00DDCFE0);
      E(kElemColumnTailLine).SetLineColor(0x00E0DDCF);
      GroupE();
      E(kElemPaperDivideLine).SetDisplayMode(kModeScreenOnly);
      E(kElemPaperDivideLine).SetLineColor(0x00E0DDCF);
      break;

    case 7:  // シナリオ印刷
      ApplyPrintBase();
      GroupV();
      SetLineInfoVerticalRow(true);
      SetConnectTatesen(true);
      SetViewIndent(kViewIndentScreenplay);
      SetColumnCount(40);
      SetLineSpace(3);
      SetTextLeftMargin(5);
      SetFonts(Face("@ＭＳ 明朝"), 0);
      E(kElemHeading).SetDisplayMode(kModeShown);
      E(kElemHeading).SetFontName(Face("ＭＳ ゴシック"));
      E(kElemHeading).SetFontStyle(E(kElemHeading).GetFont().Style & ~fsBold);
      break;

    case 8:  // 台本
      SetOrientation(true);
      SetMargins(18, 30, 18, 23);
      SetVertical(true);
      SetLineInfoVerticalRow(true);
      SetSerifuNameRestore(true);
      SetColumnCountAuto(false);
      GroupS();
      SetHashiraIndentCount(4);
      GroupT();
      SetTextLeftMargin(8);
      SetFonts(Face("@ＭＳ ゴシック"), 0);
      SetAllColors(kFont, 0x00443333);
      SetAllColors(kBack, 0x00FAF4EA);
      SetAllColors(kLine, 0x00D0C0B0);
      E(kElemCaret).SetDisplayMode(kModeScreenOnly);
      E(kElemCaret).SetLineColor(0x000000FF);
      E(kElemCaretLine).SetDisplayMode(kModeHidden);
      E(kElemHeading).SetFontColor(E(kElemNormal).GetFontColor());
      E(kElemHeading).SetFontStyle(E(kElemHeading).GetFont().Style & ~fsBold);
      E(kElemGapLine).SetDisplayMode(kModeShown);
      E(kElemGapLine).SetLineColor(0x00607080);
      E(kElemLineInfoTailLine).SetDisplayMode(kModeShown);
      E(kElemLineInfoTailLine).SetLineWidth(-1);
      E(kElemLineInfoTailLine).SetLineColor(E(kElemGapLine).GetLineColor());
      E(kElemLineInfo).SetFontName(Face("ＭＳ 明朝"));
      E(kElemLineInfo).SetFontSize(11);
      E(kElemLineInfo).SetFontColor(E(kElemGapLine).GetLineColor());
      E(kElemCaretLineInfo).SetDisplayMode(kModeHidden);
      E(kElemVerticalRow).SetDisplayMode(kModeShown);
      E(kElemUnfilled).SetBackColor(0x00C0D0D9);
      E(kElemPaperDivideLine).SetDisplayMode(kModeScreenOnly);
      E(kElemPaperDivideLine).SetLineColor(E(kElemUnfilled).GetBackColor());
      E(kElemPaperDivideLine).SetLineStyle(2);
      break;

    case 9:  // 台本印刷
      ApplyPrintBase();
      SetPaperSize(kPaperB5);
      SetMargins(18, 83, 18, 23);
      SetHeaderStr("&F&b&b&d");
      E(kElemHeader).SetFontSize(8);
      SetVertical(true);
      SetLineInfoVerticalRow(true);
      SetSerifuNameRestore(true);
      SetBigCaret(true);
      SetColumnCountAuto(false);
      GroupS();
      SetLineSpace(4.2);
      SetHashiraIndentCount(4);
      GroupT();
      SetTextLeftMargin(4.5);
      SetFonts(Face("@ＭＳ 明朝"), 0);
      GroupG();
      break;

    case 10:  // 英文
      SetProportionalFont(true);
      SetWordWrap(true);
      SetAntiArius(2);
      SetTextLeftMargin(8);
      SetFonts("Times New Roman", 0);
      SetAllColors(kFont, 0x00554433);
      SetAllColors(kBack, 0x00FFEEDD);
      E(kElemCaretLine).SetLineStyle(0);
      E(kElemLineInfo).SetFontName("Arial");
      E(kElemLineInfo).SetFontStyle(E(kElemLineInfo).GetFont().Style | fsBold);
      E(kElemLineInfo).SetFontColor(0x00FFFBF8);
      E(kElemLineInfo).SetBackColor(0x00887766);
      E(kElemCaretLineInfo).SetFontName("Arial");
      E(kElemCaretLineInfo).SetFontStyle(E(kElemCaretLineInfo).GetFont().Style | fsBold);
      E(kElemCaretLineInfo).SetFontColor(0x00665588);
      E(kElemCaretLineInfo).SetBackColor(0x00EEDDFF);
      E(kElemMail).SetFontColor(0x00227722);
      E(kElemMail).SetLineColor(0x00227722);
      E(kElemUrl).SetFontColor(0x00772222);
      E(kElemUrl).SetLineColor(0x00772222);
      break;

    case 11:  // 読書
      SetOrientation(true);
      SetVertical(true);
      SetProportionalFont(true);
      SetReadOnly(true);
      SetLineSpace(16);
      SetTextLeftMargin(16);
      SetAntiArius(4);
      SetElementVisibility({kElemNormal, kElemSelect, kElemFind, kElemHeading, kElemUrl, kElemMail,
                            kElemKeyWord, kElemRubi, kElemBoten, kElemFootNote});
      SetFonts(Face("@ＭＳ 明朝"), 0);
      for (int i : {kElemVerticalRow, kElemHeader, kElemFooter}) E(i).SetFontName(Face("ＭＳ 明朝"));
      SetAllColors(kFont, kClBlack);
      SetAllColors(kBack, 0x00ECFFFE);
      for (int i = kElemNormal; i <= kElemMarkLineInfo; ++i) {
        E(i).SetFontSize(16);
        E(i).SetFontStyle(E(i).GetFont().Style | fsBold);
      }
      for (int i = kEditorElementFirst; i <= kEditorElementLast; ++i) E(i).SetLineStyle(0);
      E(kElemRubi).SetFontSize(9);
      E(kElemRubi).SetFontStyle(E(kElemRubi).GetFont().Style | fsBold);
      E(kElemFind).SetFontColor(E(kElemFind).GetLineColor());
      E(kElemFind).SetFontStyle(E(kElemFind).GetFont().Style | fsBold);
      E(kElemFootNoteMark).SetFontSize(11);
      E(kElemBoten).SetLineStyle(1);
      break;

    case 12:  // 青空文庫入力校正
      SetOrientation(true);
      SetVertical(true);
      SetLineSpace(16);
      SetColumnSpace(3);
      SetLineInfoStyle(kLineInfoPagesAndRows);
      SetLineCountInPage(20);
      SetTextLeftMargin(12);
      SetViewIndent(kViewIndentNone);
      SetGapLineStyle(kGapLineGrid);
      SetElementVisibility({kElemNormal, kElemSelect, kElemFind, kElemUrl, kElemMail, kElemKeyWord,
                            kElemVerticalRow, kElemLineInfo, kElemCaretLineInfo, kElemMarkLineInfo, kElemRubi,
                            kElemBoten, kElemFootNote, kElemFootNoteMark, kElemGapLine, kElemReturn,
                            kElemEof});
      SetFonts(Face("@ＭＳ ゴシック"), 16);
      for (int i : {kElemCaretLineInfo, kElemMarkLineInfo, kElemLineInfo}) E(i).SetFontSize(11);
      SetAllColors(kBack, 0x00F3FAF8);
      E(kElemUrl).SetLineStyle(0);
      E(kElemMail).SetLineStyle(0);
      E(kElemLineInfo).SetBackColor(0x0066BFA7);
      E(kElemCaretLineInfo).SetBackColor(0x00388772);
      E(kElemMarkLineInfo).SetBackColor(0x005B417C);
      E(kElemFootNoteMark).SetFontColor(0x000000FF);
      E(kElemFootNote).SetFontColor(0x00FFFFFF);
      E(kElemFootNote).SetBackColor(0x006051B5);
      E(kElemGapLine).SetLineColor(0x00C8DDD2);
      break;

    case 13:  // シンプル
      GetExts().SetCommaText("html,htm,ues,ucl");
      SetColumnCountAuto(false);
      SetTailHang(false);
      SetViewIndent(kViewIndentNone);
      SetLineSpace(6);
      SetElementVisibility({kElemNormal, kElemSelect, kElemLineInfo, kElemMarkLineInfo, kElemLineInfoTailLine,
                            kElemZenkakuSpace, kElemHankakuSpace, kElemReturn, kElemTab, kElemEof});
      SetAllColors(kFont, 0x00DDDDDD);
      SetAllColors(kBack, kClBlack);
      SetAllColors(kLine, 0x0099B699);
      E(kElemLineInfo).SetFontColor(0x0099B699);
      E(kElemMarkLineInfo).SetFontColor(0x00444833);
      E(kElemMarkLineInfo).SetBackColor(0x00889966);
      E(kElemSelect).SetFontColor(0x00DDDDDD);
      E(kElemSelect).SetBackColor(0x00337755);
      E(kElemHankakuSpace).SetLineColor(0x00445544);
      E(kElemZenkakuSpace).SetLineColor(0x00445544);
      break;

    default:
      BuildLaterPresetChanges(index);
      break;
  }
}

}  // namespace vorna
