// TTextEditing: the editing commands of the editor view — typing in insert
// and overwrite mode, deleting by text unit, the clipboard with its box
// copies, re-flowing, joining and converting the selection. Each change is
// one ReplaceText or FormatText of the undo owner, so every command is one
// undo step; nothing changes while the host is read-only.
#pragma once

#include <string>
#include <string_view>

#include "platform/PlatformServices.h"
#include "undo/UndoOwners.h"
#include "view/CaretSelections.h"

namespace vorna {

// What the editing reads from the view besides the edit primitive.
class TEditingHost {
 public:
  virtual ~TEditingHost() = default;
  // The document being edited; null without one.
  virtual TEditList* EditedDocument() const = 0;
  virtual const TCaretSelection& Selection() const = 0;
  virtual TCaretClampRules ClampRules() const = 0;
  virtual bool IsReadOnly() const = 0;
  // A caret move by cells along the row or by rows, as the user moves it.
  virtual void MoveCaret(int dColumns, int dRows) = 0;
};

class TTextEditing {
 public:
  // `host`, `owner` and the services outlive this; the services must hold
  // message boxes (the clipboard's failures are shown).
  TTextEditing(TEditingHost& host, TUndoOwner& owner, const TPlatformServices& services);

  // Types `text` at the caret (replacing the selection): undo kind 3 when
  // `typed`, else 0; in overwrite mode over as many cells as it has bytes.
  bool TypeText(std::string_view text, bool typed, bool box = false);
  // Delete and Backspace by unit; with a selection the unit is the selection.
  bool DeleteForward(TTextUnit unit);
  bool DeleteBackward(TTextUnit unit);
  // One edit that removes start .. end.
  void RemoveRange(TDisplayPos start, TDisplayPos end, TEditKind kind, bool box);
  // The clipboard: unit 0 is the selection (nothing without one). A failure
  // shows the clipboard message and changes nothing.
  bool CopyUnit(TTextUnit unit);
  bool CutUnit(TTextUnit unit);
  // Types the clipboard's text, as a box when it is the text last copied
  // from a box; with `prefix` every line is trimmed and the prefix put in
  // front; `before` and `after` go around the whole.
  bool Paste(const std::string& prefix = {}, const std::string& before = {}, const std::string& after = {});
  // The selection re-flowed to `widthCells` (more than 3) or joined.
  bool ReflowSelection(int widthCells);
  bool JoinSelection();
  // Commands 69 .. 74 on the selection.
  bool ConvertSelection(int command);
  // The selection's text cut to `bufferBytes` - 1 bytes, never half a character.
  std::string TextMessage(int bufferBytes) const;

  bool Overwrite() const { return FOverwrite; }
  void SetOverwrite(bool value) { FOverwrite = value; }
  // The text last copied from a box selection (empty after a stream copy).
  const std::string& BoxClipText() const { return FBoxClipText; }

 private:
  TDisplayPos OverwriteEnd(TDisplayPos from, int cells) const;
  bool UnitRangeForClipboard(TTextUnit unit, TDisplayPos& start, TDisplayPos& end, bool& box) const;
  bool Editable() const { return !FHost.IsReadOnly() && FHost.EditedDocument(); }
  const TCaretSelection& Sel() const { return FHost.Selection(); }
  // Only where Editable() or a document was checked.
  TEditList& List() const { return *FHost.EditedDocument(); }

  TEditingHost& FHost;
  TUndoOwner& FOwner;
  const TPlatformServices& FServices;
  bool FOverwrite = false;
  std::string FBoxClipText;
};

}  // namespace vorna
