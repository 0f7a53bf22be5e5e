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

// The readback select word, then the readback: the first request that fails is the reason.
std::optional<std::string> Session::selfTest() {
  const uint64_t failedBefore = failedRequests_;
  const auto failure = [&]() -> std::optional<std::string> {
    if (failedRequests_ == failedBefore) return std::nullopt;
    return RequestFailureText(link_.driver(), lastFailure_);
  };
  link_.SPIwrite(ReadbackSelectWord(needsMonitor() ? 0 : kGpioReadbackData));
  if (auto failed = failure()) return failed;
  (void)link_.SPIread();
  return failure();
}
