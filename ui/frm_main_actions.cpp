// What every handler of the window needs from the session: its refusals shown as message boxes,
// and the yield to pending window events that a write takes before its word goes out.

#include "app_title.h"
#include "frm_main.h"

void frmMain::showRefusal(const Refused& refused) {
  if (!refused) return;
  const QString title =
      refused->title.empty() ? appTitle() : QString::fromStdString(refused->title);
  services_.message({QString::fromStdString(refused->text), title, MessageIcon::Exclamation});
}

Session::Yield frmMain::yieldToEvents() {
  return [this] { services_.processEvents(); };
}

Session::FailedLoadReport frmMain::failedLoadBox() {
  return [this](const std::string& text, const std::string& title) {
    services_.message(
        {QString::fromStdString(text), QString::fromStdString(title), MessageIcon::Exclamation});
  };
}
