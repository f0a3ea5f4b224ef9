// The editing commands without a view: a document, the undo stand-in as the
// edit primitive and a host that holds the caret and selection.
#include <gtest/gtest.h>

#include "EditorDoubles.h"
#include "PlatformDoubles.h"
#include "TestSupport.h"
#include "view/TextEditings.h"

namespace vorna {
namespace {

using testing::Sj;

struct TTestHost : TEditingHost {
  TEditList* List = nullptr;
  TCaretSelection Sel;
  bool ReadOnly = false;
  TEditList* EditedDocument() const override { return List; }
  const TCaretSelection& Selection() const override { return Sel; }
  TCaretClampRules ClampRules() const override { return {40, false, false}; }
  bool IsReadOnly() const override { return ReadOnly; }
  void MoveCaret(int, int) override {}
};

struct TextEditingTest : ::testing::Test {
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  testing::TMemoryClipboard clipboard;
  TEditList list{files, messages};
  TEditorUndo undo;
  testing::TEditorDouble owner{list, undo};
  TTestHost host;
  TPlatformServices services;
  std::unique_ptr<TTextEditing> editing;

  void Load(std::string_view text) {
    list.ApplyLayoutSettings(TDocumentLayout{});
    list.SetText(text);
    testing::LayOutAt(list, 40);
    host.List = &list;
    services.Boxes = &messages;
    services.Clipboard = &clipboard;
    editing = std::make_unique<TTextEditing>(host, owner, services);
  }
  void Select(TDisplayPos anchor, TDisplayPos end, bool box = false) {
    host.Sel.Selecting = true;
    host.Sel.Box = box;
    host.Sel.Anchor = anchor;
    host.Sel.End = host.Sel.Caret = end;
  }
};

TEST_F(TextEditingTest, OverwritingHalfADoubleByteCharacterLeavesASpace) {
  Load(Sj("あいう"));
  host.Sel.Caret = {1, 0};
  editing->SetOverwrite(true);
  ASSERT_TRUE(editing->TypeText("a", true));
  EXPECT_EQ(list.GetText(), "a " + Sj("いう"));
}

TEST_F(TextEditingTest, TypingReplacesTheSelectionAndDeleteTakesIt) {
  Load("abcdef");
  Select({2, 0}, {4, 0});
  ASSERT_TRUE(editing->TypeText("X", true));
  EXPECT_EQ(list.GetText(), "aXdef");
  Select({5, 0}, {1, 0});  // anchor after the caret
  ASSERT_TRUE(editing->DeleteBackward(tuCharacter));
  EXPECT_EQ(list.GetText(), "f");
}

TEST_F(TextEditingTest, ReadOnlyChangesNothing) {
  Load("abc");
  clipboard.SetText("zz");
  host.ReadOnly = true;
  host.Sel.Caret = {2, 0};
  EXPECT_FALSE(editing->TypeText("x", true));
  EXPECT_FALSE(editing->DeleteForward(tuCharacter));
  EXPECT_FALSE(editing->Paste());
  Select({1, 0}, {3, 0});
  EXPECT_FALSE(editing->CutUnit(tuSelection));
  EXPECT_EQ(list.GetText(), "abc");
  EXPECT_EQ(clipboard.GetText(), "zz");
}

TEST_F(TextEditingTest, ClipboardFailuresAreShownAndKeepTheText) {
  Load("abc");
  clipboard.SetText("zz");
  clipboard.FailNextGet = true;
  host.Sel.Caret = {2, 0};
  EXPECT_FALSE(editing->Paste());
  ASSERT_EQ(messages.Shown.size(), 2u);  // the beep and the message
  EXPECT_EQ(list.GetText(), "abc");
  // Without a clipboard a cut copies nothing and so removes nothing.
  services.Clipboard = nullptr;
  Select({1, 0}, {3, 0});
  EXPECT_FALSE(editing->CutUnit(tuSelection));
  EXPECT_EQ(list.GetText(), "abc");
}

TEST_F(TextEditingTest, OnlyTheLastCopyDecidesWhetherAPasteIsABox) {
  Load("ab\r\ncd");
  Select({1, 0}, {2, 1}, true);
  ASSERT_TRUE(editing->CopyUnit(tuSelection));
  EXPECT_EQ(editing->BoxClipText(), clipboard.GetText());
  Select({1, 0}, {2, 0});
  ASSERT_TRUE(editing->CopyUnit(tuSelection));
  EXPECT_TRUE(editing->BoxClipText().empty());
}

TEST_F(TextEditingTest, TextMessageNeverCutsACharacter) {
  Load(Sj("あい"));
  Select({1, 0}, {5, 0});
  EXPECT_EQ(editing->TextMessage(4), Sj("あ"));  // 3 bytes allowed: one character
  EXPECT_EQ(editing->TextMessage(5), Sj("あい"));
  EXPECT_EQ(editing->TextMessage(1), "");
}

}  // namespace
}  // namespace vorna
