// The undo tasks (a caret jump, a text edit, a reformatting of lines) and the
// linear history that holds them with its current position.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
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

// The history of one document: tasks oldest first, a current index and
// whether the current task has been undone. With FUndone false the document
// reflects tasks 0..FIndex, otherwise 0..FIndex-1. It also keeps the save
// point: how many tasks were applied when the text was last saved or loaded.
class TUndo {
 public:
  TUndo() = default;
  TUndo(const TUndo&) = delete;
  TUndo& operator=(const TUndo&) = delete;
  virtual ~TUndo();

  // Frees every task. FIndex and FUndone stay as they are; an empty history
  // can neither undo nor redo. Asked while a task runs, it waits for the task.
  // The save point survives (at the empty start) only when it is reached now.
  void Clear();
  // Appends `task` after dropping the redo tail (and the oldest task when the
  // capacity is exceeded). While locked the task is freed instead. A save
  // point dropped with a task that changes text is gone for good.
  void Add(std::unique_ptr<TTask> task);
  bool CanUndo() const;
  bool CanRedo() const;
  // `steps` single steps back or forward, each under the lock; steps that are
  // not possible do nothing, and so does a call made from inside a running task.
  void Undo(int steps = 1);
  void Redo(int steps = 1);
  // The newest task, or null.
  TTask* LastTask() const { return FTasks.empty() ? nullptr : FTasks.back().get(); }

  // The text as it is now was saved or loaded. A recording never merges into
  // the task before the save point, so undoing returns exactly to it.
  void SetSavePoint() { FSavedCount = AppliedCount(); }
  // The saved text is none of the history's states (a text that was never
  // saved): no undo or redo reaches it.
  void ForgetSavePoint() { FSavedCount = -1; }
  // The text equals the saved one: only caret jumps lie between the applied
  // tasks and the save point. False once the save point is gone.
  bool AtSavePoint() const;
  // Tasks applied at the save point; -1 when it can no longer be reached.
  int SavedCount() const { return FSavedCount; }
  // Called after every undo or redo step, once the history has its new
  // position (the document's modified mark follows the save point here).
  std::function<void()> OnStep;

  // Nestable recording lock: while locked nothing is recorded. Unlock below
  // zero stays at zero.
  void Lock() { ++FLockCount; }
  void Unlock() {
    if (FLockCount > 0) --FLockCount;
  }
  bool Locked() const { return FLockCount > 0; }

  TUndoOwner* GetOwner() const { return FOwner; }
  void SetOwner(TUndoOwner* owner) { FOwner = owner; }
  int Count() const { return static_cast<int>(FTasks.size()); }
  TTask* GetTask(int index) const;  // null outside 0 .. Count-1
  int GetIndex() const { return FIndex; }
  bool GetUndone() const { return FUndone; }
  // Tasks the document reflects: 0 .. Count.
  int AppliedCount() const;
  // At most so many tasks are kept, the oldest dropped first; 0 = unlimited.
  int GetCapacity() const { return FCapacity; }
  void SetCapacity(int capacity) { FCapacity = capacity > 0 ? capacity : 0; }

 protected:
  // The newest task when new recordings may merge into it: it is current and
  // not undone, not the save point, nothing runs and nothing is locked.
  TTask* MergeTarget() const;

  TUndoOwner* FOwner = nullptr;
  std::vector<std::unique_ptr<TTask>> FTasks;
  int32_t FIndex = 0;
  bool FUndone = false;
  int32_t FCapacity = 0;
  int32_t FLockCount = 0;
  int32_t FSavedCount = 0;  // a new history belongs to an unmodified document

 private:
  void Step(bool undo);
  // No task from..to-1 changes the text.
  bool TextKept(int from, int to) const;
  bool FRunning = false;       // a task's Undo or Redo is running
  bool FClearPending = false;  // Clear was asked while it ran
};

}  // namespace vorna
