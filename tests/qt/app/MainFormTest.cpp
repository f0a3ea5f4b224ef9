// The main window on the offscreen platform: the save prompt and the close
// query, save and save as, the update handlers, the line-number toggle, the
// file dialogs' extension, bad files named on the command line; file
// formats: the status text, reopening in an encoding, the refusal of
// characters the encoding cannot hold, the save dialog's format choice and
// printing UTF-16 to PDF; the about box without version data and the
// gradient's edge cases.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QPainter>

#include <filesystem>
#include <fstream>

#include "FormatChoices.h"
#include "GradBoxes.h"
#include "MainForms.h"
#include "PlatformDoubles.h"
#include "PrintPdfCommands.h"
#include "VerInfos.h"
#include "control/ControlServices.h"
#include "print/LpPrinters.h"
#include "settings/StyleElements.h"
#include "text/Cp932.h"
#include "text/UserCodes.h"

namespace vorna::app {
namespace {

namespace fs = std::filesystem;

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FBundle = FQt.Services();
    FBundle.Boxes = &FBoxes;
    FBundle.Clipboard = &FClipboard;
    // One folder per test and process: ctest runs the tests side by side.
    FFolder = fs::path(::testing::TempDir()) /
              ("main-form-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
               "-" + std::to_string(::getpid()));
    fs::remove_all(FFolder);
    fs::create_directories(FFolder);
    FWindow = std::make_unique<TVORNAEditorMain>(FBundle);
    FWindow->AskSaveFileName = [this](const std::string& initial,
                                      const TFileFormat& format) -> std::optional<TSaveChoice> {
      ++FSaveDialogs;
      FOfferedName = initial;
      FOffered = format;
      if (!FSaveAnswer) return std::nullopt;
      return TSaveChoice{*FSaveAnswer, FSaveFormat.value_or(format)};
    };
    FWindow->AskEncodingRefusal = [this](const QString& text) {
      FRefusals.push_back(text.toStdString());
      return FRefusalAnswer;
    };
  }
  void TearDown() override {
    FWindow.reset();
    fs::remove_all(FFolder);
  }
  TEditList& List() { return FWindow->View().List(); }
  void Type(std::string_view utf8) { FWindow->View().TypeText(Cp932FromUtf8(utf8), true); }
  fs::path Write(const std::string& name, const std::string& bytes) {
    std::ofstream(FFolder / name, std::ios::binary) << bytes;
    return FFolder / name;
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string Status() const { return FWindow->FileFormatText().toStdString(); }

  TLpPrinter FPrinter;  // without a printer layer
  control::TQtServiceSet FQt{&FPrinter};
  testing::TFakeMessageBoxes FBoxes;
  testing::TMemoryClipboard FClipboard;
  TPlatformServices FBundle;
  fs::path FFolder;
  std::unique_ptr<TVORNAEditorMain> FWindow;
  int FSaveDialogs = 0;
  std::optional<std::string> FSaveAnswer;
  std::string FOfferedName;
  std::optional<TFileFormat> FSaveFormat;  // the dialog's format choice; else as offered
  TFileFormat FOffered;
  std::vector<std::string> FRefusals;
  TRefusalAnswer FRefusalAnswer = TRefusalAnswer::Cancel;
};

TEST_F(MainFormTest, SaveRunsOnlyOnAModifiedDocumentAndAnUntitledOneAsksForAName) {
  FWindow->UpdateActions();
  EXPECT_EQ(FWindow->windowTitle().toStdString(), "（新規文書）.txt[*]");
  EXPECT_FALSE(FWindow->FileSave->isEnabled());
  Type("本文");
  FWindow->UpdateActions();
  EXPECT_TRUE(FWindow->FileSave->isEnabled());
  EXPECT_TRUE(FWindow->isWindowModified());
  FWindow->FileSaveExecute();  // cancelled dialog
  EXPECT_EQ(FSaveDialogs, 1);
  EXPECT_TRUE(List().GetModified());
  FSaveAnswer = (FFolder / "draft.txt").string();
  FWindow->FileSaveExecute();
  EXPECT_FALSE(List().GetModified());
  std::ifstream in(*FSaveAnswer, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), Cp932FromUtf8("本文"));
  EXPECT_EQ(FWindow->windowTitle().toStdString(), "draft.txt[*]");
}

TEST_F(MainFormTest, ClosingAModifiedDocumentAsksAndCancelKeepsTheWindow) {
  FWindow->show();
  Type("x");
  FBoxes.Answer = TMessageResult::Cancel;
  EXPECT_FALSE(FWindow->close());
  EXPECT_TRUE(FWindow->isVisible());
  ASSERT_FALSE(FBoxes.Shown.empty());
  EXPECT_EQ(FBoxes.Shown.back(), "ask " + Cp932FromUtf8("（新規文書）.txt を保存しますか？"));
  FBoxes.Answer = TMessageResult::No;
  EXPECT_TRUE(FWindow->close());
  EXPECT_TRUE(List().GetModified());  // closed without saving
}

TEST_F(MainFormTest, AFailedSaveKeepsTheDocumentModifiedAndReportsIt) {
  Type("x");
  fs::create_directories(FFolder / "locked");
  FSaveAnswer = (FFolder / "locked").string();  // a folder is no file to write
  FWindow->FileSaveAsExecute();
  EXPECT_TRUE(List().GetModified());
  ASSERT_FALSE(FBoxes.Shown.empty());
  EXPECT_EQ(FBoxes.Shown.back().rfind("error ", 0), 0u);

  // Closing with Yes while the save fails: reported, and the window stays.
  FSaveAnswer = (FFolder / "saved.txt").string();
  FWindow->FileSaveAsExecute();
  { std::ofstream(FFolder / "plain") << "x"; }
  List().SetFileName((FFolder / "plain" / "cannot.txt").string());
  Type("y");
  FWindow->show();
  FBoxes.Answer = TMessageResult::Yes;
  EXPECT_FALSE(FWindow->close());
  EXPECT_TRUE(FWindow->isVisible());
  EXPECT_TRUE(List().GetModified());
  EXPECT_EQ(FBoxes.Shown.back().rfind("error ", 0), 0u);
}

TEST_F(MainFormTest, UpdateHandlersFollowTheSelectionClipboardAndHistory) {
  Type("abc");
  FWindow->UpdateActions();
  EXPECT_FALSE(FWindow->EditCopy->isEnabled());
  EXPECT_FALSE(FWindow->EditPaste->isEnabled());
  EXPECT_TRUE(FWindow->EditUndo->isEnabled());
  EXPECT_FALSE(FWindow->EditRedo->isEnabled());
  FWindow->View().SelectFromTo({1, 0}, {3, 0}, false);
  FClipboard.SetText("t");
  FWindow->UpdateActions();
  EXPECT_TRUE(FWindow->EditCut->isEnabled());
  EXPECT_TRUE(FWindow->EditCopy->isEnabled());
  EXPECT_TRUE(FWindow->EditPaste->isEnabled());
  FWindow->Editor().SetReadOnly(true);
  FWindow->UpdateActions();
  EXPECT_FALSE(FWindow->EditCut->isEnabled());
  EXPECT_FALSE(FWindow->EditPaste->isEnabled());
  EXPECT_EQ(FWindow->FilePrint->isEnabled(), FPrinter.Info().Count() > 0);
}

TEST_F(MainFormTest, TheLineNumberToggleAlternatesAndTurnsTwoIntoZero) {
  TViewInfo* lineInfo = FWindow->Editor().EditorStyle().GetViewInfo(kElemLineInfo);
  lineInfo->SetDisplayMode(kModeHidden);
  FWindow->CustLineNoExecute();
  EXPECT_EQ(lineInfo->GetDisplayMode(), kModeShown);
  EXPECT_TRUE(FWindow->CustLineNo->isChecked());
  FWindow->CustLineNoExecute();
  EXPECT_EQ(lineInfo->GetDisplayMode(), kModeHidden);
  lineInfo->SetDisplayMode(kModeScreenOnly);
  FWindow->CustLineNoExecute();
  EXPECT_EQ(lineInfo->GetDisplayMode(), kModeHidden);
}

TEST_F(MainFormTest, FileDialogsAddTxtNotRtf) {
  QFileDialog dialog;
  ConfigureFileDialog(dialog, true);
  EXPECT_EQ(dialog.defaultSuffix().toStdString(), "txt");
  EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
}

TEST_F(MainFormTest, BadFilesOnTheCommandLineAreReportedAndTheWindowStaysUsable) {
  const fs::path binary = FFolder / "binary.dat";
  { std::ofstream(binary, std::ios::binary) << std::string("\x00\x01\xff\xfe\x81", 5); }
  FWindow->OpenFromCommandLine((FFolder / "missing.txt").string());
  EXPECT_EQ(FBoxes.Shown.back().rfind("error ", 0), 0u);
  FWindow->OpenFromCommandLine(FFolder.string());
  EXPECT_EQ(FBoxes.Shown.back().rfind("error ", 0), 0u);
  EXPECT_EQ(List().GetText(), "");
  // A file with NUL bytes shows its text up to the first and opens read-only,
  // so that no save can cut the file short.
  FWindow->OpenFromCommandLine(binary.string());
  EXPECT_TRUE(FWindow->View().IsReadOnly());
  Type("ok");
  EXPECT_FALSE(List().GetModified());
  EXPECT_EQ(fs::file_size(binary), 5u);
}

TEST_F(MainFormTest, ARelativeNameOnTheCommandLineOpensAsItsFullPath) {
  { std::ofstream(FFolder / "rel.txt") << "text"; }
  const QString before = QDir::currentPath();
  QDir::setCurrent(QString::fromStdString(FFolder.string()));
  FWindow->OpenFromCommandLine("rel.txt");
  QDir::setCurrent(before);
  EXPECT_EQ(List().GetFileName(), (FFolder / "rel.txt").string());
}

TEST_F(MainFormTest, AFailingClipboardCheckIsToldOnce) {
  struct TBrokenClipboard : testing::TMemoryClipboard {
    bool HasText() override { throw std::runtime_error("no clipboard"); }
  } broken;
  FBundle.Clipboard = &broken;
  TVORNAEditorMain window(FBundle);
  window.UpdateActions();
  window.UpdateActions();
  ASSERT_EQ(std::count_if(FBoxes.Shown.begin(), FBoxes.Shown.end(),
                          [](const std::string& s) { return s.rfind("info ", 0) == 0; }),
            1);
  EXPECT_EQ(FBoxes.Shown.back(),
            "info " + Cp932FromUtf8("クリップボードバグの発生。作者にお知らせください。2"));
}

TEST_F(MainFormTest, TheStatusBarShowsTheEncodingAndLineEndOfWhatIsOpen) {
  EXPECT_EQ(Status(), "CP932 · CRLF");
  EXPECT_FALSE(FWindow->FileReopen->isEnabled());  // untitled
  FWindow->OpenFromCommandLine(Write("lf.txt", "日本語\nです\n").string());
  EXPECT_EQ(Status(), "UTF-8 · LF");
  EXPECT_TRUE(FWindow->FileReopen->isEnabled());
  // Mixed line ends are told until a save writes one kind.
  FWindow->OpenFromCommandLine(Write("mixed.txt", "\xEF\xBB\xBF一\r\n二\n三\n").string());
  EXPECT_EQ(Status(), "UTF-8 (BOM) · LF（混在）");
  Type("x");
  FWindow->FileSaveExecute();
  EXPECT_EQ(Status(), "UTF-8 (BOM) · LF");
  EXPECT_EQ(Read(FFolder / "mixed.txt"), "\xEF\xBB\xBFx一\n二\n三\n");
  FWindow->FileNewExecute();
  EXPECT_EQ(Status(), "CP932 · CRLF");
}

TEST_F(MainFormTest, ReopeningInAnEncodingAsksToSaveFirstAndDecodesAgain) {
  // "かなカナ" in EUC-JP: every byte is also a half-width CP932 character.
  const std::string euc = "\xA4\xAB\xA4\xCA\xA5\xAB\xA5\xCA";
  const fs::path file = Write("kana.txt", euc + "\r\n");
  FWindow->OpenFromCommandLine(file.string());
  FWindow->FileReopenExecute(TEncoding::Cp932);
  EXPECT_EQ(List().Get(0), euc);
  EXPECT_EQ(Status(), "CP932 · CRLF");
  Type("x");
  FBoxes.Answer = TMessageResult::Cancel;
  FWindow->FileReopenExecute(TEncoding::EucJp);
  EXPECT_EQ(FBoxes.Shown.back(), "ask " + Cp932FromUtf8("kana.txt を保存しますか？"));
  EXPECT_TRUE(List().GetModified());
  EXPECT_EQ(Status(), "CP932 · CRLF");
  FBoxes.Answer = TMessageResult::No;
  FWindow->FileReopenExecute(TEncoding::EucJp);
  EXPECT_EQ(List().Get(0), Cp932FromUtf8("かなカナ"));
  EXPECT_FALSE(List().GetModified());
  EXPECT_EQ(Status(), "EUC-JP · CRLF");
  EXPECT_EQ(Read(file), euc + "\r\n");
  // A file removed meanwhile is told, and the document stays.
  fs::remove(file);
  FWindow->FileReopenExecute(TEncoding::Utf8);
  EXPECT_EQ(FBoxes.Shown.back().rfind("error ", 0), 0u);
  EXPECT_EQ(List().Get(0), Cp932FromUtf8("かなカナ"));
}

TEST_F(MainFormTest, ACharacterTheEncodingCannotHoldIsRefusedAndUtf8Offered) {
  const std::string refusal = "「〜」(U+301C) は CP932 で保存できません（3 行目 5 文字目）。";
  List().SetText(Cp932TextFromUtf8("一\r\n二\r\nあいうえ〜お"));
  List().SetModified(true);
  const fs::path target = FFolder / "wave.txt";
  FSaveAnswer = target.string();
  FWindow->FileSaveExecute();  // untitled: save as, CP932 offered
  ASSERT_EQ(FRefusals.size(), 1u);
  EXPECT_EQ(FRefusals.back(), refusal);
  EXPECT_FALSE(fs::exists(target));
  EXPECT_TRUE(List().GetModified());
  EXPECT_EQ(FSaveDialogs, 1);

  FRefusalAnswer = TRefusalAnswer::SaveInUtf8;
  FWindow->FileSaveAsExecute();
  EXPECT_EQ(FSaveDialogs, 3);  // the second dialog comes with UTF-8 chosen
  EXPECT_EQ(FOffered, (TFileFormat{TEncoding::Utf8, false, TLineEnd::CrLf}));
  EXPECT_EQ(Read(target), "一\r\n二\r\nあいうえ〜お");
  EXPECT_FALSE(List().GetModified());
  EXPECT_EQ(Status(), "UTF-8 · CRLF");
  FSaveAnswer.reset();
  FWindow->FileSaveAsExecute();
  EXPECT_EQ(FOfferedName, target.string());  // a named file is offered in its own folder

  // The close prompt's Yes refused and cancelled: the window stays, nothing written.
  List().SetFileFormat({});
  Type("x");
  FWindow->show();
  FBoxes.Answer = TMessageResult::Yes;
  FRefusalAnswer = TRefusalAnswer::Cancel;
  EXPECT_FALSE(FWindow->close());
  EXPECT_TRUE(FWindow->isVisible());
  EXPECT_EQ(FRefusals.size(), 3u);
  EXPECT_TRUE(List().GetModified());
  EXPECT_EQ(Read(target), "一\r\n二\r\nあいうえ〜お");
}

TEST_F(MainFormTest, SaveAsWritesTheChosenEncodingAndLineEnd) {
  List().SetText(Cp932FromUtf8("あ\r\nb"));
  FSaveAnswer = (FFolder / "utf16.txt").string();
  FSaveFormat = TFileFormat{TEncoding::Utf16Le, true, TLineEnd::Lf};
  FWindow->FileSaveAsExecute();
  EXPECT_EQ(FOffered, TFileFormat{});  // a new document: CP932, CR LF
  EXPECT_EQ(Read(*FSaveAnswer), std::string("\xFF\xFE\x42\x30\x0A\x00\x62\x00", 8));
  EXPECT_EQ(Status(), "UTF-16 LE (BOM) · LF");
  FSaveFormat.reset();
  FWindow->FileSaveAsExecute();
  EXPECT_EQ(FOffered, (TFileFormat{TEncoding::Utf16Le, true, TLineEnd::Lf}));
}

TEST(FormatChoiceTest, TheChoosersStartAtTheCurrentFormatAndAddOneTheyLack) {
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  const TFileFormat usual{TEncoding::Utf8, false, TLineEnd::Lf};
  const TFormatChoosers choosers(dialog, usual);
  EXPECT_EQ(choosers.Encodings().count(), 5);
  EXPECT_EQ(choosers.LineEnds().count(), 2);
  EXPECT_EQ(choosers.Chosen(), usual);
  choosers.Encodings().setCurrentIndex(choosers.Encodings().findText("UTF-8 (BOM)"));
  EXPECT_EQ(choosers.Chosen(), (TFileFormat{TEncoding::Utf8, true, TLineEnd::Lf}));
  EXPECT_TRUE(choosers.Encodings().isVisibleTo(&dialog));

  const TFileFormat rare{TEncoding::Utf16Be, true, TLineEnd::Cr};
  const TFormatChoosers more(dialog, rare);
  EXPECT_EQ(more.Encodings().count(), 6);
  EXPECT_EQ(more.Chosen(), rare);
}

TEST(FormatChoiceTest, TheRefusalCountsColumnsInCharactersAndNamesRawBytes) {
  const std::string line = Cp932FromUtf8("aあｶb") + Cp932TextFromUtf8("〜");
  EXPECT_EQ(EncodingRefusalText({TEncoding::EucJp}, {0, 5, U'\u301C'}, line).toStdString(),
            "「〜」(U+301C) は EUC-JP で保存できません（1 行目 5 文字目）。");
  EXPECT_EQ(EncodingRefusalText({}, {9, 0, kRawByteBase + 0x81}, "\x81").toStdString(),
            "バイト 0x81 は CP932 で保存できません（10 行目 1 文字目）。");
}

TEST(PrintPdfTest, AUtf16FileIsPrintedAndATextNotReadWholeIsRefused) {
  const fs::path folder = fs::path(::testing::TempDir()) / ("print-utf16-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  TPrintPdfOptions options;
  options.File = (folder / "utf16.txt").string();
  options.Output = (folder / "out.pdf").string();
  // "本文\n" in UTF-16 LE: NUL bytes in the file, none in the text.
  std::ofstream(options.File, std::ios::binary) << std::string("\xFF\xFE\x2C\x67\x87\x65\x0A\x00", 8);
  EXPECT_EQ(RunPrintPdf(options), 0);
  EXPECT_TRUE(fs::exists(options.Output));
  // A file without write permission is whole: root, whom access() lets write
  // it, was refused it as "not read whole".
  fs::remove(options.Output);
  fs::permissions(options.File, fs::perms::owner_read);
  EXPECT_EQ(RunPrintPdf(options), 0);
  EXPECT_TRUE(fs::exists(options.Output));
  fs::permissions(options.File, fs::perms::owner_read | fs::perms::owner_write);
  // More characters outside CP932 than there are free codes: the document
  // opens read-only with some shown as "〓", so nothing is printed.
  fs::remove(options.Output);
  std::string many;
  for (char32_t cp = 0x20000; cp < 0x20000 + 3000; ++cp) AppendUtf8(many, cp);
  std::ofstream(options.File, std::ios::binary) << many;
  EXPECT_EQ(RunPrintPdf(options), 1);
  EXPECT_FALSE(fs::exists(options.Output));
  fs::remove_all(folder);
}

TEST(VersionTest, NoVersionDataGivesEmptyTextsAndTheAboutBoxStillOpens) {
  TVerInfo none(std::optional<TVersionBlock>{});
  EXPECT_EQ(none.ProductName(), "");
  try {
    none.IsPreRelease();
    FAIL();
  } catch (const EVerInfo& e) {
    EXPECT_EQ(std::string(e.what()), Cp932FromUtf8("ルートブロックが取得できません."));
  }
  TVersionDialog box(none);
  std::string error;
  box.OnError = [&](const std::string& text) { error = text; };
  box.show();
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(box.LabelStatus().text().isEmpty());
  EXPECT_EQ(box.LabelVersion().text().toStdString(), "Version ");

  TVerInfo pre(TVersionBlock{" desc ", "1.2", "x", "prod", 2});
  TVersionDialog preBox(pre);
  preBox.show();
  EXPECT_EQ(preBox.LabelStatus().text().toStdString(), "β版");
  EXPECT_EQ(preBox.LabelComment().text().toStdString(), "desc");
}

TEST(GradientTest, BandsRunFromStartToEndOneBeyondTheArea) {
  QImage image(4, 2, QImage::Format_RGB32);
  image.fill(Qt::gray);
  {
    QPainter p(&image);
    PaintGradient(p, QRect(0, 0, 1, 2), 0x000000FF, 0x00FF0000, false);
  }
  EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 0));  // start ($BBGGRR red)
  EXPECT_EQ(image.pixelColor(1, 0), QColor(0, 0, 255));  // end, outside the box

  QImage wide(256, 1, QImage::Format_RGB32);
  {
    QPainter p(&wide);
    PaintGradient(p, QRect(0, 0, 255, 1), 0x00000000, 0x00FFFFFF, false);
  }
  for (int x = 0; x < 256; ++x) EXPECT_EQ(wide.pixelColor(x, 0).red(), x) << x;
}

}  // namespace
}  // namespace vorna::app
