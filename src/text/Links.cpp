// Recognition of web and mail addresses and the shell call that opens them.
#include "text/Links.h"

#include "platform/Shell.h"
#include "text/CharClasses.h"
#include "text/ShiftJis.h"
#include "text/StrSrch.h"

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

std::vector<TByteRange> FindUrls(std::string_view line) {
  std::vector<TByteRange> result;
  for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")}) {
    for (int p : FindAll(scheme, line)) {
      const TWordRange word = WordRange(line, p, wmUrl);
      if (word.Start == p && word.End - word.Start > 9) result.push_back({word.Start, word.End - 1});
    }
  }
  return result;
}

std::vector<TByteRange> FindMails(std::string_view line) {
  std::vector<TByteRange> result;
  for (int p : FindAll("@", line)) {
    const TWordRange word = WordRange(line, p, wmUrl);
    if (word.Start < p && word.End - word.Start > 6) {
      const TByteRange range{word.Start, word.End - 1};
      // Several "@" in one run describe the same address.
      if (result.empty() || !(result.back() == range)) result.push_back(range);
    }
  }
  return result;
}

std::string MailTarget(std::string_view address) {
  constexpr std::string_view scheme = "mailto:";
  if (address.size() >= scheme.size()) {
    bool same = true;
    for (size_t i = 0; i < scheme.size() && same; ++i)
      same = UpperCaseTable()[static_cast<unsigned char>(address[i])] ==
             UpperCaseTable()[static_cast<unsigned char>(scheme[i])];
    if (same) return std::string(address);
  }
  return std::string(scheme) + std::string(address);
}

std::string LinkText(std::string_view line, int pos, int kind) {
  if (kind == lkUrl) return WordAt(line, pos, wmUrl);
  if (kind == lkMail) {
    std::string address = WordAt(line, pos, wmMail);
    return address.empty() ? address : MailTarget(address);
  }
  return {};
}

void OpenDocument(TShell& shell, std::string_view target, std::string_view parameters) {
  if (target.empty()) return;
  shell.ProcessMessages();
  std::string quoted(target);
  if (quoted.find(' ') != std::string::npos && quoted.front() != '"' && quoted.back() != '"')
    quoted = '"' + quoted + '"';
  shell.Open(quoted, std::string(parameters), FolderPart(target));
}

}  // namespace vorna
