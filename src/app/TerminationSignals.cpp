// The termination signals through a self-pipe and a socket notifier.
#include "TerminationSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace vorna::app {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
int gPipe[2] = {-1, -1};

void Handler(int signal) {
  const int saved = errno;
  const char number = static_cast<char>(signal);
  [[maybe_unused]] const ssize_t written = ::write(gPipe[1], &number, 1);
  errno = saved;
}

void SetAction(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : kSignals) ::sigaction(signal, &action, nullptr);
}

}  // namespace

TTerminationSignals::TTerminationSignals(std::function<void(int)> onSignal) : FOnSignal(std::move(onSignal)) {
  if (gPipe[0] >= 0 || ::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  FNotifier = std::make_unique<QSocketNotifier>(gPipe[0], QSocketNotifier::Read);
  connect(FNotifier.get(), &QSocketNotifier::activated, this, [this] { Arrived(); });
  SetAction(Handler);
}

TTerminationSignals::~TTerminationSignals() {
  if (!FNotifier) return;
  SetAction(SIG_DFL);
  FNotifier.reset();
  ::close(gPipe[0]);
  ::close(gPipe[1]);
  gPipe[0] = gPipe[1] = -1;
}

void TTerminationSignals::Arrived() {
  char number = 0;
  int signal = 0;
  while (::read(gPipe[0], &number, 1) == 1) signal = static_cast<unsigned char>(number);
  if (!signal) return;
  SetAction(SIG_DFL);
  FNotifier->setEnabled(false);
  if (FOnSignal) FOnSignal(signal);
}

}  // namespace vorna::app
