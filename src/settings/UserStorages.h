// The per-user store: the hierarchical, typed key-value store that stands for
// the per-user registry. Each sub-key below "UrProject" is one file under the
// configuration folder of the file service; in it, sections hold named values
// that are strings, 32-bit integers or binary data.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingsStorages.h"

namespace vorna {

class TFileService;

// The sub-key used when a caller gives none: the program's internal name
// "ＶＯＲＮＡ Editor" (CP932).
const std::string& DefaultSubKey();

// File format (one file per sub-key, CP932, any line end in, LF out):
//   [Section]
//   "Key"="string"
//   "Key"=dword:0000000a
//   "Key"=hex:9a,99,99,99,99,99,d3,3f
// Names and strings escape "\", quotes, brackets, control bytes and lead bytes
// without a trail byte as \xHH, so every byte string is stored exactly. Lines
// that do not follow the format are kept but hold no value; sections without
// values are not written (as a registry key disappears with its values).
class TUserStorage : public TSettingsStorage {
 public:
  // Opens the store of `subKey` (CP932; "\" separates nested keys; empty means
  // DefaultSubKey) in the configuration folder of `files` (which must outlive
  // the store): creates the folder when missing and reads the file when it
  // exists. Raises EFileError with the system's message when the folder
  // cannot be created or the file cannot be read, EDataError when the file
  // service knows no configuration folder.
  explicit TUserStorage(TFileService& files, std::string_view subKey = {});
  // A store held in memory only (no file); for tests and checks.
  static TUserStorage InMemory();

  // The file of a sub-key: <configFolder>/UrProject/<sub-key>.conf, each
  // component converted to UTF-8, with "%", "/" and a leading "." (and bytes
  // that do not convert) written as %XX.
  static std::filesystem::path FileNameFor(const std::filesystem::path& configFolder,
                                           std::string_view subKey);

  const std::filesystem::path& GetFileName() const { return FFileName; }
  bool GetModified() const { return FModified; }
  // Lines of the text last read that hold no value (outside any section or
  // not in the format): a store that was damaged or written by hand.
  int UnreadLineCount() const { return FUnreadLines; }
  std::string GetText() const;
  void SetText(std::string_view text);

  bool SectionExists(std::string_view section) const override;
  bool ValueExists(std::string_view section, std::string_view key) const override;
  std::vector<std::string> ReadSections() const override;
  std::vector<std::string> ReadSection(std::string_view section) const override;
  // A string value; an integer value as decimal text.
  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& defaultValue) const override;
  // An integer value, or a string value read as a number.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const override;
  // 8 bytes of binary data as a little-endian IEEE double, a string value read
  // as a number, or an integer value.
  double ReadFloat(std::string_view section, std::string_view key, double defaultValue) const override;
  void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  void WriteInteger(std::string_view section, std::string_view key, int32_t value) override;
  void WriteFloat(std::string_view section, std::string_view key, double value) override;
  void WriteBinary(std::string_view section, std::string_view key, std::string_view bytes);
  void EraseSection(std::string_view section) override;
  void DeleteKey(std::string_view section, std::string_view key) override;
  // Writes the file when something changed since it was read or written.
  void UpdateFile() override;
  void Close() override { UpdateFile(); }

 private:
  struct TInMemory {};
  explicit TUserStorage(TInMemory) {}
  enum class TKind { String, Integer, Binary };
  struct TValue {
    std::string Name;
    TKind Kind = TKind::String;
    std::string Data;  // the string, or the binary bytes
    int32_t Integer = 0;
  };
  struct TSection {
    std::string Name;
    std::vector<TValue> Values;
    std::vector<std::string> Unread;  // lines that did not parse
  };

  const TSection* FindSection(std::string_view name) const;
  TSection* FindSection(std::string_view name);
  const TValue* FindValue(std::string_view section, std::string_view key) const;
  void Put(std::string_view section, TValue value);

  TFileService* FFiles = nullptr;  // null in memory
  std::filesystem::path FFileName;
  std::vector<TSection> FSections;
  bool FModified = false;
  int FUnreadLines = 0;
};

}  // namespace vorna
