// Greedy line breaking of CP932 text at a pixel extent, and its drawing.
#include "graphics/WrappedTexts.h"

#include <algorithm>

#include "text/ShiftJis.h"

namespace vorna {
namespace {

size_t CharLength(std::string_view text, size_t i) { return IsDoubleByteAt(text, i) ? 2 : 1; }

// True when the character `ch` is one of the characters of `set` (compared
// character by character, so a trail byte never matches a single byte).
bool InSet(std::string_view set, std::string_view ch) {
  for (size_t i = 0; i < set.size();) {
    const size_t n = CharLength(set, i);
    if (set.substr(i, n) == ch) return true;
    i += n;
  }
  return false;
}

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

TWrappedText LayoutWrappedText(TTextMeasurer& measurer, std::string_view text, int boxExtentPx,
                               const TWrapTextOptions& options) {
  TWrappedText out;
  const int limit = boxExtentPx - 2 * options.MarginPx;
  size_t i = 0;
  while (i < text.size()) {
    TWrappedLine line{i, 0, 0};
    while (i < text.size() && !IsLineEnd(text[i])) {
      const size_t n = CharLength(text, i);
      const std::string_view ch = text.substr(i, n);
      const int width = measurer.TextWidth(ch);
      if (options.WordWrap && line.Length > 0 && line.ExtentPx + width > limit) {
        if (!InSet(options.Hanging, ch)) break;
        line.Length += n;
        line.ExtentPx += width;
        i += n;
        break;
      }
      line.Length += n;
      line.ExtentPx += width;
      i += n;
    }
    out.Lines.push_back(line);
    // A line end closes the line; a wrapped line leaves the next character.
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
  }

  int along = 0;
  for (const TWrappedLine& line : out.Lines) along = std::max(along, line.ExtentPx);
  const int count = static_cast<int>(out.Lines.size());
  const int across = count > 0 ? count * measurer.FontHeight() + (count - 1) * options.LineSpacingPx : 0;
  const int margins = 2 * options.MarginPx;
  out.Size = options.Vertical ? TPoint{across + margins, along + margins}
                              : TPoint{along + margins, across + margins};
  return out;
}

void DrawWrappedText(TCanvas& canvas, const TRect& box, std::string_view text, const TWrappedText& layout,
                     const TWrapTextOptions& options) {
  const int pitch = canvas.FontHeight() + options.LineSpacingPx;
  for (size_t n = 0; n < layout.Lines.size(); ++n) {
    const TWrappedLine& line = layout.Lines[n];
    if (line.Length == 0 || line.Start + line.Length > text.size()) continue;
    const int step = static_cast<int>(n) * pitch;
    const std::string_view part = text.substr(line.Start, line.Length);
    if (options.Vertical)
      canvas.TextRect(box, box.Right - options.MarginPx - step, box.Top + options.MarginPx, part);
    else
      canvas.TextRect(box, box.Left + options.MarginPx, box.Top + options.MarginPx + step, part);
  }
}

}  // namespace vorna
