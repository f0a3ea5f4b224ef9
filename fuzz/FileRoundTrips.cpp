// Fuzzes opening and saving documents: arbitrary bytes opened and saved come
// back identical or the document refuses (read-only); random Unicode written
// in a random encoding and line end comes back identical and is detected as
// written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzInput.h"
#include "NullServices.h"
#include "document/EditLists.h"
#include "text/Cp932.h"
#include "text/UserCodes.h"

namespace {

using namespace vorna;

// One file in memory, read in pieces of a fuzzed size.
class TOneFile : public testing::TNoFiles {
 public:
  bool FileExists(const std::string&) override { return true; }
  TFileAccess CheckAccess(const std::string&) override { return TFileAccess::ReadWrite; }
  std::string ReadFile(const std::string&) override { return Bytes; }
  void ReadFileInPieces(const std::string&, const std::function<void(std::string_view)>& piece) override {
    for (size_t i = 0; i < Bytes.size(); i += Piece) piece(std::string_view(Bytes).substr(i, Piece));
  }
  void WriteFile(const std::string&, const std::string& bytes) override { Bytes = bytes; }
  std::string Bytes;
  size_t Piece = 1;
};

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TOneFile files;
  static testing::TNoMessages messages;
  fuzzing::TReader in{std::string_view(reinterpret_cast<const char*>(data), size)};
  const uint8_t mode = in.Byte();
  files.Piece = 1 + in.Byte();
  TEditList list(files, messages);
  if (mode & 1) {
    // Arbitrary bytes.
    files.Bytes = std::string(in.Data);
    const std::string original = files.Bytes;
    list.LoadFromFile("/f.txt");
    if (list.IsReadOnlyFile() || list.HasMixedLineEnds()) return 0;
    list.SaveToFile();
    Check(files.Bytes == original);
    return 0;
  }
  // Unicode text: each pair of bytes picks a character, kept from the
  // surrogate range, in a random encoding and line end.
  static constexpr TEncoding kUnicode[] = {TEncoding::Utf8, TEncoding::Utf16Le, TEncoding::Utf16Be};
  const TFileFormat format{kUnicode[(mode >> 1) % 3], (mode & 8) != 0,
                           static_cast<TLineEnd>((mode >> 4) % 3)};
  std::string text;
  bool multiByte = false;
  while (in.Data.size() >= 3) {
    char32_t cp = static_cast<char32_t>(in.Byte()) << 16 | in.Byte() << 8 | in.Byte();
    cp %= 0x110000;
    if (cp >= 0xD800 && cp <= 0xDFFF) cp = '\n';
    if (cp == '\r') cp = '\n';
    multiByte |= cp >= 0x80;
    const std::string_view end = LineEndBytes(format.LineEnd);
    if (cp == '\n') {
      text.append(end);
    } else {
      AppendUtf8(text, cp);
    }
  }
  // The text as the file holds it: through the encoder of the format. (A
  // leading U+FEFF then reads as a byte-order mark, and is written back as one.)
  int lost = 0;
  const std::string cp932 = Cp932TextFromUtf8(text, &lost);
  if (lost > 0) return 0;
  TTextEncoder encoder(format);
  std::string file;
  TUnheldCharacter problem;
  encoder.Begin(file);
  Check(encoder.Line(cp932, 0, true, file, problem));
  files.Bytes = file;
  list.LoadFromFile("/f.txt");
  if (format.Bom || (format.Encoding == TEncoding::Utf8 && multiByte))
    Check(list.FileFormat().Encoding == format.Encoding);
  // UTF-16 without a mark may read as CP932: with a NUL it is read-only, and
  // its bytes may hold lone CRs and LFs, which the window shows as mixed line
  // ends and a save unifies, as for any file.
  if (list.IsReadOnlyFile() || list.HasMixedLineEnds()) return 0;
  list.SaveToFile();
  Check(files.Bytes == file);
  return 0;
}
