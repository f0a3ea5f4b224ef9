// Defaults and comparison of the document's layout settings.
#include "document/DocumentLayouts.h"

#include "text/Cp932.h"

namespace vorna {

std::vector<std::string> DefaultHeadingStrs() {
  return {Cp932Lit("□"), Cp932Lit("■"), Cp932Lit("○"), Cp932Lit("●"), Cp932Lit("◎"), Cp932Lit("§")};
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
