// Fuzz target for the INI store's parser and writer and the per-user store's
// file format: reading never fails, writing what was read reads back the
// same, and every value written reads back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/IniStorages.h"
#include "settings/UserStorages.h"
#include "settings/ValueTexts.h"

using namespace vorna;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckIni(std::string_view text) {
  TIniStorage ini;
  ini.SetText(text);
  const std::string once = ini.GetText();
  TIniStorage again;
  again.SetText(once);
  Check(again.GetText() == once);
  for (const std::string& section : ini.ReadSections())
    for (const std::string& key : ini.ReadSection(section)) {
      Check(ini.ReadString(section, key, "") == again.ReadString(section, key, ""));
      Check(ini.ReadInteger(section, key, 7) == again.ReadInteger(section, key, 7));
      ini.ReadFloat(section, key, 0);
    }
  std::string value;
  for (char c : text)
    if (c != '\r' && c != '\n') value += c;
  ini.WriteString("Fuzz", "Value", value);
  Check(ini.ReadString("Fuzz", "Value", "") == value);
  TIniStorage reread;
  reread.SetText(ini.GetText());
  Check(reread.ReadString("Fuzz", "Value", "") == value);
}

void CheckUserStore(std::string_view text) {
  TUserStorage store = TUserStorage::InMemory();
  store.SetText(text);
  const std::string once = store.GetText();
  TUserStorage again = TUserStorage::InMemory();
  again.SetText(once);
  Check(again.GetText() == once);
  const std::string bytes(text);
  store.WriteString(bytes, bytes, bytes);
  store.WriteInteger(bytes + "#int", bytes, static_cast<int32_t>(bytes.size()));
  TUserStorage reread = TUserStorage::InMemory();
  reread.SetText(store.GetText());
  Check(reread.ReadString(bytes, bytes, "?") == bytes);
  Check(reread.ReadInteger(bytes + "#int", bytes, -1) == static_cast<int32_t>(bytes.size()));
}

void CheckNumbers(std::string_view text) {
  if (auto value = ParseFloatText(text)) {
    auto back = ParseFloatText(FloatToText(*value));
    Check(back && (*back == *value || (*back != *back && *value != *value)));
  }
  if (auto value = ParseIntegerText(text)) Check(ParseIntegerText(std::to_string(*value)) == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckIni(text);
  CheckUserStore(text);
  CheckNumbers(text);
  return 0;
}
