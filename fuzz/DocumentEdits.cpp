// Fuzzes a document: arbitrary bytes become its text, then a sequence of line
// edits under fuzzed layout settings; after every edit the incrementally kept
// row table must equal a fresh full layout.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzInput.h"
#include "NullServices.h"
#include "RelayoutOracle.h"
#include "document/EditLists.h"

namespace {

using namespace vorna;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static testing::TNoFiles files;
  static testing::TNoMessages messages;
  fuzzing::TReader in{std::string_view(reinterpret_cast<const char*>(data), size)};
  TDocumentLayout layout;
  const uint8_t flags = in.Byte();
  fuzzing::ApplyLayoutFlags(layout, flags);
  layout.Wrap.TabLength = in.Byte() % 9;
  layout.LineInfoVisible = true;
  layout.LineInfoStyle = 4;
  const int capacity = in.Byte() % 50;

  TEditList list(files, messages);
  list.ApplyLayoutSettings(layout);
  list.SetText(in.Bytes(in.Byte()));
  list.SetWrapInputs({.CapacityCells = capacity});
  list.Relayout();
  while (!in.Data.empty()) {
    const uint8_t op = in.Byte();
    const int line = in.Byte() % (list.Count() + 1);
    const std::string text = in.Bytes(in.Byte() % 32);
    switch (op % 6) {
      case 0:
        list.Put(line, text);
        break;
      case 1:
        list.Insert(line, text);
        break;
      case 2:
        list.Add(text);
        break;
      case 3:
        list.Delete(line);
        break;
      case 4:
        // A block of two lines.
        list.InsertLines(line, {text.substr(0, text.size() / 2), text.substr(text.size() / 2)});
        break;
      case 5:
        list.DeleteLines(line, op >> 4);
        break;
    }
    if (testing::FreshLayoutRows(list) != list.Rows().Rows()) __builtin_trap();
    for (int row = 0; row < list.Rows().Count(); ++row) {
      const TTextPos doc = list.DisplayToDoc({list.RowCaretLimit(row), row});
      if (list.DisplayToDoc(list.DocToDisplay(doc)) != doc) __builtin_trap();
      list.RowDisplayText(row);
    }
  }
  return 0;
}
