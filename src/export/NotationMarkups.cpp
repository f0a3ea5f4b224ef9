// Reading one line's notation into spans that do not overlap, and writing
// them as XHTML inline content.
#include "export/NotationMarkups.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "export/XmlTexts.h"
#include "text/Cp932.h"
#include "text/HiddenMasks.h"
#include "text/Notations.h"
#include "text/ShiftJis.h"
#include "view/RowPaintInfos.h"

namespace vorna {
namespace {

constexpr size_t kNone = static_cast<size_t>(-1);
constexpr size_t kMarkerBytes = 2;  // "｜", "《", "》", "※" are double-byte

enum class TSpanKind : uint8_t { Emphasis, Note, Ruby };  // the order ties are broken in

// A piece of notation, 0-based offsets, End exclusive.
struct TSpan {
  size_t Begin = 0;
  size_t End = 0;
  TSpanKind Kind = TSpanKind::Note;
  size_t BaseBegin = 0;     // Ruby: the base's first byte (after a "｜")
  size_t ReadingBegin = 0;  // Ruby: the "《"
  int EmphasisKind = 0;     // Emphasis
  size_t TargetBegin = 0;   // Emphasis: the first byte FindEmphasis marks
};

bool SortsBefore(const TSpan& a, const TSpan& b) {
  if (a.Begin != b.Begin) return a.Begin < b.Begin;
  if (a.End != b.End) return a.End > b.End;  // the outer one first
  return a.Kind < b.Kind;
}

int CharacterCount(std::string_view text) {
  int count = 0;
  for (size_t i = 0; i < text.size(); i += IsDoubleByteAt(text, i) ? 2 : 1) ++count;
  return count;
}

// True when 0-based `at` of `line` begins a character.
bool StartsCharacter(std::string_view line, size_t at) {
  return LeadRunBefore(reinterpret_cast<const unsigned char*>(line.data()), 0, at) % 2 == 0;
}

bool HasMarkerAt(std::string_view line, size_t at, const std::string& marker) {
  return line.compare(at, marker.size(), marker) == 0 && StartsCharacter(line, at);
}

void AddRubies(std::string_view line, std::vector<TSpan>& spans) {
  const std::string& bar = Cp932Lit("｜");
  for (const TRubyInfo& r : ParseRubies(line)) {
    const size_t base = static_cast<size_t>(r.BaseStart - 1);
    const size_t reading = static_cast<size_t>(r.RubyStart - 1) - kMarkerBytes;
    const size_t end = static_cast<size_t>(r.RubyStart - 1 + r.RubyLength) + kMarkerBytes;
    if (CharacterCount(line.substr(reading + 2, end - reading - 4)) > kMaxReadingCharacters) continue;
    const bool barred = base >= kMarkerBytes && HasMarkerAt(line, base - kMarkerBytes, bar);
    TSpan span{barred ? base - kMarkerBytes : base, end, TSpanKind::Ruby};
    span.BaseBegin = base;
    span.ReadingBegin = reading;
    spans.push_back(span);
  }
}

void AddEmphases(std::string_view line, std::vector<TSpan>& spans) {
  const auto& closings = EmphasisClosings();
  for (const TEmphasisInfo& e : FindEmphasis(line)) {
    const size_t begin = static_cast<size_t>(e.TargetLast);  // "［＃「" follows the target
    const int closing = FindMarker(line, closings[e.Kind], static_cast<int>(begin) + 2);
    if (closing == 0) continue;
    TSpan span{begin, static_cast<size_t>(closing - 1) + closings[e.Kind].size(), TSpanKind::Emphasis};
    span.EmphasisKind = e.Kind;
    span.TargetBegin = static_cast<size_t>(e.TargetFirst - 1);
    spans.push_back(span);
  }
}

// The annotations, and every "｜" as one: a bar a ruby takes lies inside the
// ruby's span, any other is kept as a comment, since the editor hides it too.
// "［" and "］" nest, so an annotation quoting one ("［＃「…※［＃…］」…］")
// is one annotation holding the other.
void AddNotes(std::string_view line, std::vector<TSpan>& spans) {
  const std::string& open = Cp932Lit("［");
  const std::string& note = Cp932Lit("［＃");
  const std::string& close = Cp932Lit("］");
  struct TOpen {
    size_t At;
    bool Note;
  };
  std::vector<TOpen> opened;
  for (size_t i = 0; i < line.size(); i += IsDoubleByteAt(line, i) ? 2 : 1) {
    if (line.compare(i, open.size(), open) == 0) {
      opened.push_back({i, line.compare(i, note.size(), note) == 0});
    } else if (!opened.empty() && line.compare(i, close.size(), close) == 0) {
      if (opened.back().Note) spans.push_back({opened.back().At, i + close.size(), TSpanKind::Note});
      opened.pop_back();
    }
  }
  for (const TByteRange& r : FindRubyBars(line))
    spans.push_back({static_cast<size_t>(r.First - 1), static_cast<size_t>(r.Last), TSpanKind::Note});
}

// The spans read at the top of the line: each begins where the one before
// ends or later.
std::vector<TSpan> TopSpans(std::string_view line, const std::vector<TSpan>& spans) {
  const std::string& gaijiMark = Cp932Lit("※");
  std::vector<TSpan> top;
  for (TSpan span : spans) {
    if (top.empty() || span.Begin >= top.back().End) {
      top.push_back(span);
      continue;
    }
    // A ruby whose base lies in annotations that end by its "《" takes them
    // whole (and a "※" before them) as its base.
    if (span.Kind != TSpanKind::Ruby || span.ReadingBegin < top.back().End) continue;
    size_t popped = 0;
    while (popped < top.size() && top[top.size() - 1 - popped].Kind != TSpanKind::Ruby &&
           top[top.size() - 1 - popped].End > span.Begin)
      ++popped;
    if (popped == 0 || (popped < top.size() && top[top.size() - 1 - popped].End > span.Begin)) continue;
    span.Begin = top[top.size() - popped].Begin;
    top.resize(top.size() - popped);
    const size_t floor = top.empty() ? 0 : top.back().End;
    if (span.Begin >= floor + kMarkerBytes && HasMarkerAt(line, span.Begin - kMarkerBytes, gaijiMark))
      span.Begin -= kMarkerBytes;
    span.BaseBegin = span.Begin;
    top.push_back(span);
  }
  return top;
}

// A stretch of the line as it is written out: text, or one top span.
struct TAtom {
  size_t Begin = 0;
  size_t End = 0;
  const TSpan* Span = nullptr;  // null: text
  bool Upright = false;
  uint16_t Emphases = 0;  // bit k: inside an emphasis of kind k
};

class TLineWriter {
 public:
  TLineWriter(std::string_view line, bool vertical) : FLine(line), FVertical(vertical) {}

  TLineMarkup Write() {
    std::vector<TSpan> spans;
    AddRubies(FLine, spans);
    AddEmphases(FLine, spans);
    AddNotes(FLine, spans);
    std::sort(spans.begin(), spans.end(), SortsBefore);
    for (const TSpan& s : spans)
      if (s.Kind != TSpanKind::Ruby) FNotes.push_back(s);
    FTop = TopSpans(FLine, spans);
    MakeAtoms();
    MarkEmphases();
    Emit();
    return std::move(FOut);
  }

 private:
  void MakeAtoms() {
    std::vector<size_t> cuts;  // where text atoms must split
    if (FVertical) MarkUprightPairs(cuts);
    for (const TSpan& s : FTop)
      if (s.Kind == TSpanKind::Emphasis) cuts.push_back(s.TargetBegin);
    std::sort(cuts.begin(), cuts.end());
    size_t at = 0, cut = 0;
    const auto addText = [&](size_t begin, size_t end) {
      while (cut < cuts.size() && cuts[cut] <= begin) ++cut;
      for (; cut < cuts.size() && cuts[cut] < end; ++cut) {
        if (cuts[cut] > begin) FAtoms.push_back({begin, cuts[cut]});
        begin = cuts[cut];
      }
      if (end > begin) FAtoms.push_back({begin, end});
    };
    for (const TSpan& s : FTop) {
      addText(at, s.Begin);
      FAtoms.push_back({s.Begin, s.End, &s});
      at = s.End;
    }
    addText(at, FLine.size());
    for (TAtom& a : FAtoms)
      a.Upright =
          !a.Span && std::binary_search(FPairs.begin(), FPairs.end(), a.Begin) && a.End == a.Begin + 2;
  }

  // The upright pairs of the shown text (text and ruby bases) that lie in
  // the line's own text, two bytes side by side.
  void MarkUprightPairs(std::vector<size_t>& cuts) {
    std::string shown;
    std::vector<size_t> from;  // the line's offset of each shown byte; kNone in a ruby's base
    size_t at = 0;
    const auto text = [&](size_t begin, size_t end) {
      shown.append(FLine.substr(begin, end - begin));
      for (size_t i = begin; i < end; ++i) from.push_back(i);
    };
    for (const TSpan& s : FTop) {
      text(at, s.Begin);
      if (s.Kind == TSpanKind::Ruby) {
        shown.append(FLine.substr(s.BaseBegin, s.ReadingBegin - s.BaseBegin));
        from.insert(from.end(), s.ReadingBegin - s.BaseBegin, kNone);
      }
      at = s.End;
    }
    text(at, FLine.size());
    for (const int start : FindUprightPairs(shown, 0)) {
      const size_t first = from[static_cast<size_t>(start)], second = from[static_cast<size_t>(start) + 1];
      if (first == kNone || second != first + 1) continue;
      FPairs.push_back(first);
      cuts.push_back(first);
      cuts.push_back(first + 2);
    }
  }

  // Each emphasis covers the atoms from its target (widened to the start of
  // a span it begins in) to its annotation, when they show something.
  void MarkEmphases() {
    const auto atomAt = [this](size_t offset) {  // the atom holding `offset`
      return std::upper_bound(FAtoms.begin(), FAtoms.end(), offset,
                              [](size_t o, const TAtom& a) { return o < a.Begin; }) -
             1 - FAtoms.begin();
    };
    for (size_t i = 0; i < FAtoms.size(); ++i) {
      const TSpan* s = FAtoms[i].Span;
      if (!s || s->Kind != TSpanKind::Emphasis) continue;
      const auto first = static_cast<size_t>(atomAt(s->TargetBegin));
      bool shows = false;
      for (size_t j = first; j < i && !shows; ++j) shows = Shows(FAtoms[j]);
      if (!shows) {
        FUnapplied.push_back(s);
        continue;
      }
      for (size_t j = first; j < i; ++j) FAtoms[j].Emphases |= static_cast<uint16_t>(1u << s->EmphasisKind);
      ++FOut.Emphases;
    }
  }

  bool Shows(const TAtom& a) const { return a.Span ? a.Span->Kind == TSpanKind::Ruby : a.End > a.Begin; }

  void Emit() {
    uint16_t open = 0;
    const auto close = [&] {
      for (int k = 0; k < EmphasisKindCount; ++k)
        if (open & (1u << k)) FOut.Xhtml += "</span>";
      open = 0;
    };
    for (const TAtom& a : FAtoms) {
      if (a.Emphases != open) {
        close();
        for (int k = 0; k < EmphasisKindCount; ++k)
          if (a.Emphases & (1u << k))
            FOut.Xhtml += std::string("<span class=\"") + EmphasisClassName(k) + "\">";
        open = a.Emphases;
      }
      FOut.HasText = FOut.HasText || Shows(a);
      if (!a.Span) {
        if (a.Upright) FOut.Xhtml += "<span class=\"upright\">";
        AppendXmlText(FOut.Xhtml, FLine.substr(a.Begin, a.End - a.Begin));
        if (a.Upright) FOut.Xhtml += "</span>";
      } else if (a.Span->Kind == TSpanKind::Ruby) {
        FOut.Xhtml += "<ruby>";
        Inner(a.Span->BaseBegin, a.Span->ReadingBegin);
        FOut.Xhtml += "<rt>";
        Inner(a.Span->ReadingBegin + kMarkerBytes, a.Span->End - kMarkerBytes);
        FOut.Xhtml += "</rt></ruby>";
        ++FOut.Rubies;
      } else if (a.Span->Kind == TSpanKind::Note ||
                 std::find(FUnapplied.begin(), FUnapplied.end(), a.Span) != FUnapplied.end()) {
        AppendXmlComment(FOut.Xhtml, FLine.substr(a.Begin, a.End - a.Begin));
      }
    }
    close();
  }

  // Text of a ruby's base or reading, its annotations as comments.
  void Inner(size_t begin, size_t end) {
    auto note = std::lower_bound(FNotes.begin(), FNotes.end(), begin,
                                 [](const TSpan& s, size_t offset) { return s.Begin < offset; });
    size_t at = begin;
    for (; note != FNotes.end() && note->Begin < end; ++note) {
      if (note->Begin < at || note->End > end) continue;
      AppendXmlText(FOut.Xhtml, FLine.substr(at, note->Begin - at));
      AppendXmlComment(FOut.Xhtml, FLine.substr(note->Begin, note->End - note->Begin));
      at = note->End;
    }
    AppendXmlText(FOut.Xhtml, FLine.substr(at, end - at));
  }

  const std::string_view FLine;
  const bool FVertical;
  std::vector<TSpan> FNotes;  // every "［＃…］", emphasis annotations too, in order
  std::vector<TSpan> FTop;
  std::vector<TAtom> FAtoms;
  std::vector<size_t> FPairs;  // sorted first bytes of the upright pairs
  std::vector<const TSpan*> FUnapplied;
  TLineMarkup FOut;
};

}  // namespace

const char* EmphasisClassName(int kind) {
  static constexpr std::array<const char*, EmphasisKindCount> names = {
      "sesame",        "open-circle", "circle",      "triangle",  "open-triangle",
      "double-circle", "bullseye",    "open-sesame", "side-line", "double-side-line"};
  return kind >= 0 && kind < EmphasisKindCount ? names[static_cast<size_t>(kind)] : "sesame";
}

TLineMarkup LineMarkup(std::string_view line, bool vertical) { return TLineWriter(line, vertical).Write(); }

}  // namespace vorna
