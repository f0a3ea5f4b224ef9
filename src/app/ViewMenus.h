// The "表示(&V)" menu: the 28 presets in their groups and the user styles
// (the current one checked), the user-style commands, the writing direction,
// the paper and the zoom. It only builds and checks; the window runs the
// commands.
#pragma once

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <string>
#include <vector>

namespace vorna::app {

class TVORNAEditorMain;

// The presets by number, one list per group (window styles, manuscript
// paper, scenario and script, printing, letter paper, others).
const std::vector<std::vector<int>>& PresetGroups();

class TViewMenu {
 public:
  // Adds the menu's items to `menu`; `window` runs them and must outlive it.
  TViewMenu(TVORNAEditorMain& window, QMenu& menu);

  // Checks the current style, direction and paper.
  void Update();
  // Lists these user styles (CP932 names) under the presets.
  void SetUserStyles(const std::vector<std::string>& names);

  QMenu& Menu() const { return FMenu; }
  QAction* Preset(int index) const { return FPresets.at(static_cast<size_t>(index)); }
  const std::vector<QAction*>& UserStyles() const { return FUserStyles; }
  QAction* SaveStyle;
  QAction* ManageStyles;
  QAction* ImportStyle;
  QAction* ExportStyle;
  QAction* Vertical;
  QAction* Horizontal;
  QAction* PaperVisible;
  QAction* ZoomIn;
  QAction* ZoomOut;
  QAction* Zoom100;
  QAction* FitSheet;
  QAction* FitWidth;

 private:
  QAction* Add(const char* caption, std::function<void()> run);

  TVORNAEditorMain& FWindow;
  QMenu& FMenu;
  QActionGroup* FStyleGroup;
  std::vector<QAction*> FPresets;
  std::vector<QAction*> FUserStyles;
  QAction* FUserSeparator;  // the user styles go before it
};

}  // namespace vorna::app
