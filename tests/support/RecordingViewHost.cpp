// The recording view host's text lines.
#include "RecordingViewHost.h"

namespace vorna::testing {
namespace {

std::string RectText(const TRect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom);
}

}  // namespace

void TRecordingViewHost::Invalidate(const TRect& r) { Record("invalidate " + RectText(r)); }

void TRecordingViewHost::ScrollPainted(const TRect& area, int dx, int dy) {
  Record("scroll " + RectText(area) + " by " + std::to_string(dx) + "," + std::to_string(dy));
}

void TRecordingViewHost::ShowHint(const std::string& text, TPoint at, int durationMs) {
  Record("hint " + text + " at " + std::to_string(at.X) + "," + std::to_string(at.Y) + " for " +
         std::to_string(durationMs));
}

int TRecordingViewHost::Count(const std::string& prefix) const {
  int n = 0;
  for (const std::string& call : Calls)
    if (call.compare(0, prefix.size(), prefix) == 0) ++n;
  return n;
}

}  // namespace vorna::testing
