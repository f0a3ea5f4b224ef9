// Finds the values of a stored style section that reading passes over, so a
// caller can say which ones took their defaults.
#pragma once

#include <string>
#include <vector>

#include "settings/SettingsStorages.h"

namespace vorna {

// The "Key=value" texts of the section's numeric settings that do not
// convert, are not finite or lie outside their range, and of a
// "DefaultIndex" that is neither -1 nor a preset number. Missing keys,
// strings and the element texts are never listed (every text reads).
std::vector<std::string> UnreadStyleValues(const TSettingsStorage& ini, const std::string& section);

}  // namespace vorna
