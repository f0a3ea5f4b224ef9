// Web and mail addresses in one line, and opening a link or file through the
// platform shell.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/ByteRanges.h"

namespace vorna {

class TShell;

// Addresses starting with "http://", then those starting with "https://", each
// group in text order. An address is a run of URL characters that begins with
// the scheme and holds at least 10 bytes.
std::vector<TByteRange> FindUrls(std::string_view line);

// Mail addresses in text order: runs of URL characters around "@" with at
// least one byte before it and at least 7 bytes in all, each run reported once.
std::vector<TByteRange> FindMails(std::string_view line);

enum TLinkKind { lkUrl = 0, lkMail = 1 };

// The text to open for a link at 1-based `pos`: the run of URL characters for
// lkUrl, the run of mail characters with "mailto:" in front for lkMail (unless
// it already starts with "MAILTO:" in any letter case). Empty when there is no
// link character there or the kind is unknown.
std::string LinkText(std::string_view line, int pos, int kind);

// "mailto:" + address, unless the address already starts with it (any case).
std::string MailTarget(std::string_view address);

// Asks the shell to open `target` (an address, a "mailto:" address or a file;
// CP932). Pending window messages run first. A target with a space that
// neither starts nor ends with a double quote is passed in double quotes. The
// working folder is the folder part of a file target (empty for an address).
// An empty target does nothing; failures are not reported.
void OpenDocument(TShell& shell, std::string_view target, std::string_view parameters = {});

}  // namespace vorna
