// The editor view's command table: the key bindings, the commands a
// read-only view turns into scrolling, and the dispatch of each command to
// the view's public operations (the caret, scroll and selection commands,
// and the editing commands).
#include "view/EditorCommandTables.h"

#include <algorithm>

#include "platform/KeyState.h"
#include "undo/EditorUndos.h"
#include "view/EditorViews.h"

namespace vorna {
namespace {

// Commands 42 .. 83: each unit range of six ids runs from character (or the
// selection or position, for cut and copy) to document.
bool RunEditCommand(TEditorView& view, int command) {
  if (command >= ecDeleteBackChar && command < ecDeleteChar) {
    view.DeleteBackward(static_cast<TTextUnit>(command - ecDeleteBackChar + tuCharacter));
    return true;
  }
  if (command >= ecDeleteChar && command < ecCut) {
    view.DeleteForward(static_cast<TTextUnit>(command - ecDeleteChar + tuCharacter));
    return true;
  }
  if (command >= ecCut && command < ecCopy) {
    view.CutUnit(static_cast<TTextUnit>(command - ecCut));
    return true;
  }
  if (command >= ecCopy && command < ecPaste) {
    view.CopyUnit(static_cast<TTextUnit>(command - ecCopy));
    return true;
  }
  if (command >= ecFullWidth && command <= ecUpperCase) {
    view.ConvertSelection(command);
    return true;
  }
  switch (command) {
    case ecPaste:
      view.Paste();
      return true;
    case ecReflow:
      view.ReflowSelection(0);
      return true;
    case ecJoin:
      view.JoinSelection();
      return true;
    case ecFindPrevious:
      view.FindPrevious();
      return true;
    case ecFindNext:
      view.FindNext();
      return true;
    case ecClearFind:
      view.ClearFind();
      return true;
    case ecToggleMark:
      view.ToggleMark();
      return true;
    case ecRemoveMark:
      view.RemoveMark();
      return true;
    case ecClearMarks:
      view.ClearMarks();
      return true;
    default:
      return false;
  }
}

}  // namespace

int EditorKeyCommand(int key, TShiftState shift) {
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
int ReadOnlyCommand(int command, bool pageRoll, bool vertical) {
  if (command < ecLeft || command > ecDown) return command;
  if (!pageRoll) {
    static constexpr int kScroll[] = {vcScrollLeft, vcScrollRight, vcScrollDown, vcScrollUp};
    return kScroll[command - ecLeft];
  }
  if (vertical) return command == ecLeft ? ecScreenForward : command == ecRight ? ecScreenBack : 0;
  return command == ecDown ? ecScreenForward : command == ecUp ? ecScreenBack : 0;
}

bool RunEditorCommand(TEditorView& view, int command) {
  const bool vertical = view.Vertical();
  const int row = view.CaretPos().Row;
  const int linePitch = view.LinePitch();
  TEditList& list = view.List();
  switch (command) {
    case ecLeft:
      vertical ? view.MoveCaret(0, 1) : view.MoveCaret(-1, 0);
      return true;
    case ecRight:
      vertical ? view.MoveCaret(0, -1) : view.MoveCaret(1, 0);
      return true;
    case ecUp:
      vertical ? view.MoveCaret(-1, 0) : view.MoveCaret(0, -1);
      return true;
    case ecDown:
      vertical ? view.MoveCaret(1, 0) : view.MoveCaret(0, 1);
      return true;
    case ecCtrlLeft:
      vertical ? view.ScrollRows(-linePitch) : view.MoveWord(false);
      return true;
    case ecCtrlRight:
      vertical ? view.ScrollRows(linePitch) : view.MoveWord(true);
      return true;
    case ecCtrlUp:
      vertical ? view.MoveWord(false) : view.ScrollRows(-linePitch);
      return true;
    case ecCtrlDown:
      vertical ? view.MoveWord(true) : view.ScrollRows(linePitch);
      return true;
    case ecCharBack:
      view.MoveCaret(-1, 0);
      return true;
    case ecCharForward:
      view.MoveCaret(1, 0);
      return true;
    case ecRowUp:
      view.MoveCaret(0, -1);
      return true;
    case ecRowDown:
      view.MoveCaret(0, 1);
      return true;
    case ecPageUp:
      view.MoveCaret(0, -view.RowsPerPage());
      return true;
    case ecPageDown:
      view.MoveCaret(0, view.RowsPerPage());
      return true;
    case ecWordBack:
      view.MoveWord(false);
      return true;
    case ecWordForward:
      view.MoveWord(true);
      return true;
    case ecRowStart:
      view.SetCaretPos({1, row}, cmAbsolute);
      return true;
    case ecRowEnd:
      view.SetCaretPos({list.RowCellCount(row) + 1, row}, cmAbsolute);
      return true;
    case ecDocStart:
      view.SetCaretPos({1, 0}, cmAbsolute, false, true);
      return true;
    case ecDocEnd: {
      const int last = std::max(list.RowCount() - 1, 0);
      view.SetCaretPos({list.RowCellCount(last) + 1, last}, cmAbsolute, false, true);
      return true;
    }
    case ecScrollPixelBack:
    case ecScrollPixelForward:
      view.ScrollRows(command == ecScrollPixelBack ? -1 : 1);
      return true;
    case ecScrollRowBack:
    case ecScrollRowForward:
      view.ScrollRows(command == ecScrollRowBack ? -linePitch : linePitch);
      return true;
    case ecScreenBack:
    case ecScreenForward:
      view.ScrollScreenPage(command == ecScreenForward);
      return true;
    case ecSelectWord:
    case ecSelectRow:
    case ecSelectLine:
    case ecSelectPage:
    case ecSelectAll:
      view.SelectUnit(static_cast<TTextUnit>(command - ecSelectWord + tuWord));
      return true;
    case ecUndo:
    case ecRedo:
      if (!view.IsReadOnly()) command == ecUndo ? view.Undo().Undo(1) : view.Undo().Redo(1);
      return true;
    case ecToggleOverwrite:
      view.SetOverwrite(!view.Overwrite());
      return true;
    default:
      return RunEditCommand(view, command);
  }
}

}  // namespace vorna
