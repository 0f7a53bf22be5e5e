// The control lines, the direct 24-bit load and the board.

#include <array>
#include <sstream>
#include <string>
#include <vector>

#include "call.h"
#include "channel_number.h"
#include "command_support.h"
#include "error_queue.h"
#include "instrument_commands.h"
#include "number_format.h"
#include "request_codes.h"
#include "simulation_diagnostics.h"

namespace {

// CONTrol:<line> HIGH|LOW|PULSe: the hold requests of the line, or its pulse.
struct LineCommand {
  const char* header;
  Request high;
  Request low;
  Refused (*pulse)(Session&);
};

Refused PulseLdac(Session& session) {
  return session.pulseLdac();
}
Refused PulseReset(Session& session) {
  session.pulseReset();
  return std::nullopt;
}
Refused PulseClr(Session& session) {
  session.pulseClr();
  return std::nullopt;
}
constexpr std::array<LineCommand, 3> kLines{{
    {"CONTrol:LDAC", Request::LdacHigh, Request::LdacLow, &PulseLdac},
    {"CONTrol:RESet", Request::ResetHigh, Request::ResetLow, &PulseReset},
    {"CONTrol:CLR", Request::ClrHigh, Request::ClrLow, &PulseClr},
}};

void AddLines(scpi::CommandTree& tree, Session& session) {
  tree.add("LDAC", 0, 0, OnBoard(session, [&session](scpi::Call& call) {
             ReportRefusal(call, session.pulseLdac());
           }));
  for (const LineCommand& line : kLines) {
    tree.add(line.header, 1, 1, OnBoard(session, [&session, line](scpi::Call& call) {
               switch (call.choice(0, {"HIGH", "LOW", "PULSe"}).value_or(-1)) {
                 case 0:
                   return ReportRefusal(call, session.lineRequest(line.high));
                 case 1:
                   return ReportRefusal(call, session.lineRequest(line.low));
                 case 2:
                   return ReportRefusal(call, line.pulse(session));
                 default:
                   return;  // the choice has queued its error
               }
             }));
  }
}

// CONTrol:INPut A|B: the input register that X writes reach (the chip's control register), the
// window's A/B choice above "X >>".
void AddInputRoute(scpi::CommandTree& tree, Session& session) {
  tree.add("CONTrol:INPut", 1, 1, OnBoard(session, [&session](scpi::Call& call) {
             if (const auto route = call.choice(0, {"A", "B"})) {
               session.chooseInputRegister(*route == 1);
             }
           }));
  tree.add("CONTrol:INPut?", 0, 0,
           [&session](scpi::Call& call) { call.reply(session.inputRegisterB() ? "B" : "A"); });
}

void AddWord(scpi::CommandTree& tree, Session& session) {
  tree.add("WORD", 1, 1, OnBoard(session, [&session](scpi::Call& call) {
             if (const auto word = call.code(0, INT32_MIN, INT32_MAX)) {
               ReportRefusal(call, session.directLoad(*word));
             }
           }));
  tree.add("WORD?", 0, 0,
           [&session](scpi::Call& call) { call.reply(scpi::FormatInteger(session.lastWord())); });
}

// What the simulated chip holds for a channel: its input, gain and offset codes as the chip
// stores them, X2A, X2B and its DAC register.
std::string SimulatedChannel(const SimulatedChip& chip, int dac) {
  const auto at = static_cast<size_t>(dac);
  const int shift = chip.bits == 14 ? 2 : 0;
  const auto code = [shift](const std::optional<uint16_t>& reg, int32_t powerOn) -> int64_t {
    return reg ? *reg >> shift : powerOn;
  };
  const int32_t fullScale = chip.bits > 0 ? (1 << chip.bits) - 1 : 0;
  const int32_t mid = chip.bits > 0 ? 1 << (chip.bits - 1) : 0;
  std::ostringstream text;
  text << code(chip.inputA[at], chip.resetCode) << ',' << code(chip.inputB[at], chip.resetCode)
       << ',' << code(chip.gain[at], fullScale) << ',' << code(chip.offset[at], mid) << ','
       << chip.x2a[at] << ',' << chip.x2b[at] << ',' << chip.dac[at];
  return text.str();
}

// The simulated board behind the session, or nothing with -221 queued on another link.
const SimulationDiagnostics* SimulatedBoardOf(scpi::Call& call, const Session& session) {
  const SimulationDiagnostics* board = session.link().driver().simulation();
  if (board == nullptr) {
    call.error(scpi::errc::kSettingsConflict, "the board link is not the simulated board");
  }
  return board;
}

// The words the simulated board received, oldest first, as decimal numbers: the last
// kKeptRequests of them at most, so that the reply stays bounded however long the program runs.
std::string SimulatedWords(const SimulationDiagnostics& board) {
  std::vector<int32_t> words;
  for (const SimulationDiagnostics::RecordedRequest& r : board.requests()) {
    if (r.code == static_cast<uint8_t>(Request::Spi) && r.direction == kDirectionOut) {
      words.push_back((r.index & 0xFF) << 16 | (r.value & 0xFFFF));
    }
  }
  const std::size_t first = words.size() > SimulationDiagnostics::kKeptRequests
                                ? words.size() - SimulationDiagnostics::kKeptRequests
                                : 0;
  std::string text;
  for (std::size_t i = first; i < words.size(); ++i) {
    if (i != first) text += ',';
    text += std::to_string(words[i]);
  }
  return text;
}

void AddBoard(scpi::CommandTree& tree, Session& session) {
  tree.add("BOARd:RELoad", 0, 0, OnBoard(session, [&session](scpi::Call& call) {
             session.reload([&call](const std::string& text, const std::string& title) {
               call.error(scpi::errc::kExecutionError, text + " (" + title + ")");
             });
           }));
  tree.add("BOARd:LINK?", 0, 0, [&session](scpi::Call& call) { call.reply(LinkName(session)); });
  tree.add("BOARd:SIMulation:DAC#?", 0, 0, [&session](scpi::Call& call) {
    const SimulationDiagnostics* board = SimulatedBoardOf(call, session);
    if (board == nullptr) return;
    if (const std::optional<int> dac = ChannelRecord(call, session)) {
      call.reply(SimulatedChannel(board->chip(), *dac));
    }
  });
  tree.add("BOARd:SIMulation:WORDs?", 0, 0, [&session](scpi::Call& call) {
    if (const SimulationDiagnostics* board = SimulatedBoardOf(call, session)) {
      call.reply(SimulatedWords(*board));
    }
  });
}

}  // namespace

void AddControlCommands(scpi::CommandTree& tree, Session& session) {
  AddLines(tree, session);
  AddInputRoute(tree, session);
  AddWord(tree, session);
  AddBoard(tree, session);
}
