// Web and mail addresses in one line and the texts that open them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/ByteRanges.h"

namespace vorna {

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
std::string LinkText(std::string_view line, int pos, TLinkKind kind);

// "mailto:" + address, unless the address already starts with it (any case).
std::string MailTarget(std::string_view address);

}  // namespace vorna
