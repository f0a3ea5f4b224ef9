// The replacement text's pieces and the replacing of a line's matches.
#include "text/TextReplaces.h"

#include <algorithm>

#include "text/Cp932.h"
#include "text/HiddenMasks.h"
#include "text/ShiftJis.h"

namespace vorna {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsNameCharacter(char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// True when a span of `spans` lies inside line offsets [start, end), or for an
// empty range, ends at `start`: text put there would go between a ruby's
// base and its reading, or after a "｜" into the base.
bool TouchesSpan(const std::vector<THiddenSpan>& spans, size_t start, size_t end) {
  // The first span that ends (exclusive, as Last is 1-based) at or after `start`.
  const auto it = std::lower_bound(spans.begin(), spans.end(), start, [](const THiddenSpan& span, size_t at) {
    return static_cast<size_t>(span.Last) < at;
  });
  if (it == spans.end()) return false;
  if (start == end) return static_cast<size_t>(it->Last) == start;
  const auto inside = static_cast<size_t>(it->Last) == start ? it + 1 : it;
  return inside != spans.end() && static_cast<size_t>(inside->First) - 1 < end;
}

}  // namespace

TReplacement::TReplacement(std::string_view text, const TTextSearch& search) {
  if (!search.Options().Regex) {
    FPieces.push_back({std::string(text), -1});
    return;
  }
  std::string literal;
  const auto flush = [&] {
    if (!literal.empty()) FPieces.push_back({std::move(literal), -1});
    literal.clear();
  };
  const auto group = [&](int number, std::string_view written) {
    if (number < 0 || number > search.GroupCount()) {
      FError = Cp932Lit("置換文字列が正しくありません: ") + std::string(written) +
               Cp932Lit(" に当たるグループがありません");
      return;
    }
    flush();
    FPieces.push_back({{}, number});
  };
  const size_t n = text.size();
  for (size_t i = 0; i < n && FError.empty();) {
    if (IsDoubleByteAt(text, i)) {
      literal.append(text.substr(i, 2));
      i += 2;
      continue;
    }
    const char c = text[i];
    const char next = i + 1 < n ? text[i + 1] : '\0';
    if (c == '\\' && (next == 'n' || next == 't' || next == '\\' || next == '$')) {
      literal += next == 'n' ? "\r\n" : next == 't' ? "\t" : std::string(1, next);
      i += 2;
    } else if (c == '$' && next == '$') {
      literal += '$';
      i += 2;
    } else if (c == '$' && next == '&') {
      group(0, "$&");
      i += 2;
    } else if (c == '$' && IsDigit(next)) {
      size_t end = i + 2;
      if (end < n && IsDigit(text[end])) ++end;
      group(std::stoi(std::string(text.substr(i + 1, end - i - 1))), text.substr(i, end - i));
      i = end;
    } else if (c == '$' && next == '{') {
      size_t end = i + 2;
      while (end < n && IsNameCharacter(text[end])) ++end;
      if (end >= n || text[end] != '}' || end == i + 2) {
        literal += c;  // not a reference: the "$" stands for itself
        ++i;
        continue;
      }
      const std::string_view name = text.substr(i + 2, end - i - 2);
      const bool numbered = std::all_of(name.begin(), name.end(), IsDigit);
      const int number =
          numbered ? (name.size() <= 3 ? std::stoi(std::string(name)) : INT_MAX) : search.GroupNumber(name);
      group(number, text.substr(i, end + 1 - i));
      i = end + 1;
    } else {
      literal += c;
      ++i;
    }
  }
  flush();
  if (!FError.empty()) FPieces.clear();
}

std::string TReplacement::Expand(std::string_view line, const std::vector<TSearchMatch>& groups) const {
  std::string out;
  for (const TPiece& piece : FPieces) {
    if (piece.Group < 0) {
      out += piece.Literal;
      continue;
    }
    const size_t k = static_cast<size_t>(piece.Group);
    if (k >= groups.size() || groups[k].Start < 1) continue;
    out.append(
        line.substr(static_cast<size_t>(groups[k].Start) - 1, static_cast<size_t>(groups[k].LengthBytes)));
  }
  return out;
}

TLineReplacement ReplaceInLine(std::string_view line, const TTextSearch& search,
                               const TReplacement& replacement, int from, int to) {
  TLineReplacement result;
  if (!replacement.Ok() || !search.CanMatch()) {
    result.Text.assign(line);
    return result;
  }
  THiddenMask mask;
  if (search.HidesNotation())
    FillHiddenMask(mask, line, search.Options().SkipRuby, search.Options().SkipAnnotations, false, {});
  size_t copied = 0;  // bytes of the line already in the result
  search.ForEachMatch(line, from, [&](const TSearchMatch& match, const std::vector<TSearchMatch>& groups) {
    if (match.End() > to) return false;
    const size_t start = static_cast<size_t>(match.Start) - 1;
    const size_t end = start + static_cast<size_t>(match.LengthBytes);
    if (mask.AnyHidden() && TouchesSpan(mask.Spans(), start, end)) {
      ++result.Skipped;
      return true;
    }
    result.Text.append(line.substr(copied, start - copied));
    result.Text += replacement.Expand(line, groups);
    copied = end;
    ++result.Count;
    return true;
  });
  if (search.Stopped()) {
    // Stopped part way (the match limit): a line half replaced is no result.
    result = TLineReplacement{std::string(line), 0, 0};
    return result;
  }
  result.Text.append(line.substr(copied));
  return result;
}

}  // namespace vorna
