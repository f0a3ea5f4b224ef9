// Loading and saving the document: the access check, the backup rules and
// the untitled-name rule.
#include <filesystem>
#include <initializer_list>

#include "document/EditLists.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"
#include "text/Cp932.h"
#include "text/TextLines.h"
#include "text/UserCodes.h"

namespace vorna {

namespace {

// Thrown from inside a read to stop it once the encoding is known.
struct TEnoughRead {};

// The kind of line end a file has most of; a file without any gets CR LF
// in the Japanese code pages and LF in Unicode.
TLineEnd MajorityLineEnd(const TLineSplitter& splitter, TEncoding encoding) {
  const long long crlf = splitter.CrLfCount(), lf = splitter.LfCount(), cr = splitter.CrCount();
  if (crlf == 0 && lf == 0 && cr == 0)
    return encoding == TEncoding::Cp932 || encoding == TEncoding::EucJp ? TLineEnd::CrLf : TLineEnd::Lf;
  if (crlf >= lf && crlf >= cr) return TLineEnd::CrLf;
  return lf >= cr ? TLineEnd::Lf : TLineEnd::Cr;
}

std::string ReplaceMarks(std::string text, std::initializer_list<std::string> values) {
  for (const std::string& value : values) {
    const size_t at = text.find("%s");
    if (at == std::string::npos) break;
    text.replace(at, 2, value);
  }
  return text;
}

}  // namespace

TEncoding TEditList::SniffWholeFile(const std::string& path) {
  TEncodingSniffer sniffer;
  try {
    FFiles.ReadFileInPieces(path, [&](std::string_view piece) {
      sniffer.Feed(piece);
      if (sniffer.Decided()) throw TEnoughRead{};
    });
  } catch (const TEnoughRead&) {
  }
  return sniffer.Encoding();
}

// The file is decoded and split into lines as it is read, so that its bytes
// and its lines are never held at once; the lines go into a sequence of their
// own and replace the document's only when the whole file was read.
void TEditList::ReadLines(const std::string& path, TTextDecoder& decoder, TLineSplitter& splitter,
                          TLineStore& lines) {
  const auto add = [&lines](std::string_view line) { lines.PushBack(line); };
  std::string text;
  FFiles.ReadFileInPieces(path, [&](std::string_view piece) {
    text.clear();
    decoder.Feed(piece, text);
    splitter.Feed(text, add);
  });
  text.clear();
  decoder.Finish(text);
  splitter.Feed(text, add);
  splitter.Finish(add);
}

void TEditList::LoadFromFile(const std::string& path, std::optional<TEncoding> encoding) {
  if (!FFiles.FileExists(path)) {
    // A folder, a FIFO or a device is not a document: say so rather than
    // doing nothing silently, and read nothing (a FIFO or /dev/zero never ends).
    if (FFiles.FolderExists(path)) throw EFileError(EFileError::TKind::Open, path, "Is a directory");
    if (FFiles.PathExists(path))
      throw EFileError(EFileError::TKind::Open, path, "通常のファイルではありません");
    return;
  }
  bool readOnly = FFiles.CheckAccess(path) == TFileAccess::ReadOnly;
  // Without a chosen encoding the first piece is looked at. When it already
  // decides, or is the whole file, that is the encoding. When it looks like
  // UTF-8 (or like EUC-JP and nothing else), the file is read so at once and
  // looked at as a whole only should a byte then fail to decode; otherwise it
  // is looked at as a whole first.
  bool tentative = false;
  if (!encoding) {
    TEncodingSniffer sniffer;
    int pieces = 0;
    try {
      FFiles.ReadFileInPieces(path, [&](std::string_view piece) {
        if (++pieces > 1) throw TEnoughRead{};
        sniffer.Feed(piece);
        if (sniffer.Decided()) throw TEnoughRead{};
      });
    } catch (const TEnoughRead&) {
    }
    if (pieces <= 1 || sniffer.Decided()) {
      encoding = sniffer.Encoding();
    } else if (sniffer.LooksLikeUtf8() || sniffer.LooksLikeEucJpOnly()) {
      encoding = sniffer.LooksLikeUtf8() ? TEncoding::Utf8 : TEncoding::EucJp;
      tentative = true;
    } else {
      encoding = SniffWholeFile(path);
    }
  }
  TTextDecoder decoder(*encoding);
  TLineSplitter splitter;
  TLineStore lines;
  ReadLines(path, decoder, splitter, lines);
  if (tentative && decoder.Invalid() > 0) {
    encoding = SniffWholeFile(path);
    decoder = TTextDecoder(*encoding);
    splitter = TLineSplitter();
    lines.Clear();
    ReadLines(path, decoder, splitter, lines);
  }
  // A NUL ends the text, so such a file is shown cut short; it opens read-only
  // so that saving cannot replace the whole file with its beginning.
  FReadOnlyReason = readOnly ? TReadOnlyReason::NotWritable : TReadOnlyReason::None;
  FNulOffsetBytes = splitter.SawNul() ? NulOffset(path) : -1;
  if (splitter.SawNul()) FReadOnlyReason = TReadOnlyReason::NulByte;
  if (decoder.Lost() > 0) FReadOnlyReason = TReadOnlyReason::LostCharacters;
  FReadOnlyFile = FReadOnlyReason != TReadOnlyReason::None;
  FDiskIdentity = FFiles.Identity(path);
  FFormat = {*encoding, decoder.SawBom(), MajorityLineEnd(splitter, *encoding)};
  FMixedLineEnds = (splitter.CrLfCount() > 0) + (splitter.LfCount() > 0) + (splitter.CrCount() > 0) > 1;
  FLostCharacters = decoder.Lost();
  FLoading = true;
  // Every final line break is kept as an empty last line, so saving writes it again.
  SetLines(std::move(lines), splitter.EndsWithBreak());
  FUntitled = false;
  SetFileName(path);
  const std::string shownPath = Cp932TextFromUtf8(path);
  if (FLostCharacters > 0) {
    FMessages.ShowError(
        ReplaceMarks(Cp932Lit("ファイル \"%s\" には、外字の領域に空きがなく表せない文字が %s 個あります。"
                              "読み取り専用で開きます。"),
                     {shownPath, std::to_string(FLostCharacters)}));
  } else if (decoder.Invalid() > 0) {
    FMessages.ShowInfo(ReplaceMarks(
        Cp932Lit("ファイル \"%s\" には %s として正しくないバイトが %s 個あります。そのまま保存されます。"),
        {shownPath, EncodingName(*encoding, false), std::to_string(decoder.Invalid())}));
  }
}

// Where the first NUL byte of the file is. Only the byte encodings end the
// text at one; Unicode files keep NUL as a character.
long long TEditList::NulOffset(const std::string& path) {
  long long at = 0, found = -1;
  try {
    FFiles.ReadFileInPieces(path, [&](std::string_view piece) {
      if (const size_t nul = piece.find('\0'); nul != std::string_view::npos) {
        found = at + static_cast<long long>(nul);
        throw TEnoughRead{};
      }
      at += static_cast<long long>(piece.size());
    });
  } catch (const TEnoughRead&) {
  }
  return found;
}

TDiskState TEditList::DiskState() const {
  if (FUntitled || FFileName.empty() || !FDiskIdentity) return TDiskState::Unchanged;
  const std::optional<TFileIdentity> now = FFiles.Identity(FFileName);
  if (!now) return FFiles.PathExists(FFileName) ? TDiskState::Changed : TDiskState::Deleted;
  return *now == *FDiskIdentity ? TDiskState::Unchanged : TDiskState::Changed;
}

void TEditList::RememberDiskIdentity() { FDiskIdentity = FFiles.Identity(FFileName); }

void TEditList::AdoptFileState(const TEditList& read) {
  FFormat = read.FFormat;
  FMixedLineEnds = read.FMixedLineEnds;
  FLostCharacters = read.FLostCharacters;
  FReadOnlyFile = read.FReadOnlyFile;
  FReadOnlyReason = read.FReadOnlyReason;
  FNulOffsetBytes = read.FNulOffsetBytes;
  FDiskIdentity = read.FDiskIdentity;
}

void TEditList::ClearReadOnly() {
  if (FReadOnlyReason != TReadOnlyReason::NotWritable) return;
  FReadOnlyReason = TReadOnlyReason::None;
  FReadOnlyFile = false;
}

bool TEditList::EncodeText(const TFileFormat& format, std::string& bytes, TUnheldCharacter& problem) const {
  const TTextEncoder encoder(format);
  bytes.clear();
  encoder.Begin(bytes);
  const int count = FLines.Size();
  for (int i = 0; i < count; ++i)
    if (!encoder.Line(FLines[i], i, i + 1 == count, bytes, problem)) return false;
  return true;
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

TSaveOptions TEditList::BackupOptions() {
  namespace fs = std::filesystem;
  TSaveOptions options;
  options.OnBackupFailed = [this](const std::string&) {
    FMessages.ShowError(Cp932Lit("バックアップを作成することができませんでした！"));
  };
  switch (FBackupMode) {
    case bmBackupFolder:
      if (FBackupFolder.empty()) break;
      if (!FFiles.FolderExists(FBackupFolder) && !FFiles.CreateFolders(FBackupFolder)) {
        options.OnBackupFailed(FBackupFolder);
        break;
      }
      options.Backup = TSaveOptions::TBackup::File;
      options.BackupPath = FBackupFolder + fs::path(FFileName).filename().string();
      break;
    case bmBakExtension:
      options.Backup = TSaveOptions::TBackup::File;
      options.BackupPath = fs::path(FFileName).replace_extension(".bak").string();
      break;
    case bmTrash:
      options.Backup = TSaveOptions::TBackup::Trash;
      break;
    default:
      break;
  }
  return options;
}

void TEditList::SaveToFile(const std::string& path, std::optional<TFileFormat> format) {
  const TFileFormat target = format.value_or(FFormat);
  if (FLostCharacters > 0)
    throw EFileError(EFileError::TKind::Create, path.empty() ? FFileName : path,
                     "the text was not read whole (characters without a code), so it is not written");
  // Encoded first: a character the encoding cannot hold stops the save
  // before the name, the backup or the file change.
  std::string bytes;
  TUnheldCharacter problem;
  if (!EncodeText(target, bytes, problem)) throw EEncodingError(target, problem);
  if (!path.empty()) {
    SetFileName(path);
  } else if (FUntitled) {
    SetFileName(UnusedUntitledName());
  }
  // A backup only once the file exists (a new file has none), and never by
  // moving the old file away: a failed write leaves it under its name.
  const TSaveReport report =
      FFiles.SaveFile(FFileName, bytes, FFiles.FileExists(FFileName) ? BackupOptions() : TSaveOptions{});
  if (!report.OwnerKept && !FOwnerChangeTold) {
    FOwnerChangeTold = true;
    FMessages.ShowInfo(
        ReplaceMarks(Cp932Lit("ファイル \"%s\" の所有者を元に戻せませんでした。保存した人の所有になります。"),
                     {Cp932TextFromUtf8(FFileName)}));
  }
  FFormat = target;
  FDiskIdentity = FFiles.Identity(FFileName);
  SetModified(false);
  FUntitled = false;
}

std::string FileErrorText(const EFileError& error) {
  const char* form = error.Kind == EFileError::TKind::Open ? "ファイル \"%s\" は開けません。%s"
                                                           : "ファイル \"%s\" を作成できません。%s";
  std::string text = form;
  text.replace(text.find("%s"), 2, error.Path);
  text.replace(text.find("%s"), 2, error.Reason);
  if (!error.KeptCopy.empty()) text += "元の内容は \"" + error.KeptCopy + "\" に残っています。";
  return Cp932TextFromUtf8(text);
}

}  // namespace vorna
