// The multi-byte-aware string search engine every scanner uses: byte-pair
// scanning for short case-sensitive patterns, Boyer-Moore with bad-character
// and good-suffix tables, ASCII case folding, a node chain for
// case-insensitive double-byte patterns, and a filter that rejects matches
// starting on a trail byte. Plus FindAll and the whole-word test.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/BytePairScans.h"
#include "text/HiddenMasks.h"

namespace vorna {

// Engine options (bit set).
enum : int {
  soIgnoreCase = 1,    // fold ASCII letters (and, with soMultiByte, whole characters)
  soMultiByte = 2,     // never match at a trail byte
  soFileNameCase = 4,  // the file-name case mapping for the multi-byte folding
};

// FindAll options (bit set).
enum : int {
  faIgnoreCase = 1,
  faWholeWord = 2,
};

class TStringSearch {
 public:
  TStringSearch(std::string_view pattern, int options);
  ~TStringSearch();
  TStringSearch(const TStringSearch&) = delete;
  TStringSearch& operator=(const TStringSearch&) = delete;

  // First match lying completely inside [from, to), or nullptr. `from` must be
  // a character boundary of the searched text when soMultiByte is set.
  const char* Find(const char* from, const char* to) const;
  // Calls found(match) for the matches inside [from, to) one after another,
  // as Find would give them: found returns where the next may start at the
  // earliest (after `match`, a character boundary when soMultiByte is set) or
  // nullptr to stop. Short case-sensitive patterns scan the range once
  // however many matches it holds.
  template <class F>
  void ForEachMatch(const char* from, const char* to, F&& found) const;

  const std::string& Pattern() const { return FPattern; }
  int Options() const { return FOptions; }

 private:
  struct TNode {
    unsigned char Lower, Upper;    // byte expected in each case variant
    int32_t NextLower, NextUpper;  // node to continue with after each
    int32_t Shift;                 // window shift on a mismatch at this node
  };
  enum class TMatcher { Never, OneByte, OneByteFolded, BytePair, BoyerMoore, BoyerMooreFolded, NodeChain };

  const char* RawFind(const char* from, const char* to) const;
  const char* FindOneByte(const char* from, const char* to) const;
  const char* FindBytePairs(const char* from, const char* to) const;
  template <class F>
  const char* ScanBytePairs(const char* from, const char* to, F&& onMatch) const;
  const char* FindBoyerMoore(const char* from, const char* to, bool folded) const;
  const char* FindNodeChain(const char* from, const char* to) const;
  void BuildSkip(std::string_view bytes);
  void BuildSuffixShift();
  void BuildNodes(std::string_view original);

  std::string FPattern;
  int FOptions;
  TMatcher FMatcher = TMatcher::Never;
  int32_t FSkip[256];
  std::vector<int32_t> FSuffixShift;
  std::vector<TNode> FNodes;
  int FNodeStart = 0;      // node of the last pattern position
  TBytePair FPair;         // the bytes the BytePair matcher scans for
  size_t FPairOffset = 0;  // pattern offset of FPair.First
};

template <class F>
void TStringSearch::ForEachMatch(const char* from, const char* to, F&& found) const {
  if (!from || !to || to <= from) return;
  if (FMatcher == TMatcher::BytePair) {
    ScanBytePairs(from, to, found);
    return;
  }
  while (from && from < to) {
    const char* match = Find(from, to);
    if (!match) return;
    from = found(match);
  }
}

// The whole pattern is compared only where its two scanned bytes stand, and
// with soMultiByte the trail-byte test follows only a whole match. onMatch
// returns the earliest start of the next match, or nullptr to stop at this
// one, which is then returned.
template <class F>
const char* TStringSearch::ScanBytePairs(const char* from, const char* to, F&& onMatch) const {
  const size_t m = FPattern.size();
  if (static_cast<size_t>(to - from) < m) return nullptr;
  const char* pattern = FPattern.data();
  const size_t offset = FPairOffset;
  const bool multiByte = FOptions & soMultiByte;
  // Window starts run over [from, to - m]; their pair bytes lie `offset` on.
  const char* pairsFrom = from + offset;
  const char* pairsTo = to - (m - 1 - offset - FPair.Distance);
  const char* next = from;      // no match starts before this
  const char* boundary = from;  // a character start at or before the next window
  const char* stop = nullptr;
  FindBytePair(pairsFrom, pairsTo, FPair, [&](const char* at) {
    const char* window = at - offset;
    if (window < next) return false;
    if (m > 32 ? std::memcmp(window, pattern, m) != 0 : !SameShortBytes(window, pattern, m)) return false;
    if (multiByte && LeadRunBefore(reinterpret_cast<const unsigned char*>(boundary), 0,
                                   static_cast<size_t>(window - boundary)) %
                             2 ==
                         1) {
      boundary = window + 1;  // the window began on a trail byte, so the next byte starts a character
      return false;
    }
    const char* resume = onMatch(window);
    if (!resume) {
      stop = window;
      return true;
    }
    next = boundary = resume;
    return false;
  });
  return stop;
}

// Find-first / find-next / close over one text. Matches never overlap.
struct TSearchRec {
  std::string_view Text;
  std::string Pattern;
  int Position = 0;  // 1-based start of the last match, 0 before the first
  int NextFrom = 0;  // 0-based offset where the next search starts
  std::unique_ptr<TStringSearch> Engine;
};

// Returns the 1-based position of the first match, or 0 (and frees the engine).
int FindFirst(TSearchRec& rec, std::string_view text, std::string_view pattern, int options);
// Returns the next match after the previous one, or 0 (and frees the engine).
int FindNext(TSearchRec& rec);
void FindClose(TSearchRec& rec);

// 1-based positions of all non-overlapping occurrences, in order. Always
// multi-byte aware; faIgnoreCase folds case, faWholeWord keeps only positions
// where IsWholeWord holds. An empty pattern gives no positions.
std::vector<int> FindAll(std::string_view pattern, std::string_view text, int options = 0);

// The same with a prepared engine (multi-byte aware), into `positions`, so a
// caller that searches many lines builds the tables once.
void FindAllWith(const TStringSearch& engine, std::string_view text, bool wholeWord,
                 std::vector<int>& positions);

// True when the occurrence of `pattern` at 1-based `pos` is delimited on both
// sides (text edge, a delimiter byte, or a double-byte character).
bool IsWholeWord(std::string_view text, std::string_view pattern, int pos);

// The 256-byte ASCII upper-case table (identity except a-z).
const unsigned char* UpperCaseTable();

}  // namespace vorna
