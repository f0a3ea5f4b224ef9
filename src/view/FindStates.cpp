// The search text's matches within a stretch of text.
#include "view/FindStates.h"

#include "text/StrSrch.h"

namespace vorna {

bool TFindState::Set(const std::string& text, int options) {
  if (text == FText && options == FOptions) return false;
  FText = text;
  FOptions = options;
  return true;
}

std::vector<TByteRange> TFindState::MatchesIn(std::string_view text) const {
  std::vector<TByteRange> out;
  if (FText.empty()) return out;
  const int length = static_cast<int>(FText.size());
  for (const int at : FindAll(FText, text, FOptions)) out.push_back({at, at + length - 1});
  return out;
}

}  // namespace vorna
