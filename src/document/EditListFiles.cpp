// Loading and saving the document: the access check, the backup rules and
// the untitled-name rule.
#include <filesystem>

#include "document/EditLists.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"
#include "text/Cp932.h"
#include "text/TextLines.h"

namespace vorna {

void TEditList::LoadFromFile(const std::string& path) {
  if (!FFiles.FileExists(path)) {
    // A folder is not a document: say so rather than doing nothing silently.
    if (FFiles.FolderExists(path)) throw EFileError(EFileError::TKind::Open, path, "Is a directory");
    return;
  }
  bool readOnly = FFiles.CheckAccess(path) == TFileAccess::ReadOnly;
  // The file is split into lines as it is read, so that its bytes and its
  // lines are never held at once; the lines go into a sequence of their own
  // and replace the document's only when the whole file was read.
  TLineSplitter splitter;
  TBlockedSequence<std::string, TPlainFields<std::string>, 256> lines;
  const auto add = [&lines](std::string&& line) { lines.PushBack(std::move(line)); };
  FFiles.ReadFileInPieces(path, [&](std::string_view piece) { splitter.Feed(piece, add); });
  splitter.Finish(add);
  // A NUL ends the text, so such a file is shown cut short; it opens read-only
  // so that saving cannot replace the whole file with its beginning.
  if (splitter.SawNul()) readOnly = true;
  FReadOnlyFile = readOnly;
  FLoading = true;
  SetLines(std::move(lines), splitter.EndsWithCrLf());
  FUntitled = false;
  SetFileName(path);
}

std::string TEditList::UnusedUntitledName() {
  namespace fs = std::filesystem;
  const fs::path here = fs::path(FFiles.CurrentDirectory()) / fs::u8path(NewDocumentName());
  if (!FFiles.FileExists(here.string())) return here.string();
  const fs::path name = fs::u8path(NewDocumentName());
  const std::string stem = name.stem().string();
  const std::string extension = name.extension().string();
  const fs::path folder = FFiles.DocumentsFolder();
  for (int counter = 1;; ++counter) {
    const fs::path candidate = folder / (stem + std::to_string(counter) + extension);
    if (!FFiles.FileExists(candidate.string())) return candidate.string();
  }
}

void TEditList::MakeBackup() {
  namespace fs = std::filesystem;
  if (!FFiles.FileExists(FFileName)) return;
  try {
    switch (FBackupMode) {
      case bmBackupFolder: {
        if (FBackupFolder.empty()) break;
        if (!FFiles.FolderExists(FBackupFolder) && !FFiles.CreateFolders(FBackupFolder))
          throw EFileError(EFileError::TKind::Create, FBackupFolder, "cannot create the backup folder");
        const std::string target = FBackupFolder + fs::path(FFileName).filename().string();
        if (FFiles.FileExists(target)) FFiles.DeleteFile(target);
        FFiles.MoveFile(FFileName, target);
        break;
      }
      case bmBakExtension: {
        const std::string target = fs::path(FFileName).replace_extension(".bak").string();
        if (FFiles.FileExists(target)) FFiles.DeleteFile(target);
        FFiles.MoveFile(FFileName, target);
        break;
      }
      case bmTrash:
        FFiles.MoveToTrash(FFileName);
        break;
      default:
        break;
    }
  } catch (const std::exception&) {
    FMessages.ShowError(Cp932Lit("バックアップを作成することができませんでした！"));
  }
}

void TEditList::SaveToFile(const std::string& path) {
  if (!path.empty()) {
    SetFileName(path);
  } else if (FUntitled) {
    SetFileName(UnusedUntitledName());
  }
  MakeBackup();
  FFiles.WriteFile(FFileName, GetText());  // temporary file renamed into place
  SetModified(false);
  FUntitled = false;
}

std::string FileErrorText(const EFileError& error) {
  const char* form = error.Kind == EFileError::TKind::Open ? "ファイル \"%s\" は開けません。%s"
                                                           : "ファイル \"%s\" を作成できません。%s";
  std::string text = form;
  text.replace(text.find("%s"), 2, error.Path);
  text.replace(text.find("%s"), 2, error.Reason);
  return Cp932FromUtf8(text);
}

}  // namespace vorna
