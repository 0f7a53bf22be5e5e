// DAC<n>:...: the channel registers, the A/B select and the output voltage of channel n, n being
// the channel number as the window labels it.

#include <limits>
#include <optional>

#include "call.h"
#include "channel_number.h"
#include "command_support.h"
#include "error_queue.h"
#include "instrument_commands.h"
#include "number_format.h"
#include "transfer_function.h"

namespace {

using Handler = scpi::CommandTree::Handler;

// A handler for the record of the header's channel.
template <class Body>
Handler ForChannel(Session& session, Body body) {
  return [&session, body](scpi::Call& call) {
    if (const std::optional<int> dac = ChannelRecord(call, session)) body(call, *dac);
  };
}

const DAC& RecordOf(const Session& session, int dac) {
  return session.chip().DACs.at(static_cast<size_t>(dac));
}

void AddRegisters(scpi::CommandTree& tree, Session& session) {
  for (const ChannelRegisterRow& row : kChannelRegisters) {
    const std::string header = "DAC#:" + std::string(row.mnemonic);
    const ChannelRegister reg = row.reg;
    tree.add(header, 1, 1,
             OnBoard(session, ForChannel(session, [&session, reg](scpi::Call& call, int dac) {
                       // The session refuses what the register cannot take, with the window's
                       // words.
                       if (const auto code = call.code(0, INT32_MIN, INT32_MAX)) {
                         ReportRefusal(call, session.writeRegister(dac, reg, *code));
                       }
                     })));
    tree.add(header + "?", 0, 0, ForChannel(session, [&session, reg](scpi::Call& call, int dac) {
               call.reply(scpi::FormatInteger(RegisterValue(RecordOf(session, dac), reg)));
             }));
  }
  tree.add("DAC#:X2A?", 0, 0, ForChannel(session, [&session](scpi::Call& call, int dac) {
             call.reply(scpi::FormatInteger(RecordOf(session, dac).X2A));
           }));
  tree.add("DAC#:X2B?", 0, 0, ForChannel(session, [&session](scpi::Call& call, int dac) {
             call.reply(scpi::FormatInteger(RecordOf(session, dac).X2B));
           }));
  tree.add("DAC#:REGister?", 0, 0, ForChannel(session, [&session](scpi::Call& call, int dac) {
             call.reply(scpi::FormatInteger(RecordOf(session, dac).DACregValue()));
           }));
}

void AddSourceAndVoltage(scpi::CommandTree& tree, Session& session) {
  tree.add("DAC#:ABSel", 1, 1,
           OnBoard(session, ForChannel(session, [&session](scpi::Call& call, int dac) {
                     if (const auto source = call.choice(0, {"A", "B"})) {
                       ReportRefusal(call, session.chooseDacSource(dac, *source == 1));
                     }
                   })));
  tree.add("DAC#:ABSel?", 0, 0, ForChannel(session, [&session](scpi::Call& call, int dac) {
             call.reply(RecordOf(session, dac).ABsel() != 0 ? "B" : "A");
           }));
  tree.add("DAC#:VOLTage?", 0, 0, ForChannel(session, [&session](scpi::Call& call, int dac) {
             const auto volts =
                 OutputVoltage(session.chip(), static_cast<int16_t>(dac), session.references());
             if (!volts) {
               // SCPI's not-a-number, so that the client still gets its answer.
               call.reply(scpi::FormatReal(std::numeric_limits<double>::quiet_NaN()));
               const int set = ReferenceSetOf(session.chip().PartName, dac);
               call.error(scpi::errc::kSettingsConflict,
                          "VREF" + std::to_string(set) + " is not a number");
               return;
             }
             call.reply(scpi::FormatReal(*volts));
           }));
  tree.add("DAC#:VOLTage", 1, 1,
           OnBoard(session, ForChannel(session, [&session](scpi::Call& call, int dac) {
                     if (const auto volts = call.real(0)) {
                       ReportRefusal(call, session.writeVoltage(dac, *volts));
                     }
                   })));
}

}  // namespace

void AddChannelCommands(scpi::CommandTree& tree, Session& session) {
  AddRegisters(tree, session);
  AddSourceAndVoltage(tree, session);
}
