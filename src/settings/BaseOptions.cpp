// Loading and saving option records through the settings stores.
#include "settings/BaseOptions.h"

#include <memory>

#include "settings/IniStorages.h"
#include "settings/UserStorages.h"

namespace vorna {

namespace {

std::unique_ptr<TSettingsStorage> OpenStore(TFileService& files, std::string_view subKey,
                                            const std::filesystem::path& fileName) {
  if (!fileName.empty()) return std::make_unique<TIniStorage>(files, fileName);
  return std::make_unique<TUserStorage>(files, subKey);
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

bool TBaseOption::LoadFromIniFile(TFileService& files, const std::filesystem::path& fileName,
                                  std::string_view section) {
  return Load(files, {}, fileName, section);
}

bool TBaseOption::LoadFromRegistry(TFileService& files, std::string_view subKey, std::string_view section) {
  return Load(files, subKey, {}, section);
}

void TBaseOption::SaveToRegistry(TFileService& files, std::string_view subKey, std::string_view section) {
  Save(files, subKey, {}, section);
}

void TBaseOption::SaveToIniFile(TFileService& files, const std::filesystem::path& fileName,
                                std::string_view section) {
  Save(files, {}, fileName, section);
}

bool TBaseOption::Load(TFileService& files, std::string_view subKey, const std::filesystem::path& fileName,
                       std::string_view section) {
  TRecordUpdate update(this);
  std::unique_ptr<TSettingsStorage> store = OpenStore(files, subKey, fileName);
  bool found = LoadFromStorage(*store, section);
  store->Close();
  return found;
}

void TBaseOption::Save(TFileService& files, std::string_view subKey, const std::filesystem::path& fileName,
                       std::string_view section) {
  std::unique_ptr<TSettingsStorage> store = OpenStore(files, subKey, fileName);
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
