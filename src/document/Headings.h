// The headings of a document: Aozora heading annotations and the lines that
// begin with one of the style's heading marks (HeadingStrs).
//
// Aozora headings, at levels 1 (大見出し), 2 (中見出し) and 3 (小見出し), the
// 同行 and 窓 variants at the level of their size:
//   - "［＃「TEXT」は大見出し］" names TEXT before it on its line, or else at the
//     end of the line before (notation removed; 2 KB of text looked at on
//     either); TEXT is the title. Named text found on neither line still
//     makes a heading, on the annotation's line.
//   - "［＃大見出し］TEXT［＃大見出し終わり］" on one line; without its closing
//     annotation the heading runs to the line's end.
//   - "［＃ここから大見出し］", lines, "［＃ここで大見出し終わり］": the lines in
//     between (at most kMaxHeadingBlockLines) joined by "　", the heading on
//     the first of them; without its closing line only that first line.
// An annotation runs from "［＃" to the first "］" after it when that comes
// before the next "［＃", as the notation takes it (text/Notations.h), so
// "［＃「…」は大見出し" without its "］" is no heading. Titles are read from the
// first 2 KB of their text, so a heading in a line of megabytes costs no more
// than one in a short line.
//
// A line that begins with a heading mark and holds no Aozora heading, and
// lies inside no heading block, is a heading of level 4: it ranks below every
// Aozora heading, so a novel's marked sections nest under its chapters and a
// screenplay's scene headings stand at the top.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vorna {

class TEditList;

enum THeadingLevel : int { hlLarge = 1, hlMedium = 2, hlSmall = 3, hlMarked = 4 };

struct THeading {
  int Line = 0;        // 0-based line the heading's text is on
  int SourceLine = 0;  // the line of the annotation or mark that makes it a heading
  int Level = hlLarge;
  // CP932, ruby and annotations removed, spaces trimmed, cut at a character
  // boundary to at most kMaxTitleBytes bytes followed by "…".
  std::string Title;
  bool operator==(const THeading&) const = default;
};

constexpr int kMaxHeadingBlockLines = 8;
constexpr size_t kMaxTitleBytes = 120;
// The headings of a line depend on no line further than this before or after it.
constexpr int kHeadingReach = kMaxHeadingBlockLines + 2;

// The headings whose source lines lie in first .. last (0-based lines of
// `list`, clamped to the document), ordered by source line, then by their
// place on it. The heading marks are the document's layout's (HeadingStrs).
// Cost: the bytes of those lines and of kHeadingReach lines around them.
std::vector<THeading> FindHeadings(const TEditList& list, int first, int last);

// `text` as a title: notation removed, half- and full-width spaces trimmed,
// cut as THeading::Title says.
std::string HeadingTitle(std::string_view text);

}  // namespace vorna
