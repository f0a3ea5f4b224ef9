// Process locks: one holder at a time, free again when released, and never
// passed on to a program the holder starts.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include "TempFolders.h"
#include "platform/ProcessLocks.h"

extern char** environ;

namespace vorna {
namespace {

TEST(ProcessLocks, OneHolderAtATimeAndNoneInheritedByAStartedProgram) {
  testing::TTempFolder temp;
  const std::string path = temp.Path("window.lock");
  std::unique_ptr<TProcessLock> held = TProcessLock::TryTake(path);
  ASSERT_TRUE(held);
  EXPECT_FALSE(TProcessLock::TryTake(path));
  // A program started while the lock is held must not keep it once its
  // starter lets go (or dies).
  pid_t child = 0;
  char sleep[] = "sleep", seconds[] = "30";
  char* argv[] = {sleep, seconds, nullptr};
  ASSERT_EQ(::posix_spawnp(&child, "sleep", nullptr, nullptr, argv, environ), 0);
  held.reset();
  EXPECT_TRUE(TProcessLock::TryTake(path));
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
}

}  // namespace
}  // namespace vorna
