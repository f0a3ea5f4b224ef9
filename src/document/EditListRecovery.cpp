// The document's unsaved text taken out for a recovery file and put back
// from one.
#include "document/EditLists.h"
#include "text/TextLines.h"

namespace vorna {

bool TEditList::CaptureUnsaved(TUnsavedText& unsaved, std::string& problem) const {
  unsaved.Format = FFormat;
  unsaved.FileName = FFileName;
  unsaved.Untitled = FUntitled;
  unsaved.Disk = FDiskIdentity;
  // The document's own format first: restoring then saving writes the very
  // bytes saving now would. A character typed that the format cannot hold
  // goes to Unicode instead (a lone UTF-16 surrogate only to UTF-16).
  const TFileFormat formats[] = {
      FFormat, {TEncoding::Utf8, false, FFormat.LineEnd}, {TEncoding::Utf16Le, false, FFormat.LineEnd}};
  TUnheldCharacter unheld;
  for (const TFileFormat& format : formats) {
    if (EncodeText(format, unsaved.Bytes, unheld)) {
      unsaved.TextEncoding = format.Encoding;
      return true;
    }
  }
  unsaved.Bytes.clear();
  problem = "no encoding holds the character " + CharacterCodeName(unheld.Character) + " of line " +
            std::to_string(unheld.Line + 1);
  return false;
}

bool TEditList::RestoreUnsaved(const TUnsavedText& unsaved, std::string& problem) {
  TTextDecoder decoder(unsaved.TextEncoding);
  std::string text;
  decoder.Feed(unsaved.Bytes, text);
  decoder.Finish(text);
  TLineSplitter splitter;
  TLineStore lines;
  const auto add = [&lines](std::string_view line) { lines.PushBack(line); };
  splitter.Feed(text, add);
  splitter.Finish(add);
  // Either would restore less than was kept: the text is refused whole.
  if (splitter.SawNul()) {
    problem = "the text holds a NUL byte";
    return false;
  }
  if (decoder.Lost() > 0) {
    problem = std::to_string(decoder.Lost()) + " characters found no free user-defined code";
    return false;
  }
  FReadOnlyReason = TReadOnlyReason::None;
  FReadOnlyFile = false;
  FNulOffsetBytes = -1;
  FFormat = unsaved.Format;
  FMixedLineEnds = false;
  FLostCharacters = 0;
  FDiskIdentity = unsaved.Disk;
  FUntitled = unsaved.Untitled;
  SetLines(std::move(lines), splitter.EndsWithBreak(), true);
  SetFileName(unsaved.FileName);
  return true;
}

}  // namespace vorna
