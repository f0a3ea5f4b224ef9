// The marks on the ruby side: readings placed over their bases, emphasis
// sizes, annotation hot spots in the row cache, and readings kept beside
// their own row's glyphs.
#include <gtest/gtest.h>

#include <cstdio>
#include <numeric>
#include <string>
#include <vector>

#include "EditorViewFixtures.h"
#include "RecordingCanvas.h"
#include "text/Cp932.h"
#include "view/RowPaintInfos.h"

namespace vorna {
namespace {

std::string Sjis(const char* utf8) { return Cp932FromUtf8(utf8); }

int Sum(const std::vector<int>& v) { return std::accumulate(v.begin(), v.end(), 0); }

TEST(RubyPlacement, TheFourWaysAReadingMeetsItsBase) {
  const std::vector<int> twoKanji{8, 8, 8, 8};  // four cells, 32 pixels
  // As many bytes as cells: each byte beside its cell.
  const TRubyPlacement same = PlaceRuby(Sjis("かな"), twoKanji, 8);
  EXPECT_EQ(same.StartPx, 0);
  EXPECT_EQ(same.Advances, twoKanji);
  // One full-width character: centred.
  const TRubyPlacement one = PlaceRuby(Sjis("き"), twoKanji, 8);
  EXPECT_EQ(one.StartPx, 12);
  EXPECT_EQ(Sum(one.Advances), 8);
  // Spread: the first at the base's start, the last ending at its end.
  const TRubyPlacement spread = PlaceRuby(Sjis("ひらく"), twoKanji, 8);
  EXPECT_EQ(spread.StartPx, 0);
  ASSERT_EQ(spread.Advances.size(), 6u);
  EXPECT_EQ(spread.Advances[0], 6);  // (32 - 8) / (6 - 2)
  EXPECT_EQ(spread.StartPx + spread.Advances[0] * 4 + 8, 32);
  // Too long for the base: half a character a byte, centred, overhanging alike.
  const std::vector<int> oneKanji{8, 8};
  const TRubyPlacement over = PlaceRuby(Sjis("うけたまわる"), oneKanji, 8);
  ASSERT_EQ(over.Advances.size(), 12u);
  EXPECT_EQ(over.Advances[0], 4);
  const int total = Sum(over.Advances);
  EXPECT_EQ(over.StartPx, (16 - total) / 2);
  EXPECT_EQ(-over.StartPx, over.StartPx + total - 16);
  // Degenerate inputs stay sane.
  EXPECT_TRUE(PlaceRuby("", oneKanji, 8).Advances.empty());
  EXPECT_EQ(PlaceRuby(Sjis("あいう"), {}, 0).Advances.size(), 6u);
}

TEST(RubyPlacement, EmphasisMarksShrinkWithTheText) {
  EXPECT_EQ(EmphasisShrink(16, false), 2);
  EXPECT_EQ(EmphasisShrink(17, false), 4);
  EXPECT_EQ(EmphasisShrink(24, false), 4);
  EXPECT_EQ(EmphasisShrink(25, false), 6);
  EXPECT_EQ(EmphasisShrink(16, true), 4);
  EXPECT_EQ(EmphasisShrink(40, true), 8);
}

class TEditorMarks : public testing::TEditorViewTest {
 protected:
  // Preset 12 shows ruby, emphasis and annotation marks.
  void MakeMarksView() {
    MakeView(12);
    ASSERT_TRUE(Element(kElemRubi).IsVisible());
    ASSERT_TRUE(Element(kElemFootNoteMark).IsVisible());
  }
  std::vector<std::string> Paint() {
    testing::TRecordingCanvas canvas(Host.Width, Host.Height);
    View->Paint(canvas, Host.ClientRect());
    return canvas.Calls();
  }
};

TEST_F(TEditorMarks, AnnotationHotSpotsAreKeptWithTheirRow) {
  MakeMarksView();
  SetText(Sjis("本文［＃ここに注］の続き［＃二つ目］。"));
  const TRowPaintInfo& info = View->GetRowPaintInfo(0);
  ASSERT_EQ(info.FootNoteMarks.size(), 2u);
  const std::string line(View->List().Get(0));
  EXPECT_EQ(line.substr(static_cast<size_t>(info.FootNoteMarks[0].First - 1), 4), Sjis("［＃"));
  EXPECT_EQ(line.substr(static_cast<size_t>(info.FootNoteMarks[1].Last - 2), 2), Sjis("］"));
  // The second mark stands further along the row than the first, and both
  // are squares grown by 4 pixels.
  const TRect a = info.FootNoteMarks[0].HotSpot, b = info.FootNoteMarks[1].HotSpot;
  EXPECT_GT(b.Top, a.Top);
  EXPECT_EQ(a.Width(), a.Height());
  // Painted as "＊" inside the square, in the row.
  int stars = 0;
  for (const std::string& c : Paint()) stars += c.find("\"＊\"") != std::string::npos;
  EXPECT_EQ(stars, 2);
}

TEST_F(TEditorMarks, ReadingsStayOnTheirRowsRubySide) {
  MakeMarksView();
  std::string text;
  for (int i = 0; i < 12; ++i)
    text += Sjis("漢字《かんじ》と｜長い語《ながいながいながいながいご》に字《じ》。");
  SetText(text);
  const auto calls = Paint();
  int readings = 0;
  for (const std::string& c : calls) {
    TRect clip;
    int x = 0, y = 0;
    if (c.find("\"かんじ\"") == std::string::npos && c.find("\"じ\"") == std::string::npos) continue;
    ASSERT_EQ(std::sscanf(c.c_str(), "ExtTextOut %d,%d %*s %d,%d,%d,%d", &x, &y, &clip.Left, &clip.Top,
                          &clip.Right, &clip.Bottom),
              6)
        << c;
    ++readings;
    // The clip lies right of some row's glyph band and inside that row.
    bool inside = false;
    for (int r = 0; r < View->List().RowCount() && !inside; ++r) {
      const TRect row = View->GetRowRect(r);
      inside =
          clip.Left >= row.Left + View->FontHeight() && clip.Right <= row.Right && clip.Left < clip.Right;
    }
    EXPECT_TRUE(inside) << c;
  }
  EXPECT_GT(readings, 4);
}

TEST_F(TEditorMarks, UnclosedNotationAndLongReadingsPaintSafely) {
  MakeMarksView();
  std::string reading;
  for (int i = 0; i < 200; ++i) reading += Sjis("よ");
  SetText(Sjis("字《") + reading + Sjis("》\r\n開く《ひら\r\n注［＃閉じない\r\n") + Sjis("｜《》［＃］") +
          "\r\n" + Sjis("［＃「」に傍点］［＃「字」に傍点］"));
  TFontDesc font = Element(kElemRubi).GetFont();
  font.Size = 0;
  Element(kElemRubi).SetFont(font);
  for (const int zoom : {20, 200}) {
    Style().SetRatioValue(zoom);
    const auto calls = Paint();
    EXPECT_FALSE(calls.empty());
  }
}

}  // namespace
}  // namespace vorna
