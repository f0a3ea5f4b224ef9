// An editor view on a recording host with its own services, for the editor
// view's geometry and editing tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "PlatformDoubles.h"
#include "ViewFixtures.h"
#include "settings/StyleElements.h"
#include "view/EditorViews.h"

namespace vorna {
inline void PrintTo(const TDisplayPos& p, std::ostream* os) {
  *os << "(" << p.Column << ", " << p.Row << ")";
}
}  // namespace vorna

namespace vorna::testing {

// Window mode, horizontal, one partition, no margins or line numbers: the
// text area is the client rectangle.
inline void PlainWindow(TEditorStyle& s) {
  s.BeginUpdate();
  s.SetPaperVisible(false);
  s.SetVertical(false);
  s.SetRatioValue(100);
  s.SetColumnCountAuto(true);
  s.SetTailHang(false);
  s.SetPartationCount(1);
  s.SetTextLeftMargin(0);
  s.SetTextRightMargin(0);
  s.SetLineSpace(0);
  s.SetColumnSpace(0);
  for (int e : {kElemLineInfo, kElemReturn, kElemGapLine}) s.GetViewInfo(e)->SetDisplayMode(kModeHidden);
  s.EndUpdate();
}

class TEditorViewTest : public TViewTest<TEditorView> {
 protected:
  // The view with its own style under `preset` (-1: the defaults), applied.
  TEditorView& MakeView(int preset = -1) {
    Services.PageMetrics = &Metrics;
    Services.Files = &Files;
    Services.Boxes = &Boxes;
    View = std::make_unique<TEditorView>(Host, Services);
    if (preset >= 0) {
      Style().SetDefaultIndex(preset);
      Style().ApplyPreset();
    } else {
      View->StyleChanged();
    }
    return *View;
  }
  TEditorStyle& Style() { return *View->EditorStyle(); }
  TViewInfo& Element(int index) { return *Style().GetViewInfo(index); }
  // The Normal font at `points` (12 pixels per 9 points at 96 dpi).
  void SetTextFontSize(int points) {
    TFontDesc font = Element(kElemNormal).GetFont();
    font.Size = points;
    font.Height = 0;
    Element(kElemNormal).SetFont(font);
  }
  void SetText(const std::string& text) {
    View->List().SetText(text);
    View->DocumentChanged();
  }
};

}  // namespace vorna::testing
