// Cell counting: FitCells and CellColumn with hidden notation, tabs, indents
// and speaker-name padding.
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "TestSupport.h"
#include "layout/CellCounting.h"
#include "layout/LineWraps.h"
#include "text/ShiftJis.h"

namespace vorna {
namespace {

using testing::Sj;

TEST(CellFitting, PlainBytesAreCells) {
  const TLayoutSettings s;
  const std::string line = "abcdefghij";
  EXPECT_EQ(FitCells(line, 1, 4, s, 0), 4);
  EXPECT_EQ(FitCells(line, 3, 4, s, 0), 6);
  EXPECT_EQ(FitCells(line, 1, 4, s, 2), 2);
  EXPECT_EQ(FitCells(line, 1, 4, s, 9), 1);  // the indent fills the row: one byte still counts
  EXPECT_EQ(FitCells(line, 8, 4, s, 0), 11);
  EXPECT_EQ(FitCells(line, 11, 4, s, 0), 11);
  EXPECT_EQ(FitCells("", 1, 4, s, 0), 1);
  EXPECT_EQ(CellColumn(line, 1, s, 0, false), 1);
  EXPECT_EQ(CellColumn(line, 11, s, 0, false), 11);
  EXPECT_EQ(CellColumn(line, 3, s, 4, false), 7);
}

TEST(CellFitting, HiddenNotationStaysWithTheByteBeforeIt) {
  TLayoutSettings s;
  const std::string line = Sj("漢字《かんじ》です［＃注］。");
  EXPECT_EQ(FitCells(line, 1, 4, s, 0), 4);
  s.RubiVisible = true;
  EXPECT_EQ(FitCells(line, 1, 4, s, 0), 14);  // "漢字" with its reading
  EXPECT_EQ(FitCells(line, 1, 3, s, 0), 3);   // ends on the lead byte of "字"
  EXPECT_EQ(CellColumn(line, 15, s, 0, false), 5);
  EXPECT_EQ(CellColumn(line, 9, s, 0, false), 5);  // inside the reading: the next visible cell
  s.FootNoteVisible = true;
  EXPECT_EQ(FitCells(line, 1, 8, s, 0), 26);
  EXPECT_EQ(CellColumn(line, static_cast<int>(line.size()) + 1, s, 0, false), 11);
  // A line that starts with notation: the leading bytes take no cells.
  const std::string lead = Sj("［＃注］本文");
  EXPECT_EQ(FitCells(lead, 1, 2, s, 0), 10);
  EXPECT_EQ(CellColumn(lead, 9, s, 0, false), 1);
}

TEST(CellFitting, TabsRunToTheNextStop) {
  TLayoutSettings s;
  const std::string line = "a\tb\t\tc";
  EXPECT_EQ(CellColumn(line, 2, s, 0, false), 2);
  EXPECT_EQ(CellColumn(line, 3, s, 0, false), 5);
  EXPECT_EQ(CellColumn(line, 5, s, 0, false), 9);
  EXPECT_EQ(CellColumn(line, 6, s, 0, false), 13);
  EXPECT_EQ(FitCells(line, 1, 4, s, 0), 2);
  EXPECT_EQ(FitCells(line, 1, 5, s, 0), 3);
  // The stops count from the row's indent start.
  EXPECT_EQ(CellColumn(line, 3, s, 1, false), 5);
  s.TabLength = 8;
  EXPECT_EQ(CellColumn(line, 3, s, 0, false), 9);
  s.TabVisible = false;
  EXPECT_EQ(CellColumn(line, 3, s, 0, false), 3);
  s.TabVisible = true;
  s.TabLength = 0;  // no stops: a tab is one cell
  EXPECT_EQ(CellColumn(line, 6, s, 0, false), 6);
}

TEST(CellFitting, SpeakerNamesSpreadToCellSeven) {
  TLayoutSettings s;
  s.SerifuNameRestore = true;
  struct TCase {
    const char* Line;
    int HeaderByte;
  };
  const TCase cases[] = {{"山田「はい」", 5}, {"山「はい」", 3}, {"「はい」", 1}};
  for (const TCase& c : cases) {
    const std::string line = Sj(c.Line);
    EXPECT_EQ(CellColumn(line, c.HeaderByte, s, 0, false), 7) << c.Line;
    // Seven cells hold the name and the header's lead byte.
    EXPECT_EQ(FitCells(line, 1, 7, s, 0), c.HeaderByte) << c.Line;
  }
  EXPECT_EQ(CellColumn(Sj("「はい」"), 1, s, 0, true), 1);
  EXPECT_EQ(CellColumn(Sj("山「はい」"), 1, s, 0, false), 3);
  EXPECT_EQ(CellColumn(Sj("山田「はい」"), 3, s, 0, false), 5);
  // Counting a later row of the line applies no padding.
  EXPECT_EQ(FitCells(Sj("「はいはい」"), 3, 4, s, 0), 6);
  EXPECT_EQ(CellColumn(Sj("「はいはい」"), 5, s, 0, false, 3), 3);
}

TEST(CellFitting, PaddedTabRunsOnFromItsPaddedCell) {
  // A tab that starts a dialogue line (a header beginning with a tab) is padded
  // to cell 7 first and then runs to the next stop, so the following byte never
  // lies before it (found by fuzzing: it came out at cell 5).
  TLayoutSettings s;
  s.SerifuNameRestore = true;
  s.SerifuHeader = "\t";
  s.SerifuFooter = "";
  s.TabLength = 4;
  const std::string line = "\tab";
  EXPECT_EQ(CellColumn(line, 1, s, 0, false), 7);
  EXPECT_EQ(CellColumn(line, 2, s, 0, false), 9);
  EXPECT_EQ(FitCells(line, 1, 8, s, 0), 1);
  EXPECT_EQ(FitCells(line, 1, 9, s, 0), 2);
}

TEST(CellFitting, CellColumnAndFitCellsAgree) {
  TLayoutSettings s;
  s.RubiVisible = s.FootNoteVisible = true;
  const std::string line = Sj("漢字《かんじ》とabc\tひ［＃注］らがな｜本《ほん》。") + "\x81";
  // The last cell of every character is where FitCells ends with it.
  for (int pos = 1; pos <= static_cast<int>(line.size()); ++pos) {
    if (ByteTypeAt(line, pos) == TByteType::Trail || LineHiddenMask(line, s).Hidden(pos)) continue;
    const int width = CharLengthAt(line, pos);
    const int lastCell = CellColumn(line, pos + width, s, 2, false) - 1;
    EXPECT_GE(lastCell, CellColumn(line, pos, s, 2, false) + width - 1) << pos;
    const int end = FitCells(line, 1, lastCell, s, 2);
    EXPECT_GE(end, pos + width - 1) << pos;
    EXPECT_TRUE(end == pos + width - 1 || LineHiddenMask(line, s).Hidden(pos + width)) << pos;
  }
}

// The counting that steps over hidden spans must end where the byte-by-byte
// counting ends, also when one counter is asked from starts in any order (it
// resumes from where the previous count stopped).
TEST(CellFitting, SpanCountingMatchesByteCounting) {
  std::mt19937 random(11);
  const char* pieces[] = {"漢", "か", "a", "《", "》", "｜", "［＃", "］", "\r\n", "。", " ", "\x81"};
  TLayoutSettings s;
  s.RubiVisible = s.FootNoteVisible = true;
  for (int round = 0; round < 2000; ++round) {
    std::string line;
    const int count = 1 + static_cast<int>(random() % 60);
    for (int i = 0; i < count; ++i) line += Sj(pieces[random() % std::size(pieces)]);
    layout_detail::TCellCounter fast;
    fast.Text = line;
    fast.SetMask(LineHiddenMask(line, s));
    layout_detail::TCellCounter slow = fast;
    slow.TabLength = 4;  // no tab in the line: same cells, byte-by-byte path
    for (int ask = 0; ask < 4; ++ask) {
      const int start = 1 + static_cast<int>(random() % line.size());
      if (ByteTypeAt(line, start) == TByteType::Trail) continue;
      const int cells = static_cast<int>(random() % 40), indent = static_cast<int>(random() % 6);
      for (bool crLf : {false, true}) {
        const layout_detail::TFit a = layout_detail::Fit(fast, start, cells, indent, crLf);
        const layout_detail::TFit b = layout_detail::Fit(slow, start, cells, indent, crLf);
        ASSERT_EQ(std::tie(a.End, a.EndsOnLead, a.HardBreak), std::tie(b.End, b.EndsOnLead, b.HardBreak))
            << Utf8FromCp932(line) << " from " << start << " cells " << cells << " indent " << indent;
        // What a fit says of the bytes around the row is what the mask says.
        const THiddenMask& mask = LineHiddenMask(line, s);
        ASSERT_EQ(a.StartHidden, mask.Hidden(start)) << Utf8FromCp932(line) << " from " << start;
        if (a.Absorbed) {
          ASSERT_FALSE(mask.Hidden(a.End + 1)) << Utf8FromCp932(line) << " from " << start;
        }
      }
    }
  }
}

// Without the bit mask the spans answer every position, asked in any order,
// as the mask does; the wrap relies on it at its row ends.
TEST(CellFitting, SpansAnswerHiddenBytesAsTheMaskDoes) {
  std::mt19937 random(17);
  const char* pieces[] = {"漢", "a", "《", "》", "｜", "［＃", "］", "\x81"};
  TLayoutSettings s;
  s.RubiVisible = s.FootNoteVisible = true;
  for (int round = 0; round < 2000; ++round) {
    std::string line;
    const int count = 1 + static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i) line += Sj(pieces[random() % std::size(pieces)]);
    const THiddenMask& mask = LineHiddenMask(line, s);
    THiddenMask spansOnly;
    FillHiddenSpans(spansOnly, line, true, true, false, "");
    ASSERT_EQ(spansOnly.Data(), nullptr);
    layout_detail::TCellCounter counter;
    counter.Text = line;
    counter.SetMask(spansOnly);
    const int size = static_cast<int>(line.size());
    for (int ask = 0; ask < 30; ++ask) {
      const int pos = 1 + static_cast<int>(random() % (size + 1));
      ASSERT_EQ(counter.IsHidden(pos), mask.Hidden(pos)) << Utf8FromCp932(line) << " at " << pos;
      int through = pos - 1;  // the last of the hidden run from pos
      while (mask.Hidden(through + 1)) ++through;
      ASSERT_EQ(counter.HiddenThrough(pos), through) << Utf8FromCp932(line) << " at " << pos;
    }
  }
}

}  // namespace
// The hidden spans are exactly the maximal runs of the mask, whatever mix of
// readings, bars, annotations and a hidden heading mark made them.
TEST(CellFitting, HiddenSpansAreTheMaskRuns) {
  std::mt19937 random(5);
  const char* pieces[] = {"○", "漢", "か", "a", "《", "》", "｜", "［＃", "］", "。", "\x81"};
  TLayoutSettings s;
  s.RubiVisible = s.FootNoteVisible = true;
  s.GapLineStyle = 2;
  for (int round = 0; round < 2000; ++round) {
    std::string line;
    const int count = static_cast<int>(random() % 50);
    for (int i = 0; i < count; ++i) line += Sj(pieces[random() % std::size(pieces)]);
    const THiddenMask& mask = LineHiddenMask(line, s);
    std::vector<THiddenSpan> runs;
    for (int pos = 1; pos <= static_cast<int>(line.size()); ++pos) {
      if (!mask.Hidden(pos)) continue;
      if (!runs.empty() && runs.back().Last == pos - 1)
        runs.back().Last = pos;
      else
        runs.push_back({pos, pos});
    }
    ASSERT_EQ(mask.Spans().size(), runs.size()) << Utf8FromCp932(line);
    for (size_t i = 0; i < runs.size(); ++i)
      ASSERT_TRUE(mask.Spans()[i].First == runs[i].First && mask.Spans()[i].Last == runs[i].Last)
          << Utf8FromCp932(line) << " span " << i;
    EXPECT_EQ(mask.AnyHidden(), !runs.empty());
  }
}

}  // namespace vorna
