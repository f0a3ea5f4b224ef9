// Wrapped text on the recording canvas (a double-byte character 12 pixels,
// a single byte 6, lines 12 high): breaking at the extent, hanging
// punctuation, line ends, and where horizontal and vertical lines are drawn.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingCanvas.h"
#include "graphics/WrappedTexts.h"
#include "text/Cp932.h"

namespace vorna {
namespace {

using testing::TRecordingCanvas;

// The lines of `utf8` as UTF-8, wrapped in a box of `box` pixels.
std::vector<std::string> Lines(const char* utf8, int box, const TWrapTextOptions& options) {
  TRecordingCanvas canvas;
  const std::string& text = Cp932Lit(utf8);
  std::vector<std::string> out;
  for (const TWrappedLine& line : LayoutWrappedText(canvas, text, box, options).Lines)
    out.push_back(Utf8FromCp932(text.substr(line.Start, line.Length)));
  return out;
}

using TLines = std::vector<std::string>;

TEST(WrappedTextTest, BreaksAtTheExtentAndLetsOneHangingCharacterStand) {
  TWrapTextOptions options;
  options.MarginPx = 2;  // 40 - 4 leaves three characters a line
  options.Hanging = Cp932Lit("、。」");
  EXPECT_EQ(Lines("あいうえお", 40, options), (TLines{"あいう", "えお"}));
  EXPECT_EQ(Lines("あいう。えお", 40, options), (TLines{"あいう。", "えお"}));
  // Only one character hangs; the second starts the next line.
  EXPECT_EQ(Lines("あいう。」え", 40, options), (TLines{"あいう。", "」え"}));
  // "う" ends in the byte of the half-width "､"; whole characters are compared.
  options.Hanging = Cp932Lit("､");
  EXPECT_EQ(Lines("あいうう", 40, options), (TLines{"あいう", "う"}));
  // Without wrapping only line ends break.
  options.WordWrap = false;
  EXPECT_EQ(Lines("あいうえお", 40, options), (TLines{"あいうえお"}));
}

TEST(WrappedTextTest, LineEndsAndCharactersWiderThanTheBox) {
  TWrapTextOptions options;
  EXPECT_EQ(Lines("ab\r\n\r\ncd\re\n", 100, options), (TLines{"ab", "", "cd", "e"}));
  // Narrower than one character: a character a line, never an empty one.
  options.MarginPx = 2;
  EXPECT_EQ(Lines("あいa", 8, options), (TLines{"あ", "い", "a"}));
  TRecordingCanvas canvas;
  const TWrappedText empty = LayoutWrappedText(canvas, "", 100, options);
  EXPECT_TRUE(empty.Lines.empty());
  EXPECT_EQ(empty.Size, (TPoint{4, 4}));
}

TEST(WrappedTextTest, SizeAndDrawingInBothDirections) {
  TRecordingCanvas canvas;
  const std::string& text = Cp932Lit("あいう。えお");
  TWrapTextOptions options;
  options.MarginPx = 2;
  options.LineSpacingPx = 3;
  options.Hanging = Cp932Lit("。");
  const TWrappedText layout = LayoutWrappedText(canvas, text, 40, options);
  ASSERT_EQ(layout.Lines.size(), 2u);
  EXPECT_EQ(layout.Lines[0], (TWrappedLine{0, 8, 48}));
  // The hung character widens the box; two lines with one gap between.
  EXPECT_EQ(layout.Size, (TPoint{52, 31}));
  DrawWrappedText(canvas, {10, 20, 62, 51}, text, layout, options);
  EXPECT_EQ(canvas.Calls(),
            (TLines{"TextRect 10,20,62,51 12,22 \"あいう。\"", "TextRect 10,20,62,51 12,37 \"えお\""}));

  // Vertical: the same lines as columns from the right edge.
  options.Vertical = true;
  const TWrappedText columns = LayoutWrappedText(canvas, text, 40, options);
  EXPECT_EQ(columns.Size, (TPoint{31, 52}));
  canvas.Clear();
  DrawWrappedText(canvas, {0, 0, 31, 52}, text, columns, options);
  EXPECT_EQ(canvas.Calls(),
            (TLines{"TextRect 0,0,31,52 29,2 \"あいう。\"", "TextRect 0,0,31,52 14,2 \"えお\""}));
}

}  // namespace
}  // namespace vorna
