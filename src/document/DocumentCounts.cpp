// Counting a line, the manuscript rule, and the per-line counts that follow
// the document's changes.
#include "document/DocumentCounts.h"

#include <algorithm>
#include <vector>

#include "document/DocumentLayouts.h"
#include "document/EditLists.h"
#include "layout/LineWraps.h"
#include "settings/EditorStyles.h"
#include "settings/StyleElements.h"
#include "text/HiddenMasks.h"
#include "text/Notations.h"
#include "text/ShiftJis.h"

namespace vorna {
namespace {

constexpr int kMaxPartitions = 100;  // as many as the view lays out

// The full-width space "　" and the ruby text's opener "《".
constexpr unsigned char kWideSpaceLead = 0x81, kWideSpaceTrail = 0x40;
constexpr std::string_view kRubyOpen = "\x81\x73";

// Calls visit(byte, is a space) for every character of `line` that starts
// before 0-based byte `end` and that no notation hides, in order; `byte` is
// 0-based. The notation is found in the whole line: a reading is hidden from
// its "《" on even when its "》" lies beyond `end`.
template <class TVisit>
void ForEachVisibleCharacter(std::string_view line, size_t end, TVisit visit) {
  static thread_local THiddenMask mask;
  FillHiddenMask(mask, line, true, true, false, {});
  const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
  const size_t n = line.size();
  for (size_t i = 0; i < std::min(end, n);) {
    const bool wide = i + 1 < n && IsLeadByte(bytes[i]);
    if (!mask.Hidden(static_cast<int>(i) + 1)) {
      const bool space = wide ? bytes[i] == kWideSpaceLead && bytes[i + 1] == kWideSpaceTrail
                              : bytes[i] == ' ' || bytes[i] == '\t';
      visit(i, space);
    }
    i += wide ? 2 : 1;
  }
}

}  // namespace

TPageRule PageRuleFromStyle(const TEditorStyle& style) {
  TPageRule rule;
  rule.Wrap = LayoutFromStyle(style).Wrap;
  rule.CapacityCells = std::max(style.GetColumnCount(), 1);
  rule.RowsPerPage =
      std::max(style.GetLineCountInPage(), 1) * std::clamp(style.GetPartationCount(), 1, kMaxPartitions);
  return rule;
}

void MakeManuscriptStyle(TEditorStyle& style) {
  style.BeginUpdate();
  style.SetDefaultIndex(kManuscriptPreset);
  style.ApplyPreset();
  style.GetViewInfo(kElemRubi)->SetDisplayMode(kModeShown);
  style.GetViewInfo(kElemFootNote)->SetDisplayMode(kModeShown);
  style.EndUpdate();
}

const TPageRule& ManuscriptPageRule() {
  static const TPageRule rule = [] {
    const TDataItemPtr<TEditorStyle> style = MakeDataItem<TEditorStyle>();
    MakeManuscriptStyle(*style);
    return PageRuleFromStyle(*style);
  }();
  return rule;
}

TLineCounts CountLine(std::string_view line, const TPageRule& rule) {
  TLineCounts counts;
  if (line.empty()) return counts;  // one row, as the layout gives an empty line
  ForEachVisibleCharacter(line, line.size(),
                          [&](size_t, bool space) { ++(space ? counts.Spaces : counts.Characters); });
  static thread_local std::vector<int> rows;
  WrapText(line, {.CapacityCells = rule.CapacityCells}, rule.Wrap, GetLineIndent(line, rule.Wrap), rows);
  counts.Rows = std::max(static_cast<int>(rows.size()), 1);
  // Most lines hold no reading: the parse runs only where "《" is.
  if (FindMarker(line, kRubyOpen) != 0) counts.Rubies = static_cast<int>(ParseRubies(line).size());
  return counts;
}

int CountCharacters(std::string_view line, int firstByte, int endByte, bool withSpaces) {
  const size_t first = static_cast<size_t>(std::max(firstByte, 1) - 1);
  const size_t end = static_cast<size_t>(std::clamp(endByte - 1, 0, static_cast<int>(line.size())));
  if (first >= end) return 0;
  int count = 0;
  ForEachVisibleCharacter(line, end, [&](size_t byte, bool space) {
    if (byte >= first && (withSpaces || !space)) ++count;
  });
  return count;
}

TDocumentCounts::TDocumentCounts(TEditList& list, const TPageRule& rule, TCountChunking chunking)
    : FList(&list), FRule(rule), FChunking(chunking) {
  FChunking.Lines = std::max(FChunking.Lines, 1);
  FList->AddLineObserver(this);
}

TDocumentCounts::~TDocumentCounts() {
  if (FList) FList->RemoveLineObserver(this);
}

// Gathers counted lines into chunks: a line joins the open chunk while the
// chunk stays within the limits, so a long line stands alone.
class TDocumentCounts::TChunker {
 public:
  TChunker(const TEditList& list, const TPageRule& rule, const TCountChunking& limits)
      : FList(list), FRule(rule), FLimits(limits) {}

  template <class TSink>
  void Add(int line, TSink& sink) {
    Add(line, FList.Get(line), sink);
  }
  template <class TSink>
  void Add(int line, std::string_view text, TSink& sink) {
    if (FOpen.Lines > 0 && !Fits(1, text.size())) Flush(sink);
    if (FOpen.Lines == 0) FOpen.FirstLine = line;
    const TLineCounts counts = CountLine(text, FRule);
    ++FOpen.Lines;
    FOpen.Characters += counts.Characters;
    FOpen.Spaces += counts.Spaces;
    FOpen.Rows += counts.Rows;
    FOpen.Rubies += counts.Rubies;
    FOpen.Paragraphs += counts.Characters > 0 ? 1 : 0;
    FBytes += text.size();
  }
  template <class TSink>
  void Flush(TSink& sink) {
    if (FOpen.Lines > 0) sink(FOpen);
    FOpen = {};
    FBytes = 0;
  }
  // Whether `lines` more lines of `bytes` bytes in all fit the open chunk.
  bool Fits(int lines, size_t bytes) const {
    return FOpen.Lines + lines <= FLimits.Lines && FBytes + bytes <= FLimits.Bytes;
  }

 private:
  const TEditList& FList;
  const TPageRule& FRule;
  const TCountChunking& FLimits;
  TChunk FOpen;
  size_t FBytes = 0;
};

void TDocumentCounts::ListGone(TEditList& list) {
  if (&list != FList) return;
  FList = nullptr;
  ++FGeneration;
  FChunks.Clear();
  FLineCount = 0;
  FTotals = {};
  FStale = false;
}

void TDocumentCounts::Add(const TChunk& chunk, int sign) {
  FTotals.Characters += sign * chunk.Characters;
  FTotals.CharactersWithSpaces += sign * (int64_t{chunk.Characters} + chunk.Spaces);
  FTotals.Paragraphs += sign * chunk.Paragraphs;
  FTotals.Rubies += sign * chunk.Rubies;
  FTotals.Rows += sign * chunk.Rows;
}

void TDocumentCounts::Recount() {
  FChunks.Clear();
  FLineCount = 0;
  FTotals = {};
  FStale = false;
  if (!FList) return;
  FLineCount = FList->Count();
  FChunks.Reserve(FLineCount / FChunking.Lines + 1);
  TChunker chunker(*FList, FRule, FChunking);
  auto sink = [&](const TChunk& chunk) {
    Add(chunk, 1);
    FChunks.PushBack(chunk);  // a fresh sequence has no offsets
  };
  int line = 0;
  FList->ForEachLine([&](std::string_view text) { chunker.Add(line++, text, sink); });
  chunker.Flush(sink);
}

int TDocumentCounts::ChunkOf(int line, int& firstLine) const {
  const int c = FChunks.PartitionPoint(kFirstLine, [line](const TChunk& chunk, int offset) {
    return chunk.FirstLine + offset <= line;
  }) - 1;
  TChunks::TOffsets offsets;
  firstLine = FChunks.At(c, offsets).FirstLine + offsets[kFirstLine];
  return c;
}

size_t TDocumentCounts::ChunkBytes(int firstLine, int lines, size_t limit) const {
  size_t bytes = 0;
  for (int i = 0; i < lines && bytes <= limit; ++i) bytes += FList->Get(firstLine + i).size();
  return bytes;
}

void TDocumentCounts::LinesReplaced(int first, int removed, int inserted) {
  ++FGeneration;
  if (!FList || FStale) return;
  const int count = FList->Count();
  if (first < 0 || removed < 0 || inserted < 0 || first + removed > FLineCount ||
      FLineCount - removed + inserted != count) {
    FStale = true;  // not a change of lines these counts know: start again
    return;
  }
  if (FChunks.Empty()) {
    Recount();
    return;
  }
  // The chunks that held the replaced lines (the last chunk for lines added
  // at the end) are counted again with the lines that replaced them.
  int start = 0;
  const int c0 = ChunkOf(std::min(first, FLineCount - 1), start);
  int c1 = c0, last = start;
  if (removed > 0) c1 = ChunkOf(first + removed - 1, last);
  TChunks::TOffsets offsets;
  int end = last + FChunks.At(c1, offsets).Lines;  // in the old numbering
  const int delta = inserted - removed;
  std::vector<TChunk> chunks;
  auto sink = [&](const TChunk& chunk) { chunks.push_back(chunk); };
  TChunker chunker(*FList, FRule, FChunking);
  for (int i = start; i < end + delta; ++i) chunker.Add(i, sink);
  // A small chunk left at the end takes in the next one when both fit one
  // chunk, so repeated line breaks at one place leave no trail of small chunks.
  while (c1 + 1 < FChunks.Size()) {
    const int lines = FChunks.At(c1 + 1, offsets).Lines;
    if (!chunker.Fits(lines, ChunkBytes(end + delta, lines, FChunking.Bytes))) break;
    for (int i = end + delta; i < end + delta + lines; ++i) chunker.Add(i, sink);
    ++c1;
    end += lines;
  }
  chunker.Flush(sink);
  for (int c = c0; c <= c1; ++c) Add(FChunks.At(c, offsets), -1);
  FChunks.Shift(c1 + 1, kFirstLine, delta);
  FChunks.Erase(c0, c1 - c0 + 1);
  offsets = FChunks.InsertOffsets(c0);
  for (TChunk& chunk : chunks) {
    Add(chunk, 1);
    chunk.FirstLine -= offsets[kFirstLine];
  }
  FChunks.Insert(c0, chunks.begin(), chunks.end());
  FLineCount = count;
}

bool TDocumentCounts::NeedsRecount() const { return FList && (FStale || FLineCount != FList->Count()); }

void TDocumentCounts::Refresh() {
  if (NeedsRecount()) Recount();
  FTotals.Lines = FList ? FList->Count() : 0;
  FTotals.Pages =
      FList ? std::max<int64_t>((FTotals.Rows + FRule.RowsPerPage - 1) / FRule.RowsPerPage, 1) : 0;
}

const TDocumentTotals& TDocumentCounts::Totals() {
  Refresh();
  return FTotals;
}

int64_t TDocumentCounts::CharactersBefore(TTextPos p) {
  if (p.Y < 0) return 0;
  if (p.Y >= FLineCount) return FTotals.Characters;
  int firstLine = 0;
  int64_t count = FChunks.CountBefore(ChunkOf(p.Y, firstLine));
  for (int y = firstLine; y < p.Y; ++y) {
    const std::string_view line = FList->Get(y);
    count += CountCharacters(line, 1, static_cast<int>(line.size()) + 1, false);
  }
  return count + CountCharacters(FList->Get(p.Y), 1, p.X, false);
}

int64_t TDocumentCounts::CharactersBetween(TTextPos a, TTextPos b) {
  Refresh();
  if (!FList) return 0;
  if (b.Y < a.Y || (b.Y == a.Y && b.X < a.X)) std::swap(a, b);
  return CharactersBefore(b) - CharactersBefore(a);
}

}  // namespace vorna
