// The main window's EPUB export: the title and author, the save dialog, the
// book of the window's document in its style's writing direction, and the
// messages of a path that cannot be written or a book that failed.
#include <QApplication>
#include <exception>
#include <filesystem>

#include "MainForms.h"
#include "export/EpubContainers.h"
#include "platform/MessageBoxes.h"
#include "text/Cp932.h"

namespace vorna::app {
namespace {

// The document's path with ".epub" in place of its extension; for an
// untitled document, a name made of the title in `saveFolder`.
std::string SuggestedEpubPath(const TEditList& list, const std::string& saveFolder,
                              const std::string& title) {
  if (!list.IsUntitled())
    return std::filesystem::path(list.GetFileName()).replace_extension(".epub").string();
  return (std::filesystem::path(saveFolder) / (FileNameForTitle(title) + ".epub")).string();
}

}  // namespace

void TVORNAEditorMain::FileExportEpubExecute() {
  const TEditList& list = View().List();
  const std::optional<TBookTitle> title = AskEpubTitle(DocumentTitle(list));
  if (!title) return;
  const std::optional<std::string> path = AskEpubFileName(SuggestedEpubPath(list, FSaveFolder, title->Title));
  if (!path) return;
  const auto report = [this](const std::string& utf8) {
    if (FServices.Boxes) FServices.Boxes->ShowError(Cp932FromUtf8(utf8));
  };
  std::string reason;
  if (!CheckEpubOutput(*path, list.IsUntitled() ? std::string() : list.GetFileName(), reason)) {
    report("EPUBを書き出せません: " + *path + "\n" + reason);
    return;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    TEpubOptions options;
    options.Title = title->Title;
    options.Author = title->Author;
    options.Vertical = FEditor->EditorStyle().GetVertical();
    WriteEpubFile(*path, ZipEpubBook(BuildEpubBook(list, options)));
    QApplication::restoreOverrideCursor();
  } catch (const std::exception& error) {
    QApplication::restoreOverrideCursor();
    report(std::string("EPUBの書き出しに失敗しました: ") + error.what());
  }
  UpdateActions();
}

}  // namespace vorna::app
