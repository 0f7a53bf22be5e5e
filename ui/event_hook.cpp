#include "event_hook.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>

namespace {
class FunctionFilter : public QObject {
 public:
  using Handler = std::function<bool(QEvent&)>;
  FunctionFilter(QObject* watched, Handler handler)
      : QObject(watched), handler_(std::move(handler)) {
    watched->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override { return handler_(*event); }

 private:
  Handler handler_;
};
}  // namespace

void onFocusOut(QObject* watched, std::function<void()> handler) {
  new FunctionFilter(watched, [handler = std::move(handler)](QEvent& event) {
    // Focus that leaves with the whole window (another application, a menu, a message box of
    // our own) is not the operator leaving the box.
    if (event.type() == QEvent::FocusOut) {
      const Qt::FocusReason reason = static_cast<QFocusEvent&>(event).reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) handler();
    }
    return false;
  });
}

void onKeyPress(QObject* watched, std::function<bool(QKeyEvent&)> handler) {
  new FunctionFilter(watched, [handler = std::move(handler)](QEvent& event) {
    if (event.type() != QEvent::KeyPress) return false;
    return handler(static_cast<QKeyEvent&>(event));
  });
}

bool isEnterKey(const QKeyEvent& event) {
  return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}
