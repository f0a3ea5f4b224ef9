// The EPUB export's questions: the book's title and author in a small
// dialog, and the file to write in a save dialog.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <optional>
#include <string>

#include "export/EpubBooks.h"

namespace vorna::app {

// "EPUBに書き出し": the title and the author (UTF-8), both fields filled
// with `offered`. The author may be left empty (the book then names none).
class TEpubTitleDialog : public QDialog {
 public:
  TEpubTitleDialog(QWidget* parent, const TBookTitle& offered);
  TBookTitle Chosen() const;
  QLineEdit* TitleEdit() const { return FTitle; }
  QLineEdit* AuthorEdit() const { return FAuthor; }

 private:
  QLineEdit* FTitle;
  QLineEdit* FAuthor;
};

// Runs the dialog over `parent`: the edited title and author, or nothing
// when it was cancelled.
std::optional<TBookTitle> AskEpubTitleInDialog(QWidget* parent, const TBookTitle& offered);

// The save dialog over `parent`, opened at `suggested` (a full path), asking
// before overwriting and adding "epub" to a bare name.
std::optional<std::string> AskEpubFileNameInDialog(QWidget* parent, const std::string& suggested);

}  // namespace vorna::app
