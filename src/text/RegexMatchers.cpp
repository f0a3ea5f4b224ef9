// PCRE2 behind TRegexMatcher, and the UTF-8 form of a CP932 pattern.
#include "text/RegexMatchers.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include "text/Cp932.h"
#include "text/SearchTexts.h"
#include "text/ShiftJis.h"

namespace vorna {
namespace {

constexpr uint32_t kDepthLimit = 10'000'000;
constexpr uint32_t kHeapLimitKib = 64 * 1024;
constexpr size_t kJitStackStart = 32 * 1024;
constexpr size_t kJitStackMax = 8 * 1024 * 1024;

bool IsAsciiAlnum(char32_t c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string ErrorMessage(int code) {
  PCRE2_UCHAR buffer[256];
  const int length = pcre2_get_error_message(code, buffer, sizeof buffer);
  return length < 0 ? "error " + std::to_string(code)
                    : std::string(reinterpret_cast<const char*>(buffer), static_cast<size_t>(length));
}

pcre2_code* Code(void* code) { return static_cast<pcre2_code*>(code); }

}  // namespace

std::string RegexPatternToUtf8(std::string_view cp932, const TFoldTable* fold) {
  const auto* b = reinterpret_cast<const unsigned char*>(cp932.data());
  const size_t n = cp932.size();
  std::string out;
  out.reserve(n * 2);
  bool escaped = false;  // the character before was an escaping backslash
  bool quoted = false;   // inside \Q … \E
  for (size_t i = 0; i < n;) {
    const unsigned char c = b[i];
    if (c < 0x80) {
      if (quoted) {
        if (c == '\\' && i + 1 < n && b[i + 1] == 'E') {
          out += "\\E";
          quoted = false;
          i += 2;
          continue;
        }
      } else if (escaped) {
        escaped = false;
        quoted = c == 'Q';
      } else {
        escaped = c == '\\';
      }
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    // Outside ASCII every character is a literal.
    size_t length = IsLeadByte(c) && i + 1 < n ? 2 : 1;
    unsigned code = length == 2 ? static_cast<unsigned>(c) << 8 | b[i + 1] : c;
    if (fold) {
      const uint16_t pair = length == 1 && i + 1 < n ? fold->FoldPair(c, b[i + 1]) : 0;
      if (pair) {
        code = pair;
        length = 2;
      } else {
        code = fold->Fold(code);
      }
    }
    i += length;
    const char32_t cp = SearchCharacterOf(code);
    if (cp >= 0x80 || quoted) {
      AppendUtf8(out, cp);
    } else {
      // Folded into ASCII: keep it a literal. An escaping backslash before it
      // already quotes a symbol but would turn a letter into an escape.
      if (escaped && IsAsciiAlnum(cp)) out.pop_back();
      if (!escaped && !IsAsciiAlnum(cp)) out += '\\';
      out += static_cast<char>(cp);
    }
    escaped = false;
  }
  return out;
}

struct TRegexMatcher::TState {
  pcre2_match_context* Context = nullptr;
  pcre2_jit_stack* JitStack = nullptr;
  pcre2_match_data* Data = nullptr;
  ~TState() {
    pcre2_match_data_free(Data);
    pcre2_match_context_free(Context);
    pcre2_jit_stack_free(JitStack);
  }
};

TRegexMatcher::TRegexMatcher(std::string_view pattern, bool caseless) {
  int error = 0;
  PCRE2_SIZE errorOffset = 0;
  const uint32_t options = PCRE2_UTF | PCRE2_UCP | (caseless ? PCRE2_CASELESS : 0);
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), options,
                                   &error, &errorOffset, nullptr);
  if (!code) {
    FCompileError = ErrorMessage(error);
    // Characters before the offset (UTF-8 lead bytes).
    for (size_t i = 0; i < errorOffset && i < pattern.size(); ++i)
      if ((static_cast<unsigned char>(pattern[i]) & 0xC0) != 0x80) ++FCompileErrorCharacter;
    return;
  }
  FCode = code;
  uint32_t captures = 0;
  pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &captures);
  FGroupCount = static_cast<int>(captures);
  FState = std::make_unique<TState>();
  FState->Context = pcre2_match_context_create(nullptr);
  pcre2_set_match_limit(FState->Context, kMatchLimit);
  pcre2_set_depth_limit(FState->Context, kDepthLimit);
  pcre2_set_heap_limit(FState->Context, kHeapLimitKib);
  uint32_t jit = 0;
  pcre2_config(PCRE2_CONFIG_JIT, &jit);
  // Without the JIT (or when it cannot get executable memory) the interpreter runs the same pattern.
  if (jit && pcre2_jit_compile(code, PCRE2_JIT_COMPLETE) == 0) {
    FState->JitStack = pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr);
    if (FState->JitStack) pcre2_jit_stack_assign(FState->Context, nullptr, FState->JitStack);
  }
  FState->Data = pcre2_match_data_create_from_pattern(code, nullptr);
}

TRegexMatcher::~TRegexMatcher() {
  FState.reset();
  pcre2_code_free(Code(FCode));
}

int TRegexMatcher::GroupNumber(std::string_view name) const {
  if (!FCode) return -1;
  const std::string terminated(name);
  const int number =
      pcre2_substring_number_from_name(Code(FCode), reinterpret_cast<PCRE2_SPTR>(terminated.c_str()));
  return number > 0 ? number : -1;
}

TRegexMatcher::TResult TRegexMatcher::Match(std::string_view subject, size_t start, bool notEmptyAtStart,
                                            std::vector<size_t>& offsets) const {
  if (!FCode) return TResult::Failed;
  const uint32_t options = PCRE2_NO_UTF_CHECK | (notEmptyAtStart ? PCRE2_NOTEMPTY_ATSTART : 0);
  const int rc = pcre2_match(Code(FCode), reinterpret_cast<PCRE2_SPTR>(subject.data()), subject.size(), start,
                             options, FState->Data, FState->Context);
  if (rc == PCRE2_ERROR_NOMATCH) return TResult::NoMatch;
  if (rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT || rc == PCRE2_ERROR_HEAPLIMIT ||
      rc == PCRE2_ERROR_JIT_STACKLIMIT || rc == PCRE2_ERROR_NOMEMORY)
    return TResult::TooComplex;
  if (rc < 0) {
    FFailureText = ErrorMessage(rc);
    return TResult::Failed;
  }
  const PCRE2_SIZE* vector = pcre2_get_ovector_pointer(FState->Data);
  const size_t pairs = static_cast<size_t>(FGroupCount) + 1;
  offsets.assign(pairs * 2, SIZE_MAX);
  // Groups past the count PCRE2 returned took no part; it marks unset ones PCRE2_UNSET.
  for (size_t k = 0; k < pairs && k < static_cast<size_t>(rc); ++k) {
    if (vector[2 * k] == PCRE2_UNSET) continue;
    offsets[2 * k] = vector[2 * k];
    offsets[2 * k + 1] = vector[2 * k + 1];
  }
  return TResult::Match;
}

}  // namespace vorna
