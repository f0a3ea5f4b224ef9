// Print jobs long enough that the user is told their length first: a job of
// more pages than this is confirmed in the window and announced, with its
// progress, on the command line.
#pragma once

#include <string>

namespace vorna {

class TMessageBoxes;

inline constexpr int kLargePrintJobPages = 2000;

// The page count with thousands grouped ("12,345").
std::string GroupedCount(long long count);

// True when a job of `pages` may go ahead: at once for a job of at most
// kLargePrintJobPages pages; otherwise after the user answered Yes to
// "N ページを印刷します。よろしいですか?" (No, Cancel or no message boxes
// at all stop it).
bool ConfirmLargePrintJob(TMessageBoxes* boxes, int pages);

// Tells a command-line job's progress in tenths: Next(done) gives the
// percentage to report once `done` of `total` crossed the next tenth (each
// tenth once, 100 last), or -1.
class TTenthsProgress {
 public:
  explicit TTenthsProgress(int total) : FTotal(total) {}
  int Next(int done);

 private:
  int FTotal;
  int FReported = 0;
};

}  // namespace vorna
