// The paper painting on the recording canvas: page frames, header and footer
// parts and page numbers, the hatching of the unprintable area.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "ViewFixtures.h"
#include "settings/StyleElements.h"

namespace vorna {
namespace {

using testing::TBaseViewTest;

std::vector<std::string> With(const std::vector<std::string>& calls, const std::string& prefix) {
  std::vector<std::string> out;
  for (const std::string& c : calls)
    if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c);
  return out;
}

class TPaperPaint : public TBaseViewTest {
 protected:
  std::vector<std::string> Paint() {
    testing::TRecordingCanvas canvas(1000, 800);
    View->Paint(canvas, Host.ClientRect());
    return canvas.Calls();
  }
};

TEST_F(TPaperPaint, HeaderPartsAndPageNumbersOfADividedSheet) {
  UsePrinter();
  MakeView(50);
  Style().BeginUpdate();
  Style().SetPaperLevelDivide(2);
  Style().SetPaperVerticalDivide(2);
  Style().SetStartPageNo(5);
  Style().SetHeaderStr("&b&b< &p >");
  Style().SetFooterStr("");
  Style().GetViewInfo(kElemHeader)->SetDisplayMode(kModeShown);
  Style().EndUpdate();
  const std::vector<std::string> texts = With(Paint(), "TextRect");
  // Only right parts: four pages, numbered from StartPageNo; page 3 shows 5 + 2.
  ASSERT_EQ(texts.size(), 4u);
  for (int page = 0; page < 4; ++page)
    EXPECT_NE(texts[static_cast<size_t>(page)].find("\"< " + std::to_string(5 + page) + " >\""),
              std::string::npos)
        << texts[static_cast<size_t>(page)];
  // Each sits at the right of its page: nothing at the left or the centre.
  for (int page = 0; page < 4; ++page) {
    const TRect r = View->GetPageRects(page).Page;
    int l, t, rr, b, x, y;
    ASSERT_EQ(std::sscanf(texts[static_cast<size_t>(page)].c_str(), "TextRect %d,%d,%d,%d %d,%d", &l, &t, &rr,
                          &b, &x, &y),
              6);
    EXPECT_GT(x, r.Left + r.Width() / 2) << texts[static_cast<size_t>(page)];
  }
}

TEST_F(TPaperPaint, FramesBetweenPagesUseTheDivideLineOrAWhitePen) {
  UsePrinter();
  MakeView(50);
  TViewInfo& divide = *Style().GetViewInfo(kElemPaperDivideLine);
  Style().BeginUpdate();
  divide.SetDisplayMode(kModeShown);
  divide.SetLineStyle(1);
  divide.SetLineColor(0x0000FF);
  Style().EndUpdate();
  const auto pens = [](const std::vector<std::string>& calls, const std::string& pen) {
    return std::count(calls.begin(), calls.end(), pen);
  };
  // One page per sheet: no page frame, whatever the divide line says.
  EXPECT_EQ(pens(Paint(), "Pen 0000FF Solid 1"), 0);
  Style().BeginUpdate();
  Style().SetPaperLevelDivide(2);
  Style().SetPaperVerticalDivide(2);
  Style().EndUpdate();
  std::vector<std::string> calls = Paint();
  EXPECT_EQ(pens(calls, "Pen 0000FF Solid 1"), 4);
  const auto whiteShown = pens(calls, "Pen FFFFFF Solid 1");
  divide.SetDisplayMode(kModeHidden);
  calls = Paint();
  EXPECT_EQ(pens(calls, "Pen 0000FF Solid 1"), 0);
  EXPECT_EQ(pens(calls, "Pen FFFFFF Solid 1"), whiteShown + 4);
}

TEST_F(TPaperPaint, PreviewHidesTheHatchingOfTheUnprintableArea) {
  UsePrinter();
  MakeView(50);
  Style().GetViewInfo(kElemPrintRange)->SetDisplayMode(kModeScreenOnly);
  const auto hatched = [](const std::vector<std::string>& calls) {
    return std::any_of(calls.begin(), calls.end(), [](const std::string& c) {
      return c.find("Brush ") == 0 && c.find("Solid") == std::string::npos &&
             c.find("Clear") == std::string::npos;
    });
  };
  EXPECT_TRUE(hatched(Paint()));
  View->SetPreviewMode(true);
  EXPECT_TRUE(View->IsPreview());
  EXPECT_FALSE(hatched(Paint()));
  View->SetPreviewMode(false);
  EXPECT_TRUE(hatched(Paint()));
}

}  // namespace
}  // namespace vorna
