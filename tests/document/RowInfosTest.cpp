// The row table's compact records against a plain vector of records under
// random edits: rows of wrapped lines (derived from the rows before them)
// mixed with rows that must be stored explicitly, so that every edit may
// break or restore a chain of derived rows, and every edit renumbers the
// lines after it.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "document/RowInfos.h"

namespace vorna {
namespace {

// The rows of a line laid out in `rows` rows of `length` bytes; now and then
// one that can only be stored explicitly.
std::vector<TRowInfo> LineRows(std::mt19937& rng, int line, int rows) {
  std::vector<TRowInfo> out;
  uint32_t start = 1;
  for (int k = 0; k < rows; ++k) {
    TRowInfo r;
    r.Line = line;
    r.Start = start;
    r.Length = 1 + rng() % 80;
    r.RowInLine = static_cast<uint16_t>(k);
    r.Indent = static_cast<uint8_t>(rng() % 8 == 0 ? 200 : rng() % 4);
    r.LastRow = k == rows - 1;
    if (k == 0 && rng() % 10 == 0)
      r.SceneNo = static_cast<uint16_t>(1000 + rng() % 50);  // never shifted to 0
    if (rng() % 40 == 0) r.Length = 200000;                  // beyond a packed length
    start += r.Length;
    out.push_back(r);
  }
  return out;
}

// The table numbers lines by their first rows, whatever the records carried.
void Renumber(std::vector<TRowInfo>& rows) {
  int line = -1;
  for (TRowInfo& r : rows) r.Line = line += r.RowInLine == 0 ? 1 : 0;
}

void ExpectSame(const TInfoList& table, std::vector<TRowInfo> oracle) {
  Renumber(oracle);
  ASSERT_EQ(table.Count(), static_cast<int>(oracle.size()));
  // Backwards first, so each row is derived without the one before it.
  for (int i = table.Count() - 1; i >= 0; --i)
    ASSERT_EQ(table.GetRow(i), oracle[static_cast<size_t>(i)]) << i;
  ASSERT_EQ(table.Rows(), oracle);
  int numbered = 0, scene = 0;
  for (size_t i = 0; i < oracle.size(); ++i) {
    if (oracle[i].RowInLine == 0) {
      ASSERT_EQ(table.LowerBoundLine(oracle[i].Line), static_cast<int>(i));
    }
    ASSERT_EQ(table.SceneBefore(static_cast<int>(i)), scene);
    ASSERT_EQ(table.NumberedRows(0, static_cast<int>(i)), numbered);
    if (oracle[i].SceneNo != 0) {
      ++numbered;
      scene = oracle[i].SceneNo;
    }
  }
}

TEST(RowInfos, RandomEditsMatchAVectorOfRecords) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    std::mt19937 rng(seed);
    TInfoList table;
    std::vector<TRowInfo> oracle;
    int nextLine = 0;  // lines as the records carry them: the table ignores it
    for (int step = 0; step < 600; ++step) {
      const int size = static_cast<int>(oracle.size());
      const int at = static_cast<int>(rng() % static_cast<unsigned>(size + 1));
      const int op = static_cast<int>(rng() % 6);
      if (op < 2 || size == 0) {
        // A line's rows in place of some rows (a relaid line), long lines included.
        const int rows = static_cast<int>(rng() % 4 == 0 ? rng() % 150 : rng() % 6) + 1;
        const std::vector<TRowInfo> added = LineRows(rng, nextLine++, rows);
        const int removed = std::min(static_cast<int>(rng() % 8), size - at);
        table.Splice(at, removed, added);
        oracle.erase(oracle.begin() + at, oracle.begin() + at + removed);
        oracle.insert(oracle.begin() + at, added.begin(), added.end());
      } else if (op == 2) {
        const int first = static_cast<int>(rng() % static_cast<unsigned>(size));
        const int count = static_cast<int>(rng() % 12);
        table.DeleteRows(first, count);
        oracle.erase(oracle.begin() + first, oracle.begin() + std::min(first + count, size));
      } else if (op == 3) {
        // One row rewritten: the rows after it that were derived from it
        // must still read as they were.
        const int i = static_cast<int>(rng() % static_cast<unsigned>(size));
        TRowInfo r = oracle[static_cast<size_t>(i)];
        r.Length = 1 + rng() % 80;
        table.PutRow(i, r);
        oracle[static_cast<size_t>(i)] = r;
      } else if (op == 4 && at < size) {
        const TRowInfo r = LineRows(rng, nextLine++, 1).front();
        ASSERT_TRUE(table.InsertRow(at, r));
        oracle.insert(oracle.begin() + at, r);
      } else {
        const int delta = static_cast<int>(rng() % 5) - 2;
        table.ShiftScenes(at, delta);
        for (int j = at; j < size; ++j) {
          TRowInfo& r = oracle[static_cast<size_t>(j)];
          if (r.SceneNo != 0) r.SceneNo = static_cast<uint16_t>(r.SceneNo + delta);
        }
      }
      if (step % 50 == 0) ExpectSame(table, oracle);
    }
    ExpectSame(table, oracle);
  }
}

TEST(RowInfos, AppendedLinesOfManyRowsReadBackInOrder) {
  std::mt19937 rng(7);
  TInfoList table;
  std::vector<TRowInfo> oracle;
  for (int line = 0; line < 50; ++line) {
    const std::vector<TRowInfo> rows = LineRows(rng, line, line % 7 == 0 ? 300 : 1 + line % 4);
    table.Splice(table.Count(), 0, rows);
    oracle.insert(oracle.end(), rows.begin(), rows.end());
  }
  ExpectSame(table, oracle);
  EXPECT_EQ(table.LowerBoundLine(50), table.Count());
  EXPECT_EQ(table.LowerBoundLine(14),
            static_cast<int>(
                std::find_if(oracle.begin(), oracle.end(), [](const TRowInfo& r) { return r.Line >= 14; }) -
                oracle.begin()));
}

TEST(RowInfos, AppendedEmptyLinesStoreWhatSpliceStores) {
  // Runs of empty lines between wrapped ones, packed and explicit indents:
  // the table reads back as the rows spliced one by one, and a later splice
  // into the run renumbers it.
  std::mt19937 rng(11);
  TInfoList table;
  std::vector<TRowInfo> oracle;
  for (int run : {70, 1, 5000, 64, 3}) {
    for (uint8_t indent : {uint8_t{0}, uint8_t{3}, uint8_t{200}}) {
      const std::vector<TRowInfo> rows = LineRows(rng, 0, 1 + run % 3);
      table.Splice(table.Count(), 0, rows);
      oracle.insert(oracle.end(), rows.begin(), rows.end());
      table.AppendEmptyLines(run, indent);
      TRowInfo empty;
      empty.Start = 1;
      empty.Indent = indent;
      empty.LastRow = 1;
      oracle.insert(oracle.end(), static_cast<size_t>(run), empty);
    }
  }
  ExpectSame(table, oracle);
  const std::vector<TRowInfo> rows = LineRows(rng, 0, 4);
  table.Splice(100, 2, rows);
  oracle.erase(oracle.begin() + 100, oracle.begin() + 102);
  oracle.insert(oracle.begin() + 100, rows.begin(), rows.end());
  ExpectSame(table, oracle);
}

}  // namespace
}  // namespace vorna
