// The outline dock: its tree filled from the document's outline, kept
// current shortly after edits and layouts, and the jumps to headings.
#include "OutlineDocks.h"
#include "view/StylePages.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeWidget>

#include "control/EditorControls.h"
#include "platform/qt/QtConvert.h"
#include "view/EditorViews.h"

namespace vorna::app {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QString Number(int n) { return n > 0 ? QString::number(n) : QString(); }

}  // namespace

TOutlineDock::TOutlineDock(control::TEditor& editor, QWidget* parent)
    : QDockWidget(U("アウトライン"), parent), FEditor(editor), FTree(new QTreeWidget(this)) {
  setObjectName(QStringLiteral("OutlineDock"));
  FTree->setColumnCount(3);
  FTree->setHeaderLabels({U("見出し"), U("ページ"), U("シーン")});
  FTree->header()->setStretchLastSection(false);
  FTree->header()->setSectionResizeMode(ocTitle, QHeaderView::Stretch);
  FTree->header()->setSectionResizeMode(ocPage, QHeaderView::ResizeToContents);
  FTree->header()->setSectionResizeMode(ocScene, QHeaderView::ResizeToContents);
  FTree->setUniformRowHeights(true);
  FTree->installEventFilter(this);
  setWidget(FTree);
  FRefreshTimer.setSingleShot(true);
  FRefreshTimer.setInterval(kRefreshDelayMs);
  connect(&FRefreshTimer, &QTimer::timeout, this, [this] { Refresh(); });
  FLayoutPoll.setInterval(kLayoutPollMs);
  connect(&FLayoutPoll, &QTimer::timeout, this, [this] {
    if (!FRefreshTimer.isActive() && (LayoutState() != FLayoutState || (FOutline && FOutline->NeedsScan())))
      FRefreshTimer.start();
  });
  connect(FTree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { Activated(item); });
  connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) { Shown(visible); });
  // F8 goes to the tree, so the arrows and Enter work at once, and back.
  connect(toggleViewAction(), &QAction::triggered, this, [this](bool shown) {
    if (shown)
      FTree->setFocus();
    else
      FEditor.setFocus();
  });
}

TOutlineDock::~TOutlineDock() {
  FRefreshTimer.stop();
  FLayoutPoll.stop();
}

TOutlineDock::TLayoutState TOutlineDock::LayoutState() const {
  const TEditorView& view = FEditor.EditorView();
  return {view.LayoutCount(), RowsPerStylePage(view), view.List().RowCount(), view.PaperMode(),
          view.List().Layout().ScenesNumbered()};
}

void TOutlineDock::Shown(bool visible) {
  if (visible) {
    Refresh();
    FLayoutPoll.start();
    return;
  }
  // Hidden, the dock costs an edit nothing: the next showing scans anew.
  FLayoutPoll.stop();
  FRefreshTimer.stop();
  FOutline.reset();
}

void TOutlineDock::Refresh() {
  FRefreshTimer.stop();
  const TEditorView& view = FEditor.EditorView();
  if (!FOutline || FOutline->List() != &view.List()) {
    FOutline = std::make_unique<TOutline>(view.List());
    // Edits come in bursts (typing, an undo of many steps): the tree follows
    // once they pause.
    FOutline->OnChange = [this] {
      if (isVisible()) FRefreshTimer.start();
    };
  }
  FOutline->Update();
  FLayoutState = LayoutState();
  FillTree(OutlineEntries(FOutline->Headings(), view.List(),
                          [&view](int line) { return PageOfLine(view, line); }));
}

void TOutlineDock::FillTree(const std::vector<TOutlineEntry>& entries) {
  bool scenes = false;
  for (const TOutlineEntry& e : entries) scenes = scenes || e.SceneNo > 0;
  FTree->setColumnHidden(ocScene, !scenes);
  const auto texts = [](QTreeWidgetItem* item, const TOutlineEntry& e, const TOutlineEntry* old) {
    if (!old || old->Heading.Title != e.Heading.Title)
      item->setText(ocTitle, qt::QStringFromCp932(e.Heading.Title));
    if (!old || old->Page != e.Page) item->setText(ocPage, Number(e.Page));
    if (!old || old->SceneNo != e.SceneNo) item->setText(ocScene, Number(e.SceneNo));
    item->setToolTip(ocTitle, U("%1 行目").arg(e.Heading.Line + 1));
  };
  bool sameNesting = entries.size() == FEntries.size();
  for (size_t i = 0; sameNesting && i < entries.size(); ++i)
    sameNesting = entries[i].Parent == FEntries[i].Parent;
  if (sameNesting) {
    // Typing in a heading or above one changes texts, not the tree: the
    // items stay, so do the selection and what is folded.
    QTreeWidgetItemIterator it(FTree);
    for (size_t i = 0; i < entries.size() && *it; ++i, ++it) texts(*it, entries[i], &FEntries[i]);
  } else {
    FTree->clear();
    std::vector<QTreeWidgetItem*> items;
    items.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
      const TOutlineEntry& e = entries[i];
      auto* item = e.Parent < 0 ? new QTreeWidgetItem(FTree)
                                : new QTreeWidgetItem(items[static_cast<size_t>(e.Parent)]);
      item->setData(ocTitle, Qt::UserRole, static_cast<int>(i));
      item->setTextAlignment(ocPage, Qt::AlignRight | Qt::AlignVCenter);
      item->setTextAlignment(ocScene, Qt::AlignRight | Qt::AlignVCenter);
      texts(item, e, nullptr);
      items.push_back(item);
    }
    FTree->expandAll();
  }
  FEntries = entries;
}

void TOutlineDock::Activated(QTreeWidgetItem* item) {
  if (!item) return;
  const int index = item->data(ocTitle, Qt::UserRole).toInt();
  if (!FRefreshTimer.isActive()) {
    JumpToEntry(index);
    return;
  }
  // The tree is about to change: the item may go while its signal runs.
  QTimer::singleShot(0, this, [this, index] {
    Refresh();
    JumpToEntry(index);
  });
}

void TOutlineDock::JumpToEntry(int index) {
  if (index < 0 || index >= static_cast<int>(FEntries.size())) return;
  TEditorView& view = FEditor.EditorView();
  view.JumpCaret(view.DisplayPosOf({1, FEntries[static_cast<size_t>(index)].Heading.Line}));
  FEditor.setFocus();
}

bool TOutlineDock::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FTree && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Activated(FTree->currentItem());
      return true;
    }
    if (key == Qt::Key_Escape) {
      FEditor.setFocus();
      return true;
    }
  }
  return QDockWidget::eventFilter(watched, event);
}

}  // namespace vorna::app
