// The dialog of how saving keeps the old text: the backup rule and the
// backup folder.
#pragma once

#include <QDialog>
#include <string>

#include "document/EditLists.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;

namespace vorna::app {

struct TSaveOptions {
  TBackupMode BackupMode = bmNone;
  std::string BackupFolder;  // native path; a separator is added where it is used
  bool operator==(const TSaveOptions&) const = default;
};

class TSaveOptionDialog : public QDialog {
 public:
  TSaveOptionDialog(const TSaveOptions& options, QWidget* parent);
  // The choices as they stand.
  TSaveOptions Options() const;
  // For tests: choose a rule and type a folder.
  void ChooseMode(TBackupMode mode);
  void SetFolder(const std::string& folder);

 private:
  void UpdateControls();

  QButtonGroup* FModes;
  QLineEdit* FFolder;
  QPushButton* FBrowse;
  QPushButton* FOk;
};

}  // namespace vorna::app
