// Message boxes and Delay through the connected platform services.
#include "graphics/MessageDialogs.h"

#include <chrono>
#include <thread>

#include "graphics/GraphicsPlatforms.h"
#include "platform/Shell.h"
#include "platform/Timers.h"

namespace vorna {

void ShowInfo(const std::string& text) {
  if (TMessageBoxes* boxes = GraphicsServices().Boxes) boxes->ShowInfo(text);
}

void ShowError(const std::string& text) {
  if (TMessageBoxes* boxes = GraphicsServices().Boxes) boxes->ShowError(text);
}

TMessageResult AskYesNoCancel(const std::string& text) {
  TMessageBoxes* boxes = GraphicsServices().Boxes;
  return boxes ? boxes->AskYesNoCancel(text) : TMessageResult::Cancel;
}

void Delay(int ms) {
  if (ms <= 0) return;
  const TGraphicsServices& services = GraphicsServices();
  auto now = [&]() -> uint64_t {
    if (services.Timers) return services.Timers->TickCount();
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
  };
  uint64_t start = now();
  for (;;) {
    if (services.Shell) services.Shell->ProcessMessages();
    // The tick count wraps like a 32-bit counter; the difference does not.
    uint64_t elapsed = services.Timers ? static_cast<uint32_t>(now() - start) : now() - start;
    if (elapsed >= static_cast<uint64_t>(ms)) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace vorna
