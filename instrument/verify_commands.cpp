// Reading the chip back: DAC<n>:X1A:READ? and its siblings, BOARd:VERify? and
// BOARd:VERify:LIST?, and the simulated chip's power cycle.

#include <limits>
#include <string>

#include "call.h"
#include "command_support.h"
#include "error_queue.h"
#include "instrument_commands.h"
#include "number_format.h"
#include "simulation_diagnostics.h"

namespace {

// SCPI's not-a-number: the answer of a query whose board request failed (the -200 says why).
std::string NotANumber() {
  return scpi::FormatReal(std::numeric_limits<double>::quiet_NaN());
}

// A register as BOARd:VERify:LIST? names it: the channel register's own mnemonic, or CONT,
// OFFS<k>, ABS<g> for the chip's registers.
std::string RemoteName(ReadbackItem item) {
  if (const std::optional<ChannelRegister> reg = ChannelRegisterOf(item)) {
    return std::string(RegisterRow(*reg).mnemonic);
  }
  if (item == ReadbackItem::Control) return "CONT";
  if (item >= ReadbackItem::OffsetDac0 && item <= ReadbackItem::OffsetDac2) {
    return "OFFS" +
           std::to_string(static_cast<int>(item) - static_cast<int>(ReadbackItem::OffsetDac0));
  }
  return "ABS" + std::to_string(static_cast<int>(item) - static_cast<int>(ReadbackItem::ABSelect0));
}

std::string DifferenceList(const ChipVerification& verification) {
  std::string text;
  for (const RegisterDifference& d : verification.differences) {
    if (!text.empty()) text += ',';
    text += std::to_string(d.channel) + ',' + RemoteName(d.item) + ',' + std::to_string(d.model) +
            ',' + std::to_string(d.chip);
  }
  return text;
}

void AddReads(scpi::CommandTree& tree, Session& session) {
  for (const ChannelRegisterRow& row : kChannelRegisters) {
    const ReadbackItem item = row.readback;
    tree.add("DAC#:" + std::string(row.mnemonic) + ":READ?", 0, 0,
             OnBoard(session, [&session, item](scpi::Call& call) {
               const std::optional<int> dac = ChannelRecord(call, session);
               if (!dac) return;
               const ReadbackResult result = session.readRegister(item, *dac);
               call.reply(result.code ? scpi::FormatInteger(*result.code) : NotANumber());
             }));
  }
}

void AddVerify(scpi::CommandTree& tree, Session& session) {
  tree.add("BOARd:VERify?", 0, 0, OnBoard(session, [&session](scpi::Call& call) {
             const ChipVerification& v = session.verifyChip();
             const bool ended = !v.failure.empty();
             call.reply(ended ? NotANumber()
                              : scpi::FormatInteger(static_cast<int64_t>(v.differences.size())));
           }));
  tree.add("BOARd:VERify:LIST?", 0, 0, [&session](scpi::Call& call) {
    call.reply(DifferenceList(session.lastVerification()));
  });
}

void AddPowerCycle(scpi::CommandTree& tree, Session& session) {
  tree.add("BOARd:SIMulation:POWercycle", 0, 0, [&session](scpi::Call& call) {
    SimulationDiagnostics* board = session.link().driver().simulation();
    if (board == nullptr) {
      call.error(scpi::errc::kSettingsConflict, "the board link is not the simulated board");
      return;
    }
    board->powerCycle();
  });
}

}  // namespace

void AddVerifyCommands(scpi::CommandTree& tree, Session& session) {
  AddReads(tree, session);
  AddVerify(tree, session);
  AddPowerCycle(tree, session);
}
