// Shared GoogleTest helpers.
#include "TestSupport.h"

#include <cstdlib>

namespace vorna::testing {

std::string TestDataDir() {
  const char* env = std::getenv("VORNA_TEST_DATA");
#ifdef VORNA_TEST_DATA_DIR
  return env && *env ? env : VORNA_TEST_DATA_DIR;
#else
  return env && *env ? env : "tests/data";
#endif
}

}  // namespace vorna::testing
