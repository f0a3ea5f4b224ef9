// The "アウトライン" dock: the document's headings as a tree, nested by level,
// with their pages (and scene numbers where the style counts scenes); a click
// or Enter takes the caret to a heading and the focus back to the editor,
// Escape only the focus.
#pragma once

#include <QDockWidget>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <vector>

#include "document/Outlines.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace vorna {
class TEditorView;
namespace control {
class TEditor;
}
}  // namespace vorna

namespace vorna::app {

class TOutlineDock : public QDockWidget {
 public:
  // Columns of the tree.
  enum TColumn { ocTitle = 0, ocPage = 1, ocScene = 2 };
  // The tree follows edits this long after the last one (ms), and looks for
  // a new layout or page size this often while shown (ms).
  static constexpr int kRefreshDelayMs = 200;
  static constexpr int kLayoutPollMs = 500;

  // `editor` must outlive the dock. Hidden, the dock follows nothing.
  TOutlineDock(control::TEditor& editor, QWidget* parent);
  ~TOutlineDock() override;

  QTreeWidget& Tree() const { return *FTree; }
  // What the tree shows, by the item's index (Qt::UserRole of column 0).
  const std::vector<TOutlineEntry>& Entries() const { return FEntries; }
  // Brings the tree up to date now.
  void Refresh();
  bool RefreshPending() const { return FRefreshTimer.isActive(); }
  // Takes the caret to the heading of entry `index` (centred in the window)
  // and gives the editor the focus; nothing for an index out of range.
  void JumpToEntry(int index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What else moves the pages and scene numbers of unchanged headings.
  struct TLayoutState {
    int Layouts = 0;
    int RowsPerPage = 0;  // of the style's pages
    int Rows = 0;
    bool Paper = false;
    bool Scenes = false;
    bool operator==(const TLayoutState&) const = default;
  };
  TLayoutState LayoutState() const;
  void Shown(bool visible);
  void Activated(QTreeWidgetItem* item);
  // The items as they are, only their texts changed, when the nesting is the same.
  void FillTree(const std::vector<TOutlineEntry>& entries);

  control::TEditor& FEditor;
  QTreeWidget* FTree;
  std::unique_ptr<TOutline> FOutline;  // only while shown
  std::vector<TOutlineEntry> FEntries;
  TLayoutState FLayoutState;
  QTimer FRefreshTimer;
  QTimer FLayoutPoll;
};

}  // namespace vorna::app
