// Fuzzes the document's range edits: arbitrary text and settings, then a
// sequence of range reads, deletions, insertions, finds, selection ranges,
// formats and joins at arbitrary (often wild) positions. After every step the
// row table must equal a fresh layout and no line may hold a line-end byte;
// where hidden notation cannot blur positions, an insertion must be undone by
// deleting what it reported.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzInput.h"
#include "NullServices.h"
#include "RelayoutOracle.h"
#include "document/EditResults.h"
#include "text/ShiftJis.h"

namespace {

using namespace vorna;

struct TReader : fuzzing::TReader {
  // Mostly near the document, sometimes far outside it.
  int Coordinate() {
    const uint8_t b = Byte();
    switch (b >> 6) {
      case 0:
        return b & 63;
      case 1:
        return -(b & 63);
      case 2:
        return (b & 63) * 1000;
      default:
        return (b & 1) ? 1 << 30 : -(1 << 30);
    }
  }
  TDisplayPos Pos() {
    const int column = Coordinate();
    return {column, Coordinate()};
  }
};

[[noreturn]] void Fail() { __builtin_trap(); }

// No lead byte without its trail: bytes inserted next to a lone lead byte pair
// up with it, and then no display position marks the inserted range exactly.
bool WellFormed(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (!IsLeadByte(static_cast<unsigned char>(text[i]))) continue;
    if (i + 1 >= text.size() || text[i + 1] == '\r' || text[i + 1] == '\n') return false;
    ++i;
  }
  return true;
}

bool WellFormed(const TEditList& list) {
  for (const std::string& line : list.Lines())
    if (!WellFormed(line)) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static testing::TNoFiles files;
  static testing::TNoMessages messages;
  TReader in{std::string_view(reinterpret_cast<const char*>(data), size)};
  TDocumentLayout layout;
  const uint8_t flags = in.Byte();
  const uint8_t more = in.Byte();
  fuzzing::ApplyLayoutFlags(layout, flags);
  layout.Wrap.ItemizedStatement = more & 1;
  layout.Wrap.TabVisible = more & 2;
  layout.UseZenkaku = more & 4;
  layout.LineInfoVisible = more & 8;
  layout.LineInfoStyle = 4;
  const bool positionsExact = !(flags & (4 | 8 | 128));

  TEditList list(files, messages);
  list.ApplyLayoutSettings(layout);
  list.FEditSettings.EditIndent = more & 16;
  list.FEditSettings.HeadingVisible = more & 32;
  list.FEditSettings.LineCountInPage = (more >> 6) * 3;
  list.FFindOptions = static_cast<unsigned char>(flags & 3);
  list.SetText(in.Bytes(in.Byte()));
  list.SetWrapInputs({.CapacityCells = in.Byte() % 50});
  list.Relayout();

  while (!in.Data.empty()) {
    const uint8_t op = in.Byte();
    const bool box = op & 0x80;
    const TDisplayPos a = in.Pos();
    const TDisplayPos b = in.Pos();
    TEditResult result;
    switch (op % 8) {
      case 0: {
        const std::string text = list.GetRangeText(a, b, box);
        list.DeleteRange(a, b, result, box);
        if (!box && result.DeletedText != text) Fail();
        break;
      }
      case 1: {
        const std::string before = list.GetText();
        const std::string text = in.Bytes(in.Byte() % 24);
        // Inserted text ends at its first NUL; judge what is inserted.
        const bool exact =
            positionsExact && !box && WellFormed(text.substr(0, text.find('\0'))) && WellFormed(list);
        list.InsertText(a, text, result, box);
        if (exact) {
          TEditResult undo;
          list.DeleteRange(result.InsertStart, result.CaretPos, undo, false);
          if (undo.DeletedText != result.InsertedText || list.GetText() != before) Fail();
        }
        break;
      }
      case 2: {
        TDisplayPos found;
        list.FindText(in.Bytes(in.Byte() % 6), a, found, in.Byte() % 4, op & 8);
        break;
      }
      case 3: {
        TDisplayPos s, e;
        list.GetSelectRange(static_cast<TSelectKind>(op >> 3 & 7), a, s, e);
        break;
      }
      case 4: {
        TFormatResult format;
        list.FormatLines(a, b, format, nullptr, in.Byte() % 24);
        break;
      }
      case 5: {
        TFormatResult format;
        std::vector<int> lengths;
        for (int n = in.Byte() % 4; n > 0; --n) lengths.push_back(static_cast<int8_t>(in.Byte()));
        list.FormatLines(a, b, format, &lengths, 0);
        break;
      }
      case 6: {
        TRestoreResult restore;
        list.RestoreFormat(a, b, restore, static_cast<int8_t>(in.Byte()));
        break;
      }
      case 7:
        list.RowsToLineEnd(a.Row);
        list.IsAtLineEnd(a);
        list.InsertText(a, "\r\n", result, box);
        break;
    }
    if (list.Count() < 1) Fail();
    for (const std::string& line : list.Lines())
      if (line.find_first_of("\r\n") != std::string::npos) Fail();
    if (testing::FreshLayoutRows(list) != list.Rows().Rows()) Fail();
  }
  return 0;
}
