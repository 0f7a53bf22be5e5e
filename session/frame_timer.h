#pragma once
// The program's event loop as a sequence sees it: one call at a due time, never blocking. The
// program hands in a timer of its event loop; tests hand in one they fire themselves.

#include <chrono>
#include <functional>

class FrameTimer {
 public:
  using Clock = std::chrono::steady_clock;
  virtual ~FrameTimer() = default;
  // Calls `fire` once on the event loop at `due`, or as soon after it as the loop can, never
  // before; a call already waiting is replaced.
  virtual void callAt(Clock::time_point due, std::function<void()> fire) = 0;
  // The waiting call, if any, is not made.
  virtual void cancel() = 0;
};
