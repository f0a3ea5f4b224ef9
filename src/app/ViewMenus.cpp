// Building and checking the "表示(&V)" menu.
#include "ViewMenus.h"

#include "MainForms.h"
#include "platform/qt/QtConvert.h"
#include "settings/EditorStyles.h"
#include "view/BaseViews.h"

namespace vorna::app {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// A name as a menu caption: "&" would mark an accelerator.
QString Caption(const std::string& cp932) {
  return qt::QStringFromCp932(cp932).replace(QChar('&'), QStringLiteral("&&"));
}

}  // namespace

const std::vector<std::vector<int>>& PresetGroups() {
  static const std::vector<std::vector<int>> groups{
      {0, 2, 3, 10, 13, 23, 24, 25}, {4, 5},   {6, 7, 8, 9, 20, 21},
      {1, 14, 15, 16, 17, 22},       {18, 19}, {11, 12, 26, 27}};
  return groups;
}

TViewMenu::TViewMenu(TVORNAEditorMain& window, QMenu& menu) : FWindow(window), FMenu(menu) {
  FStyleGroup = new QActionGroup(&menu);
  // A changed preset is checked nowhere.
  FStyleGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  FPresets.resize(kPresetCount);
  for (const std::vector<int>& group : PresetGroups()) {
    if (!menu.actions().isEmpty()) menu.addSeparator();
    for (const int index : group) {
      QAction* item = menu.addAction(Caption(TEditorStyle::PresetName(index)));
      item->setCheckable(true);
      FStyleGroup->addAction(item);
      QObject::connect(item, &QAction::triggered, &menu, [this, index] { FWindow.ChoosePreset(index); });
      FPresets[static_cast<size_t>(index)] = item;
    }
  }
  // The user styles stand apart between two separators (adjacent ones
  // collapse while there are none).
  menu.addSeparator();
  FUserSeparator = menu.addSeparator();
  SaveStyle = Add("スタイルを保存...", [this] { FWindow.SaveStyleExecute(); });
  ManageStyles = Add("スタイルの管理...", [this] { FWindow.ManageStylesExecute(); });
  ImportStyle = Add("スタイルを読み込む...", [this] { FWindow.ImportStyleExecute(); });
  ExportStyle = Add("スタイルを書き出す...", [this] { FWindow.ExportStyleExecute(); });
  menu.addSeparator();
  Vertical = Add("縦書き", [this] { FWindow.SetVerticalWriting(true); });
  Horizontal = Add("横書き", [this] { FWindow.SetVerticalWriting(false); });
  auto* direction = new QActionGroup(&menu);
  for (QAction* item : {Vertical, Horizontal}) {
    item->setCheckable(true);
    direction->addAction(item);
  }
  PaperVisible = Add("用紙表示", [this] { FWindow.TogglePaper(); });
  PaperVisible->setCheckable(true);
  menu.addSeparator();
  ZoomIn = Add("拡大", [this] { FWindow.ZoomInExecute(); });
  ZoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Semicolon)});
  ZoomOut = Add("縮小", [this] { FWindow.ZoomOutExecute(); });
  ZoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  Zoom100 = Add("100%", [this] { FWindow.ZoomTo(100); });
  Zoom100->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  FitSheet = Add("ページ全体", [this] { FWindow.ZoomTo(kRatioFitSheet); });
  FitWidth = Add("幅に合わせる", [this] { FWindow.ZoomTo(kRatioFitWidth); });
  for (QAction* item : {FitSheet, FitWidth}) item->setCheckable(true);
  QObject::connect(&menu, &QMenu::aboutToShow, &menu, [this] { Update(); });
}

QAction* TViewMenu::Add(const char* caption, std::function<void()> run) {
  QAction* item = FMenu.addAction(U(caption));
  // Shortcuts work while the menu is closed, wherever the focus is in the window.
  item->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(item, &QAction::triggered, &FMenu, std::move(run));
  return item;
}

void TViewMenu::SetUserStyles(const std::vector<std::string>& names) {
  for (QAction* item : FUserStyles) {
    FStyleGroup->removeAction(item);
    FMenu.removeAction(item);
    delete item;
  }
  FUserStyles.clear();
  for (const std::string& name : names) {
    auto* item = new QAction(Caption(name), &FMenu);
    item->setCheckable(true);
    item->setData(QByteArray::fromStdString(name));
    FStyleGroup->addAction(item);
    FMenu.insertAction(FUserSeparator, item);
    QObject::connect(item, &QAction::triggered, &FMenu, [this, name] { FWindow.ChooseUserStyle(name); });
    FUserStyles.push_back(item);
  }
  Update();
}

void TViewMenu::Update() {
  const TEditorStyle& style = FWindow.Editor().EditorStyle();
  const int index = style.GetDefaultIndex();
  for (int i = 0; i < kPresetCount; ++i) FPresets[static_cast<size_t>(i)]->setChecked(i == index);
  for (QAction* item : FUserStyles)
    item->setChecked(index < 0 && item->data().toByteArray().toStdString() == style.GetName());
  Vertical->setChecked(style.GetVertical());
  Horizontal->setChecked(!style.GetVertical());
  PaperVisible->setChecked(style.GetPaperVisible());
  FitSheet->setChecked(style.GetRatioValue() == kRatioFitSheet);
  FitWidth->setChecked(style.GetRatioValue() == kRatioFitWidth);
}

}  // namespace vorna::app
