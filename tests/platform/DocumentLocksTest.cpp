// Document locks between windows: one holder at a time, links share a lock,
// and a lock of a process that died is taken over.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "TempFolders.h"
#include "platform/ProcessLocks.h"

namespace vorna {
namespace {

TEST(DocumentLocks, OneHolderPerFileWhateverItsName) {
  testing::TTempFolder temp;
  const std::string locks = temp.Path("run/locks");
  const std::string file = temp.Path("a.txt");
  std::ofstream(file) << "x";
  std::filesystem::create_symlink(file, temp.Path("link.txt"));

  TDocumentLock first, second, third;
  EXPECT_EQ(first.Take(locks, file), TLockResult::Taken);
  EXPECT_EQ(second.Take(locks, temp.Path("link.txt")), TLockResult::HeldElsewhere);
  EXPECT_EQ(third.Take(locks, temp.Path("b.txt")), TLockResult::Taken);  // another file
  first.Release();
  // The second window still has the file open.
  EXPECT_EQ(third.Take(locks, file), TLockResult::HeldElsewhere);
  second.Release();
  third.Release();
  EXPECT_EQ(third.Take(locks, file), TLockResult::Taken);
  EXPECT_TRUE(third.IsHeld());

  EXPECT_EQ(first.Take(file + "/not-a-folder", file), TLockResult::Unavailable);
  EXPECT_EQ(first.Take("", file), TLockResult::Unavailable);
}

TEST(DocumentLocks, ALockOfAKilledProcessIsTakenOver) {
  testing::TTempFolder temp;
  const std::string locks = temp.Path("locks");
  const std::string file = temp.Path("a.txt");
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    TDocumentLock lock;
    const char taken = lock.Take(locks, file) == TLockResult::Taken ? 'y' : 'n';
    (void)!::write(ready[1], &taken, 1);
    ::pause();
    ::_exit(0);
  }
  char taken = 0;
  ASSERT_EQ(::read(ready[0], &taken, 1), 1);
  ASSERT_EQ(taken, 'y');
  TDocumentLock mine;
  EXPECT_EQ(mine.Take(locks, file), TLockResult::HeldElsewhere);
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  EXPECT_EQ(mine.Take(locks, file), TLockResult::Taken);
  ::close(ready[0]);
  ::close(ready[1]);
}

}  // namespace
}  // namespace vorna
