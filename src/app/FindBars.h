// TFindBar: the find and replace bar under the editor. It searches as the
// pattern is typed (the editor colours every match and selects the first
// from the selection's start), steps with Enter and Shift+Enter, counts the
// matches a slice of lines at a time, and replaces the selected match or
// every match as one edit. What cannot be done is said in the bar (in red
// for a bad pattern or a search stopped at its match limit), never in a box.
#pragma once

#include <QFrame>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>

#include "document/MatchCounts.h"
#include "text/TextReplaces.h"
#include "text/TextSearches.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vorna {
class TEditorView;
namespace control {
class TEditor;
}
}  // namespace vorna

namespace vorna::app {

class TFindBar : public QFrame {
 public:
  TFindBar(control::TEditor& editor, QWidget* parent);
  ~TFindBar() override;

  // Shows the bar, with the replace row when `replace`, the pattern field
  // focused and its text selected. A selection of the editor within one line
  // becomes the pattern.
  void Open(bool replace);
  // Hides the bar, drops the search and its colouring, focuses the editor.
  void Close();
  bool ReplaceShown() const;

  // The next or previous match (Enter, F3; Shift+Enter, Shift+F3), saying
  // in the bar when the step wrapped. Opens the bar when it has no pattern.
  void FindNext();
  void FindPrevious();
  // 置換 and すべて置換 with the replacement field's text. In plain mode the
  // text goes in as written; with 正規表現, "\n" is a line break and "$1" a
  // group (text/TextReplaces.h).
  void ReplaceCurrent();
  void ReplaceAll();

  // The document's text changed (an edit, an undo, a file read): the count
  // starts again once typing pauses (kRecountDelayMs), so each keystroke in
  // the editor costs nothing here.
  void TextChanged();
  // Follows the editor: the replace row is disabled while the document is
  // read-only, and the search is compiled again when the notation the cells
  // hide changed. Cheap; the window calls it on idle.
  void Refresh();

  // --- for tests and the window ----------------------------------------------------
  QLineEdit* PatternField() const { return FPattern; }
  QLineEdit* ReplacementField() const { return FReplacement; }
  QCheckBox* MatchCaseBox() const { return FMatchCase; }
  QCheckBox* WidthAlikeBox() const { return FWidthAlike; }
  QCheckBox* KanaAlikeBox() const { return FKanaAlike; }
  QCheckBox* RegexBox() const { return FRegex; }
  QCheckBox* InSelectionBox() const { return FInSelection; }
  QPushButton* ReplaceButton() const { return FReplaceButton; }
  QPushButton* ReplaceAllButton() const { return FReplaceAllButton; }
  // "12 件" when the count is complete, "12 件…" while it runs, empty without
  // a pattern or after an error.
  QString CountText() const;
  // The note beside the options (a wrap, nothing found, a refusal, an error).
  QString NoteText() const;
  bool NoteIsError() const { return FNoteIsError; }
  bool Counting() const { return FRecountDelay.isActive() || (FCounter.Started() && !FCounter.Done()); }
  // Runs the count to its end at once (a pending recount first).
  void FinishCount();
  // Bytes of text counted per slice of the event loop.
  static constexpr size_t kCountSliceBytes = size_t{4} << 20;
  static constexpr int kRecountDelayMs = 150;

 private:
  TEditorView& View() const;
  TSearchOptions ChosenOptions() const;
  // The pattern or an option changed: compile, colour, find from the
  // selection's start, count.
  void PatternChanged();
  // The pattern compiled with the options the view asks for; the view
  // colours with it. False when it has nothing to find (empty or an error).
  bool Compile();
  void Step(bool forward);
  void StartCount();
  void CountSlice();
  void ShowCount();
  void SetNote(const QString& text, bool error = false);
  // A search error (bad pattern, match limit) in red; true when there was one.
  bool ShowSearchError();
  std::string ReplacementText() const;
  // The replacement field compiled for the current search; empty, with the
  // reason in the bar, when there is no search that can match or the
  // replacement does not compile.
  std::optional<TReplacement> CheckedReplacement();
  bool eventFilter(QObject* watched, QEvent* event) override;

  control::TEditor& FEditor;
  QLineEdit* FPattern;
  QLineEdit* FReplacement;
  QCheckBox* FMatchCase;
  QCheckBox* FWidthAlike;
  QCheckBox* FKanaAlike;
  QCheckBox* FRegex;
  QCheckBox* FInSelection;
  QPushButton* FReplaceButton;
  QPushButton* FReplaceAllButton;
  QLabel* FCount;
  QLabel* FNote;
  QWidget* FReplaceRow;
  bool FNoteIsError = false;
  std::shared_ptr<const TTextSearch> FSearch;
  TMatchCounter FCounter;
  QTimer FCountTimer;
  QTimer FRecountDelay;
};

}  // namespace vorna::app
