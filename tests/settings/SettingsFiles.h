// File helpers of the settings tests: a fresh folder per test, raw bytes in
// and out, and the POSIX file service with its configuration folder there.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

#include "platform/PosixFiles.h"

namespace vorna::testing {

// A new empty folder named after the running test.
inline std::filesystem::path TempDir(const std::string& prefix) {
  auto dir = std::filesystem::temp_directory_path() /
             (prefix + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Real files, with the per-user store under `config` instead of the user's
// own configuration folder.
class TRootedFiles : public TPosixFiles {
 public:
  explicit TRootedFiles(std::filesystem::path config) : FConfig(std::move(config)) {}
  std::string ConfigFolder() override { return FConfig.string(); }

 private:
  std::filesystem::path FConfig;
};

}  // namespace vorna::testing
