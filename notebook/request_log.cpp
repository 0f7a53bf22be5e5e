#include "request_log.h"

#include <algorithm>

#include "action_command.h"

namespace {
// A board link that answered with ever new statuses must not grow the text table without end.
constexpr std::size_t kMostStatusTexts = 4096;
}  // namespace

std::string LoggedAction::command() const {
  return CommandOf(action, part).value_or("");
}

RequestLog::RequestLog(Session& session, std::size_t capacity)
    : session_(session), entries_(capacity), actions_(capacity), ended_(capacity) {
  session_.addListener(*this);
}

RequestLog::~RequestLog() {
  session_.removeListener(*this);
}

void RequestLog::actionStarted(const OperatorAction& action) {
  running_.push_back(actions_.end());
  actions_.push(LoggedAction{
      .action = action, .part = session_.chip().part(), .refused = false, .refusal = {}});
}

void RequestLog::actionEnded() {
  if (running_.empty()) return;
  ended_.push(running_.back());
  running_.pop_back();
}

void RequestLog::actionRefused(const Refusal& refusal) {
  if (running_.empty() || !actions_.holds(running_.back())) return;
  LoggedAction& refused = actions_.at(running_.back());
  refused.refused = true;
  refused.refusal = refusal.text;
  std::replace(refused.refusal.begin(), refused.refusal.end(), '\r', ' ');
}

void RequestLog::requestDone(const RequestRecord& request) {
  entries_.push(
      LogEntry{.time = LogClock::now(),
               .request = request,
               .action = running_.empty() ? kNoAction : running_.back(),
               .statusText = request.status == 0 ? uint16_t{0} : statusTextIndex(request.status)});
}

// Only failed requests come here, and the driver's words are looked up once per distinct text.
uint16_t RequestLog::statusTextIndex(int16_t status) {
  std::string text = session_.link().driver().statusText(status);
  const auto known = std::find(statusTexts_.begin(), statusTexts_.end(), text);
  if (known != statusTexts_.end()) {
    return static_cast<uint16_t>(known - statusTexts_.begin());
  }
  if (statusTexts_.size() < kMostStatusTexts) {
    statusTexts_.push_back(std::move(text));
  } else if (statusTexts_.size() == kMostStatusTexts) {
    statusTexts_.emplace_back("status not kept in words: see its number");
  }
  return static_cast<uint16_t>(statusTexts_.size() - 1);
}

const std::string& RequestLog::statusText(const LogEntry& entry) const {
  return statusTexts_.at(entry.statusText);
}
