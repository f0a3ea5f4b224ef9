// Real texts: every corpus file loads and saves back byte for byte, and its
// full layout covers every byte of every line exactly once.
#include <gtest/gtest.h>

#include "PlatformDoubles.h"
#include "TestSupport.h"
#include "document/EditLists.h"

namespace vorna {
namespace {

TEST(CorpusDocument, LoadSaveGivesBackTheSameBytes) {
  VORNA_REQUIRE_CORPUS();
  for (const auto& path : testing::CorpusFiles()) {
    testing::TMemoryFiles files;
    testing::TFakeMessageBoxes messages;
    const std::string bytes = testing::ReadFileBytes(path);
    files.Files["/work/a.txt"] = bytes;
    TEditList list(files, messages);
    list.LoadFromFile("/work/a.txt");
    list.SaveToFile();
    EXPECT_TRUE(files.Files["/work/a.txt"] == bytes) << path;
  }
}

TEST(CorpusDocument, RowsCoverEveryLineExactly) {
  VORNA_REQUIRE_CORPUS();
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  for (const auto& path : testing::CorpusFiles()) {
    TEditList list(files, messages);
    TDocumentLayout layout;
    layout.Wrap.RubiVisible = true;
    layout.Wrap.FootNoteVisible = true;
    list.ApplyLayoutSettings(layout);
    list.SetText(testing::ReadFileBytes(path));
    list.SetWrapInputs({.CapacityCells = 40});
    list.Relayout();
    int row = 0;
    for (int line = 0; line < list.Count(); ++line) {
      ASSERT_EQ(list.FirstRowOfLine(line), row) << path;
      std::string joined;
      do {
        joined += list.RowText(row);
      } while (!list.GetRow(row++).LastRow);
      ASSERT_TRUE(joined == list.Get(line)) << path << " line " << line;
    }
    EXPECT_EQ(row, list.Rows().Count());
  }
}

}  // namespace
}  // namespace vorna
