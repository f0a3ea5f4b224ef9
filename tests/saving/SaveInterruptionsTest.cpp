// Saves interrupted from outside the process: a system call failed by a
// preloaded library, and kill -9 at random moments of a 100 MB save. The file
// is always its old or its new text whole, and the next save leaves no
// temporary behind.
#include <gtest/gtest.h>
#include <link.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "TempFolders.h"
#include "platform/PosixFiles.h"

namespace vorna {
namespace {

namespace fs = std::filesystem;

// The shim after the address sanitizer's runtime, which must come first.
std::string Preloads() {
  std::string sanitizer;
  ::dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* found) {
        if (std::strstr(info->dlpi_name, "/libasan.so")) *static_cast<std::string*>(found) = info->dlpi_name;
        return 0;
      },
      &sanitizer);
  return sanitizer.empty() ? VORNA_SAVE_FAULT_SHIM : sanitizer + ":" + VORNA_SAVE_FAULT_SHIM;
}

// The helper's exit status, run on `file` with `environment` added.
int RunHelper(const std::vector<std::pair<std::string, std::string>>& environment, const std::string& file) {
  const pid_t child = ::fork();
  if (child == 0) {
    for (const auto& [name, value] : environment) ::setenv(name.c_str(), value.c_str(), 1);
    ::execl(VORNA_SAVE_HELPER, VORNA_SAVE_HELPER, file.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool TemporaryLeft(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().rfind(".memo.txt.vorna-", 0) == 0) return true;
  return false;
}

TEST(SaveInterruptions, AFailedCallInTheSavingProcessLeavesTheOldOrTheNewFile) {
  testing::TTempFolder temp;
  const std::string path = temp.Path("memo.txt"), mark = temp.Path("failed");
  std::string old;
  for (int i = 0; i < 16384; ++i) old += "line " + std::to_string(i) + std::string(52, 'a' + i % 26) + "\r\n";
  const std::string saved = "changed" + old.substr(old.find("\r\n"));
  for (const char* call : {"write", "fsync", "rename", "fchown", "dirfsync"}) {
    for (int at = 1; at < 20; ++at) {
      SCOPED_TRACE(std::string(call) + " " + std::to_string(at));
      testing::WriteBytes(path, old);
      if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);  // an owner to give back
      }
      fs::remove(mark);
      const int status = RunHelper({{"LD_PRELOAD", Preloads()},
                                    {"VORNA_FAIL_CALL", call},
                                    {"VORNA_FAIL_AT", std::to_string(at)},
                                    {"VORNA_FAIL_MARK", mark},
                                    {"XDG_STATE_HOME", temp.Path("state")}},
                                   path);
      const std::string now = ReadWholeFile(path);
      EXPECT_TRUE(now == old || now == saved);
      EXPECT_FALSE(TemporaryLeft(temp.Path()));
      if (!fs::exists(mark)) {  // every call of the kind went through
        EXPECT_EQ(status, 0);
        EXPECT_EQ(now, saved);
        break;
      }
      EXPECT_EQ(status, 1);  // an error, the document still modified
    }
  }
}

TEST(SaveInterruptions, KilledAtRandomMomentsTheFileIsOldOrNewAndTheNextSaveCleansUp) {
  // In memory where there is such a folder: the test is about the moments.
  testing::TTempFolder temp(fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp");
  const std::string path = temp.Path("memo.txt");
  const std::string old(100 << 20, 'a'), saved = std::string(100 << 20, 'b') + "\n";
  const auto saveInChild = [&](const std::string& bytes) {
    const pid_t child = ::fork();
    if (child == 0) {
      WriteFileAtomic(path, bytes);
      ::_exit(0);
    }
    return child;
  };
  const auto start = std::chrono::steady_clock::now();
  ::waitpid(saveInChild(saved), nullptr, 0);
  const auto wholeSave =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
  std::mt19937 random(20240611);
  std::uniform_int_distribution<long> moments(0, wholeSave.count());
  for (int kill = 0; kill < 20; ++kill) {
    const long moment = moments(random);
    SCOPED_TRACE("killed after " + std::to_string(moment) + " us");
    WriteFileAtomic(path, old);  // also the next save after the killed one
    EXPECT_FALSE(TemporaryLeft(temp.Path()));
    const pid_t child = saveInChild(saved);
    std::this_thread::sleep_for(std::chrono::microseconds(moment));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const std::string now = ReadWholeFile(path);
    EXPECT_TRUE(now == old || now == saved);
  }
  WriteFileAtomic(path, old);
  EXPECT_FALSE(TemporaryLeft(temp.Path()));
}

}  // namespace
}  // namespace vorna
