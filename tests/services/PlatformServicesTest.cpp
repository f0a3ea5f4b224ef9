// Two views' worth of platform services side by side (as a screen view and a
// print job have): whatever is done through one bundle is seen through that
// bundle alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakePrinterBackend.h"
#include "LineItems.h"
#include "PlatformDoubles.h"
#include "RecordingCanvas.h"
#include "graphics/Colors.h"
#include "graphics/Fills.h"
#include "graphics/Marks.h"
#include "graphics/MessageDialogs.h"
#include "platform/PlatformServices.h"
#include "platform/SystemMetrics.h"
#include "print/LpPrinters.h"
#include "print/PageMetrics.h"
#include "settings/DataLists.h"
#include "settings/EditorStyles.h"

namespace vorna {
namespace {

using testing::MakeFakePrinter;
using testing::TFakeFontList;
using testing::TFakeKeyState;
using testing::TFakeMessageBoxes;
using testing::TFakePrinterBackend;
using testing::TFakeShell;
using testing::TManualTimers;
using testing::TMemoryClipboard;
using testing::TMemoryFiles;
using testing::TRecordingCanvas;
using testing::TRecordingCanvasFactory;

// A screen with a resolution and a button-face colour of its own.
class TScreen : public TSystemMetrics {
 public:
  TScreen(int dpi, TColor face) : FDpi(dpi), FFace(face) {}
  int ScreenPixelsPerInch() override { return FDpi; }
  int ScreenWidth() override { return 1280; }
  int ScreenHeight() override { return 1024; }
  int WheelScrollLines() override { return 3; }
  int DragThreshold() override { return 4; }
  int ScrollBarThickness() override { return 16; }
  TColor SystemColorValue(unsigned index) override { return index == kColorBtnFace ? FFace : kClBlack; }

 private:
  int FDpi;
  TColor FFace;
};

// A message loop during which one millisecond passes on its own timers.
class TTickingShell : public TFakeShell {
 public:
  explicit TTickingShell(TManualTimers& timers) : FTimers(timers) {}
  void ProcessMessages() override {
    TFakeShell::ProcessMessages();
    FTimers.Advance(1);
  }

 private:
  TManualTimers& FTimers;
};

// Everything one view is given, with the bundle that hands it on.
struct TViewServices {
  TViewServices(int dpi, TColor face) : Screen(dpi, face) {
    Services.Canvases = &Canvases;
    Services.Metrics = &Screen;
    Services.Boxes = &Boxes;
    Services.Files = &Files;
    Services.Shell = &Shell;
    Services.Clipboard = &Clipboard;
    Services.Timers = &Timers;
    Services.Keys = &Keys;
    Services.Fonts = &Fonts;
    Services.PageMetrics = &PageMetrics;
    Services.Printer = &Printer;
  }
  TRecordingCanvasFactory Canvases;
  TRecordingCanvas Canvas;  // the device the view paints on
  TScreen Screen;
  TFakeMessageBoxes Boxes;
  TMemoryFiles Files;
  TManualTimers Timers;
  TTickingShell Shell{Timers};
  TMemoryClipboard Clipboard;
  TFakeKeyState Keys;
  TFakeFontList Fonts;
  TPageMetrics PageMetrics{&Screen};
  TLpPrinter Printer;
  TPlatformServices Services;
};

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

using testing::TLineItem;

class PlatformServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Backend.Printers = {MakeFakePrinter("P600")};
    Backend.Current = 0;
    Job.Printer.SetBackend(&Backend);
  }

  TFakePrinterBackend Backend;
  TViewServices Job{120, Rgb(200, 100, 50)};   // prints: reads the printer
  TViewServices Preview{96, Rgb(10, 20, 30)};  // stays at the defaults
};

TEST_F(PlatformServicesTest, PageMetricsReadForOneViewLeaveTheOtherAtTheDefaults) {
  Job.PageMetrics.UpdatePrinterMetrics(Job.Printer);
  Job.PageMetrics.ReadPrinterPaper(Job.Printer, false);
  EXPECT_EQ(Job.PageMetrics.DeviceDpi, 600);
  EXPECT_EQ(Job.PageMetrics.ScreenDpi, 120);
  EXPECT_EQ(Job.PageMetrics.PaperSize, (TPoint{4960, 7014}));
  EXPECT_EQ(Job.PageMetrics.ScreenPaperSize, (TPoint{992, 1403}));

  // The preview's own printer access has no printer: reading it changes nothing.
  Preview.PageMetrics.UpdatePrinterMetrics(Preview.Printer);
  Preview.PageMetrics.ReadPrinterPaper(Preview.Printer, false);
  const TPageMetrics defaults;
  const TPageMetrics& preview = Preview.PageMetrics;
  EXPECT_EQ(preview.DeviceDpi, defaults.DeviceDpi);
  EXPECT_EQ(preview.ScreenDpi, defaults.ScreenDpi);
  EXPECT_EQ(preview.FirstDpi, defaults.FirstDpi);
  EXPECT_EQ(preview.LastPrinterIndex, defaults.LastPrinterIndex);
  EXPECT_EQ(preview.Scale, defaults.Scale);
  EXPECT_EQ(preview.PaperSize, (TPoint{2976, 4209}));
  EXPECT_EQ(preview.PageExtent, defaults.PageExtent);
  EXPECT_EQ(preview.ScreenPaperSize, defaults.ScreenPaperSize);
  EXPECT_EQ(preview.MillimetresToDevice(210), 2976);
  EXPECT_EQ(Job.PageMetrics.MillimetresToDevice(210), 4961);

  // And the other way round: the preview turning its sheet leaves the job's.
  Preview.PageMetrics.InitDefaultPaper(true);
  EXPECT_EQ(Preview.PageMetrics.PaperSize, (TPoint{4209, 2976}));
  EXPECT_EQ(Job.PageMetrics.PaperSize, (TPoint{4960, 7014}));
  EXPECT_EQ(Job.PageMetrics.DeviceDpi, 600);
}

TEST_F(PlatformServicesTest, SystemColoursResolveThroughTheirOwnMetrics) {
  const TColor face = SystemColor(kColorBtnFace);
  for (TViewServices* view : {&Job, &Preview})
    GradientFill(view->Canvas, {0, 0, 0, 1}, face, kClBlack, false, view->Services.Metrics);
  EXPECT_EQ(Job.Canvas.Calls().front(), "Brush 3264C8 Solid");
  EXPECT_EQ(Preview.Canvas.Calls().front(), "Brush 1E140A Solid");

  // The bevel shades from a system-coloured brush with its view's colours.
  for (TViewServices* view : {&Job, &Preview}) {
    view->Canvas.Clear();
    view->Canvas.SetBrush(face, TBrushStyle::Solid);
    DrawBevel(view->Canvas, {0, 0, 8, 8}, {0, 0, 8, 8}, false, view->Services.Metrics);
  }
  EXPECT_TRUE(Has(Job.Canvas.Calls(), "Pen 193264 Solid 1"));  // half of (200, 100, 50)
  EXPECT_FALSE(Has(Job.Canvas.Calls(), "Pen 0F0A05 Solid 1"));
  EXPECT_TRUE(Has(Preview.Canvas.Calls(), "Pen 0F0A05 Solid 1"));  // half of (10, 20, 30)
  EXPECT_FALSE(Has(Preview.Canvas.Calls(), "Pen 193264 Solid 1"));

  EXPECT_EQ(BlendColor(face, kClWhite, 0, Job.Services.Metrics), Rgb(200, 100, 50));
  EXPECT_EQ(BlendColor(face, kClWhite, 0, Preview.Services.Metrics), Rgb(10, 20, 30));
}

TEST_F(PlatformServicesTest, MessagesAndWaitsUseTheirOwnServices) {
  ShowError(Job.Services, "failed");
  Job.Boxes.Answer = TMessageResult::Yes;
  EXPECT_EQ(AskYesNoCancel(Job.Services, "save?"), TMessageResult::Yes);
  EXPECT_EQ(AskYesNoCancel(Preview.Services, "save?"), TMessageResult::Cancel);
  EXPECT_EQ(Job.Boxes.Shown, (std::vector<std::string>{"beep!", "error failed", "beep", "ask save?"}));
  EXPECT_EQ(Preview.Boxes.Shown, (std::vector<std::string>{"beep", "ask save?"}));

  Delay(Job.Services, 5);
  EXPECT_EQ(Job.Shell.MessagePumps, 5);
  EXPECT_EQ(Job.Timers.Now, 5u);
  EXPECT_EQ(Preview.Shell.MessagePumps, 0);
  EXPECT_EQ(Preview.Timers.Now, 0u);
}

TEST_F(PlatformServicesTest, FilesAndSettingsStayInTheirOwnFileService) {
  auto style = MakeDataItem<TEditorStyle>();
  style->SetLineSpace(12);
  style->SaveToRegistry(Job.Files, "Tests");
  style->SaveToIniFile(Job.Files, "/work/style.ini");
  TDataList list(&TDataItem::ClassOf<TLineItem>);
  list.Add("one");
  list.SaveToFile(Job.Files, "/work/list.txt");
  EXPECT_TRUE(Job.Files.FileExists("/home/user/.config/UrProject/Tests.conf"));
  EXPECT_TRUE(Job.Files.FileExists("/work/style.ini"));
  EXPECT_EQ(Job.Files.Files.at("/work/list.txt"), "one\r\n");

  auto loaded = MakeDataItem<TEditorStyle>();
  EXPECT_FALSE(loaded->LoadFromRegistry(Preview.Files, "Tests"));
  EXPECT_FALSE(loaded->LoadFromIniFile(Preview.Files, "/work/style.ini"));
  EXPECT_EQ(loaded->GetLineSpace(), 10);
  TDataList other(&TDataItem::ClassOf<TLineItem>);
  other.Reload(Preview.Files, "/work/list.txt", false);
  EXPECT_EQ(other.GetCount(), 0);
  EXPECT_TRUE(Preview.Files.Files.empty());  // looking wrote nothing

  EXPECT_TRUE(loaded->LoadFromRegistry(Job.Files, "Tests"));
  EXPECT_EQ(loaded->GetLineSpace(), 12);
}

TEST_F(PlatformServicesTest, StylesConvertWithThePageMetricsOfTheirView) {
  auto forJob = MakeDataItem<TEditorStyle>();
  auto forPreview = MakeDataItem<TEditorStyle>();
  forJob->MakePrintable(Job.Services.PageMetrics, Job.Services.Printer);
  EXPECT_EQ(Job.PageMetrics.ScreenDpi, 120);  // read from the job's screen
  EXPECT_EQ(Job.PageMetrics.DeviceDpi, 600);
  EXPECT_EQ(Preview.PageMetrics.DeviceDpi, 360);
  forPreview->MakePrintable(Preview.Services.PageMetrics, Preview.Services.Printer);
  EXPECT_EQ(Preview.PageMetrics.ScreenDpi, 96);
  EXPECT_EQ(Job.PageMetrics.ScreenDpi, 120);
  EXPECT_EQ(forJob->GetLineSpace(), 2.12);      // 10 px at 120 dpi
  EXPECT_EQ(forPreview->GetLineSpace(), 2.65);  // 10 px at 96 dpi
}

}  // namespace
}  // namespace vorna
