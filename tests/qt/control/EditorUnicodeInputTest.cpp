// Typing characters CP932 cannot hold: input-method commits and key text of
// emoji, ideographs beyond the BMP and the wave dash enter the document as
// user-defined codes and decode back unchanged; their preedit is drawn.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTest>

#include "control/ControlServices.h"
#include "control/EditorControls.h"
#include "control/ViewWidgets.h"
#include "platform/qt/QtConvert.h"
#include "text/Cp932.h"
#include "text/UserCodes.h"

namespace vorna::control {
namespace {

class EditorUnicodeInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FEditor = std::make_unique<TEditor>(nullptr, FServices.Services());
    FEditor->SetStyleIndex(4);  // vertical writing
    FEditor->resize(640, 480);
    FEditor->show();
    FEditor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FEditor.get()));
    FEditor->setFocus();
    QApplication::processEvents();
  }
  TEditorView& View() { return FEditor->EditorView(); }
  QString Text() { return qt::QStringFromCp932(View().List().GetText()); }
  void Send(QEvent& event) { QApplication::sendEvent(FEditor.get(), &event); }

  TQtServiceSet FServices;
  std::unique_ptr<TEditor> FEditor;
};

TEST_F(EditorUnicodeInputTest, ACommitOfCharactersCp932LacksDecodesBackExactly) {
  const QString typed = QString::fromUtf8("😀𠮷〜");
  QInputMethodEvent commit;
  commit.setCommitString(typed);
  Send(commit);
  EXPECT_EQ(Text(), typed);
  const std::string bytes = View().List().GetText();
  ASSERT_EQ(bytes.size(), 6u);
  for (size_t i = 0; i < bytes.size(); i += 2)
    EXPECT_TRUE(IsUserDefinedCode(static_cast<unsigned char>(bytes[i]) << 8 |
                                  static_cast<unsigned char>(bytes[i + 1])))
        << i;
  View().ExecuteCommand(ecUndo);
  EXPECT_EQ(Text(), "");
}

TEST_F(EditorUnicodeInputTest, KeyTextTypesEveryCharacterButControls) {
  for (const char* utf8 : {"😀", "한", "〜"}) {
    QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8(utf8));
    Send(key);
  }
  for (QChar control : {QChar(0x7F), QChar(0x01), QChar(0x9B)}) {
    QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(control));
    Send(key);
  }
  EXPECT_EQ(Text(), QString::fromUtf8("😀한〜"));
}

TEST_F(EditorUnicodeInputTest, AReconversionCountsAnEmojiAsTheTwoUnitsQtSees) {
  View().List().SetText(Cp932TextFromUtf8("😀あいう"));
  View().SetCaretPos({5, 0}, cmAbsolute);  // after "😀あ", two bytes each
  ASSERT_EQ(FEditor->inputMethodQuery(Qt::ImCursorPosition).toInt(), 3);
  QInputMethodEvent event;
  event.setCommitString(QString::fromUtf8("愛"), -1, 2);  // "あい"
  Send(event);
  EXPECT_EQ(Text(), QString::fromUtf8("😀愛う"));
}

TEST_F(EditorUnicodeInputTest, APreeditOfEmojiIsDrawnInColour) {
  const QImage before = FEditor->ViewWidget().grab().toImage();
  QInputMethodEvent preedit(QString::fromUtf8("😀𠮷"), {});
  Send(preedit);
  EXPECT_EQ(Text(), "");
  const QImage during = FEditor->ViewWidget().grab().toImage();
  ASSERT_EQ(before.size(), during.size());
  int changed = 0, coloured = 0;
  for (int y = 0; y < during.height(); ++y)
    for (int x = 0; x < during.width(); ++x) {
      const QRgb p = during.pixel(x, y);
      if (p == before.pixel(x, y)) continue;
      ++changed;
      coloured += std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)}) > 80;
    }
  const int band = View().FontHeight();
  EXPECT_GT(changed, band * band / 2);
  EXPECT_GT(coloured, band);
}

// The window's colour scheme draws white text straight over its picture: a
// preedit box in the text's back colour was white on white.
TEST_F(EditorUnicodeInputTest, APreeditOverAPictureStaysReadable) {
  FEditor->SetStyleIndex(0);
  TViewInfo* normal = FEditor->EditorStyle().GetViewInfo(kElemNormal);
  normal->SetFontColor(0x00FFFFFF);
  normal->SetBackColor(kClNone);
  QApplication::processEvents();
  const QImage before = FEditor->ViewWidget().grab().toImage();
  QInputMethodEvent preedit(QString::fromUtf8("にほんご"), {});
  Send(preedit);
  const QImage during = FEditor->ViewWidget().grab().toImage();
  int dark = 0;
  for (int y = 0; y < during.height(); ++y)
    for (int x = 0; x < during.width(); ++x)
      dark += during.pixel(x, y) != before.pixel(x, y) && qGray(during.pixel(x, y)) < 64;
  EXPECT_GT(dark, View().FontHeight() * View().FontHeight());
}

}  // namespace
}  // namespace vorna::control
