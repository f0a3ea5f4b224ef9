// Fuzzes the view element text parser: any text parses without failing, the
// text form read back gives the same element, and the difference form over a
// default record (picked by the first byte) reproduces the element.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/StyleElements.h"
#include "settings/ViewInfos.h"

using namespace vorna;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int index = data[0] % 2 ? kBaseElementFirst + data[0] % kBaseElementCount
                                : kEditorElementFirst + data[0] % kEditorElementCount;
  const TViewInfoDefault& record = StyleElementDefault(index);
  std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  auto element = MakeDataItem<TViewInfo>();
  element->LoadDefault(record);
  element->SetDataText(text);

  // Text form: a second reading is stable (a face beyond the 255-byte font
  // text is cut once).
  auto copy = MakeDataItem<TViewInfo>();
  copy->SetDataText(element->GetDataText());
  auto again = MakeDataItem<TViewInfo>();
  again->SetDataText(copy->GetDataText());
  if (!again->Equals(copy.get())) __builtin_trap();
  if (element->GetFont().Face.size() < 200 && !copy->Equals(element.get())) __builtin_trap();

  // Difference form, for the modes that are stored.
  if (element->GetDisplayMode() >= 0 && element->GetFont().Face.size() < 200) {
    auto diff = MakeDataItem<TViewInfo>();
    diff->LoadDefault(record);
    if (!element->IsDefault(record)) diff->SetDataText(element->GetDiffText(record));
    if (!diff->Equals(element.get())) __builtin_trap();
  }
  return 0;
}
