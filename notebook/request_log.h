#pragma once
// The request log: every request the session sends to the board, newest last, each with the
// operator action that made it (who asked, and the command that repeats it), and the actions
// themselves in the order they ended, for a recorded session. It keeps the last 100,000 of each,
// so that a long session holds bounded memory, and listens to the session from construction to
// destruction.
//
// What it does per request is a copy of a few numbers into a ring: the write path does not pay
// for the log being there.

#include <chrono>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "catalogue.h"
#include "operator_action.h"
#include "ring.h"
#include "session.h"

using LogClock = std::chrono::system_clock;

inline constexpr uint64_t kNoAction = std::numeric_limits<uint64_t>::max();

// One request as the log keeps it.
struct LogEntry {
  LogClock::time_point time{};
  RequestRecord request{};
  uint64_t action = kNoAction;  // the innermost action running when the request went out
  uint16_t statusText = 0;      // the status in words, as an index of RequestLog::statusTexts()
};

// One operator action as the log keeps it: its plain values and the model it ran on, from which
// the command that repeats it is made when it is shown or exported, not while the action runs.
struct LoggedAction {
  OperatorAction action;  // with who asked: the window control's caption, or "remote <address>"
  const PartInfo* part = nullptr;
  bool refused = false;
  std::string refusal;  // why, when refused

  // The command that repeats the action; empty when none does.
  std::string command() const;
};

class RequestLog : public SessionListener {
 public:
  static constexpr std::size_t kDefaultCapacity = 100000;

  explicit RequestLog(Session& session, std::size_t capacity = kDefaultCapacity);
  ~RequestLog() override;
  RequestLog(const RequestLog&) = delete;
  RequestLog& operator=(const RequestLog&) = delete;

  const Ring<LogEntry>& entries() const { return entries_; }
  // The action of sequence number `id` (an entry's `action`), or nullptr when it was never logged
  // or has made way for newer ones.
  const LoggedAction* action(uint64_t id) const { return actions_.find(id); }
  // The actions in the order they ended, as sequence numbers: an action that ran inside another's
  // yield ends, and sent its words, before the one it interrupted.
  const Ring<uint64_t>& endedActions() const { return ended_; }
  // "OK", or the board link's words for the entry's status ("board unplugged").
  const std::string& statusText(const LogEntry& entry) const;
  // The chip model the session is on.
  const std::string& modelName() const { return session_.chip().PartName; }

 private:
  void actionStarted(const OperatorAction& action) override;
  void actionEnded() override;
  void actionRefused(const Refusal& refusal) override;
  void requestDone(const RequestRecord& request) override;
  uint16_t statusTextIndex(int16_t status);

  Session& session_;
  Ring<LogEntry> entries_;
  Ring<LoggedAction> actions_;
  Ring<uint64_t> ended_;
  std::vector<uint64_t> running_;  // the actions under way, innermost last
  // Distinct status texts: few, since a board link has few statuses.
  std::vector<std::string> statusTexts_{"OK"};
};
