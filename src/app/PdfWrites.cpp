// The PDF job under a temporary name, renamed into place when complete.
#include "PdfWrites.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "PageRenders.h"
#include "text/Cp932.h"

namespace vorna {
namespace {

namespace fs = std::filesystem;

fs::path PartialPath(const fs::path& output) {
  // Appended piece by piece: GCC 12 warns wrongly about "." + std::string.
  std::string name = ".";
  name += output.filename().string();
  name += ".partial";
  return output.parent_path() / name;
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
  const fs::path partial = PartialPath(target);
  {
    std::ofstream probe(partial, std::ios::binary);
    if (!probe) {
      reason = std::string("cannot be written (") + std::strerror(errno) + ")";
      return false;
    }
  }
  fs::remove(partial, ec);
  return true;
}

TPdfWrite WritePdf(TPageRenderer& editor, const std::string& output, const std::string& documentPath,
                   int firstPage, int lastPage, const TPdfProgress& progress) {
  std::string reason;
  if (!CheckPdfOutput(output, reason)) return Unwritable(reason);
  const fs::path target = fs::absolute(output);
  const fs::path partial = PartialPath(target);
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
  fs::rename(partial, target, ec);
  if (ec) {
    const std::string message = ec.message();
    fs::remove(partial, ec);
    return Unwritable(message);
  }
  return {};
}

}  // namespace vorna
