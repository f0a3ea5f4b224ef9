// The search's matches within one line, kept for the line asked last.
#include "view/FindStates.h"

#include "text/StrSrch.h"

namespace vorna {

bool TFindState::Set(const std::string& text, int options) {
  if (!FSearch && text == FText && options == FOptions) return false;
  FText = text;
  FOptions = options;
  FSearch.reset();
  FCachedKey = {};
  return true;
}

bool TFindState::SetSearch(std::shared_ptr<const TTextSearch> search) {
  if (search == FSearch && FText.empty()) return false;
  FSearch = std::move(search);
  FText.clear();
  FCachedKey = {};
  return true;
}

const std::vector<TSearchMatch>& TFindState::MatchesInLine(std::string_view line,
                                                           const TFindLineKey& key) const {
  if (key == FCachedKey && key.Document) return FCachedMatches;
  FCachedMatches.clear();
  if (FSearch) {
    if (FSearch->CanMatch()) FSearch->FindAllIn(line, FCachedMatches);
  } else if (!FText.empty()) {
    const int length = static_cast<int>(FText.size());
    for (const int at : FindAll(FText, line, FOptions)) FCachedMatches.push_back({at, length});
  }
  FCachedKey = key;
  return FCachedMatches;
}

}  // namespace vorna
