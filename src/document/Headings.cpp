// Finding a document's headings: the Aozora heading annotations in their
// three forms and the lines the heading marks begin.
#include "document/Headings.h"

#include <algorithm>
#include <string_view>

#include "document/EditLists.h"
#include "text/Cp932.h"
#include "text/Notations.h"
#include "text/ShiftJis.h"

namespace vorna {
namespace {

constexpr size_t kNoteOpenBytes = 4;   // "［＃"
constexpr size_t kNoteCloseBytes = 2;  // "］"
// Text read around a heading: its title and the named text before an
// annotation lie within this many bytes, so a long line costs no more.
constexpr size_t kWindowBytes = 2048;

// Whether offset `at` of `text` begins a character: the bytes before it, back
// to the nearest one that cannot lead a double-byte character, pair up.
bool StartsCharacter(std::string_view text, size_t at) {
  size_t leads = 0;
  while (leads < at && IsLeadByte(static_cast<unsigned char>(text[at - 1 - leads]))) ++leads;
  return leads % 2 == 0;
}

// The 0-based offsets at or after `from` where `marker` (double-byte
// characters only) begins a character, found from its second byte on: the
// trail bytes of "［" and "］" ('m', 'n') are rare in Japanese text, so the
// search runs at memchr's speed.
size_t FindCharacters(std::string_view text, std::string_view marker, size_t from) {
  for (size_t at = from + 1; (at = text.find(marker.substr(1), at)) != std::string_view::npos; ++at)
    if (text[at - 1] == marker[0] && StartsCharacter(text, at - 1)) return at - 1;
  return std::string_view::npos;
}

// `text` cut to at most `bytes` bytes at a character boundary.
std::string_view Prefix(std::string_view text, size_t bytes) {
  if (text.size() <= bytes) return text;
  size_t end = 0;
  while (end < bytes) end += IsDoubleByteAt(text, end) ? 2 : 1;
  return text.substr(0, end > bytes ? end - 2 : end);
}

// The last `bytes` bytes of `text` or a byte fewer, from a character boundary.
std::string_view Tail(std::string_view text, size_t bytes) {
  if (text.size() <= bytes) return text;
  size_t from = text.size() - bytes;
  if (!StartsCharacter(text, from)) ++from;
  return text.substr(from);
}

// One annotation of a line: 0-based offsets of its "［＃" and of the byte
// after its "］", and the text between the two.
struct TNote {
  size_t Begin = 0;
  size_t End = 0;
  std::string_view Body;
};

// The annotations of a line as the notation takes them: from "［＃" to the
// first "］" after it, when that comes before the next "［＃".
std::vector<TNote> Notes(std::string_view line) {
  std::vector<TNote> notes;
  const std::string& open = Cp932Lit("［＃");
  const std::string& close = Cp932Lit("］");
  size_t begin = FindCharacters(line, open, 0);
  while (begin != std::string_view::npos) {
    const size_t next = FindCharacters(line, open, begin + kNoteOpenBytes);
    const size_t end = FindCharacters(line.substr(0, next), close, begin + kNoteOpenBytes);
    if (end != std::string_view::npos)
      notes.push_back(
          {begin, end + kNoteCloseBytes, line.substr(begin + kNoteOpenBytes, end - begin - kNoteOpenBytes)});
    begin = next;
  }
  return notes;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The level a heading's name gives ("大見出し", "同行中見出し", "窓小見出し"), 0 for none.
int NameLevel(std::string_view name) {
  for (const char* variant : {"同行", "窓"}) {
    const std::string& prefix = Cp932Lit(variant);
    if (StartsWith(name, prefix)) {
      name.remove_prefix(prefix.size());
      break;
    }
  }
  if (name == Cp932Lit("大見出し")) return hlLarge;
  if (name == Cp932Lit("中見出し")) return hlMedium;
  if (name == Cp932Lit("小見出し")) return hlSmall;
  return 0;
}

// The 0-based offset of the last `marker` of `text` that starts on a
// character boundary; npos for none.
size_t LastMarker(std::string_view text, std::string_view marker) {
  size_t found = std::string_view::npos;
  for (int at = FindMarker(text, marker); at > 0; at = FindMarker(text, marker, at + 1))
    found = static_cast<size_t>(at - 1);
  return found;
}

std::string Visible(std::string_view text) { return RemoveRuby(RemoveAnnotations(text)); }

bool IsSpaceAt(std::string_view text, size_t i, size_t& length) {
  length = IsDoubleByteAt(text, i) ? 2 : 1;
  if (length == 1) return text[i] == ' ' || text[i] == '\t';
  return text.substr(i, 2) == Cp932Lit("　");
}

// A heading the scan found, not yet placed on a line.
struct TFound {
  int Level = 0;
  int Line = 0;
  std::string Title;
};

// The scan of one source line. `covered` is the last line a heading block
// takes, raised when the line begins one; the headings go to `out` when given.
class TLineScan {
 public:
  TLineScan(const TEditList& list, int line) : FList(list), FLine(line), FText(list.Get(line)) {}

  void Scan(std::vector<THeading>* out, int& covered) {
    const std::vector<TNote> notes = Notes(FText);
    bool aozora = false;
    for (size_t i = 0; i < notes.size(); ++i) {
      const TNote& note = notes[i];
      TFound found;
      if (!Quoted(note, found)) {
        if (const int level = NameLevel(note.Body); level > 0) {
          // The heading runs to its closing annotation, else to the line's end.
          const std::string closing = std::string(note.Body) + Cp932Lit("終わり");
          size_t j = i + 1;
          while (j < notes.size() && notes[j].Body != closing) ++j;
          const size_t end = j < notes.size() ? notes[j].Begin : FText.size();
          found = {level, FLine, HeadingTitle(Prefix(FText.substr(note.End, end - note.End), kWindowBytes))};
          i = j;
        } else if (Block(note, found, covered)) {
          Add(out, found);
          return;  // the rest of the line belongs to the block
        } else {
          continue;
        }
      }
      aozora = true;
      Add(out, found);
    }
    if (!aozora && FList.IsHeadingLine(FLine))
      Add(out, {hlMarked, FLine, HeadingTitle(Prefix(FText, kWindowBytes))});
  }

 private:
  void Add(std::vector<THeading>* out, const TFound& found) const {
    if (out && !found.Title.empty()) out->push_back({found.Line, FLine, found.Level, found.Title});
  }

  // "「TEXT」は…見出し": TEXT before the annotation on its line, else on the
  // line before; the annotation's line when on neither.
  bool Quoted(const TNote& note, TFound& found) const {
    const std::string& open = Cp932Lit("「");
    if (!StartsWith(note.Body, open)) return false;
    // The name's end is near the annotation's end however long the name.
    const std::string_view tail = Tail(note.Body, kWindowBytes);
    const size_t closeInTail = LastMarker(tail, Cp932Lit("」は"));
    if (closeInTail == std::string_view::npos) return false;
    const size_t close = note.Body.size() - tail.size() + closeInTail;
    if (close < open.size()) return false;
    const int level = NameLevel(note.Body.substr(close + Cp932Lit("」は").size()));
    if (level == 0) return false;
    const std::string named =
        Visible(Prefix(note.Body.substr(open.size(), close - open.size()), kWindowBytes));
    found = {level, FLine, HeadingTitle(named)};
    if (named.empty() || FindMarker(Visible(Tail(FText.substr(0, note.Begin), kWindowBytes)), named) > 0)
      return true;
    if (FLine > 0 && FindMarker(Visible(Tail(FList.Get(FLine - 1), kWindowBytes)), named) > 0)
      found.Line = FLine - 1;
    return true;
  }

  // "ここから…見出し": the text after it and on the lines up to "ここで…見出し終わり".
  bool Block(const TNote& note, TFound& found, int& covered) const {
    const std::string& from = Cp932Lit("ここから");
    if (!StartsWith(note.Body, from)) return false;
    const std::string_view name = note.Body.substr(from.size());
    const int level = NameLevel(name);
    if (level == 0) return false;
    const std::string closing = Cp932Lit("ここで") + std::string(name) + Cp932Lit("終わり");
    std::vector<std::pair<int, std::string>> pieces;  // line, title text
    const auto piece = [&pieces](int line, std::string_view text) {
      std::string title = HeadingTitle(text);
      if (!title.empty()) pieces.emplace_back(line, std::move(title));
    };
    int end = -1;  // the closing annotation's line
    std::string_view rest = FText.substr(note.End);
    const int last = std::min(FLine + kMaxHeadingBlockLines + 1, FList.Count() - 1);
    for (int line = FLine; line <= last && end < 0; ++line) {
      const std::string_view text = line == FLine ? rest : std::string_view(FList.Get(line));
      size_t cut = text.size();
      for (const TNote& n : Notes(text))
        if (n.Body == closing) {
          cut = n.Begin;
          end = line;
          break;
        }
      piece(line, Prefix(text.substr(0, cut), kWindowBytes));
    }
    if (end >= 0) {
      covered = std::max(covered, end);
      found = {level, pieces.empty() ? FLine : pieces.front().first, {}};
      for (const auto& [line, title] : pieces)
        found.Title += (found.Title.empty() ? "" : Cp932Lit("　")) + title;
      found.Title = HeadingTitle(found.Title);
    } else {
      // Unclosed: the first line of text alone.
      covered = std::max(covered, pieces.empty() ? FLine : pieces.front().first);
      found = {level, pieces.empty() ? FLine : pieces.front().first,
               pieces.empty() ? "" : pieces.front().second};
    }
    return true;
  }

  const TEditList& FList;
  const int FLine;
  const std::string_view FText;
};

}  // namespace

std::string HeadingTitle(std::string_view text) {
  const std::string visible = Visible(text);
  const std::string_view v = visible;
  // The first and the end of the last character that is not a space.
  size_t first = std::string_view::npos, end = 0;
  for (size_t i = 0, length = 0; i < v.size(); i += length)
    if (!IsSpaceAt(v, i, length)) {
      if (first == std::string_view::npos) first = i;
      end = std::min(i + length, v.size());
    }
  if (first == std::string_view::npos) return {};
  const std::string_view trimmed = v.substr(first, end - first);
  if (trimmed.size() <= kMaxTitleBytes) return std::string(trimmed);
  size_t cut = 0;
  for (size_t i = 0; i < trimmed.size();) {
    const size_t next = i + (IsDoubleByteAt(trimmed, i) ? 2 : 1);
    if (next > kMaxTitleBytes) break;
    cut = i = next;
  }
  return std::string(trimmed.substr(0, cut)) + Cp932Lit("…");
}

std::vector<THeading> FindHeadings(const TEditList& list, int first, int last) {
  std::vector<THeading> headings;
  first = std::max(first, 0);
  last = std::min(last, list.Count() - 1);
  if (first > last) return headings;
  int covered = -1;
  // A block begun before `first` may take lines from `first` on.
  for (int line = std::max(first - kMaxHeadingBlockLines - 1, 0); line < first; ++line)
    if (line > covered) TLineScan(list, line).Scan(nullptr, covered);
  for (int line = first; line <= last; ++line)
    if (line > covered) TLineScan(list, line).Scan(&headings, covered);
  return headings;
}

}  // namespace vorna
