// The Qt printer layer through TLpPrinter: the PDF file printer that is always
// offered, paper codes and orientation reaching real PDF pages (checked with
// pdfinfo), device values, the print dialog and failures that leave no job open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <regex>

#include "platform/qt/QtPrinterBackend.h"
#include "print/LpPrintDialogs.h"
#include "print/LpPrinters.h"
#include "print/PageMetrics.h"

namespace vorna {
namespace {

// Output of `pdfinfo path`.
std::string PdfInfo(const std::string& path) {
  std::string command = std::string(VORNA_PDFINFO) + " '" + path + "' 2>&1";
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

struct TPdfPages {
  int Pages = 0;
  double Width = 0, Height = 0;  // points
};

TPdfPages ReadPdf(const std::string& path) {
  std::string info = PdfInfo(path);
  TPdfPages result;
  std::smatch m;
  if (std::regex_search(info, m, std::regex(R"(Pages:\s+(\d+))"))) result.Pages = std::stoi(m[1]);
  if (std::regex_search(info, m, std::regex(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)"))) {
    result.Width = std::stod(m[1]);
    result.Height = std::stod(m[2]);
  }
  return result;
}

// The top-left corner of the dark pixels of the first page rendered at 72
// dpi (one pixel per point); (-1, -1) when nothing is dark.
QPoint InkCorner(const std::string& pdf, const std::string& prefix) {
  std::string command =
      std::string(VORNA_PDFTOPPM) + " -r 72 -gray -f 1 -l 1 -singlefile '" + pdf + "' '" + prefix + "' 2>&1";
  if (std::system(command.c_str()) != 0) return {-2, -2};
  QImage page(QString::fromStdString(prefix + ".pgm"));
  QPoint corner(-1, -1);
  for (int y = 0; y < page.height() && corner.y() < 0; ++y)
    for (int x = 0; x < page.width(); ++x)
      if (qGray(page.pixel(x, y)) < 128) {
        corner = {x, y};
        break;
      }
  return corner;
}

double MmToPoints(double mm) { return mm / 25.4 * 72; }

class PdfPrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Dir.isValid());
    Printer.SetBackend(&Backend);
    // Work on the PDF printer even where CUPS printers are installed.
    for (int i = 0; i < Printer.Info().Count(); ++i)
      if (Printer.Info().Names(i) == qt::kPdfPrinterName) Backend.SetPrinterIndex(i);
    ASSERT_EQ(Backend.DeviceName(), qt::kPdfPrinterName);
  }
  std::string PathOf(const char* name) { return Dir.filePath(name).toStdString(); }
  // Prints a two-page job with a mark on each page.
  void PrintTwoPages(const std::string& path) {
    Backend.SetPdfFileName(path);
    TLpPrintJob job(Printer, "two pages");
    TCanvas& canvas = Printer.Canvas();
    canvas.SetBrush(kClBlack, TBrushStyle::Solid);
    canvas.FillRect({0, 0, 600, 600});
    Printer.NewPage();
    canvas.FillRect({600, 600, 1200, 1200});
  }

  QTemporaryDir Dir;
  qt::TQtPrinterBackend Backend;
  TLpPrinter Printer;
};

TEST_F(PdfPrinterTest, PdfPrinterIsAlwaysAvailable) {
  EXPECT_TRUE(Printer.Available());
  int pdf = -1;
  for (int i = 0; i < Printer.Info().Count(); ++i)
    if (Printer.Info().Names(i) == qt::kPdfPrinterName) pdf = i;
  ASSERT_GE(pdf, 0);
  EXPECT_FALSE(Printer.Info().IsHidden(pdf));
  EXPECT_EQ(Printer.GetIndex(), pdf);
  EXPECT_TRUE(Printer.HasPaperNumber(kDmPaperA4));
  EXPECT_TRUE(Printer.HasPaperNumber(kDmPaperB5));
  EXPECT_FALSE(Printer.HasPaperNumber(kDmPaperUser));
  auto names = Printer.GetPaperSizeNames();
  EXPECT_NE(std::find(names.begin(), names.end(), "A4"), names.end());
  auto ports = Printer.GetPorts();
  EXPECT_NE(std::find(ports.begin(), ports.end(), "FILE:"), ports.end());
  uint32_t fields = Printer.GetSupportedFields();
  EXPECT_EQ(fields & 0xF, 0xFu);  // orientation, paper size, length and width
}

TEST_F(PdfPrinterTest, TwoPageJobsGiveA4PortraitAndB5LandscapePages) {
  Printer.SetPaperSizeNumber(kDmPaperA4);
  Printer.SetOrientation(false);
  Printer.ApplyChanges();
  std::string a4 = PathOf("a4.pdf");
  PrintTwoPages(a4);
  EXPECT_FALSE(Printer.Printing());
  TPdfPages pages = ReadPdf(a4);
  EXPECT_EQ(pages.Pages, 2);
  EXPECT_NEAR(pages.Width, MmToPoints(210), 1.0);
  EXPECT_NEAR(pages.Height, MmToPoints(297), 1.0);

  Printer.SetPaperSizeNumber(kDmPaperB5);
  Printer.SetOrientation(true);
  Printer.ApplyChanges();
  EXPECT_EQ(Printer.GetPaperSizeNumber(), kDmPaperB5);
  EXPECT_TRUE(Printer.GetOrientation());
  std::string b5 = PathOf("b5.pdf");
  PrintTwoPages(b5);
  pages = ReadPdf(b5);
  EXPECT_EQ(pages.Pages, 2);
  EXPECT_NEAR(pages.Width, MmToPoints(257), 1.0);  // JIS B5 turned
  EXPECT_NEAR(pages.Height, MmToPoints(182), 1.0);
}

TEST_F(PdfPrinterTest, PaperCodesAreTheStandardNumbers) {
  struct Case {
    int Code;
    double WidthMm, HeightMm;
  };
  const Case cases[] = {{1, 215.9, 279.4}, {5, 215.9, 355.6}, {8, 297, 420},  {9, 210, 297},
                        {11, 148, 210},    {12, 257, 364},    {13, 182, 257}, {70, 105, 148}};
  for (const Case& c : cases) {
    Printer.SetOrientation(false);
    Printer.SetPaperSizeNumber(c.Code);
    Printer.ApplyChanges();
    EXPECT_EQ(Printer.GetPaperSizeNumber(), c.Code);
    TPoint paper = Printer.GetPaperExtent();
    const double dpi = Printer.GetPixelsPerInch().X, point = dpi / 72;
    EXPECT_NEAR(paper.X, c.WidthMm / 25.4 * dpi, point) << c.Code;
    EXPECT_NEAR(paper.Y, c.HeightMm / 25.4 * dpi, point) << c.Code;
  }
}

TEST_F(PdfPrinterTest, DeviceValuesDescribeTheSheet) {
  Printer.SetPaperSizeNumber(kDmPaperA4);
  Printer.SetOrientation(false);
  Printer.ApplyChanges();
  TPoint dpi = Printer.GetPixelsPerInch();
  ASSERT_GT(dpi.X, 0);
  TPoint paper = Printer.GetPaperExtent();
  // Within a millimetre: the PDF keeps standard sheets in whole points.
  EXPECT_NEAR(paper.X, 210 / 25.4 * dpi.X, dpi.X / 25.4);
  EXPECT_NEAR(paper.Y, 297 / 25.4 * dpi.Y, dpi.Y / 25.4);
  TPoint page = Printer.GetPageExtent(), offset = Printer.GetOffset();
  EXPECT_GT(page.X, 0);
  EXPECT_LE(offset.X + page.X, paper.X);
  EXPECT_LE(offset.Y + page.Y, paper.Y);
  // The canvas measures the printable area from its corner.
  EXPECT_EQ(Printer.Canvas().ClipRect(), (TRect{0, 0, page.X, page.Y}));
  EXPECT_EQ(Printer.Canvas().PixelsPerInch(), dpi.Y);
}

TEST_F(PdfPrinterTest, CanvasOriginIsThePrintableCorner) {
  std::string pdf = PathOf("origin.pdf");
  PrintTwoPages(pdf);
  TPoint offset = Printer.GetOffset();
  int dpi = Printer.GetPixelsPerInch().X;
  QPoint corner = InkCorner(pdf, PathOf("origin"));
  EXPECT_NEAR(corner.x(), offset.X * 72.0 / dpi, 1.0);
  EXPECT_NEAR(corner.y(), offset.Y * 72.0 / dpi, 1.0);
}

TEST_F(PdfPrinterTest, UserSizeReachesThePrinter) {
  Printer.SetpaperExtent(1000, 1480);  // tenths of a millimetre
  Printer.ApplyChanges();
  EXPECT_EQ(Printer.GetPaperSizeNumber(), kDmPaperUser);
  EXPECT_EQ(Printer.GetUserpaperExtent(), (TPoint{1000, 1480}));
  TPoint dpi = Printer.GetPixelsPerInch();
  // Qt keeps page sizes in whole points.
  const double point = dpi.X / 72.0;
  EXPECT_NEAR(Printer.GetPaperExtent().X, 100 / 25.4 * dpi.X, point);
  // A size next to a standard sheet keeps its own extent.
  Printer.SetpaperExtent(2090, 2960);
  Printer.ApplyChanges();
  EXPECT_EQ(Printer.GetUserpaperExtent(), (TPoint{2090, 2960}));
  EXPECT_NEAR(Printer.GetPaperExtent().X, 209 / 25.4 * dpi.X, point);
}

TEST_F(PdfPrinterTest, MetricsFollowThePrinter) {
  TPageMetrics PageMetrics;
  PageMetrics.UpdatePrinterMetrics(Printer);
  PageMetrics.ReadPrinterPaper(Printer, false);
  EXPECT_EQ(PageMetrics.DeviceDpi, Printer.GetPixelsPerInch().X);
  EXPECT_EQ(PageMetrics.PaperSize, Printer.GetPaperExtent());
  EXPECT_EQ(PageMetrics.PaperOffset, Printer.GetOffset());
}

TEST_F(PdfPrinterTest, BadInputRaisesAndLeavesNoJobOpen) {
  EXPECT_THROW(Printer.SetPaperSizeNumber(5000), ELpPrinterNotSupported);
  EXPECT_THROW(Printer.SetpaperExtent(0, 100), ELpPrinterNotSupported);
  for (std::string path : {PathOf("missing/folder/out.pdf"), std::string("/proc/version/out.pdf")}) {
    Backend.SetPdfFileName(path);
    try {
      TLpPrintJob job(Printer, "job");
      ADD_FAILURE() << "no error for " << path;
    } catch (const EPrinterPlatformError& e) {
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    EXPECT_FALSE(Printer.Printing());
  }
  Backend.SetPdfFileName("");
  EXPECT_THROW(Printer.BeginDoc("job"), EPrinterPlatformError);
  EXPECT_FALSE(Printer.Printing());
  EXPECT_THROW(Printer.NewPage(), EPrinterPlatformError);
}

TEST_F(PdfPrinterTest, ConfirmedDialogResetsThePrinterAccess) {
  TLpPrintDialog dialog(Printer);
  dialog.MaxPage = 3;
  dialog.ToPage = 3;
  Printer.SetOrientation(true);
  bool shown = false;
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
      shown = true;
      box->accept();
    }
  });
  Backend.SetPdfFileName(PathOf("dialog.pdf"));
  bool confirmed = dialog.Execute();
  if (!shown) GTEST_SKIP() << "the print dialog could not be driven on this platform";
  EXPECT_TRUE(confirmed);
  EXPECT_FALSE(Printer.Modified());
  EXPECT_EQ(dialog.PrintRange, TPrintRange::AllPages);
  EXPECT_NE(Printer.LastIndex(), -1);
}

}  // namespace
}  // namespace vorna
