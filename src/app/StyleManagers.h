// The "スタイルの管理" dialog: the user styles listed, renamed and deleted
// through the window's commands.
#pragma once

#include <QDialog>
#include <QListWidget>
#include <functional>
#include <string>
#include <vector>

namespace vorna::app {

class TStyleManagerDialog : public QDialog {
 public:
  struct TCommands {
    std::function<std::vector<std::string>()> Names;  // CP932
    // Each says itself why it refused; true when done.
    std::function<bool(const std::string& name)> Rename;
    std::function<bool(const std::string& name)> Delete;
  };
  TStyleManagerDialog(QWidget* parent, TCommands commands);

 private:
  void Fill();
  std::string Selected() const;

  TCommands FCommands;
  QListWidget* FList;
};

}  // namespace vorna::app
