// TVORNAEditorMain: the main window. One editor control between a toolbar
// (captions under the images, a gradient, the banner at its right end) and a
// status bar with one drawn panel; the actions behind the menus, the toolbar
// and the editor's context menu with their update handlers; the colour
// scheme and the background picture given to the editor; the file commands
// with the save prompt, the file format in the status bar, reopening in a
// chosen encoding and the refusal of a save the encoding cannot hold;
// preview, print, the PDF and EPUB exports, line numbers, the web links and the about
// box; the counts in the status bar and the "文書情報" dialog; the styles of the
// "表示" menu and the preferences remembered per user; the autosave of the
// unsaved text and the offer of what was left unsaved; the file on disk
// watched, the lock of a file open elsewhere and the notices; the outline
// dock, going to a line or page, and opening dropped files; the find bar
// and its "検索" menu.
//
// Construction, actions and menus live in MainForms.cpp, the commands in
// MainFormCommands.cpp, the style commands in MainFormStyles.cpp, the
// preferences and recent files in MainFormPreferences.cpp, the PDF export in
// MainFormPdfExports.cpp, the EPUB export in MainFormEpubExports.cpp,
// autosave and recovery in MainFormRecovery.cpp, the
// file on disk in MainFormDiskWatches.cpp, the counts in MainFormCounts.cpp,
// going to a line or page in MainFormGoTo.cpp, dropped files in
// MainFormDrops.cpp, the find menu in MainFormFinds.cpp.
#pragma once

#include <QAction>
#include <QFileDialog>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QToolBar>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "AutoSaves.h"
#include "EpubExportDialogs.h"
#include "GoToDialogs.h"
#include "Preferences.h"
#include "RecoveryDialogs.h"
#include "VersionDialogs.h"
#include "control/EditorControls.h"
#include "platform/Files.h"
#include "platform/PlatformServices.h"
#include "platform/ProcessLocks.h"
#include "text/TextEncodings.h"

namespace vorna::app {

class TDocumentInfoDialog;
class TFindBar;
class TFormatDialog;
class TNoticeBar;
class TOutlineDock;
class TSaveOptionDialog;
class TStatusCounts;

// The open and save dialogs' settings: every file shown, "txt" added to a
// name typed without an extension, and (saving) asking before overwriting.
void ConfigureFileDialog(QFileDialog& dialog, bool save);

// A question over `parent` with two buttons: `yes` (the default) and `no`
// (also Escape and closing the box); true for `yes`.
bool AskTwoWay(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QString& yes,
               const QString& no);

// The PDF export's save dialog over `parent`, opened at `suggested` (a full
// path), asking before overwriting and adding "pdf" to a bare name.
std::optional<std::string> AskPdfFileNameInDialog(QWidget* parent, const std::string& suggested);

// The addresses of the three web-link actions.
struct TWebLinks {
  std::string Vorna;
  std::string Runel;
  std::string Ureditor;
};
const TWebLinks& DefaultWebLinks();

// What the save dialog returns: the path and the format to write it in.
struct TSaveChoice {
  std::string Path;
  TFileFormat Format;
};

// The answers to a save the encoding cannot hold.
enum class TRefusalAnswer { SaveInUtf8, Cancel };

class TViewMenu;

// The text colour of the window's colour scheme (FormCreate's, on preset 0).
constexpr TColor kSchemeTextColor = 0x00FFFFFF;

class TVORNAEditorMain : public QMainWindow {
 public:
  // `services` (with message boxes, files, shell, clipboard) must outlive
  // the window.
  explicit TVORNAEditorMain(const TPlatformServices& services, QWidget* parent = nullptr);
  ~TVORNAEditorMain() override;

  control::TEditor& Editor() const { return *FEditor; }
  TEditorView& View() const { return FEditor->EditorView(); }

  // --- actions (names as the action list has them) -----------------------------
  QAction* FileNew;
  QAction* FileOpen;
  QAction* FileSave;
  QAction* FileSaveAs;
  QAction* FileReopen;  // the submenu of the encodings to reopen the file in
  QAction* FilePreview;
  QAction* FilePrint;
  QAction* FileExportPdf;
  QAction* FileExportEpub;
  QAction* FileInfo;  // the document's counts
  QAction* FileExit;
  QAction* EditCut;
  QAction* EditCopy;
  QAction* EditPaste;
  QAction* EditUndo;
  QAction* EditRedo;
  QAction* EditGoTo;  // "移動(&G)...", Ctrl+G
  // The "検索" menu (MainFormFinds.cpp): the find bar (Ctrl+F), with its
  // replace row (Ctrl+H), the next and previous match (F3, Shift+F3). Window
  // shortcuts, so they take these keys before the editor's own table.
  QAction* SearchFind;
  QAction* SearchReplace;
  QAction* SearchNext;
  QAction* SearchPrevious;
  QAction* CustLineNo;
  QAction* CustFormat;       // the format dialog
  QAction* CustSaveOptions;  // the backup rule
  QAction* HelpVorna;
  QAction* HelpRunel;
  QAction* HelpUreditor;
  QAction* HelpAbout;

  // Runs every action's update handler (done on idle, before menus open and
  // after the editor's changes).
  void UpdateActions();
  // Yes saves, No goes on without saving, Cancel stops; true when the caller
  // may go on.
  bool ConfirmSave();

  // The execute handlers.
  void FileNewExecute();
  void FileOpenExecute();
  void FileSaveExecute();
  void FileSaveAsExecute();
  // Reopens the document's file in `encoding`, after the save prompt.
  void FileReopenExecute(TEncoding encoding);
  void FilePreviewExecute();
  void FilePrintExecute();
  // Writes the document as the window's style prints it to a PDF file the
  // user names, through the job of --print-pdf; long documents show their
  // progress with a cancel button. A cancelled or failed export leaves no
  // file; failures are reported. The document is never changed.
  void FileExportPdfExecute();
  // Writes the document as an EPUB book (export/EpubBooks.h) in the style's
  // writing direction, after asking its title and author (offered from its
  // first two lines) and the file; a failed export leaves no file and is
  // reported. The document is never changed.
  void FileExportEpubExecute();
  // The "文書情報" dialog: the counts of the document (MainFormCounts.cpp).
  void FileInfoExecute();
  void CustLineNoExecute();
  // The format dialog on the editor's style.
  void CustFormatExecute();
  // The save options dialog: the backup rule and folder, kept per user.
  void CustSaveOptionsExecute();
  void HelpAboutExecute();
  // The go-to dialog, then the jump; the dialog refuses a number that names
  // no line or page.
  void EditGoToExecute();
  // Takes the caret to the start of line or page `target` (1-based) and
  // centres it; false, nothing moved, when there is no such line or page
  // (StylePages.h: a style without paper or rows per page has no pages).
  bool GoTo(const TGoToTarget& target);
  // Runs the go-to dialog (exec); true when accepted. Replaceable (tests).
  std::function<bool(TGoToDialog& dialog)> RunGoToDialog;
  // Opens the first of `paths` (native paths of dropped files) through the
  // save prompt, as the open command does; more than one are said in a
  // notice naming how many were not opened.
  void OpenDroppedFiles(const std::vector<std::string>& paths);
  // The "アウトライン" dock (表示 menu, F8).
  TOutlineDock& OutlineDock() const { return *FOutlineDock; }
  // Opens a file named on the command line; errors are reported, the window
  // keeps its document.
  void OpenFromCommandLine(const std::string& path);

  // --- styles and zoom (the "表示" menu) ------------------------------------------
  // Each is one change of the style (one layout); the caret keeps its text
  // position. The window's colour scheme goes on top of preset 0 only.
  void ChoosePreset(int index);
  // False with a message when the style is not stored.
  bool ChooseUserStyle(const std::string& name);
  // Takes a copy of `style` (as read from a file or the store) with the zoom
  // in use kept.
  void UseStyle(TEditorStyle& style);
  // These change the style: a preset becomes a user style named after it
  // with "（変更）".
  void SetVerticalWriting(bool vertical);
  void TogglePaper();
  // A zoom in percent or a fit mode (kRatioFitSheet, kRatioFitWidth).
  void ZoomTo(int ratio);
  void ZoomInExecute();
  void ZoomOutExecute();
  void SaveStyleExecute();
  void ManageStylesExecute();
  void ImportStyleExecute();
  void ExportStyleExecute();
  // Ask for the new name or confirmation; true when done.
  bool RenameUserStyleExecute(const std::string& name);
  bool DeleteUserStyleExecute(const std::string& name);
  TViewMenu& ViewMenu() const { return *FViewMenu; }

  // --- preferences -----------------------------------------------------------------
  // Reads the preferences of the per-user store (the last style, the zoom,
  // the line-number toggle, the recent files, the window's place) and keeps
  // them there from now on. Without it the window stores nothing.
  void StartWithPreferences();
  // Shows the window where it was (maximised when it was), else centred.
  void ShowWindow();
  const std::vector<std::string>& RecentFiles() const { return FPreferences.RecentFiles; }
  QMenu* RecentMenu() const { return FRecentMenu; }
  // Opens a recent file; one that is gone leaves the list with a message.
  void OpenRecentFile(const std::string& path);
  // Where the failures of the store are told (standard error).
  TPreferenceStore::TWarning OnPreferenceWarning;

  // --- autosave and recovery (MainFormRecovery.cpp) -------------------------------
  // Keeps the unsaved text in a recovery file of `folder` from now on, after
  // the preferences' idle wait (so StartWithPreferences first); a clean
  // close or a save removes it. Without it nothing is kept.
  void StartRecovery(const std::string& folder);
  // Offers the recovery files of windows that are gone, one by one
  // (AskRecovery): the first restored comes into this window while it holds
  // an untitled, unmodified document, the others into windows of their own
  // (StartRecoveryWindow). Damaged files are named with their reasons and
  // left in place.
  void OfferRecoveries();
  // Restores the recovery file at `path` (--recover) into this window; false
  // with a message, the file left in place, when it cannot be.
  bool RecoverFile(const std::string& path);
  // The program is ended from outside (a signal): the unsaved text is kept
  // in its recovery file and the program ends without asking.
  void EndKeepingText();
  TAutoSaver* AutoSaver() const { return FAutoSaver.get(); }
  // The offer of one recovery file. Replaceable (tests).
  std::function<TRecoveryAnswer(const TRecoveryRecord& record)> AskRecovery =
      [this](const TRecoveryRecord& record) { return AskRecoveryInDialog(this, record); };
  // Starts a window of its own restoring `path`; false when it cannot be
  // started. Replaceable (tests).
  std::function<bool(const std::string& path)> StartRecoveryWindow = StartWindowRecovering;

  // The file dialogs: a chosen path (saving: with a format, preselected from
  // `format`) or nothing. Replaceable (tests).
  std::function<std::optional<std::string>()> AskOpenFileName;
  std::function<std::optional<TSaveChoice>(const std::string& initial, const TFileFormat& format)>
      AskSaveFileName;
  // The PDF export's save dialog, starting at `suggested` (a full path): the
  // chosen path or nothing. Replaceable (tests).
  std::function<std::optional<std::string>(const std::string& suggested)> AskPdfFileName;
  // The EPUB export's title and author dialog and its save dialog (from
  // `suggested`, a full path). Replaceable (tests).
  std::function<std::optional<TBookTitle>(const TBookTitle& offered)> AskEpubTitle;
  std::function<std::optional<std::string>(const std::string& suggested)> AskEpubFileName;
  // Sheets from which the PDF export shows its progress dialog.
  int PdfProgressSheets = 200;
  // Asks what to do about a save the encoding cannot hold. Replaceable (tests).
  std::function<TRefusalAnswer(const QString& text)> AskEncodingRefusal;
  // Asks a style's name (CP932) under `title`, offering `initial`.
  // Replaceable (tests).
  std::function<std::optional<std::string>(const QString& title, const std::string& initial)> AskStyleName;
  // The style file to read or (`save`) to write. Replaceable (tests).
  std::function<std::optional<std::string>(bool save, const std::string& initial)> AskStyleFile;
  // Runs the format dialog (exec). Replaceable (tests).
  std::function<void(TFormatDialog& dialog)> RunFormatDialog;
  // Runs the document information dialog (exec). Replaceable (tests).
  std::function<void(TDocumentInfoDialog& dialog)> RunDocumentInfoDialog;
  // Runs the save options dialog; true when accepted. Replaceable (tests).
  std::function<bool(TSaveOptionDialog& dialog)> RunSaveOptionDialog;
  // Opens an address with the desktop. Replaceable (tests).
  std::function<void(const std::string& address)> OpenAddress;
  TWebLinks WebLinks = DefaultWebLinks();
  TVersionDialog* AboutBox() const { return FAboutBox.get(); }
  const std::string& SaveFolder() const { return FSaveFolder; }
  // The status bar's text of the document's encoding and line end.
  QString FileFormatText() const { return FFormatLabel->text(); }
  // The status bar's counts beside it.
  TStatusCounts& StatusCounts() const { return *FStatusCounts; }

  // --- the file on disk (MainFormDiskWatches.cpp) --------------------------------
  // Whether to read the file changed on disk again (true) or keep the
  // editor's text; whether to save over a file changed on disk since it was
  // read. Replaceable (tests).
  std::function<bool(const QString& text)> AskReload;
  std::function<bool(const QString& text)> AskOverwriteChanged;
  // Where the document locks are (tests set their own).
  std::string LockFolder = DocumentLockFolder();
  TNoticeBar& Notices() const { return *FNotices; }
  // The find bar above the status bar.
  TFindBar& FindBar() const { return *FFindBar; }
  // Looks at the document's file now (the watcher calls it after a change):
  // a changed file asks to be read again (once per version), a deleted one
  // or one replaced by a folder is told and the document marked modified.
  void CheckDiskFile();
  // Reads the document's file again as one undoable change whose end is the
  // save point; false (told) when it cannot be read.
  bool ReloadDocument();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Coming back to the window looks at the file too: network folders send
  // no change notices.
  void changeEvent(QEvent* event) override;
  // Ctrl+wheel over the editor zooms.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Files dropped anywhere on the window are opened; other drops are refused.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QAction* MakeAction(const char* category, const char* caption, const char* hint, int image);
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  // FormCreate: the background picture, the colour scheme, a new document.
  void FormCreate();
  void ApplyColorScheme();
  void UpdateCaption();
  // Runs a file operation; its EFileError goes to the standard error box.
  bool ReportingFileErrors(const std::function<void()>& operation);
  // Opens `path` (in `encoding` when given), reporting file errors.
  void OpenDocument(const std::string& path, std::optional<TEncoding> encoding = std::nullopt);
  // Save, save as and the save prompt's Yes end here: true when the file was
  // written. A character the encoding cannot hold is refused, offering to
  // save as UTF-8 instead.
  bool SaveDocument(const std::string& path, std::optional<TFileFormat> format);
  // The save dialog with `format` preselected, then the save.
  bool SaveAsWith(const TFileFormat& format);
  void UpdateFileFormat();
  void UpdateStatusCounts();
  void OpenWebLink(const std::string& address);
  void BuildViewMenu(QMenu& menu);
  void BuildFindMenu(QMenu& menu);
  // A preset about to change becomes a user style named after it.
  void MakeUserStyle();
  // After the style changed: the menu checked, the style remembered.
  void StyleSwitched();
  // The preferences kept now, written when there is a store.
  void WritePreferences();
  void RememberRecentFile(const std::string& path);
  void UpdateRecentMenu();
  void UpdateUserStyles();
  bool ApplyLineNumbers(bool shown);
  // The backup rule of the preferences given to the documents.
  void ApplyBackupPreferences();
  void BuildDiskWatch();
  // After a document was opened, saved under a name or made new: the file
  // watched, the lock taken, the read-only notice.
  void DocumentFileChanged();
  void WatchFile();
  void ShowReadOnlyNotice();
  void MakeDocumentWritable();
  // True when saving to `path` (empty: the document's name) may go on: the
  // file did not change on disk since it was read, or the user said so.
  bool ConfirmOverwriteChanged(const std::string& path);
  // A change of the text or of its modified mark, for the autosave.
  void NoteRecoveryChange();
  // Makes the offered record this window's document; false with a message.
  bool RestoreRecovery(TRecoveryOffer& offer);
  // The document's path with ".pdf" in place of its extension; an untitled
  // document's name in the save folder.
  std::string SuggestedPdfPath() const;

  const TPlatformServices FServices;
  control::TEditor* FEditor;
  QToolBar* FToolBar = nullptr;
  QMenu* FReopenMenu = nullptr;
  QMenu* FRecentMenu = nullptr;
  std::unique_ptr<TViewMenu> FViewMenu;
  std::unique_ptr<TPreferenceStore> FPreferenceStore;  // null: nothing stored
  TPreferences FPreferences;
  int FWheelRemainder = 0;
  QLabel* FFormatLabel = nullptr;
  TStatusCounts* FStatusCounts = nullptr;
  QTimer FIdleUpdate;
  std::unique_ptr<TBitmap> FBackBitmap;
  QPixmap FIconPicture;
  std::unique_ptr<TVersionDialog> FAboutBox;
  std::string FSaveFolder;
  bool FClipboardFailureShown = false;
  // Saved since it was opened: the file's line ends are no longer mixed.
  bool FLineEndsUnified = false;
  TNoticeBar* FNotices = nullptr;
  TOutlineDock* FOutlineDock = nullptr;
  TFindBar* FFindBar = nullptr;
  QFileSystemWatcher FWatcher;
  QTimer FDiskCheck;
  TDocumentLock FLock;
  std::string FLockedPath;
  std::optional<TFileIdentity> FAskedIdentity;  // the version on disk last asked about
  bool FGoneTold = false;
  bool FCheckingDisk = false;
  std::unique_ptr<TAutoSaver> FAutoSaver;  // null: nothing kept
  bool FEnding = false;                    // ended from outside
};

}  // namespace vorna::app
