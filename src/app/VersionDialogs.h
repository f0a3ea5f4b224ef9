// TVersionDialog: the about box, a gradient with the program's title,
// description, version, pre-release mark and credit, and its icon.
#pragma once

#include <QDialog>
#include <QLabel>

#include "GradBoxes.h"
#include "VerInfos.h"

namespace vorna::app {

class TVersionDialog : public QDialog {
 public:
  // `info` must outlive the dialog.
  explicit TVersionDialog(TVerInfo& info, QWidget* parent = nullptr);

  // Shows the dialog modally.
  void Execute();
  TGradBox& GradBox() const { return *FGradBox; }
  QLabel& ImageIcon() const { return *FImageIcon; }
  QLabel& LabelTitle() const { return *FLabelTitle; }
  QLabel& LabelComment() const { return *FLabelComment; }
  QLabel& LabelVersion() const { return *FLabelVersion; }
  QLabel& LabelStatus() const { return *FLabelStatus; }
  // Reports an error the version data raised (the box opens all the same).
  std::function<void(const std::string& cp932)> OnError;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // FormShow: the texts from the version data.
  void FillTexts();

  TVerInfo& FInfo;
  TGradBox* FGradBox;
  QLabel* FImageIcon;
  QLabel* FLabelTitle;
  QLabel* FLabelComment;
  QLabel* FLabelVersion;
  QLabel* FLabelStatus;
  QLabel* FLabelCredit;
};

}  // namespace vorna::app
