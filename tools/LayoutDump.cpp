// Developer tool: loads a CP932 text file, applies a preset and a row
// capacity, lays it out and prints the row table, one row a line:
//   layout-dump FILE [PRESET=0] [CAPACITY=40]
// Columns: row, line, start, length, row in line, indent, last row, scene.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "document/EditLists.h"
#include "platform/MessageBoxes.h"
#include "platform/PosixFiles.h"
#include "settings/EditorStyles.h"

namespace {

using namespace vorna;

// Messages go to standard error; questions are answered with Cancel.
class TConsoleMessages : public TMessageBoxes {
 public:
  void Beep(TBeep) override {}
  void ShowInfo(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  void ShowError(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  TMessageResult AskYesNoCancel(const std::string&) override { return TMessageResult::Cancel; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: layout-dump FILE [PRESET=0] [CAPACITY=40]\n");
    return 2;
  }
  const std::string path = argv[1];
  const int preset = argc > 2 ? std::atoi(argv[2]) : 0;
  const int capacity = argc > 3 ? std::atoi(argv[3]) : 40;
  if (preset < 0 || preset >= kPresetCount) {
    std::fprintf(stderr, "layout-dump: preset must be 0 .. %d\n", kPresetCount - 1);
    return 2;
  }
  TPosixFiles files;
  TConsoleMessages messages;
  TEditList list(files, messages);
  auto style = MakeDataItem<TEditorStyle>();
  style->SetDefaultIndex(preset);
  style->ApplyPreset();
  list.ApplyStyle(style.get());
  try {
    if (!files.FileExists(path)) {
      std::fprintf(stderr, "layout-dump: no file %s\n", path.c_str());
      return 1;
    }
    list.LoadFromFile(path);
  } catch (const EFileError& e) {
    std::fprintf(stderr, "layout-dump: %s: %s\n", e.Path.c_str(), e.Reason.c_str());
    return 1;
  }
  list.SetWrapInputs({.CapacityCells = capacity});
  list.Relayout();
  std::printf("row\tline\tstart\tlength\trow_in_line\tindent\tlast\tscene\n");
  for (int row = 0; row < list.Rows().Count(); ++row) {
    const TRowInfo r = list.GetRow(row);
    std::printf("%d\t%d\t%u\t%u\t%u\t%u\t%u\t%u\n", row, r.Line, r.Start, r.Length, r.RowInLine, r.Indent,
                r.LastRow, r.SceneNo);
  }
  return 0;
}
