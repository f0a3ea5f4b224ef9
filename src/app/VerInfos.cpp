// Version texts from the build.
#include "VerInfos.h"

#include "BuildVersion.h"
#include "text/Cp932.h"

namespace vorna::app {
namespace {

std::string Trimmed(const std::string& s) {
  const size_t from = s.find_first_not_of(' ');
  if (from == std::string::npos) return {};
  return s.substr(from, s.find_last_not_of(' ') - from + 1);
}

}  // namespace

TVersionBlock BuildVersionBlock() {
  TVersionBlock b;
  b.FileDescription = kBuildDescription;
  b.FileVersion = kBuildVersion;
  b.InternalName = kBuildInternalName;
  b.ProductName = kBuildProductName;
  b.FileFlags = kBuildPreRelease ? 2u : 0u;
  return b;
}

TVerInfo::TVerInfo(const std::string& fileName) {
  if (fileName.empty()) FBlock = BuildVersionBlock();
}

std::string TVerInfo::FileDescription() const {
  return FBlock ? Trimmed(FBlock->FileDescription) : std::string();
}
std::string TVerInfo::FileVersion() const { return FBlock ? Trimmed(FBlock->FileVersion) : std::string(); }
std::string TVerInfo::InternalName() const { return FBlock ? Trimmed(FBlock->InternalName) : std::string(); }
std::string TVerInfo::ProductName() const { return FBlock ? Trimmed(FBlock->ProductName) : std::string(); }

uint32_t TVerInfo::FileFlags() const {
  if (!FBlock) throw EVerInfo(Cp932Lit("ルートブロックが取得できません."));
  return FBlock->FileFlags;
}

TVerInfo& VerInfo() {
  static TVerInfo info;
  return info;
}

}  // namespace vorna::app
