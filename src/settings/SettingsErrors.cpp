// Building the messages of the settings errors.
#include "settings/SettingsErrors.h"

#include <cstring>

namespace vorna {

void RaiseFileError(EFileError::TKind kind, const std::filesystem::path& fileName, int errorCode) {
  throw EFileError(kind, fileName.string(), std::strerror(errorCode));
}

}  // namespace vorna
