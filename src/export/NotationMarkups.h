// One line of the notation as XHTML inline content: rubies, emphasis marks
// and side lines, upright digit pairs, and every other annotation kept as a
// comment.
#pragma once

#include <string>
#include <string_view>

namespace vorna {

// Readings longer than this many characters are no ruby: such a "《…》" is
// far more likely a quotation than a reading, and stays as text.
inline constexpr int kMaxReadingCharacters = 200;

// The emphasis kinds (text/Notations.h, 0 .. 9) as the class names the style
// sheet gives their marks and lines ("sesame", …, "double-side-line").
const char* EmphasisClassName(int kind);

struct TLineMarkup {
  std::string Xhtml;     // inline content, UTF-8
  int Rubies = 0;        // <ruby> elements in it
  int Emphases = 0;      // emphasis annotations applied as marks or lines
  bool HasText = false;  // something shows: text or a ruby (not only comments)
};

// The markup of one CP932 line (no line break in it).
//  - Each ruby ParseRubies finds becomes <ruby>base<rt>reading</rt></ruby>
//    (the base may be empty, as for "《》" at a line's start), its "｜"
//    dropped, unless its reading is longer than kMaxReadingCharacters (then
//    "《…》" stays as text). A base ParseRubies
//    puts inside an annotation that ends at "《" (a character written as an
//    annotation, "※［＃…］《よみ》") takes that whole annotation, and the "※"
//    before it, as its base.
//  - Each emphasis annotation FindEmphasis finds becomes a
//    <span class="KIND"> (EmphasisClassName) around its target; a target that
//    begins inside a ruby or an annotation takes it whole. An emphasis whose
//    target shows nothing is kept as a comment instead.
//  - Every other "［＃…］", and every "｜" no ruby takes, becomes a comment
//    holding it, in its place: the editor hides them, and they are never
//    dropped. Brackets nest here: "［＃「…※［＃…］」の注記付き終わり］" is one
//    annotation (the notation's own pairs would leave its outer part as
//    text).
//  - With `vertical`, the upright pairs of the shown text (FindUprightPairs)
//    become <span class="upright">.
//  - Notation inside notation is read only where it lies wholly inside a
//    ruby's base or reading (annotations there become comments); otherwise
//    the outer one is read and the inner one is part of it. Markers that
//    pair with nothing ("《" without "》", "［＃" without "］") stay as text.
// Cost: O(bytes + notation × log notation).
TLineMarkup LineMarkup(std::string_view line, bool vertical);

}  // namespace vorna
