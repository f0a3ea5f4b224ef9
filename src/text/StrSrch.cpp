// The string search engine: matcher selection, byte-pair scanning, Boyer-Moore
// tables, the case-insensitive node chain and the trail-byte filter; FindAll on top.
#include "text/StrSrch.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "text/ShiftJis.h"
#include "text/TextConversions.h"

namespace vorna {
namespace {

struct TUpperTable {
  unsigned char Map[256];
  TUpperTable() {
    for (int i = 0; i < 256; ++i) Map[i] = static_cast<unsigned char>(i >= 'a' && i <= 'z' ? i - 32 : i);
  }
};
const TUpperTable kUpper;

inline unsigned char Byte(const char* p) { return static_cast<unsigned char>(*p); }

// Patterns longer than this get the plain shift of 1 after a partial match in
// the node chain; the exact table would cost O(m^2) to build.
constexpr int kMaxNodeShiftPattern = 256;

// Case-sensitive patterns up to this length find their candidate windows by
// their first and last bytes (compared whole only there); longer ones keep
// Boyer-Moore, whose shifts stay linear on periodic patterns.
constexpr size_t kBytePairPatternLimit = 32;

// Bytes far more common than the others: the lead bytes of kana and
// punctuation in Japanese text, spaces and line ends in any.
bool IsCommonByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x83) || byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n';
}

// Offsets of the two bytes of `pattern` (2 or more bytes) scanned for: the
// last two that are not common, else the last ones, so few windows but the
// matches hold both.
std::pair<size_t, size_t> PairOffsets(std::string_view pattern) {
  size_t picked[2];
  int count = 0;
  for (int common = 0; common < 2 && count < 2; ++common)
    for (size_t i = pattern.size(); i-- > 0 && count < 2;)
      if (IsCommonByte(static_cast<unsigned char>(pattern[i])) == (common == 1) &&
          (count == 0 || picked[0] != i))
        picked[count++] = i;
  return {std::min(picked[0], picked[1]), std::max(picked[0], picked[1])};
}

}  // namespace

const unsigned char* UpperCaseTable() { return kUpper.Map; }

TStringSearch::TStringSearch(std::string_view pattern, int options) : FPattern(pattern), FOptions(options) {
  std::fill(std::begin(FSkip), std::end(FSkip), 0);
  const bool ignoreCase = options & soIgnoreCase;
  if (ignoreCase)
    for (auto& c : FPattern) c = static_cast<char>(kUpper.Map[static_cast<unsigned char>(c)]);
  const size_t m = FPattern.size();
  if (m == 0) {
    FMatcher = TMatcher::Never;
  } else if (m == 1) {
    unsigned char c = Byte(FPattern.data());
    FMatcher = ignoreCase && c >= 'A' && c <= 'Z' ? TMatcher::OneByteFolded : TMatcher::OneByte;
  } else if (!ignoreCase && m <= kBytePairPatternLimit) {
    FMatcher = TMatcher::BytePair;
    const auto [first, second] = PairOffsets(FPattern);
    FPair = {Byte(FPattern.data() + first), Byte(FPattern.data() + second), second - first};
    FPairOffset = first;
  } else if (!ignoreCase) {
    FMatcher = TMatcher::BoyerMoore;
    BuildSkip(FPattern);
    BuildSuffixShift();
  } else if (!(options & soMultiByte)) {
    FMatcher = TMatcher::BoyerMooreFolded;
    BuildSkip(FPattern);
    for (int c = 'a'; c <= 'z'; ++c) FSkip[c] = FSkip[c - 32];
    BuildSuffixShift();
  } else {
    BuildNodes(pattern);
  }
}

TStringSearch::~TStringSearch() = default;

void TStringSearch::BuildSkip(std::string_view bytes) {
  const int m = static_cast<int>(bytes.size());
  std::fill(std::begin(FSkip), std::end(FSkip), m);
  for (int i = 0; i < m - 1; ++i) FSkip[static_cast<unsigned char>(bytes[i])] = m - 1 - i;
}

// Classic strong good-suffix table: FSuffixShift[j] is the shift after a
// mismatch at pattern index j with pattern[j+1..m-1] matched.
void TStringSearch::BuildSuffixShift() {
  const int m = static_cast<int>(FPattern.size());
  const char* p = FPattern.data();
  std::vector<int32_t> suffix(m);
  suffix[m - 1] = m;
  int g = m - 1, f = 0;
  for (int i = m - 2; i >= 0; --i) {
    if (i > g && suffix[i + m - 1 - f] < i - g) {
      suffix[i] = suffix[i + m - 1 - f];
    } else {
      if (i < g) g = i;
      f = i;
      while (g >= 0 && p[g] == p[g + m - 1 - f]) --g;
      suffix[i] = f - g;
    }
  }
  FSuffixShift.assign(m, m);
  int j = 0;
  for (int i = m - 1; i >= 0; --i)
    if (suffix[i] == i + 1)
      for (; j < m - 1 - i; ++j)
        if (FSuffixShift[j] == m) FSuffixShift[j] = m - 1 - i;
  for (int i = 0; i <= m - 2; ++i) FSuffixShift[m - 1 - suffix[i]] = m - 1 - i;
}

// Node 2*i+v stands at pattern index i; v tells which case variant the
// already matched trail byte of a double-byte character came from, so that its
// lead byte is taken from the same variant. Nodes 0 and 1 are terminal (index
// -1), pattern index i uses nodes 2*(i+1) and 2*(i+1)+1.
void TStringSearch::BuildNodes(std::string_view original) {
  std::string lower = ConvertText(original, ckLowerCase);
  std::string upper = ConvertText(original, ckUpperCase);
  // The conversions keep byte lengths; should one not, match the pattern's own bytes.
  if (lower.size() != original.size()) lower = std::string(original);
  if (upper.size() != original.size()) upper = std::string(original);
  const int m = static_cast<int>(original.size());
  // Character structure of the pattern: which indexes are lead bytes.
  std::vector<bool> lead(m, false);
  for (int i = 0; i < m;) {
    if (IsDoubleByteAt(original, i)) {
      lead[i] = true;
      i += 2;
    } else {
      ++i;
    }
  }
  auto node = [](int index, int variant) { return 2 * (index + 1) + variant; };
  FNodes.assign(2 * m + 2, TNode{0, 0, 0, 0, 1});
  for (int i = m - 1; i >= 0; --i) {
    const unsigned char lo = static_cast<unsigned char>(lower[i]);
    const unsigned char up = static_cast<unsigned char>(upper[i]);
    const bool isTrail = i > 0 && lead[i - 1];
    for (int v = 0; v < 2; ++v) {
      TNode& n = FNodes[node(i, v)];
      if (lead[i] && i + 1 < m) {
        // Lead byte: only the variant its trail byte came from (either, when
        // the trail byte is the same in both).
        const bool trailAmbiguous = lower[i + 1] == upper[i + 1];
        n.Lower = trailAmbiguous || v == 0 ? lo : up;
        n.Upper = trailAmbiguous || v == 1 ? up : lo;
        n.NextLower = n.NextUpper = node(i - 1, 0);
      } else {
        n.Lower = lo;
        n.Upper = up;
        n.NextLower = node(i - 1, 0);
        n.NextUpper = node(i - 1, isTrail ? 1 : 0);
      }
    }
  }
  FNodeStart = node(m - 1, 0);
  // Bad-character shifts over the bytes of both variants.
  std::fill(std::begin(FSkip), std::end(FSkip), m);
  for (int i = 0; i < m - 1; ++i) {
    FSkip[static_cast<unsigned char>(lower[i])] = m - 1 - i;
    FSkip[static_cast<unsigned char>(upper[i])] = m - 1 - i;
  }
  // Shift after a mismatch at index j: the smallest d whose alignment keeps
  // every matched position compatible (the byte sets of both variants meet).
  auto meets = [&](int a, int b) {
    return lower[a] == lower[b] || lower[a] == upper[b] || upper[a] == lower[b] || upper[a] == upper[b];
  };
  for (int j = 0; j < m; ++j) {
    int shift = 1;
    if (m <= kMaxNodeShiftPattern) {
      for (shift = 1; shift < m; ++shift) {
        bool ok = true;
        for (int k = m - 1; k > j && k - shift >= 0; --k)
          if (!meets(k, k - shift)) {
            ok = false;
            break;
          }
        if (ok) break;
      }
    }
    FNodes[node(j, 0)].Shift = FNodes[node(j, 1)].Shift = shift;
  }
  FMatcher = TMatcher::NodeChain;
}

const char* TStringSearch::FindOneByte(const char* from, const char* to) const {
  const unsigned char c = Byte(FPattern.data());
  if (FMatcher == TMatcher::OneByte) {
    return static_cast<const char*>(std::memchr(from, c, to - from));
  }
  for (const char* p = from; p < to; ++p)
    if (kUpper.Map[Byte(p)] == c) return p;
  return nullptr;
}

const char* TStringSearch::FindBoyerMoore(const char* from, const char* to, bool folded) const {
  const int m = static_cast<int>(FPattern.size());
  if (to - from < m) return nullptr;
  const unsigned char* pat = reinterpret_cast<const unsigned char*>(FPattern.data());
  const unsigned char last = pat[m - 1];
  const unsigned char* map = kUpper.Map;
  const unsigned char* end = reinterpret_cast<const unsigned char*>(to) - m;
  const unsigned char* win = reinterpret_cast<const unsigned char*>(from);
  while (win <= end) {
    unsigned char c = win[m - 1];
    if (folded) c = map[c];
    if (c != last) {
      win += FSkip[c];
      continue;
    }
    int j = m - 2;
    if (folded) {
      while (j >= 0 && map[win[j]] == pat[j]) --j;
    } else {
      while (j >= 0 && win[j] == pat[j]) --j;
    }
    if (j < 0) return reinterpret_cast<const char*>(win);
    win += FSuffixShift[j];
  }
  return nullptr;
}

const char* TStringSearch::FindNodeChain(const char* from, const char* to) const {
  const int m = static_cast<int>(FPattern.size());
  if (to - from < m) return nullptr;
  const unsigned char* end = reinterpret_cast<const unsigned char*>(to) - m;
  const unsigned char* win = reinterpret_cast<const unsigned char*>(from);
  const TNode* nodes = FNodes.data();
  while (win <= end) {
    int j = m - 1;
    int current = FNodeStart;
    const unsigned char c = win[j];
    if (c != nodes[current].Lower && c != nodes[current].Upper) {
      win += FSkip[c];
      continue;
    }
    while (j >= 0) {
      const TNode& n = nodes[current];
      const unsigned char b = win[j];
      if (b == n.Lower) {
        current = n.NextLower;
      } else if (b == n.Upper) {
        current = n.NextUpper;
      } else {
        break;
      }
      --j;
    }
    if (j < 0) return reinterpret_cast<const char*>(win);
    win += nodes[current].Shift;
  }
  return nullptr;
}

const char* TStringSearch::FindBytePairs(const char* from, const char* to) const {
  return ScanBytePairs(from, to, [](const char*) -> const char* { return nullptr; });
}

const char* TStringSearch::RawFind(const char* from, const char* to) const {
  switch (FMatcher) {
    case TMatcher::Never:
      return nullptr;
    case TMatcher::OneByte:
    case TMatcher::OneByteFolded:
      return FindOneByte(from, to);
    case TMatcher::BytePair:
      return FindBytePairs(from, to);
    case TMatcher::BoyerMoore:
      return FindBoyerMoore(from, to, false);
    case TMatcher::BoyerMooreFolded:
      return FindBoyerMoore(from, to, true);
    case TMatcher::NodeChain:
      return FindNodeChain(from, to);
  }
  return nullptr;
}

const char* TStringSearch::Find(const char* from, const char* to) const {
  if (!from || !to || to <= from) return nullptr;
  if (!(FOptions & soMultiByte) || FMatcher == TMatcher::BytePair) return RawFind(from, to);
  // `boundary` is always a character start at or before the next candidate.
  // The run of lead-range bytes just before a candidate starts at a character
  // boundary (the byte before such a run is never a lead byte, or the run
  // reaches `boundary`), so the candidate is a trail byte exactly when that
  // run is odd. This gives the same answer as walking from the start of the
  // range while looking at only a few bytes per candidate.
  const char* boundary = from;
  const char* start = from;
  while (const char* match = RawFind(start, to)) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(boundary);
    if (LeadRunBefore(bytes, 0, static_cast<size_t>(match - boundary)) % 2 == 0) return match;
    boundary = start = match + 1;  // the match began on a trail byte; resume after it
    if (start >= to) break;
  }
  return nullptr;
}

namespace {

// 0-based offset of the first character boundary at or after `offset`, given
// that `known` <= offset is a boundary.
size_t NextBoundary(std::string_view text, size_t known, size_t offset) {
  while (known < offset) known += IsLeadByte(static_cast<unsigned char>(text[known])) ? 2 : 1;
  return known;
}

}  // namespace

int FindFirst(TSearchRec& rec, std::string_view text, std::string_view pattern, int options) {
  rec.Text = text;
  rec.Pattern = std::string(pattern);
  rec.Position = 0;
  rec.NextFrom = 0;
  rec.Engine = std::make_unique<TStringSearch>(pattern, options);
  return FindNext(rec);
}

int FindNext(TSearchRec& rec) {
  if (!rec.Engine) return 0;
  const size_t size = rec.Text.size();
  if (static_cast<size_t>(rec.NextFrom) >= size) {
    FindClose(rec);
    return 0;
  }
  const char* base = rec.Text.data();
  const char* match = rec.Engine->Find(base + rec.NextFrom, base + size);
  if (!match) {
    FindClose(rec);
    return 0;
  }
  const size_t offset = static_cast<size_t>(match - base);
  size_t next = offset + rec.Pattern.size();
  if (rec.Engine->Options() & soMultiByte) next = NextBoundary(rec.Text, offset, next);
  rec.Position = static_cast<int>(offset) + 1;
  rec.NextFrom = static_cast<int>(std::min(next, size));
  return rec.Position;
}

void FindClose(TSearchRec& rec) { rec.Engine.reset(); }

std::vector<int> FindAll(std::string_view pattern, std::string_view text, int options) {
  std::vector<int> positions;
  if (pattern.empty() || text.size() < pattern.size()) return positions;
  const int engineOptions = soMultiByte | (options & faIgnoreCase ? soIgnoreCase : 0);
  TStringSearch engine(pattern, engineOptions);
  FindAllWith(engine, text, options & faWholeWord, positions);
  return positions;
}

void FindAllWith(const TStringSearch& engine, std::string_view text, bool wholeWord,
                 std::vector<int>& positions) {
  positions.clear();
  const std::string& pattern = engine.Pattern();
  if (pattern.empty() || text.size() < pattern.size()) return;
  const char* base = text.data();
  engine.ForEachMatch(base, base + text.size(), [&](const char* match) -> const char* {
    const size_t offset = static_cast<size_t>(match - base);
    const int pos = static_cast<int>(offset) + 1;
    if (!wholeWord || IsWholeWord(text, pattern, pos)) positions.push_back(pos);
    const size_t next = NextBoundary(text, offset, offset + pattern.size());
    return next < text.size() ? base + next : nullptr;
  });
}

namespace {

bool IsDelimiter(unsigned char c) {
  static constexpr std::string_view kDelimiters = " ',.!?:;[]()&%$#\"-";
  return kDelimiters.find(static_cast<char>(c)) != std::string_view::npos;
}

// True when the byte at 0-based `i` is part of a double-byte character. The
// run of lead-range bytes before a byte starts at a character boundary (the
// byte before the run is never a lead byte), so its parity decides.
bool IsPartOfDoubleByte(std::string_view text, size_t i) {
  const auto* b = reinterpret_cast<const unsigned char*>(text.data());
  size_t run = 0;
  while (run < i && IsLeadByte(b[i - 1 - run])) ++run;
  if (run % 2 == 1) return true;  // the byte is the trail of the lead before it
  return IsLeadByte(b[i]) && i + 1 < text.size();
}

}  // namespace

bool IsWholeWord(std::string_view text, std::string_view pattern, int pos) {
  if (pos < 1 || static_cast<size_t>(pos) > text.size()) return false;
  const auto* b = reinterpret_cast<const unsigned char*>(text.data());
  const size_t start = static_cast<size_t>(pos - 1);
  bool left = start == 0 || IsDelimiter(b[start - 1]) || IsPartOfDoubleByte(text, start - 1);
  if (!left) return false;
  const size_t after = start + pattern.size();
  return after >= text.size() || IsDelimiter(b[after]) || IsPartOfDoubleByte(text, after);
}

}  // namespace vorna
