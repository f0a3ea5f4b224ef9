// TVerInfo: the version texts of a program, as the about box shows them. The
// running program's come from its build (the project's version and
// description, and a pre-release flag set by a build option); any other
// file carries none here.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace vorna::app {

class EVerInfo : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The version block of a program file.
struct TVersionBlock {
  std::string FileDescription;
  std::string FileVersion;
  std::string InternalName;
  std::string ProductName;
  uint32_t FileFlags = 0;  // bit 1 (value 2): pre-release
};

// The block the build gave this program.
TVersionBlock BuildVersionBlock();

class TVerInfo {
 public:
  // An empty name: the running program; any other file has no block here.
  explicit TVerInfo(const std::string& fileName = {});
  // A given block (or none), for tests.
  explicit TVerInfo(std::optional<TVersionBlock> block) : FBlock(std::move(block)) {}

  // Empty when there is no block; values are trimmed of surrounding spaces.
  std::string FileDescription() const;
  std::string FileVersion() const;
  std::string InternalName() const;
  std::string ProductName() const;
  // Raise EVerInfo("ルートブロックが取得できません.", CP932) without a block.
  uint32_t FileFlags() const;
  bool IsPreRelease() const { return (FileFlags() & 2u) != 0; }

 private:
  std::optional<TVersionBlock> FBlock;
};

// The program's one reader.
TVerInfo& VerInfo();

}  // namespace vorna::app
