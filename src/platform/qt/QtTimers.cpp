// Timers on QTimer and the tick count on the steady clock.
#include <QTimer>
#include <algorithm>
#include <chrono>

#include "platform/qt/QtServices.h"

namespace vorna::qt {
namespace {

class TQtTimer : public TTimer {
 public:
  TQtTimer() {
    QObject::connect(&FTimer, &QTimer::timeout, [this] {
      if (OnTimer) OnTimer();
    });
  }
  void Start(int intervalMs) override { FTimer.start(std::max(1, intervalMs)); }
  void Stop() override { FTimer.stop(); }
  bool IsActive() const override { return FTimer.isActive(); }

 private:
  QTimer FTimer;
};

}  // namespace

std::unique_ptr<TTimer> TQtTimers::CreateTimer() { return std::make_unique<TQtTimer>(); }

uint32_t TQtTimers::TickCount() {
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
  return static_cast<uint32_t>(ms.count());
}

}  // namespace vorna::qt
