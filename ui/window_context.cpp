// What every handler of the window needs from the session: its refusals shown as message boxes,
// the entry check, and the yield to pending window events that a write takes before its word
// goes out.

#include "window_context.h"

#include "app_title.h"

void WindowContext::showRefusal(const Refused& refused) const {
  if (!refused) return;
  const QString title =
      refused->title.empty() ? appTitle() : QString::fromStdString(refused->title);
  services_.message({QString::fromStdString(refused->text), title, MessageIcon::Exclamation});
}

Session::Yield WindowContext::yieldToEvents() const {
  return [this] { services_.processEvents(); };
}

Session::FailedLoadReport WindowContext::failedLoadBox() const {
  return [this](const std::string& text, const std::string& title) {
    services_.message(
        {QString::fromStdString(text), QString::fromStdString(title), MessageIcon::Exclamation});
  };
}
