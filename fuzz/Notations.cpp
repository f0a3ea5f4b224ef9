// Fuzzes the notation scanners, the notation removal, the hidden mask and the
// link finders with arbitrary bytes. Traps when a record points outside the
// line, when removal grows the text, or when the mask differs from the one
// built from FindAll occurrences.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/Cp932.h"
#include "text/HiddenMasks.h"
#include "text/Links.h"
#include "text/Notations.h"
#include "text/StrSrch.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

std::vector<char> ReferenceMask(std::string_view line) {
  std::vector<char> bits(line.size() + 2, 0);
  const auto mark = [&](int first, int last) { std::fill(bits.begin() + first, bits.begin() + last + 1, 1); };
  const auto pairs = [&](const std::string& open, const std::string& close) {
    const std::vector<int> closers = vorna::FindAll(close, line);
    for (int p : vorna::FindAll(open, line)) {
      auto q = std::lower_bound(closers.begin(), closers.end(), p);
      if (q == closers.end()) break;
      mark(p, *q + static_cast<int>(close.size()) - 1);
    }
  };
  pairs(vorna::Cp932Lit("《"), vorna::Cp932Lit("》"));
  for (int p : vorna::FindAll(vorna::Cp932Lit("｜"), line)) mark(p, p + 1);
  pairs(vorna::Cp932Lit("［＃"), vorna::Cp932Lit("］"));
  return bits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const int length = static_cast<int>(size);
  for (const vorna::TRubyInfo& r : vorna::ParseRubies(line)) {
    Check(r.BaseStart >= 1 && r.BaseLength >= 0 && r.RubyLength >= 0);
    Check(r.BaseStart + r.BaseLength + 2 == r.RubyStart && r.RubyStart + r.RubyLength + 1 <= length);
  }
  int previousKind = -1, previousLast = 0;
  for (const vorna::TEmphasisInfo& e : vorna::FindEmphasis(line)) {
    Check(e.Kind >= 0 && e.Kind < vorna::EmphasisKindCount);
    Check(e.TargetFirst >= 1 && e.TargetFirst <= e.TargetLast && e.TargetLast < length);
    // By kind, then by the position of the annotation (which ends the target).
    Check(e.Kind > previousKind || (e.Kind == previousKind && e.TargetLast > previousLast));
    previousKind = e.Kind;
    previousLast = e.TargetLast;
  }
  for (const vorna::TByteRange& r : vorna::FindAnnotations(line)) Check(r.First >= 1 && r.Last <= length);
  Check(vorna::RemoveRuby(line).size() <= size);
  Check(vorna::RemoveAnnotations(line).size() <= size);
  for (const vorna::TByteRange& r : vorna::FindUrls(line)) Check(r.First >= 1 && r.Last - r.First >= 9);
  for (const vorna::TByteRange& r : vorna::FindMails(line)) Check(r.First >= 1 && r.Last <= length);

  const vorna::THiddenMask& mask = vorna::BuildHiddenMask(line, true, true, false, "");
  const std::vector<char> reference = ReferenceMask(line);
  for (int pos = 1; pos <= length; ++pos) Check(mask.Hidden(pos) == (reference[pos] != 0));
  // Removing the notation leaves exactly the bytes the mask does not hide,
  // unless removal of annotations first changed which ruby markers remain.
  if (vorna::FindAll(vorna::Cp932Lit("［＃"), line).empty()) {
    const std::string plain = vorna::RemoveRuby(line);
    const vorna::THiddenMask& ruby = vorna::BuildHiddenMask(line, true, false, false, "");
    std::string visible;
    for (int pos = 1; pos <= length; ++pos)
      if (!ruby.Hidden(pos)) visible += line[static_cast<size_t>(pos - 1)];
    Check(plain == visible);
  }
  return 0;
}
