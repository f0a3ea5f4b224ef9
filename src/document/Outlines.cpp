// Keeping a document's headings current through its edits, and listing them
// as outline entries.
#include "document/Outlines.h"

#include <algorithm>

#include "document/EditLists.h"

namespace vorna {

TOutline::TOutline(TEditList& list) : FList(&list) { FList->AddLineObserver(this); }

TOutline::~TOutline() {
  if (FList) FList->RemoveLineObserver(this);
}

bool TOutline::NeedsScan() const { return FList && (!FScanned || FMarks != FList->Layout().HeadingStrs); }

bool TOutline::Update() {
  if (!NeedsScan()) return false;
  std::vector<THeading> headings = FindHeadings(*FList, 0, FList->Count() - 1);
  if (headings != FHeadings) ++FGeneration;
  FHeadings = std::move(headings);
  FMarks = FList->Layout().HeadingStrs;
  FScanned = true;
  return true;
}

void TOutline::LinesReplaced(int first, int removed, int inserted) {
  if (FList && FScanned) {
    const int delta = inserted - removed;
    // Every heading whose source line may see the changed lines is found
    // again: those of the lines from `rescanFirst` to `oldLast` before the
    // change are those of `rescanFirst` to `newLast` after it.
    const int rescanFirst = std::max(first - kHeadingReach, 0);
    const int oldLast = first + removed - 1 + kHeadingReach;
    const int newLast = first + inserted - 1 + kHeadingReach;
    const auto bySource = [](const THeading& h, int line) { return h.SourceLine < line; };
    const auto lo = std::lower_bound(FHeadings.begin(), FHeadings.end(), rescanFirst, bySource);
    const auto hi = std::lower_bound(lo, FHeadings.end(), oldLast + 1, bySource);
    std::vector<THeading> found = FindHeadings(*FList, rescanFirst, newLast);
    bool changed = !std::equal(lo, hi, found.begin(), found.end());
    for (auto h = hi; h != FHeadings.end() && delta != 0; ++h) {
      h->Line += delta;
      h->SourceLine += delta;
      changed = true;
    }
    const auto at = FHeadings.erase(lo, hi);
    FHeadings.insert(at, std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
    if (changed) ++FGeneration;
  }
  Changed();
}

void TOutline::LinesReset() {
  FScanned = false;
  Changed();
}

void TOutline::ListGone(TEditList&) {
  FList = nullptr;
  FHeadings.clear();
  ++FGeneration;
}

std::vector<TOutlineEntry> OutlineEntries(const std::vector<THeading>& headings, const TEditList& list,
                                          const std::function<int(int line)>& pageOfLine) {
  std::vector<TOutlineEntry> entries;
  entries.reserve(headings.size());
  std::vector<int> open;  // the entries a later one may nest under, levels rising
  for (const THeading& heading : headings) {
    TOutlineEntry& entry = entries.emplace_back();
    entry.Heading = heading;
    while (!open.empty() && entries[static_cast<size_t>(open.back())].Heading.Level >= heading.Level)
      open.pop_back();
    entry.Parent = open.empty() ? -1 : open.back();
    open.push_back(static_cast<int>(entries.size()) - 1);
    entry.Page = pageOfLine ? pageOfLine(heading.Line) : 0;
    const int row = list.FirstRowOfLine(heading.Line);
    if (row >= 0) entry.SceneNo = list.GetRow(row).SceneNo;
  }
  return entries;
}

}  // namespace vorna
