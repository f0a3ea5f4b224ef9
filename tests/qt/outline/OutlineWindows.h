// A main window on the offscreen platform with fake message boxes, shown,
// for the outline, go-to and drop tests.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "MainForms.h"
#include "PlatformDoubles.h"
#include "control/ControlServices.h"
#include "print/LpPrinters.h"
#include "text/Cp932.h"

namespace vorna::app::testing {

class OutlineWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FBundle = FQt.Services();
    FBundle.Boxes = &FBoxes;
    FBundle.Clipboard = &FClipboard;
    FWindow = std::make_unique<TVORNAEditorMain>(FBundle);
    FWindow->resize(900, 700);
    FWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
  }
  void TearDown() override { FWindow.reset(); }
  TEditorView& View() { return FWindow->View(); }
  // The document holds `utf8` (as after opening it) under `preset`.
  void Load(int preset, std::string_view utf8) {
    FWindow->ChoosePreset(preset);
    View().List().SetText(Cp932FromUtf8(utf8));
    QApplication::processEvents();
  }
  // The 0-based document line of the caret.
  int CaretLine() { return View().DocPosOf(View().CaretPos()).Y; }

  TLpPrinter FPrinter;
  control::TQtServiceSet FQt{&FPrinter};
  vorna::testing::TFakeMessageBoxes FBoxes;
  vorna::testing::TMemoryClipboard FClipboard;
  TPlatformServices FBundle;
  std::unique_ptr<TVORNAEditorMain> FWindow;
};

}  // namespace vorna::app::testing
