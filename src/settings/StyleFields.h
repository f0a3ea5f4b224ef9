// Table-driven stored settings of the styles: one row per key with its member
// and default, and the loops that reset, read, write, copy and compare them.
#pragma once

#include <algorithm>
#include <climits>
#include <cmath>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "settings/SettingsStorages.h"
#include "text/Cp932.h"

namespace vorna {

// Stored lengths beyond this (millimetres or pixels) are cut to it when read,
// so that no conversion to device pixels can overflow.
constexpr double kMaxStoredLength = 100000;

// One stored setting of class C. Numbers keep their default in Number
// (bools as 0 or 1); strings in Text, written in UTF-8 source form. Integers
// read from a store are limited to Min .. Max (counts that divide or repeat
// must be at least 1).
template <class C>
struct TStyleField {
  std::string_view Key;
  std::variant<bool C::*, int C::*, double C::*, std::string C::*> Member;
  double Number = 0;
  std::string_view Text = {};
  int Min = INT_MIN;
  int Max = INT_MAX;
};

// The value a store holding `value` under `key` reads back: an integer limited
// to the row's range, a float to +-kMaxStoredLength (the default when it is
// not finite). Keys not in `fields` and other types pass unchanged; callers
// that set values from outside (dialogs) limit them through this.
template <class C, class T>
T LimitStyleField(std::span<const TStyleField<C>> fields, std::string_view key, T value) {
  for (const auto& f : fields) {
    if (f.Key != key) continue;
    if constexpr (std::is_same_v<T, int>) {
      return std::clamp(value, f.Min, f.Max);
    } else if constexpr (std::is_same_v<T, double>) {
      return std::isfinite(value) ? std::clamp(value, -kMaxStoredLength, kMaxStoredLength) : f.Number;
    }
    return value;
  }
  return value;
}

template <class C>
void ResetStyleFields(C& object, std::span<const TStyleField<C>> fields) {
  for (const auto& f : fields) {
    std::visit(
        [&](auto member) {
          using T = std::remove_reference_t<decltype(object.*member)>;
          if constexpr (std::is_same_v<T, std::string>)
            object.*member = Cp932Lit(f.Text);
          else
            object.*member = static_cast<T>(f.Number);
        },
        f.Member);
  }
}

// Missing keys and values that do not convert take the default; a float that
// is not finite (a stored "NAN" or "INF") also takes the default. Integers are
// limited to the row's range, floats to +-kMaxStoredLength.
template <class C>
void ReadStyleFields(C& object, const TSettingsStorage& ini, const std::string& section,
                     std::span<const TStyleField<C>> fields) {
  for (const auto& f : fields) {
    std::visit(
        [&](auto member) {
          using T = std::remove_reference_t<decltype(object.*member)>;
          if constexpr (std::is_same_v<T, std::string>) {
            object.*member = ini.ReadString(section, f.Key, Cp932Lit(f.Text));
          } else if constexpr (std::is_same_v<T, bool>) {
            object.*member = ini.ReadBool(section, f.Key, f.Number != 0);
          } else if constexpr (std::is_same_v<T, int>) {
            object.*member =
                std::clamp(ini.ReadInteger(section, f.Key, static_cast<int>(f.Number)), f.Min, f.Max);
          } else {
            const double value = ini.ReadFloat(section, f.Key, f.Number);
            object.*member =
                std::isfinite(value) ? std::clamp(value, -kMaxStoredLength, kMaxStoredLength) : f.Number;
          }
        },
        f.Member);
  }
}

// Writes only the settings that differ from their defaults (floats compared
// exactly).
template <class C>
void WriteStyleFields(const C& object, TSettingsStorage& ini, const std::string& section,
                      std::span<const TStyleField<C>> fields) {
  for (const auto& f : fields) {
    std::visit(
        [&](auto member) {
          using T = std::remove_cvref_t<decltype(object.*member)>;
          const T& value = object.*member;
          if constexpr (std::is_same_v<T, std::string>) {
            if (value != Cp932Lit(f.Text)) ini.WriteString(section, f.Key, value);
          } else if constexpr (std::is_same_v<T, bool>) {
            if (value != (f.Number != 0)) ini.WriteBool(section, f.Key, value);
          } else if constexpr (std::is_same_v<T, int>) {
            if (value != static_cast<int>(f.Number)) ini.WriteInteger(section, f.Key, value);
          } else {
            if (value != f.Number) ini.WriteFloat(section, f.Key, value);
          }
        },
        f.Member);
  }
}

template <class C>
void CopyStyleFields(C& target, const C& source, std::span<const TStyleField<C>> fields) {
  for (const auto& f : fields) std::visit([&](auto member) { target.*member = source.*member; }, f.Member);
}

template <class C>
bool StyleFieldsEqual(const C& a, const C& b, std::span<const TStyleField<C>> fields) {
  for (const auto& f : fields) {
    const bool same = std::visit([&](auto member) { return a.*member == b.*member; }, f.Member);
    if (!same) return false;
  }
  return true;
}

}  // namespace vorna
