// Loading and saving option records through the settings stores.
#include "settings/BaseOptions.h"

#include <memory>

#include "settings/IniStorages.h"
#include "settings/UserStorages.h"

namespace vorna {

namespace {

std::unique_ptr<TSettingsStorage> OpenStore(std::string_view subKey, const std::filesystem::path& fileName) {
  if (!fileName.empty()) return std::make_unique<TIniStorage>(fileName);
  return std::make_unique<TUserStorage>(subKey);
}

// Balances the record's BeginUpdate even when the store raises an error.
class TRecordUpdate {
 public:
  explicit TRecordUpdate(TDataItem* item) : FItem(item) { FItem->BeginUpdate(); }
  ~TRecordUpdate() { FItem->EndUpdate(); }
  TRecordUpdate(const TRecordUpdate&) = delete;
  TRecordUpdate& operator=(const TRecordUpdate&) = delete;

 private:
  TDataItem* FItem;
};

}  // namespace

void TBaseOption::Initialize() {
  TDataItem::Initialize();
  FSection = "Option";
}

void TBaseOption::SetDefaults() { TDataItem::SetDefaults(); }

void TBaseOption::AssignData(TDataItem* source) { TDataItem::AssignData(source); }

void TBaseOption::ReadSettings(TSettingsStorage&, const std::string&) {}

void TBaseOption::WriteSettings(TSettingsStorage&, const std::string&) {}

bool TBaseOption::LoadFromIniFile(const std::filesystem::path& fileName, std::string_view section) {
  return Load({}, fileName, section);
}

bool TBaseOption::LoadFromRegistry(std::string_view subKey, std::string_view section) {
  return Load(subKey, {}, section);
}

void TBaseOption::SaveToRegistry(std::string_view subKey, std::string_view section) {
  Save(subKey, {}, section);
}

void TBaseOption::SaveToIniFile(const std::filesystem::path& fileName, std::string_view section) {
  Save({}, fileName, section);
}

bool TBaseOption::Load(std::string_view subKey, const std::filesystem::path& fileName,
                       std::string_view section) {
  TRecordUpdate update(this);
  std::unique_ptr<TSettingsStorage> store = OpenStore(subKey, fileName);
  bool found = LoadFromStorage(*store, section);
  store->Close();
  return found;
}

void TBaseOption::Save(std::string_view subKey, const std::filesystem::path& fileName,
                       std::string_view section) {
  std::unique_ptr<TSettingsStorage> store = OpenStore(subKey, fileName);
  SaveToStorage(*store, section);
  store->UpdateFile();
  store->Close();
}

bool TBaseOption::LoadFromStorage(TSettingsStorage& store, std::string_view section) {
  TRecordUpdate update(this);
  const std::string name(section.empty() ? std::string_view(FSection) : section);
  if (!store.SectionExists(name)) return false;
  SetDefaults();
  ReadSettings(store, name);
  return true;
}

void TBaseOption::SaveToStorage(TSettingsStorage& store, std::string_view section) {
  const std::string name(section.empty() ? std::string_view(FSection) : section);
  store.EraseSection(name);
  WriteSettings(store, name);
}

}  // namespace vorna
