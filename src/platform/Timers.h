// Repeating timers on the user-interface thread and the millisecond tick count.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace vorna {

class TTimer {
 public:
  virtual ~TTimer() = default;
  // Fires OnTimer every `intervalMs` (at least 1) until stopped; restarting
  // replaces the interval.
  virtual void Start(int intervalMs) = 0;
  virtual void Stop() = 0;
  virtual bool IsActive() const = 0;
  std::function<void()> OnTimer;
};

class TTimers {
 public:
  virtual ~TTimers() = default;
  virtual std::unique_ptr<TTimer> CreateTimer() = 0;
  // Milliseconds since an arbitrary start; wraps like a 32-bit counter.
  virtual uint32_t TickCount() = 0;
};

}  // namespace vorna
