// The base view's hint request and the hint window's layout and painting.
#include "view/BaseViewHints.h"

#include <algorithm>

#include "platform/SystemMetrics.h"
#include "text/Cp932.h"
#include "view/BaseViews.h"

namespace vorna {
namespace {

constexpr int kHintDrop = 20;  // the hint shows this far below the pointer

}  // namespace

const std::string& HintHangingChars() { return Cp932Lit(",.､｡、。，．｣」』"); }

void TBaseView::HintRequested(TPoint at) {
  FHintData = {};
  FHintData.Font = FFont;
  FHintData.MaxWidthPx = FServices.Metrics ? FServices.Metrics->ScreenWidth() : 0;
  std::string text;
  GetHintInfo(text, at);
  if (text.empty()) return;
  FHost.ShowHint(text, {at.X, at.Y + kHintDrop}, HintDurationMs(text));
}

TWrapTextOptions TBaseViewHintWindow::Options() const {
  TWrapTextOptions options;
  options.Vertical = FData.Vertical;
  options.WordWrap = FData.WordWrap;
  options.MarginPx = FData.MarginPx;
  options.LineSpacingPx = FData.LineSpacingPx;
  options.Hanging = HintHangingChars();
  return options;
}

namespace {

TFontSpec HintFont(const TBaseViewHintData& data) {
  TFontSpec font = data.Font;
  if (data.Vertical) font.Escapement = kVerticalEscapement;
  return font;
}

}  // namespace

TRect TBaseViewHintWindow::CalcHintRect(int maxWidthPx, const std::string& text,
                                        const TBaseViewHintData& data) {
  FText = text;
  FData = data;
  int side = maxWidthPx;
  if (data.MaxWidthPx > 0) side = side > 0 ? std::min(side, data.MaxWidthPx) : data.MaxWidthPx;
  FMeasure.SetFont(HintFont(data));
  FLayout = LayoutWrappedText(FMeasure, FText, side, Options());
  FLineBreaks.clear();
  for (const TWrappedLine& line : FLayout.Lines) FLineBreaks.push_back(line.Start);
  TRect rect{0, 0, FLayout.Size.X, FLayout.Size.Y};
  if (FData.Vertical) {
    rect.Right += 3;
  } else {
    rect.Right += 2;
    rect.Bottom += 2;
  }
  return rect;
}

void TBaseViewHintWindow::Paint(TCanvas& canvas, const TRect& client) const {
  canvas.SetBrush(FData.BackColor, TBrushStyle::Solid);
  canvas.FillRect(client);
  canvas.SetFont(HintFont(FData));
  DrawWrappedText(canvas, client, FText, FLayout, Options());
}

}  // namespace vorna
