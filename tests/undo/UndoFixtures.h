// The document, history and editor stand-in the undo tests work on.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "EditorDoubles.h"
#include "PlatformDoubles.h"
#include "TestSupport.h"
#include "undo/EditorUndos.h"

namespace vorna::testing {

struct UndoFixture : ::testing::Test {
  TMemoryFiles files;
  TFakeMessageBoxes messages;
  TEditList list{files, messages};
  TEditorUndo undo;
  TEditorDouble editor{list, undo};

  // The tests start from the plain layout defaults, whatever style the document gets.
  UndoFixture() { list.ApplyLayoutSettings(TDocumentLayout{}); }
  void Load(std::string_view text, int capacity = 40) {
    list.SetText(text);
    LayOutAt(list, capacity);
    undo.Clear();
  }
  // Puts the caret at `pos` with an empty history.
  void StartAt(TDisplayPos pos) {
    editor.MoveCaret(pos);
    undo.Clear();
  }
  std::string Text() const { return list.GetText(); }
  TTaskEdit* LastEdit() const { return dynamic_cast<TTaskEdit*>(undo.LastTask()); }
  void TypeEach(std::string_view chars) {
    for (size_t i = 0; i < chars.size(); ++i) editor.Type(chars.substr(i, 1));
  }
  bool RowsFresh() const { return SameRowsAsFreshLayout(list); }
};

}  // namespace vorna::testing
