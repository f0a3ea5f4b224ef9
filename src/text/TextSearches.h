// The search of the find bar: a pattern compiled once with its options (case,
// width and kana alike, regular expression, hidden notation skipped) and
// matched against one line at a time; matches are byte ranges of the line.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/HiddenMasks.h"

namespace vorna {

class TFoldTable;
class TRegexMatcher;
class TSearchTextMap;
class TStringSearch;

struct TSearchOptions {
  bool MatchCase = false;   // off: upper and lower case alike (ASCII and full-width Latin among them)
  bool WidthAlike = false;  // full-width and half-width forms alike (ASCII, katakana with voiced marks)
  bool KanaAlike = false;   // hiragana and katakana alike
  bool Regex = false;       // the pattern is a PCRE2 regular expression
  // Notation hidden from the cells is left out of the text searched, so
  // "｜東京《とうきょう》" is found by "東京", as a reader sees it. A pattern
  // that itself holds such notation ("｜", "《", "》"; "［＃") searches the
  // lines as written, so "東京《とうきょう》" finds it too.
  bool SkipRuby = false;
  bool SkipAnnotations = false;
};

// One match: 1-based position of its first byte in the line and its length.
// Both ends lie on character boundaries; an empty match (a regular expression
// such as "^") has length 0. A match over hidden notation covers it (the
// notation lies between its first and last visible character).
struct TSearchMatch {
  int Start = 0;
  int LengthBytes = 0;
  int End() const { return Start + LengthBytes; }  // 1-based position after the match
  bool operator==(const TSearchMatch&) const = default;
};

// Not for use by two threads at once: matching reuses buffers kept here.
class TTextSearch {
 public:
  // `pattern` is CP932. A pattern that does not compile never throws: Error()
  // holds the message and nothing is found. An empty pattern finds nothing
  // and has no error.
  TTextSearch(std::string_view pattern, const TSearchOptions& options);
  ~TTextSearch();
  TTextSearch(const TTextSearch&) = delete;
  TTextSearch& operator=(const TTextSearch&) = delete;

  const TSearchOptions& Options() const { return FOptions; }
  // True when lines are searched with their hidden notation left out (the
  // options hide some and the pattern holds none).
  bool HidesNotation() const { return !FRaw && (FOptions.SkipRuby || FOptions.SkipAnnotations); }
  bool IsEmpty() const { return FEmpty; }
  // True when matching can run: not empty, compiled, and not stopped.
  bool CanMatch() const { return !FEmpty && FError.empty(); }
  // The message for the bar in CP932, empty when there is nothing to say:
  // "正規表現が正しくありません: <PCRE2's reason>（N 文字目）" for a bad
  // pattern; "検索が複雑すぎます…" once a line took more than the match
  // limit, after which this search finds nothing more (so a document of many
  // lines is not tried line by line at the limit's cost each).
  const std::string& Error() const { return FError; }
  bool Stopped() const { return FStopped; }

  // The first match that starts at or after 1-based `from` (a character
  // boundary; a trail byte is moved past). A regular expression still sees
  // the text before `from` (lookbehind, \b). Self-overlapping matches are
  // found where the search starts: from 2, "aa" is found at 2 in "aaa".
  std::optional<TSearchMatch> FindIn(std::string_view line, int from = 1) const;
  // The same, with the byte ranges of the capturing groups (index 0 the whole
  // match; a group that took no part has Start 0).
  std::optional<TSearchMatch> FindIn(std::string_view line, int from,
                                     std::vector<TSearchMatch>& groups) const;
  // Every match of the line from its start, in order, not overlapping. After
  // an empty match the next may start at the same byte only if not empty.
  std::vector<TSearchMatch> FindAllIn(std::string_view line) const;
  void FindAllIn(std::string_view line, std::vector<TSearchMatch>& matches) const;
  // The number of FindAllIn's matches, without mapping them back to bytes.
  int CountIn(std::string_view line) const;
  // Calls found(match, groups) for every match from `from` on, as FindAllIn
  // steps, until it returns false; `groups` as FindIn gives them. One pass
  // over the line, for replacing every match.
  using TFoundEvent = std::function<bool(const TSearchMatch& match, const std::vector<TSearchMatch>& groups)>;
  void ForEachMatch(std::string_view line, int from, const TFoundEvent& found) const;

  // Lines held one after another in `bytes`, line i ending at ends[i] (the
  // first starting at 0, each other where the one before ends).
  struct TPackedLines {
    std::string_view Bytes;
    std::span<const uint32_t> Ends;
  };
  // Calls found(i, match) for every match of every line i, in order, as
  // FindAllIn gives them, until it returns false. A plain pattern (no
  // folding, notation or regular expression) is scanned for over all the
  // bytes in one pass, each candidate checked against its line's ends.
  using TLineMatchEvent = std::function<bool(size_t line, const TSearchMatch& match)>;
  void ForEachMatchInLines(const TPackedLines& lines, const TLineMatchEvent& found) const;
  // The number of matches of all the lines, as CountIn counts them.
  int CountInLines(const TPackedLines& lines) const;

  // Capturing groups of a regular expression (0 for a plain pattern) and the
  // number of a named one (-1 when there is none).
  int GroupCount() const;
  int GroupNumber(std::string_view name) const;

 private:
  // Scans call found(textStart, textEnd, map) with offsets of the search
  // text; `map` (null when the text is the line itself) maps them back.
  template <class F>
  void Scan(std::string_view line, int from, bool map, F&& found) const;
  template <class F>
  void ScanBytes(std::string_view line, size_t from, bool map, F&& found) const;
  template <class F>
  void ScanPacked(const TPackedLines& lines, F&& found) const;
  // Whether ScanPacked can serve the search: a plain pattern, nothing folded or hidden.
  bool ScansPacked() const;
  template <class F>
  void ForEachPackedLine(const TPackedLines& lines, F&& visit) const;
  template <class F>
  void ScanRegex(std::string_view line, size_t from, bool map, F&& found) const;
  void MapGroups(const TSearchTextMap* map, std::vector<TSearchMatch>& groups) const;
  const std::vector<THiddenSpan>* HiddenSpans(std::string_view line) const;
  void Stop(const std::string& why) const;

  TSearchOptions FOptions;
  bool FEmpty = false;
  bool FRaw = false;  // the pattern holds hidden notation: search the lines as written
  mutable std::string FError;
  const TFoldTable* FFold = nullptr;  // plain: null when every character matches only itself
  std::unique_ptr<TStringSearch> FEngine;
  // For plain patterns: the engine without the trail-byte rule, which
  // ScanPacked applies line by line itself.
  mutable std::unique_ptr<TStringSearch> FPackedEngine;
  size_t FPatternBytes = 0;  // of the pattern's search form
  bool FEndsInLead = false;  // the pattern's last byte is a lead byte without its trail
  std::unique_ptr<TRegexMatcher> FRegex;
  const TFoldTable* FRegexFold = nullptr;
  mutable bool FStopped = false;
  mutable THiddenMask FMask;
  mutable std::string FText;
  mutable std::vector<size_t> FOffsets;
};

}  // namespace vorna
