// The main window's construction: the editor, the actions with their
// captions, shortcuts, images and hints, the menus, the toolbar with its
// gradient and banner, the drawn status panel with the counts and the file
// format beside it, the default file dialogs and refusal box, and FormCreate.
#include "MainForms.h"

#include <QActionGroup>
#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "FindBars.h"
#include "FormatChoices.h"
#include "GradBoxes.h"
#include "NoticeBars.h"
#include "OutlineDocks.h"
#include "StatusCounts.h"
#include "ViewMenus.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/QtServices.h"
#include "settings/StyleElements.h"

// Qt resources of a static library are registered by name, outside any namespace.
static void InitPictureResources() { Q_INIT_RESOURCE(pictures); }

namespace vorna::app {
namespace {

constexpr const char* kCredit = "縦書きの原稿のためのエディタ — ＶＯＲＮＡ Editor";

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QIcon ActionImage(int index) {
  return QIcon(QStringLiteral(":/pictures/action%1.png").arg(index, 2, 10, QChar('0')));
}

// The picture bytes of a resource.
std::string ResourceBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// A JPEG resource through libjpeg; a null pixmap when it cannot be read.
QPixmap JpegPixmap(qt::TQtPictureLoader& loader, const QString& path) {
  try {
    const std::unique_ptr<TBitmap> bitmap = loader.LoadJpeg(ResourceBytes(path));
    return QPixmap::fromImage(static_cast<qt::TQtBitmap&>(*bitmap).Image());
  } catch (const EPictureError&) {
    return {};
  }
}

// The toolbar's background: a gradient from the window colour to the
// button face.
class TGradientToolBar : public QToolBar {
 public:
  using QToolBar::QToolBar;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    PaintGradient(painter, rect(), SystemColor(5), SystemColor(15), true);
    QToolBar::paintEvent(event);
  }
};

// The banner: clicking it opens the film's page.
class TBanner : public QLabel {
 public:
  std::function<void()> OnClick;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && OnClick) OnClick();
  }
};

// The status bar's one drawn panel: image 11 and the credit line.
class TStatusPanel : public QWidget {
 public:
  explicit TStatusPanel(QWidget* parent) : QWidget(parent) { setMinimumHeight(19); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setClipRect(rect());
    ActionImage(11).paint(&painter, QRect(10, (height() - 16) / 2, 16, 16));
    QFont font = painter.font();
    font.setPointSize(9);
    painter.setFont(font);
    painter.setPen(QColor(0x55, 0x55, 0x55));
    const int y = (height() - painter.fontMetrics().height()) / 2 + 1;
    painter.drawText(QRect(30, y, width() - 30, painter.fontMetrics().height()), Qt::AlignLeft, U(kCredit));
  }
};

}  // namespace

TVORNAEditorMain::TVORNAEditorMain(const TPlatformServices& services, QWidget* parent)
    : QMainWindow(parent), FServices(services) {
  InitPictureResources();
  setWindowTitle(U("ＶＯＲＮＡ Editor"));
  resize(586, 615);
  FEditor = new control::TEditor(this, services);
  FEditor->SetStyleIndex(0);
  FEditor->setMinimumSize(50, 50);
  // The notices sit above the editor, so reading on is never blocked by them.
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  FNotices = new TNoticeBar(central);
  column->addWidget(FNotices);
  column->addWidget(FEditor, 1);
  FFindBar = new TFindBar(*FEditor, central);
  column->addWidget(FFindBar);
  setCentralWidget(central);

  FileNew = MakeAction("ファイル", "新規作成(&N)", "新規作成|新しいファイルを作成", 0);
  FileOpen = MakeAction("ファイル", "開く(&O)", "開く|ファイルを開く", 1);
  FileSave = MakeAction("ファイル", "保存(&S)", "保存|現在のファイルを保存", 2);
  FileSaveAs =
      MakeAction("ファイル", "名前を付けて保存(&A)", "名前を付けて保存|現在のファイルを別の名前で保存", 3);
  FilePreview = MakeAction("ファイル", "印刷プレビュー(&V)", "", -1);
  FilePrint = MakeAction("ファイル", "印刷(&P)", "", 4);
  FileExportPdf = MakeAction("ファイル", "PDFに書き出し(&D)...",
                             "PDFに書き出し|印刷する形のままPDFファイルに書き出す", -1);
  FileExportEpub = MakeAction("ファイル", "EPUBに書き出し...",
                              "EPUBに書き出し|ルビや傍点を生かした電子書籍（EPUB 3）に書き出す", -1);
  FileInfo = MakeAction("ファイル", "文書情報...",
                        "文書情報|文字数、400字詰め原稿用紙換算枚数、ページ数、行数、段落数、ルビの数", -1);
  FileExit = MakeAction("ファイル", "終了(&X)", "終了|アプリケーションを終了", -1);
  EditCut = MakeAction("編集", "切り取り(&T)", "切り取り|選択部分を切り取り、クリップボードに送る", 5);
  EditCopy = MakeAction("編集", "コピー(&C)", "コピー|選択範囲をクリップボードにコピー", 6);
  EditPaste = MakeAction("編集", "貼り付け(&P)", "貼り付け|クリップボードの内容を貼り付ける", 7);
  EditUndo = MakeAction("編集", "元に戻す(&U)", "", 8);
  EditRedo = MakeAction("編集", "やり直し(&R)", "", 9);
  EditGoTo = MakeAction("編集", "移動(&G)...", "移動|指定した行またはページへ移動", -1);
  CustLineNo = MakeAction("設定", "行番号表示", "", -1);
  CustSaveOptions =
      MakeAction("設定", "保存の設定(&B)...", "保存の設定|保存するときに前の内容を残す方法", -1);
  CustFormat = MakeAction("設定", "書式設定(&F)...", "書式設定|文字組・用紙・フォント・禁則・表示の設定", -1);
  HelpVorna = MakeAction("ヘルプ", "映画「ＶＯＲＮＡ」 公式サイト", "", -1);
  HelpRunel = MakeAction("ヘルプ", "シネマルーネル 公式サイト", "", -1);
  HelpUreditor = MakeAction("ヘルプ", "Ur's Editor２ 公式サイト", "", -1);
  HelpAbout = MakeAction("ヘルプ", "バージョン情報(&A)...",
                         "バージョン情報|プログラムの情報，バージョン番号，および著作権を表示", 10);
  FileNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  FileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  FileSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  EditCut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
  EditCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  EditPaste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
  FilePreview->setCheckable(true);
  CustLineNo->setCheckable(true);
  CustFormat->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
  EditGoTo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));

  connect(FileNew, &QAction::triggered, this, [this] { FileNewExecute(); });
  connect(FileOpen, &QAction::triggered, this, [this] { FileOpenExecute(); });
  connect(FileSave, &QAction::triggered, this, [this] { FileSaveExecute(); });
  connect(FileSaveAs, &QAction::triggered, this, [this] { FileSaveAsExecute(); });
  FReopenMenu = new QMenu(U("エンコーディングを指定して開き直す(&R)"), this);
  auto* encodings = new QActionGroup(FReopenMenu);
  for (const TEncoding encoding : ReopenEncodings()) {
    QAction* item = FReopenMenu->addAction(QString::fromStdString(EncodingName(encoding, false)));
    item->setCheckable(true);
    item->setData(static_cast<int>(encoding));
    encodings->addAction(item);
    connect(item, &QAction::triggered, this, [this, encoding] { FileReopenExecute(encoding); });
  }
  // The current encoding is checked as the menu opens.
  connect(FReopenMenu, &QMenu::aboutToShow, this, [this] {
    const int current = static_cast<int>(View().List().FileFormat().Encoding);
    for (QAction* item : FReopenMenu->actions()) item->setChecked(item->data().toInt() == current);
  });
  FileReopen = FReopenMenu->menuAction();
  connect(FilePreview, &QAction::triggered, this, [this] { FilePreviewExecute(); });
  connect(FilePrint, &QAction::triggered, this, [this] { FilePrintExecute(); });
  connect(FileExportPdf, &QAction::triggered, this, [this] { FileExportPdfExecute(); });
  connect(FileExportEpub, &QAction::triggered, this, [this] { FileExportEpubExecute(); });
  connect(FileInfo, &QAction::triggered, this, [this] { FileInfoExecute(); });
  connect(FileExit, &QAction::triggered, this, [this] { close(); });
  connect(EditCut, &QAction::triggered, this, [this] { View().CutMessage(); });
  connect(EditCopy, &QAction::triggered, this, [this] { View().CopyMessage(); });
  connect(EditPaste, &QAction::triggered, this, [this] { View().PasteMessage(); });
  connect(EditUndo, &QAction::triggered, this, [this] { View().ExecuteCommand(ecUndo); });
  connect(EditRedo, &QAction::triggered, this, [this] { View().ExecuteCommand(ecRedo); });
  connect(EditGoTo, &QAction::triggered, this, [this] { EditGoToExecute(); });
  connect(CustLineNo, &QAction::triggered, this, [this] { CustLineNoExecute(); });
  connect(CustFormat, &QAction::triggered, this, [this] { CustFormatExecute(); });
  connect(CustSaveOptions, &QAction::triggered, this, [this] { CustSaveOptionsExecute(); });
  connect(HelpVorna, &QAction::triggered, this, [this] { OpenWebLink(WebLinks.Vorna); });
  connect(HelpRunel, &QAction::triggered, this, [this] { OpenWebLink(WebLinks.Runel); });
  connect(HelpUreditor, &QAction::triggered, this, [this] { OpenWebLink(WebLinks.Ureditor); });
  connect(HelpAbout, &QAction::triggered, this, [this] { HelpAboutExecute(); });

  FOutlineDock = new TOutlineDock(*FEditor, this);
  addDockWidget(Qt::LeftDockWidgetArea, FOutlineDock);
  FOutlineDock->hide();
  setAcceptDrops(true);
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();

  AskOpenFileName = [this]() -> std::optional<std::string> {
    QFileDialog dialog(this);
    ConfigureFileDialog(dialog, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
  };
  AskSaveFileName = [this](const std::string& initial,
                           const TFileFormat& format) -> std::optional<TSaveChoice> {
    QFileDialog dialog(this);
    ConfigureFileDialog(dialog, true);
    // The format choosers go into the dialog's own widgets.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    const TFormatChoosers choosers(dialog, format);
    const QFileInfo offered(qt::QPath(initial));
    if (offered.isAbsolute())
      dialog.setDirectory(offered.absolutePath());
    else if (!FSaveFolder.empty())
      dialog.setDirectory(qt::QPath(FSaveFolder));
    dialog.selectFile(offered.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return TSaveChoice{dialog.selectedFiles().front().toStdString(), choosers.Chosen()};
  };
  AskPdfFileName = [this](const std::string& suggested) { return AskPdfFileNameInDialog(this, suggested); };
  AskEpubTitle = [this](const TBookTitle& offered) { return AskEpubTitleInDialog(this, offered); };
  AskEpubFileName = [this](const std::string& suggested) { return AskEpubFileNameInDialog(this, suggested); };
  AskEncodingRefusal = [this](const QString& text) {
    return AskTwoWay(this, QMessageBox::Warning, text, U("UTF-8で保存"), U("キャンセル"))
               ? TRefusalAnswer::SaveInUtf8
               : TRefusalAnswer::Cancel;
  };
  AskStyleName = [this](const QString& title, const std::string& initial) -> std::optional<std::string> {
    bool ok = false;
    const QString name = QInputDialog::getText(this, title, U("スタイル名:"), QLineEdit::Normal,
                                               qt::QStringFromCp932(initial), &ok);
    if (!ok) return std::nullopt;
    return qt::Cp932FromQString(name.trimmed());
  };
  AskStyleFile = [this](bool save, const std::string& initial) -> std::optional<std::string> {
    QFileDialog dialog(this);
    dialog.setNameFilters({U("スタイル (*.ini)"), U("すべてのファイル (*)")});
    dialog.setDefaultSuffix(QStringLiteral("ini"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!initial.empty()) dialog.selectFile(qt::QPath(initial));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
  };
  OpenAddress = [this](const std::string& address) {
    if (FServices.Shell) FServices.Shell->Open(address, {}, {});
  };

  // The window polls the editor's state, as the update handlers do on idle.
  FIdleUpdate.setInterval(250);
  connect(&FIdleUpdate, &QTimer::timeout, this, [this] { UpdateActions(); });
  FIdleUpdate.start();
  FEditor->OnChange = [this](control::TEditor*) {
    UpdateActions();
    FFindBar->TextChanged();
    NoteRecoveryChange();
  };
  FEditor->OnJump = [this](control::TEditor*) { UpdateActions(); };
  FEditor->OnModified = [this](control::TEditor*) {
    UpdateCaption();
    NoteRecoveryChange();
  };
  FEditor->OnFileNameChange = [this](control::TEditor*) { UpdateCaption(); };
  FEditor->installEventFilter(this);
  BuildDiskWatch();
  UpdateRecentMenu();
  // The editor gets its size in the window now: a document opened before the
  // window shows is laid out for the rows it will show, not for a stub size.
  if (layout()) layout()->activate();
  FormCreate();
  FEditor->setFocus();
}

TVORNAEditorMain::~TVORNAEditorMain() {
  FIdleUpdate.stop();
  FEditor->removeEventFilter(this);
  // The view must not keep the picture the window frees.
  View().SetBackgroundBitmap(nullptr);
  FEditor->OnChange = FEditor->OnJump = FEditor->OnModified = FEditor->OnFileNameChange = nullptr;
}

QAction* TVORNAEditorMain::MakeAction(const char* category, const char* caption, const char* hint,
                                      int image) {
  auto* action = new QAction(U(caption), this);
  action->setProperty("category", U(category));
  const QString text = U(hint);
  if (!text.isEmpty()) {
    action->setToolTip(text.section('|', 0, 0));
    action->setStatusTip(text.section('|', 1));
  }
  if (image >= 0) action->setIcon(ActionImage(image));
  return action;
}

void TVORNAEditorMain::BuildMenus() {
  QMenu* file = menuBar()->addMenu(U("ファイル(&F)"));
  file->setStatusTip(U("ファイルに関連するコマンド"));
  file->addAction(FileNew);
  file->addAction(FileOpen);
  file->addAction(FileSave);
  file->addAction(U("名前を付けて保存(&A)..."), FileSaveAs, &QAction::trigger)->setIcon(FileSaveAs->icon());
  file->addAction(FileReopen);
  FRecentMenu = file->addMenu(U("最近使ったファイル"));
  file->addSeparator();
  file->addAction(FilePreview);
  file->addAction(U("印刷(&P)..."), FilePrint, &QAction::trigger)->setIcon(FilePrint->icon());
  file->addAction(FileExportPdf);
  file->addAction(FileExportEpub);
  file->addAction(FileInfo);
  file->addSeparator();
  file->addAction(FileExit);
  QMenu* edit = menuBar()->addMenu(U("編集(&E)"));
  edit->setStatusTip(U("編集コマンド"));
  edit->addAction(EditUndo);
  edit->addAction(EditRedo);
  edit->addSeparator();
  edit->addAction(EditCut);
  edit->addAction(EditCopy);
  edit->addAction(EditPaste);
  edit->addSeparator();
  edit->addAction(EditGoTo);
  QMenu* find = menuBar()->addMenu(U("検索(&S)"));
  BuildFindMenu(*find);
  QMenu* view = menuBar()->addMenu(U("表示(&V)"));
  BuildViewMenu(*view);
  view->addSeparator();
  QAction* outline = FOutlineDock->toggleViewAction();
  outline->setShortcut(QKeySequence(Qt::Key_F8));
  view->addAction(outline);
  QMenu* settings = menuBar()->addMenu(U("設定(&C)"));
  settings->addAction(CustLineNo);
  settings->addAction(CustFormat);
  settings->addAction(CustSaveOptions);
  QMenu* help = menuBar()->addMenu(U("ヘルプ(&H)"));
  help->setStatusTip(U("ヘルプトピック"));
  help->addAction(HelpVorna);
  help->addAction(HelpRunel);
  help->addAction(HelpUreditor);
  help->addSeparator();
  help->addAction(HelpAbout);
  for (QMenu* menu : {file, edit, find, view, settings, help})
    connect(menu, &QMenu::aboutToShow, this, [this] { UpdateActions(); });

  // The editor's context menu.
  FEditor->setContextMenuPolicy(Qt::ActionsContextMenu);
  FEditor->addActions({EditCut, EditCopy, EditPaste});
}

void TVORNAEditorMain::BuildToolBar() {
  FToolBar = new TGradientToolBar(this);
  FToolBar->setMovable(false);
  FToolBar->setFloatable(false);
  FToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  FToolBar->setIconSize(QSize(16, 16));
  FToolBar->setFixedHeight(40);
  FToolBar->setContentsMargins(0, 0, 0, 0);
  if (FToolBar->layout()) FToolBar->layout()->setSpacing(0);
  addToolBar(Qt::TopToolBarArea, FToolBar);
  const auto button = [this](QAction* action, const char* caption) {
    auto* shown = new QAction(action->icon(), U(caption), FToolBar);
    shown->setToolTip(action->toolTip());
    shown->setStatusTip(action->statusTip());
    connect(shown, &QAction::triggered, action, &QAction::trigger);
    connect(action, &QAction::changed, shown, [shown, action] { shown->setEnabled(action->isEnabled()); });
    FToolBar->addAction(shown);
    // Buttons of 49 x 36 with their captions under the images.
    if (QWidget* widget = FToolBar->widgetForAction(shown)) {
      widget->setFixedSize(49, 36);
      QFont small = widget->font();
      small.setPixelSize(10);
      widget->setFont(small);
    }
  };
  button(FileNew, "新規");
  button(FileOpen, "開く");
  button(FileSave, "保存");
  FToolBar->addSeparator();
  button(EditCut, "切り取り");
  button(EditCopy, "コピー");
  button(EditPaste, "貼り付け");
  // The banner keeps to the right end: a spacer takes what is left.
  auto* space = new QWidget(FToolBar);
  space->setMinimumWidth(0);
  space->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  FToolBar->addWidget(space);
  auto* banner = new TBanner;
  banner->setFixedSize(273, 36);
  banner->setScaledContents(true);
  banner->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  banner->setCursor(Qt::PointingHandCursor);
  banner->setToolTip(U("映画「ＶＯＲＮＡ」公式ホームページ"));
  qt::TQtPictureLoader loader;
  banner->setPixmap(JpegPixmap(loader, QStringLiteral(":/pictures/banner.jpg")));
  banner->OnClick = [this] { OpenWebLink(WebLinks.Vorna); };
  FToolBar->addWidget(banner);
}

void TVORNAEditorMain::BuildStatusBar() {
  statusBar()->setSizeGripEnabled(true);
  statusBar()->addWidget(new TStatusPanel(statusBar()), 1);
  FStatusCounts = new TStatusCounts(statusBar());
  statusBar()->addPermanentWidget(FStatusCounts);
  FFormatLabel = new QLabel(statusBar());
  FFormatLabel->setContentsMargins(8, 0, 8, 0);
  FFormatLabel->setToolTip(U("文字コードと改行コード"));
  statusBar()->addPermanentWidget(FFormatLabel);
}

void TVORNAEditorMain::FormCreate() {
  qt::TQtPictureLoader loader;
  try {
    FBackBitmap = loader.LoadJpeg(ResourceBytes(QStringLiteral(":/pictures/back.jpg")));
    View().SetBackgroundBitmap(FBackBitmap.get());
  } catch (const EPictureError&) {
    // Without its picture the editor shows its own background colour.
  }
  FIconPicture = JpegPixmap(loader, QStringLiteral(":/pictures/icon.jpg"));
  if (!FIconPicture.isNull()) setWindowIcon(QIcon(FIconPicture));
  ApplyColorScheme();
  FileNewExecute();
}

void TVORNAEditorMain::ApplyColorScheme() {
  TEditorStyle& s = FEditor->EditorStyle();
  s.BeginUpdate();
  s.GetViewInfo(kElemNormal)->SetFontColor(kSchemeTextColor);
  s.GetViewInfo(kElemSelect)->SetFontColor(0x000000FF);
  s.GetViewInfo(kElemCaretLine)->SetFontColor(0x00FFFFFF);
  s.GetViewInfo(kElemLineInfoTailLine)->SetDisplayMode(kModeShown);
  s.GetViewInfo(kElemLineInfoTailLine)->SetLineColor(0x00FFFFFF);
  s.GetViewInfo(kElemHeading)->SetFontColor(0x0000FFFF);
  s.GetViewInfo(kElemHeading)->SetFontStyle(0);
  s.GetViewInfo(kElemUrl)->SetFontColor(0x00F0CAA6);
  s.GetViewInfo(kElemMail)->SetFontColor(0x00C0DCC0);
  // Matches of the find bar stand out from the dark page (the picture
  // behind the text takes the place of run backgrounds): orange, underlined.
  s.GetViewInfo(kElemFind)->SetFontColor(0x0000A5FF);
  s.GetViewInfo(kElemFind)->SetLineColor(0x0000A5FF);
  s.GetViewInfo(kElemUnfilled)->SetDisplayMode(kModeHidden);
  s.EndUpdate();
}

}  // namespace vorna::app
