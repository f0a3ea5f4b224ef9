// The print job on the fake printer: which sheets a page or sheet range
// prints, the new-page calls between sheets, the progress that can end a
// job, and a job ended by a printer error leaving the view on the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "RecordingCanvas.h"
#include "ViewFixtures.h"
#include "settings/StyleElements.h"

namespace vorna {
namespace {

class TPrintJob : public testing::TBaseViewTest {
 protected:
  // `pages` pages, two a sheet when `twoPerSheet`, each header showing its number.
  void MakeDocument(int pages, bool twoPerSheet) {
    UsePrinter();
    Backend.PrinterCanvas = &PrinterCanvas;
    MakeView(50);
    Style().BeginUpdate();
    if (twoPerSheet) Style().SetPaperLevelDivide(2);
    Style().SetHeaderStr("&p");
    Style().SetFooterStr("");
    Style().GetViewInfo(kElemHeader)->SetDisplayMode(kModeShown);
    Style().EndUpdate();
    View->SetPages(pages);
  }
  // The page numbers the printer was given, in order.
  std::vector<std::string> PrintedPages() {
    std::vector<std::string> pages;
    for (const std::string& c : PrinterCanvas.Calls()) {
      if (c.rfind("TextRect", 0) != 0) continue;
      const size_t q = c.find('"');
      pages.push_back(c.substr(q + 1, c.rfind('"') - q - 1));
    }
    return pages;
  }
  long NewPages() const { return std::count(Backend.Log.begin(), Backend.Log.end(), "page"); }

  testing::TRecordingCanvas PrinterCanvas{3000, 4300, 360};
};

TEST_F(TPrintJob, PageRangesPrintWholeSheets) {
  MakeDocument(6, true);
  ASSERT_EQ(View->SheetCount(), 3);
  ASSERT_TRUE(View->Print("t", {.FromPage = 3, .ToPage = 4}));
  EXPECT_EQ(PrintedPages(), (std::vector<std::string>{"3", "4"}));
  EXPECT_EQ(NewPages(), 0);
  PrinterCanvas.Clear();
  ASSERT_TRUE(View->Print("t", {.FromPage = 3, .ToPage = 3}));
  EXPECT_EQ(PrintedPages(), (std::vector<std::string>{"3", "4"})) << "page 3 alone prints all of sheet 2";
  PrinterCanvas.Clear();
  ASSERT_TRUE(View->Print("t", {.FromSheet = 2, .ToSheet = 3}));
  EXPECT_EQ(PrintedPages(), (std::vector<std::string>{"3", "4", "5", "6"}));
  EXPECT_EQ(NewPages(), 1);
  // Nothing of the document in the range: no job at all.
  Backend.Log.clear();
  EXPECT_FALSE(View->Print("t", {.FromPage = 9, .ToPage = 10}));
  EXPECT_TRUE(Backend.Log.empty());
}

TEST_F(TPrintJob, AOnePageDocumentIssuesNoNewPage) {
  MakeDocument(1, false);
  ASSERT_TRUE(View->Print("one"));
  EXPECT_EQ(NewPages(), 0);
  EXPECT_EQ(Backend.Log.front(), "begin:one@A4");
  EXPECT_EQ(Backend.Log.back(), "end");
  EXPECT_FALSE(View->IsPrinting());
}

TEST_F(TPrintJob, APrinterErrorEndsTheJobAndTheViewIsBackOnTheScreen) {
  MakeDocument(3, false);
  const int screenPages = View->PageCount();
  const TRect screenSheet = View->GetSheetRect(1);
  Backend.FailNewPageAt = 2;  // after sheet 2
  EXPECT_THROW(View->Print("fails"), std::exception);
  EXPECT_EQ(std::count(Backend.Log.begin(), Backend.Log.end(), "end"), 1);
  EXPECT_FALSE(Backend.Open);
  EXPECT_FALSE(View->IsPrinting());
  EXPECT_EQ(View->Canvas(), &Host.Canvas);
  EXPECT_EQ(View->PageCount(), screenPages);
  EXPECT_EQ(View->GetSheetRect(1), screenSheet);
  // The next job runs normally.
  Backend.FailNewPageAt = 0;
  EXPECT_TRUE(View->Print("again"));
  EXPECT_EQ(NewPages(), 1 + 2);
}

TEST_F(TPrintJob, ProgressCountsTheAskedSheetsAndFalseEndsTheJobThere) {
  MakeDocument(6, true);
  std::vector<std::pair<int, int>> calls;
  View->OnPrintSheet = [&calls](int done, int total) {
    calls.emplace_back(done, total);
    return true;
  };
  ASSERT_TRUE(View->Print("t", {.FromPage = 3, .ToPage = 6}));  // sheets 2 and 3
  EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));
  Backend.Log.clear();
  PrinterCanvas.Clear();
  View->OnPrintSheet = [](int done, int) { return done < 1; };
  View->Print("stopped");
  EXPECT_EQ(PrintedPages(), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(NewPages(), 0);
  EXPECT_EQ(Backend.Log.back(), "end");
  EXPECT_FALSE(View->IsPrinting());
}

TEST_F(TPrintJob, APaperThePrinterLacksPrintsOnItsCurrentPaper) {
  MakeDocument(1, false);
  Style().SetPaperSize(11);  // A5: not offered by the fake printer (A4, B5)
  ASSERT_TRUE(View->Print("a5"));
  EXPECT_EQ(Printer.GetPaperSizeNumber(), kDmPaperA4);
  // The sheet was laid out as the A4 sheet the printer holds (at 360 dpi).
  EXPECT_EQ(Metrics.PaperSize, (TPoint{2976, 4209}));
}

TEST_F(TPrintJob, NoPrinterPrintsNothing) {
  MakeView(50);
  EXPECT_FALSE(View->Print("none"));
  EXPECT_FALSE(View->IsPrinting());
  // A view prints only on the printer of its own services, never on another's.
  UsePrinter();
  TPlatformServices without = Services;
  without.Printer = nullptr;
  testing::TPagedView other(Host, without);
  EXPECT_FALSE(other.Print("other"));
  EXPECT_TRUE(Backend.Log.empty());
}

}  // namespace
}  // namespace vorna
