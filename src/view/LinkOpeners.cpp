// Opening a link, a mail address or a file through the platform shell.
#include "view/LinkOpeners.h"

#include "platform/Shell.h"
#include "text/ShiftJis.h"

namespace vorna {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// True for "scheme:..." targets (two or more letters before the colon), which
// have no folder; a one-letter scheme is a drive letter.
bool HasScheme(std::string_view target) {
  size_t i = 0;
  while (i < target.size() && IsAsciiLetter(target[i])) ++i;
  return i >= 2 && i < target.size() && target[i] == ':';
}

// Everything up to and including the last path separator that starts a
// character (a backslash may be the trail byte of a double-byte character).
std::string FolderPart(std::string_view target) {
  if (target.size() >= 2 && target.front() == '"' && target.back() == '"')
    target = target.substr(1, target.size() - 2);
  if (HasScheme(target)) return {};
  size_t end = 0;
  for (size_t i = 0; i < target.size();) {
    if (IsDoubleByteAt(target, i)) {
      i += 2;
      continue;
    }
    if (target[i] == '/' || target[i] == '\\') end = i + 1;
    ++i;
  }
  return std::string(target.substr(0, end));
}

}  // namespace

void OpenDocument(TShell& shell, std::string_view target, std::string_view parameters) {
  if (target.empty()) return;
  shell.ProcessMessages();
  std::string quoted(target);
  if (quoted.find(' ') != std::string::npos && quoted.front() != '"' && quoted.back() != '"')
    quoted = '"' + quoted + '"';
  shell.Open(quoted, std::string(parameters), FolderPart(target));
}

}  // namespace vorna
