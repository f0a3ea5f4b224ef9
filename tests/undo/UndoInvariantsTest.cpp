// Random editing sessions over our own texts and the corpus under many
// layouts: every undo and redo gives the exact bytes of its history state and
// a row table equal to a fresh layout; undoing everything restores the first
// text and caret, redoing everything the last text.
#include <random>

#include "UndoFixtures.h"
#include "UndoSessions.h"

namespace vorna {
namespace {

using testing::Sj;

struct TRandomPick {
  std::mt19937 rng;
  int operator()(int n) { return n > 0 ? static_cast<int>(rng() % static_cast<unsigned>(n)) : 0; }
};

struct UndoInvariantsTest : testing::UndoFixture {
  TRandomPick pick{std::mt19937(1414)};

  // Layout variant `v`: indents, tabs, pairs of spaces, kept indents, list
  // numbers and row capacities (0 = no wrapping) in every combination that
  // leaves positions exact (no hidden notation).
  int Setup(int v) {
    TDocumentLayout layout;
    layout.Wrap.ViewIndent = v % 3;
    layout.Wrap.TabVisible = v & 1;
    layout.UseZenkaku = v & 2;
    layout.Wrap.ItemizedStatement = v & 4;
    layout.Wrap.TailHang = !(v & 8);
    list.ApplyLayoutSettings(layout);
    list.FEditSettings.EditIndent = v & 16;
    const int capacities[] = {0, 8, 11, 20, 40};
    return capacities[v % 5];
  }
  void Run(std::string_view text, int capacity, int steps) {
    Load(text, capacity);
    StartAt({1, 0});
    const bool boxDeletes = capacity == 0 && list.Layout().Wrap.ViewIndent == 0;
    testing::TUndoSession<TRandomPick> session(editor, pick, boxDeletes);
    for (int i = 0; i < steps; ++i) ASSERT_TRUE(session.Step()) << session.Fault();
    ASSERT_TRUE(session.Finish()) << session.Fault();
  }
};

TEST_F(UndoInvariantsTest, OwnTextsUnderEveryLayout) {
  const std::string texts[] = {
      "",
      "abc def\r\n\r\n" + Sj("「あいう」と言った。") + "\r\n\tend",
      Sj("・項目の一つ目はとても長い行で折り返される。") + "\r\n  2. " + Sj("二つ目") + "\r\n" +
          std::string(30, 'x'),
      Sj("○見出し") + "\r\n" + Sj("「台詞」") + "\r\n" + Sj("　ト書き。、。") + "\r\n",
  };
  for (int v = 0; v < 32; ++v) {
    const int capacity = Setup(v);
    for (const std::string& text : texts) {
      SCOPED_TRACE("variant " + std::to_string(v));
      Run(text, capacity, 150);
      if (HasFatalFailure()) return;
    }
  }
}

TEST_F(UndoInvariantsTest, CorpusTexts) {
  VORNA_REQUIRE_CORPUS();
  const std::vector<std::filesystem::path> files = testing::CorpusFiles();
  for (size_t f = 0; f < files.size(); ++f) {
    const std::string whole = testing::ReadFileBytes(files[f]);
    // A window of whole lines from the middle keeps each session short.
    size_t from = whole.find("\r\n", whole.size() / 2);
    from = from == std::string::npos ? 0 : from + 2;
    size_t to = whole.find("\r\n", std::min(from + 1500, whole.size()));
    const std::string text = whole.substr(from, to == std::string::npos ? std::string::npos : to - from);
    for (int v = 0; v < 4; ++v) {
      SCOPED_TRACE(files[f].filename().string() + " variant " + std::to_string(v));
      Run(text, Setup(v * 7 + static_cast<int>(f)), 200);
      if (HasFatalFailure()) return;
    }
  }
}

}  // namespace
}  // namespace vorna
