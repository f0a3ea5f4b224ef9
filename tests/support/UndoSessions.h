// Random editing sessions with undo and redo over the editor stand-in, judged
// against the text every history state must have: after each undo and redo
// the exact bytes of that state and a row table equal to a fresh layout;
// undoing everything gives the first text and caret back, redoing everything
// the last text (header only; no test framework needed).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "EditorDoubles.h"
#include "text/TextUtils.h"

namespace vorna::testing {

// `TPick` gives numbers: int operator()(int n) returns 0 .. n-1.
template <class TPick>
class TUndoSession {
 public:
  // The document must be laid out, the history empty and nothing selected.
  // Box deletions are exact only where no row is wrapped or indented: pass
  // boxDeletes only for such a layout.
  TUndoSession(TEditorDouble& editor, TPick& pick, bool boxDeletes)
      : FEditor(editor), FPick(pick), FBoxDeletes(boxDeletes), FStartCaret(editor.Caret()) {
    FStates.push_back(editor.List().GetText());
  }

  // One random step. False when an invariant broke (Fault says which).
  bool Step() {
    TEditList& list = FEditor.List();
    const int op = FPick(14);
    FOps += std::to_string(op) + " ";
    // Each call below records at most one task, so every state is seen.
    switch (op) {
      case 0:
      case 1:
        Call([&] { FEditor.DeleteSelection(); });
        for (int n = 1 + FPick(6); n > 0; --n) Call([&] { FEditor.Type(Piece()); });
        break;
      case 2:
        for (int n = 1 + FPick(4); n > 0; --n) Call([&] { FEditor.Backspace(); });
        break;
      case 3:
        for (int n = 1 + FPick(4); n > 0; --n) Call([&] { FEditor.DeleteForward(); });
        break;
      case 4:
        Call([&] { FEditor.DeleteSelection(); });
        Call([&] { FEditor.Enter(); });
        break;
      case 5:
        Call([&] { FEditor.DeleteSelection(); });
        Call([&] { FEditor.Paste(Text(6, true), FPick(3) == 0); });
        break;
      case 6:
        Call([&] { FEditor.ExtendTo(RandomPos()); });
        if (FPick(2)) {
          Call([&] { FEditor.DeleteSelection(); });
          Call([&] { FEditor.Type(Piece()); });
        }
        break;
      case 7:
        if (FBoxDeletes && list.GetText().find('\t') == std::string::npos) {
          Call([&] { FEditor.ExtendTo(RandomPos(), true); });
          Call([&] { FEditor.DeleteSelection(); });
        }
        break;
      case 8:
        for (int n = 1 + FPick(3); n > 0; --n) Call([&] { FEditor.MoveCaret(RandomPos()); });
        break;
      case 9:
        Call([&] { FEditor.DeleteSelection(); });
        FEditor.SetOverwrite(true);
        for (int n = 1 + FPick(4); n > 0; --n) Call([&] { FEditor.Type(Piece()); });
        FEditor.SetOverwrite(false);
        break;
      case 10:
        Call([&] { FEditor.ExtendTo(RandomPos()); });
        if (FPick(2))
          Call([&] { FEditor.Reflow(3 + FPick(20)); });
        else
          Call([&] { FEditor.Join(); });
        break;
      case 11:
      case 12:
        for (int n = 1 + FPick(3); n > 0; --n) Back();
        break;
      default:
        for (int n = 1 + FPick(3); n > 0; --n) Forward();
        break;
    }
    return FFault.empty();
  }

  // Undoes and redoes everything.
  bool Finish() {
    while (FFault.empty() && FEditor.Undo().CanUndo()) Back();
    if (FFault.empty() && !(FEditor.Caret() == FStartCaret)) Broke("caret after undoing everything");
    while (FFault.empty() && FEditor.Undo().CanRedo()) Forward();
    if (FFault.empty() && FEditor.List().GetText() != FStates.back()) Broke("text after redoing everything");
    return FFault.empty();
  }

  const std::string& Fault() const { return FFault; }
  int Steps() const { return FSteps; }

 private:
  std::string Piece() {
    static const char* const kPieces[] = {"a",        "b",        " ",        "\t",
                                          "\x82\xa0", "\x8a\xbf", "\x81\x42", "\x81\x75",
                                          "\x81\x76", "\x81\x40", "3. ",      "\x81\x45"};
    return kPieces[FPick(static_cast<int>(std::size(kPieces)))];
  }
  std::string Text(int maxPieces, bool breaks) {
    std::string s;
    for (int n = FPick(maxPieces + 1); n > 0; --n) s += breaks && FPick(4) == 0 ? "\r\n" : Piece();
    return s;
  }
  TDisplayPos RandomPos() {
    const TEditList& list = FEditor.List();
    const int row = FPick(list.RowCount());
    return {1 + FPick(list.RowCellCount(row) + 1), row};
  }
  // Runs one editor call and notes the text of the state it leads to.
  template <class TCall>
  void Call(TCall call) {
    if (!FFault.empty()) return;
    const int before = FEditor.Undo().AppliedCount();
    call();
    const TEditorUndo& undo = FEditor.Undo();
    const int applied = undo.AppliedCount();
    if (applied > before + 1)
      return Broke("two tasks recorded by one call " + std::to_string(before) + " " +
                   std::to_string(applied) + " " + std::to_string(undo.Count()));
    FStates.resize(static_cast<size_t>(undo.Count()) + 1);
    FStates[static_cast<size_t>(applied)] = FEditor.List().GetText();
    ++FSteps;
  }
  void Back() {
    if (!FFault.empty() || !FEditor.Undo().CanUndo()) return;
    FEditor.Undo().Undo();
    Judge("undo");
  }
  void Forward() {
    if (!FFault.empty() || !FEditor.Undo().CanRedo()) return;
    FEditor.Undo().Redo();
    Judge("redo");
  }
  void Judge(const char* what) {
    const int applied = FEditor.Undo().AppliedCount();
    const std::string& expected = FStates[static_cast<size_t>(applied)];
    if (FEditor.List().GetText() != expected)
      return Broke(std::string("text after ") + what + ": \"" + EscapeLineBreaks(FEditor.List().GetText()) +
                   "\" instead of \"" + EscapeLineBreaks(expected) + "\"");
    Sane(what);
  }
  // The edits' own row updates are the document's to test; here the rows
  // after undo and redo are judged.
  void Sane(const char* what) {
    ++FSteps;
    const TEditList& list = FEditor.List();
    if (FEditor.PaintLocks() != 0) return Broke(std::string("paint lock after ") + what);
    if (!SameRowsAsFreshLayout(list)) Broke(std::string("rows after ") + what);
  }
  void Broke(std::string what) {
    if (FFault.empty()) FFault = what + " (step " + std::to_string(FSteps) + ", operations " + FOps + ")";
  }

  TEditorDouble& FEditor;
  TPick& FPick;
  bool FBoxDeletes;
  TDisplayPos FStartCaret;
  std::vector<std::string> FStates;  // [k]: the text with k tasks applied
  std::string FFault;
  std::string FOps;  // the operations chosen so far, for the fault message
  int FSteps = 0;
};

}  // namespace vorna::testing
