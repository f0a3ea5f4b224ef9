// Line wrapping: plain functions over one CP932 line that compute its indent,
// count the cells its bytes take and cut it into display rows with kinsoku,
// hanging, word wrap and hidden notation. They keep no state; every setting is
// an argument. Positions are 1-based bytes of the line; counts are cells.
#pragma once

#include <string_view>
#include <vector>

#include "layout/LayoutSettings.h"
#include "text/HiddenMasks.h"

namespace vorna {

// Indent of a line under ViewIndent (marks, screenplay) and ItemizedStatement.
TLineIndent GetLineIndent(std::string_view line, const TLayoutSettings& settings);

// Dialogue test: the header occurs and either the footer does not occur or the
// text ends with it. An empty header never occurs.
bool IsSerifuLine(std::string_view text, std::string_view header, std::string_view footer);

// Cells a padded speaker's name takes; SerifuHeader stands in the next one.
constexpr int kSpeakerNameCells = 6;

// The speaker's lines whose name is padded, named by the 1-based byte of
// SerifuHeader in the line (TEditList::SerifuHeaderByte), which tells how
// many full-width characters of name stand before it.
enum TSpeakerHeader : int {
  kSpeakerNoName = 1,       // six cells of padding before the header
  kSpeakerOneCharName = 3,  // two cells on either side of the name
  kSpeakerTwoCharName = 5,  // two cells between the name's characters
};

// Speaker-name padding of a line: kSpeakerNameCells + 1 - the byte of
// SerifuHeader when SerifuNameRestore is on, the line is dialogue and its
// header byte is a TSpeakerHeader (2, 4 or 6 cells); otherwise 0. It widens
// the name before the header to three full-width cells.
int NamePadding(std::string_view line, const TLayoutSettings& settings);

// The hidden-byte mask of `line` under these settings (shown ruby, shown
// annotations, scene-heading mark), from the one-line cache.
const THiddenMask& LineHiddenMask(std::string_view line, const TLayoutSettings& settings);

// Last byte of `line` that fits in `cells` counted from byte `start` with the
// counter starting at `indent`, or length + 1 when the line ends first. Hidden
// bytes take no cells and stay with the visible byte before them; a shown tab
// runs to the next tab stop; the name padding applies when counting from byte 1.
int FitCells(std::string_view line, int start, int cells, const TLayoutSettings& settings, int indent);

// Cell at which byte `byte` of `text` lies when counting from byte `start`
// (the same counting as FitCells). A hidden byte gives the cell of the next
// visible one; length + 1 gives the cell after the last. With beforePadding the
// name padding of that byte itself is not applied.
int CellColumn(std::string_view text, int byte, const TLayoutSettings& settings, int indent,
               bool beforePadding, int start = 1);

// Byte lengths of the rows of `line` (one row of 0 bytes for an empty line).
// They add up to the line's length; a row never splits a double-byte
// character, never ends between a visible byte and the notation hidden after
// it, and always holds at least one character. Capacities 1 to 7 count as 8.
std::vector<int> WrapText(std::string_view line, const TWrapInputs& inputs, const TLayoutSettings& settings,
                          TLineIndent indent);
// The same into `rows` (cleared first), so a caller can reuse its storage.
void WrapText(std::string_view line, const TWrapInputs& inputs, const TLayoutSettings& settings,
              TLineIndent indent, std::vector<int>& rows);

// True when WrapText cuts every line the same under both inputs: the same
// capacity (1 to 7 counting as 8), and without a fixed capacity the same
// measuring inputs, unless neither has a wrap width and nothing wraps.
// Whether the measurer's font changed is not visible here.
bool SameWrapInputs(const TWrapInputs& a, const TWrapInputs& b);

}  // namespace vorna
