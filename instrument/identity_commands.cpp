// *IDN?, *RST, *TST? and remote control's claim on the window (SYSTem:REMote, RWLock, LOCal).

#include <algorithm>
#include <string>

#include "call.h"
#include "command_support.h"
#include "error_queue.h"
#include "instrument_commands.h"
#include "program_version.h"

namespace {

// The board's serial number as an *IDN? field: "0" without one, and no character that would
// break the reply's fields (',' ';' '"' and control characters become '_').
std::string SerialField(const Session& session) {
  std::string serial = session.link().driver().serialNumber();
  if (serial.empty()) return "0";
  std::replace_if(
      serial.begin(), serial.end(),
      [](char c) { return c == ',' || c == ';' || c == '"' || c == '\'' || c < 0x21 || c > 0x7E; },
      '_');
  return serial;
}

void AddRemoteModes(scpi::CommandTree& tree, Session& session) {
  struct Mode {
    const char* header;
    RemoteMode mode;
  };
  for (const Mode& m :
       {Mode{"SYSTem:REMote", RemoteMode::Remote}, Mode{"SYSTem:RWLock", RemoteMode::Locked},
        Mode{"SYSTem:LOCal", RemoteMode::Local}}) {
    tree.add(m.header, 0, 0, [&session, mode = m.mode](scpi::Call&) {
      session.setRemoteMode(mode, session.origin());
    });
  }
}

}  // namespace

void AddIdentityCommands(scpi::CommandTree& tree, Session& session) {
  // IEEE 488.2's four fields: manufacturer, model, serial number, version.
  tree.add("*IDN?", 0, 0, [&session](scpi::Call& call) {
    call.reply("dac-eval," + session.chip().PartName + "," + SerialField(session) + "," +
               kProgramVersion);
  });
  tree.add("*RST", 0, 0, OnBoard(session, [&session](scpi::Call&) { session.pulseReset(); }));
  tree.add("*TST?", 0, 0, [&session](scpi::Call& call) {
    const std::optional<std::string> failure = session.selfTest();
    if (failure) call.error(scpi::errc::kSelfTestFailed, *failure);
    call.reply(failure ? "1" : "0");
  });
  AddRemoteModes(tree, session);
}
