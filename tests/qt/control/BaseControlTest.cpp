// The base control's geometry, painting and scroll bars on the offscreen
// platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "control/ControlServices.h"
#include "control/EditorControls.h"
#include "control/ViewWidgets.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtConvert.h"
#include "text/Cp932.h"

namespace vorna::control {
namespace {

TEST(BaseControlTest, TheViewSitsInsideTheBorderTheBarsAndTheMargin) {
  TQtServiceSet services;
  TBaseControl control(nullptr, services.Services());
  control.Style().SetBorderMargin(5);
  control.resize(300, 200);
  control.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&control));
  const int bar = control.VertScrollBar().width();
  EXPECT_EQ(control.BorderWidth(), 2);
  EXPECT_EQ(control.ClientArea(), QRect(QPoint(2, 2), QPoint(300 - 2 - bar - 1, 200 - 2 - bar - 1)));
  // With both bars the margin stays off their side.
  EXPECT_EQ(control.ViewArea(), control.ClientArea().adjusted(5, 5, 0, 0));
  EXPECT_EQ(control.ViewWidget().geometry(), control.ViewArea());
  // The square between the bars is the button face.
  const QImage image = control.grab().toImage();
  EXPECT_EQ(qt::FromQColor(image.pixelColor(300 - 2 - bar / 2, 200 - 2 - bar / 2)),
            qt::SystemColorFromPalette(15));

  control.SetBorderStyle(cbNone);
  control.Style().SetVScrollBarVisible(false);
  control.Style().SetHScrollBarVisible(false);
  EXPECT_EQ(control.BorderWidth(), 0);
  EXPECT_EQ(control.ViewArea(), QRect(5, 5, 290, 190));
}

TEST(BaseControlTest, AReversedTilingMovesTheViewTheOtherWayOnTheBar) {
  TQtServiceSet services;
  std::string text;
  for (int i = 0; i < 400; ++i) text += Cp932FromUtf8("吾輩は猫である。\r\n");
  int moved[2] = {};
  for (bool reversed : {false, true}) {
    TEditor editor(nullptr, services.Services());
    editor.SetStyleIndex(5);  // sheets tiled top to bottom
    editor.EditorStyle().SetPaperTileVReverse(reversed);
    editor.resize(600, 500);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    editor.EditorView().List().SetText(text);
    QScrollBar& bar = editor.VertScrollBar();
    ASSERT_TRUE(bar.isEnabled());
    const int before = editor.View().Offset().Y;
    bar.setValue(bar.value() + (reversed ? -40 : 40));
    moved[reversed] = editor.View().Offset().Y - before;
    // The bar follows the view's own moves.
    editor.View().ScrollStep(4);
    EXPECT_EQ(bar.value(), reversed ? bar.maximum() - editor.View().Offset().Y : -editor.View().Offset().Y);
  }
  EXPECT_EQ(moved[0], -40);
  EXPECT_EQ(moved[1], 40);
}

}  // namespace
}  // namespace vorna::control
