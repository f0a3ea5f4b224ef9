// Message boxes and Delay through the services of a bundle.
#include "graphics/MessageDialogs.h"

#include <chrono>
#include <thread>

#include "platform/Shell.h"
#include "platform/Timers.h"

namespace vorna {

void ShowInfo(const TPlatformServices& services, const std::string& text) {
  if (services.Boxes) services.Boxes->ShowInfo(text);
}

void ShowError(const TPlatformServices& services, const std::string& text) {
  if (services.Boxes) services.Boxes->ShowError(text);
}

TMessageResult AskYesNoCancel(const TPlatformServices& services, const std::string& text) {
  return services.Boxes ? services.Boxes->AskYesNoCancel(text) : TMessageResult::Cancel;
}

void Delay(const TPlatformServices& services, int ms) {
  if (ms <= 0) return;
  TTimers* timers = services.Timers;
  auto now = [&]() -> uint64_t {
    if (timers) return timers->TickCount();
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
  };
  uint64_t start = now();
  for (;;) {
    if (services.Shell) services.Shell->ProcessMessages();
    // The tick count wraps like a 32-bit counter; the difference does not.
    uint64_t elapsed = timers ? static_cast<uint32_t>(now() - start) : now() - start;
    if (elapsed >= static_cast<uint64_t>(ms)) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace vorna
