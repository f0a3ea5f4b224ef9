// The main window's "検索" menu: the find bar, its replace row, and the next
// and previous match, with their shortcuts.
#include "FindBars.h"
#include "MainForms.h"

namespace vorna::app {

void TVORNAEditorMain::BuildFindMenu(QMenu& menu) {
  SearchFind = MakeAction("検索", "検索(&F)...", "検索|検索バーを開いて文字列を探す", -1);
  SearchReplace = MakeAction("検索", "置換(&R)...", "置換|検索バーで文字列を置き換える", -1);
  SearchNext = MakeAction("検索", "次を検索(&N)", "", -1);
  SearchPrevious = MakeAction("検索", "前を検索(&P)", "", -1);
  // The editor's own table maps Ctrl+F to a command it leaves to the window,
  // Ctrl+H to Backspace and F3 to its byte search: the window's shortcuts
  // come first, so these keys reach the find bar.
  SearchFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  SearchReplace->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  SearchNext->setShortcut(QKeySequence(Qt::Key_F3));
  SearchPrevious->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
  connect(SearchFind, &QAction::triggered, this, [this] { FFindBar->Open(false); });
  connect(SearchReplace, &QAction::triggered, this, [this] { FFindBar->Open(true); });
  connect(SearchNext, &QAction::triggered, this, [this] { FFindBar->FindNext(); });
  connect(SearchPrevious, &QAction::triggered, this, [this] { FFindBar->FindPrevious(); });
  menu.addAction(SearchFind);
  menu.addAction(SearchReplace);
  menu.addSeparator();
  menu.addAction(SearchNext);
  menu.addAction(SearchPrevious);
}

}  // namespace vorna::app
