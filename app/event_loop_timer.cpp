#include "event_loop_timer.h"

#include <utility>

EventLoopTimer::EventLoopTimer() {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] { timeout(); });
}

void EventLoopTimer::callAt(Clock::time_point due, std::function<void()> fire) {
  due_ = due;
  fire_ = std::move(fire);
  arm();
}

void EventLoopTimer::cancel() {
  timer_.stop();
  fire_ = nullptr;
}

// Qt's timers count whole milliseconds: the timer sleeps the whole milliseconds left, then the
// last fraction is waited out a turn of the event loop at a time, so that the call comes within
// a few microseconds of its due time and the loop still serves everything else meanwhile.
void EventLoopTimer::arm() {
  const auto left = std::chrono::floor<std::chrono::milliseconds>(due_ - Clock::now());
  timer_.start(std::max(left, std::chrono::milliseconds{0}));
}

void EventLoopTimer::timeout() {
  if (Clock::now() < due_) return arm();
  if (std::function<void()> fire = std::exchange(fire_, nullptr)) fire();
}
