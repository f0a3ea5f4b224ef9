// The undo tasks: a caret jump, a text edit and a reformatting of lines,
// each undone and redone through its history's owner.
#pragma once

#include <string>
#include <vector>

#include "undo/UndoOwners.h"

namespace vorna {

class TUndo;

// Base of every task. A task reaches the editor through its history's owner;
// without one its Undo and Redo do nothing.
class TTask {
 public:
  TTask() = default;
  TTask(const TTask&) = delete;
  TTask& operator=(const TTask&) = delete;
  virtual ~TTask() = default;

  // Virtual operations, in slot order.
  // 0: one line saying what undoing the task does (CP932). Base: empty.
  virtual std::string GetUndoText() const;
  // 1: the same for redoing. Base: GetUndoText.
  virtual std::string GetRedoText() const;
  virtual void Undo();  // 2: base does nothing
  virtual void Redo();  // 3: base does nothing
  // 4: whether undoing or redoing it changes the text. Base: true.
  virtual bool ChangesText() const;

  // The history that holds the task; null until it is added.
  TUndo* GetUndo() const { return FUndo; }

 protected:
  TUndoOwner* Owner() const;

 private:
  friend class TUndo;
  friend class TTaskSlots;
  TUndo* FUndo = nullptr;
};

// One caret movement, possibly merged from many. Positions are display
// positions, scroll offsets device pixels.
class TTaskJump : public TTask {
 public:
  TPoint FOldScroll, FNewScroll;
  TDisplayPos FOldCaret, FNewCaret;
  bool FOldSelecting = false, FOldBoxSelect = false;
  TDisplayPos FOldSelStart, FOldSelEnd;  // anchor and moving end
  bool FNewSelecting = false, FNewBoxSelect = false;
  TDisplayPos FNewSelStart, FNewSelEnd;

  // "カーソル移動 [row:column] ← [row:column]", rows counted from 1.
  std::string GetUndoText() const override;
  std::string GetRedoText() const override;
  void Undo() override;
  void Redo() override;
  bool ChangesText() const override { return false; }

 private:
  std::string Text(bool redo) const;
};

// One replacement of a range by a text. The range and the caret before are
// positions before the edit, the insert ends and the caret after are
// positions after it.
class TTaskEdit : public TTask {
 public:
  TDisplayPos FRangeStart, FRangeEnd;    // what was deleted; equal when nothing was
  TDisplayPos FInsertStart, FInsertEnd;  // where the inserted text lies
  bool FDeleteBox = false;
  bool FInsertBox = false;
  std::string FDeletedText;   // the bytes removed, CR LF between lines
  std::string FInsertedText;  // the text given, cut at a NUL, CR LF between lines
  TEditKind FKind = ekReplace;
  TPoint FOldScroll, FNewScroll;
  TDisplayPos FOldCaret, FNewCaret;
  bool FOldSelecting = false, FNewSelecting = false;
  std::vector<TBoxPiece> FBoxPieces;  // the rows of a box insertion, first row first
  TDisplayPos FInsertAt;              // the insertion point given when nothing is deleted
  // FInsertStart as a document position: a typing run finds its start again
  // after later keystrokes moved the rows before it.
  TTextPos FInsertStartDoc;

  // "【文字挿入】"…", "【文字削除】"…" or "【文字上書き】"…" ← "…", each
  // text cut to 20 bytes with its line breaks shown as "\n".
  std::string GetUndoText() const override;
  std::string GetRedoText() const override;
  // Removes what was inserted (a box piece by piece, last row first) and puts
  // the deleted bytes back where the removal left off; afterwards the range
  // ends mark the restored text, so a redo deletes exactly it.
  void Undo() override;
  void Redo() override;

 private:
  std::string Text(bool redo) const;
};

// One reformatting of lines: cutting them at a width, or joining them.
class TTaskRestore : public TTask {
 public:
  TDisplayPos FStart, FEnd;   // the range formatted, before the change
  std::vector<int> FSplits;   // wrap: lines each paragraph became; join: byte length of each joined line
  std::vector<int> FIndents;  // wrap: continuation indent of each paragraph in bytes; join: empty
  int FWidth = 0;             // wrap width in cells; 0 for a join
  TPoint FOldScroll, FNewScroll;
  TDisplayPos FCaret;  // the caret after the change

  std::string GetUndoText() const override;  // "整形"
  void Undo() override;
  void Redo() override;
};

}  // namespace vorna
