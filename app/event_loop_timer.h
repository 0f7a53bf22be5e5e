#pragma once
// The sequence's timer on the program's Qt event loop: one precise single-shot timer for the whole
// milliseconds, then turns of the event loop for the rest; never early.

#include <QObject>
#include <QTimer>

#include "frame_timer.h"

class EventLoopTimer : public FrameTimer {
 public:
  EventLoopTimer();
  void callAt(Clock::time_point due, std::function<void()> fire) override;
  void cancel() override;

 private:
  void arm();
  void timeout();

  QTimer timer_;
  Clock::time_point due_{};
  std::function<void()> fire_;
};
