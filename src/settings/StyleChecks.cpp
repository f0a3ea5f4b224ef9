// Checks a stored style section for values that reading would replace.
#include "settings/StyleChecks.h"

#include <cmath>
#include <type_traits>

#include "settings/EditorStyles.h"

namespace vorna {
namespace {

// A number converts when two different defaults give the same result.
template <class C>
void CheckFields(const TSettingsStorage& ini, const std::string& section,
                 std::span<const TStyleField<C>> fields, std::vector<std::string>& unread) {
  for (const auto& f : fields) {
    if (!ini.ValueExists(section, f.Key)) continue;
    const bool ok = std::visit(
        [&](auto member) {
          using T = std::remove_reference_t<decltype(std::declval<C&>().*member)>;
          if constexpr (std::is_same_v<T, std::string>) {
            return true;
          } else if constexpr (std::is_same_v<T, double>) {
            const double a = ini.ReadFloat(section, f.Key, 0), b = ini.ReadFloat(section, f.Key, 1);
            return a == b && std::isfinite(a) && std::abs(a) <= kMaxStoredLength;
          } else {
            const int a = ini.ReadInteger(section, f.Key, 0), b = ini.ReadInteger(section, f.Key, 1);
            if (a != b) return false;
            if constexpr (std::is_same_v<T, bool>) return a == 0 || a == 1;
            return a >= f.Min && a <= f.Max;
          }
        },
        f.Member);
    if (!ok) unread.push_back(std::string(f.Key) + "=" + ini.ReadString(section, f.Key, ""));
  }
}

}  // namespace

std::vector<std::string> UnreadStyleValues(const TSettingsStorage& ini, const std::string& section) {
  std::vector<std::string> unread;
  if (ini.ValueExists(section, "DefaultIndex")) {
    const int a = ini.ReadInteger(section, "DefaultIndex", -2),
              b = ini.ReadInteger(section, "DefaultIndex", -3);
    if (a != b || (a != -1 && !IsPresetIndex(a)))
      unread.push_back("DefaultIndex=" + ini.ReadString(section, "DefaultIndex", ""));
  }
  CheckFields<TBaseStyle>(ini, section, TBaseStyle::Fields(), unread);
  CheckFields<TEditorStyle>(ini, section, TEditorStyle::EditorFields(), unread);
  return unread;
}

}  // namespace vorna
