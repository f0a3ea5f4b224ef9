// SIGTERM, SIGHUP and SIGINT turned into one call on the Qt event loop, so
// the program can keep the unsaved text before it ends.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace vorna::app {

// One for the process. The handler only writes the signal's number to a
// pipe (all a signal handler may safely do); the pipe's notifier calls
// `onSignal` from the event loop, also from a modal dialog's. After the
// first signal the default actions are back, so a second one ends the
// program at once should the first hang.
class TTerminationSignals : public QObject {
 public:
  explicit TTerminationSignals(std::function<void(int signal)> onSignal);
  ~TTerminationSignals() override;  // the default actions again
  TTerminationSignals(const TTerminationSignals&) = delete;
  TTerminationSignals& operator=(const TTerminationSignals&) = delete;

 private:
  void Arrived();

  std::function<void(int)> FOnSignal;
  std::unique_ptr<QSocketNotifier> FNotifier;
};

}  // namespace vorna::app
