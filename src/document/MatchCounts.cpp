// Counting matches a slice of lines at a time.
#include "document/MatchCounts.h"

#include "document/EditLists.h"

namespace vorna {

void TMatchCounter::Start(const TEditList& list, std::shared_ptr<const TTextSearch> search) {
  FList = &list;
  FSearch = std::move(search);
  FNextLine = 0;
  FCount = 0;
  FDone = !FSearch || !FSearch->CanMatch();
}

void TMatchCounter::Reset() {
  FList = nullptr;
  FSearch.reset();
  FNextLine = 0;
  FCount = 0;
  FDone = false;
}

bool TMatchCounter::Step(size_t budgetBytes) {
  if (!FList || FDone) return FDone;
  size_t read = 0;
  const int lines = FList->Count();
  while (FNextLine < lines && FSearch->CanMatch()) {
    const std::string_view line = FList->Get(FNextLine);
    const int found = FSearch->CountIn(line);
    if (FSearch->Stopped()) break;
    FCount += found;
    ++FNextLine;
    read += line.size() + 2;
    if (read >= budgetBytes) break;
  }
  FDone = FNextLine >= lines || !FSearch->CanMatch();
  return FDone;
}

}  // namespace vorna
