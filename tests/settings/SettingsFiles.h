// The POSIX file service with its configuration folder in a test's own folder,
// for the settings tests on real files (TempFolders.h has the folder itself).
#pragma once

#include <filesystem>
#include <string>
#include <utility>

#include "TempFolders.h"
#include "platform/PosixFiles.h"

namespace vorna::testing {

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
