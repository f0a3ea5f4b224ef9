// The text-layout settings the line wrapping reads, handed over in one piece,
// and the small records its functions exchange.
#pragma once

#include <string>

#include "layout/CharSets.h"
#include "settings/StyleKinds.h"
#include "text/Cp932.h"

namespace vorna {

class TTextMeasurer;

// Settings of the editor style used by the wrapping, with the style's
// defaults. The four ...Visible flags are the visibility (display mode 1 or 2)
// of the view elements of the same name.
struct TLayoutSettings {
  bool ProportionalFont = false;
  bool ColumnCountAuto = true;
  bool TailHang = true;
  bool TailAdjust = false;
  bool WordWrap = false;
  int ViewIndent = kViewIndentMarks;  // a TViewIndent
  TCharSet ViewIndentStr{Cp932Lit("※・□■◇◆○●◎§①②③④⑤⑥⑦⑧⑨⑩")};
  bool ItemizedStatement = false;
  std::string HashiraHeader = Cp932Lit("○");
  std::string SerifuHeader = Cp932Lit("「");
  std::string SerifuFooter = Cp932Lit("」");
  int HashiraIndentCount = 4;  // cells
  int SerifuIndentCount = 2;   // cells
  int TogakiIndentCount = 4;   // cells
  bool SerifuNameRestore = false;
  int TabLength = 4;  // cells
  TCharSet HangStr{Cp932Lit(";.､｡、。，．｣」』")};
  TCharSet ProhibitTopStr{Cp932Lit("]}):;?!ﾞﾟ･~・：；？！゛゜‐’”）〕］｝〉》】ｬｭｮゃゅょャュョ")};
  TCharSet ProhibitBottomStr{Cp932Lit("[{(‘“（〔［｛〈《「『【")};
  int GapLineStyle = kGapLineRules;  // a TGapLineStyle; scene separation hides the scene-heading mark
  bool RubiVisible = false;
  bool FootNoteVisible = false;
  bool ReturnVisible = true;
  bool TabVisible = true;
};

// Indent of a line's rows in cells; FirstRow tells that the first row is
// indented too (otherwise only the rows after it are).
struct TLineIndent {
  int Cells = 0;
  bool FirstRow = false;
  bool operator==(const TLineIndent&) const = default;
};

// The measuring inputs of a wrap, set by the page geometry.
struct TWrapInputs {
  int CapacityCells = 0;              // row capacity in cells; 0 = none fixed
  int WrapWidthPx = 0;                // pixels a row may take when measuring
  int ColumnSpacePx = 0;              // pixels added after each byte when measuring
  TTextMeasurer* Measurer = nullptr;  // font used for measuring; not owned
  bool operator==(const TWrapInputs&) const = default;
};

}  // namespace vorna
