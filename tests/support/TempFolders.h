// A temporary folder removed with everything in it at the end of a test, raw
// file bytes in and out, and an environment variable set for the duration of
// a test (header only).
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace vorna::testing {

class TTempFolder {
 public:
  // A new folder in `base`.
  explicit TTempFolder(const std::string& base = "/tmp") {
    std::string pattern = base + "/vorna-test-XXXXXX";
    const char* made = ::mkdtemp(pattern.data());
    FPath = made ? made : base;
  }
  ~TTempFolder() {
    std::error_code ec;
    std::filesystem::permissions(FPath, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ec);
    std::filesystem::remove_all(FPath, ec);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  const std::filesystem::path& Path() const { return FPath; }
  std::string Path(const std::string& name) const { return (FPath / name).string(); }

 private:
  std::filesystem::path FPath;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class TScopedEnvironment {
 public:
  TScopedEnvironment(std::string name, const std::string& value) : FName(std::move(name)) {
    if (const char* old = ::getenv(FName.c_str())) FOld = old;
    ::setenv(FName.c_str(), value.c_str(), 1);
  }
  ~TScopedEnvironment() {
    if (FOld) {
      ::setenv(FName.c_str(), FOld->c_str(), 1);
    } else {
      ::unsetenv(FName.c_str());
    }
  }
  TScopedEnvironment(const TScopedEnvironment&) = delete;
  TScopedEnvironment& operator=(const TScopedEnvironment&) = delete;

 private:
  std::string FName;
  std::optional<std::string> FOld;
};

}  // namespace vorna::testing
