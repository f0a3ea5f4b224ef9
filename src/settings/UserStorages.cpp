// The per-user store: file location, the typed file format and its values.
#include "settings/UserStorages.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <utility>

#include "platform/Files.h"
#include "settings/Collations.h"
#include "settings/SettingsErrors.h"
#include "settings/ValueTexts.h"
#include "text/Cp932.h"
#include "text/HexTexts.h"
#include "text/ShiftJis.h"
#include "text/TextLines.h"

namespace vorna {

namespace {

// One path component of a sub-key as a file name (see FileNameFor).
std::string EncodeComponent(std::string_view cp932) {
  std::string utf8 = Utf8FromCp932(cp932);
  const bool lossless = Cp932FromUtf8(utf8) == cp932;
  std::string_view source = lossless ? std::string_view(utf8) : cp932;
  std::string out;
  for (size_t i = 0; i < source.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(source[i]);
    if (c == '%' || c == '/' || c == 0 || (i == 0 && c == '.') || (!lossless && c >= 0x80)) {
      AppendPercentByte(out, c);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

// Names and strings in the file: double-byte characters as they are, the
// bytes the format uses for itself as \xHH.
std::string Escape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    if (Cp932CharSize(s, i) == 2) {
      out.append(s.substr(i, 2));
      i += 2;
      continue;
    }
    unsigned char c = static_cast<unsigned char>(s[i++]);
    if (c < 0x20 || c == 0x7F || c == '\\' || c == '"' || c == '[' || c == ']' || IsLeadByte(c)) {
      out += "\\x";
      AppendHexByte(out, c);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string Unescape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    if (Cp932CharSize(s, i) == 2) {
      out.append(s.substr(i, 2));
      i += 2;
    } else if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x' && HexDigitValue(s[i + 2]) >= 0 &&
               HexDigitValue(s[i + 3]) >= 0) {
      out += static_cast<char>(HexDigitValue(s[i + 2]) * 16 + HexDigitValue(s[i + 3]));
      i += 4;
    } else if (s[i] == '\\' && i + 1 < s.size()) {
      out += s[i + 1];
      i += 2;
    } else {
      out += s[i++];
    }
  }
  return out;
}

// Index of the quote that closes the quoted text opening at `start`, or npos.
size_t ClosingQuote(std::string_view s, size_t start) {
  for (size_t i = start + 1; i < s.size();) {
    if (Cp932CharSize(s, i) == 2)
      i += 2;
    else if (s[i] == '\\')
      i += 2;
    else if (s[i] == '"')
      return i;
    else
      ++i;
  }
  return std::string_view::npos;
}

bool ParseHexBytes(std::string_view text, std::string& bytes) {
  bytes.clear();
  if (text.empty()) return true;
  for (size_t i = 0;; i += 3) {
    if (i + 2 > text.size() || HexDigitValue(text[i]) < 0 || HexDigitValue(text[i + 1]) < 0) return false;
    bytes += static_cast<char>(HexDigitValue(text[i]) * 16 + HexDigitValue(text[i + 1]));
    if (i + 2 == text.size()) return true;
    if (text[i + 2] != ',') return false;
  }
}

}  // namespace

const std::string& DefaultSubKey() { return Cp932Lit("ＶＯＲＮＡ Editor"); }

std::filesystem::path TUserStorage::FileNameFor(const std::filesystem::path& configFolder,
                                                std::string_view subKey) {
  std::vector<std::string> parts;
  auto split = [&](std::string_view key) {
    size_t start = 0;
    for (size_t i = 0; i <= key.size();) {
      if (i == key.size() || key[i] == '\\') {
        if (i > start) parts.push_back(EncodeComponent(key.substr(start, i - start)));
        start = ++i;
      } else {
        i += Cp932CharSize(key, i);
      }
    }
  };
  split(subKey);
  if (parts.empty()) split(DefaultSubKey());
  std::filesystem::path path = configFolder / "UrProject";
  for (size_t i = 0; i + 1 < parts.size(); ++i) path /= parts[i];
  return path / (parts.back() + ".conf");
}

TUserStorage::TUserStorage(TFileService& files, std::string_view subKey) : FFiles(&files) {
  const std::string config = files.ConfigFolder();
  if (config.empty())
    throw EDataError(
        "The per-user configuration folder is unknown (neither XDG_CONFIG_HOME nor HOME is set).");
  FFileName = FileNameFor(config, subKey);
  files.EnsureFolder(FFileName.parent_path().string());
  if (std::optional<std::string> bytes = files.ReadFileIfExists(FFileName.string())) SetText(*bytes);
  FModified = false;
}

TUserStorage TUserStorage::InMemory() { return TUserStorage(TInMemory{}); }

void TUserStorage::SetText(std::string_view text) {
  FSections.clear();
  FUnreadLines = 0;
  TSection* current = nullptr;
  for (const std::string& raw : SplitLines(text)) {
    std::string_view line = TrimBlanks(raw);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      std::string name = Unescape(line.substr(1, line.size() - 2));
      current = FindSection(name);
      if (!current) {
        FSections.push_back({name, {}, {}});
        current = &FSections.back();
      }
      continue;
    }
    if (!current) {
      ++FUnreadLines;
      continue;
    }
    TValue value;
    bool ok = false;
    size_t close = line.front() == '"' ? ClosingQuote(line, 0) : std::string_view::npos;
    if (close != std::string_view::npos) {
      value.Name = Unescape(line.substr(1, close - 1));
      std::string_view rest = TrimBlanks(line.substr(close + 1));
      if (!rest.empty() && rest.front() == '=') {
        rest = TrimBlanks(rest.substr(1));
        if (!rest.empty() && rest.front() == '"' && ClosingQuote(rest, 0) == rest.size() - 1) {
          value.Kind = TKind::String;
          value.Data = Unescape(rest.substr(1, rest.size() - 2));
          ok = true;
        } else if (rest.starts_with("dword:") && rest.size() > 6 && rest.size() <= 14) {
          auto number = ParseIntegerText("0x" + std::string(rest.substr(6)));
          if (number) {
            value.Kind = TKind::Integer;
            value.Integer = *number;
            ok = true;
          }
        } else if (rest.starts_with("hex:")) {
          value.Kind = TKind::Binary;
          ok = ParseHexBytes(rest.substr(4), value.Data);
        }
      }
    }
    if (!ok) {
      ++FUnreadLines;
      current->Unread.push_back(raw);
      continue;
    }
    auto same = [&](const TValue& v) { return SameTextAscii(v.Name, value.Name); };
    // As with duplicate registry values, the first one stands.
    if (std::none_of(current->Values.begin(), current->Values.end(), same))
      current->Values.push_back(std::move(value));
  }
}

std::string TUserStorage::GetText() const {
  std::string text;
  for (const TSection& section : FSections) {
    if (section.Values.empty() && section.Unread.empty()) continue;
    text += '[';
    text += Escape(section.Name);
    text += "]\n";
    for (const TValue& value : section.Values) {
      text += '"';
      text += Escape(value.Name);
      text += "\"=";
      switch (value.Kind) {
        case TKind::String:
          text += '"';
          text += Escape(value.Data);
          text += '"';
          break;
        case TKind::Integer: {
          uint32_t bits = static_cast<uint32_t>(value.Integer);
          text += "dword:";
          AppendHexWord(text, bits);
          break;
        }
        case TKind::Binary:
          text += "hex:";
          for (size_t i = 0; i < value.Data.size(); ++i) {
            if (i > 0) text += ',';
            AppendHexByte(text, static_cast<unsigned char>(value.Data[i]));
          }
          break;
      }
      text += '\n';
    }
    for (const std::string& line : section.Unread) text += line + "\n";
    text += '\n';
  }
  return text;
}

const TUserStorage::TSection* TUserStorage::FindSection(std::string_view name) const {
  for (const TSection& section : FSections)
    if (SameTextAscii(section.Name, name)) return &section;
  return nullptr;
}

TUserStorage::TSection* TUserStorage::FindSection(std::string_view name) {
  return const_cast<TSection*>(std::as_const(*this).FindSection(name));
}

const TUserStorage::TValue* TUserStorage::FindValue(std::string_view section, std::string_view key) const {
  const TSection* found = FindSection(section);
  if (!found) return nullptr;
  for (const TValue& value : found->Values)
    if (SameTextAscii(value.Name, key)) return &value;
  return nullptr;
}

bool TUserStorage::SectionExists(std::string_view section) const { return FindSection(section) != nullptr; }

bool TUserStorage::ValueExists(std::string_view section, std::string_view key) const {
  return FindValue(section, key) != nullptr;
}

std::vector<std::string> TUserStorage::ReadSections() const {
  std::vector<std::string> names;
  for (const TSection& section : FSections) names.push_back(section.Name);
  return names;
}

std::vector<std::string> TUserStorage::ReadSection(std::string_view name) const {
  std::vector<std::string> keys;
  if (const TSection* section = FindSection(name))
    for (const TValue& value : section->Values) keys.push_back(value.Name);
  return keys;
}

std::string TUserStorage::ReadString(std::string_view section, std::string_view key,
                                     const std::string& defaultValue) const {
  const TValue* value = FindValue(section, key);
  if (!value) return defaultValue;
  if (value->Kind == TKind::String) return value->Data;
  if (value->Kind == TKind::Integer) return std::to_string(value->Integer);
  return defaultValue;
}

int32_t TUserStorage::ReadInteger(std::string_view section, std::string_view key,
                                  int32_t defaultValue) const {
  const TValue* value = FindValue(section, key);
  if (!value) return defaultValue;
  if (value->Kind == TKind::Integer) return value->Integer;
  if (value->Kind == TKind::String) return ParseIntegerText(value->Data).value_or(defaultValue);
  return defaultValue;
}

double TUserStorage::ReadFloat(std::string_view section, std::string_view key, double defaultValue) const {
  const TValue* value = FindValue(section, key);
  if (!value) return defaultValue;
  switch (value->Kind) {
    case TKind::Binary: {
      if (value->Data.size() != 8) return defaultValue;
      uint64_t bits = 0;
      for (int i = 7; i >= 0; --i) bits = bits << 8 | static_cast<unsigned char>(value->Data[i]);
      return std::bit_cast<double>(bits);
    }
    case TKind::String:
      return ParseFloatText(value->Data).value_or(defaultValue);
    case TKind::Integer:
      return value->Integer;
  }
  return defaultValue;
}

void TUserStorage::Put(std::string_view sectionName, TValue value) {
  TSection* section = FindSection(sectionName);
  if (!section) {
    FSections.push_back({std::string(sectionName), {}, {}});
    section = &FSections.back();
  }
  FModified = true;
  for (TValue& existing : section->Values)
    if (SameTextAscii(existing.Name, value.Name)) {
      existing = std::move(value);
      return;
    }
  section->Values.push_back(std::move(value));
}

void TUserStorage::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  Put(section, {std::string(key), TKind::String, std::string(value), 0});
}

void TUserStorage::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  Put(section, {std::string(key), TKind::Integer, {}, value});
}

void TUserStorage::WriteFloat(std::string_view section, std::string_view key, double value) {
  uint64_t bits = std::bit_cast<uint64_t>(value);
  std::string bytes;
  for (int i = 0; i < 8; ++i) bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
  WriteBinary(section, key, bytes);
}

void TUserStorage::WriteBinary(std::string_view section, std::string_view key, std::string_view bytes) {
  Put(section, {std::string(key), TKind::Binary, std::string(bytes), 0});
}

void TUserStorage::EraseSection(std::string_view name) {
  auto removed = std::remove_if(FSections.begin(), FSections.end(),
                                [&](const TSection& section) { return SameTextAscii(section.Name, name); });
  if (removed == FSections.end()) return;
  FSections.erase(removed, FSections.end());
  FModified = true;
}

void TUserStorage::DeleteKey(std::string_view sectionName, std::string_view key) {
  TSection* section = FindSection(sectionName);
  if (!section) return;
  auto& values = section->Values;
  auto removed = std::remove_if(values.begin(), values.end(),
                                [&](const TValue& v) { return SameTextAscii(v.Name, key); });
  if (removed == values.end()) return;
  values.erase(removed, values.end());
  FModified = true;
}

void TUserStorage::UpdateFile() {
  if (!FModified || !FFiles || FFileName.empty()) return;
  FFiles->WriteFile(FFileName.string(), GetText());
  FModified = false;
}

}  // namespace vorna
