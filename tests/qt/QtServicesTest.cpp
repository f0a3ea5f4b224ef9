// Clipboard, shell, files, pictures, timers, keys and metrics on Qt.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QPalette>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <filesystem>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "TestSupport.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtServices.h"
#include "text/UserCodes.h"

namespace vorna::testing {
namespace {

namespace fs = std::filesystem;
using namespace vorna::qt;

TEST(QtClipboard, TextCrossesTheBoundaryAsCp932) {
  TQtClipboard clipboard;
  clipboard.SetText(
      "\x81\x60"
      "abc");  // wave dash in the Microsoft table
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("\xEF\xBD\x9E"
                                                                    "abc"));
  EXPECT_TRUE(clipboard.HasText());
  EXPECT_EQ(clipboard.GetText(),
            "\x81\x60"
            "abc");
  // U+301C (the JIS wave dash other programs put there) and what CP932
  // cannot hold come back as user-defined codes, never as 0x8160 or "?".
  QGuiApplication::clipboard()->setText(QString::fromUtf8("\xE3\x80\x9C\xF0\x9F\x98\x80\xC3\xA9"));
  EXPECT_EQ(clipboard.GetText(), Cp932TextFromUtf8("\xE3\x80\x9C\xF0\x9F\x98\x80\xC3\xA9"));
  EXPECT_NE(clipboard.GetText().substr(0, 2), "\x81\x60");
  // Undecodable bytes go out as U+FFFD and never stop the conversion.
  clipboard.SetText(
      "a\x80"
      "b\x82");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("a\xEF\xBF\xBD"
                                                                    "b\xEF\xBF\xBD"));
}

// Every character CP932 holds comes back from the system clipboard as its
// code (the duplicates of the NEC and IBM rows as the one code iconv maps
// their character to).
TEST(QtClipboard, EveryCp932CharacterRoundTrips) {
  std::string all, expected;
  const auto add = [&](const std::string& code) {
    const std::string utf8 = Utf8FromCp932(code);
    if (utf8.empty() || utf8 == "\xEF\xBF\xBD") return;  // no character there
    // A user-defined code that an earlier test of this process gave a
    // character stands for that character now, not for its own.
    const unsigned c =
        code.size() == 2 ? static_cast<unsigned char>(code[0]) << 8 | static_cast<unsigned char>(code[1]) : 0;
    if (IsUserDefinedCode(c) && UserCodeCharacter(c) != Cp932CodeToUnicode(c)) return;
    all += code;
    expected += Cp932FromUtf8(utf8);
  };
  for (int b = 0x20; b <= 0xDF; ++b)
    if (b < 0x7F || b >= 0xA1) add(std::string(1, static_cast<char>(b)));
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail)
      if (trail != 0x7F) add({static_cast<char>(lead), static_cast<char>(trail)});
  }
  ASSERT_GT(all.size(), 15000u);
  TQtClipboard clipboard;
  clipboard.SetText(all);
  EXPECT_EQ(clipboard.GetText(), expected);
}

TEST(QtClipboard, NoTextOrAnImageIsNoText) {
  TQtClipboard clipboard;
  QGuiApplication::clipboard()->clear();
  EXPECT_FALSE(clipboard.HasText());
  EXPECT_EQ(clipboard.GetText(), "");
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(Qt::red);
  QGuiApplication::clipboard()->setImage(image);
  EXPECT_FALSE(clipboard.HasText());
  EXPECT_EQ(clipboard.GetText(), "");
}

TEST(QtConvert, EveryCodeDecodesOrShowsTheReplacement) {
  int defined = 0;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      QString s = QStringFromCp932(std::string_view(bytes, 2));
      ASSERT_EQ(s.toUcs4().size(), 1);
      // A user-defined code may stand for a raw byte (shown as U+FFFD) since
      // an earlier test of this process.
      if (s != QChar(0xFFFD) || IsUserDefinedCode(lead << 8 | trail)) {
        ++defined;
        EXPECT_EQ(Cp932FromQString(s).size(), 2u);
      }
    }
  }
  EXPECT_EQ(defined, 9604);
  for (unsigned b = 1; b < 0x100; ++b) {
    if ((b >= 0x81 && b <= 0x9F) || b >= 0xE0) {
      if (b <= 0xFC) continue;  // lead bytes are covered above
    }
    char byte = static_cast<char>(b);
    QString s = QStringFromCp932(std::string_view(&byte, 1));
    bool undefined = b == 0x80 || b == 0xA0 || b >= 0xFD;
    EXPECT_EQ(s == QChar(0xFFFD), undefined) << b;
  }
  EXPECT_EQ(QStringFromCp932("a\x82"), QString::fromUtf8("a\xEF\xBF\xBD"));  // lone lead byte
}

// Records the addresses the desktop would have opened.
class TUrlSink : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> Urls;
 public slots:
  void Open(const QUrl& url) { Urls.append(url); }
};

class QtShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* scheme : {"http", "https", "mailto", "file"})
      QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &FSink, "Open");
  }
  void TearDown() override {
    for (const char* scheme : {"http", "https", "mailto", "file"})
      QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
  }
  TUrlSink FSink;
  TQtShell FShell;
};

TEST_F(QtShellTest, AddressesGoToTheDesktop) {
  FShell.Open("https://example.com/a?b=1&c=2", "", "");
  FShell.Open("mailto:someone@example.com", "", "");
  FShell.Open("\"http://example.com/with space\"", "", "");
  FShell.Open("http://example.com/\"quoted\"", "", "");
  FShell.Open("", "", "");
  FShell.Open("/tmp/no such file.txt", "", "");
  ASSERT_EQ(FSink.Urls.size(), 5);
  EXPECT_EQ(FSink.Urls[0].toString(), "https://example.com/a?b=1&c=2");
  EXPECT_EQ(FSink.Urls[1].scheme(), "mailto");
  EXPECT_EQ(FSink.Urls[2].path(), "/with space");
  EXPECT_EQ(FSink.Urls[3].host(), "example.com");
  EXPECT_TRUE(FSink.Urls[4].isLocalFile());
  EXPECT_EQ(FSink.Urls[4].toLocalFile(), "/tmp/no such file.txt");
}

bool WaitForFile(const fs::path& path) {
  for (int i = 0; i < 100 && !fs::exists(path); ++i) usleep(50000);
  return fs::exists(path);
}

TEST_F(QtShellTest, ProgramsGetTheirArgumentsWithoutAShell) {
  QTemporaryDir dir;
  fs::path base = dir.path().toStdString();
  std::string tricky = (base / "a b; touch evil `touch evil2` $(touch evil3)").string();
  ASSERT_TRUE(FShell.StartProgram("/usr/bin/touch", {tricky}));
  EXPECT_TRUE(WaitForFile(tricky));
  // A program target gets its parameter string split like a command line,
  // with quotes honoured, and runs in the given folder.
  FShell.Open("/usr/bin/touch", "\"x y\" ; z", dir.path().toStdString());
  EXPECT_TRUE(WaitForFile(base / "x y"));
  EXPECT_TRUE(WaitForFile(base / ";"));
  EXPECT_TRUE(WaitForFile(base / "z"));
  // Both programs are done: each touch makes its files and exits, and the
  // names waited for exist only when no shell read the lines, so nothing is
  // left that could still make these.
  EXPECT_FALSE(fs::exists(base / "evil"));
  EXPECT_FALSE(fs::exists(base / "evil2"));
  EXPECT_FALSE(fs::exists(base / "evil3"));
  EXPECT_FALSE(FShell.StartProgram("", {}));
  EXPECT_TRUE(FSink.Urls.isEmpty());
}

// A small JPEG made with libjpeg: `width` x `height` of one colour.
std::string EncodeJpeg(int width, int height) {
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
  for (int x = 0; x < width; ++x) {
    row[x * 3] = 200;
    row[x * 3 + 1] = 40;
    row[x * 3 + 2] = 20;
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::string out(reinterpret_cast<char*>(buffer), size);
  jpeg_destroy_compress(&info);
  free(buffer);
  return out;
}

TEST(QtPictures, DecodesJpegIntoABitmap) {
  TQtPictureLoader loader;
  auto bitmap = loader.LoadJpeg(EncodeJpeg(33, 17));
  ASSERT_EQ(bitmap->Width(), 33);
  ASSERT_EQ(bitmap->Height(), 17);
  uint32_t px = bitmap->ScanLine(8)[16];
  EXPECT_NEAR(static_cast<int>((px >> 16) & 0xFF), 200, 6);
  EXPECT_NEAR(static_cast<int>((px >> 8) & 0xFF), 40, 6);
  EXPECT_NEAR(static_cast<int>(px & 0xFF), 20, 6);
}

TEST(QtPictures, CorruptTruncatedAndMissingPicturesAreErrors) {
  TQtPictureLoader loader;
  std::string good = EncodeJpeg(64, 64);
  EXPECT_THROW(loader.LoadJpeg(""), EPictureError);
  EXPECT_THROW(loader.LoadJpeg("not a jpeg at all"), EPictureError);
  EXPECT_THROW(loader.LoadJpeg(good.substr(0, good.size() / 2)), EPictureError);
  EXPECT_THROW(loader.LoadJpeg(good.substr(0, 20)), EPictureError);
  std::string scrambled = good;
  for (size_t i = 200; i < scrambled.size() - 2; i += 7) scrambled[i] = static_cast<char>(0xFF);
  try {
    loader.LoadJpeg(scrambled);  // either an error or some picture, never a crash
  } catch (const EPictureError&) {
  }
  EXPECT_THROW(loader.LoadJpegFile("/nonexistent/picture.jpg"), EPictureError);
}

TEST(QtTimers, FiresAndStops) {
  TQtTimers timers;
  auto timer = timers.CreateTimer();
  int fired = 0;
  QEventLoop loop;
  timer->OnTimer = [&] {
    if (++fired == 2) {
      timer->Stop();
      loop.quit();
    }
  };
  uint32_t start = timers.TickCount();
  timer->Start(5);
  EXPECT_TRUE(timer->IsActive());
  QTimer::singleShot(5000, &loop, &QEventLoop::quit);
  loop.exec();
  EXPECT_EQ(fired, 2);
  EXPECT_FALSE(timer->IsActive());
  EXPECT_GE(timers.TickCount() - start, 5u);
}

TEST(QtKeyState, KeysHeldAreTrackedFromEvents) {
  TQtKeyState keys;
  QObject target;
  EXPECT_FALSE(keys.IsKeyDown('A'));
  QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
  QCoreApplication::sendEvent(&target, &press);
  EXPECT_TRUE(keys.IsKeyDown('A'));
  QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString(), true);
  QCoreApplication::sendEvent(&target, &repeat);
  EXPECT_TRUE(keys.IsKeyDown('A'));  // auto-repeat releases do not count
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier);
  QCoreApplication::sendEvent(&target, &release);
  EXPECT_FALSE(keys.IsKeyDown('A'));
  EXPECT_EQ(TQtKeyState::VirtualKeyOf(Qt::Key_Down), kVkDown);
  EXPECT_EQ(TQtKeyState::VirtualKeyOf(Qt::Key_F5), 0x74);
  EXPECT_FALSE(keys.IsKeyDown(kVkShift));
}

TEST(QtSystemMetrics, ColoursAndMetrics) {
  TQtSystemMetrics metrics;
  EXPECT_EQ(metrics.SystemColorValue(kColorHighlight),
            FromQColor(QGuiApplication::palette().color(QPalette::Highlight)));
  EXPECT_EQ(ResolveColor(SystemColor(kColorWindow), metrics),
            FromQColor(QGuiApplication::palette().color(QPalette::Base)));
  EXPECT_EQ(ResolveColor(Rgb(1, 2, 3), metrics), Rgb(1, 2, 3));
  EXPECT_EQ(metrics.SystemColorValue(200), kClBlack);
  EXPECT_GT(metrics.ScreenPixelsPerInch(), 0);
  EXPECT_GT(metrics.WheelScrollLines(), 0);
  EXPECT_GT(metrics.DragThreshold(), 0);
  EXPECT_GT(metrics.ScrollBarThickness(), 0);
}

// Answers the next modal message box with `button` once it shows, noting its text.
void AnswerNextBox(QMessageBox::StandardButton button, QString* text) {
  QTimer::singleShot(0, [=] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return AnswerNextBox(button, text);
    *text = box->text();
    box->button(button)->click();
  });
}

TEST(QtMessageBoxes, AnswersAndTexts) {
  TQtMessageBoxes boxes;
  QString shown;
  for (auto [button, expected] : {std::pair{QMessageBox::Yes, TMessageResult::Yes},
                                  {QMessageBox::No, TMessageResult::No},
                                  {QMessageBox::Cancel, TMessageResult::Cancel}}) {
    AnswerNextBox(button, &shown);
    EXPECT_EQ(boxes.AskYesNoCancel(Sj("保存しますか？")), expected);
    EXPECT_EQ(shown, QString::fromUtf8("保存しますか？"));
  }
  AnswerNextBox(QMessageBox::Ok, &shown);
  boxes.ShowError(Sj("バックアップを作成することができませんでした！"));
  EXPECT_EQ(shown, QString::fromUtf8("バックアップを作成することができませんでした！"));
  AnswerNextBox(QMessageBox::Ok, &shown);
  boxes.ShowInfo("done");
  EXPECT_EQ(shown, "done");
}

TEST(QtFonts, FacesMapToInstalledFontsAndAnswerForVerticalForms) {
  EXPECT_EQ(MapFaceFamily(QString::fromUtf8("ＭＳ ゴシック")), "IPAGothic");
  EXPECT_EQ(MapFaceFamily(QString::fromUtf8("@ＭＳ 明朝")), "IPAMincho");
  EXPECT_EQ(MapFaceFamily(QString::fromUtf8("ＭＳ Ｐゴシック")), "IPAPGothic");
  EXPECT_EQ(MapFaceFamily("MS UI Gothic"), "IPAPGothic");
  EXPECT_EQ(MapFaceFamily(QString::fromUtf8("ＭＳ Ｐ明朝")), "IPAPMincho");
  EXPECT_EQ(MapFaceFamily("Times New Roman"), "Liberation Serif");
  EXPECT_EQ(MapFaceFamily("Arial"), "Liberation Sans");
  EXPECT_EQ(MapFaceFamily("No Such Face"), "IPAGothic");
  TQtFontList fonts;
  for (const char* face : {"ＭＳ 明朝", "@ＭＳ 明朝", "Arial", "@Arial", "IPAGothic", "@IPAGothic"})
    EXPECT_TRUE(fonts.HasFace(Sj(face))) << face;
  EXPECT_FALSE(fonts.HasFace("No Such Face"));
  EXPECT_FALSE(fonts.HasFace("@No Such Face"));
  EXPECT_FALSE(fonts.HasFace("@"));
  EXPECT_FALSE(fonts.HasFace(""));
}

}  // namespace
}  // namespace vorna::testing

#include "QtServicesTest.moc"
