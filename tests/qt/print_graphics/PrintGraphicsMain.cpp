// Entry of the printer and drawing-helper tests: a QApplication on the
// offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "graphics/SmoothText.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  QApplication app(argc, argv);
  int result = RUN_ALL_TESTS();
  vorna::ReleaseSmoothTextBitmaps();
  return result;
}
