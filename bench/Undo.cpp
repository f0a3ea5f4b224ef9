// Undo and redo in the middle of a novel-length document against a 100 KB
// one (a typed word and a 1 KB multi-line paste, undone and redone
// alternately), and the heap a history of a million typed characters holds.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <string>

#include "BenchDocuments.h"
#include "EditorDoubles.h"
#include "text/ShiftJis.h"

namespace {

using namespace vorna;
using vorna::bench::LaidOut;
using vorna::bench::Text;

// The middle of a paragraph at least 100 bytes long, half way down.
TDisplayPos Middle(const TEditList& list) {
  int line = list.Count() / 2;
  while (line + 1 < list.Count() && list.Get(line).size() < 100) ++line;
  return list.DocToDisplay({51, line});
}

struct TSession {
  std::unique_ptr<TEditList> List;
  TEditorUndo Undo;
  std::unique_ptr<testing::TEditorDouble> Editor;
  explicit TSession(const std::string& text) : List(LaidOut(text)) {
    Editor = std::make_unique<testing::TEditorDouble>(*List, Undo);
    Editor->MoveCaret(Middle(*List));
  }
};

// Undoes and redoes the history's newest step alternately; time per step.
void RunSteps(benchmark::State& state, TSession& session) {
  bool undone = false;
  for (auto _ : state) {
    if (undone)
      session.Undo.Redo();
    else
      session.Undo.Undo();
    undone = !undone;
  }
  state.counters["rows"] = session.List->RowCount();
}

// Arg: megabytes (0 = 100 KB). A word typed as five keystrokes (one task).
void BM_UndoRedoTypedWord(benchmark::State& state) {
  const std::string& text = Text(static_cast<size_t>(state.range(0)));
  if (text.empty()) return state.SkipWithError("corpus folder not found (set VORNA_CORPUS)");
  TSession session(text);
  for (const char* key : {"w", "o", "r", "d", "s"}) session.Editor->Type(key);
  if (session.Undo.Count() != 2) return state.SkipWithError("the word did not merge into one task");
  RunSteps(state, session);
}
BENCHMARK(BM_UndoRedoTypedWord)->Arg(0)->Arg(10)->Unit(benchmark::kMicrosecond);

// Arg: megabytes (0 = 100 KB). One typed character, a task held packed: each
// step unpacks it and packs it again (compare with the typed word above).
void BM_UndoRedoKeystroke(benchmark::State& state) {
  const std::string& text = Text(static_cast<size_t>(state.range(0)));
  if (text.empty()) return state.SkipWithError("corpus folder not found (set VORNA_CORPUS)");
  TSession session(text);
  session.Editor->Type("w");
  if (session.Undo.Count() != 2) return state.SkipWithError("the keystroke was not recorded as one task");
  RunSteps(state, session);
}
BENCHMARK(BM_UndoRedoKeystroke)->Arg(0)->Arg(10)->Unit(benchmark::kMicrosecond);

// Arg: megabytes (0 = 100 KB). A 1 KB paste of several lines.
void BM_UndoRedoPaste(benchmark::State& state) {
  const std::string& text = Text(static_cast<size_t>(state.range(0)));
  if (text.empty()) return state.SkipWithError("corpus folder not found (set VORNA_CORPUS)");
  TSession session(text);
  const std::string paste = bench::KilobyteOf(text);
  session.Editor->Paste(paste);
  RunSteps(state, session);
  state.counters["paste_bytes"] = static_cast<double>(paste.size());
}
BENCHMARK(BM_UndoRedoPaste)->Arg(0)->Arg(10)->Unit(benchmark::kMicrosecond);

// Heap bytes the history frees when it is cleared, per typed character.
// Arg 1: keystrokes typed one after another (runs of 100 characters, then a
// line split, merge into two tasks per line). Arg 0: every keystroke is a
// task of its own (as when a caret click separates them).
void BM_TypedHistoryBytes(benchmark::State& state) {
  const bool merged = state.range(0) != 0;
  constexpr int kChars = 1000000;
  double perChar = 0;
  for (auto _ : state) {
    TSession session("");
    TEditorUndo& undo = session.Undo;
    for (int i = 0; i < kChars; ++i) {
      if (merged) {
        session.Editor->Type(std::string(1, static_cast<char>('a' + i % 26)));
        if (i % 100 == 99) session.Editor->Enter();
      } else {
        session.Editor->Paste(std::string(1, static_cast<char>('a' + i % 26)));
        if (i % 100 == 99) session.Editor->Enter();
      }
    }
    const size_t held = mallinfo2().uordblks;
    const int tasks = undo.Count();
    undo.Clear();
    perChar = static_cast<double>(held - mallinfo2().uordblks) / kChars;
    state.counters["tasks"] = tasks;
  }
  state.counters["bytes_per_char"] = perChar;
}
BENCHMARK(BM_TypedHistoryBytes)->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
