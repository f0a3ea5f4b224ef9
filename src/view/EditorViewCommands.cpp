// The editor view's keys and commands: the key table's command, and the
// dispatch with Shift or Alt held extending the selection (Alt as a box).
#include "platform/KeyState.h"
#include "view/EditorCommandTables.h"
#include "view/EditorViews.h"

namespace vorna {

int TEditorView::KeyToCommand(int key, TShiftState shift) {
  if (const int base = TBaseView::KeyToCommand(key, shift)) return base;
  FShiftState = shift & (ssShift | ssAlt | ssCtrl);
  return EditorKeyCommand(key, shift);
}

bool TEditorView::ExecuteCommand(int command) {
  if (IsReadOnly()) {
    command = ReadOnlyCommand(command, EditorStyle()->GetPageRoll(), Vertical());
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
  const bool handled = RunEditorCommand(*this, command);
  if (PaintLockCount() == 0 && Host().HasWindow()) Host().Update();
  if (!wasExtending) FSel.Extending = false;
  return handled;
}

}  // namespace vorna
