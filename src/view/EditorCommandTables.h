// The editor view's command table: key bindings, the read-only mapping, and
// the dispatch of a command to the view's public operations.
#pragma once

#include "view/ViewInputs.h"

namespace vorna {

class TEditorView;

// The command a key with its shift state runs in the editor (0: none of the
// editor's; the base view's keys are asked first by the caller).
int EditorKeyCommand(int key, TShiftState shift);
// A read-only view has no caret to move: the caret commands become scrolling
// (with `pageRoll`, turning a screen page in the reading direction); 0 when
// the command does nothing there.
int ReadOnlyCommand(int command, bool pageRoll, bool vertical);
// Runs an editor command on `view`; false when it is none of the editor's.
bool RunEditorCommand(TEditorView& view, int command);

}  // namespace vorna
