// The editor style's presets 14 to 27: divided pages, letter paper, blank,
// the old standard, memo, mail and the last one, as changes over the defaults.
#include "settings/EditorStylePresetParts.h"
#include "settings/EditorStyles.h"

namespace vorna {

using namespace preset_parts;

void TEditorStyle::BuildLaterPresetChanges(int index) {
  switch (index) {
    case 14:  // Ａ４横（横書き二段組）
      ApplyPrintBase();
      SetOrientation(true);
      SetFooterDistanceY(7);
      SetPartationCount(2);
      break;

    case 15:  // Ａ４縦（縦書き三段組）
      ApplyPrintBase();
      SetVertical(true);
      SetPartationCount(3);
      SetPartationMargin(6);
      E(kElemPartationDivideLine).SetDisplayMode(kModeShown);
      SetFonts(Face("@ＭＳ ゴシック"), 0);
      break;

    case 16:  // 袋とじ（横書き）
      GroupF();
      SetFooterDistanceY(7);
      SetFooterStr("&e&b&b&o");
      break;

    case 17:  // 袋とじ（縦書き）
      GroupF();
      SetFooterDistanceY(7);
      SetFooterStr("&o&b&b&e");
      SetVertical(true);
      SetFonts(Face("@ＭＳ ゴシック"), 0);
      break;

    case 18:  // 便箋（横書き）
      ApplyPrintBase();
      SetPaperSize(kPaperB5);
      SetProportionalFont(true);
      SetColumnSpace(0.3);
      SetLineSpace(4);
      SetTextLeftMargin(3);
      E(kElemGapLine).SetDisplayMode(kModeShown);
      E(kElemGapLine).SetLineWidth(-1);
      E(kElemGapLine).SetLineColor(0x00ACD9BD);
      E(kElemRubi).SetDisplayMode(kModeShown);
      SetHeaderStr("&b&b< &p >");
      SetFooterStr("");
      SetFonts(Face("ＭＳ Ｐ明朝"), 0);
      E(kElemHeader).SetFontSize(8);
      E(kElemFooter).SetFontSize(8);
      break;

    case 19:  // 便箋（縦書き）
      ApplyPrintBase();
      SetOrientation(true);
      SetPaperSize(kPaperB5);
      SetMarginLeft(25);
      SetMarginRight(25);
      SetFooterDistanceX(7);
      SetFooterDistanceY(7);
      SetFooterStr("< &p >&b");
      SetProportionalFont(true);
      SetVertical(true);
      SetAntiArius(2);
      SetLineSpace(4);
      SetTextLeftMargin(3);
      E(kElemGapLine).SetDisplayMode(kModeShown);
      E(kElemGapLine).SetLineColor(0x00ACD9BD);
      SetFonts(Face("@ＭＳ Ｐ明朝"), 0);
      break;

    case 20:  // 台本印刷（Ａ４袋とじ）
      GroupF();
      SetPaperMarginLeft(15);
      SetPaperMarginRight(15);
      SetMargins(8, 45, 8, 20);
      SetFooterDistanceY(10);
      SetHeaderStr("&F&b&b&d");
      SetVertical(true);
      SetLineInfoVerticalRow(true);
      SetSerifuNameRestore(true);
      SetBigCaret(true);
      SetColumnCountAuto(false);
      GroupS();
      SetLineSpace(3);
      GroupT();
      SetTextLeftMargin(4.5);
      SetFonts(Face("@ＭＳ 明朝"), 11);
      E(kElemHeader).SetDisplayMode(kModeHidden);
      E(kElemHeader).SetFontSize(8);
      E(kElemFooter).SetFontName(Face("ＭＳ 明朝"));
      E(kElemFooter).SetFontSize(8);
      E(kElemPaperDivideLine).SetDisplayMode(kModeHidden);
      GroupG();
      break;

    case 21:  // 台本印刷（Ａ４４分割）
      ApplyPrintBase();
      SetPaperLevelDivide(2);
      SetPaperVerticalDivide(2);
      SetMargins(7, 27, 7, 15);
      SetFooterDistanceY(6);
      SetHeaderStr("&F &d");
      SetVertical(true);
      SetLineInfoVerticalRow(true);
      SetSerifuNameRestore(true);
      SetBigCaret(true);
      SetColumnCountAuto(false);
      GroupS();
      GroupT();
      SetLineSpace(2.2);
      SetTextLeftMargin(2);
      SetFonts(Face("@ＭＳ 明朝"), 9);
      E(kElemHeader).SetFontSize(6);
      E(kElemFooter).SetFontSize(6);
      GroupG();
      break;

    case 22:  // Ａ４縦４分割
      ApplyPrintBase();
      SetPaperLevelDivide(2);
      SetPaperVerticalDivide(2);
      SetMargins(7, 7, 7, 10);
      SetFooterDistanceY(7);
      SetLineSpace(1);
      SetFonts(Face("ＭＳ Ｐゴシック"), 8);
      break;

    case 23:  // 白紙
      for (int i : {kElemCaretLine, kElemLineInfo, kElemReturn, kElemEof}) E(i).SetDisplayMode(kModeHidden);
      SetTextLeftMargin(8);
      SetAllColors(kFont, kClBlack);
      SetAllColors(kBack, kClWhite);
      SetAllColors(kLine, kClBlack);
      E(kElemSelect).SetBackColor(0x008DC5F1);
      break;

    case 24:  // 旧標準スタイル
      SetEofOverUnfilled(true);
      SetAllColors(kFont, kClBlack);
      SetAllColors(kBack, 0x00FCFFFA);
      E(kElemLineInfo).SetFontColor(kClWhite);
      E(kElemLineInfo).SetBackColor(0x00997755);
      E(kElemCaretLine).SetLineColor(0x004499CC);
      E(kElemCaretLineInfo).SetFontColor(kClWhite);
      E(kElemCaretLineInfo).SetBackColor(0x004499CC);
      E(kElemHeading).SetBackColor(0x00558866);
      E(kElemHeading).SetFontColor(kClWhite);
      E(kElemUnfilled).SetBackColor(0x00AACCBB);
      GroupE();
      break;

    case 25:  // メモ: system colours stay symbolic until painting
      SetVScrollBarVisible(false);
      SetHScrollBarVisible(false);
      SetTailHang(false);
      SetBorderMargin(3);
      SetTextLeftMargin(0);
      SetViewIndent(kViewIndentNone);
      SetLineSpace(4);
      SetAllColors(kBack, SystemColor(kColorWindow));
      for (int i = kEditorElementFirst; i <= kEditorElementLast; ++i) {
        TViewInfo& element = E(i);
        element.SetDisplayMode(i == kElemNormal   ? kModeShown
                               : i == kElemSelect ? kModeScreenOnly
                                                  : kModeHidden);
        element.SetFontSize(9);
        element.SetFontStyle(element.GetFont().Style & ~(fsBold | fsItalic));
        element.SetFontColor(kClBlack);
      }
      E(kElemSelect).SetFontColor(SystemColor(kColorHighlightText));
      E(kElemSelect).SetBackColor(SystemColor(kColorHighlight));
      break;

    case 26:  // メール本文
      SetReadOnly(true);
      SetLineSpace(6);
      SetTextLeftMargin(8);
      GetHeadingStrs().SetStrings({"> "});
      SetFonts(Face("ＭＳ ゴシック"), 9);
      SetAllColors(kBack, 0x00FCFDFF);
      E(kElemLineInfo).SetDisplayMode(kModeHidden);
      E(kElemLineInfo).SetFontColor(kClBlack);
      E(kElemHeading).SetFontColor(0x00666033);
      E(kElemHeading).SetFontStyle(E(kElemHeading).GetFont().Style & ~fsBold);
      E(kElemFind).SetLineStyle(0);
      E(kElemFind).SetBackColor(0x00BBAADD);
      E(kElemGapLine).SetDisplayMode(kModeShown);
      E(kElemGapLine).SetLineColor(0x00EEEEEE);
      for (int i : {kElemUnfilled, kElemCaretLine, kElemReturn, kElemEof}) E(i).SetDisplayMode(kModeHidden);
      break;

    case 27:  // TAVRINO
      SetVertical(true);
      SetLineInfoVerticalRow(true);
      SetLineInfoFillZero(true);
      SetColumnCountAuto(false);
      SetTailHang(false);
      SetWordWrap(false);
      SetColumnCount(24);
      SetViewIndent(kViewIndentNone);
      SetLineInfoStartLineNo(5);
      SetLineInfoInterval(5);
      SetLineSpace(7);
      SetColumnSpace(2);
      SetTextLeftMargin(15);
      SetAllColors(kBack, kClWhite);
      for (int i = kElemNormal; i <= kElemMarkLineInfo; ++i) {
        E(i).SetFontSize(11);
        E(i).SetFontColor(kClBlack);
      }
      for (int i : {kElemCaretLine, kElemHeading, kElemCaretLineInfo}) E(i).SetDisplayMode(kModeHidden);
      E(kElemLineInfo).SetFontName(Face("ＭＳ Ｐ明朝"));
      E(kElemLineInfo).SetFontSize(11);
      E(kElemLineInfo).SetFontStyle(E(kElemLineInfo).GetFont().Style | fsBold);
      E(kElemReturn).SetLineColor(0x00C0C0C0);
      E(kElemEof).SetLineColor(0x00C0C0C0);
      break;

    default:
      break;
  }
}

}  // namespace vorna
