#pragma once
// Whether an operator action of the window is under way: a write inside its yield, a message box
// or a modal window. Remote commands wait while it is closed and go on once it opens again, so
// that none of them ever runs in the middle of what the operator started.

#include <functional>
#include <map>
#include <utility>

class ActionGate {
 public:
  bool open() const { return depth_ == 0; }

  void enter() { ++depth_; }
  void leave() {
    if (depth_ > 0 && --depth_ == 0) {
      for (const auto& [id, callback] : onOpen_) callback();
    }
  }

  // `callback` runs each time the gate opens again, until forgotten by the number returned.
  int whenOpened(std::function<void()> callback) {
    onOpen_.emplace(++lastId_, std::move(callback));
    return lastId_;
  }
  void forget(int id) { onOpen_.erase(id); }

 private:
  int depth_ = 0;
  int lastId_ = 0;
  std::map<int, std::function<void()>> onOpen_;
};

// Holds the gate closed for its lifetime; a null gate is allowed.
class GateClosed {
 public:
  explicit GateClosed(ActionGate* gate) : gate_(gate) {
    if (gate_ != nullptr) gate_->enter();
  }
  ~GateClosed() {
    if (gate_ != nullptr) gate_->leave();
  }
  GateClosed(const GateClosed&) = delete;
  GateClosed& operator=(const GateClosed&) = delete;

 private:
  ActionGate* gate_;
};
