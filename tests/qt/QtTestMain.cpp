// Entry of the Qt test program: a QApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/qt/QtFonts.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("VORNA_TEST_DATA", VORNA_TEST_DATA_DIR, 0);
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests needs no application (and so leaves nothing behind).
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  QApplication app(argc, argv);
  vorna::qt::InstallFontSubstitutions();
  return RUN_ALL_TESTS();
}
