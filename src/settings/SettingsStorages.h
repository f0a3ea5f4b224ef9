// The key-value store behind the option records: sections of named, typed
// values, read and written through typed readers and writers. Implemented by
// the INI file (TIniStorage) and the per-user store (TUserStorage).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorna {

// Section and key names are CP932 text matched without regard to ASCII case.
// Readers never fail on values: a missing key or a value that does not
// convert gives the caller's default.
class TSettingsStorage {
 public:
  virtual ~TSettingsStorage() = default;

  virtual bool SectionExists(std::string_view section) const = 0;
  virtual bool ValueExists(std::string_view section, std::string_view key) const = 0;
  virtual std::vector<std::string> ReadSections() const = 0;
  // Key names of the section, in stored order.
  virtual std::vector<std::string> ReadSection(std::string_view section) const = 0;

  virtual std::string ReadString(std::string_view section, std::string_view key,
                                 const std::string& defaultValue) const = 0;
  virtual int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const = 0;
  // Read as an integer: non-zero is true.
  virtual bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
  virtual double ReadFloat(std::string_view section, std::string_view key, double defaultValue) const = 0;

  virtual void WriteString(std::string_view section, std::string_view key, std::string_view value) = 0;
  virtual void WriteInteger(std::string_view section, std::string_view key, int32_t value) = 0;
  // Written as the string "1" or "0".
  virtual void WriteBool(std::string_view section, std::string_view key, bool value);
  virtual void WriteFloat(std::string_view section, std::string_view key, double value) = 0;

  virtual void EraseSection(std::string_view section) = 0;
  virtual void DeleteKey(std::string_view section, std::string_view key) = 0;

  // Writes the store to disk (the INI file always; the per-user store when
  // something changed). Errors carry the system's message (EFileError).
  virtual void UpdateFile() = 0;
  // Ends a use of the store: the per-user store keeps its changes (as a
  // registry does on every write), the INI file only keeps what UpdateFile
  // wrote.
  virtual void Close() {}
};

inline bool TSettingsStorage::ReadBool(std::string_view section, std::string_view key,
                                       bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

inline void TSettingsStorage::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

}  // namespace vorna
