// Fuzz target for comma text: any text splits without failing, and every list
// of strings survives joining and splitting unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "settings/CommaTexts.h"
#include "settings/StringLists.h"

using namespace vorna;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> parsed = SplitCommaText(text);
  if (SplitCommaText(MakeCommaText(parsed)) != parsed) std::abort();

  // The input cut at LF bytes as a list of arbitrary elements.
  std::vector<std::string> elements;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i)
    if (i == text.size() || text[i] == '\n') {
      elements.emplace_back(text.substr(start, i - start));
      start = i + 1;
    }
  if (size == 0) elements.clear();
  TStringList list;
  list.SetStrings(elements);
  TStringList copy;
  copy.SetCommaText(list.GetCommaText());
  if (!copy.Equals(list)) std::abort();
  return 0;
}
