// The editor view's layout geometry: capacities, partitions, the automatic
// font size, the printer mirror, the layout triggers, and row placement over
// every preset at three zooms.
#include <gtest/gtest.h>

#include <string>

#include "EditorViewFixtures.h"
#include "text/Cp932.h"

namespace vorna {
namespace {

using testing::PlainWindow;
using testing::TEditorViewTest;

TEST_F(TEditorViewTest, CapacityPartitionsAndTheGapLineGrid) {
  MakeView();
  PlainWindow(Style());
  SetTextFontSize(9);  // 12 pixels: a cell of 6
  ResizeHost(246, 400);
  EXPECT_EQ(View->CellPitch(), 6);
  EXPECT_EQ(View->LinePitch(), 12);
  EXPECT_EQ(View->CharsPerRow(), 41);
  EXPECT_EQ(View->RowsPerPartitionOfView(), 400 / 12);
  // A manuscript grid needs pairs of cells: 41 becomes 40.
  Style().BeginUpdate();
  Style().SetGapLineStyle(1);
  Element(kElemGapLine).SetDisplayMode(kModeShown);
  Style().EndUpdate();
  EXPECT_EQ(View->CharsPerRow(), 40);
  EXPECT_EQ(View->GapLineWidth(), 1);
  EXPECT_EQ(View->List().WrapInputs().CapacityCells, 40);

  // Two partitions over 1,000 pixels with a 20-pixel margin: 490 each.
  Style().BeginUpdate();
  Style().SetPartationCount(2);
  Style().SetPartationMargin(20);
  Style().EndUpdate();
  ResizeHost(1000, 400);
  ASSERT_EQ(View->PartitionRects().size(), 2u);
  EXPECT_EQ(View->PartitionRects()[0], (TRect{0, 0, 490, 400}));
  EXPECT_EQ(View->PartitionRects()[1], (TRect{510, 0, 1000, 400}));
}

TEST_F(TEditorViewTest, AutomaticFontSizeFillsTheRowWithItsCellsAndHangingCells) {
  MakeView();
  PlainWindow(Style());
  Style().BeginUpdate();
  Style().SetFontSizeAuto(true);
  Style().SetColumnCountAuto(false);
  Style().SetColumnCount(40);
  Style().SetTailHang(true);
  Style().EndUpdate();
  ResizeHost(840, 400);  // 42 cells of 20 pixels: a font of 40
  EXPECT_EQ(View->FontHeight(), 40);
  EXPECT_EQ(View->CharsPerRow(), 40);
  EXPECT_EQ((View->CharsPerRow() + 2) * View->CellPitch(), 840);
}

TEST_F(TEditorViewTest, WithoutPaperRowsScrollOneByOne) {
  MakeView();
  PlainWindow(Style());
  SetTextFontSize(9);
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line\r\n";
  SetText(text);
  ResizeHost(600, 300);
  View->SetOffset({0, -12 * 37 - 5});
  EXPECT_EQ(View->GetRowPlace(50).PageFirstRow, 37);
  const TRect r = View->GetRowRect(40);
  EXPECT_EQ(r.Top, 40 * 12 - 12 * 37 - 5);
  EXPECT_EQ(r.Bottom - r.Top, 11);
  EXPECT_EQ(View->Extent().Y, View->List().RowCount() * 12);
}

TEST_F(TEditorViewTest, PaperMirrorsThePrinterAndCountsPages) {
  UsePrinter();
  MakeView(5);  // manuscript paper for print: 20 rows of 40 cells on A4 landscape
  SetText(std::string(3000, 'a'));
  EXPECT_EQ(View->CharsPerRow(), 40);
  EXPECT_EQ(View->RowsPerPartition(), 20);
  EXPECT_GT(View->PrintFontRatio(), 0);
  const int perPage = View->RowsPerPage();
  EXPECT_EQ(View->PageCount(), (View->List().RowCount() + perPage - 1) / perPage);
  // Rows of a partition fill exactly what the printer fills, spread pixel by pixel.
  const TRowPlace place = View->GetRowPlace(0);
  const int across = View->RowsExtent(0, View->RowsPerPartition() - 1);
  EXPECT_NEAR(across, place.PartitionRect.Width(), View->LinePitch());
}

// Every row of a 3,000-row document lies inside the text rectangle of its
// page and its partition, rows follow each other by their pitch in the
// writing direction without overlapping, and pages count the rows.
TEST_F(TEditorViewTest, RowPlacementInvariantsForEveryPresetAtThreeZooms) {
  UsePrinter();
  std::string text;
  for (int i = 0; i < 1500; ++i)
    text += Cp932Lit(i % 3 ? "吾輩は猫である。名前はまだ無い。" : "「はい」") + "\r\n";
  for (int preset = 0; preset < kPresetCount; ++preset) {
    MakeView(preset);
    SetText(text);
    for (int zoom : {50, 100, 200}) {
      View->SetRatioValue(zoom);
      const TEditList& list = View->List();
      const bool paper = Style().GetPaperVisible(), vertical = Style().GetVertical();
      if (paper) {
        EXPECT_EQ(View->PageCount(), (list.RowCount() + View->RowsPerPage() - 1) / View->RowsPerPage());
      }
      TRect previous;
      int previousPartition = -1, previousPage = -1;
      for (int row = 0; row < list.RowCount(); ++row) {
        const TRowPlace place = View->GetRowPlace(row);
        const TRect r = View->GetRowRect(row);
        const auto where = [&] {
          return "preset " + std::to_string(preset) + " zoom " + std::to_string(zoom) + " row " +
                 std::to_string(row);
        };
        ASSERT_EQ(vertical ? r.Width() : r.Height() + !paper, View->RowPitch(row)) << where();
        if (paper) {
          const TRect text = View->GetPageTextRect(place.Page);
          ASSERT_TRUE(r.Left >= text.Left && r.Right <= text.Right && r.Top >= text.Top &&
                      r.Bottom <= text.Bottom)
              << where();
          ASSERT_TRUE(r.Left >= place.PartitionRect.Left && r.Right <= place.PartitionRect.Right &&
                      r.Top >= place.PartitionRect.Top && r.Bottom <= place.PartitionRect.Bottom)
              << where();
        }
        if (row > 0 && place.Partition == previousPartition && place.Page == previousPage) {
          if (vertical)
            ASSERT_EQ(r.Right, previous.Left) << where();  // right to left, touching, never overlapping
          else
            ASSERT_EQ(r.Top, previous.Bottom + !paper) << where();
        }
        previous = r;
        previousPartition = place.Partition;
        previousPage = place.Page;
      }
    }
  }
}

// Line numbers that gain a digit narrow the rows: a loaded text gets the
// digits of its estimated rows before its first layout, so it is laid out once.
TEST_F(TEditorViewTest, ALoadThatChangesTheLineNumberDigitsLaysOutOnce) {
  MakeView();
  PlainWindow(Style());
  SetTextFontSize(9);
  Style().GetViewInfo(kElemLineInfo)->SetDisplayMode(kModeShown);
  ResizeHost(300, 400);
  std::string text;
  for (int i = 0; i < 900; ++i) text += std::string(60, 'x') + "\r\n";  // two rows each
  int before = View->LayoutCount();
  View->List().SetText(text);  // the text reset reaches the view as a document change
  EXPECT_EQ(View->LayoutCount() - before, 1);
  EXPECT_EQ(View->LineInfoDigits(), 4);
  EXPECT_EQ(View->List().RowCount(), 1801);
  before = View->LayoutCount();
  View->DocumentChanged();  // the digits stay: one layout
  EXPECT_EQ(View->LayoutCount() - before, 1);
}

TEST_F(TEditorViewTest, BadLayoutSettingsAreClamped) {
  MakeView();
  SetText("text\r\nmore text");
  for (int cells : {0, 10000}) {
    Style().BeginUpdate();
    Style().SetColumnCountAuto(false);
    Style().SetColumnCount(cells);
    Style().EndUpdate();
    EXPECT_GE(View->CharsPerRow(), 1) << cells;
  }
  Style().SetPaperVisible(true);
  for (int rows : {0, 1000}) {
    Style().SetLineCountInPage(rows);
    EXPECT_GE(View->RowsPerPage(), 1) << rows;
    for (int row = 0; row < 50; ++row) EXPECT_GE(View->RowPitch(row), 1) << rows;
  }
  Style().SetPaperVisible(false);
  for (int partitions : {0, 100}) {
    Style().SetPartationCount(partitions);
    EXPECT_EQ(static_cast<int>(View->PartitionRects().size()), std::max(partitions, 1));
    EXPECT_GE(View->RowsPerPartitionOfView(), 1);
  }
  Style().BeginUpdate();
  Style().SetMargins(400, 400, 400, 400);
  Style().SetHeaderStr(std::string(10000, 'h') + "&");
  Style().EndUpdate();
  SetTextFontSize(0);
  EXPECT_GE(View->CellPitch(), 1);
  EXPECT_GE(View->LinePitch(), 1);
  ResizeHost(1, 1);
  testing::TRecordingCanvas canvas(1, 1);
  View->Paint(canvas, Host.ClientRect());
  for (int row = 0; row < View->List().RowCount(); ++row) View->GetRowRect(row);
}

}  // namespace
}  // namespace vorna
