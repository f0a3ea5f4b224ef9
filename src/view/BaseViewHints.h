// The page view's hint window: the layout record of a hint, its show time,
// and the window's size and painting over the canvas with wrapped text.
#pragma once

#include <string>
#include <vector>

#include "graphics/WrappedTexts.h"
#include "platform/Canvas.h"

namespace vorna {

// How a hint is laid out. The view fills the defaults before GetHintInfo,
// whose overrides may change them (an annotation's font and colours).
struct TBaseViewHintData {
  TFontSpec Font;
  bool Vertical = false;  // columns of vertical text, in the font turned vertical
  bool WordWrap = true;   // wraps at the maximum width, else breaks only at line ends
  int MarginPx = 2;
  int MaxWidthPx = 0;  // 0: no limit of the view's own
  int LineSpacingPx = 3;
  TColor BackColor = SystemColor(kColorInfoBk);
  friend bool operator==(const TBaseViewHintData&, const TBaseViewHintData&) = default;
};

// How long a hint stays: one second per byte of its text.
constexpr int kHintMsPerByte = 1000;
inline int HintDurationMs(const std::string& text) { return static_cast<int>(text.size()) * kHintMsPerByte; }

// Punctuation that may hang past the width of a hint line (CP932).
const std::string& HintHangingChars();

// The contents of the platform's hint window: the host's window calls
// CalcHintRect for its size, then Paint for its client area. The window
// erases no background of its own; Paint covers the whole client area.
class TBaseViewHintWindow {
 public:
  // `measure` sizes the text (not owned; it must outlive the window).
  explicit TBaseViewHintWindow(TCanvas& measure) : FMeasure(measure) {}

  // Stores the text and the data and lays the text out in a square whose side
  // is the smaller of `maxWidthPx` and the data's maximum width (whichever is
  // positive). The result is (0, 0, width, height) of the text with its
  // margins, 3 pixels wider for vertical text, otherwise 2 wider and 2 lower.
  // The measuring canvas keeps the data's font afterwards.
  TRect CalcHintRect(int maxWidthPx, const std::string& text, const TBaseViewHintData& data);

  // Fills `client` with the back colour and draws the laid-out text in the
  // data's font and colour.
  void Paint(TCanvas& canvas, const TRect& client) const;

  const std::string& Text() const { return FText; }
  const TBaseViewHintData& Data() const { return FData; }
  // Where the lines of the last layout begin (byte offsets into Text()).
  const std::vector<size_t>& LineBreaks() const { return FLineBreaks; }

 private:
  TWrapTextOptions Options() const;

  TCanvas& FMeasure;
  std::string FText;
  TBaseViewHintData FData;
  TWrappedText FLayout;
  std::vector<size_t> FLineBreaks;
};

}  // namespace vorna
