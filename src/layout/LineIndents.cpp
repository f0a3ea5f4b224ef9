// Line indents (marks, screenplay, itemised statements), the dialogue test and
// the speaker-name padding.
#include <algorithm>

#include "layout/CellCounting.h"
#include "layout/LineWraps.h"
#include "text/Notations.h"
#include "text/ShiftJis.h"
#include "text/TextUtils.h"

namespace vorna {

namespace {

// Cells of a mark indent: the mark, then the run of half-width spaces or of
// full-width spaces right after it, not counting a space that ends the line.
int MarkIndent(std::string_view line) {
  const size_t size = line.size();
  const size_t mark = IsDoubleByteAt(line, 0) ? 2 : 1;
  size_t i = mark;
  if (i < size && line[i] == ' ') {
    while (i + 1 < size && line[i] == ' ') ++i;
  } else {
    static const std::string& wide = Cp932Lit("　");
    while (i + 2 < size && line.compare(i, 2, wide) == 0) i += 2;
  }
  return static_cast<int>(i);
}

}  // namespace

bool IsSerifuLine(std::string_view text, std::string_view header, std::string_view footer) {
  if (FindMarker(text, header) == 0) return false;
  if (FindMarker(text, footer) == 0) return true;
  if (!text.ends_with(footer)) return false;
  return ByteTypeAt(text, static_cast<int>(text.size() - footer.size()) + 1) != TByteType::Trail;
}

TLineIndent GetLineIndent(std::string_view line, const TLayoutSettings& settings) {
  TLineIndent indent;
  if (settings.ViewIndent == kViewIndentMarks) {
    if (settings.ViewIndentStr.ContainsAt(line, 0)) indent.Cells = MarkIndent(line);
  } else if (settings.ViewIndent == kViewIndentScreenplay) {
    // An empty heading mark would make every line a heading; it never matches.
    const std::string& hashira = settings.HashiraHeader;
    if (!hashira.empty() && line.starts_with(hashira))
      indent.Cells = settings.HashiraIndentCount;
    else if (IsSerifuLine(line, settings.SerifuHeader, settings.SerifuFooter))
      indent.Cells = settings.SerifuIndentCount;
    else
      indent = {settings.TogakiIndentCount, true};
  }
  if (settings.ItemizedStatement && indent.Cells == 0) {
    const int marker = static_cast<int>(ListItemNumber(line).size());
    if (marker > 0) indent = {marker, false};
  }
  indent.Cells = std::max(indent.Cells, 0);
  return indent;
}

int NamePadding(std::string_view line, const TLayoutSettings& settings) {
  if (!settings.SerifuNameRestore || !IsSerifuLine(line, settings.SerifuHeader, settings.SerifuFooter))
    return 0;
  const int header = FindMarker(line, settings.SerifuHeader);
  const bool padded =
      header == kSpeakerNoName || header == kSpeakerOneCharName || header == kSpeakerTwoCharName;
  return padded ? kSpeakerNameCells + 1 - header : 0;
}

const THiddenMask& LineHiddenMask(std::string_view line, const TLayoutSettings& settings) {
  return BuildHiddenMask(line, settings.RubiVisible, settings.FootNoteVisible,
                         settings.GapLineStyle == kGapLineScenes, settings.HashiraHeader);
}

TLineControls layout_detail::FillLineHiddenSpans(THiddenMask& mask, std::string_view line,
                                                 const TLayoutSettings& settings) {
  return FillHiddenSpans(mask, line, settings.RubiVisible, settings.FootNoteVisible,
                         settings.GapLineStyle == kGapLineScenes, settings.HashiraHeader);
}

}  // namespace vorna
