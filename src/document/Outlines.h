// The outline of a document: its headings (Headings.h) kept current as its
// lines change, and the entries a window lists with their nesting, pages and
// scene numbers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "document/Headings.h"
#include "document/LineObservers.h"

namespace vorna {

class TEditList;

// Follows one document as an observer of its lines. After an edit it scans
// only the changed lines and kHeadingReach lines around them, and moves the
// headings after them: O(changed bytes + headings). A replaced text or new
// heading marks wait for the next Update, which scans every line.
class TOutline : public TLineObserver {
 public:
  explicit TOutline(TEditList& list);
  ~TOutline() override;
  TOutline(const TOutline&) = delete;
  TOutline& operator=(const TOutline&) = delete;

  // The document followed; null once it was destroyed.
  TEditList* List() const { return FList; }
  // Scans every line when it was never done, the text was replaced since or
  // the document's heading marks (HeadingStrs) differ from the last scan's;
  // true when it scanned.
  bool Update();
  bool NeedsScan() const;
  // By source line; out of date while NeedsScan().
  const std::vector<THeading>& Headings() const { return FHeadings; }
  // Raised whenever a heading changes, comes or goes, or moves to another line.
  uint64_t Generation() const { return FGeneration; }
  // Told after every change of the document's lines (the headings, or the
  // rows and pages before them, may have changed).
  std::function<void()> OnChange;

  void LinesReplaced(int first, int removed, int inserted) override;
  void LinesReset() override;
  void ListGone(TEditList& list) override;

 private:
  void Changed() {
    if (OnChange) OnChange();
  }

  TEditList* FList;
  std::vector<THeading> FHeadings;
  std::vector<std::string> FMarks;  // the heading marks of the last scan
  bool FScanned = false;
  uint64_t FGeneration = 0;
};

// One heading as the outline lists it.
struct TOutlineEntry {
  THeading Heading;
  int Parent = -1;  // the nearest earlier entry of a smaller level; -1 at the top
  int Page = 0;     // 1-based page of the heading's line; 0 where the style has no pages
  int SceneNo = 0;  // the scene number the line-number column shows on that line; 0 for none
};

// The entries of `headings` of `list`; `pageOfLine` gives the 1-based page
// of a line (0: none). O(headings x the cost of pageOfLine and of a row lookup).
std::vector<TOutlineEntry> OutlineEntries(const std::vector<THeading>& headings, const TEditList& list,
                                          const std::function<int(int line)>& pageOfLine);

}  // namespace vorna
