// The program itself, run with a private XDG state and config folder: the
// recovery file of a live window is not offered, that of a window killed
// with SIGKILL is, and SIGTERM writes the unsaved text before the program
// ends.
#include <QProcess>
#include <QProcessEnvironment>

#include "platform/qt/QtConvert.h"

#include "RecoveryFixtures.h"

namespace vorna::app {
namespace {

class RecoveryProcessTest : public RecoveryTest {
 protected:
  void SetUp() override {
    RecoveryTest::SetUp();
    FState.emplace("XDG_STATE_HOME", FTemp.Path("state"));
    FConfig.emplace("XDG_CONFIG_HOME", FTemp.Path("config"));
    FFolder = DefaultRecoveryFolder();
    ASSERT_EQ(FFolder, FTemp.Path("state") + "/vorna-editor/recovery");
  }
  void TearDown() override {
    for (auto& program : FPrograms) {
      program->kill();
      program->waitForFinished();
    }
    RecoveryTest::TearDown();
  }
  // The program restoring `recovery`, started with this process's
  // environment (the private folders, the offscreen platform).
  QProcess& StartRecovering(const std::string& recovery) {
    auto& program = FPrograms.emplace_back(std::make_unique<QProcess>());
    program->setProcessChannelMode(QProcess::ForwardedChannels);
    program->setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    program->start(QStringLiteral(VORNA_EDITOR_PROGRAM), {QStringLiteral("--recover"), qt::QPath(recovery)});
    EXPECT_TRUE(program->waitForStarted());
    return *program;
  }
  // The one recovery file in the folder other than `old`, once `old` is gone.
  std::string TakenOver(const std::string& old) {
    std::string taken;
    const bool done = QTest::qWaitFor(
        [&] {
          const auto files = RecoveryFiles(FFolder);
          if (fs::exists(old) || files.size() != 1) return false;
          taken = files[0];
          return true;
        },
        60000);
    EXPECT_TRUE(done) << "the program did not take over " << old;
    return taken;
  }
  std::optional<testing::TScopedEnvironment> FState, FConfig;
  std::string FFolder;
  std::vector<std::unique_ptr<QProcess>> FPrograms;
};

TEST_F(RecoveryProcessTest, ALiveWindowsTextIsNotOfferedAKilledOnesIsAndSigtermKeepsIt) {
  const std::string text = "書きかけの本文😀\n二行目";
  const std::string document = FTemp.Path("doc.txt");
  const std::string left = LeaveBehind(FFolder, text, document, 100);
  QProcess& killed = StartRecovering(left);
  const std::string first = TakenOver(left);
  ASSERT_FALSE(first.empty());
  // The offer looks in the same folder as the program (XDG_STATE_HOME).
  OpenWindow(FFolder);
  FWindow->OfferRecoveries();
  EXPECT_TRUE(FOffered.empty());
  FWindow.reset();

  killed.kill();  // SIGKILL: nothing runs, the kernel drops the lock
  ASSERT_TRUE(killed.waitForFinished());
  OpenWindow(FFolder);
  FWindow->OfferRecoveries();
  FWindow.reset();
  ASSERT_EQ(FOffered.size(), 1u);
  EXPECT_EQ(FOffered[0].Unsaved.FileName, document);
  EXPECT_EQ(TextOf(first), "書きかけの本文😀\r\n二行目");

  QProcess& terminated = StartRecovering(first);
  const std::string second = TakenOver(first);
  ASSERT_FALSE(second.empty());
  fs::remove(second);  // so that only the signal can write it again
  terminated.terminate();
  ASSERT_TRUE(terminated.waitForFinished(60000));
  EXPECT_EQ(terminated.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(terminated.exitCode(), 0);
  ASSERT_TRUE(fs::exists(second));
  EXPECT_EQ(TextOf(second), "書きかけの本文😀\r\n二行目");
  EXPECT_FALSE(fs::exists(document));  // never written by recovery
}

}  // namespace
}  // namespace vorna::app
