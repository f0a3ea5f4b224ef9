// The INI file store: a CP932 text file of "[Section]" lines each followed by
// "Key=Value" lines, read whole when opened and written whole by UpdateFile.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingsStorages.h"

namespace vorna {

class TFileService;

// Reading rules: any line end; blank lines are dropped; a line whose first
// non-blank byte is "[" and whose last non-blank byte is "]" starts a section
// (name trimmed); a section named twice is one section (the later lines join
// the first); lines starting with ";" are comments; in other lines the key is
// the trimmed text before the first "=" and the value the trimmed text after
// it, without one pair of enclosing double quotes. Lines without "=" or with
// an empty key, and lines before the first section, are kept as they are but
// hold no value. With duplicate keys the first one is read. Writing a key
// replaces its first line and drops the duplicates.
//
// Values are written as they are, enclosed in double quotes when they start
// with a quote or start or end with a blank, so that every string reads back
// unchanged. A value with a line break cannot be stored in a line and raises
// EDataError, as do key names the format cannot hold (empty, blank at either
// end, containing "=" or a line break, starting with "[" or ";").
class TIniStorage : public TSettingsStorage {
 public:
  // An empty store held in memory only; UpdateFile writes nothing.
  TIniStorage() = default;
  // Reads the whole file through `files` (which must outlive the store) when
  // it exists; a missing file is an empty store. An unreadable file raises
  // EFileError with the system's message.
  TIniStorage(TFileService& files, std::filesystem::path fileName);

  const std::filesystem::path& GetFileName() const { return FFileName; }
  // The whole store as file text (CR LF line ends, a blank line after each
  // section).
  std::string GetText() const;
  void SetText(std::string_view text);

  bool SectionExists(std::string_view section) const override;
  bool ValueExists(std::string_view section, std::string_view key) const override;
  std::vector<std::string> ReadSections() const override;
  std::vector<std::string> ReadSection(std::string_view section) const override;
  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& defaultValue) const override;
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const override;
  double ReadFloat(std::string_view section, std::string_view key, double defaultValue) const override;
  void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  void WriteInteger(std::string_view section, std::string_view key, int32_t value) override;
  void WriteFloat(std::string_view section, std::string_view key, double value) override;
  void EraseSection(std::string_view section) override;
  void DeleteKey(std::string_view section, std::string_view key) override;
  // Writes the whole file through the file service (which replaces it
  // safely); nothing for a store in memory.
  void UpdateFile() override;

 private:
  struct TLine {
    std::string Raw;  // the line as it stands in the file
    bool HasKey = false;
    std::string Key;
    std::string Value;
  };
  struct TSection {
    std::string Name;
    std::vector<TLine> Lines;
  };

  const TSection* FindSection(std::string_view name) const;
  TSection* FindSection(std::string_view name);
  const TLine* FindKey(std::string_view section, std::string_view key) const;

  TFileService* FFiles = nullptr;  // null in memory
  std::filesystem::path FFileName;
  std::vector<TLine> FPreamble;  // lines before the first section
  std::vector<TSection> FSections;
};

}  // namespace vorna
