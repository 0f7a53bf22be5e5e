#include "command_support.h"

#include <algorithm>

#include "channel_number.h"
#include "error_queue.h"
#include "request_failure.h"

void ReportRefusal(scpi::Call& call, const Refused& refused) {
  if (!refused) return;
  std::string text = refused->range.empty() ? refused->text : refused->range;
  std::replace(text.begin(), text.end(), '\r', ' ');
  call.error(refused->kind == Refusal::Kind::Conflict ? scpi::errc::kSettingsConflict
                                                      : scpi::errc::kDataOutOfRange,
             text);
}

scpi::CommandTree::Handler OnBoard(Session& session, scpi::CommandTree::Handler handler) {
  return [&session, handler = std::move(handler)](scpi::Call& call) {
    // A running sequence owns the chip: settings wait for its end, queries still answer.
    if (session.sequencer().running() && !call.header().ends_with('?')) {
      call.error(scpi::errc::kSettingsConflict, "a sequence is running");
      return;
    }
    const uint64_t failedBefore = session.failedRequests();
    handler(call);
    if (session.failedRequests() != failedBefore) {
      call.error(scpi::errc::kExecutionError,
                 RequestFailureText(session.link().driver(), session.lastFailure()));
    }
  };
}

std::optional<int> ChannelRecord(scpi::Call& call, const Session& session) {
  const int n = call.suffix(0);
  const int dac = RecordOfChannel(session.chip().part(), n);
  if (dac < 0) {
    call.error(scpi::errc::kHeaderSuffixOutOfRange,
               "this model has no channel " + std::to_string(n));
    return std::nullopt;
  }
  return dac;
}

std::string LinkName(const Session& session) {
  return session.link().driver().linkName();
}
