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

TDocumentCounts::TDocumentCounts(TEditList& list, const TPageRule& rule) : FList(&list), FRule(rule) {
  FList->AddLineObserver(this);
}

TDocumentCounts::~TDocumentCounts() {
  if (FList) FList->RemoveLineObserver(this);
}

TDocumentCounts::TStoredCounts TDocumentCounts::Store(const TLineCounts& counts, const TStoredCounts* reuse) {
  const auto fits = [](int value, uint32_t mask) {
    return value >= 0 && static_cast<uint32_t>(value) <= mask;
  };
  if (reuse) Release(*reuse);
  if (fits(counts.Spaces, kSpacesMask) && fits(counts.Rows, kRowsMask) && fits(counts.Rubies, kRubiesMask))
    return {counts.Characters, static_cast<uint32_t>(counts.Spaces) |
                                   static_cast<uint32_t>(counts.Rows) << kRowsShift |
                                   static_cast<uint32_t>(counts.Rubies) << kRubiesShift};
  uint32_t slot;
  if (!FFreeLarge.empty()) {
    slot = FFreeLarge.back();
    FFreeLarge.pop_back();
    FLarge[slot] = counts;
  } else {
    slot = static_cast<uint32_t>(FLarge.size());
    FLarge.push_back(counts);
  }
  return {counts.Characters, kLarge | slot};
}

TLineCounts TDocumentCounts::Load(const TStoredCounts& stored) const {
  if (stored.Word & kLarge) return FLarge[stored.Word & ~kLarge];
  return {stored.Characters, static_cast<int>(stored.Word & kSpacesMask),
          static_cast<int>(stored.Word >> kRowsShift & kRowsMask),
          static_cast<int>(stored.Word >> kRubiesShift & kRubiesMask)};
}

void TDocumentCounts::Release(const TStoredCounts& stored) {
  if (stored.Word & kLarge) FFreeLarge.push_back(stored.Word & ~kLarge);
}

void TDocumentCounts::ListGone(TEditList& list) {
  if (&list != FList) return;
  FList = nullptr;
  ++FGeneration;
  FLines.Clear();
  FLarge.clear();
  FFreeLarge.clear();
  FTotals = {};
  FStale = false;
}

void TDocumentCounts::Add(const TLineCounts& counts, int sign) {
  FTotals.Characters += sign * counts.Characters;
  FTotals.CharactersWithSpaces += sign * (counts.Characters + counts.Spaces);
  FTotals.Paragraphs += counts.Characters > 0 ? sign : 0;
  FTotals.Rubies += sign * counts.Rubies;
  FTotals.Rows += sign * counts.Rows;
}

void TDocumentCounts::Recount() {
  FLines.Clear();
  FLarge.clear();
  FFreeLarge.clear();
  FTotals = {};
  FStale = false;
  if (!FList) return;
  const int lines = FList->Count();
  FLines.Reserve(lines);
  for (int i = 0; i < lines; ++i) {
    const TLineCounts counts = CountLine(FList->Get(i), FRule);
    Add(counts, 1);
    FLines.PushBack(Store(counts));
  }
}

void TDocumentCounts::LinesReplaced(int first, int removed, int inserted) {
  ++FGeneration;
  if (!FList || FStale) return;
  if (first < 0 || removed < 0 || inserted < 0 || first + removed > FLines.Size()) {
    FStale = true;  // not a change of lines these counts know: start again
    return;
  }
  // Lines that stay lines are counted again in place; the rest go or come.
  const int kept = std::min(removed, inserted);
  int line = first;
  FLines.Update(first, kept, [&](TStoredCounts& stored, const auto&) {
    Add(Load(stored), -1);
    const TLineCounts counts = CountLine(FList->Get(line++), FRule);
    Add(counts, 1);
    stored = Store(counts, &stored);
  });
  if (removed > kept) {
    for (int i = first + kept; i < first + removed; ++i) {
      Add(Load(FLines[i]), -1);
      Release(FLines[i]);
    }
    FLines.Erase(first + kept, removed - kept);
  }
  if (inserted > kept) {
    std::vector<TStoredCounts> added;
    added.reserve(static_cast<size_t>(inserted - kept));
    for (int i = first + kept; i < first + inserted; ++i) {
      const TLineCounts counts = CountLine(FList->Get(i), FRule);
      Add(counts, 1);
      added.push_back(Store(counts));
    }
    FLines.Insert(first + kept, added.begin(), added.end());
  }
  if (FLines.Size() != FList->Count()) FStale = true;
}

bool TDocumentCounts::NeedsRecount() const { return FList && (FStale || FLines.Size() != FList->Count()); }

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
  if (p.Y >= FList->Count()) return FTotals.Characters;
  return FLines.CountBefore(p.Y) + CountCharacters(FList->Get(p.Y), 1, p.X, false);
}

int64_t TDocumentCounts::CharactersBetween(TTextPos a, TTextPos b) {
  Refresh();
  if (!FList) return 0;
  if (b.Y < a.Y || (b.Y == a.Y && b.X < a.X)) std::swap(a, b);
  return CharactersBefore(b) - CharactersBefore(a);
}

}  // namespace vorna
