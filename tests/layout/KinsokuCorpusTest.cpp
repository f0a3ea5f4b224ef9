// Kinsoku, hanging and hidden ruby on every line of the corpus texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "WrapChecks.h"
#include "layout/LineWraps.h"
#include "text/Notations.h"
#include "text/ShiftJis.h"

namespace vorna {
namespace {

struct TCounts {
  size_t Rows = 0, Hung = 0, Pushed = 0, TopStartsAllowed = 0;
};

// Wraps `line` and checks every row; returns the first fault found.
std::string CheckLine(const std::string& line, int capacity, const TLayoutSettings& s, TCounts& counts) {
  const TLineIndent indent = GetLineIndent(line, s);
  const std::vector<int> rows = WrapText(line, TWrapInputs{capacity, 0, 0, nullptr}, s, indent);
  const THiddenMask& cached = LineHiddenMask(line, s);
  std::vector<char> hidden(line.size() + 2, 0);
  for (int pos = 1; pos <= static_cast<int>(line.size()); ++pos) hidden[pos] = cached.Hidden(pos);
  if (std::string fault = testing::RowFault(line, rows, &cached); !fault.empty()) return fault;

  // Every ruby reading sits on the row of the last byte of its base.
  std::vector<int> rowOf(line.size() + 2, 0);
  for (size_t r = 0, pos = 1; r < rows.size(); ++r)
    for (int i = 0; i < rows[r]; ++i) rowOf[pos++] = static_cast<int>(r);
  for (const TRubyInfo& ruby : ParseRubies(line))
    if (ruby.BaseLength > 0 && rowOf[ruby.RubyStart - 2] != rowOf[ruby.RubyStart - 3])
      return "ruby at byte " + std::to_string(ruby.RubyStart) + " split from its base";

  struct TRowFacts {
    int Start, End, Width, First = 0, Last = 0, Visible = 0;
  };
  std::vector<TRowFacts> facts;
  int start = 1;
  for (size_t r = 0; r < rows.size(); ++r) {
    const int end = start + rows[r] - 1;
    const int rowIndent = indent.FirstRow || r > 0 ? indent.Cells : 0;
    TRowFacts f{start, end, CellColumn(line, end + 1, s, rowIndent, false, start) - 1};
    for (int pos = start; pos <= end; pos += IsDoubleByteAt(line, static_cast<size_t>(pos - 1)) ? 2 : 1) {
      if (hidden[pos]) continue;
      if (!f.First) f.First = pos;
      f.Last = pos;
      ++f.Visible;
    }
    facts.push_back(f);
    start = end + 1;
  }
  for (size_t r = 0; r < facts.size(); ++r) {
    const TRowFacts& f = facts[r];
    const int rowIndent = indent.FirstRow || r > 0 ? indent.Cells : 0;
    ++counts.Rows;
    const int lastLength = f.Last ? CharLengthAt(line, f.Last) : 0;
    const bool lastHangs = f.Last && s.HangStr.ContainsAt(line, static_cast<size_t>(f.Last - 1));
    // At most one character beyond the capacity, and only one that may hang.
    if (rowIndent + 2 < capacity && f.Width > capacity) {
      if (!lastHangs || f.Width - lastLength > capacity)
        return "row " + std::to_string(r) + " is " + std::to_string(f.Width) + " cells";
      ++counts.Hung;
    }
    if (r + 1 < facts.size() && f.Width < capacity - 1) ++counts.Pushed;  // gave characters away
    if (r == 0 || !f.First || !s.ProhibitTopStr.ContainsAt(line, static_cast<size_t>(f.First - 1))) continue;
    // A row starts with a top-prohibited character only when the row before
    // it hung a character, gave its last character away (one step only), or
    // holds a single character.
    const TRowFacts& p = facts[r - 1];
    const int prevLastLength = p.Last ? CharLengthAt(line, p.Last) : 0;
    const bool prevHung = p.Last && s.HangStr.ContainsAt(line, static_cast<size_t>(p.Last - 1)) &&
                          p.Width - prevLastLength >= capacity - 1;
    const bool prevPushed = p.Width < capacity - 1;
    if (!prevHung && !prevPushed && p.Visible > 1)
      return "row " + std::to_string(r) + " starts with a top-prohibited character";
    ++counts.TopStartsAllowed;
  }
  return "";
}

TEST(KinsokuCorpus, EveryRowOfEveryLineKeepsTheRules) {
  VORNA_REQUIRE_CORPUS();
  TLayoutSettings s;
  EXPECT_EQ(s.HangStr.Text().size(), 17u);
  EXPECT_EQ(s.ProhibitTopStr.Text().size(), 60u);
  EXPECT_EQ(s.ProhibitBottomStr.Text().size(), 25u);
  s.TailAdjust = true;
  s.RubiVisible = true;  // ruby hidden from the cell count
  for (int capacity : {40, 20, 8}) {
    TCounts counts;
    size_t lines = 0;
    for (const auto& file : testing::CorpusFiles()) {
      const std::string text = testing::ReadFileBytes(file);
      for (size_t from = 0; from < text.size();) {
        size_t end = text.find("\r\n", from);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(from, end - from);
        const std::string fault = CheckLine(line, capacity, s, counts);
        ASSERT_EQ(fault, "") << file.filename() << " at byte " << from << ", capacity " << capacity;
        ++lines;
        from = end + 2;
      }
    }
    EXPECT_GT(lines, 9000u);
    // The rules were exercised, not skipped.
    EXPECT_GT(counts.Hung, 100u) << capacity;
    EXPECT_GT(counts.Pushed, 100u) << capacity;
  }
}

}  // namespace
}  // namespace vorna
