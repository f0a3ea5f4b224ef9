// The dialog of how saving keeps the old text and the unsaved one: the
// backup rule, the backup folder and the wait before the unsaved text is
// kept for recovery.
#pragma once

#include <QDialog>
#include <string>

#include "document/EditLists.h"

class QButtonGroup;
class QLineEdit;
class QSpinBox;
class QPushButton;

namespace vorna::app {

struct TSaveOptions {
  TBackupMode BackupMode = bmNone;
  std::string BackupFolder;  // native path; a separator is added where it is used
  int AutoSaveSeconds = 30;  // idle wait after a change; 0: only when the program is ended
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
  void SetAutoSaveSeconds(int seconds);

 private:
  void UpdateControls();

  QButtonGroup* FModes;
  QLineEdit* FFolder;
  QPushButton* FBrowse;
  QPushButton* FOk;
  QSpinBox* FAutoSave;
};

}  // namespace vorna::app
