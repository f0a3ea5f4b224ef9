// Typing through the editor control into a vertical page (preset 5) of the
// 100 KB corpus document with the caret blinking: a key press with its text,
// then the paint it asks for, against the paint of the whole window measured
// in the same run. Each iteration types a character and takes it back with
// Backspace, so the line stays as it was; "rects" counts the rectangles the
// two keystrokes painted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <memory>

#include "BenchCorpus.h"
#include "QtBenchApps.h"
#include "control/ControlServices.h"
#include "control/EditorControls.h"
#include "control/ViewWidgets.h"

namespace {

using namespace vorna;

struct TShownEditor {
  control::TQtServiceSet Services;
  control::TEditor Editor{nullptr, Services.Services()};
};

// Arg 0: the caret at the end of a paragraph; 1: inside one, where every
// later row of the paragraph changes with a keystroke.
std::unique_ptr<TShownEditor> PageOfText(benchmark::State& state) {
  if (!bench::NeedCorpus(state, 0)) return nullptr;
  bench::EnsureApplication();
  auto shown = std::make_unique<TShownEditor>();
  control::TEditor& editor = shown->Editor;
  editor.SetStyleIndex(5);
  editor.resize(900, 1300);
  editor.show();
  editor.setFocus();
  editor.EditorView().List().SetText(bench::Text(0));
  TEditorView& view = editor.EditorView();
  TEditList& list = view.List();
  int row = list.RowCount() / 2;
  while (row + 1 < list.RowCount() && list.RowCellCount(row) < 30) ++row;
  if (state.range(0) == 0) {
    const int line = view.DocPosOf({1, row}).Y;
    row = (line + 1 < list.Count() ? list.FirstRowOfLine(line + 1) : list.RowCount()) - 1;
    view.SetCaretPos({list.RowCellCount(row) + 1, row}, cmAbsolute);
  } else {
    view.SetCaretPos({5, row}, cmAbsolute);
  }
  QApplication::processEvents();
  return shown;
}

void Press(QWidget& target, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(&target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(&target, &release);
  QApplication::processEvents();
}

void BM_PaintPage(benchmark::State& state) {
  auto shown = PageOfText(state);
  if (!shown) return;
  for (auto _ : state) shown->Editor.ViewWidget().repaint();
}
BENCHMARK(BM_PaintPage)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeAndBackspace(benchmark::State& state) {
  auto shown = PageOfText(state);
  if (!shown) return;
  control::TViewWidget& widget = shown->Editor.ViewWidget();
  size_t painted = 0;
  for (auto _ : state) {
    widget.ClearPaintLog();
    Press(shown->Editor, 0, QString::fromUtf8("あ"));
    Press(shown->Editor, Qt::Key_Backspace, {});
    painted += widget.PaintLog().size();
  }
  state.counters["rects"] =
      benchmark::Counter(static_cast<double>(painted), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_KeystrokeAndBackspace)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
