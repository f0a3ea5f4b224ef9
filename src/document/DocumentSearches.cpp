// Counting, stepping to and replacing a search's matches line by line.
#include "document/DocumentSearches.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "document/EditLists.h"

namespace vorna {
namespace {

TTextPos Clamp(const TEditList& list, TTextPos pos) {
  pos.Y = std::clamp(pos.Y, 0, list.Count() - 1);
  pos.X = std::clamp(pos.X, 1, static_cast<int>(list.Get(pos.Y).size()) + 1);
  return pos;
}

TFindResult Found(const TSearchMatch& match, int line, bool wrapped) {
  return {true, {{match.Start, line}, match.LengthBytes}, wrapped};
}

// The last match of the line that starts in `first` .. `limit` - 1.
std::optional<TSearchMatch> LastMatch(const TTextSearch& search, std::string_view line, int first, int limit,
                                      std::vector<TSearchMatch>& matches) {
  search.FindAllIn(line, matches);
  for (auto it = matches.rbegin(); it != matches.rend(); ++it)
    if (it->Start < limit && it->Start >= first) return *it;
  return std::nullopt;
}

}  // namespace

int CountMatches(const TEditList& list, const TTextSearch& search) {
  int count = 0;
  list.ForEachLineRun([&](std::string_view bytes, std::span<const uint32_t> ends, int) {
    count += search.CountInLines({bytes, ends});
  });
  return count;
}

void FindAllMatches(const TEditList& list, const TTextSearch& search, const TDocumentMatchEvent& found) {
  bool more = true;
  list.ForEachLineRun([&](std::string_view bytes, std::span<const uint32_t> ends, int firstLine) {
    if (more)
      search.ForEachMatchInLines({bytes, ends}, [&](size_t line, const TSearchMatch& match) {
        return more = found({{match.Start, firstLine + static_cast<int>(line)}, match.LengthBytes});
      });
  });
}

TFindResult FindMatch(const TEditList& list, const TTextSearch& search, TTextPos from, bool forward,
                      bool wrap) {
  if (!search.CanMatch()) return {};
  from = Clamp(list, from);
  const int count = list.Count();
  if (forward) {
    for (int line = from.Y; line < count && search.CanMatch(); ++line)
      if (const auto match = search.FindIn(list.Get(line), line == from.Y ? from.X : 1))
        return Found(*match, line, false);
    for (int line = 0; wrap && line <= from.Y && search.CanMatch(); ++line) {
      const auto match = search.FindIn(list.Get(line), 1);
      if (match && (line < from.Y || match->Start < from.X)) return Found(*match, line, true);
    }
    return {};
  }
  std::vector<TSearchMatch> matches;
  for (int line = from.Y; line >= 0 && search.CanMatch(); --line)
    if (const auto match = LastMatch(search, list.Get(line), 1, line == from.Y ? from.X : INT_MAX, matches))
      return Found(*match, line, false);
  for (int line = count - 1; wrap && line >= from.Y && search.CanMatch(); --line)
    if (const auto match = LastMatch(search, list.Get(line), line == from.Y ? from.X : 1, INT_MAX, matches))
      return Found(*match, line, true);
  return {};
}

TReplaceAllResult ReplaceAllMatches(const TEditList& list, const TTextSearch& search,
                                    const TReplacement& replacement, TTextPos from,
                                    std::optional<TTextPos> to) {
  TReplaceAllResult result;
  if (!search.CanMatch() || !replacement.Ok()) return result;
  from = Clamp(list, from);
  if (to && Before(*to, from)) std::swap(from, *to);
  const int last = to ? Clamp(list, *to).Y : list.Count() - 1;
  std::string text;
  int unchangedFrom = -1;  // lines after the last changed one, appended once another changes
  for (int line = from.Y; line <= last; ++line) {
    const std::string_view bytes = list.Get(line);
    const TLineReplacement replaced = ReplaceInLine(bytes, search, replacement, line == from.Y ? from.X : 1,
                                                    to && line == to->Y ? to->X : INT_MAX);
    if (search.Stopped()) return {};
    result.Skipped += replaced.Skipped;
    if (replaced.Count == 0) continue;
    if (result.FirstLine < 0) {
      result.FirstLine = line;
    } else {
      for (int kept = unchangedFrom; kept < line; ++kept) {
        text += "\r\n";
        text += list.Get(kept);
      }
      text += "\r\n";
    }
    text += replaced.Text;
    result.LastLine = line;
    result.Count += replaced.Count;
    unchangedFrom = line + 1;
  }
  result.Text = std::move(text);
  return result;
}

}  // namespace vorna
