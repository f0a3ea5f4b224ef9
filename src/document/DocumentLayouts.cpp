// Defaults and comparison of the document's layout settings.
#include "document/DocumentLayouts.h"

#include "settings/EditorStyles.h"
#include "settings/StyleElements.h"
#include "text/Cp932.h"

namespace vorna {

std::vector<std::string> DefaultHeadingStrs() {
  return {Cp932Lit("□"), Cp932Lit("■"), Cp932Lit("○"), Cp932Lit("●"), Cp932Lit("◎"), Cp932Lit("§")};
}

TDocumentLayout LayoutFromStyle(const TEditorStyle& style) {
  TDocumentLayout layout;
  TLayoutSettings& w = layout.Wrap;
  auto visible = [&](int element) {
    const TViewInfo* info = style.GetViewInfo(element);
    return info && info->IsVisible();
  };
  w.ProportionalFont = style.GetProportionalFont();
  w.ColumnCountAuto = style.GetColumnCountAuto();
  w.TailHang = style.GetTailHang();
  w.TailAdjust = style.GetTailAdjust();
  w.WordWrap = style.GetWordWrap();
  w.ViewIndent = style.GetViewIndent();
  w.ViewIndentStr = style.GetViewIndentStr();
  w.ItemizedStatement = style.GetItemizedStatement();
  w.HashiraHeader = style.GetHashiraHeader();
  w.SerifuHeader = style.GetSerifuHeader();
  w.SerifuFooter = style.GetSerifuFooter();
  w.HashiraIndentCount = style.GetHashiraIndentCount();
  w.SerifuIndentCount = style.GetSerifuIndentCount();
  w.TogakiIndentCount = style.GetTogakiIndentCount();
  w.SerifuNameRestore = style.GetSerifuNameRestore();
  w.TabLength = style.GetTabLength();
  w.HangStr = style.GetHangStr();
  w.ProhibitTopStr = style.GetProhibitTopStr();
  w.ProhibitBottomStr = style.GetProhibitBottomStr();
  w.GapLineStyle = style.GetGapLineStyle();
  w.RubiVisible = visible(kElemRubi);
  w.FootNoteVisible = visible(kElemFootNote);
  w.ReturnVisible = visible(kElemReturn);
  w.TabVisible = visible(kElemTab);
  layout.HeadingStrs = style.GetHeadingStrs().GetStrings();
  layout.LineInfoVisible = visible(kElemLineInfo);
  layout.LineInfoStyle = style.GetLineInfoStyle();
  layout.UseZenkaku = style.GetUseZenkaku();
  layout.BotenVisible = visible(kElemBoten);
  layout.ColumnSpace = style.GetColumnSpace();
  layout.ColumnCount = style.GetColumnCount();
  return layout;
}

TEditSettings EditSettingsFromStyle(const TEditorStyle& style) {
  TEditSettings settings;
  const TViewInfo* heading = style.GetViewInfo(kElemHeading);
  settings.EditIndent = style.GetEditIndent();
  settings.HeadingVisible = heading && heading->IsVisible();
  settings.LineCountInPage = style.GetLineCountInPage();
  return settings;
}

bool SameWrapping(const TDocumentLayout& a, const TDocumentLayout& b) {
  const TLayoutSettings& x = a.Wrap;
  const TLayoutSettings& y = b.Wrap;
  return x.ViewIndent == y.ViewIndent && x.ItemizedStatement == y.ItemizedStatement &&
         x.ViewIndentStr == y.ViewIndentStr && x.HashiraHeader == y.HashiraHeader &&
         x.SerifuHeader == y.SerifuHeader && x.SerifuFooter == y.SerifuFooter &&
         x.HashiraIndentCount == y.HashiraIndentCount && x.SerifuIndentCount == y.SerifuIndentCount &&
         x.TogakiIndentCount == y.TogakiIndentCount && x.ProportionalFont == y.ProportionalFont &&
         x.ColumnCountAuto == y.ColumnCountAuto && a.ColumnCount == b.ColumnCount &&
         a.ColumnSpace == b.ColumnSpace && x.TabLength == y.TabLength && x.WordWrap == y.WordWrap &&
         x.TailHang == y.TailHang && x.TailAdjust == y.TailAdjust && x.ReturnVisible == y.ReturnVisible &&
         x.HangStr == y.HangStr && x.ProhibitBottomStr == y.ProhibitBottomStr &&
         x.ProhibitTopStr == y.ProhibitTopStr && x.GapLineStyle == y.GapLineStyle &&
         x.SerifuNameRestore == y.SerifuNameRestore && x.TabVisible == y.TabVisible &&
         x.FootNoteVisible == y.FootNoteVisible && a.BotenVisible == b.BotenVisible &&
         x.RubiVisible == y.RubiVisible;
}

}  // namespace vorna
