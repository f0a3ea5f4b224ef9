// A document as the files of an EPUB 3 book: one XHTML file per chapter, the
// navigation document from its headings, the package document and the style
// sheet of its writing direction.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace vorna {

class TEditList;

struct TEpubOptions {
  // UTF-8. Not given: the document's first line (notation removed), or
  // "無題" when it shows nothing; the author: its second line, or none.
  std::optional<std::string> Title;
  std::optional<std::string> Author;  // given empty: no author
  // Vertical writing: vertical-rl, pages turned right to left, upright
  // pairs; otherwise horizontal, left to right.
  bool Vertical = true;
  std::string Identifier;    // "urn:uuid:…"; empty: a new random one
  std::time_t Modified = 0;  // the package's modification time; 0: now
};

// The title and author a book of `list` gets when none are given (UTF-8,
// trimmed, notation removed as for a heading's title; empty when the line
// shows nothing). Aozora texts begin with the title and the author.
struct TBookTitle {
  std::string Title;
  std::string Author;
};
TBookTitle DocumentTitle(const TEditList& list);

struct TEpubFile {
  std::string Path;  // inside the container
  std::string Bytes;
};

struct TEpubBook {
  // In container order: "mimetype" first, then "META-INF/container.xml",
  // the package, the navigation document, the style sheet and the chapters.
  std::vector<TEpubFile> Files;
  std::string Title, Author, Identifier;  // as the package names them (UTF-8)
  int Chapters = 0;
  int Headings = 0;
  int Rubies = 0;    // <ruby> elements written
  int Emphases = 0;  // emphasis annotations written as marks or lines
};

// The book of `list`. Chapters begin at the outline's top-level headings
// (FindHeadings with the document's heading marks; a heading with no
// heading of a higher rank before it), at the earlier of the heading's line
// and the line of its annotation; text before the first one is a chapter of
// its own. Each line is a <p>, or an <h1>–<h3> when an Aozora heading (by
// its size) is on it; a heading's line has an id the navigation document
// links to (a line a heading mark begins stays a <p>, with its id). A line
// that shows nothing holds a <br/>, so empty lines stay. Lines go through
// LineMarkup. Cost: O(bytes of the document).
TEpubBook BuildEpubBook(const TEditList& list, const TEpubOptions& options);

// "urn:uuid:" and a random (version 4) UUID from std::random_device.
std::string NewUuidUrn();

}  // namespace vorna
