// Compiling a find-bar pattern and scanning lines with it: the byte search over
// the line or its folded form, and PCRE2 over the decoded form.
#include "text/TextSearches.h"

#include <algorithm>

#include "text/Cp932.h"
#include "text/Notations.h"
#include "text/RegexMatchers.h"
#include "text/SearchTexts.h"
#include "text/ShiftJis.h"
#include "text/StrSrch.h"

namespace vorna {
namespace {

// True when the pattern holds notation that the options hide.
bool HoldsHiddenNotation(std::string_view pattern, const TSearchOptions& options) {
  if (options.SkipRuby)
    for (const char* marker : {"｜", "《", "》"})
      if (FindMarker(pattern, Cp932Lit(marker))) return true;
  return options.SkipAnnotations && FindMarker(pattern, Cp932Lit("［＃"));
}

// True when every character of `pattern` folds to a code no other character
// folds to, so the pattern matches exactly its own bytes.
bool EveryCharacterAlone(std::string_view pattern, const TFoldTable& fold) {
  const auto* b = reinterpret_cast<const unsigned char*>(pattern.data());
  const size_t n = pattern.size();
  for (size_t i = 0; i < n;) {
    if (IsDoubleByteAt(pattern, i)) {
      if (!fold.Alone(static_cast<unsigned>(b[i]) << 8 | b[i + 1])) return false;
      i += 2;
      continue;
    }
    if (i + 1 < n && fold.FoldPair(b[i], b[i + 1])) return false;
    if (!fold.Alone(b[i])) return false;
    ++i;
  }
  return true;
}

bool EndsInLoneLead(std::string_view text) {
  size_t i = 0;
  while (i + 1 < text.size()) i += IsDoubleByteAt(text, i) ? 2 : 1;
  return i + 1 == text.size() && IsLeadByte(static_cast<unsigned char>(text[i]));
}

int Folds(const TSearchOptions& options) {
  return (options.MatchCase ? 0 : sfCase) | (options.WidthAlike ? sfWidth : 0) |
         (options.KanaAlike ? sfKana : 0);
}

TSearchMatch MatchOf(size_t start, size_t end) {
  return {static_cast<int>(start) + 1, static_cast<int>(end - start)};
}

// The line range of search-text range start .. end.
TSearchMatch MapRange(TSearchTextMap* map, size_t start, size_t end) {
  if (!map) return MatchOf(start, end);
  const size_t lineStart = map->StartOf(start);
  return MatchOf(lineStart, end == start ? lineStart : map->EndOf(end));
}

}  // namespace

TTextSearch::TTextSearch(std::string_view pattern, const TSearchOptions& options) : FOptions(options) {
  FEmpty = pattern.empty();
  if (FEmpty) return;
  FRaw = HoldsHiddenNotation(pattern, options);
  const int folds = Folds(options);
  if (options.Regex) {
    // Case is left to PCRE2, which folds it the Unicode way.
    if (const int textFolds = folds & ~sfCase) FRegexFold = &FoldTableFor(textFolds);
    FRegex = std::make_unique<TRegexMatcher>(RegexPatternToUtf8(pattern, FRegexFold), !options.MatchCase);
    if (!FRegex->Ok())
      FError = Cp932Lit("正規表現が正しくありません: ") + FRegex->CompileError() + Cp932Lit("（") +
               std::to_string(FRegex->CompileErrorCharacter() + 1) + Cp932Lit(" 文字目）");
    return;
  }
  std::string form(pattern);
  if (folds && !EveryCharacterAlone(pattern, FoldTableFor(folds))) {
    FFold = &FoldTableFor(folds);
    form.clear();
    AppendSearchText(pattern, 0, nullptr, {FFold, false}, form);
  }
  FPatternBytes = form.size();
  FEndsInLead = EndsInLoneLead(form);
  FEngine = std::make_unique<TStringSearch>(form, soMultiByte);
}

TTextSearch::~TTextSearch() = default;

int TTextSearch::GroupCount() const { return FRegex && FRegex->Ok() ? FRegex->GroupCount() : 0; }

int TTextSearch::GroupNumber(std::string_view name) const {
  return FRegex && FRegex->Ok() ? FRegex->GroupNumber(name) : -1;
}

void TTextSearch::Stop(const std::string& why) const {
  FStopped = true;
  FError = why;
}

const std::vector<THiddenSpan>* TTextSearch::HiddenSpans(std::string_view line) const {
  if (FRaw || (!FOptions.SkipRuby && !FOptions.SkipAnnotations)) return nullptr;
  FillHiddenMask(FMask, line, FOptions.SkipRuby, FOptions.SkipAnnotations, false, {});
  return FMask.AnyHidden() ? &FMask.Spans() : nullptr;
}

template <class F>
void TTextSearch::Scan(std::string_view line, int from, bool map, F&& found) const {
  if (!CanMatch()) return;
  if (from < 1) from = 1;
  if (static_cast<size_t>(from) > line.size() + 1) return;
  size_t start = static_cast<size_t>(from) - 1;
  if (start > 0 && start < line.size() &&
      LeadRunBefore(reinterpret_cast<const unsigned char*>(line.data()), 0, start) % 2 == 1)
    ++start;  // a trail byte
  if (FRegex)
    ScanRegex(line, start, map, found);
  else
    ScanBytes(line, start, map, found);
}

template <class F>
void TTextSearch::ScanBytes(std::string_view line, size_t from, bool map, F&& found) const {
  if (from >= line.size()) return;
  const std::vector<THiddenSpan>* spans = HiddenSpans(line);
  std::string_view text = line;
  size_t at = from;
  std::optional<TSearchTextMap> textMap;
  if (FFold || spans) {
    const TSearchForm form{FFold, false};
    FText.clear();
    AppendSearchText(line, from, spans, form, FText);
    text = FText;
    at = 0;
    if (map) textMap.emplace(line, from, spans, form);
  }
  const char* base = text.data();
  const auto resumeAt = [&](size_t next) { return next < text.size() ? base + next : nullptr; };
  FEngine->ForEachMatch(base + at, base + text.size(), [&](const char* hit) -> const char* {
    const size_t offset = static_cast<size_t>(hit - base);
    const size_t after = offset + FPatternBytes;
    // The pattern's lone lead byte met the lead byte of a character here.
    if (FEndsInLead && after != text.size()) return resumeAt(offset + (IsDoubleByteAt(text, offset) ? 2 : 1));
    if (!found(offset, after, textMap ? &*textMap : nullptr)) return nullptr;
    return resumeAt(after);
  });
}

template <class F>
void TTextSearch::ScanPacked(const TPackedLines& lines, F&& found) const {
  const std::span<const uint32_t> ends = lines.Ends;
  if (ends.empty()) return;
  // Built on first use: most searches only ever see single lines.
  if (!FPackedEngine) FPackedEngine = std::make_unique<TStringSearch>(FEngine->Pattern(), 0);
  const char* base = lines.Bytes.data();
  const size_t size = std::min<size_t>(lines.Bytes.size(), ends.back());
  size_t line = 0, lineStart = 0;
  size_t floor = 0;  // a character start of the line at or before the next candidate
  const auto resumeAt = [&](size_t next) { return next < size ? base + next : nullptr; };
  FPackedEngine->ForEachMatch(base, base + size, [&](const char* hit) -> const char* {
    const size_t at = static_cast<size_t>(hit - base);
    if (at >= ends[line]) {
      // Candidates are a line or two apart in text: a walk beats a search.
      do ++line;
      while (at >= ends[line]);
      lineStart = floor = ends[line - 1];
    }
    const size_t lineEnd = ends[line];
    const size_t after = at + FPatternBytes;
    // Every later window of this line crosses its end too.
    if (after > lineEnd) return resumeAt(lineEnd);
    if (LeadRunBefore(reinterpret_cast<const unsigned char*>(base), floor, at) % 2 == 1) {
      floor = at + 1;  // a trail byte, so the next byte starts a character
      return hit + 1;
    }
    if (FEndsInLead && after != lineEnd) {
      const std::string_view text(base + lineStart, lineEnd - lineStart);
      floor = at + (IsDoubleByteAt(text, at - lineStart) ? 2 : 1);
      return resumeAt(floor);
    }
    if (!found(line, MatchOf(at - lineStart, after - lineStart))) return nullptr;
    floor = after;
    return resumeAt(after);
  });
}

bool TTextSearch::ScansPacked() const { return !FRegex && !FFold && !HidesNotation(); }

template <class F>
void TTextSearch::ForEachPackedLine(const TPackedLines& lines, F&& visit) const {
  for (size_t i = 0, begin = 0; i < lines.Ends.size() && CanMatch(); begin = lines.Ends[i++])
    if (!visit(i, lines.Bytes.substr(begin, lines.Ends[i] - begin))) return;
}

void TTextSearch::ForEachMatchInLines(const TPackedLines& lines, const TLineMatchEvent& found) const {
  if (!CanMatch()) return;
  if (ScansPacked()) {
    ScanPacked(lines, found);
    return;
  }
  ForEachPackedLine(lines, [&](size_t i, std::string_view line) {
    bool more = true;
    Scan(line, 1, true, [&](size_t start, size_t end, TSearchTextMap* map) {
      return more = found(i, MapRange(map, start, end));
    });
    return more;
  });
}

int TTextSearch::CountInLines(const TPackedLines& lines) const {
  int count = 0;
  if (!CanMatch()) return count;
  if (ScansPacked()) {
    ScanPacked(lines, [&](size_t, const TSearchMatch&) { return ++count, true; });
    return count;
  }
  ForEachPackedLine(lines, [&](size_t, std::string_view line) { return count += CountIn(line), true; });
  return count;
}

template <class F>
void TTextSearch::ScanRegex(std::string_view line, size_t from, bool map, F&& found) const {
  const std::vector<THiddenSpan>* spans = HiddenSpans(line);
  const TSearchForm form{FRegexFold, true};
  FText.clear();
  AppendSearchText(line, 0, spans, form, FText);
  std::optional<TSearchTextMap> textMap;
  size_t at = 0;
  if (from > 0 || map) {
    textMap.emplace(line, 0, spans, form);
    at = textMap->TextOffsetOf(from);
  }
  bool notEmpty = false;
  while (at <= FText.size()) {
    switch (FRegex->Match(FText, at, notEmpty, FOffsets)) {
      case TRegexMatcher::TResult::Match:
        break;
      case TRegexMatcher::TResult::NoMatch:
        return;
      case TRegexMatcher::TResult::TooComplex:
        Stop(Cp932Lit("検索が複雑すぎます（照合の回数が上限を超えました）"));
        return;
      case TRegexMatcher::TResult::Failed:
        Stop(Cp932Lit("検索できませんでした: ") + FRegex->FailureText());
        return;
    }
    const size_t start = FOffsets[0];
    const size_t end = std::max(FOffsets[1], start);
    if (!found(start, end, map ? &*textMap : nullptr)) return;
    // After an empty match the next may start at the same place only if not empty.
    notEmpty = end == start;
    at = end;
  }
}

std::optional<TSearchMatch> TTextSearch::FindIn(std::string_view line, int from) const {
  std::optional<TSearchMatch> match;
  Scan(line, from, true, [&](size_t start, size_t end, TSearchTextMap* map) {
    match = MapRange(map, start, end);
    return false;
  });
  return match;
}

std::optional<TSearchMatch> TTextSearch::FindIn(std::string_view line, int from,
                                                std::vector<TSearchMatch>& groups) const {
  std::optional<TSearchMatch> match;
  ForEachMatch(line, from, [&](const TSearchMatch& found, const std::vector<TSearchMatch>& foundGroups) {
    match = found;
    groups = foundGroups;
    return false;
  });
  if (!match) groups.clear();
  return match;
}

void TTextSearch::FindAllIn(std::string_view line, std::vector<TSearchMatch>& matches) const {
  matches.clear();
  Scan(line, 1, true, [&](size_t start, size_t end, TSearchTextMap* map) {
    matches.push_back(MapRange(map, start, end));
    return true;
  });
}

std::vector<TSearchMatch> TTextSearch::FindAllIn(std::string_view line) const {
  std::vector<TSearchMatch> matches;
  FindAllIn(line, matches);
  return matches;
}

int TTextSearch::CountIn(std::string_view line) const {
  int count = 0;
  Scan(line, 1, false, [&](size_t, size_t, TSearchTextMap*) {
    ++count;
    return true;
  });
  return count;
}

void TTextSearch::MapGroups(const TSearchTextMap* map, std::vector<TSearchMatch>& groups) const {
  const size_t count = static_cast<size_t>(GroupCount()) + 1;
  groups.assign(count, TSearchMatch{});
  for (size_t k = 1; k < count && 2 * k + 1 < FOffsets.size(); ++k) {
    if (FOffsets[2 * k] == SIZE_MAX) continue;
    // Each group from a copy of the walk as it stood before the match.
    std::optional<TSearchTextMap> copy;
    if (map) copy.emplace(*map);
    groups[k] =
        MapRange(copy ? &*copy : nullptr, FOffsets[2 * k], std::max(FOffsets[2 * k + 1], FOffsets[2 * k]));
  }
}

void TTextSearch::ForEachMatch(std::string_view line, int from, const TFoundEvent& found) const {
  std::vector<TSearchMatch> groups;
  Scan(line, from, true, [&](size_t start, size_t end, TSearchTextMap* map) {
    if (FRegex)
      MapGroups(map, groups);
    else
      groups.assign(1, TSearchMatch{});
    groups[0] = MapRange(map, start, end);
    return found(groups[0], groups);
  });
}

}  // namespace vorna
