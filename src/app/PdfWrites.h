// Writing the headless editor's pages to a PDF file without ever leaving a
// partial one: the job goes to a new hidden file beside the target (created
// exclusively, never through a link), renamed over it only when complete. Shared by --print-pdf and the
// window's export.
#pragma once

#include <functional>
#include <string>

namespace vorna {

class TPageRenderer;

struct TPdfWrite {
  enum class TOutcome { Written, Unwritable, NothingPrinted, Cancelled };
  TOutcome Outcome = TOutcome::Written;
  std::string Reason;  // Unwritable: why, in UTF-8
};

// Told after each printed sheet (sheets done, sheets in the job); false
// cancels the job.
using TPdfProgress = std::function<bool(int done, int total)>;

// Checks that a PDF can be written at `output` (a native path): false with
// `reason` when it names a folder or its folder refuses a new file. Leaves
// nothing behind.
bool CheckPdfOutput(const std::string& output, std::string& reason);

// Prints pages `firstPage`..`lastPage` (1-based; 0: from the first, to the
// last) of `editor`'s document to `output` through its print job, titled
// with the name of `documentPath`. Unwritable, NothingPrinted (the range
// holds no page) and Cancelled leave `output` as it was and no temporary
// file. Printer errors propagate, also with the temporary file removed.
TPdfWrite WritePdf(TPageRenderer& editor, const std::string& output, const std::string& documentPath,
                   int firstPage, int lastPage, const TPdfProgress& progress = {});

}  // namespace vorna
