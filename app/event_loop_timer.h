#pragma once
// The sequence's timer on the program's Qt event loop: one precise single-shot timer, never early
// (the wait is rounded up to the whole millisecond Qt's timers count in).

#include <QObject>
#include <QTimer>

#include "frame_timer.h"

class EventLoopTimer : public FrameTimer {
 public:
  EventLoopTimer();
  void callAt(Clock::time_point due, std::function<void()> fire) override;
  void cancel() override;

 private:
  void timeout();

  QTimer timer_;
  Clock::time_point due_{};
  std::function<void()> fire_;
};
