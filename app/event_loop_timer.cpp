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
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now());
  timer_.start(std::max(wait, std::chrono::milliseconds{0}));
}

void EventLoopTimer::cancel() {
  timer_.stop();
  fire_ = nullptr;
}

// Qt may wake a little early; the rest of the wait is waited again.
void EventLoopTimer::timeout() {
  if (Clock::now() < due_) {
    timer_.start(std::chrono::ceil<std::chrono::milliseconds>(due_ - Clock::now()));
    return;
  }
  if (std::function<void()> fire = std::exchange(fire_, nullptr)) fire();
}
