// Regular expressions over UTF-8 text through PCRE2: compiled once (with the
// JIT where the library has it) and matched under limits, so a pattern that
// backtracks without end fails with a reason instead of hanging.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vorna {

class TFoldTable;

// The UTF-8 form of a regular expression written in CP932. With `fold`, every
// literal character outside ASCII is folded as the search text is (so "ａ"
// under width folding stands for "a"); a folded character that would be
// syntax in ASCII is escaped ("＊" is "\*"), so folding never changes the
// pattern's structure. Escapes and quoted parts (\Q … \E) are respected.
std::string RegexPatternToUtf8(std::string_view cp932, const TFoldTable* fold);

class TRegexMatcher {
 public:
  enum class TResult { Match, NoMatch, TooComplex, Failed };

  // `pattern` is UTF-8. A bad pattern never throws: Ok() is false and
  // CompileError() says why. `caseless` folds case the Unicode way.
  TRegexMatcher(std::string_view pattern, bool caseless);
  ~TRegexMatcher();
  TRegexMatcher(const TRegexMatcher&) = delete;
  TRegexMatcher& operator=(const TRegexMatcher&) = delete;

  bool Ok() const { return FCode != nullptr; }
  // PCRE2's message (English) and the offset, in characters of the pattern,
  // where it found the fault.
  const std::string& CompileError() const { return FCompileError; }
  size_t CompileErrorCharacter() const { return FCompileErrorCharacter; }

  // Capturing groups of the pattern (group 0, the whole match, not counted).
  int GroupCount() const { return FGroupCount; }
  // The number of the group named `name`, or -1.
  int GroupNumber(std::string_view name) const;

  // Matches `subject` (valid UTF-8) from byte `start` (a character boundary).
  // With `notEmptyAtStart` an empty match at `start` does not count. On a
  // match, `offsets` holds a begin and an end byte per group 0 ..
  // GroupCount(), both SIZE_MAX for a group that took no part. TooComplex:
  // the match, depth, heap or JIT stack limit stopped it; Failed: any other
  // error, FailureText() says which.
  TResult Match(std::string_view subject, size_t start, bool notEmptyAtStart,
                std::vector<size_t>& offsets) const;
  const std::string& FailureText() const { return FFailureText; }

  // The limit on backtracking steps of one match call.
  static constexpr unsigned kMatchLimit = 10'000'000;

 private:
  struct TState;
  void* FCode = nullptr;  // pcre2_code_8
  std::unique_ptr<TState> FState;
  std::string FCompileError;
  size_t FCompileErrorCharacter = 0;
  int FGroupCount = 0;
  mutable std::string FFailureText;
};

}  // namespace vorna
