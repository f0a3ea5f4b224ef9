// Shared GoogleTest helpers.
#include "TestSupport.h"

#include <cstdlib>

namespace vorna::testing {

std::string TestDataDir() {
  const char* env = std::getenv("VORNA_TEST_DATA");
  return env && *env ? env : "tests/data";
}

}  // namespace vorna::testing
