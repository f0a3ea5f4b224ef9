// The editor view's key table and its command dispatcher: the caret, scroll
// and selection commands (Shift or Alt held extends the selection, Alt as a
// box; a read-only view scrolls instead of moving the caret) and the editing
// commands.
#include <algorithm>

#include "platform/KeyState.h"
#include "undo/EditorUndos.h"
#include "view/EditorViews.h"

namespace vorna {

int TEditorView::KeyToCommand(int key, TShiftState shift) {
  if (const int base = TBaseView::KeyToCommand(key, shift)) return base;
  FShiftState = shift & (ssShift | ssAlt | ssCtrl);
  const bool ctrl = shift & ssCtrl, sh = shift & ssShift;
  switch (key) {
    case kVkBack:
      return ctrl ? ecDeleteBackWord : sh ? ecDeleteBackRow : ecDeleteBackChar;
    case kVkDelete:
      return sh ? ecDeleteRow : ctrl ? ecDeleteWord : ecDeleteChar;
    case kVkInsert:
      return ctrl ? ecToggleMark : sh ? 0 : ecToggleOverwrite;
    case kVkPrior:
      return ecScreenBack;
    case kVkNext:
      return ecScreenForward;
    case kVkHome:
      return ctrl ? ecDocStart : ecRowStart;
    case kVkEnd:
      return ctrl ? ecDocEnd : ecRowEnd;
    case kVkLeft:
      return ctrl ? ecCtrlLeft : ecLeft;
    case kVkRight:
      return ctrl ? ecCtrlRight : ecRight;
    case kVkUp:
      return ctrl ? ecCtrlUp : ecUp;
    case kVkDown:
      return ctrl ? ecCtrlDown : ecDown;
    case kVkF3:
      return sh ? ecFindPrevious : ecFindNext;
    default:
      break;
  }
  if (!ctrl || sh) return 0;
  switch (key) {
    case 'H':
      return ecDeleteBackChar;
    case 'A':
      return ecSelectAll;
    case 'C':
      return ecCopy;
    case 'X':
      return ecCut;
    case 'V':
      return ecPaste;
    case 'Z':
      return ecUndo;
    case 'F':
      return ecFind;
    case 'R':
      return ecReflow;
    case 'U':
      return ecJoin;
    default:
      return 0;
  }
}

// A read-only view has no caret to move: the arrows scroll (with page roll
// the arrows across the rows turn a screen page in the reading direction).
int TEditorView::ReadOnlyCommand(int command) const {
  if (command < ecLeft || command > ecDown) return command;
  if (!EditorStyle()->GetPageRoll()) {
    static constexpr int kScroll[] = {vcScrollLeft, vcScrollRight, vcScrollDown, vcScrollUp};
    return kScroll[command - ecLeft];
  }
  if (Vertical()) return command == ecLeft ? ecScreenForward : command == ecRight ? ecScreenBack : 0;
  return command == ecDown ? ecScreenForward : command == ecUp ? ecScreenBack : 0;
}

bool TEditorView::ExecuteCommand(int command) {
  if (IsReadOnly()) {
    command = ReadOnlyCommand(command);
    if (command == 0) return true;
  }
  if (TBaseView::ExecuteCommand(command)) return true;
  if (!FList) return false;
  const bool wasExtending = FSel.Extending;
  if (!wasExtending && command >= 1 && command <= ecScreenForward && Services().Keys) {
    const bool shift = Services().Keys->IsKeyDown(kVkShift), alt = Services().Keys->IsKeyDown(kVkMenu);
    if (shift || alt) {
      FSel.Extending = true;
      FSel.Box = alt;
    }
  }
  const bool handled = RunCommand(command);
  if (PaintLockCount() == 0 && Host().HasWindow()) Host().Update();
  if (!wasExtending) FSel.Extending = false;
  return handled;
}

bool TEditorView::RunCommand(int command) {
  const bool vertical = Vertical();
  const int row = FSel.Caret.Row;
  switch (command) {
    case ecLeft:
      vertical ? MoveCaret(0, 1) : MoveCaret(-1, 0);
      return true;
    case ecRight:
      vertical ? MoveCaret(0, -1) : MoveCaret(1, 0);
      return true;
    case ecUp:
      vertical ? MoveCaret(-1, 0) : MoveCaret(0, -1);
      return true;
    case ecDown:
      vertical ? MoveCaret(1, 0) : MoveCaret(0, 1);
      return true;
    case ecCtrlLeft:
      vertical ? ScrollRows(-FMetrics.LinePitch) : MoveWord(false);
      return true;
    case ecCtrlRight:
      vertical ? ScrollRows(FMetrics.LinePitch) : MoveWord(true);
      return true;
    case ecCtrlUp:
      vertical ? MoveWord(false) : ScrollRows(-FMetrics.LinePitch);
      return true;
    case ecCtrlDown:
      vertical ? MoveWord(true) : ScrollRows(FMetrics.LinePitch);
      return true;
    case ecCharBack:
      MoveCaret(-1, 0);
      return true;
    case ecCharForward:
      MoveCaret(1, 0);
      return true;
    case ecRowUp:
      MoveCaret(0, -1);
      return true;
    case ecRowDown:
      MoveCaret(0, 1);
      return true;
    case ecPageUp:
      MoveCaret(0, -RowsPerPage());
      return true;
    case ecPageDown:
      MoveCaret(0, RowsPerPage());
      return true;
    case ecWordBack:
      MoveWord(false);
      return true;
    case ecWordForward:
      MoveWord(true);
      return true;
    case ecRowStart:
      SetCaretPos({1, row}, cmAbsolute);
      return true;
    case ecRowEnd:
      SetCaretPos({FList->RowCellCount(row) + 1, row}, cmAbsolute);
      return true;
    case ecDocStart:
      SetCaretPos({1, 0}, cmAbsolute, false, true);
      return true;
    case ecDocEnd: {
      const int last = std::max(FList->RowCount() - 1, 0);
      SetCaretPos({FList->RowCellCount(last) + 1, last}, cmAbsolute, false, true);
      return true;
    }
    case ecScrollPixelBack:
    case ecScrollPixelForward:
      ScrollRows(command == ecScrollPixelBack ? -1 : 1);
      return true;
    case ecScrollRowBack:
    case ecScrollRowForward:
      ScrollRows(command == ecScrollRowBack ? -FMetrics.LinePitch : FMetrics.LinePitch);
      return true;
    case ecScreenBack:
    case ecScreenForward:
      ScrollScreenPage(command == ecScreenForward);
      return true;
    case ecSelectWord:
    case ecSelectRow:
    case ecSelectLine:
    case ecSelectPage:
    case ecSelectAll:
      SelectUnit(static_cast<TTextUnit>(command - ecSelectWord + tuWord));
      return true;
    case ecUndo:
    case ecRedo:
      if (FUndo && !IsReadOnly()) command == ecUndo ? FUndo->Undo(1) : FUndo->Redo(1);
      return true;
    case ecToggleOverwrite:
      SetOverwrite(!FOverwrite);
      return true;
    default:
      return RunEditCommand(command);
  }
}

// Commands 42 .. 83: each unit range of six ids runs from character (or the
// selection or position, for cut and copy) to document.
bool TEditorView::RunEditCommand(int command) {
  if (command >= ecDeleteBackChar && command < ecDeleteChar) {
    DeleteBackward(static_cast<TTextUnit>(command - ecDeleteBackChar + tuCharacter));
    return true;
  }
  if (command >= ecDeleteChar && command < ecCut) {
    DeleteForward(static_cast<TTextUnit>(command - ecDeleteChar + tuCharacter));
    return true;
  }
  if (command >= ecCut && command < ecCopy) {
    CutUnit(static_cast<TTextUnit>(command - ecCut));
    return true;
  }
  if (command >= ecCopy && command < ecPaste) {
    CopyUnit(static_cast<TTextUnit>(command - ecCopy));
    return true;
  }
  if (command >= ecFullWidth && command <= ecUpperCase) {
    ConvertSelection(command);
    return true;
  }
  switch (command) {
    case ecPaste:
      Paste();
      return true;
    case ecReflow:
      ReflowSelection(0);
      return true;
    case ecJoin:
      JoinSelection();
      return true;
    case ecFindPrevious:
      FindPrevious();
      return true;
    case ecFindNext:
      FindNext();
      return true;
    case ecClearFind:
      ClearFind();
      return true;
    case ecToggleMark:
      ToggleMark();
      return true;
    case ecRemoveMark:
      RemoveMark();
      return true;
    case ecClearMarks:
      ClearMarks();
      return true;
    default:
      return false;
  }
}

}  // namespace vorna
