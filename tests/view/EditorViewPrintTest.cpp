// Printing the editor view: rows laid out for the printed page, the caret
// kept on its text across a job, and the print command's preview and range.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "EditorViewFixtures.h"
#include "RecordingCanvas.h"
#include "print/LargePrintJobs.h"
#include "text/Cp932.h"

namespace vorna {
namespace {

class TEditorPrint : public testing::TEditorViewTest {
 protected:
  void MakeWindowView() {
    UsePrinter();
    Backend.PrinterCanvas = &PrinterCanvas;
    MakeView(0);  // window mode, capacity from the window
    std::string text;
    for (int i = 0; i < 30; ++i) text += std::string(300, 'a' + i % 26) + "\r\n";
    SetText(text);
  }
  int LongestRow() const {
    int longest = 0;
    for (int r = 0; r < View->List().RowCount(); ++r)
      longest = std::max(longest, View->List().RowCellCount(r));
    return longest;
  }
  long Jobs() const {
    return std::count_if(Backend.Log.begin(), Backend.Log.end(),
                         [](const std::string& l) { return l.rfind("begin:", 0) == 0; });
  }
  testing::TRecordingCanvas PrinterCanvas{3000, 4300, 360};
};

TEST_F(TEditorPrint, ThePreviewLaysTheRowsOutForThePage) {
  MakeWindowView();
  const int screenCapacity = View->CharsPerRow();
  View->SetPreview(true);
  ASSERT_TRUE(View->PaperMode());
  EXPECT_LE(LongestRow(), View->CharsPerRow());
  EXPECT_NE(View->CharsPerRow(), screenCapacity);
  View->SetPreview(false);
  EXPECT_EQ(View->CharsPerRow(), screenCapacity);
  EXPECT_LE(LongestRow(), screenCapacity);
}

TEST_F(TEditorPrint, TheCaretStaysOnItsTextAcrossAJob) {
  MakeWindowView();
  View->SetCaretPos({5, 7});
  const TTextPos before = View->DocPosOf(View->CaretPos());
  View->SetPreview(true);
  ASSERT_TRUE(View->Print("job"));
  EXPECT_EQ(View->DocPosOf(View->CaretPos()), before);
  View->SetPreview(false);
  EXPECT_EQ(View->DocPosOf(View->CaretPos()), before);
}

TEST_F(TEditorPrint, ThePrintCommandPreviewsUnlessCtrlIsHeld) {
  MakeWindowView();
  View->SetPreview(true);
  const int printedPages = View->PageCount();
  View->SetPreview(false);
  ASSERT_GT(printedPages, 1);

  Backend.DialogAnswer.Range = TPrintRange::PageNums;
  Backend.DialogAnswer.FromPage = Backend.DialogAnswer.ToPage = 2;
  EXPECT_TRUE(View->RunPrintCommand("doc.txt", false));
  EXPECT_EQ(Backend.DialogSeen.MaxPage, printedPages);
  EXPECT_EQ(Backend.DialogSeen.ToPage, printedPages);
  EXPECT_FALSE(View->IsPreview());
  EXPECT_EQ(Jobs(), 1);

  // Ctrl keeps the current layout: the window's single page.
  Backend.DialogAnswer.Range = TPrintRange::Selection;
  EXPECT_FALSE(View->RunPrintCommand("doc.txt", true));
  EXPECT_EQ(Backend.DialogSeen.MaxPage, View->PageCount());
  EXPECT_EQ(Jobs(), 1) << "the selection choice prints nothing";

  // A preview the user turned on stays on.
  View->SetPreviewMode(true);
  Backend.DialogConfirms = false;
  EXPECT_FALSE(View->RunPrintCommand("doc.txt", false));
  EXPECT_TRUE(View->IsPreview());
}

TEST_F(TEditorPrint, AJobOfMoreThanTwoThousandPagesIsConfirmedWithItsLength) {
  UsePrinter();
  Backend.PrinterCanvas = &PrinterCanvas;
  MakeView(0);
  std::string text;
  for (int i = 0; i < 80000; ++i) text += "a\r\n";
  SetText(text);
  View->SetPreview(true);
  const int pages = View->PageCount();
  View->SetPreview(false);
  ASSERT_GT(pages, kLargePrintJobPages);

  Boxes.Answer = TMessageResult::No;
  EXPECT_FALSE(View->RunPrintCommand("doc.txt", false));
  EXPECT_EQ(Jobs(), 0);
  ASSERT_FALSE(Boxes.Shown.empty());
  EXPECT_EQ(Boxes.Shown.back(),
            "ask " + GroupedCount(pages) + Cp932FromUtf8(" ページを印刷します。よろしいですか?"));

  // A short range of the same document prints unasked.
  Boxes.Shown.clear();
  Backend.DialogAnswer.Range = TPrintRange::PageNums;
  Backend.DialogAnswer.FromPage = 3;
  Backend.DialogAnswer.ToPage = 4;
  EXPECT_TRUE(View->RunPrintCommand("doc.txt", false));
  EXPECT_EQ(Jobs(), 1);
  EXPECT_TRUE(Boxes.Shown.empty());
}

// A regression: the wrapping measured on the printer's canvas in whatever
// font it held last, so proportional rows on the screen ran off the page.
TEST_F(TEditorPrint, ProportionalRowsAreMeasuredInTheTextFont) {
  UsePrinter();
  Backend.PrinterCanvas = &PrinterCanvas;
  TFontSpec tiny;
  tiny.Height = -2;
  PrinterCanvas.SetFont(tiny);
  MakeView(19);  // letter paper: proportional, on paper
  ASSERT_TRUE(Style().GetProportionalFont());
  ASSERT_TRUE(View->PaperMode());
  std::string text;
  for (int i = 0; i < 20; ++i) text += "\x82\xA0";  // "あ"
  for (int i = 0; i < 6; ++i) SetText(text + text + text + "\r\n" + text);
  ASSERT_GT(View->List().RowCount(), 2);
  for (int r = 0; r < View->List().RowCount(); ++r) {
    const int cells = View->List().RowCellCount(r);
    EXPECT_LE(View->CellsExtent(r, 0, cells - 1), View->TextLength()) << "row " << r;
  }
  PrinterCanvas.SetFont(tiny);  // another user of the printer's canvas
  const std::string typed = "\x82\xA2";
  TReplaceRequest q;
  q.RangeStart = q.RangeEnd = q.InsertAt = {1, 0};
  q.Text = typed;
  View->ReplaceText(q);
  for (int r = 0; r < View->List().RowCount(); ++r)
    EXPECT_LE(View->CellsExtent(r, 0, View->List().RowCellCount(r) - 1), View->TextLength()) << "row " << r;
}

}  // namespace
}  // namespace vorna
