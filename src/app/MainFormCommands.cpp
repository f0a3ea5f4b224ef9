// The main window's commands: the save prompt and the close query, new,
// open, reopen in an encoding, save and save as with the refusal of
// characters the encoding cannot hold, the file format shown, preview and
// print, the line-number toggle, the web links, the about box, and the
// action update handlers.
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <filesystem>

#include "FindBars.h"
#include "FormatChoices.h"
#include "FormatDialogs.h"
#include "MainForms.h"
#include "platform/Clipboard.h"
#include "platform/Files.h"
#include "platform/KeyState.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/QtFonts.h"
#include "print/LpPrinters.h"
#include "settings/StyleElements.h"
#include "text/Cp932.h"

namespace vorna::app {
namespace {

// The name of a native path without its folder.
std::string BaseName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

void ConfigureFileDialog(QFileDialog& dialog, bool save) {
  dialog.setNameFilter(QString::fromUtf8("すべてのファイル (*.*)"));
  // A plain text file: "txt" where the user typed no extension.
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !save);
  dialog.setOption(QFileDialog::ReadOnly, false);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setSizeGripEnabled(true);
}

bool AskTwoWay(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QString& yes,
               const QString& no) {
  QMessageBox box(icon, QApplication::applicationDisplayName(), text, QMessageBox::NoButton, parent);
  QPushButton* accept = box.addButton(yes, QMessageBox::AcceptRole);
  QPushButton* reject = box.addButton(no, QMessageBox::RejectRole);
  box.setDefaultButton(accept);
  box.setEscapeButton(reject);
  box.exec();
  return box.clickedButton() == accept;
}

const TWebLinks& DefaultWebLinks() {
  static const TWebLinks links{"https://vorna.example.org/film/", "https://vorna.example.org/runel/",
                               "https://vorna.example.org/editor/"};
  return links;
}

bool TVORNAEditorMain::ReportingFileErrors(const std::function<void()>& operation) {
  try {
    operation();
    return true;
  } catch (const EFileError& error) {
    if (FServices.Boxes) FServices.Boxes->ShowError(FileErrorText(error));
    return false;
  }
}

bool TVORNAEditorMain::ConfirmSave() {
  TEditList& list = View().List();
  if (!list.GetModified()) return true;
  if (!FServices.Boxes) return true;
  // The question comes with the default beep.
  const std::string question = Cp932FromUtf8(BaseName(list.GetFileName())) + Cp932Lit(" を保存しますか？");
  switch (FServices.Boxes->AskYesNoCancel(question)) {
    case TMessageResult::Cancel:
      return false;
    case TMessageResult::No:
      return true;
    case TMessageResult::Yes:
      // A failed or refused save keeps the window and the document as they were.
      return SaveDocument({}, std::nullopt);
  }
  return false;
}

void TVORNAEditorMain::closeEvent(QCloseEvent* event) {
  if (!ConfirmSave()) {
    event->ignore();
    return;
  }
  event->accept();
  const QRect normal = isMaximized() ? normalGeometry() : geometry();
  FPreferences.Placement =
      TWindowPlacement{normal.x(), normal.y(), normal.width(), normal.height(), isMaximized()};
  WritePreferences();
}

void TVORNAEditorMain::FileNewExecute() {
  if (!ConfirmSave()) return;
  FSaveFolder = FServices.Files ? FServices.Files->DocumentsFolder() : std::string();
  if (FSaveFolder.empty()) FSaveFolder = QDir::currentPath().toStdString();
  FEditor->OpenFile(TEditList::NewDocumentName(), false);
  FLineEndsUnified = false;
  DocumentFileChanged();
  UpdateCaption();
}

void TVORNAEditorMain::FileOpenExecute() {
  if (!ConfirmSave()) return;
  const std::optional<std::string> path = AskOpenFileName();
  if (!path) return;
  OpenDocument(*path);
}

void TVORNAEditorMain::OpenDocument(const std::string& path, std::optional<TEncoding> encoding) {
  const bool opened = ReportingFileErrors([this, &path, encoding] {
    FEditor->OpenFile(path, false, encoding);
    FLineEndsUnified = false;
  });
  if (opened) {
    RememberRecentFile(View().List().GetFileName());
    DocumentFileChanged();
  }
  UpdateCaption();
}

void TVORNAEditorMain::FileReopenExecute(TEncoding encoding) {
  if (View().List().IsUntitled() || !ConfirmSave()) return;
  // Read after the prompt: its save may have chosen another name.
  const std::string path = View().List().GetFileName();
  // A file gone meanwhile would leave the document as it is without a word.
  if (FServices.Files && !FServices.Files->FileExists(path)) {
    if (FServices.Boxes)
      FServices.Boxes->ShowError(FileErrorText(EFileError(EFileError::TKind::Open, path, "No such file")));
    return;
  }
  OpenDocument(path, encoding);
}

void TVORNAEditorMain::OpenFromCommandLine(const std::string& name) {
  // The document keeps a full path, so saving and its dialogs do not depend
  // on the folder the program was started in.
  const std::string path = QFileInfo(qt::QPath(name)).absoluteFilePath().toStdString();
  // A name that is no file is an error here (the document ignores it).
  if (FServices.Files && !FServices.Files->PathExists(path)) {
    if (FServices.Boxes)
      FServices.Boxes->ShowError(FileErrorText(EFileError(EFileError::TKind::Open, path, "No such file")));
    return;
  }
  OpenDocument(path);
}

void TVORNAEditorMain::FileSaveExecute() {
  TEditList& list = View().List();
  if (list.IsUntitled()) {
    FileSaveAsExecute();
    return;
  }
  SaveDocument({}, std::nullopt);
  UpdateActions();
}

void TVORNAEditorMain::FileSaveAsExecute() { SaveAsWith(View().List().FileFormat()); }

bool TVORNAEditorMain::SaveAsWith(const TFileFormat& format) {
  // A file that has a name is offered in its own folder.
  const TEditList& list = View().List();
  const std::optional<TSaveChoice> choice =
      AskSaveFileName(list.IsUntitled() ? BaseName(list.GetFileName()) : list.GetFileName(), format);
  if (!choice) return false;
  const bool saved = SaveDocument(choice->Path, choice->Format);
  if (saved) RememberRecentFile(View().List().GetFileName());
  UpdateCaption();
  return saved;
}

bool TVORNAEditorMain::SaveDocument(const std::string& path, std::optional<TFileFormat> format) {
  TEditList& list = View().List();
  if (!ConfirmOverwriteChanged(path)) return false;
  ApplyBackupPreferences();
  try {
    list.SaveToFile(path, format);
    FLineEndsUnified = true;
    UpdateFileFormat();
    DocumentFileChanged();
    return true;
  } catch (const EFileError& error) {
    if (FServices.Boxes) FServices.Boxes->ShowError(FileErrorText(error));
    return false;
  } catch (const EEncodingError& error) {
    // Nothing was written: no character is ever replaced by a stand-in.
    const int line = error.Where.Line;
    const QString text =
        EncodingRefusalText(error.Format, error.Where, line < list.Count() ? list.Get(line) : std::string());
    if (FServices.Boxes) FServices.Boxes->Beep(TBeep::Exclamation);
    if (!AskEncodingRefusal || AskEncodingRefusal(text) != TRefusalAnswer::SaveInUtf8) return false;
    return SaveAsWith({TEncoding::Utf8, false, error.Format.LineEnd});
  }
}

void TVORNAEditorMain::FilePreviewExecute() {
  View().SetPreview(!View().IsPreview());
  UpdateActions();
}

void TVORNAEditorMain::FilePrintExecute() {
  const bool ctrl = FServices.Keys && FServices.Keys->IsKeyDown(kVkControl);
  repaint();
  try {
    View().RunPrintCommand(Cp932FromUtf8(BaseName(View().List().GetFileName())), ctrl);
  } catch (const std::exception& error) {
    if (FServices.Boxes) FServices.Boxes->ShowError(Cp932FromUtf8(error.what()));
  }
  UpdateActions();
}

void TVORNAEditorMain::CustFormatExecute() {
  static const qt::TQtFontList kInstalled;
  const TFontList& fonts = FServices.Fonts ? *FServices.Fonts : static_cast<const TFontList&>(kInstalled);
  TFormatDialog dialog(
      FEditor->EditorStyle(), fonts,
      [this](std::string_view code) { return View().ExpandPageCodes(code, 0); }, this);
  if (RunFormatDialog)
    RunFormatDialog(dialog);
  else
    dialog.exec();
  // The menu and the remembered style follow what the dialog made of the style.
  StyleSwitched();
}

void TVORNAEditorMain::CustLineNoExecute() {
  TViewInfo* lineInfo = FEditor->EditorStyle().GetViewInfo(kElemLineInfo);
  const bool shown = lineInfo->GetDisplayMode() == kModeHidden;
  ApplyLineNumbers(shown);
  FPreferences.LineNumbers = shown;
  WritePreferences();
  if (FPreferenceStore) FPreferenceStore->WriteLastStyle(FEditor->EditorStyle());
  UpdateActions();
}

void TVORNAEditorMain::OpenWebLink(const std::string& address) {
  QApplication::processEvents();
  std::string target = address;
  if (target.find(' ') != std::string::npos &&
      !(target.size() >= 2 && target.front() == '"' && target.back() == '"'))
    target = '"' + target + '"';
  if (OpenAddress) OpenAddress(target);
}

void TVORNAEditorMain::HelpAboutExecute() {
  if (!FAboutBox) {
    FAboutBox = std::make_unique<TVersionDialog>(VerInfo(), this);
    FAboutBox->GradBox().SetEndColor(0x00334877);
    if (!FIconPicture.isNull()) {
      FAboutBox->ImageIcon().setPixmap(FIconPicture);
      FAboutBox->ImageIcon().setFixedSize(FIconPicture.size());
    }
    QLabel& icon = FAboutBox->ImageIcon();
    icon.move(icon.x(), FAboutBox->height() - 8 - icon.height());
    FAboutBox->OnError = [this](const std::string& text) {
      if (FServices.Boxes) FServices.Boxes->ShowError(text);
    };
  }
  FAboutBox->Execute();
}

void TVORNAEditorMain::UpdateCaption() {
  const std::string& name = View().List().GetFileName();
  setWindowTitle(qt::QPath(BaseName(name)) + QStringLiteral("[*]"));
  setWindowModified(View().List().GetModified());
  UpdateActions();
}

void TVORNAEditorMain::UpdateFileFormat() {
  const TEditList& list = View().List();
  FFormatLabel->setText(
      FileFormatStatusText(list.FileFormat(), list.HasMixedLineEnds() && !FLineEndsUnified));
}

void TVORNAEditorMain::UpdateActions() {
  const TEditorView& view = View();
  const bool readOnly = view.IsReadOnly();
  const bool printer = FServices.Printer && FServices.Printer->Info().Count() > 0;
  FileSave->setEnabled(view.List().GetModified());
  FileReopen->setEnabled(!view.List().IsUntitled());
  UpdateFileFormat();
  UpdateStatusCounts();
  FilePreview->setEnabled(printer);
  FilePreview->setChecked(view.IsPreview());
  FilePrint->setEnabled(printer);
  EditCut->setEnabled(view.Selecting() && !readOnly);
  EditCopy->setEnabled(view.Selecting());
  try {
    const bool text = FServices.Clipboard && FServices.Clipboard->HasText();
    EditPaste->setEnabled(text && !readOnly);
  } catch (const std::exception&) {
    // The clipboard could not be asked: the state stays as it was. Told once
    // a run: the check runs on every idle pass.
    if (FServices.Boxes && !FClipboardFailureShown) {
      FClipboardFailureShown = true;
      FServices.Boxes->ShowInfo(Cp932Lit("クリップボードバグの発生。作者にお知らせください。2"));
    }
  }
  EditUndo->setEnabled(view.Undo().CanUndo());
  EditRedo->setEnabled(view.Undo().CanRedo());
  CustLineNo->setChecked(FEditor->EditorStyle().GetViewInfo(kElemLineInfo)->GetDisplayMode() == kModeShown);
  FFindBar->Refresh();
}

}  // namespace vorna::app
