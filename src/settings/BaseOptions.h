// TBaseOption: the settings record that loads itself from and saves itself to
// a settings store (the per-user store or an INI file), one section per
// record.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "settings/DataLists.h"
#include "settings/SettingsStorages.h"

namespace vorna {

class TFileService;

class TBaseOption : public TDataItem {
 public:
  // Virtual operations added to those of TDataItem, in slot order (23 to 28).
  // 23: reads the record's keys from the open store; nothing here.
  virtual void ReadSettings(TSettingsStorage& ini, const std::string& section);
  // 24: writes the record's keys; nothing here.
  virtual void WriteSettings(TSettingsStorage& ini, const std::string& section);
  // 25 to 28: Load and Save below with the INI file or the per-user store.
  virtual bool LoadFromIniFile(TFileService& files, const std::filesystem::path& fileName,
                               std::string_view section = {});
  virtual bool LoadFromRegistry(TFileService& files, std::string_view subKey = {},
                                std::string_view section = {});
  virtual void SaveToRegistry(TFileService& files, std::string_view subKey = {},
                              std::string_view section = {});
  virtual void SaveToIniFile(TFileService& files, const std::filesystem::path& fileName,
                             std::string_view section = {});

  // Opens, through `files`, the INI file `fileName` when it is given,
  // otherwise the per-user store of `subKey` (DefaultSubKey when empty), and
  // loads the section (`section`, or FSection when empty). When the section
  // exists, SetDefaults then ReadSettings; when it does not, the record stays
  // exactly as it was. The whole load is one BeginUpdate/EndUpdate bracket.
  // Returns whether the section existed. Store errors (EFileError) propagate.
  bool Load(TFileService& files, std::string_view subKey, const std::filesystem::path& fileName,
            std::string_view section);
  // Opens the store as Load does, erases the section, WriteSettings, and
  // writes the store to disk. Sends no change notification.
  void Save(TFileService& files, std::string_view subKey, const std::filesystem::path& fileName,
            std::string_view section);

  // The same two sequences over a store the caller holds open.
  bool LoadFromStorage(TSettingsStorage& store, std::string_view section);
  void SaveToStorage(TSettingsStorage& store, std::string_view section);

  const std::string& GetSection() const { return FSection; }
  void SetSection(std::string section) { FSection = std::move(section); }

 protected:
  void Initialize() override;  // inherited, then FSection := "Option"
  void SetDefaults() override;
  void AssignData(TDataItem* source) override;

  std::string FSection;
};

}  // namespace vorna
