// The "移動" dialog (Ctrl+G): a line number, or a page number of the style.
// A number that names no place is refused in the dialog, which says why and
// stays open.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace vorna::app {

enum class TGoToKind { Line, Page };

struct TGoToTarget {
  TGoToKind Kind = TGoToKind::Line;
  int Number = 1;  // 1-based line or page
};

// Why `text` names no line or page to go to (lines 1 .. lines, pages 1 ..
// pages, where pages is 0 for a style without pages); empty when it does,
// with the number in `number`. Full-width digits count as digits.
QString GoToProblem(TGoToKind kind, const QString& text, int lines, int pages, int& number);

class TGoToDialog : public QDialog {
 public:
  // The document has `lines` lines and `pages` pages (0: the style has
  // none); the caret is on line `currentLine` and page `currentPage`.
  TGoToDialog(int lines, int pages, int currentLine, int currentPage, QWidget* parent);

  QRadioButton& LineChoice() const { return *FLine; }
  QRadioButton& PageChoice() const { return *FPage; }
  QLineEdit& NumberEdit() const { return *FNumber; }
  // Why the last OK was refused; empty when it was not.
  QString Problem() const;
  // The place chosen, once accepted.
  TGoToTarget Target() const { return FTarget; }
  // Closes only on a number that names a place.
  void accept() override;

 private:
  TGoToKind Kind() const;
  void ShowRange();

  int FLines;
  int FPages;
  QRadioButton* FLine;
  QRadioButton* FPage;
  QLineEdit* FNumber;
  QLabel* FRange;
  QLabel* FProblem;
  TGoToTarget FTarget;
};

}  // namespace vorna::app
