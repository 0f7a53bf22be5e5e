// Remote control's claim on the window, and the self-test a remote client asks for.

#include "command_word.h"
#include "request_failure.h"
#include "session.h"

void Session::setRemoteMode(RemoteMode mode, std::string client) {
  if (mode == RemoteMode::Local) client.clear();
  if (mode == remoteMode_ && client == remoteClient_) return;
  remoteMode_ = mode;
  remoteClient_ = std::move(client);
  notify([](SessionListener& l) { l.remoteModeChanged(); });
}

std::optional<std::string> Session::selfTest() {
  const uint64_t failedBefore = failedRequests_;
  link_.SPIwrite(ReadbackSelectWord(needsMonitor() ? 0 : kGpioReadbackData));
  (void)link_.SPIread();
  if (failedRequests_ == failedBefore) return std::nullopt;
  return RequestFailureText(link_.driver(), lastFailure_);
}
