// The multi-byte-aware string search engine every scanner uses: Boyer-Moore
// with bad-character and good-suffix tables, ASCII case folding, a node chain
// for case-insensitive double-byte patterns, and a filter that rejects matches
// starting on a trail byte. Plus FindAll and the whole-word test.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

  const std::string& Pattern() const { return FPattern; }
  int Options() const { return FOptions; }

 private:
  struct TNode {
    unsigned char Lower, Upper;    // byte expected in each case variant
    int32_t NextLower, NextUpper;  // node to continue with after each
    int32_t Shift;                 // window shift on a mismatch at this node
  };
  enum class TMatcher { Never, OneByte, OneByteFolded, BoyerMoore, BoyerMooreFolded, NodeChain };

  const char* RawFind(const char* from, const char* to) const;
  const char* FindOneByte(const char* from, const char* to) const;
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
  int FNodeStart = 0;  // node of the last pattern position
};

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
