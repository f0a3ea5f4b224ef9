// The counts of a document a writer asks for (characters with and without
// spaces, lines, paragraphs, rubies, and the rows and pages of a fixed page
// rule, the 400-character manuscript by default), kept line by line and
// following every change of the lines at the cost of the changed lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include <vector>

#include "document/BlockedSequences.h"
#include "document/LineObservers.h"
#include "document/TextPositions.h"
#include "layout/LayoutSettings.h"

namespace vorna {

class TEditList;
class TEditorStyle;

// How lines are cut into rows and rows gathered into pages, for a style whose
// rows depend on no font: a fixed capacity (ColumnCountAuto off, no
// proportional font) and a fixed number of rows per page (LineCountInPage).
struct TPageRule {
  TLayoutSettings Wrap;    // the wrapping settings of the style
  int CapacityCells = 40;  // cells a row holds before hanging
  int RowsPerPage = 20;    // rows per page over all its partitions
};

// The rule of `style`: its wrapping, ColumnCount as the capacity (at least 1)
// and LineCountInPage x PartationCount rows per page (each at least 1), as
// the view pages a style that shows paper.
TPageRule PageRuleFromStyle(const TEditorStyle& style);

// The preset of the 400-character manuscript sheet: 20 x 20 full-width cells.
constexpr int kManuscriptPreset = 4;
// Makes `style` the manuscript preset with the Rubi and FootNote elements
// shown, so ruby and annotation notation take no cells.
void MakeManuscriptStyle(TEditorStyle& style);
// The rule of that style: 40 cells (20 full-width characters) a row with
// kinsoku and hanging, every line starting a new row, 20 rows a page.
const TPageRule& ManuscriptPageRule();

// The counts of one line. Characters are what is shown: the bytes of ruby
// ("｜", "《…》") and annotation ("［＃…］") notation are never counted,
// whatever the rule shows; a double-byte character counts once.
struct TLineCounts {
  int Characters = 0;  // visible characters other than spaces and tabs
  int Spaces = 0;      // visible half-width and full-width spaces and tabs
  int Rows = 1;        // rows under the page rule (an empty line takes one)
  int Rubies = 0;      // readings that ParseRubies finds
  bool operator==(const TLineCounts&) const = default;
};

TLineCounts CountLine(std::string_view line, const TPageRule& rule);

// Visible characters of `line` whose first byte lies in firstByte ..
// endByte - 1 (1-based bytes, clamped to the line), spaces and tabs
// included only `withSpaces`.
int CountCharacters(std::string_view line, int firstByte, int endByte, bool withSpaces);

struct TDocumentTotals {
  int64_t Characters = 0;            // without spaces, tabs, line breaks and notation
  int64_t CharactersWithSpaces = 0;  // the same with spaces and tabs
  int64_t Lines = 0;                 // the document's lines (an empty last line after a final break too)
  int64_t Paragraphs = 0;            // lines holding at least one character
  int64_t Rubies = 0;
  int64_t Rows = 0;   // rows under the page rule, at least one per line
  int64_t Pages = 0;  // ceil(Rows / RowsPerPage): 1 for an empty document
  bool operator==(const TDocumentTotals&) const = default;
};

// How many lines the counts keep together: the counts are kept per run of
// consecutive lines (a chunk) rather than per line, so a file of short lines
// costs a fraction of a byte a line; a change counts its chunk's lines again.
struct TCountChunking {
  int Lines = 64;           // lines a chunk holds at most
  size_t Bytes = 4 * 1024;  // bytes of a chunk of more than one line at most
};

// Follows one document from its construction on. A changed, inserted or
// deleted line costs the counting of its chunk (at most chunking.Bytes bytes
// besides the changed lines themselves) plus O(log lines); a reset (a text
// set or loaded) is counted in full at the next question, so a load pays for
// the counting only once something is asked.
class TDocumentCounts final : public TLineObserver {
 public:
  explicit TDocumentCounts(TEditList& list, const TPageRule& rule = ManuscriptPageRule(),
                           TCountChunking chunking = {});
  ~TDocumentCounts() override;
  TDocumentCounts(const TDocumentCounts&) = delete;
  TDocumentCounts& operator=(const TDocumentCounts&) = delete;

  // The document followed; null once it was destroyed (every count is then 0).
  TEditList* List() const { return FList; }
  const TPageRule& Rule() const { return FRule; }

  // The totals of the document as it is now.
  const TDocumentTotals& Totals();
  // Characters (as TDocumentTotals::Characters) between two document
  // positions, in either order; positions outside the document are clamped.
  // O(log lines + the lines of the two positions' chunks).
  int64_t CharactersBetween(TTextPos a, TTextPos b);
  // Counts every line again from the document.
  void Recount();
  // The next question counts every line (the text was set or loaded since).
  bool NeedsRecount() const;
  // Changes with every change of the document's lines (never 0), so a caller
  // may keep what it derived from the counts until it changes.
  uint64_t Generation() const { return FGeneration; }
  // Chunks kept now (for tests and measurements).
  int ChunkCount() const { return FChunks.Size(); }

  void LinesReplaced(int first, int removed, int inserted) override;
  void LinesReset() override {
    FStale = true;
    ++FGeneration;
  }
  void ListGone(TEditList& list) override;

 private:
  // The summed counts of the lines FirstLine .. FirstLine + Lines - 1.
  // FirstLine is stored against its block's offset, so inserting lines moves
  // the later chunks in O(log chunks).
  struct TChunk {
    int32_t FirstLine = 0;
    int32_t Lines = 0;
    int32_t Characters = 0;
    int32_t Spaces = 0;
    int32_t Rows = 0;
    int32_t Rubies = 0;
    int32_t Paragraphs = 0;
  };
  static constexpr int kFirstLine = 0;
  struct TChunkFields {
    static constexpr int kOffsets = 1;
    static constexpr bool kCounts = true;
    static void Shift(TChunk& chunk, int, int delta) { chunk.FirstLine += delta; }
    static int Weight(const TChunk& chunk) { return chunk.Characters; }
  };
  using TChunks = TBlockedSequence<TChunk, TChunkFields, 256>;

  class TChunker;

  void Add(const TChunk& chunk, int sign);
  void Refresh();
  // The chunk holding line (0 <= line < FLineCount) and its first line.
  int ChunkOf(int line, int& firstLine) const;
  // Bytes of `lines` lines from firstLine on, stopping once past `limit`.
  size_t ChunkBytes(int firstLine, int lines, size_t limit) const;
  // Characters of the lines before p.Y and of line p.Y before byte p.X.
  int64_t CharactersBefore(TTextPos p);

  TEditList* FList;
  TPageRule FRule;
  TCountChunking FChunking;
  TChunks FChunks;
  int FLineCount = 0;  // the lines the chunks cover
  TDocumentTotals FTotals;
  bool FStale = true;
  uint64_t FGeneration = 1;
};

}  // namespace vorna
