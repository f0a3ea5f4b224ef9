// The platform value types and the test doubles that later tests rely on.
#include <gtest/gtest.h>

#include "PlatformDoubles.h"
#include "RecordingCanvas.h"
#include "TestSupport.h"
#include "platform/SystemMetrics.h"

namespace vorna::testing {
namespace {

TEST(Geometry, RectanglesAndColours) {
  EXPECT_TRUE((TRect{5, 5, 5, 9}).IsEmpty());
  EXPECT_TRUE((TRect{9, 9, 3, 3}).IsEmpty());
  EXPECT_FALSE((TRect{0, 0, 1, 1}).IsEmpty());
  EXPECT_EQ(Intersect({0, 0, 10, 10}, {5, -5, 20, 5}), (TRect{5, 0, 10, 5}));
  EXPECT_TRUE(Intersect({0, 0, 10, 10}, {20, 20, 30, 30}).IsEmpty());
  TColor c = Rgb(0x12, 0x34, 0x56);
  EXPECT_EQ(c, 0x563412u);
  EXPECT_EQ(RedOf(c), 0x12u);
  EXPECT_EQ(GreenOf(c), 0x34u);
  EXPECT_EQ(BlueOf(c), 0x56u);
  EXPECT_TRUE(IsSystemColor(0xFF00000Cu));
  EXPECT_FALSE(IsSystemColor(kClNone));
  EXPECT_FALSE(IsSystemColor(c));
  EXPECT_EQ(SystemColor(kColorAppWorkspace), 0xFF00000Cu);
  EXPECT_EQ(SystemColor(kColorInfoBk), 0xFF000018u);
}

class TFixedMetrics : public TSystemMetrics {
 public:
  int ScreenPixelsPerInch() override { return 96; }
  int ScreenWidth() override { return 1920; }
  int ScreenHeight() override { return 1080; }
  int WheelScrollLines() override { return 3; }
  int DragThreshold() override { return 4; }
  int ScrollBarThickness() override { return 16; }
  TColor SystemColorValue(unsigned index) override {
    return index == kColorWindow ? kClWhite : Rgb(1, 2, index);
  }
};

TEST(SystemMetrics, ResolvesOnlySystemColours) {
  TFixedMetrics metrics;
  EXPECT_EQ(ResolveColor(SystemColor(kColorWindow), metrics), kClWhite);
  EXPECT_EQ(ResolveColor(SystemColor(kColorHighlight), metrics), Rgb(1, 2, 13));
  EXPECT_EQ(ResolveColor(Rgb(9, 8, 7), metrics), Rgb(9, 8, 7));
  EXPECT_EQ(ResolveColor(kClNone, metrics), kClNone);
}

TEST(RecordingCanvas, RecordsCallsAsText) {
  TRecordingCanvas canvas;
  TFontSpec font;
  font.Face = Sj("@ＭＳ 明朝");
  font.Height = -16;
  font.Bold = true;
  font.Escapement = kVerticalEscapement;
  canvas.SetFont(font);
  canvas.SetBrush(SystemColor(kColorBtnFace), TBrushStyle::DiagCross);
  canvas.SetPen(Rgb(255, 0, 0), TPenStyle::Dot, 0);
  canvas.FillRect({1, 2, 3, 4});
  TPoint pts[] = {{0, 0}, {5, 5}};
  canvas.Polyline(pts, 2);
  const int advances[] = {8, 8, 16};
  canvas.ExtTextOut(40, 10, kEtoOpaque | kEtoClipped, {0, 0, 40, 60}, Sj("縦a"), advances);
  canvas.SetClipRect({0, 0, 5, 5});
  EXPECT_EQ(canvas.Dump(),
            "Font @ＭＳ 明朝 -16 bold 000000 esc2700\n"
            "Brush sys15 DiagCross\n"
            "Pen 0000FF Dot 1\n"
            "FillRect 1,2,3,4\n"
            "Polyline 0,0 5,5\n"
            "ExtTextOut 40,10 opaque|clipped 0,0,40,60 \"縦a\" [8,8,16]\n"
            "Clip 0,0,5,5\n");
  canvas.Clear();
  EXPECT_TRUE(canvas.Calls().empty());
}

TEST(RecordingCanvas, MeasuresWithFixedMetrics) {
  TRecordingCanvas canvas;
  TFontSpec font;
  for (auto [height, em] : {std::pair{-20, 20}, {20, 20}, {0, 12}, {-100000, 4096}}) {
    font.Height = height;
    canvas.SetFont(font);
    EXPECT_EQ(canvas.TextHeight(""), em) << height;
    EXPECT_EQ(canvas.FontHeight(), em);
    EXPECT_EQ(canvas.TextWidth(Sj("あa")), em + em / 2);
  }
  EXPECT_EQ(canvas.TextWidth(""), 0);
  EXPECT_EQ(canvas.TextWidth("\x82"), 4096 / 2);  // a lone lead byte is one half-width cell
}

TEST(RecordingCanvas, BitmapsKeepSolidFillsAndPixels) {
  TRecordingCanvas canvas;
  auto bitmap = canvas.CreateBitmap(4, 3);
  ASSERT_EQ(bitmap->Width(), 4);
  EXPECT_EQ(bitmap->ScanLine(0)[0], 0xFFFFFFFFu);
  bitmap->Canvas().SetBrush(Rgb(255, 0, 0), TBrushStyle::Solid);
  bitmap->Canvas().FillRect({-5, -5, 2, 2});
  bitmap->Canvas().SetClipRect({3, 0, 4, 3});
  bitmap->Canvas().SetPixel(3, 2, Rgb(0, 0, 255));
  bitmap->Canvas().SetPixel(2, 2, Rgb(0, 0, 255));  // outside the clip
  bitmap->Canvas().SetPixel(99, 99, kClBlack);      // outside the bitmap
  EXPECT_EQ(bitmap->ScanLine(1)[1], 0xFFFF0000u);
  EXPECT_EQ(bitmap->ScanLine(1)[2], 0xFFFFFFFFu);
  EXPECT_EQ(bitmap->ScanLine(2)[3], 0xFF0000FFu);
  EXPECT_EQ(bitmap->ScanLine(2)[2], 0xFFFFFFFFu);
  EXPECT_FALSE(bitmap->SetSize(20000, 20000));
  EXPECT_EQ(bitmap->Width(), 0);
  EXPECT_EQ(canvas.Dump(), "CreateBitmap 4x3\n");
}

TEST(MemoryFiles, FailuresAreReportedTheWayTheRealServiceReportsThem) {
  TMemoryFiles files;
  files.WriteFile("/d/a.txt", "A");
  EXPECT_EQ(files.CheckAccess("/d/a.txt"), TFileAccess::ReadWrite);
  EXPECT_EQ(files.CheckAccess("/d/none.txt"), TFileAccess::Missing);
  files.Locked.insert("/d/a.txt");
  EXPECT_EQ(files.CheckAccess("/d/a.txt"), TFileAccess::ReadOnly);
  files.FailWrite.insert("/d/b.txt");
  EXPECT_THROW(files.WriteFile("/d/b.txt", "B"), EFileError);
  EXPECT_FALSE(files.FileExists("/d/b.txt"));
  EXPECT_THROW(files.ReadFile("/d/none.txt"), EFileError);
  files.FailMove.insert("/d/a.txt");
  EXPECT_FALSE(files.MoveFile("/d/a.txt", "/d/c.txt"));
  files.FailMove.clear();
  EXPECT_TRUE(files.MoveFile("/d/a.txt", "/d/c.txt"));
  EXPECT_TRUE(files.CreateFolders("/x/y/z"));
  EXPECT_TRUE(files.FolderExists("/x/y"));
  EXPECT_TRUE(files.MoveToTrash("/d/c.txt"));
  EXPECT_EQ(files.Trash, std::vector<std::string>{"/d/c.txt"});
  EXPECT_FALSE(files.FileExists("/d/c.txt"));
}

TEST(ManualTimers, FireOncePerIntervalAndStopFromTheirHandler) {
  TManualTimers timers;
  auto a = timers.CreateTimer();
  auto b = timers.CreateTimer();
  int fa = 0, fb = 0;
  a->OnTimer = [&] { ++fa; };
  b->OnTimer = [&] {
    if (++fb == 2) b->Stop();
  };
  a->Start(10);
  b->Start(3);
  timers.Advance(25);
  EXPECT_EQ(fa, 2);
  EXPECT_EQ(fb, 2);
  EXPECT_FALSE(b->IsActive());
  EXPECT_EQ(timers.TickCount(), 25u);
  b.reset();  // a destroyed timer is forgotten
  timers.Advance(10);
  EXPECT_EQ(fa, 3);
}

TEST(FakeShellAndBoxes, RecordWhatTheyWereAsked) {
  TFakeShell shell;
  shell.Open("mailto:a@b.c", "", "");
  shell.StartSucceeds = false;
  EXPECT_FALSE(shell.StartProgram("prog", {"a b", "c"}));
  ASSERT_EQ(shell.Opened.size(), 1u);
  EXPECT_EQ(shell.Opened[0].Target, "mailto:a@b.c");
  EXPECT_EQ(shell.Started[0].Arguments, (std::vector<std::string>{"a b", "c"}));
  TFakeMessageBoxes boxes;
  boxes.Answer = TMessageResult::No;
  EXPECT_EQ(boxes.AskYesNoCancel("save?"), TMessageResult::No);
  boxes.ShowError("bad");
  EXPECT_EQ(boxes.Shown, (std::vector<std::string>{"beep", "ask save?", "beep!", "error bad"}));
  TFakeFontList fonts;
  fonts.Faces.insert(Sj("ＭＳ 明朝"));
  EXPECT_TRUE(fonts.HasFace(Sj("@ＭＳ 明朝")));
  EXPECT_FALSE(fonts.HasFace(Sj("@ＭＳ ゴシック")));
}

}  // namespace
}  // namespace vorna::testing
