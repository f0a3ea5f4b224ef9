// The confirmation of long print jobs and the tenths of their progress.
#include "print/LargePrintJobs.h"

#include <algorithm>

#include "platform/MessageBoxes.h"
#include "text/Cp932.h"
#include "text/TextUtils.h"

namespace vorna {

std::string GroupedCount(long long count) { return FormatNumber(count, 0, 0, false, true, false); }

bool ConfirmLargePrintJob(TMessageBoxes* boxes, int pages) {
  if (pages <= kLargePrintJobPages) return true;
  if (!boxes) return false;
  const std::string question = GroupedCount(pages) + Cp932FromUtf8(" ページを印刷します。よろしいですか?");
  return boxes->AskYesNoCancel(question) == TMessageResult::Yes;
}

int TTenthsProgress::Next(int done) {
  if (FTotal <= 0 || FReported >= 100) return -1;
  const long long reached = std::min<long long>(100, 100LL * std::max(done, 0) / FTotal);
  const int tenth = static_cast<int>(reached / 10 * 10);
  if (tenth <= FReported) return -1;
  FReported = tenth;
  return tenth;
}

}  // namespace vorna
