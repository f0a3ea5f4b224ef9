// The editor control on the offscreen platform: keys and their repeat, the
// wheel table, tabs, read-only, the caret's show counter, the input method
// (commit, preedit, composition point) and bad input.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTest>
#include <QTextCharFormat>
#include <QWheelEvent>
#include <filesystem>
#include <fstream>

#include "control/ControlServices.h"
#include "control/EditorControls.h"
#include "control/ViewWidgets.h"
#include "platform/Files.h"
#include "platform/qt/QtConvert.h"
#include "text/Cp932.h"

namespace vorna::control {
namespace {

class EditorControlTest : public ::testing::Test {
 protected:
  // A shown, focused control of `preset` holding `utf8`.
  TEditor& Open(int preset, std::string_view utf8 = "", QSize size = {640, 480}) {
    FEditor = std::make_unique<TEditor>(nullptr, FServices.Services());
    FEditor->SetStyleIndex(preset);
    FEditor->resize(size);
    FEditor->show();
    FEditor->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(FEditor.get()));
    FEditor->setFocus();
    QApplication::processEvents();
    if (!utf8.empty()) View().List().SetText(Cp932FromUtf8(utf8));
    return *FEditor;
  }
  TEditorView& View() { return FEditor->EditorView(); }
  std::string Text() { return Utf8FromCp932(View().List().GetText()); }

  // Sends a key as Qt delivers it; returns whether the control took it.
  bool Key(QEvent::Type type, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {},
           bool autoRepeat = false) {
    QKeyEvent event(type, key, mods, text, autoRepeat);
    QApplication::sendEvent(FEditor.get(), &event);
    return event.isAccepted();
  }
  void Commit(const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(FEditor.get(), &event);
  }
  void Preedit(const QString& text, QList<QInputMethodEvent::Attribute> attributes = {}) {
    QInputMethodEvent event(text, attributes);
    QApplication::sendEvent(FEditor.get(), &event);
  }

  TQtServiceSet FServices;
  std::unique_ptr<TEditor> FEditor;
};

TEST_F(EditorControlTest, KeysReachTheirCommandsAndUnmappedKeysPassOn) {
  Open(0, "abc\r\ndef");
  EXPECT_TRUE(Key(QEvent::KeyPress, Qt::Key_Right));
  EXPECT_EQ(View().CaretPos(), (TDisplayPos{2, 0}));
  EXPECT_TRUE(Key(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier));
  EXPECT_EQ(View().CaretPos().Row, 1);
  EXPECT_FALSE(Key(QEvent::KeyPress, Qt::Key_F5));
  // A caller's key map comes first.
  FEditor->OnKeyToCommandNo = [](int key) { return key == 0x74 /* F5 */ ? int(ecDocStart) : 0; };
  EXPECT_TRUE(Key(QEvent::KeyPress, Qt::Key_F5));
  EXPECT_EQ(View().CaretPos(), (TDisplayPos{1, 0}));
  // Alt and Ctrl make shortcuts, never text.
  Key(QEvent::KeyPress, Qt::Key_X, Qt::AltModifier, "x");
  EXPECT_EQ(Text(), "abc\r\ndef");
  // Insert turns the bar into a box over the character.
  const int bar = FEditor->CaretRect().width();
  EXPECT_TRUE(Key(QEvent::KeyPress, Qt::Key_Insert));
  EXPECT_GT(FEditor->CaretRect().width(), bar + 3);
}

TEST_F(EditorControlTest, AHeldArrowRunsEveryTenMillisecondsAfterTheRepeatLimitUntilReleased) {
  std::string lines;
  for (int i = 0; i < 400; ++i) lines += "x\r\n";
  Open(0, lines);
  ASSERT_EQ(FEditor->EditorStyle().GetRepeatLimit(), 100);
  Key(QEvent::KeyPress, Qt::Key_Down);
  for (int i = 0; i < 100; ++i) Key(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, {}, true);
  EXPECT_EQ(FEditor->RepeatCount(), 100);
  EXPECT_FALSE(FEditor->RepeatLoopRunning());
  EXPECT_EQ(View().CaretPos().Row, 101);
  Key(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, {}, true);
  EXPECT_TRUE(FEditor->RepeatLoopRunning());
  // Every 10 ms; a loaded machine may take longer for the first few.
  EXPECT_TRUE(QTest::qWaitFor([&] { return View().CaretPos().Row > 104; }, 3000));
  // Repeats of the held key add nothing while the loop runs.
  Key(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, {}, true);
  Key(QEvent::KeyRelease, Qt::Key_Down);
  EXPECT_FALSE(FEditor->RepeatLoopRunning());
  EXPECT_EQ(FEditor->RepeatCount(), 0);
  const int released = View().CaretPos().Row;
  QTest::qWait(40);
  EXPECT_EQ(View().CaretPos().Row, released);
}

TEST_F(EditorControlTest, WheelCommandsFollowTheWritingDirectionAndThePaper) {
  using W = TBaseControl::TWheelCommands;
  const auto same = [](W a, W b) {
    return a.Up == b.Up && a.Down == b.Down && a.UpCtrl == b.UpCtrl && a.DownCtrl == b.DownCtrl;
  };
  // Plain notches scroll along y and Ctrl ones along x, or the other way round.
  const W alongY{vcScrollDown, vcScrollUp, vcScrollRight, vcScrollLeft, 0};
  const W alongX{vcScrollRight, vcScrollLeft, vcScrollDown, vcScrollUp, 0};
  Open(0);
  EXPECT_TRUE(same(FEditor->WheelCommands(), alongY));
  FEditor->SetStyleIndex(6);  // vertical in a window
  EXPECT_TRUE(same(FEditor->WheelCommands(), alongX));
  FEditor->EditorStyle().SetPageRoll(true);
  EXPECT_TRUE(same(FEditor->WheelCommands(), {ecScreenBack, ecScreenForward, 0, 0, 0}));
  EXPECT_EQ(FEditor->WheelCommands().Lines, 1);
  FEditor->SetStyleIndex(9);  // paper side by side, a sheet fits
  FEditor->resize(3000, 3000);
  FEditor->WheelSettingsChanged();
  EXPECT_TRUE(same(FEditor->WheelCommands(), alongX));
  EXPECT_EQ(FEditor->WheelCommands().Lines, 1);

  // A notch away from the user in a vertical window scrolls toward the start.
  Open(6, std::string(20000, 'x'));
  const TPoint before = View().Offset();
  QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(FEditor.get(), &wheel);
  EXPECT_NE(View().Offset(), before);
}

TEST_F(EditorControlTest, TabsAreWantedOnlyWhileTheyAreShown) {
  Open(0, "a");
  EXPECT_TRUE(FEditor->WantTabs());
  Key(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, "\t");
  EXPECT_EQ(Text(), "\ta");
  FEditor->EditorStyle().GetViewInfo(kElemTab)->SetDisplayMode(kModeHidden);
  EXPECT_FALSE(FEditor->WantTabs());
  Key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  EXPECT_EQ(Text(), "\t\r\na");
}

TEST_F(EditorControlTest, AReadOnlyDocumentHasNoCaretAndIgnoresTyping) {
  Open(0, "abc");
  EXPECT_TRUE(FEditor->CaretCreated());
  FEditor->SetReadOnly(true);
  EXPECT_TRUE(FEditor->EditorStyle().GetReadOnly());
  EXPECT_FALSE(FEditor->CaretCreated());
  Key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
  Commit("日本語");
  EXPECT_EQ(Text(), "abc");
  EXPECT_FALSE(FEditor->inputMethodQuery(Qt::ImEnabled).toBool());
  FEditor->SetReadOnly(false);
  EXPECT_FALSE(FEditor->EditorStyle().GetReadOnly());
  EXPECT_TRUE(FEditor->CaretCreated());
}

TEST_F(EditorControlTest, TheCaretShowCounterStaysZeroOrOne) {
  Open(0, "abc");
  ASSERT_TRUE(FEditor->CaretCreated());
  EXPECT_EQ(FEditor->CaretShowCount(), 1);
  for (int i = 0; i < 3; ++i) FEditor->ShowCaret();
  EXPECT_EQ(FEditor->CaretShowCount(), 1);
  // Unbalanced paint notifications.
  View().OnPainting(&View());
  View().OnPainting(&View());
  EXPECT_EQ(FEditor->CaretShowCount(), 0);
  View().OnPainted(&View());
  View().OnPainted(&View());
  View().OnPainted(&View());
  EXPECT_EQ(FEditor->CaretShowCount(), 1);
  // Painting hides and shows the caret without asking for another paint.
  QApplication::processEvents();
  const int paints = FEditor->ViewWidget().PaintCount();
  for (int i = 0; i < 20; ++i) QApplication::processEvents();
  EXPECT_LE(FEditor->ViewWidget().PaintCount(), paints + 1);
  FEditor->clearFocus();
  QApplication::processEvents();
  EXPECT_FALSE(FEditor->CaretCreated());
  // With the Caret element shown the view paints the caret: none here.
  Open(8, "abc");
  EXPECT_FALSE(FEditor->CaretCreated());
}

TEST_F(EditorControlTest, ACommitInsertsOnceAsOneUndoStep) {
  Open(4, "");
  Commit("日本語");
  EXPECT_EQ(Text(), "日本語");
  // The key events Linux layouts send for committed text type it too.
  Key(QEvent::KeyPress, 0, Qt::NoModifier, "か");
  EXPECT_EQ(Text(), "日本語か");
  View().ExecuteCommand(ecUndo);
  View().ExecuteCommand(ecUndo);
  EXPECT_EQ(Text(), "");
}

TEST_F(EditorControlTest, APreeditIsDrawnInTheColumnAndLeavesTheDocumentAlone) {
  Open(4, "あいう");
  View().SetCaretPos({3, 0}, cmAbsolute);
  QApplication::processEvents();
  const QImage before = FEditor->ViewWidget().grab().toImage();
  QTextCharFormat clause;
  clause.setUnderlineStyle(QTextCharFormat::SingleUnderline);
  QTextCharFormat selected;
  selected.setBackground(Qt::darkBlue);
  Preedit("にほんご", {{QInputMethodEvent::TextFormat, 0, 2, clause},
                       {QInputMethodEvent::TextFormat, 2, 2, selected},
                       {QInputMethodEvent::Cursor, 4, 1, {}}});
  EXPECT_EQ(Text(), "あいう");
  EXPECT_FALSE(FEditor->CaretDrawn());
  const QImage during = FEditor->ViewWidget().grab().toImage();
  // Drawn down the column from the caret: the pixels below the caret change,
  // those beside the column stay.
  const TPoint at = View().PosToPoint(View().CaretPos(), true);
  const int band = View().FontHeight();
  int changedBelow = 0, changedBeside = 0;
  for (int y = at.Y; y < std::min(at.Y + 4 * band, during.height()); ++y) {
    for (int x = at.X; x < at.X + band; ++x) changedBelow += before.pixel(x, y) != during.pixel(x, y);
    for (int x = at.X - 3 * band; x < at.X - band; ++x)
      changedBeside += before.pixel(x, y) != during.pixel(x, y);
  }
  EXPECT_GT(changedBelow, band);
  EXPECT_EQ(changedBeside, 0);
  // Without attributes it still shows; an empty preedit ends the composition.
  Preedit("か");
  EXPECT_EQ(FEditor->Preedit().Text, "か");
  Preedit({});
  EXPECT_TRUE(FEditor->Preedit().Empty());
  EXPECT_TRUE(FEditor->CaretDrawn() || FEditor->CaretShowCount() == 1);
  EXPECT_EQ(Text(), "あいう");
}

TEST_F(EditorControlTest, TheCompositionPointLiesBesideTheColumnInVerticalMode) {
  Open(4, "あいう\r\nかきく");
  View().SetCaretPos({3, 1}, cmAbsolute);
  const QRect r = FEditor->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  const TPoint caret = View().ImePoint();
  const QPoint origin = FEditor->ViewWidget().mapTo(FEditor.get(), QPoint(0, 0));
  EXPECT_EQ(r.left(), origin.x() + caret.X + View().FontHeight() - 1);
  EXPECT_EQ(r.top(), origin.y() + caret.Y);
  // The caret's column lies left of that point; the previous column right of it.
  const TRect column = View().GetRowRect(1), previous = View().GetRowRect(0);
  EXPECT_LE(origin.x() + column.Left, r.left());
  EXPECT_GE(origin.x() + previous.Right, r.left());
  EXPECT_EQ(FEditor->inputMethodQuery(Qt::ImSurroundingText).toString(), "かきく");
  EXPECT_EQ(FEditor->inputMethodQuery(Qt::ImCursorPosition).toInt(), 1);

  // Reconversion with nothing selected selects the word at the caret first.
  FEditor->Reconvert();
  EXPECT_TRUE(View().Selecting());
  EXPECT_FALSE(FEditor->inputMethodQuery(Qt::ImCurrentSelection).toString().isEmpty());
}

TEST_F(EditorControlTest, BadInputLosesNothing) {
  Open(4, "本文");
  // Control characters type nothing (what CP932 lacks types, see
  // EditorUnicodeInputTest).
  Key(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(0x7F)));
  Key(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(0x08)));
  Commit({});
  EXPECT_EQ(Text(), "本文");

  // Focus lost while composing: the preedit goes, the text stays.
  Preedit("にほん");
  FEditor->clearFocus();
  QApplication::processEvents();
  EXPECT_TRUE(FEditor->Preedit().Empty());
  EXPECT_EQ(Text(), "本文");

  for (QSize size : {QSize(0, 0), QSize(10000, 10000), QSize(640, 480)}) {
    FEditor->resize(size);
    QApplication::processEvents();
  }
  EXPECT_EQ(Text(), "本文");

  FEditor->setFocus();
  QApplication::processEvents();
  const QString big(1 << 20, QChar(u'あ'));
  Commit(big);
  EXPECT_EQ(View().List().GetText().size(), 4u + 2u * (1u << 20));
  View().ExecuteCommand(ecUndo);
  EXPECT_EQ(Text(), "本文");
}

}  // namespace
}  // namespace vorna::control

namespace vorna::control {
namespace {

TEST_F(EditorControlTest, AKeystrokeRepaintsOnlyTheRowsOfItsLine) {
  std::string text;
  for (int i = 0; i < 12; ++i) text += "吾輩は猫である。名前はまだ無い。\r\n";
  Open(5, text, {900, 1300});  // vertical writing on paper
  View().SetCaretPos({5, View().List().FirstRowOfLine(3)}, cmAbsolute);
  QApplication::processEvents();
  const int paintsBefore = FEditor->ViewWidget().PaintCount();
  FEditor->ViewWidget().ClearPaintLog();
  Key(QEvent::KeyPress, 0, Qt::NoModifier, "あ");
  QApplication::processEvents();
  ASSERT_GT(FEditor->ViewWidget().PaintCount(), paintsBefore);
  QRegion line;
  for (int row = View().List().FirstRowOfLine(3); row < View().List().FirstRowOfLine(4); ++row)
    line += qt::ToQRect(View().GetRowRect(row));
  // The caret's own repaints lie in the line too.
  const std::vector<QRect>& painted = FEditor->ViewWidget().PaintLog();
  EXPECT_LE(painted.size(), 4u);
  for (const QRect& r : painted)
    EXPECT_TRUE(QRegion(r).subtracted(line).isEmpty()) << r.x() << " " << r.width();
}

}  // namespace
}  // namespace vorna::control

namespace vorna::control {
namespace {

TEST_F(EditorControlTest, RowsThatFollowTheWindowLoseTheirBarAndTheImeModeBecomesAHint) {
  Open(11);  // vertical, columns as many as fit
  EXPECT_FALSE(FEditor->VertScrollBar().isVisibleTo(FEditor.get()));
  EXPECT_EQ(FEditor->HorzScrollBar().isVisibleTo(FEditor.get()),
            FEditor->EditorStyle().GetHScrollBarVisible());
  FEditor->SetStyleIndex(0);  // horizontal, columns as many as fit
  EXPECT_FALSE(FEditor->HorzScrollBar().isVisibleTo(FEditor.get()));
  EXPECT_EQ(FEditor->VertScrollBar().isVisibleTo(FEditor.get()),
            FEditor->EditorStyle().GetVScrollBarVisible());

  FEditor->EditorStyle().SetImeControl(icClosed);
  EXPECT_EQ(FEditor->ImeMode(), icClosed);
  EXPECT_TRUE(FEditor->inputMethodHints() & Qt::ImhLatinOnly);
  FEditor->EditorStyle().SetImeControl(icDontCare);
  EXPECT_EQ(FEditor->inputMethodHints(), Qt::ImhNone);
}

TEST_F(EditorControlTest, OpenFileLoadsMakesNewAndKeepsTheTextOnAnError) {
  Open(0, "old");
  const std::string folder = ::testing::TempDir() + "/open-file-test-" + std::to_string(::getpid());
  std::filesystem::create_directories(folder);
  const std::string path = folder + "/a.txt";
  { std::ofstream(path, std::ios::binary) << Cp932FromUtf8("読んだ\r\n"); }
  FEditor->OpenFile(path, false);
  EXPECT_EQ(Text(), "読んだ\r\n");
  FEditor->OpenFile(TEditList::NewDocumentName(), true);
  EXPECT_EQ(View().Infos().GetCount(), 2);
  EXPECT_EQ(Text(), "");
  View().List().SetText("kept");
  EXPECT_THROW(FEditor->OpenFile(folder, false), EFileError);  // a folder cannot be read
  EXPECT_EQ(Text(), "kept");
  std::filesystem::remove_all(folder);
}

TEST_F(EditorControlTest, DraggingTheSelectionMovesItAndEscapeCancels) {
  Open(0, "abcdef");
  View().SelectFromTo({1, 0}, {3, 0}, false);  // "ab"
  TViewWidget& widget = FEditor->ViewWidget();
  const TPoint on = View().PosToPoint({2, 0});
  const TPoint to = View().PosToPoint({6, 0});
  const QPoint press(on.X, on.Y + View().FontHeight() / 2), drop(to.X, press.y());
  QTest::mousePress(&widget, Qt::LeftButton, Qt::NoModifier, press);
  QTest::mouseMove(&widget, press + QPoint(20, 0));
  ASSERT_TRUE(widget.DragActive());
  Key(QEvent::KeyPress, Qt::Key_Escape);
  EXPECT_FALSE(widget.DragActive());
  QTest::mouseRelease(&widget, Qt::LeftButton, Qt::NoModifier, drop);
  EXPECT_EQ(Text(), "abcdef");

  View().SelectFromTo({1, 0}, {3, 0}, false);
  QTest::mousePress(&widget, Qt::LeftButton, Qt::NoModifier, press);
  QTest::mouseMove(&widget, press + QPoint(20, 0));
  QTest::mouseMove(&widget, drop);
  QTest::mouseRelease(&widget, Qt::LeftButton, Qt::NoModifier, drop);
  EXPECT_FALSE(widget.DragActive());
  EXPECT_EQ(Text(), "cdeabf");
}

}  // namespace
}  // namespace vorna::control
