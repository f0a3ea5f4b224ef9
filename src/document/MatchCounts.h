// TMatchCounter: the find bar's count of a search's matches over a document,
// taken a slice of lines at a time so a large document never holds up
// typing in the bar or the editor.
#pragma once

#include <cstddef>
#include <memory>

#include "text/TextSearches.h"

namespace vorna {

class TEditList;

class TMatchCounter {
 public:
  // Starts a count of `search` over `list` from its first line. The list
  // must outlive the count (or the next Start or Reset); the counter keeps
  // the search alive. A null search or one that cannot match is done at once
  // with 0.
  void Start(const TEditList& list, std::shared_ptr<const TTextSearch> search);
  // Forgets the count: not started, not done.
  void Reset();
  // Counts whole lines until at least `budgetBytes` were read (at least one
  // line) or the document ends. True when the count is complete — also when
  // the search stopped at its match limit (Search()->Stopped(): the count is
  // then the matches before the line where it stopped).
  bool Step(size_t budgetBytes);

  bool Started() const { return FList != nullptr; }
  bool Done() const { return FDone; }
  int Count() const { return FCount; }
  // Lines counted so far.
  int LinesDone() const { return FNextLine; }
  const TEditList* List() const { return FList; }
  const std::shared_ptr<const TTextSearch>& Search() const { return FSearch; }

 private:
  const TEditList* FList = nullptr;
  std::shared_ptr<const TTextSearch> FSearch;
  int FNextLine = 0;
  int FCount = 0;
  bool FDone = false;
};

}  // namespace vorna
