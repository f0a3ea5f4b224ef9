// Fuzzes undo and redo: arbitrary text, layout and row capacity, then typing
// runs, Backspace and Delete runs, line splits, stream and box pastes, box
// deletions, overwrite typing, caret jumps, selections, reformats, undos and
// redos as the input chooses. Every undo and redo must give the exact bytes
// of its history state and a row table equal to a fresh layout; undoing
// everything the first text and caret, redoing everything the last text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "EditorDoubles.h"
#include "FuzzInput.h"
#include "NullServices.h"
#include "UndoSessions.h"
#include "text/ShiftJis.h"

namespace {

using namespace vorna;

struct TPick {
  fuzzing::TReader& In;
  int operator()(int n) {
    if (n <= 1) return 0;
    const int value = n > 256 ? In.Byte() | In.Byte() << 8 : In.Byte();
    return value % n;
  }
};

// A lead byte without its trail would pair up with whatever is inserted next
// to it, and no display position would mark the inserted text exactly.
std::string WellFormed(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (!IsLeadByte(c)) {
      out += static_cast<char>(c);
    } else if (i + 1 < text.size() && text[i + 1] != '\r' && text[i + 1] != '\n') {
      out += text.substr(i, 2);
      ++i;
    } else {
      out += '?';
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static testing::TNoFiles files;
  static testing::TNoMessages messages;
  fuzzing::TReader in{std::string_view(reinterpret_cast<const char*>(data), size)};
  TDocumentLayout layout;
  fuzzing::ApplyLayoutFlags(layout, in.Byte());
  // Hidden notation blurs display positions: a position after it cannot be named.
  layout.Wrap.RubiVisible = false;
  layout.Wrap.FootNoteVisible = false;
  layout.Wrap.GapLineStyle = 0;
  const uint8_t more = in.Byte();
  layout.Wrap.ItemizedStatement = more & 1;
  layout.Wrap.TabVisible = more & 2;
  layout.UseZenkaku = more & 4;
  layout.Wrap.TailHang = more & 8;

  TEditList list(files, messages);
  list.ApplyLayoutSettings(layout);
  list.FEditSettings.EditIndent = more & 16;
  list.SetText(WellFormed(in.Bytes(in.Byte())));
  const int capacity = more & 32 ? 0 : in.Byte() % 48;
  testing::LayOutAt(list, capacity);

  TEditorUndo undo;
  testing::TEditorDouble editor(list, undo);
  TPick pick{in};
  testing::TUndoSession<TPick> session(editor, pick, capacity == 0 && layout.Wrap.ViewIndent == 0);
  bool fine = true;
  while (fine && !in.Data.empty()) fine = session.Step();
  if (fine) fine = session.Finish();
  if (!fine) {
    std::fprintf(stderr, "undo fault: %s\n", session.Fault().c_str());
    __builtin_trap();
  }
  return 0;
}
