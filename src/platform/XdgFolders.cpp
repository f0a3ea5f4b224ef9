// Home and XDG base folders from the environment and the passwd entry.
#include "platform/XdgFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace vorna {

namespace {

// Drops trailing separators ("/home/u/" is "/home/u"), keeping a lone "/".
std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return WithoutTrailingSlash(home);
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir && *entry->pw_dir)
    return WithoutTrailingSlash(entry->pw_dir);
  return {};
}

std::string XdgBaseFolder(const char* variable, std::string_view fallback) {
  // The XDG rule: a relative value is invalid and is ignored.
  if (const char* value = std::getenv(variable);
      value && *value && std::filesystem::path(value).is_absolute())
    return WithoutTrailingSlash(value);
  std::string home = HomeFolder();
  if (home.empty()) return {};
  return (std::filesystem::path(home) / fallback).string();
}

}  // namespace vorna
