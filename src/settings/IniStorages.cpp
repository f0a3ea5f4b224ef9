// Parsing, querying and writing the INI file store.
#include "settings/IniStorages.h"

#include <algorithm>
#include <utility>

#include "platform/Files.h"
#include "settings/Collations.h"
#include "settings/SettingsErrors.h"
#include "settings/ValueTexts.h"
#include "text/TextLines.h"

namespace vorna {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string DecodeValue(std::string_view text) {
  text = TrimBlanks(text);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
  return std::string(text);
}

std::string EncodeValue(std::string_view value) {
  if (!value.empty() && (value.front() == '"' || IsBlank(value.front()) || IsBlank(value.back()))) {
    std::string quoted(1, '"');
    quoted += value;
    quoted += '"';
    return quoted;
  }
  return std::string(value);
}

void CheckName(std::string_view key) {
  bool bad = key.empty() || IsBlank(key.front()) || IsBlank(key.back()) || key.front() == '[' ||
             key.front() == ';' || key.find('=') != std::string_view::npos || HasLineBreak(key);
  if (bad) throw EDataError("The INI file cannot hold the key name \"" + std::string(key) + "\".");
}

}  // namespace

TIniStorage::TIniStorage(TFileService& files, std::filesystem::path fileName)
    : FFiles(&files), FFileName(std::move(fileName)) {
  if (std::optional<std::string> bytes = files.ReadFileIfExists(FFileName.string())) SetText(*bytes);
}

void TIniStorage::SetText(std::string_view text) {
  FPreamble.clear();
  FSections.clear();
  TSection* current = nullptr;
  for (std::string& line : SplitLines(text)) {
    std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty()) continue;
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
      std::string name(TrimBlanks(trimmed.substr(1, trimmed.size() - 2)));
      current = FindSection(name);
      if (!current) {
        FSections.push_back({name, {}});
        current = &FSections.back();
      }
      continue;
    }
    TLine entry;
    if (trimmed.front() != ';') {
      size_t equals = line.find('=');
      if (equals != std::string::npos) {
        std::string_view key = TrimBlanks(std::string_view(line).substr(0, equals));
        if (!key.empty()) {
          entry.HasKey = true;
          entry.Key = key;
          entry.Value = DecodeValue(std::string_view(line).substr(equals + 1));
        }
      }
    }
    entry.Raw = std::move(line);
    (current ? current->Lines : FPreamble).push_back(std::move(entry));
  }
}

std::string TIniStorage::GetText() const {
  std::vector<std::string> lines;
  for (const TLine& line : FPreamble) lines.push_back(line.Raw);
  for (const TSection& section : FSections) {
    lines.push_back("[" + section.Name + "]");
    for (const TLine& line : section.Lines) lines.push_back(line.Raw);
    lines.emplace_back();
  }
  return JoinLines(lines);
}

const TIniStorage::TSection* TIniStorage::FindSection(std::string_view name) const {
  name = TrimBlanks(name);
  for (const TSection& section : FSections)
    if (SameTextAscii(section.Name, name)) return &section;
  return nullptr;
}

TIniStorage::TSection* TIniStorage::FindSection(std::string_view name) {
  return const_cast<TSection*>(std::as_const(*this).FindSection(name));
}

const TIniStorage::TLine* TIniStorage::FindKey(std::string_view section, std::string_view key) const {
  const TSection* found = FindSection(section);
  if (!found) return nullptr;
  key = TrimBlanks(key);
  for (const TLine& line : found->Lines)
    if (line.HasKey && SameTextAscii(line.Key, key)) return &line;
  return nullptr;
}

bool TIniStorage::SectionExists(std::string_view section) const { return FindSection(section) != nullptr; }

bool TIniStorage::ValueExists(std::string_view section, std::string_view key) const {
  return FindKey(section, key) != nullptr;
}

std::vector<std::string> TIniStorage::ReadSections() const {
  std::vector<std::string> names;
  for (const TSection& section : FSections) names.push_back(section.Name);
  return names;
}

std::vector<std::string> TIniStorage::ReadSection(std::string_view name) const {
  std::vector<std::string> keys;
  if (const TSection* section = FindSection(name))
    for (const TLine& line : section->Lines) {
      if (!line.HasKey) continue;
      bool seen = std::any_of(keys.begin(), keys.end(),
                              [&](const std::string& k) { return SameTextAscii(k, line.Key); });
      if (!seen) keys.push_back(line.Key);
    }
  return keys;
}

std::string TIniStorage::ReadString(std::string_view section, std::string_view key,
                                    const std::string& defaultValue) const {
  const TLine* line = FindKey(section, key);
  return line ? line->Value : defaultValue;
}

int32_t TIniStorage::ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const {
  const TLine* line = FindKey(section, key);
  if (!line) return defaultValue;
  return ParseIntegerText(line->Value).value_or(defaultValue);
}

double TIniStorage::ReadFloat(std::string_view section, std::string_view key, double defaultValue) const {
  const TLine* line = FindKey(section, key);
  if (!line) return defaultValue;
  return ParseFloatText(line->Value).value_or(defaultValue);
}

void TIniStorage::WriteString(std::string_view sectionName, std::string_view key, std::string_view value) {
  CheckName(key);
  if (HasLineBreak(sectionName))
    throw EDataError("The INI file cannot hold the section name \"" + std::string(sectionName) + "\".");
  if (HasLineBreak(value))
    throw EDataError("The INI file cannot hold a line break in the value of \"" + std::string(key) + "\".");
  TSection* section = FindSection(sectionName);
  if (!section) {
    FSections.push_back({std::string(TrimBlanks(sectionName)), {}});
    section = &FSections.back();
  }
  TLine entry{std::string(key) + "=" + EncodeValue(value), true, std::string(key), std::string(value)};
  auto& lines = section->Lines;
  auto same = [&](const TLine& line) { return line.HasKey && SameTextAscii(line.Key, key); };
  auto first = std::find_if(lines.begin(), lines.end(), same);
  if (first == lines.end()) {
    lines.push_back(std::move(entry));
    return;
  }
  *first = std::move(entry);
  lines.erase(std::remove_if(first + 1, lines.end(), same), lines.end());
}

void TIniStorage::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void TIniStorage::WriteFloat(std::string_view section, std::string_view key, double value) {
  WriteString(section, key, FloatToText(value));
}

void TIniStorage::EraseSection(std::string_view name) {
  name = TrimBlanks(name);
  FSections.erase(std::remove_if(FSections.begin(), FSections.end(),
                                 [&](const TSection& section) { return SameTextAscii(section.Name, name); }),
                  FSections.end());
}

void TIniStorage::DeleteKey(std::string_view sectionName, std::string_view key) {
  TSection* section = FindSection(sectionName);
  if (!section) return;
  key = TrimBlanks(key);
  auto& lines = section->Lines;
  lines.erase(std::remove_if(lines.begin(), lines.end(),
                             [&](const TLine& line) { return line.HasKey && SameTextAscii(line.Key, key); }),
              lines.end());
}

void TIniStorage::UpdateFile() {
  if (!FFiles || FFileName.empty()) return;
  FFiles->WriteFile(FFileName.string(), GetText());
}

}  // namespace vorna
