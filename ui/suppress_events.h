#pragma once
// Raises SuppressEvents for the lifetime of the guard, so that option changes the program makes
// itself do not run their click handlers.

class SuppressEventsGuard {
 public:
  explicit SuppressEventsGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~SuppressEventsGuard() { flag_ = false; }
  SuppressEventsGuard(const SuppressEventsGuard&) = delete;
  SuppressEventsGuard& operator=(const SuppressEventsGuard&) = delete;

 private:
  bool& flag_;
};
