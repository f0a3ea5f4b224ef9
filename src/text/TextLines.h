// Splitting CP932 text into lines and joining lines with CR LF: the one line
// splitter of the document, its range edits, the settings lists and the INI
// store.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace vorna {

// CR LF, a lone CR and a lone LF each end a line. Every other byte, NUL
// included, stays in its piece.

// The pieces of `text` between its line breaks: k breaks give k + 1 pieces, the
// last one empty when the text ends with a break ("" gives one empty piece).
// The views point into `text`.
std::vector<std::string_view> SplitAtLineBreaks(std::string_view text);

// The lines of `text`: its pieces without the empty piece after a final line
// break, so "a\r\n" is one line and an empty text gives no lines.
std::vector<std::string> SplitLines(std::string_view text);

// `text` up to (not including) its first NUL byte: where a document's text ends.
std::string_view TextBeforeNul(std::string_view text);

// Every line followed by CR LF (the last one too).
std::string JoinLines(const std::vector<std::string>& lines);

// True when the text holds a CR or an LF byte.
bool HasLineBreak(std::string_view text);

// SplitLines(TextBeforeNul(text)) over a text that arrives in pieces (a file
// read in chunks), so that the whole text is never held at once: a CR LF
// split across two pieces is one break, and everything from the first NUL
// on is dropped.
class TLineSplitter {
 public:
  // Hands each line that `piece` completes to line(std::string_view); the
  // view lasts for the call only.
  template <class Emit>
  void Feed(std::string_view piece, Emit&& line) {
    Scan(piece, line);
  }
  // The last line, unless the text ended with a break (or was empty).
  template <class Emit>
  void Finish(Emit&& line) {
    if (FPendingCr) {
      FPendingCr = false;
      ++FCr;
    }
    if (FAny && !FEndedWithBreak) line(std::string_view(FPending));
    FPending.clear();
  }
  // The text ended with CR LF and held no NUL.
  bool EndsWithCrLf() const { return FLastTwo == "\r\n" && !FSawNul; }
  // The text (up to a NUL) ended with a line break of any kind.
  bool EndsWithBreak() const { return FAny && FEndedWithBreak; }
  bool SawNul() const { return FSawNul; }
  // How many line breaks of each kind the text (up to a NUL) held.
  long long CrLfCount() const { return FCrLf; }
  long long LfCount() const { return FLf; }
  long long CrCount() const { return FCr; }

 private:
  template <class Emit>
  void Scan(std::string_view piece, Emit&& emit);
  // The tail of the text seen so far (two bytes at most).
  void RememberTail(std::string_view piece);

  std::string FPending;     // the line begun and not yet ended
  bool FPendingCr = false;  // the text so far ends in a CR: an LF next belongs to it
  bool FSawNul = false;
  bool FAny = false;
  bool FEndedWithBreak = false;
  long long FCrLf = 0, FLf = 0, FCr = 0;
  std::string FLastTwo;
};

template <class Emit>
void TLineSplitter::Scan(std::string_view piece, Emit&& emit) {
  RememberTail(piece);
  if (FSawNul) return;
  std::string_view text = piece;
  if (const size_t nul = text.find('\0'); nul != std::string_view::npos) {
    FSawNul = true;
    text = text.substr(0, nul);
  }
  if (text.empty()) return;
  FAny = true;
  FEndedWithBreak = text.back() == '\r' || text.back() == '\n';
  size_t start = 0;
  if (FPendingCr) {
    FPendingCr = false;
    if (text[0] == '\n') {
      start = 1;
      ++FCrLf;
    } else {
      ++FCr;
    }
  }
  // The next CR and the next LF are each found by one memchr pass and looked
  // for again only once passed, so the scan stays linear however the breaks mix.
  constexpr size_t npos = std::string_view::npos;
  size_t cr = text.find('\r', start), lf = text.find('\n', start);
  for (;;) {
    if (cr != npos && cr < start) cr = text.find('\r', start);
    if (lf != npos && lf < start) lf = text.find('\n', start);
    const size_t end = std::min(cr, lf);
    if (end == npos) {
      FPending.append(text.substr(start));
      return;
    }
    if (FPending.empty()) {
      emit(text.substr(start, end - start));
    } else {
      FPending.append(text.substr(start, end - start));
      emit(std::string_view(FPending));
      FPending.clear();
    }
    if (text[end] == '\n') {
      start = end + 1;
      ++FLf;
    } else if (end + 1 == text.size()) {
      FPendingCr = true;  // an LF at the start of the next piece belongs to it
      return;
    } else {
      const bool pair = text[end + 1] == '\n';
      start = end + (pair ? 2 : 1);
      ++(pair ? FCrLf : FCr);
    }
  }
}

}  // namespace vorna
