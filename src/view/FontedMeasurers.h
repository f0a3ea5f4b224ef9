// A text measurer bound to one canvas and one font: the line wrapping
// measures in the text font, whatever another user of the canvas (the
// printer's, while printing headers; the screen's, while painting) set last.
#pragma once

#include "platform/Canvas.h"

namespace vorna {

class TFontedMeasurer : public TTextMeasurer {
 public:
  // `canvas` must outlive the measurer's use (a null canvas measures 0).
  void Bind(TCanvas* canvas, const TFontSpec& font) {
    FCanvas = canvas;
    FFont = font;
  }
  bool BoundTo(const TCanvas* canvas, const TFontSpec& font) const {
    return FCanvas == canvas && FFont == font;
  }
  int TextWidth(std::string_view text) override { return Select() ? FCanvas->TextWidth(text) : 0; }
  int FontHeight() override { return Select() ? FCanvas->FontHeight() : 0; }

 private:
  bool Select() {
    if (!FCanvas) return false;
    if (!(FCanvas->Font() == FFont)) FCanvas->SetFont(FFont);
    return true;
  }
  TCanvas* FCanvas = nullptr;
  TFontSpec FFont;
};

}  // namespace vorna
