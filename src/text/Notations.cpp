// Scanners for ruby, annotation and emphasis notation, and its removal.
#include "text/Notations.h"

#include <algorithm>
#include <cstring>

#include "text/CharClasses.h"
#include "text/Cp932.h"
#include "text/ShiftJis.h"
#include "text/StrSrch.h"

namespace vorna {

namespace {

const std::string& Bar() {
  static const std::string& marker = Cp932Lit("｜");
  return marker;
}
const std::string& RubyOpen() {
  static const std::string& marker = Cp932Lit("《");
  return marker;
}
const std::string& RubyClose() {
  static const std::string& marker = Cp932Lit("》");
  return marker;
}
const std::string& NoteOpen() {
  static const std::string& marker = Cp932Lit("［＃");
  return marker;
}
const std::string& NoteClose() {
  static const std::string& marker = Cp932Lit("］");
  return marker;
}
const std::string& QuoteOpen() {
  static const std::string& marker = Cp932Lit("［＃「");
  return marker;
}

// True when byte `pos` (1-based) starts a character, walking from `boundary`,
// a position known to start one.
bool StartsCharFrom(std::string_view text, int boundary, int pos) {
  return ByteTypeFrom(text, boundary, pos) != TByteType::Trail;
}

// Deletes every span from an opener to the first closer after it (the union of
// the spans, so nested or repeated openers never delete text past a closer).
std::string RemovePairs(std::string_view text, std::string_view open, std::string_view close) {
  std::vector<int> openers = FindAll(open, text);
  if (openers.empty()) return std::string(text);
  std::vector<int> closers = FindAll(close, text);
  std::string result;
  result.reserve(text.size());
  size_t kept = 0;  // 0-based offset of the first byte not yet copied or deleted
  size_t j = 0;
  for (int p : openers) {
    const size_t from = static_cast<size_t>(p - 1);
    if (from < kept) continue;  // inside a span already deleted
    while (j < closers.size() && closers[j] <= p) ++j;
    if (j == closers.size()) break;  // no later opener has a closer either
    result.append(text.substr(kept, from - kept));
    kept = static_cast<size_t>(closers[j] - 1) + close.size();
  }
  result.append(text.substr(kept));
  return result;
}

std::string RemoveAll(std::string_view text, std::string_view marker) {
  std::vector<int> hits = FindAll(marker, text);
  if (hits.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  size_t kept = 0;
  for (int p : hits) {
    result.append(text.substr(kept, static_cast<size_t>(p - 1) - kept));
    kept = static_cast<size_t>(p - 1) + marker.size();
  }
  result.append(text.substr(kept));
  return result;
}

}  // namespace

const std::array<std::string, EmphasisKindCount>& EmphasisClosings() {
  static const std::array<std::string, EmphasisKindCount> closings = {
      Cp932Lit("」に傍点］"),       Cp932Lit("」に白丸傍点］"),   Cp932Lit("」に丸傍点］"),
      Cp932Lit("」に黒三角傍点］"), Cp932Lit("」に白三角傍点］"), Cp932Lit("」に二重丸傍点］"),
      Cp932Lit("」に蛇の目傍点］"), Cp932Lit("」に白ゴマ傍点］"), Cp932Lit("」に傍線］"),
      Cp932Lit("」に二重傍線］"),
  };
  return closings;
}

int FindMarker(std::string_view line, std::string_view marker, int from) {
  const size_t size = line.size(), length = marker.size();
  if (length == 0 || length > size) return 0;
  if (from < 1) from = 1;
  const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
  const auto first = static_cast<unsigned char>(marker[0]);
  // Walk character starts from the line start so a trail byte is never a start.
  size_t i = 0;
  while (i + length <= size) {
    if (i + 1 >= static_cast<size_t>(from) && bytes[i] == first &&
        std::memcmp(bytes + i, marker.data(), length) == 0)
      return static_cast<int>(i + 1);
    i += IsDoubleByteAt(line, i) ? 2 : 1;
  }
  return 0;
}

std::vector<TByteRange> FindPairs(std::string_view line, std::string_view open, std::string_view close) {
  std::vector<TByteRange> result;
  if (open.empty()) return result;
  std::vector<int> openers = FindAll(open, line);
  const int openLength = static_cast<int>(open.size());
  if (close.empty()) {
    result.reserve(openers.size());
    for (int p : openers) result.push_back({p, p + openLength - 1});
    return result;
  }
  std::vector<int> closers = FindAll(close, line);
  const int closeLength = static_cast<int>(close.size());
  size_t j = 0;
  for (size_t i = 0; i < openers.size(); ++i) {
    const int p = openers[i];
    while (j < closers.size() && closers[j] <= p) ++j;
    if (j == closers.size()) break;
    const int q = closers[j];
    if (i + 1 == openers.size() || q < openers[i + 1]) result.push_back({p, q + closeLength - 1});
  }
  return result;
}

std::vector<TByteRange> FindRubyBars(std::string_view line) { return FindPairs(line, Bar(), {}); }

std::vector<TByteRange> FindRubyTexts(std::string_view line) {
  return FindPairs(line, RubyOpen(), RubyClose());
}

std::vector<TRubyInfo> ParseRubies(std::string_view line) {
  std::vector<TRubyInfo> rubies;
  const std::vector<TByteRange> texts = FindRubyTexts(line);
  if (texts.empty()) return rubies;
  const std::vector<TByteRange> bars = FindRubyBars(line);
  rubies.reserve(texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    const int p = texts[i].First, e = texts[i].Last;
    TRubyInfo ruby;
    ruby.RubyStart = p + 2;
    ruby.RubyLength = e - p - 3;
    // Nothing before "《": an empty base at the reading.
    ruby.BaseStart = p > 1 ? WordRange(line, p - 1, wmSameClass).Start : p;
    // The last bar before this reading, unless it belongs to an earlier ruby.
    for (size_t k = bars.size(); k-- > 0;) {
      const int b = bars[k].First;
      if (b >= p) continue;
      if (i == 0 || b > texts[i - 1].First) ruby.BaseStart = b + 2;
      break;
    }
    ruby.BaseLength = ruby.RubyStart - ruby.BaseStart - 2;
    rubies.push_back(ruby);
  }
  return rubies;
}

std::vector<TByteRange> FindAnnotations(std::string_view line) {
  std::vector<TByteRange> result = FindPairs(line, NoteOpen(), NoteClose());
  static const std::string& dots = Cp932Lit("傍点");
  static const std::string& lines = Cp932Lit("傍線");
  std::erase_if(result, [&](const TByteRange& r) {
    // The four bytes before "］", when they form two whole characters.
    const int from = r.Last - 1 - 4;  // 1-based first of those bytes
    if (from < r.First + 4) return false;
    const std::string_view tail = line.substr(static_cast<size_t>(from - 1), 4);
    if (tail != dots && tail != lines) return false;
    return StartsCharFrom(line, r.First, from);
  });
  return result;
}

std::vector<TEmphasisInfo> FindEmphasis(std::string_view line) {
  std::vector<TEmphasisInfo> result;
  if (FindMarker(line, QuoteOpen()) == 0) return result;
  const auto& closings = EmphasisClosings();
  const int openLength = static_cast<int>(QuoteOpen().size());
  for (int kind = 0; kind < EmphasisKindCount; ++kind) {
    const int closeLength = static_cast<int>(closings[kind].size());
    for (const TByteRange& r : FindPairs(line, QuoteOpen(), closings[kind])) {
      const int target = (r.Last - r.First + 1) - openLength - closeLength;
      if (target <= 0) continue;
      int first = r.First - target;
      if (first < 1) first = 1;
      // A target cut inside a character starts at the next whole one.
      if (first < r.First && !StartsCharFrom(line, 1, first)) ++first;
      if (first > r.First - 1) continue;
      result.push_back({kind, first, r.First - 1});
    }
  }
  return result;
}

std::vector<TByteRange> FindTextRanges(std::string_view pattern, std::string_view line, int flags) {
  std::vector<TByteRange> result;
  const int length = static_cast<int>(pattern.size());
  for (int p : FindAll(pattern, line, flags)) result.push_back({p, p + length - 1});
  return result;
}

std::string RemoveRuby(std::string_view text) {
  return RemoveAll(RemovePairs(text, RubyOpen(), RubyClose()), Bar());
}

std::string RemoveAnnotations(std::string_view text) { return RemovePairs(text, NoteOpen(), NoteClose()); }

}  // namespace vorna
