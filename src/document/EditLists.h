// The document: the lines of one CP932 text file with its name, modified and
// untitled state, backup rule and events, and the row table its lines are
// wrapped into.
#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "document/BlockedSequences.h"
#include "document/DocumentLayouts.h"
#include "document/EditSettings.h"
#include "document/LineObservers.h"
#include "document/LineStores.h"
#include "document/RowInfos.h"
#include "document/TextPositions.h"
#include "platform/Files.h"
#include "settings/DataLists.h"
#include "settings/EditorStyles.h"
#include "text/TextEncodings.h"

namespace vorna {

class TFileService;
class TLineSplitter;
class TMessageBoxes;
class EFileError;

// Saving stopped before anything was written: the document holds a character
// that the file's encoding cannot hold.
class EEncodingError : public std::runtime_error {
 public:
  EEncodingError(TFileFormat format, TUnheldCharacter where)
      : std::runtime_error("the encoding cannot hold a character"), Format(format), Where(where) {}
  TFileFormat Format;
  TUnheldCharacter Where;
};
// Result records of the range operations (document/EditResults.h).
struct TEditResult;
struct TFormatResult;
struct TRestoreResult;

// A document's text that was never saved, as it is kept outside the
// document's own file to be restored after the program ended.
struct TUnsavedText {
  std::string Bytes;  // the text as a file in TextEncoding
  TEncoding TextEncoding = TEncoding::Utf8;
  TFileFormat Format;    // the document's own file format
  std::string FileName;  // native path; an untitled document's name
  bool Untitled = false;
  std::optional<TFileIdentity> Disk;  // the file as last loaded or saved
};

// Why a document opened read-only.
enum class TReadOnlyReason {
  None,
  NotWritable,     // no write permission on the file, or a read-only mount
  NulByte,         // the file holds a NUL and was cut there
  LostCharacters,  // characters without a free user-defined code
};

// The file under a document's name compared with the one it was read from.
enum class TDiskState { Unchanged, Changed, Deleted };

enum TBackupMode { bmNone = 0, bmBackupFolder = 1, bmBakExtension = 2, bmTrash = 3 };

// Selection gestures, numbered as the view's commands number them.
enum TSelectKind { skCharacter = 1, skWord = 2, skRow = 3, skLine = 4, skPage = 5, skAll = 6 };

// Progress stages of a full layout.
enum TRelayoutStage { rsStart = 0, rsProgress = 1, rsSlowLayout = 2, rsDone = 3 };

class TEditList {
 public:
  using TNotifyEvent = std::function<void(TEditList* sender)>;
  using TWorkingInfoEvent = std::function<void(TEditList* sender, int status, int index, bool& cancel)>;

  // The services are not owned and must outlive the document.
  TEditList(TFileService& files, TMessageBoxes& messages);
  TEditList(const TEditList&) = delete;
  TEditList& operator=(const TEditList&) = delete;
  // Tells the observers that the document goes.
  ~TEditList();

  // The name an untitled document carries (native path form).
  static const std::string& NewDocumentName();

  // --- lines ---------------------------------------------------------------
  // The lines are kept in blocks (document/LineStores.h): reaching a line by
  // index costs O(log lines) (O(1) when walking them in order), changing,
  // inserting or deleting one costs at most one block.
  int Count() const { return FLines.Size(); }
  // Bytes of all lines together, without line breaks.
  size_t TextBytes() const { return FLines.TextBytes(); }
  // Calls visit(line) for every line in order, faster than Get line by line.
  template <class TVisit>
  void ForEachLine(TVisit visit) const {
    FLines.ForEachLine(visit);
  }
  // Calls visit(bytes, ends, firstLine) for runs of lines held one after
  // another (line firstLine + i ends at ends[i] in bytes), in order: for
  // scans that are faster over many lines at once.
  template <class TVisit>
  void ForEachLineRun(TVisit visit) const {
    FLines.ForEachBlock(visit);
  }
  // Empty for an index outside the document. The view stays valid until the
  // next change of any line (Put, Insert, Add, Delete, InsertLines,
  // DeleteLines, Clear, Exchange, a new text or a load): copy it to keep it
  // over an edit. Every changing function accepts a view of the document's
  // own lines.
  std::string_view Get(int index) const {
    return index >= 0 && index < Count() ? FLines[index] : std::string_view();
  }
  // A copy of every line (O(text)).
  std::vector<std::string> Lines() const;

  void Put(int index, std::string_view s);
  void Insert(int index, std::string_view s);
  void Add(std::string_view s);
  void Delete(int index);
  // The same for a block of lines at once, so a long paste or deletion costs
  // in proportion to its own lines. The row table and the modified state
  // follow as for the single primitives.
  void InsertLines(int index, const std::vector<std::string>& lines);
  void DeleteLines(int first, int count);
  // Leaves one empty line and no rows; not a modification.
  void Clear();
  void Exchange(int i, int j);

  // Bulk brackets: a full layout asked for inside them is skipped.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate() {
    if (FUpdateCount > 0) --FUpdateCount;
  }
  bool IsUpdating() const { return FUpdateCount > 0; }

  // Observers of the lines (not owned), told after every change of them; an
  // observer removes itself before it goes, or is told ListGone first.
  void AddLineObserver(TLineObserver* observer);
  void RemoveLineObserver(TLineObserver* observer);

  // --- whole text ----------------------------------------------------------
  void NewDocument();
  std::string GetText() const;
  void SetText(std::string_view text);
  void Assign(const std::vector<std::string>& lines);

  // --- files ---------------------------------------------------------------
  // Nothing happens when no file exists at `path`. Raises EFileError(Open)
  // when it cannot be read; the document is then unchanged. The encoding is
  // told from the bytes (text/TextEncodings.h) unless `encoding` is given
  // (reopening in a chosen encoding); the file's line end (the kind it has
  // most of) and its final line break are kept for saving. A file with more
  // characters outside CP932 than there are free user-defined codes opens
  // read-only and cannot be saved; the message gives the count.
  void LoadFromFile(const std::string& path, std::optional<TEncoding> encoding = std::nullopt);
  // An empty path saves under the current name (an untitled document first
  // gets a name that does not exist yet). The text is written in the
  // document's file format, or in `format` when given (which then becomes
  // the document's). Raises EEncodingError, before anything is changed or
  // written, when the encoding cannot hold a character of the text, and
  // EFileError(Create) when the file cannot be written; the old file is
  // intact and the document stays modified. The file keeps its owner, group,
  // permissions, attributes and links (platform/FileSaves.h); an owner the
  // saver may not keep is said once per document. The backup of the backup
  // mode is a copy or a link of the old file: a backup that fails is
  // reported and the save goes on.
  void SaveToFile(const std::string& path = {}, std::optional<TFileFormat> format = std::nullopt);
  // The file's encoding, byte-order mark and line end (a new document: CP932,
  // CR LF). Changing it marks nothing; the next save writes it.
  const TFileFormat& FileFormat() const { return FFormat; }
  void SetFileFormat(const TFileFormat& format) { FFormat = format; }
  // The file last loaded had line ends of more than one kind.
  bool HasMixedLineEnds() const { return FMixedLineEnds; }
  // Characters of the file last loaded that found no free user-defined code.
  int LostCharacters() const { return FLostCharacters; }
  // The file bytes the document would be saved as; false with `problem` when
  // the format cannot hold a character.
  bool EncodeText(const TFileFormat& format, std::string& bytes, TUnheldCharacter& problem) const;
  // The document as TUnsavedText, the text in the document's own file
  // format, or in UTF-8 (then UTF-16 LE) when that cannot hold a character,
  // so that whatever was typed is kept. False with `problem` (UTF-8) when no
  // encoding holds the text.
  bool CaptureUnsaved(TUnsavedText& unsaved, std::string& problem) const;
  // Makes `unsaved` the document: its text under its name, untitled or not,
  // modified (no undo or redo reaches a saved state), its format kept for
  // saving and its disk identity as the file it was read from. Nothing is
  // read from or written to the document's file. False with `problem`
  // (UTF-8), the document unchanged, when a character found no free
  // user-defined code or the text holds a NUL.
  bool RestoreUnsaved(const TUnsavedText& unsaved, std::string& problem);
  void SetFileName(const std::string& path);
  const std::string& GetFileName() const { return FFileName; }
  void SetModified(bool value);
  bool GetModified() const { return FModified; }
  bool IsUntitled() const { return FUntitled; }
  bool IsReadOnlyFile() const { return FReadOnlyFile; }
  // Why the file last loaded opened read-only (None when it did not).
  TReadOnlyReason ReadOnlyReason() const { return FReadOnlyReason; }
  // The byte offset in the file of the NUL that cut it short (-1: none).
  long long NulOffsetBytes() const { return FNulOffsetBytes; }
  // Lets the document be saved again after a read-only open whose file
  // allows writing (the reason was only the file's permission).
  void ClearReadOnly();
  bool IsLoading() const { return FLoading; }
  // The file as it was when last loaded or saved (nullopt: never read from
  // or written to disk, or it could not be looked at).
  const std::optional<TFileIdentity>& DiskIdentity() const { return FDiskIdentity; }
  // Whether the file under the document's name still is what was loaded or
  // saved: Unchanged also for a document that never had a file.
  TDiskState DiskState() const;
  // Takes the file as it is now as the one the document was read from
  // (after the user chose to keep the editor's text over a change on disk).
  void RememberDiskIdentity();
  // After the text of `read` (this document's file read again into another
  // document) replaced this one's as an edit: its file format, read-only
  // state and disk identity become this document's.
  void AdoptFileState(const TEditList& read);

  // --- layout (row table) --------------------------------------------------
  // Copies every setting of `style` into the document's own style (nothing
  // for a null style); sets FNeedRelayout unless every setting that affects
  // wrapping is unchanged, and always with proportional measuring at an
  // automatic capacity.
  void ApplyStyle(TEditorStyle* style);
  const TEditorStyle& Style() const { return *FStyle; }
  // The same for the layout settings alone (the style is left as it is).
  void ApplyLayoutSettings(const TDocumentLayout& layout);
  const TDocumentLayout& Layout() const { return FLayout; }
  bool IsHeadingLine(int line) const;

  void Relayout();
  void WrapLine(int line, bool insert, int& scene, int& row);
  void LineInserted(int line);
  void LineChanged(int line);
  void LineDeleted(int line);
  void LinesInserted(int first, int count);
  void LinesDeleted(int first, int count);
  void RenumberScenes();
  // The measuring inputs of the wrapping, set by the view's page geometry.
  // FNeedRelayout is set when the new inputs would cut some line differently.
  void SetWrapInputs(const TWrapInputs& inputs);
  const TWrapInputs& WrapInputs() const { return FWrapInputs; }
  int RowCount() const;
  TRowInfo GetRow(int row) const { return FRows.GetRow(row); }
  const TInfoList& Rows() const { return FRows; }
  int FirstRowOfLine(int line) const;
  std::string RowText(int row) const;
  std::string RowDisplayText(int row) const;
  // On the first row of a speaker's line with SerifuNameRestore: the 1-based
  // byte of SerifuHeader in the row (the name before it is padded to six
  // cells); 0 elsewhere.
  int SerifuHeaderByte(int row) const;
  int RowCellCount(int row) const;
  int RowCaretLimit(int row) const;
  bool IsTrailCell(TDisplayPos pos) const;
  TTextPos DisplayToDoc(TDisplayPos pos) const;
  // With `beforePadding`, the column is taken before the speaker-name padding
  // of the byte is applied.
  TDisplayPos DocToDisplay(TTextPos pos, bool beforePadding = false) const;
  // Digits of the largest number the line-number column shows. Before the
  // first layout of a text (no rows yet) the rows are estimated from the line
  // lengths at `capacityCells` cells a row (0: a row a line), in O(lines).
  int LineNumberDigits(int capacityCells = 0) const;

  // --- range editing ---------------------------------------------------------
  // Operations on ranges given in display positions (document/EditResults.h
  // holds the result records). Positions outside the document are clamped
  // first: a row before the first is row 0, a row past the last is column 1 of
  // the last row, a column below 1 is 1; a range given end first is swapped.
  // Every change goes through Put, Insert, Add and Delete.
  TEditSettings FEditSettings;

  // Stream: the bytes between the two positions, lines joined by CR LF. Box:
  // the cells start.Column .. end.Column - 1 of every row, rows joined by CR LF.
  std::string GetRangeText(TDisplayPos start, TDisplayPos end, bool box) const;
  // Removes the range; result.TrackPos is read on entry and carried through.
  void DeleteRange(TDisplayPos start, TDisplayPos end, TEditResult& result, bool box);
  // Inserts text at pos (padding a column beyond the row's end with spaces).
  // CR LF, a lone CR and a lone LF all break lines. With `verbatim` the lines
  // get no kept indent and no list number (text put back by an undo).
  void InsertText(TDisplayPos pos, std::string_view text, TEditResult& result, bool box,
                  bool verbatim = false);
  // The display position of the occurrence-th match of pattern from `from`
  // on (forward) or before it (backward), or (-1, -1); never wraps around.
  void FindText(std::string_view pattern, TDisplayPos from, TDisplayPos& found, int occurrence,
                bool forward) const;
  // The range a selection gesture of `kind` covers; a kind outside the
  // enumeration gives pos .. pos.
  void GetSelectRange(TSelectKind kind, TDisplayPos pos, TDisplayPos& rangeStart,
                      TDisplayPos& rangeEnd) const;
  // Cuts the lines from the start row's line up to (not including) the end
  // row's line: at rowLengths when given, otherwise where the layout wraps
  // them at `width` cells.
  void FormatLines(TDisplayPos start, TDisplayPos end, TFormatResult& result,
                   const std::vector<int>* rowLengths, int width);
  // Joins the same lines into one, dropping indentLength bytes from the front
  // of every line after the first.
  void RestoreFormat(TDisplayPos start, TDisplayPos end, TRestoreResult& result, int indentLength);
  // Rows from `row` to the last row of its line, both included; 1 outside the table.
  int RowsToLineEnd(int row) const;
  // The row is its line's last and the column is at or beyond its end.
  bool IsAtLineEnd(TDisplayPos pos) const;
  // --- end of range editing ----------------------------------------------------

  // --- layout state ----------------------------------------------------------
  int FMaxLineLength = 0;
  int FProjectedTime = 0;
  int FProgressInterval = 10000;
  bool FNeedRelayout = false;

  // --- search and backup settings ------------------------------------------
  unsigned char FFindOptions = 0;  // bit 0 ignore case, bit 1 whole words
  TBackupMode FBackupMode = bmNone;
  std::string FBackupFolder;  // native path ending in a separator

  // --- events --------------------------------------------------------------
  TNotifyEvent OnTextReset;
  TNotifyEvent OnModified;
  TWorkingInfoEvent OnRelayoutProgress;
  TNotifyEvent OnFileNameChange;
  TNotifyEvent OnHeadingChange;

 private:
  // The document's lines become `lines` (an empty document one empty line;
  // `endsWithLineEnd` adds the empty line after a final CR LF) with the
  // modified mark `modified`, then the text is reset.
  void SetLines(TLineStore&& lines, bool endsWithLineEnd, bool modified = false);
  void Fire(const TNotifyEvent& event) {
    if (event) event(this);
  }
  void NotifyReplaced(int first, int removed, int inserted);
  void NotifyReset();
  bool ReportProgress(int stage, int value);
  // The backup the backup mode asks for (a folder that cannot be made is
  // reported at once, and no backup is asked for).
  TSaveOptions BackupOptions();
  std::string UnusedUntitledName();
  // The encoding of the whole file (text/TextEncodings.h), read until it is certain.
  TEncoding SniffWholeFile(const std::string& path);
  long long NulOffset(const std::string& path);
  void ReadLines(const std::string& path, TTextDecoder& decoder, TLineSplitter& splitter, TLineStore& lines);
  // Appends the rows of `line` to `rows`, numbering a heading from `scene`.
  void BuildLineRows(int line, std::vector<TRowInfo>& rows, int& scene) const;
  // The same for the line's text and indent, already at hand.
  void BuildLineRows(int line, std::string_view text, const TLineIndent& indent, std::vector<TRowInfo>& rows,
                     int& scene) const;
  int PlaceLineRows(int line, int row, int replaced, int& scene);
  void SpliceLineRows(int line, int firstRow, int oldRows, int oldSceneRows);
  bool IsHeadingText(std::string_view text) const;

  TFileService& FFiles;
  TMessageBoxes& FMessages;
  TLineStore FLines;
  std::string FFileName;
  TInfoList FRows;
  TDataItemPtr<TEditorStyle> FStyle;
  TDocumentLayout FLayout;  // what FStyle gives the layout, kept ready
  TWrapInputs FWrapInputs;
  bool FLoading = false;
  bool FReadOnlyFile = false;
  bool FModified = false;
  bool FUntitled = true;
  int FUpdateCount = 0;
  TFileFormat FFormat;
  bool FMixedLineEnds = false;
  int FLostCharacters = 0;
  TReadOnlyReason FReadOnlyReason = TReadOnlyReason::None;
  long long FNulOffsetBytes = -1;
  std::optional<TFileIdentity> FDiskIdentity;
  bool FOwnerChangeTold = false;  // the file's owner could not be kept: said once
  std::vector<TLineObserver*> FLineObservers;
};

// The message of a file error as the program shows it (CP932):
// "ファイル "%s" は開けません。%s" for reading and
// "ファイル "%s" を作成できません。%s" for writing, then where the old text
// is when the file may no longer hold it.
std::string FileErrorText(const EFileError& error);

}  // namespace vorna
