// Single keystrokes kept in packed form: packing gives every field back, what
// does not fit stays a task object, and a history of packed keystrokes undoes
// and redoes exactly as the same history held as task objects.
#include <vector>

#include "UndoFixtures.h"
#include "text/Cp932.h"
#include "text/UserCodes.h"
#include "undo/PackedEdits.h"

namespace vorna {
namespace {

using testing::Sj;

void ExpectSameEdit(const TTaskEdit& a, const TTaskEdit& b) {
  EXPECT_EQ(a.FRangeStart, b.FRangeStart);
  EXPECT_EQ(a.FRangeEnd, b.FRangeEnd);
  EXPECT_EQ(a.FInsertStart, b.FInsertStart);
  EXPECT_EQ(a.FInsertEnd, b.FInsertEnd);
  EXPECT_EQ(a.FDeleteBox, b.FDeleteBox);
  EXPECT_EQ(a.FInsertBox, b.FInsertBox);
  EXPECT_EQ(a.FDeletedText, b.FDeletedText);
  EXPECT_EQ(a.FInsertedText, b.FInsertedText);
  EXPECT_EQ(a.FKind, b.FKind);
  EXPECT_EQ(a.FOldScroll, b.FOldScroll);
  EXPECT_EQ(a.FNewScroll, b.FNewScroll);
  EXPECT_EQ(a.FOldCaret, b.FOldCaret);
  EXPECT_EQ(a.FNewCaret, b.FNewCaret);
  EXPECT_EQ(a.FOldSelecting, b.FOldSelecting);
  EXPECT_EQ(a.FNewSelecting, b.FNewSelecting);
  EXPECT_EQ(a.FBoxPieces, b.FBoxPieces);
  EXPECT_EQ(a.FInsertAt, b.FInsertAt);
  EXPECT_EQ(a.FInsertStartDoc, b.FInsertStartDoc);
}

// A keystroke typed at `at`: `text` in, `deleted` overwritten, the caret after it at `end`.
void Keystroke(TTaskEdit& edit, TDisplayPos at, TDisplayPos rangeEnd, TDisplayPos end, std::string text,
               std::string deleted) {
  edit.FRangeStart = edit.FInsertStart = edit.FInsertAt = edit.FOldCaret = at;
  edit.FRangeEnd = rangeEnd;
  edit.FInsertEnd = edit.FNewCaret = end;
  edit.FInsertedText = std::move(text);
  edit.FDeletedText = std::move(deleted);
  edit.FKind = ekTyping;
  edit.FOldScroll = edit.FNewScroll = {-3, 4000};
  edit.FInsertStartDoc = {65535, 123456};
}

TEST(PackedEditTest, KeystrokesComeBackFieldForField) {
  struct TCase {
    const char* Name;
    TDisplayPos RangeEnd, End;
    std::string Text, Deleted;
    TDisplayPos InsertStart{0, 0};  // column 0: at the range start
  };
  const TDisplayPos at{65535, 2000000000 - 3};
  const TCase cases[] = {
      {"one byte", at, {1, at.Row}, "a", ""},
      {"double byte", at, {1, at.Row + 1}, Sj("漢"), ""},
      {"user-defined code", at, {3, at.Row + 3}, Cp932TextFromUtf8("😀"), ""},
      {"overwrite", {2, at.Row + 1}, {2, at.Row + 1}, Sj("あ"), "a "},
      {"line split", at, {1, at.Row + 1}, "\r\n", ""},
      {"backspace", {7, at.Row + 2}, at, "", Sj("字")},
      {"typed at a row's end", at, {3, at.Row + 1}, Sj("字"), "", {1, at.Row + 1}},
      {"deleted at a row's start", {2, at.Row}, {255, at.Row - 1}, "", "a", {255, at.Row - 1}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTaskEdit edit, back;
    Keystroke(edit, at, c.RangeEnd, c.End, c.Text, c.Deleted);
    if (c.InsertStart.Column > 0) edit.FInsertStart = c.InsertStart;
    TPackedEdit packed;
    ASSERT_TRUE(PackEdit(edit, 9, packed));
    EXPECT_EQ(packed.Scroll, 9);
    UnpackEdit(packed, edit.FOldScroll, back);
    ExpectSameEdit(edit, back);
    // A keystroke that replaced a selection, the old caret and insertion point at its end.
    edit.FOldSelecting = edit.FNewSelecting = true;
    edit.FOldCaret = edit.FInsertAt = edit.FRangeEnd;
    edit.FKind = ekDeleteBackward;
    ASSERT_TRUE(PackEdit(edit, 0, packed));
    UnpackEdit(packed, edit.FOldScroll, back);
    ExpectSameEdit(edit, back);
  }
}

TEST(PackedEditTest, WhatDoesNotFitStaysATask) {
  const TDisplayPos at{5, 10};
  const auto refused = [&](auto change) {
    TTaskEdit edit;
    Keystroke(edit, at, at, {6, 10}, "a", "");
    change(edit);
    TPackedEdit packed;
    return !PackEdit(edit, 0, packed);
  };
  EXPECT_FALSE(refused([](TTaskEdit&) {}));
  EXPECT_TRUE(refused([](TTaskEdit& e) {
    e.FInsertedText = "abc";
    e.FDeletedText = "de";
  }));
  EXPECT_TRUE(refused([](TTaskEdit& e) { e.FInsertBox = true; }));
  EXPECT_TRUE(refused([](TTaskEdit& e) { e.FBoxPieces = {{{1, 1}, {2, 1}}}; }));
  EXPECT_TRUE(refused([](TTaskEdit& e) { e.FInsertStart = {4, 10}; }));  // the rows before re-wrapped
  EXPECT_TRUE(refused([](TTaskEdit& e) { e.FNewCaret = {1, 0}; }));
  EXPECT_TRUE(refused([](TTaskEdit& e) { e.FOldCaret = {1, 0}; }));
  EXPECT_TRUE(refused([](TTaskEdit& e) { e.FInsertAt = {1, 0}; }));
  EXPECT_TRUE(refused([](TTaskEdit& e) { e.FNewScroll = {0, 1}; }));
  EXPECT_TRUE(refused([](TTaskEdit& e) { e.FInsertEnd = e.FNewCaret = {1, 14}; }));  // four rows down
  EXPECT_TRUE(refused([](TTaskEdit& e) { e.FInsertEnd = e.FNewCaret = {1, 9}; }));   // above the insertion
  EXPECT_TRUE(refused([](TTaskEdit& e) { e.FInsertEnd = e.FNewCaret = {65536, 10}; }));
  EXPECT_TRUE(refused([](TTaskEdit& e) {
    e.FRangeStart = e.FInsertStart = e.FOldCaret = e.FInsertAt = {0, 10};
  }));
  EXPECT_TRUE(refused([](TTaskEdit& e) { e.FInsertStartDoc.X = 65536; }));
  EXPECT_TRUE(refused([](TTaskEdit& e) { e.FInsertStartDoc.Y = 1 << 23; }));
  // The insertion may start at a small column of the row next to the range start.
  EXPECT_FALSE(refused([](TTaskEdit& e) { e.FInsertStart = {255, 9}; }));
  EXPECT_FALSE(refused([](TTaskEdit& e) {
    e.FInsertStart = {1, 11};
    e.FInsertEnd = e.FNewCaret = {2, 11};
  }));
  EXPECT_TRUE(refused([](TTaskEdit& e) { e.FInsertStart = {256, 11}; }));
  EXPECT_TRUE(refused([](TTaskEdit& e) { e.FInsertStart = {1, 12}; }));
}

// Exposes which tasks the history holds packed.
class TInspectedUndo : public TEditorUndo {
 public:
  bool Packed(int index) const { return FTasks.IsPacked(index); }
};

struct TKeystrokeHistory {
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  TEditList list{files, messages};
  TInspectedUndo undo;
  testing::TEditorDouble editor{list, undo};
  bool asObjects;
  std::vector<std::string> texts;  // after each task
  std::vector<TDisplayPos> carets;

  // `asObjects` unpacks every task as soon as it is recorded.
  TKeystrokeHistory(std::string_view text, bool objects) : asObjects(objects) {
    list.ApplyLayoutSettings(TDocumentLayout{});
    list.SetText(text);
    testing::LayOutAt(list, 8);
    undo.Clear();
  }
  void Record() {
    if (asObjects) undo.GetTask(undo.Count() - 1);
    texts.resize(static_cast<size_t>(undo.AppliedCount()));
    carets.resize(texts.size());
    if (texts.empty()) return;
    texts.back() = list.GetText();
    carets.back() = editor.Caret();
  }
  // A caret jump after the keystroke just made, so the next one does not merge.
  void JumpTo(TDisplayPos pos) {
    Record();
    editor.MoveCaret(pos);
    Record();
  }
  int PackedCount() const {
    int count = 0;
    for (int i = 0; i < undo.Count(); ++i) count += undo.Packed(i);
    return count;
  }
};

// Records `keystrokes` packed and as task objects, then undoes and redoes
// everything twice (what a step changed is packed again for the next one):
// both give the same text and caret at every step, the text of that state.
template <class TKeystrokes>
void ExpectPackedLikeObjects(std::string_view text, int packedEdits, TKeystrokes keystrokes) {
  TKeystrokeHistory packed(text, false), objects(text, true);
  keystrokes(packed);
  keystrokes(objects);
  ASSERT_EQ(packed.undo.Count(), objects.undo.Count());
  ASSERT_EQ(packed.texts, objects.texts);
  EXPECT_EQ(packed.PackedCount(), packedEdits);
  EXPECT_EQ(objects.PackedCount(), 0);
  const auto expectSame = [&] {
    const int state = packed.undo.AppliedCount();
    SCOPED_TRACE("state " + std::to_string(state));
    EXPECT_EQ(packed.list.GetText(), objects.list.GetText());
    EXPECT_EQ(packed.editor.Caret(), objects.editor.Caret());
    EXPECT_EQ(packed.editor.Selecting(), objects.editor.Selecting());
    EXPECT_EQ(packed.list.GetText(),
              state > 0 ? packed.texts[static_cast<size_t>(state - 1)] : std::string(text));
  };
  for (int round = 0; round < 2; ++round) {
    while (packed.undo.CanUndo()) {
      packed.undo.Undo();
      objects.undo.Undo();
      expectSame();
    }
    while (packed.undo.CanRedo()) {
      packed.undo.Redo();
      objects.undo.Redo();
      expectSame();
    }
    EXPECT_EQ(packed.editor.Caret(), packed.carets.back());
  }
}

TEST(PackedHistoryTest, KeystrokesUndoAndRedoAsTaskObjectsDo) {
  // Separate keystrokes of every packed kind, with caret jumps between them.
  ExpectPackedLikeObjects("abcdef" + Sj("漢字かな") + "ghij\r\nklm", 9, [](TKeystrokeHistory& h) {
    h.JumpTo({3, 0});
    h.editor.Type("x");
    h.JumpTo({7, 0});
    h.editor.Type(Sj("あ"));  // fills the row
    h.JumpTo({2, 1});
    h.editor.Type(Cp932TextFromUtf8("😀"));
    h.JumpTo({2, 0});
    h.editor.SetOverwrite(true);
    h.editor.Type(Sj("い"));  // over two single bytes
    h.JumpTo({1, 1});
    h.editor.Type("y");  // over the first half of a double-byte character: a space fills its second half
    h.editor.SetOverwrite(false);
    h.JumpTo({4, 1});
    h.editor.Backspace();
    h.JumpTo({3, 1});
    h.editor.DeleteForward();
    h.JumpTo({3, 0});
    h.editor.Enter();
    h.JumpTo({1, 0});
    // A keystroke replacing a selection in one edit, as the view types over one.
    h.editor.ExtendTo({3, 0});
    h.Record();
    TReplaceRequest over;
    over.RangeStart = over.InsertAt = {1, 0};
    over.RangeEnd = over.OldCaret = h.editor.Caret();
    over.Kind = ekTyping;
    over.Text = "z";
    h.editor.ReplaceText(over);
    h.Record();
  });
}

TEST(PackedHistoryTest, KeystrokesAtRowBoundaries) {
  // Eight cells a row: the double-byte character does not fit after seven.
  ExpectPackedLikeObjects("abcdefg" + Sj("漢") + "xyz", 2, [](TKeystrokeHistory& h) {
    h.JumpTo({1, 1});
    h.editor.DeleteForward();  // the row before takes in the "x" that follows
    h.JumpTo({9, 0});
    h.editor.Paste("w");  // after the full row: the text begins the next one
    h.Record();
  });
}

}  // namespace
}  // namespace vorna
