// The PDF job under a temporary name, renamed into place when complete.
#include "PdfWrites.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "PageRenders.h"
#include "platform/PosixFiles.h"
#include "text/Cp932.h"

namespace vorna {
namespace {

namespace fs = std::filesystem;

// A new empty file beside `target`, made exclusively (platform/PosixFiles.h).
fs::path CreateTemporaryBeside(const fs::path& target, int& error) {
  int fd = -1;
  const std::string path = MakeTemporaryBeside(target, fd, error);
  if (path.empty()) return {};
  ::close(fd);
  return path;
}

// A finished PDF is readable as any new file of the user's would be (mkstemp makes it 0600).
void GiveUsualPermissions(const fs::path& file) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::chmod(file.c_str(), 0666 & ~mask);
}

TPdfWrite Unwritable(std::string reason) { return {TPdfWrite::TOutcome::Unwritable, std::move(reason)}; }

}  // namespace

bool CheckPdfOutput(const std::string& output, std::string& reason) {
  const fs::path target = fs::absolute(output);
  std::error_code ec;
  if (fs::is_directory(target, ec)) {
    reason = "is a folder";
    return false;
  }
  int error = 0;
  const fs::path probe = CreateTemporaryBeside(target, error);
  if (probe.empty()) {
    reason = std::string("cannot be written (") + std::strerror(error) + ")";
    return false;
  }
  fs::remove(probe, ec);
  return true;
}

TPdfWrite WritePdf(TPageRenderer& editor, const std::string& output, const std::string& documentPath,
                   int firstPage, int lastPage, const TPdfProgress& progress) {
  std::string reason;
  if (!CheckPdfOutput(output, reason)) return Unwritable(reason);
  const fs::path target = fs::absolute(output);
  int error = 0;
  const fs::path partial = CreateTemporaryBeside(target, error);
  if (partial.empty()) return Unwritable(std::strerror(error));
  bool cancelled = false;
  editor.View().OnPrintSheet = [&progress, &cancelled](int done, int total) {
    cancelled = progress && !progress(done, total);
    return !cancelled;
  };
  std::error_code ec;
  bool printed = false;
  try {
    printed = editor.PrintToPdf(partial.string(), Cp932FromUtf8(fs::path(documentPath).filename().string()),
                                firstPage, lastPage);
  } catch (...) {
    editor.View().OnPrintSheet = nullptr;
    fs::remove(partial, ec);
    throw;
  }
  editor.View().OnPrintSheet = nullptr;
  if (!printed || cancelled) {
    fs::remove(partial, ec);
    return {cancelled ? TPdfWrite::TOutcome::Cancelled : TPdfWrite::TOutcome::NothingPrinted, {}};
  }
  GiveUsualPermissions(partial);
  fs::rename(partial, target, ec);
  if (ec) {
    const std::string message = ec.message();
    fs::remove(partial, ec);
    return Unwritable(message);
  }
  return {};
}

}  // namespace vorna
