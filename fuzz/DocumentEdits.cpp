// Fuzzes a document: arbitrary bytes become its text, then a sequence of line
// edits under fuzzed layout settings; after every edit the incrementally kept
// row table must equal a fresh full layout.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "document/EditLists.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"

namespace {

using namespace vorna;

class TNoFiles : public TFileService {
 public:
  bool FileExists(const std::string&) override { return false; }
  bool FolderExists(const std::string&) override { return false; }
  TFileAccess CheckAccess(const std::string&) override { return TFileAccess::Missing; }
  std::string ReadFile(const std::string&) override { return {}; }
  void WriteFile(const std::string&, const std::string&) override {}
  bool DeleteFile(const std::string&) override { return false; }
  bool MoveFile(const std::string&, const std::string&) override { return false; }
  bool CreateFolders(const std::string&) override { return false; }
  bool MoveToTrash(const std::string&) override { return false; }
  std::string DocumentsFolder() override { return "/tmp"; }
  std::string CurrentDirectory() override { return "/tmp"; }
};

class TNoMessages : public TMessageBoxes {
 public:
  void Beep(TBeep) override {}
  void ShowInfo(const std::string&) override {}
  void ShowError(const std::string&) override {}
  TMessageResult AskYesNoCancel(const std::string&) override { return TMessageResult::Cancel; }
};

struct TReader {
  std::string_view Data;
  uint8_t Byte() {
    if (Data.empty()) return 0;
    uint8_t b = static_cast<uint8_t>(Data[0]);
    Data.remove_prefix(1);
    return b;
  }
  std::string Bytes(size_t n) {
    n = std::min(n, Data.size());
    std::string s(Data.substr(0, n));
    Data.remove_prefix(n);
    return s;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TNoFiles files;
  static TNoMessages messages;
  TReader in{std::string_view(reinterpret_cast<const char*>(data), size)};
  TDocumentLayout layout;
  const uint8_t flags = in.Byte();
  layout.Wrap.ViewIndent = flags % 3;
  layout.Wrap.RubiVisible = flags & 4;
  layout.Wrap.FootNoteVisible = flags & 8;
  layout.Wrap.TailAdjust = flags & 16;
  layout.Wrap.WordWrap = flags & 32;
  layout.Wrap.SerifuNameRestore = flags & 64;
  layout.Wrap.GapLineStyle = flags & 128 ? 2 : 0;
  layout.Wrap.TabLength = in.Byte() % 9;
  layout.LineInfoVisible = true;
  layout.LineInfoStyle = 4;
  const int capacity = in.Byte() % 50;

  TEditList list(files, messages);
  list.ApplyLayoutSettings(layout);
  list.SetText(in.Bytes(in.Byte()));
  list.FCharsPerRow = capacity;
  list.Relayout();
  while (!in.Data.empty()) {
    const uint8_t op = in.Byte();
    const int line = in.Byte() % (list.Count() + 1);
    const std::string text = in.Bytes(in.Byte() % 32);
    switch (op % 4) {
      case 0:
        list.Put(line, text);
        break;
      case 1:
        list.Insert(line, text);
        break;
      case 2:
        list.Add(text);
        break;
      case 3:
        list.Delete(line);
        break;
    }
    TEditList fresh(files, messages);
    fresh.ApplyLayoutSettings(layout);
    fresh.Assign(list.Lines());
    fresh.FCharsPerRow = capacity;
    fresh.Relayout();
    if (fresh.Rows().Rows() != list.Rows().Rows()) __builtin_trap();
    for (int row = 0; row < list.Rows().Count(); ++row) {
      const TTextPos doc = list.DisplayToDoc({list.RowCaretLimit(row), row});
      if (list.DisplayToDoc(list.DocToDisplay(doc)) != doc) __builtin_trap();
      list.RowDisplayText(row);
    }
  }
  return 0;
}
