// The counts in the status bar: 400-character manuscript pages, characters,
// the caret's page of the pages and its row and column in the current style,
// and the selection's characters while there is a selection.
#pragma once

#include <QLabel>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "document/DocumentCounts.h"
#include "document/TextPositions.h"

namespace vorna {
class TEditorView;
}

namespace vorna::app {

class TStatusCounts : public QWidget {
 public:
  explicit TStatusCounts(QWidget* parent = nullptr);
  ~TStatusCounts() override;

  // Shows the counts of `view` now: the totals follow the document's edits
  // line by line; its first count after a new text counts it whole. Given
  // the view's paint count, a whole count of a long text waits until the view
  // painted once more, so its first page is not held up ("…" shows meanwhile).
  void Update(TEditorView& view, int paints = -1);
  // The counts of the document last shown (null before the first Update).
  TDocumentCounts* Counts() const { return FCounts.get(); }
  // The shown panels' texts, separated by two spaces (tests, accessibility).
  QString Text() const;

 private:
  std::unique_ptr<TDocumentCounts> FCounts;
  QLabel* FManuscript;
  QLabel* FCharacters;
  QLabel* FPage;
  QLabel* FCaret;
  QLabel* FSelection;
  // The selection last counted: it is counted again only when it, the text
  // or the layout changed, so a long selection costs nothing while it stays.
  struct TSelectionKey {
    TDisplayPos Start, End;
    bool Box = false;
    uint64_t Text = 0;  // TDocumentCounts::Generation
    int Layout = 0;     // the view's LayoutGeneration
    bool operator==(const TSelectionKey&) const = default;
  };
  TSelectionKey FSelectionKey;
  int64_t FSelectionCharacters = 0;
  int FWaitingSincePaint = -1;  // the paint count a deferred whole count waits past
};

}  // namespace vorna::app
