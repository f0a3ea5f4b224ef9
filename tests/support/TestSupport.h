// GoogleTest helpers shared by every test executable.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "Corpus.h"
#include "text/Cp932.h"

// Skips the current test with a visible message when the corpus is absent.
#define VORNA_REQUIRE_CORPUS()                                                    \
  do {                                                                            \
    if (!::vorna::testing::CorpusDir())                                           \
      GTEST_SKIP() << "corpus folder not found (set VORNA_CORPUS); test skipped"; \
  } while (0)

namespace vorna::testing {

// CP932 bytes of a UTF-8 literal, for readable test data.
inline std::string Sj(std::string_view utf8) { return Cp932FromUtf8(utf8); }

// Folder of the reference data under tests/data.
std::string TestDataDir();

}  // namespace vorna::testing
