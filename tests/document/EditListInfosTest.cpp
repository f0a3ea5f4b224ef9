// Document slots: what a new slot's document receives, the events of a slot
// switch and their order, the view state saved with a slot, the text-reset
// sender rule, when a slot empties its history, and how the modified mark
// follows the history's save point (also after a restored unsaved text).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "EditorDoubles.h"
#include "PlatformDoubles.h"
#include "TestSupport.h"
#include "document/EditListInfos.h"
#include "platform/TextMeasurer.h"

namespace vorna {
namespace {

using testing::Sj;

class TFixedMeasurer : public TTextMeasurer {
 public:
  int TextWidth(std::string_view text) override { return static_cast<int>(text.size()) * 8; }
  int FontHeight() override { return 16; }
};

struct EditListInfosTest : ::testing::Test {
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  TEditListInfoList slots{files, messages};
  std::string log;

  // Every handler writes its name and whether the sender was a document.
  void LogEvents() {
    auto who = [](TEditList* sender) { return std::string(sender ? "(doc)" : "(-)"); };
    slots.OnItemIndexChanging = [this](TDataList*) {
      log += "changing" + std::to_string(slots.GetItemIndex()) + " ";
    };
    slots.OnItemIndexChange = [this](TDataList*) {
      log += "change" + std::to_string(slots.GetItemIndex()) + " ";
    };
    slots.OnTextReset = [this, who](TEditList* s) { log += "reset" + who(s) + " "; };
    slots.OnFileNameChange = [this, who](TEditList* s) { log += "name" + who(s) + " "; };
    slots.OnModified = [this, who](TEditList* s) { log += "modified" + who(s) + " "; };
    slots.OnHeadingChange = [this, who](TEditList* s) { log += "heading" + who(s) + " "; };
    slots.OnRelayoutProgress = [this](TEditList*, int stage, int, bool&) {
      log += "layout" + std::to_string(stage) + " ";
    };
  }
};

TEST_F(EditListInfosTest, FirstSlotIsCurrentWithoutAnyEvent) {
  LogEvents();
  TEditListInfo* slot = slots.AddDocument("");
  ASSERT_NE(slot, nullptr);
  EXPECT_EQ(log, "");
  EXPECT_EQ(slots.GetItemIndex(), 0);
  EXPECT_EQ(slots.CurrentItem(), slot);
  EXPECT_TRUE(slot->GetList()->IsUntitled());
  EXPECT_EQ(slot->GetList()->GetFileName(), TEditList::NewDocumentName());
  EXPECT_EQ(slot->GetOffset(), (TPoint{0, 0}));
  EXPECT_EQ(slot->GetCaretPos(), (TDisplayPos{1, 0}));
  EXPECT_TRUE(slot->GetMarks().empty());
  EXPECT_FALSE(slot->GetUndo()->CanUndo());
  EXPECT_EQ(slots.GetItem(1), nullptr);
}

TEST_F(EditListInfosTest, NewDocumentHasEverythingBeforeItBecomesCurrent) {
  TFixedMeasurer canvas;
  auto style = MakeDataItem<TEditorStyle>();
  style->SetTabLength(8);
  slots.SetCanvas(&canvas);
  slots.SetStyle(style.get());
  slots.SetBackupMode(bmBakExtension);
  slots.SetBackupFolder("/backup/");
  LogEvents();
  slots.AddDocument("");
  bool checked = false;
  slots.OnItemIndexChange = [&](TDataList*) {
    TEditList* doc = slots.CurrentItem()->GetList();
    EXPECT_EQ(testing::MeasurerOf(*doc), &canvas);
    EXPECT_EQ(doc->Style().GetTabLength(), 8);
    EXPECT_EQ(doc->FBackupMode, bmBakExtension);
    EXPECT_EQ(doc->FBackupFolder, "/backup/");
    doc->SetModified(true);  // the handler is already there
    checked = true;
  };
  TEditListInfo* second = slots.AddDocument("/docs/b.txt");
  EXPECT_TRUE(checked);
  EXPECT_EQ(slots.GetItemIndex(), 1);
  // The name is given after the slot became current.
  EXPECT_EQ(log, "changing0 modified(doc) reset(-) name(-) name(doc) ");
  EXPECT_EQ(second->GetList()->GetFileName(), "/docs/b.txt");
}

TEST_F(EditListInfosTest, SwitchingFiresInOrderAndOnlyForAChange) {
  slots.AddDocument("");
  slots.AddDocument("");
  LogEvents();
  slots.SetItemIndex(0);
  EXPECT_EQ(log, "changing1 change0 reset(-) name(-) ");
  log.clear();
  slots.SetItemIndex(0);
  slots.SetItemIndex(2);
  slots.SetItemIndex(-1);
  EXPECT_EQ(log, "");
}

// The view saves its state into the slot it leaves and takes it back from the
// slot it enters.
TEST_F(EditListInfosTest, ViewStateComesBackWithItsSlot) {
  struct TViewState {
    TPoint Offset;
    TDisplayPos Caret, SelStart, SelEnd;
    std::vector<TTextPos> Marks;
  } view{{0, 0}, {1, 0}, {1, 0}, {1, 0}, {}};
  slots.OnItemIndexChanging = [&](TDataList*) {
    TEditListInfo* slot = slots.CurrentItem();
    slot->SetOffset(view.Offset);
    slot->SetCaretPos(view.Caret);
    slot->SetSelStart(view.SelStart);
    slot->SetSelEnd(view.SelEnd);
    slot->SetMarks(view.Marks);
  };
  slots.OnItemIndexChange = [&](TDataList*) {
    TEditListInfo* slot = slots.CurrentItem();
    view = {slot->GetOffset(), slot->GetCaretPos(), slot->GetSelStart(), slot->GetSelEnd(), slot->GetMarks()};
  };
  slots.AddDocument("");
  view = {{10, 200}, {5, 3}, {2, 1}, {5, 3}, {{1, 0}, {4, 2}}};
  slots.AddDocument("");
  EXPECT_EQ(view.Caret, (TDisplayPos{1, 0}));  // a new slot's defaults
  EXPECT_TRUE(view.Marks.empty());
  view = {{0, 40}, {3, 0}, {3, 0}, {3, 0}, {{2, 0}}};
  slots.SetItemIndex(0);
  EXPECT_EQ(view.Offset, (TPoint{10, 200}));
  EXPECT_EQ(view.Caret, (TDisplayPos{5, 3}));
  EXPECT_EQ(view.SelStart, (TDisplayPos{2, 1}));
  EXPECT_EQ(view.Marks, (std::vector<TTextPos>{{1, 0}, {4, 2}}));
  slots.SetItemIndex(1);
  EXPECT_EQ(view.Offset, (TPoint{0, 40}));
  EXPECT_EQ(view.Marks, (std::vector<TTextPos>{{2, 0}}));
}

TEST_F(EditListInfosTest, MatchComparesTheWholeFileName) {
  TEditListInfo* slot = slots.AddDocument("/docs/" + Sj("表") + ".txt");
  EXPECT_TRUE(slot->Match("/docs/" + Sj("表") + ".txt"));
  EXPECT_FALSE(slot->Match(Sj("表") + ".txt"));
  EXPECT_FALSE(slot->Match("/docs/" + Sj("表") + ".TXT"));
  EXPECT_FALSE(slot->Match(""));
  EXPECT_TRUE(slots.AddDocument("")->Match(TEditList::NewDocumentName()));
}

TEST_F(EditListInfosTest, HistoriesActOnTheViewAndStylesReachEveryDocument) {
  slots.AddDocument("");
  TEditListInfo* first = slots.CurrentItem();
  testing::TEditorDouble view(*first->GetList(), *first->GetUndo());
  slots.SetView(&view);
  TEditListInfo* second = slots.AddDocument("");
  EXPECT_EQ(first->GetUndo()->GetOwner(), &view);
  EXPECT_EQ(second->GetUndo()->GetOwner(), &view);  // bound when it was made
  auto style = MakeDataItem<TEditorStyle>();
  style->SetTabLength(2);
  slots.ApplyStyle(style.get());
  EXPECT_EQ(first->GetList()->Style().GetTabLength(), 2);
  EXPECT_EQ(second->GetList()->Style().GetTabLength(), 2);
  EXPECT_EQ(slots.GetStyle(), style.get());
  slots.SetView(nullptr);
  EXPECT_EQ(first->GetUndo()->GetOwner(), nullptr);
}

// The history holds display positions of the rows it was recorded on.
struct SlotHistoryTest : EditListInfosTest {
  TEditListInfo* slot = nullptr;
  TEditList* doc = nullptr;
  std::unique_ptr<testing::TEditorDouble> editor;
  void SetUp() override {
    LogEvents();
    slot = slots.AddDocument("");
    doc = slot->GetList();
    doc->ApplyLayoutSettings(TDocumentLayout{});
    doc->SetText("abcdefghijkl\r\nmnop");
    testing::LayOutAt(*doc, 40);
    editor = std::make_unique<testing::TEditorDouble>(*doc, *slot->GetUndo());
    editor->MoveCaret({4, 0});
    editor->Type("x");
    log.clear();
  }
};

TEST_F(SlotHistoryTest, ReplacingTheTextEmptiesTheHistory) {
  ASSERT_TRUE(slot->GetUndo()->CanUndo());
  files.Files["/docs/other.txt"] = "other";
  doc->LoadFromFile("/docs/other.txt");
  EXPECT_FALSE(slot->GetUndo()->CanUndo());
  EXPECT_NE(log.find("reset(doc)"), std::string::npos);  // the view's handler still runs
  editor->Type("y");
  doc->NewDocument();
  EXPECT_FALSE(slot->GetUndo()->CanUndo());
}

TEST_F(SlotHistoryTest, ALayoutThatMovesRowsEmptiesTheHistory) {
  testing::LayOutAt(*doc, 40);  // the same rows again
  EXPECT_TRUE(slot->GetUndo()->CanUndo());
  EXPECT_EQ(log, "layout0 layout3 ");
  testing::LayOutAt(*doc, 8);  // a new capacity moves the rows
  EXPECT_FALSE(slot->GetUndo()->CanUndo());
  editor->Type("y");
  TDocumentLayout layout = doc->Layout();
  layout.Wrap.TabLength = 8;  // a wrapping setting, though no row of this text moves
  doc->ApplyLayoutSettings(layout);
  doc->Relayout();
  EXPECT_FALSE(slot->GetUndo()->CanUndo());
  // A slot switch lays the documents out again but keeps their histories.
  const std::string beforeZ = doc->GetText();
  editor->Type("z");
  slots.OnTextReset = [this](TEditList* sender) {
    if (!sender) slots.CurrentItem()->GetList()->Relayout();
  };
  slots.AddDocument("");
  slots.SetItemIndex(0);
  EXPECT_TRUE(slot->GetUndo()->CanUndo());
  slot->GetUndo()->Undo();
  EXPECT_EQ(doc->GetText(), beforeZ);
}

// The fixture's document is modified ("x" typed) and its history holds a jump
// and the typing.
struct SlotSavePointTest : SlotHistoryTest {
  void Save() { doc->SaveToFile("/docs/a.txt"); }
};

TEST_F(SlotSavePointTest, UndoBackToTheSavedTextClearsTheMarkAndRedoSetsIt) {
  Save();
  const std::string saved = doc->GetText();
  editor->Type("y");
  EXPECT_TRUE(doc->GetModified());
  slot->GetUndo()->Undo();
  EXPECT_EQ(doc->GetText(), saved);
  EXPECT_FALSE(doc->GetModified());
  slot->GetUndo()->Redo();
  EXPECT_TRUE(doc->GetModified());
  slot->GetUndo()->Undo(2);  // past the saved text
  EXPECT_TRUE(doc->GetModified());
  slot->GetUndo()->Redo();
  EXPECT_FALSE(doc->GetModified());
  // One event per change of the mark, none for the steps that keep it.
  std::string expected = "name(doc) ";
  for (int i = 0; i < 7; ++i) expected += "modified(doc) ";
  EXPECT_EQ(log, expected);
}

TEST_F(SlotSavePointTest, AnEditAfterUndoingPastTheSaveKeepsTheMarkForGood) {
  Save();
  const std::string saved = doc->GetText();
  slot->GetUndo()->Undo();  // the "x" goes
  editor->Type("x");        // the same text by another way
  EXPECT_EQ(doc->GetText(), saved);
  EXPECT_TRUE(doc->GetModified());
  while (slot->GetUndo()->CanUndo()) {
    slot->GetUndo()->Undo();
    EXPECT_TRUE(doc->GetModified());
  }
  while (slot->GetUndo()->CanRedo()) {
    slot->GetUndo()->Redo();
    EXPECT_TRUE(doc->GetModified());
  }
  Save();
  EXPECT_FALSE(doc->GetModified());
}

TEST_F(SlotSavePointTest, SavingLoadingAndNewPutTheSavePointWhereTheHistoryIs) {
  // Saved with the typing undone: redo leaves the saved text, undo returns.
  slot->GetUndo()->Undo();
  Save();
  slot->GetUndo()->Redo();
  EXPECT_TRUE(doc->GetModified());
  slot->GetUndo()->Undo();
  EXPECT_FALSE(doc->GetModified());

  files.Files["/docs/other.txt"] = "other";
  doc->LoadFromFile("/docs/other.txt");
  testing::LayOutAt(*doc, 40);
  editor->MoveCaret({6, 0});
  editor->Type("s");
  slot->GetUndo()->Undo();
  EXPECT_EQ(doc->GetText(), "other");
  EXPECT_FALSE(doc->GetModified());

  editor->Type("s");
  doc->NewDocument();
  EXPECT_FALSE(doc->GetModified());
  testing::LayOutAt(*doc, 40);
  editor->MoveCaret({1, 0});
  editor->Type("n");
  slot->GetUndo()->Undo();
  EXPECT_FALSE(doc->GetModified());
}

TEST_F(SlotSavePointTest, ALayoutThatEmptiesTheHistoryKeepsTheMarkItFound) {
  Save();
  testing::LayOutAt(*doc, 8);  // new rows: the history is emptied
  editor->Type("y");
  slot->GetUndo()->Undo();
  EXPECT_FALSE(doc->GetModified());
  editor->Type("y");
  testing::LayOutAt(*doc, 40);  // emptied while modified
  editor->Type("z");
  slot->GetUndo()->Undo();
  EXPECT_TRUE(doc->GetModified());
}

TEST_F(SlotSavePointTest, ARestoredUnsavedTextStaysModifiedWhateverIsUndone) {
  // No undo may reach a "saved" state the restored text never had: undoing
  // the first edit after a restore once cleared the mark, and a close then
  // dropped the text without asking.
  TUnsavedText unsaved;
  std::string problem;
  ASSERT_TRUE(doc->CaptureUnsaved(unsaved, problem)) << problem;
  doc->NewDocument();
  ASSERT_TRUE(doc->RestoreUnsaved(unsaved, problem)) << problem;
  EXPECT_TRUE(doc->GetModified());
  testing::LayOutAt(*doc, 40);
  editor->MoveCaret({1, 0});
  editor->Type("y");
  slot->GetUndo()->Undo();
  EXPECT_TRUE(doc->GetModified());
  Save();
  editor->Type("z");
  slot->GetUndo()->Undo();
  EXPECT_FALSE(doc->GetModified());  // a real save point works as before
}

}  // namespace
}  // namespace vorna
