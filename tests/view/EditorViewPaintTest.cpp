// Painting the text on the recording canvas: runs and their advances,
// upright pairs, the selection, the disabled colours, the row cache, and
// nothing painted outside the clip or a row's rectangle whatever the text.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Corpus.h"
#include "EditorViewFixtures.h"
#include "RecordingCanvas.h"
#include "text/Cp932.h"
#include "view/RowPaintInfos.h"

namespace vorna {
namespace {

using testing::TRecordingCanvas;

// One recorded text output.
struct TTextCall {
  int X = 0, Y = 0;
  TRect Rect;
  std::string Text;  // UTF-8
  std::vector<int> Advances;
  std::string Font;   // the last Font line before it
  std::string Color;  // the last TextColor before it
};

std::vector<TTextCall> TextCalls(const std::vector<std::string>& calls) {
  std::vector<TTextCall> out;
  std::string font, color;
  for (const std::string& c : calls) {
    if (c.rfind("Font ", 0) == 0) font = c;
    if (c.rfind("TextColor ", 0) == 0) color = c.substr(10);
    if (c.rfind("ExtTextOut ", 0) != 0) continue;
    TTextCall t;
    char opts[32];
    if (std::sscanf(c.c_str(), "ExtTextOut %d,%d %31s %d,%d,%d,%d", &t.X, &t.Y, opts, &t.Rect.Left,
                    &t.Rect.Top, &t.Rect.Right, &t.Rect.Bottom) != 7)
      continue;
    const size_t q1 = c.find('"'), q2 = c.rfind('"');
    t.Text = c.substr(q1 + 1, q2 - q1 - 1);
    const size_t b = c.find('[', q2);
    if (b != std::string::npos)
      for (size_t i = b + 1; i < c.size() && c[i] != ']';) {
        size_t end = 0;
        t.Advances.push_back(std::stoi(c.substr(i), &end));
        i += end + (c[i + end] == ',' ? 1 : 0);
      }
    t.Font = font;
    t.Color = color;
    out.push_back(t);
  }
  return out;
}

bool Inside(const TRect& inner, const TRect& outer) {
  return inner.IsEmpty() || (inner.Left >= outer.Left && inner.Top >= outer.Top &&
                             inner.Right <= outer.Right && inner.Bottom <= outer.Bottom);
}

std::string Sjis(const char* utf8) { return Cp932FromUtf8(utf8); }

class TEditorPaint : public testing::TEditorViewTest {
 protected:
  std::vector<std::string> Paint(const TRect* clip = nullptr) {
    TRecordingCanvas canvas(Host.Width, Host.Height);
    const TRect area = clip ? *clip : Host.ClientRect();
    canvas.SetClipRect(area);
    View->Paint(canvas, area);
    return canvas.Calls();
  }
  // Vertical window mode with upright pairs shown.
  void MakeVertical() {
    MakeView(0);
    Style().BeginUpdate();
    Style().SetVertical(true);
    Element(kElemVerticalRow).SetDisplayMode(kModeShown);
    Style().EndUpdate();
  }
  const TTextCall* Find(const std::vector<TTextCall>& texts, const std::string& utf8) {
    for (const TTextCall& t : texts)
      if (t.Text == utf8) return &t;
    return nullptr;
  }
};

TEST(RowPaintRules, UprightPairsAreExactlyTwoPairBytesNotBothSpaces) {
  const auto pairs = [](const char* utf8, int indent = 0) { return FindUprightPairs(Sjis(utf8), indent); };
  EXPECT_EQ(pairs("漢12字"), std::vector<int>{2});
  EXPECT_TRUE(pairs("漢123字").empty());
  EXPECT_TRUE(pairs("漢1字").empty());
  EXPECT_EQ(pairs("漢! 字"), std::vector<int>{2});
  EXPECT_TRUE(pairs("漢  字").empty());
  EXPECT_EQ(pairs("!?"), std::vector<int>{0});
  // The indent's spaces do not make a pair after them a run of three.
  EXPECT_EQ(pairs("  12漢", 2), std::vector<int>{2});
  EXPECT_TRUE(pairs(" 12漢", 0).empty());
  // Trail bytes in the pair range never count: "ー" is 0x81 0x5B, "＠" 0x81 0x97,
  // and 0x82 0x3F does not exist, but a lone lead byte before "1" must not hide it.
  EXPECT_TRUE(pairs("ー12ー").size() == 1);
  EXPECT_TRUE(FindUprightPairs(std::string("\x82") + "12", 0).empty());  // the lead pairs with "1"
}

TEST(RowPaintRules, JoinedRulesTouchAndKeepTheTotalAdvance) {
  const std::string text = Sjis("───");
  std::vector<int> advances(text.size(), 8);
  ConnectRules(text, advances, 14);
  // Each rule before another advances 14, and hands what it gave up on.
  EXPECT_EQ(advances, (std::vector<int>{14, 0, 14, 0, 12, 8}));
  // The last rule takes what the others gave up: 6 cells of 8 stay 48 pixels.
  ConnectRules(text, advances = std::vector<int>(text.size(), 8), 15);
  int total = 0;
  for (int a : advances) total += a;
  EXPECT_EQ(total, 48);
  // A single rule and other characters are left as they are.
  const std::string lone = Sjis("─漢─");
  std::vector<int> kept(lone.size(), 8);
  ConnectRules(lone, kept, 14);
  EXPECT_EQ(kept, std::vector<int>(lone.size(), 8));
}

TEST_F(TEditorPaint, RunsOfOneStyleAreOneOutputWithAnAdvancePerByte) {
  MakeView(0);
  SetText(Sjis("漢字かなabc"));
  const auto texts = TextCalls(Paint());
  const TTextCall* run = Find(texts, "漢字かなabc");
  ASSERT_NE(run, nullptr);
  ASSERT_EQ(run->Advances.size(), 11u);
  for (int a : run->Advances) EXPECT_EQ(a, View->CellPitch());
}

TEST_F(TEditorPaint, UprightPairsStandInOneCellWithAnUnturnedFont) {
  MakeVertical();
  SetText(Sjis("漢12字123字1字! 字  字"));
  const auto texts = TextCalls(Paint());
  const TTextCall* pair = Find(texts, "12");
  ASSERT_NE(pair, nullptr);
  EXPECT_EQ(pair->Font.find("esc"), std::string::npos) << pair->Font;
  const int half = View->FontHeight() / 2;
  EXPECT_EQ(pair->Advances, (std::vector<int>{half, half}));
  // The mark and its space: trimmed to the mark, centred in the cell.
  const TTextCall* mark = Find(texts, "!");
  ASSERT_NE(mark, nullptr);
  EXPECT_EQ(mark->X, pair->X + View->FontHeight() / 4);
  // Everything else is written turned, "123" and "1" and the two spaces inside.
  int turned = 0;
  for (const TTextCall& t : texts) {
    if (t.Text == "12" || t.Text == "!") continue;
    if (t.Text.find_first_not_of("0123456789") == std::string::npos) continue;  // the line number
    EXPECT_NE(t.Font.find("esc2700"), std::string::npos) << t.Text;
    ++turned;
  }
  EXPECT_EQ(turned, 3);  // 漢, 字123字1字, 字  字
  const TTextCall* rest = Find(texts, "字123字1字");
  EXPECT_NE(rest, nullptr);
}

// The caret commands never leave a selection end on a trail byte; a
// selection kept across a layout change may, so set one directly.
class TSelectionView : public TEditorView {
 public:
  using TEditorView::TEditorView;
  void SelectFromTrail(TDisplayPos start, TDisplayPos end) {
    FSel.Selecting = true;
    FSel.Anchor = start;
    FSel.End = FSel.Caret = end;
    InvalidateRowCache();
  }
};

TEST_F(TEditorPaint, TwoEmDashesAreOneUnbrokenBar) {
  MakeVertical();
  SetText(Sjis("あ――い―う"));
  const auto calls = Paint();
  const auto texts = TextCalls(calls);
  // The pair leaves the text (spaces keep the advances); a lone dash stays a glyph.
  ASSERT_NE(Find(texts, "あ    い―う"), nullptr);
  const TRect row = View->GetRowRect(0);
  const int top = row.Top + View->LineInfoWidth() + View->TextLeftMarginPx();
  int bars = 0;
  for (const std::string& c : calls) {
    TRect r;
    if (std::sscanf(c.c_str(), "FillRect %d,%d,%d,%d", &r.Left, &r.Top, &r.Right, &r.Bottom) != 4) continue;
    if (r.Width() > 4 || r.Height() < View->FontHeight()) continue;
    ++bars;
    // Across both dashes' cells (cells 2 to 5), inside the glyph band.
    EXPECT_GT(r.Top, top + View->CellsExtent(0, 0, 1));
    EXPECT_LT(r.Bottom, top + View->CellsExtent(0, 0, 5));
    EXPECT_GE(r.Bottom - r.Top, View->CellsExtent(0, 2, 5) * 3 / 4);
    EXPECT_TRUE(r.Left > row.Left && r.Right < row.Right) << c;
  }
  EXPECT_EQ(bars, 1);
}

TEST_F(TEditorPaint, ASelectionFromATrailByteShowsAHalfWidthSpace) {
  MakeView(0);
  View = std::make_unique<TSelectionView>(Host, Services);
  View->StyleChanged();
  SetText(Sjis("漢字仮名"));
  static_cast<TSelectionView&>(*View).SelectFromTrail({2, 0}, {7, 0});
  const TColor selectText = Element(kElemSelect).GetFont().Color;
  const auto texts = TextCalls(Paint());
  const TTextCall* selected = nullptr;
  for (const TTextCall& t : texts)
    if (t.Text.rfind(" ", 0) == 0) selected = &t;
  ASSERT_NE(selected, nullptr);
  EXPECT_EQ(selected->Text, " 字仮") << "the trail cell, then the rest of the selection";
  EXPECT_EQ(selected->Color, testing::ColorText(selectText));
  // The run before it ends on the lead byte: a space there too, never half a character.
  const TTextCall* before = Find(texts, " ");
  ASSERT_NE(before, nullptr);
}

TEST_F(TEditorPaint, ADisabledViewPaintsGreyText) {
  MakeView(0);
  SetText(Sjis("灰色の文字"));
  View->SetEnabled(false);
  for (const TTextCall& t : TextCalls(Paint())) EXPECT_EQ(t.Color, "808080") << t.Text;
  View->SetEnabled(true);
  for (const TTextCall& t : TextCalls(Paint())) EXPECT_NE(t.Color, "808080") << t.Text;
}

TEST_F(TEditorPaint, ProportionalAdvancesAreMeasuredPerCharacter) {
  MakeView(2);  // a notebook: proportional font
  ASSERT_TRUE(Style().GetProportionalFont());
  SetText(Sjis("Wil漢"));
  const TRowPaintInfo& info = View->GetRowPaintInfo(0);
  // The recording canvas measures a half-width byte em / 2 and a double-byte
  // character em; each gets the column space, a trail byte only that.
  const int space = View->ColumnSpacePx();
  const int half = info.Cells[0].Advance - space;
  EXPECT_GT(half, 0);
  EXPECT_EQ(info.Cells[3].Advance, 2 * half + space);
  EXPECT_EQ(info.Cells[4].Advance, space);
  EXPECT_EQ(View->CellPitchAt(0, 3), info.Cells[3].Advance);
  EXPECT_EQ(View->CellsExtent(0, 0, 4), 3 * (half + space) + 2 * half + 2 * space);
  const auto texts = TextCalls(Paint());
  const TTextCall* run = Find(texts, "Wil漢");
  ASSERT_NE(run, nullptr);
  EXPECT_EQ(run->Advances,
            (std::vector<int>{half + space, half + space, half + space, 2 * half + space, space}));
}

TEST_F(TEditorPaint, SupersampledOnTheScreenDirectInPreview) {
  MakeView(0);
  Style().SetAntiArius(2);
  SetText(Sjis("滑らかな文字"));
  auto calls = Paint();
  // Drawn twice as large on a bitmap, then reduced onto the canvas.
  EXPECT_EQ(Find(TextCalls(calls), "滑らかな文字"), nullptr);
  int bitmaps = 0;
  for (const std::string& c : calls) bitmaps += c.rfind("DrawBitmap", 0) == 0;
  EXPECT_GT(bitmaps, 0);
  View->SetPreview(true);
  calls = Paint();
  EXPECT_NE(Find(TextCalls(calls), "滑らかな文字"), nullptr);
  View->SetPreview(false);
}

// Pixels set in the pen colour within `box`.
int PixelsIn(const std::vector<std::string>& calls, const TRect& box) {
  int count = 0;
  for (const std::string& c : calls) {
    int x = 0, y = 0;
    if (std::sscanf(c.c_str(), "Pixel %d,%d", &x, &y) == 2 && x >= box.Left && x < box.Right &&
        y >= box.Top && y < box.Bottom)
      ++count;
  }
  return count;
}

TEST_F(TEditorPaint, LineEndsShowTheirMarkAndTheLastRowTheEndOfFile) {
  MakeView(0);
  Element(kElemReturn).SetDisplayMode(kModeShown);
  Element(kElemEof).SetDisplayMode(kModeHidden);
  Element(kElemCaretLine).SetDisplayMode(kModeHidden);
  Style().SetColumnCountAuto(false);
  Style().SetColumnCount(6);
  SetText(Sjis("一二三四五六\r\n短い"));
  ASSERT_EQ(View->List().RowCount(), 3);
  // The mark cell after each row's text: rows 1 and 2 end their lines.
  const auto markCell = [&](int row) {
    const TRect r = View->GetRowRect(row);
    const int start = r.Left + View->LineInfoWidth() + View->TextLeftMarginPx() +
                      View->CellsExtent(row, 0, View->List().RowCellCount(row) - 1);
    return TRect{start, r.Top, start + View->CellPitch(), r.Bottom + 1};
  };
  auto calls = Paint();
  EXPECT_EQ(PixelsIn(calls, markCell(0)), 0) << "a wrapped row has no end mark";
  EXPECT_GT(PixelsIn(calls, markCell(1)), 4);
  EXPECT_GT(PixelsIn(calls, markCell(2)), 4);
  // With the end-of-file mark shown, the last row points the other way.
  Element(kElemEof).SetDisplayMode(kModeShown);
  calls = Paint();
  const TRect last = markCell(2);
  // A horizontal end-of-line arrow points down: its head spreads across x;
  // the end-of-file arrow points left: its head spreads across y.
  std::vector<int> xs, ys;
  for (const std::string& c : calls) {
    int x = 0, y = 0;
    if (std::sscanf(c.c_str(), "Pixel %d,%d", &x, &y) == 2 && x >= last.Left && x < last.Right &&
        y >= last.Top && y < last.Bottom) {
      xs.push_back(x);
      ys.push_back(y);
    }
  }
  ASSERT_FALSE(xs.empty());
  const auto spread = [](const std::vector<int>& v) {
    return *std::max_element(v.begin(), v.end()) - *std::min_element(v.begin(), v.end());
  };
  EXPECT_GE(spread(xs), spread(ys)) << "an arrow along the row";
}

TEST_F(TEditorPaint, TheRowCacheFollowsTextSelectionAndSearch) {
  MakeView(0);
  Element(kElemCaretLine).SetDisplayMode(kModeHidden);
  SetText(Sjis("検索する語と語"));
  EXPECT_EQ(View->GetRowPaintInfo(0).Cells[0].Style, kElemNormal);
  View->SelectRange({1, 0}, {3, 0}, false);
  EXPECT_EQ(View->GetRowPaintInfo(0).Cells[0].Style, kElemSelect);
  EXPECT_EQ(View->GetRowPaintInfo(0).Cells[2].Style, kElemNormal);
  View->ClearSelection();
  EXPECT_EQ(View->GetRowPaintInfo(0).Cells[0].Style, kElemNormal);
  Element(kElemFind).SetDisplayMode(kModeShown);
  View->SetSearchText(Sjis("語"), 0);
  const TRowPaintInfo& found = View->GetRowPaintInfo(0);
  EXPECT_EQ(found.Cells[8].Style, kElemFind);
  EXPECT_EQ(found.Cells[12].Style, kElemFind);
  EXPECT_EQ(found.Cells[10].Style, kElemNormal);
  // A typed character changes the row's text: the cache follows.
  const std::string word = Sjis("語");
  TReplaceRequest typed;
  typed.RangeStart = typed.RangeEnd = typed.InsertAt = {1, 0};
  typed.Text = word;
  View->ReplaceText(typed);
  EXPECT_EQ(View->GetRowPaintInfo(0).Cells[0].Style, kElemFind);
}

TEST_F(TEditorPaint, TypingRepaintsTheRowsFromItsLineOnOnly) {
  MakeView(0);
  SetText(Sjis("一行目\r\n二行目\r\n三行目"));
  View->SetCaretPos({1, 1});
  Host.Clear();
  const std::string typed = Sjis("あ");
  TReplaceRequest q;
  q.RangeStart = q.RangeEnd = q.InsertAt = {1, 1};
  q.Text = typed;
  View->ReplaceText(q);
  const TRect first = View->GetRowRect(0), second = View->GetRowRect(1);
  ASSERT_GT(Host.Count("invalidate"), 0);
  for (const std::string& c : Host.Calls) {
    TRect r;
    if (std::sscanf(c.c_str(), "invalidate %d,%d,%d,%d", &r.Left, &r.Top, &r.Right, &r.Bottom) != 4) continue;
    EXPECT_GE(r.Top, second.Top) << c;
    EXPECT_FALSE(r.Top <= first.Top && r.Bottom > first.Top) << c;
  }
  // Replacing a selection repaints everything (the selection goes).
  View->ClearSelection();
  View->SelectRange({1, 0}, {3, 1}, false);
  Host.Clear();
  View->ReplaceText(q);
  EXPECT_EQ(Host.Count("invalidate 0,0,"), 1);
}

// A keystroke early in a paragraph longer than the window changes every
// later row of it: the rows from the caret's on are marked as far as the
// window shows them, in a few rectangles, never the rows before it nor the
// whole view. Window mode, the scrolled manuscript and paper.
TEST_F(TEditorPaint, TypingInALongParagraphMarksTheRowsInSightFromTheCaretOn) {
  const std::string typed = Sjis("あ");
  std::string paragraph;
  for (int i = 0; i < 400; ++i) paragraph += Sjis("文章を書く。");
  for (const int preset : {0, 4, 5}) {
    SCOPED_TRACE(preset);
    MakeView(preset);
    SetText(paragraph + "\r\n" + Sjis("次の行"));
    View->SetCaretPos({3, 2});
    Host.Clear();
    TReplaceRequest q;
    q.RangeStart = q.RangeEnd = q.InsertAt = {3, 2};
    q.Text = typed;
    View->ReplaceText(q);
    std::vector<TRect> marked;
    for (const std::string& c : Host.Calls) {
      TRect r;
      if (std::sscanf(c.c_str(), "invalidate %d,%d,%d,%d", &r.Left, &r.Top, &r.Right, &r.Bottom) == 4)
        marked.push_back(r);
    }
    EXPECT_LE(marked.size(), 4u);
    int shown = 0;
    for (int row = 0; row < View->List().RowCount(); ++row) {
      TRect r = View->GetRowRect(row);
      if (!View->Vertical()) ++r.Bottom;
      if (Intersect(r, Host.ClientRect()).IsEmpty()) continue;
      bool covered = false, touched = false;
      for (const TRect& m : marked) {
        covered = covered || Inside(r, m);
        touched = touched || !Intersect(r, m).IsEmpty();
      }
      EXPECT_EQ(touched && row < 2, false) << "row " << row;
      EXPECT_EQ(covered || row < 2, true) << "row " << row;
      shown += row >= 2;
    }
    EXPECT_GT(shown, 3);
  }
}

TEST_F(TEditorPaint, MatchesAcrossARowBreakAreMarkedOnBothRows) {
  MakeView(0);
  Style().SetColumnCountAuto(false);
  Style().SetColumnCount(10);
  Element(kElemUrl).SetDisplayMode(kModeShown);
  Element(kElemCaretLine).SetDisplayMode(kModeHidden);
  SetText("abcd http://example.com/x");
  ASSERT_GE(View->List().RowCount(), 2);
  EXPECT_EQ(View->GetRowPaintInfo(0).Cells[5].Style, kElemUrl);
  EXPECT_EQ(View->GetRowPaintInfo(0).Cells[4].Style, kElemNormal);
  EXPECT_EQ(View->GetRowPaintInfo(1).Cells[0].Style, kElemUrl);
}

// Every text output lies inside the row whose glyphs it holds (which along
// the row reaches to the page's end, for hanging punctuation), and every
// fill, text, bitmap and pixel inside the clip.
void ExpectInsideRowsAndClip(const TEditorView& view, const std::vector<std::string>& calls,
                             const TRect& clip) {
  const int rows = view.List().RowCount();
  for (const TTextCall& t : TextCalls(calls)) {
    EXPECT_TRUE(Inside(t.Rect, clip)) << t.Text;
    bool inRow = false;
    for (int r = 0; r < rows + 40 && !inRow; ++r) {
      TRect row = view.GetRowRect(r);
      const TRect page = view.GetPageRects(view.GetRowPlace(r).Page).Page;
      if (view.Vertical()) {
        row.Bottom = std::max(row.Bottom, page.Bottom);
      } else {
        ++row.Bottom;
        row.Right = std::max(row.Right, page.Right);
      }
      inRow = Inside(t.Rect, row);
    }
    EXPECT_TRUE(inRow) << t.Text << " " << t.Rect.Left << "," << t.Rect.Top;
  }
  for (const std::string& c : calls) {
    TRect r;
    int x = 0, y = 0;
    if (std::sscanf(c.c_str(), "FillRect %d,%d,%d,%d", &r.Left, &r.Top, &r.Right, &r.Bottom) == 4 ||
        std::sscanf(c.c_str(), "CopyRect %d,%d,%d,%d", &r.Left, &r.Top, &r.Right, &r.Bottom) == 4) {
      EXPECT_TRUE(Inside(r, clip)) << c;
    }
    if (std::sscanf(c.c_str(), "Pixel %d,%d", &x, &y) == 2) {
      EXPECT_TRUE(x >= clip.Left && x < clip.Right && y >= clip.Top && y < clip.Bottom) << c;
    }
  }
}

TEST_F(TEditorPaint, HostileTextsPaintInsideTheClipAtEveryZoom) {
  std::string text = std::string(100000, 'a') + "\r\n";
  text += Sjis("｜《》［＃］") + "\r\n";  // notation only
  text += Sjis("開く《ひらく") + "\r\n" + Sjis("注［＃未完") + "\r\n";
  text += std::string("\x81\r\n\xFF\xFE\x80 \x82", 8) + "\r\n";
  for (int i = 0; i < 1000; ++i) text += Sjis("─");
  text += "\r\n" + Sjis("終わり");
  const TRect clip{120, 90, 620, 430};
  for (const int preset : {0, 4, 6, 8, 12, 15}) {
    for (const int zoom : {20, 200}) {
      MakeView(preset);
      Style().SetRatioValue(zoom);
      Style().SetConnectTatesen(true);
      Element(kElemNormal).SetDisplayMode(kModeShown);
      SetText(text);
      ExpectInsideRowsAndClip(*View, Paint(&clip), clip);
    }
  }
}

TEST_F(TEditorPaint, ZeroSizeFontsAndASmallBackgroundPicture) {
  MakeView(0);
  TRecordingCanvas pictureCanvas(8, 8);
  auto picture = pictureCanvas.CreateBitmap(40, 30);
  View->SetBackgroundBitmap(picture.get());
  for (const int element : {kElemNormal, kElemRubi, kElemLineInfo}) {
    TFontDesc font = Element(element).GetFont();
    font.Size = 0;
    font.Height = 0;
    Element(element).SetFont(font);
  }
  Element(kElemLineInfo).SetDisplayMode(kModeShown);
  SetText(Sjis("背景《はいけい》の上の文字\r\n二行目"));
  const auto calls = Paint();
  ExpectInsideRowsAndClip(*View, calls, Host.ClientRect());
  // The picture is centred; what it leaves is black and text is written transparently.
  int copies = 0;
  for (const std::string& c : calls) copies += c.rfind("CopyRect", 0) == 0;
  EXPECT_GT(copies, 0);
  for (const std::string& c : calls)
    if (c.rfind("ExtTextOut", 0) == 0) {
      EXPECT_EQ(c.find("opaque"), std::string::npos) << c;
    }
  View->SetBackgroundBitmap(nullptr);
}

TEST_F(TEditorPaint, EveryCorpusRowAtTheManuscriptPresetStaysInItsRow) {
  const auto files = testing::CorpusFiles();
  if (files.empty()) GTEST_SKIP() << "corpus folder absent (VORNA_CORPUS)";
  MakeView(4);
  for (const auto& file : files) {
    std::string text = testing::ReadFileBytes(file);
    SetText(text.substr(0, 60000));
    // Walk the document a screen at a time.
    const int rows = View->List().RowCount();
    const int perScreen = std::max(Host.Width / View->LinePitch(), 1);
    for (int first = 0; first < rows; first += perScreen * 8) {
      View->SetOffset({first * View->LinePitch(), 0});
      ExpectInsideRowsAndClip(*View, Paint(), Host.ClientRect());
      if (HasFailure()) return;
    }
  }
}

}  // namespace
}  // namespace vorna
