// Fuzzes WrapText, FitCells and CellColumn with random settings: the first
// eight bytes choose the settings, the rest is the line. Traps when a wrap
// does not cut the line into whole characters that add up to it, when a row
// starts inside hidden notation, or when cell columns run backwards.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "WrapChecks.h"
#include "layout/LineWraps.h"
#include "platform/TextMeasurer.h"
#include "text/ShiftJis.h"

namespace {

// Widths that depend on the bytes, so proportional rows vary.
class TByteMeasurer : public vorna::TTextMeasurer {
 public:
  explicit TByteMeasurer(int height) : FHeight(height) {}
  int TextWidth(std::string_view text) override {
    long long width = 0;
    for (unsigned char c : text) width += 1 + c % 7;
    return static_cast<int>(std::min<long long>(width, 1 << 30));
  }
  int FontHeight() override { return FHeight; }

 private:
  int FHeight;
};

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  vorna::TLayoutSettings s;
  s.ProportionalFont = data[0] & 1;
  s.ColumnCountAuto = data[0] & 2;
  s.TailHang = data[0] & 4;
  s.TailAdjust = data[0] & 8;
  s.WordWrap = data[0] & 16;
  s.ItemizedStatement = data[0] & 32;
  s.SerifuNameRestore = data[0] & 64;
  s.TabVisible = data[0] & 128;
  s.RubiVisible = data[1] & 1;
  s.FootNoteVisible = data[1] & 2;
  s.ReturnVisible = data[1] & 4;
  s.GapLineStyle = data[1] & 8 ? 2 : 0;
  const bool firstRow = data[1] & 16;
  s.ViewIndent = data[1] >> 5 & 3;
  static const int capacities[] = {0, 1, 3, 7, 8, 9, 20, 40, 10000, -5};
  const int capacity = data[2] < 240 ? capacities[data[2] % 10] : data[2] - 230;
  const int indentCells = data[3] % 48;
  s.TabLength = data[4] < 240 ? data[4] % 20 - 2 : 1 << (data[4] - 225);
  const int wrapWidth = data[5] * 4;
  const int columnSpace = data[6] % 16 - 2;
  std::string_view rest(reinterpret_cast<const char*>(data + 8), size - 8);
  if (data[7] & 128) {
    // Custom kinsoku sets cut from the input itself.
    const size_t length = std::min<size_t>(data[7] % 16, rest.size());
    s.HangStr = rest.substr(0, length);
    s.ProhibitTopStr = rest.substr(0, length / 2);
    s.ProhibitBottomStr = rest.substr(length / 2, length - length / 2);
    s.SerifuHeader = std::string(rest.substr(0, length % 3));
    rest = rest.substr(length);
  }
  const std::string_view line = rest;
  TByteMeasurer measurer(data[7] % 24);
  const vorna::TLineIndent lineIndent = vorna::GetLineIndent(line, s);
  const vorna::TLineIndent indent{data[3] & 64 ? lineIndent.Cells : indentCells, firstRow};
  const std::vector<int> rows =
      vorna::WrapText(line, vorna::TWrapInputs{capacity, wrapWidth, columnSpace, &measurer}, s, indent);

  const vorna::THiddenMask& mask = vorna::LineHiddenMask(line, s);
  Check(vorna::testing::RowFault(line, rows, &mask).empty());
  if (line.empty()) return 0;

  if (line.size() <= 256) {
    int previous = 0;
    for (int byte = 1; byte <= static_cast<int>(line.size()) + 1; ++byte) {
      const int cell = vorna::CellColumn(line, byte, s, indent.Cells, false);
      Check(cell >= previous);
      previous = cell;
      const int fit = vorna::FitCells(line, byte, cell, s, indent.Cells);
      Check(fit >= byte && fit <= static_cast<int>(line.size()) + 1);
    }
  }
  return 0;
}
