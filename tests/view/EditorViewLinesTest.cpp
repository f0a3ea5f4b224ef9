// Line numbers and ruled lines as painted on the recording canvas: which
// number stands on which row, the boxes of marked and caret rows, the
// manuscript grid's squares, ruled and divide lines, and bad settings that
// must neither crash nor draw outside the clip.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "EditorViewFixtures.h"
#include "RecordingCanvas.h"
#include "text/Cp932.h"

namespace vorna {
namespace {

using testing::ColorText;

// Line colours no preset uses, one per element under test.
constexpr TColor kGap = 0x00102030, kPage = 0x00112233, kLimit = 0x00445566, kTail = 0x00778899,
                 kCaretBox = 0x000000FE, kMarkBox = 0x00FE0000;
constexpr TColor kColors[] = {kGap, kPage, kLimit, kTail, kCaretBox, kMarkBox};

// A recorded line from (X1, Y1) up to (X2, Y2), end excluded, in `Pen`.
struct TSegment {
  std::string Pen;
  int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  bool Horizontal() const { return Y1 == Y2; }
  bool Inside(const TRect& r) const {
    return std::min(X1, X2) >= r.Left && std::max(X1, X2 - Horizontal()) < r.Right &&
           std::min(Y1, Y2) >= r.Top && std::max(Y1, Y2 - !Horizontal()) < r.Bottom;
  }
};

std::vector<TSegment> Segments(const std::vector<std::string>& calls, TColor only = kClNone) {
  std::vector<TSegment> out;
  char pen[16] = "", dot[16];
  int x = 0, y = 0, a = 0, b = 0;
  for (const std::string& c : calls) {
    if (std::sscanf(c.c_str(), "Pen %15s", pen) == 1 || std::sscanf(c.c_str(), "MoveTo %d,%d", &x, &y) == 2)
      continue;
    if (std::sscanf(c.c_str(), "LineTo %d,%d", &a, &b) == 2) {
      out.push_back({pen, x, y, a, b});
      x = a;
      y = b;
    } else if (std::sscanf(c.c_str(), "Pixel %d,%d %15s", &a, &b, dot) == 3)  // a dotted pen's pixel
      out.push_back({dot, a, b, a + 1, b});
  }
  std::erase_if(out, [&](const TSegment& s) { return only != kClNone && s.Pen != ColorText(only); });
  return out;
}

struct TTextCall {
  int X = 0, Y = 0;
  std::string Options, Text;  // text as UTF-8
  TRect Rect;
};

std::vector<TTextCall> Texts(const std::vector<std::string>& calls) {
  std::vector<TTextCall> out;
  for (const std::string& c : calls) {
    TTextCall t;
    char options[32];
    if (std::sscanf(c.c_str(), "ExtTextOut %d,%d %31s %d,%d,%d,%d", &t.X, &t.Y, options, &t.Rect.Left,
                    &t.Rect.Top, &t.Rect.Right, &t.Rect.Bottom) != 7)
      continue;
    t.Options = options;
    const size_t open = c.find('"');
    t.Text = c.substr(open + 1, c.find('"', open + 1) - open - 1);
    out.push_back(t);
  }
  return out;
}

class TLinesPaint : public testing::TEditorViewTest {
 protected:
  // Horizontal writing in a window with the number column and no other decorations.
  void Window(int lines) {
    MakeView();
    Style().BeginUpdate();
    Style().SetVertical(false);
    for (int e : {kElemCaretLine, kElemReturn, kElemEof, kElemUnfilled})
      Element(e).SetDisplayMode(kModeHidden);
    Element(kElemLineInfo).SetDisplayMode(kModeShown);
    Style().EndUpdate();
    ResizeHost(1000, 1400);
    std::string text;
    for (int i = 0; i < lines; ++i) text += "line\r\n";
    SetText(text);
  }
  void Show(int element, TColor lineColor, int lineStyle = 1) {
    Element(element).SetDisplayMode(kModeShown);
    Element(element).SetLineColor(lineColor);
    Element(element).SetLineStyle(lineStyle);
    Element(element).SetLineWidth(-1);  // one pixel
  }
  std::vector<std::string> Paint(TRect clip = {}) {
    testing::TRecordingCanvas canvas(Host.Width, Host.Height);
    View->Paint(canvas, clip.IsEmpty() ? Host.ClientRect() : clip);
    return canvas.Calls();
  }
  // The row holding pixel line y (horizontal writing).
  int RowAt(int y) const {
    for (int row = 0; row < 500; ++row)
      if (View->GetRowRect(row).Top <= y && y <= View->GetRowRect(row).Bottom) return row;
    return -1;
  }
  // The numbers painted (transparent text in the number column), by row.
  std::map<int, TTextCall> Numbers(const std::vector<std::string>& calls) const {
    std::map<int, TTextCall> out;
    for (const TTextCall& t : Texts(calls))
      if (t.Options == "clipped" && t.Rect.Right <= View->LineInfoWidth()) out[RowAt(t.Rect.Top)] = t;
    return out;
  }
};

TEST_F(TLinesPaint, PageLabelsOpenEveryPageAndRowsPastTheDocumentShowNone) {
  Window(44);  // 45 rows with the empty one after the last line break
  Style().SetLineInfoStyle(2);
  Style().SetLineCountInPage(20);
  const std::map<int, TTextCall> numbers = Numbers(Paint());
  ASSERT_EQ(numbers.size(), 45u);
  for (const auto& [row, t] : numbers)
    EXPECT_EQ(t.Text, row % 20 ? std::to_string(row % 20 + 1) : "P" + std::to_string(row / 20 + 1)) << row;
}

TEST_F(TLinesPaint, MarkedAndCaretRowsGetTheirBoxesAroundTheNumber) {
  Window(6);
  Show(kElemCaretLineInfo, kCaretBox, 0);
  Show(kElemMarkLineInfo, kMarkBox, 0);
  View->Infos().CurrentItem()->SetMarks({{3, 3}, {1, 0}});  // lines 3 and 0, the caret's
  View->RestoreViewState();
  const std::vector<std::string> calls = Paint();
  const std::map<int, TTextCall> numbers = Numbers(calls);
  // Per row, the box's left and right sides: round the number, inside the column.
  const auto sides = [&](TColor color) {
    std::map<int, std::pair<int, int>> out;
    for (const TSegment& s : Segments(calls, color)) {
      if (s.Horizontal()) continue;
      auto& [left, right] = out.try_emplace(RowAt(s.Y1), INT_MAX, INT_MIN).first->second;
      left = std::min(left, s.X1), right = std::max(right, s.X1);
    }
    return out;
  };
  const auto marks = sides(kMarkBox), carets = sides(kCaretBox);
  ASSERT_EQ(marks.size() * 10 + carets.size(), 21u);  // rows 0 and 3 marked, row 0 the caret's
  EXPECT_TRUE(marks.at(3).first < numbers.at(3).X && marks.at(3).second < View->LineInfoWidth());
  EXPECT_TRUE(carets.at(0).first < numbers.at(0).X && marks.at(0).first < carets.at(0).first &&
              marks.at(0).second > carets.at(0).second);
}

TEST_F(TLinesPaint, RuledLinesOpenOnTheFirstRowOnlyAndPagesCloseInTheirStyle) {
  Window(20);
  Show(kElemGapLine, kGap);
  Show(kElemPageDivideLine, kPage);
  Show(kElemMaxPageDivideLine, kLimit);
  Style().SetLineCountInPage(3);
  Style().SetMaxPageCount(3);
  // The rows with a line on their top (or bottom) pixel line.
  const auto rowsOf = [&](const std::vector<std::string>& calls, TColor color, bool top) {
    std::vector<int> rows;
    for (const TSegment& s : Segments(calls, color)) {
      const TRect r = View->GetRowRect(RowAt(s.Y1));
      if (s.Y1 == (top ? r.Top : r.Bottom)) rows.push_back(RowAt(s.Y1));
    }
    return rows;
  };
  const std::vector<std::string> all = Paint();
  EXPECT_EQ(rowsOf(all, kGap, true), (std::vector<int>{0}));  // the one opening line
  EXPECT_EQ(rowsOf(all, kGap, false).size(), Segments(all, kGap).size() - 1);
  EXPECT_EQ(rowsOf(all, kLimit, false), (std::vector<int>{5}));  // the page before page 3
  const std::vector<int> pages = rowsOf(all, kPage, false);
  ASSERT_GE(pages.size(), 3u);
  EXPECT_EQ(std::vector<int>(pages.begin(), pages.begin() + 3), (std::vector<int>{2, 8, 11}));
  // A repaint of rows 5 to 7 opens nothing: the first painted row depends on the clip.
  const TRect clip{0, View->GetRowRect(5).Top, 1000, View->GetRowRect(7).Bottom + 1};
  EXPECT_TRUE(rowsOf(Paint(clip), kGap, true).empty());
  Style().SetLineCountInPage(-3);
  EXPECT_TRUE(Segments(Paint(), kPage).empty());
}

TEST_F(TLinesPaint, ManuscriptSquaresHoldOneFullWidthCharacterEach) {
  MakeView(4);  // the window's 20 x 20 sheet
  Style().SetTailHang(true);
  Element(kElemGapLine).SetLineColor(kGap);
  SetText(Cp932Lit("一二三四五六七八九十一二三四五六七八九十。") + "\r\n");  // the stop hangs
  const std::vector<std::string> calls = Paint();
  const TRect row = View->GetRowRect(0);
  std::vector<int> crosses;
  int low = INT_MAX, high = INT_MIN;
  for (const TSegment& s : Segments(calls, kGap)) {
    if (s.X1 < row.Left || s.X1 >= row.Right) continue;
    if (s.Horizontal()) crosses.push_back(s.Y1);
    if (!s.Horizontal()) low = std::min(low, s.X1), high = std::max(high, s.X1);
  }
  std::sort(crosses.begin(), crosses.end());
  ASSERT_EQ(crosses.size(), 21u);
  // The first row opens its page on the near side; its end lines join the next row over the gap.
  for (const TSegment& s : Segments(calls, kGap)) {
    if (!s.Horizontal() || s.Y1 != crosses[0] || s.X1 < row.Left) continue;
    EXPECT_TRUE(s.X1 == row.Left && s.X2 == high + 1);
  }
  const int pitch = View->CellPitch(), font = View->FontHeight();
  for (const TTextCall& t : Texts(calls)) {
    if (t.X < row.Left || t.X >= row.Right) continue;
    EXPECT_TRUE(t.X < high && t.X - font > low);  // across: inside the strip
    for (int i = 0; i < 20; ++i) {
      EXPECT_EQ(crosses[i + 1] - crosses[i], 2 * pitch);
      EXPECT_TRUE(crosses[i] < t.Y + 2 * i * pitch && t.Y + 2 * i * pitch + font < crosses[i + 1]) << i;
    }
    EXPECT_GT(t.Y + 40 * pitch, crosses.back());  // the hung stop stands below the grid
  }
}

TEST_F(TLinesPaint, BadSettingsAndZoomsNeitherCrashNorLeaveTheClip) {
  UsePrinter();
  const TRect clip{137, 101, 611, 433};
  for (int preset : {0, 4, 5, 6, 8, 12}) {
    for (int zoom : {20, 200}) {
      MakeView(preset);
      Style().BeginUpdate();
      Style().SetRatioValue(zoom);
      const int elements[] = {kElemGapLine,          kElemPageDivideLine, kElemMaxPageDivideLine,
                              kElemLineInfoTailLine, kElemCaretLineInfo,  kElemMarkLineInfo};
      for (int i = 0; i < 6; ++i)
        Show(elements[i], kColors[i], std::max(Element(elements[i]).GetLineStyle(), 1));
      Element(kElemLineInfo).SetDisplayMode(kModeShown);
      Style().EndUpdate();
      std::string text;
      for (int i = 0; i < 30; ++i) text += Cp932Lit(i % 7 ? "ある行の文章です。" : "○場面") + "\r\n";
      SetText(text);
      View->Infos().CurrentItem()->SetMarks({{1, 0}, {1, 2}});
      View->RestoreViewState();
      for (int perPage : {0, -7, 1}) {
        for (auto [interval, start] : {std::pair{0, INT_MAX}, {-3, 1}, {3, INT_MIN}}) {
          Style().BeginUpdate();
          Style().SetLineCountInPage(perPage);
          Style().SetLineInfoInterval(interval);
          Style().SetStartLineInfoNo(start);
          Style().SetLineInfoStartLineNo(start);
          Style().SetLineInfoStyle((preset + perPage + interval + 10) % 5);
          Style().SetGapLineStyle(perPage == 1 ? 2 : 1);
          Style().EndUpdate();
          const std::vector<std::string> calls = Paint(clip);
          for (TColor color : kColors)
            for (const TSegment& s : Segments(calls, color))
              EXPECT_TRUE(s.Inside(clip)) << preset << " " << zoom << " " << s.X1 << "," << s.Y1;
          for (const TTextCall& t : Texts(calls)) {
            if (t.Options != "clipped") continue;
            EXPECT_EQ(Intersect(t.Rect, clip), t.Rect) << preset << " " << zoom;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace vorna
