// The one Qt application of a benchmark program, on the offscreen platform
// with the font substitutions the editor installs.
#pragma once

#include <QApplication>
#include <cstdlib>

#include "platform/qt/QtFonts.h"

namespace vorna::bench {

inline void EnsureApplication() {
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    auto* created = new QApplication(argc, argv);
    qt::InstallFontSubstitutions();
    return created;
  }();
  (void)app;
}

}  // namespace vorna::bench
