// The document slots: each slot pairs one document with its undo history and
// the view state saved with it; the slot list hands every document it creates
// the settings and event handlers all documents share, and keeps which slot
// is current.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/EditLists.h"
#include "settings/DataLists.h"
#include "undo/EditorUndos.h"

namespace vorna {

class TEditListInfoList;
class TTextMeasurer;

// One document slot. Made only by a slot list (its document takes the list's
// services); a slot made without one holds no document and no history.
// The slot empties its history whenever its document's text is replaced, and
// whenever a full layout moves any row or changes the wrapping settings the
// rows were built with: the history holds positions of the old rows.
// The document's modified mark follows the history's save point: an undo or
// redo that reaches the saved text clears it, one that leaves it sets it; the
// document turning unmodified any other way (saved, loaded, new) puts the
// save point at the history's current position.
class TEditListInfo : public TDataItem {
 public:
  TEditList* GetList() const { return FList.get(); }
  TEditorUndo* GetUndo() const { return FUndo.get(); }

  // The view state saved with the document (written by the view when it
  // leaves the slot, read back when it returns).
  TPoint GetOffset() const { return FOffset; }  // device pixels
  void SetOffset(TPoint offsetPx) { FOffset = offsetPx; }
  TDisplayPos GetCaretPos() const { return FCaretPos; }
  void SetCaretPos(TDisplayPos pos) { FCaretPos = pos; }
  // Marked document positions, sorted by line, then offset.
  const std::vector<TTextPos>& GetMarks() const { return FMarks; }
  void SetMarks(const std::vector<TTextPos>& marks) { FMarks = marks; }
  TDisplayPos GetSelStart() const { return FSelStart; }  // the anchor
  void SetSelStart(TDisplayPos pos) { FSelStart = pos; }
  TDisplayPos GetSelEnd() const { return FSelEnd; }
  void SetSelEnd(TDisplayPos pos) { FSelEnd = pos; }

  // True when the document's file name equals `name` byte for byte.
  bool Match(std::string_view name) const override;
  // The storage form is the document's file name.
  std::string GetDataText() const override;

 protected:
  void Initialize() override;  // creates the document and its history
  // A new untitled document; offset (0, 0), caret and selection at (1, 0), no marks.
  void SetDefaults() override;
  void Loaded() override;  // the history acts on the list's view
  void Finalize() override;
  void ParseDataText(std::string_view text) override;
  void Create(TDataList* owner) override;

 private:
  friend class TEditListInfoList;
  // Takes the list's five document handlers; text resets, modified changes
  // and layout progress pass through the slot first.
  void TakeDocumentEvents(const TEditListInfoList& list);
  void LayoutProgress(TEditList* sender, int stage, int index, bool& cancel);
  void ModifiedChanged(TEditList* sender);
  void ClearHistory();

  std::unique_ptr<TEditList> FList;
  std::unique_ptr<TEditorUndo> FUndo;
  TPoint FOffset;
  TDisplayPos FCaretPos{1, 0};
  std::vector<TTextPos> FMarks;
  TDisplayPos FSelStart{1, 0};
  TDisplayPos FSelEnd{1, 0};

  TEditListInfoList* FCreator = nullptr;  // the list that is making the slot
  TEditList::TNotifyEvent FOnTextReset;
  TEditList::TWorkingInfoEvent FOnRelayoutProgress;
  TEditList::TNotifyEvent FOnModified;
  bool FStepping = false;       // the history itself sets the modified mark
  uint64_t FRowPrint = 0;       // fingerprint of the rows when the running full layout began
  TDocumentLayout FRowsLayout;  // the settings the rows were last fully laid out with
};

// The slot list. Slot 0 is current from the start; adding a slot makes it
// current. Handlers, canvas, style and backup settings are given to each
// document when its slot is added: set them first.
class TEditListInfoList : public TDataList {
 public:
  // The services are not owned and must outlive the list.
  TEditListInfoList(TFileService& files, TMessageBoxes& messages);

  // Null outside 0 .. count-1.
  TEditListInfo* GetItem(int index) const;
  TEditListInfo* CurrentItem() const { return GetItem(FItemIndex); }
  int GetItemIndex() const { return FItemIndex; }
  // Nothing for the present index or one outside the list. Otherwise:
  // OnItemIndexChanging, the index changes, OnItemIndexChange, then the
  // document handlers OnTextReset and OnFileNameChange with a null sender
  // (the list, not a document, changed: the view lays out but keeps the
  // history and the caret).
  void SetItemIndex(int index);
  // A new slot under `name` (may be empty: an untitled document), made current.
  TEditListInfo* AddDocument(std::string_view name);

  // Every slot's history acts on `view` (not owned; may be null).
  void SetView(TUndoOwner* view);
  TUndoOwner* GetView() const { return FView; }
  // Given to each new document for measuring (not owned).
  void SetCanvas(TTextMeasurer* canvas) { FCanvas = canvas; }
  TTextMeasurer* GetCanvas() const { return FCanvas; }
  // Applied to each new document (not owned; null applies nothing).
  void SetStyle(TEditorStyle* style) { FStyle = style; }
  TEditorStyle* GetStyle() const { return FStyle; }
  // Stores `style` for new documents and applies it to every document now.
  void ApplyStyle(TEditorStyle* style);
  void SetBackupMode(TBackupMode mode) { FBackupMode = mode; }
  TBackupMode GetBackupMode() const { return FBackupMode; }
  void SetBackupFolder(const std::string& folder) { FBackupFolder = folder; }
  const std::string& GetBackupFolder() const { return FBackupFolder; }

  // Inherited insertion; then the slot's document gets canvas, style, backup
  // settings and handlers, and the slot becomes current.
  void InsertItem(TDataItem* item) override;

  // The five document events, handed to every document the list creates.
  TEditList::TNotifyEvent OnTextReset;
  TEditList::TNotifyEvent OnModified;
  TEditList::TWorkingInfoEvent OnRelayoutProgress;
  TEditList::TNotifyEvent OnFileNameChange;
  TEditList::TNotifyEvent OnHeadingChange;
  TNotifyEvent OnItemIndexChange;    // after the current slot changed
  TNotifyEvent OnItemIndexChanging;  // before it changes

 private:
  friend class TEditListInfo;
  int FItemIndex = 0;
  TTextMeasurer* FCanvas = nullptr;
  TEditorStyle* FStyle = nullptr;
  TBackupMode FBackupMode = bmNone;
  std::string FBackupFolder;
  TUndoOwner* FView = nullptr;
  TFileService& FFiles;  // handed to every document
  TMessageBoxes& FMessages;
};

}  // namespace vorna
