// SEQuence:...: a sequence of frames built up by remote clients and played in time.

#include <chrono>
#include <cmath>
#include <string>

#include "call.h"
#include "command_support.h"
#include "error_queue.h"
#include "frame_parameters.h"
#include "instrument_commands.h"
#include "mnemonic.h"
#include "number_format.h"

namespace {

// SEQuence:FRAMe <dwell seconds>,(@<list>),<volts...>: one frame appended.
void AppendFrame(scpi::Call& call, Session& session) {
  const std::optional<double> dwell = call.real(0);
  if (!dwell) return;
  if (!std::isfinite(*dwell) || *dwell > 86400.0) {
    call.error(scpi::errc::kDataOutOfRange, "a dwell time is at most a day");
    return;
  }
  const auto volts = VoltsFrame(call, 1, session);
  if (!volts) return;
  SequenceFrame frame{
      .dwell = std::chrono::round<std::chrono::microseconds>(std::chrono::duration<double>(*dwell)),
      .volts = *volts};
  ReportRefusal(call, session.sequencer().append(std::move(frame)));
}

void SetRepeat(scpi::Call& call, Session& session) {
  if (scpi::MatchesMnemonic("INFinity", call.param(0))) {
    ReportRefusal(call, session.sequencer().setRepeat(std::nullopt));
    return;
  }
  if (const auto passes = call.code(0, 1, 1000000000)) {
    ReportRefusal(call, session.sequencer().setRepeat(static_cast<int>(*passes)));
  }
}

std::string State(const Sequencer& sequencer) {
  if (!sequencer.running()) return "IDLE";
  return "RUNNING," + std::to_string(sequencer.frameIndex() + 1) + "," +
         std::to_string(sequencer.pass());
}

}  // namespace

void AddSequenceCommands(scpi::CommandTree& tree, Session& session) {
  const int most = 2 + static_cast<int>(kMostFrameChannels);
  tree.add("SEQuence:CLEar", 0, 0, OnBoard(session, [&session](scpi::Call& call) {
             ReportRefusal(call, session.sequencer().clear());
           }));
  tree.add("SEQuence:FRAMe", 3, most,
           OnBoard(session, [&session](scpi::Call& call) { AppendFrame(call, session); }));
  tree.add("SEQuence:COUNt?", 0, 0, [&session](scpi::Call& call) {
    call.reply(scpi::FormatInteger(static_cast<int64_t>(session.sequencer().frames().size())));
  });
  tree.add("SEQuence:REPeat", 1, 1,
           OnBoard(session, [&session](scpi::Call& call) { SetRepeat(call, session); }));
  tree.add("SEQuence:REPeat?", 0, 0, [&session](scpi::Call& call) {
    const std::optional<int> passes = session.sequencer().repeat();
    call.reply(passes ? scpi::FormatInteger(*passes) : std::string("INF"));
  });
  tree.add("SEQuence:STARt", 0, 0, OnBoard(session, [&session](scpi::Call& call) {
             ReportRefusal(call, session.sequencer().start());
           }));
  // Not a setting held up by the running sequence: it ends it.
  tree.add("SEQuence:STOP", 0, 0, [&session](scpi::Call&) { session.sequencer().stop(); });
  tree.add("SEQuence:STATe?", 0, 0,
           [&session](scpi::Call& call) { call.reply(State(session.sequencer())); });
  tree.add("SEQuence:TIMing?", 0, 0, [&session](scpi::Call& call) {
    const SequenceTiming timing = session.sequencer().timing();
    call.reply(scpi::FormatInteger(static_cast<int64_t>(timing.played)) + "," +
               scpi::FormatReal(timing.medianLateness) + "," +
               scpi::FormatReal(timing.largestLateness));
  });
}
