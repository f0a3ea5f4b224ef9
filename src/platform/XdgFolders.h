// The user's home folder and the XDG base folders, read from the environment
// in one place with one fallback rule.
#pragma once

#include <string>
#include <string_view>

namespace vorna {

// $HOME when it is set and not empty, else the home folder of the user's
// passwd entry; empty when neither is known.
std::string HomeFolder();

// An XDG base folder: $<variable> (for example "XDG_CONFIG_HOME") when it is
// set and an absolute path, else HomeFolder()/<fallback> (for example
// ".config"); empty when no home folder is known. Never ends in "/" unless it
// is the root.
std::string XdgBaseFolder(const char* variable, std::string_view fallback);

// $XDG_CONFIG_HOME or ~/.config.
inline std::string XdgConfigHome() { return XdgBaseFolder("XDG_CONFIG_HOME", ".config"); }
// $XDG_DATA_HOME or ~/.local/share.
inline std::string XdgDataHome() { return XdgBaseFolder("XDG_DATA_HOME", ".local/share"); }
// $XDG_STATE_HOME or ~/.local/state: what outlives a run but is no
// configuration (recovery files, the copies kept during a save).
inline std::string XdgStateHome() { return XdgBaseFolder("XDG_STATE_HOME", ".local/state"); }
// The program's own state folder, XdgStateHome()/vorna-editor (recovery
// files, the copies kept during a save, locks without a runtime folder);
// empty when no home folder is known.
inline std::string ProgramStateFolder() {
  const std::string state = XdgStateHome();
  return state.empty() ? state : state + "/vorna-editor";
}

}  // namespace vorna
