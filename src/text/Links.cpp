// Recognition of web and mail addresses and the texts that open them.
#include "text/Links.h"

#include "text/CharClasses.h"
#include "text/ShiftJis.h"
#include "text/StrSrch.h"

namespace vorna {

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

std::string LinkText(std::string_view line, int pos, TLinkKind kind) {
  if (kind == lkUrl) return WordAt(line, pos, wmUrl);
  if (kind == lkMail) {
    std::string address = WordAt(line, pos, wmMail);
    return address.empty() ? address : MailTarget(address);
  }
  return {};
}

}  // namespace vorna
