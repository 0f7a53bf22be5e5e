#pragma once
// Marks a handler of the window as running for its lifetime, and names it as the origin of what
// the session does meanwhile (the control's caption: "X >>", "Pulse LDAC"...). Session events
// during it are the window's own changes: the boxes already hold what the operator typed, and a
// written register's label shows the text as typed ("0FFFF" stays "0FFFF") rather than the
// value's display form. Nested actions (run inside a write's yield) keep their own typed text.

#include <QString>
#include <optional>
#include <utility>

#include "window_context.h"

class WindowAction {
 public:
  WindowAction(WindowContext& window, const QString& origin,
               std::optional<QString> typedText = std::nullopt)
      : window_(window),
        origin_(window.session_, origin.toStdString()),
        outerTypedText_(std::exchange(window.typedText_, std::move(typedText))) {
    ++window_.acting_;
  }
  // An action whose values no box of the window holds (a setup read from a file): every display
  // follows its changes, as it follows remote control.
  enum class Displays { Follow };
  WindowAction(WindowContext& window, const QString& origin, Displays)
      : window_(window),
        origin_(window.session_, origin.toStdString()),
        outerTypedText_(std::exchange(window.typedText_, std::nullopt)),
        own_(false) {}
  ~WindowAction() {
    if (own_) --window_.acting_;
    window_.typedText_ = std::move(outerTypedText_);
  }
  WindowAction(const WindowAction&) = delete;
  WindowAction& operator=(const WindowAction&) = delete;

 private:
  WindowContext& window_;
  Session::Origin origin_;
  std::optional<QString> outerTypedText_;
  bool own_ = true;  // the window's own change: its boxes already hold the values
};
