// The document's own copy of the settings that shape its rows: the wrapping
// settings plus the heading marks and scene numbering the row table reads.
#pragma once

#include <string>
#include <vector>

#include "document/EditSettings.h"
#include "layout/LayoutSettings.h"
#include "settings/StyleKinds.h"

namespace vorna {

class TEditorStyle;

// The default heading marks: "□", "■", "○", "●", "◎", "§".
std::vector<std::string> DefaultHeadingStrs();

struct TDocumentLayout {
  TLayoutSettings Wrap;
  std::vector<std::string> HeadingStrs = DefaultHeadingStrs();  // lines starting with one of these
  bool LineInfoVisible = false;                                 // the line-number column is shown
  int LineInfoStyle = kLineInfoRows;                            // a TLineInfoStyle
  bool UseZenkaku = false;                                      // pairs of padding spaces become one "　"
  bool BotenVisible = false;                                    // emphasis marks shown
  double ColumnSpace = 0;  // extra space between characters (a length that follows the paper)
  int ColumnCount = 0;     // the style's row capacity in cells (0 = none)

  // Scene numbers are counted on heading rows.
  bool ScenesNumbered() const { return LineInfoVisible && LineInfoStyle == kLineInfoScenes; }
};

// The document layout settings that `style` gives.
TDocumentLayout LayoutFromStyle(const TEditorStyle& style);

// The editing settings that `style` gives.
TEditSettings EditSettingsFromStyle(const TEditorStyle& style);

// True when the two differ in no setting that changes where rows end (the
// heading marks and scene numbering are not among them).
bool SameWrapping(const TDocumentLayout& a, const TDocumentLayout& b);

}  // namespace vorna
