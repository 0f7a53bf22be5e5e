// DAC<n>:NAME and DAC<n>:LIMit:...: the names and output limits of the channels.

#include <limits>
#include <optional>
#include <string>

#include "call.h"
#include "command_support.h"
#include "error_queue.h"
#include "instrument_commands.h"
#include "number_format.h"

namespace {

// SCPI's infinities: what a channel without that limit answers, and, sent as a limit, no limit.
constexpr double kNoLimit = 9.9e37;

// The text of a string parameter ("..." or '...', the quote doubled inside it), or nothing with
// -104 queued when the parameter is not a string.
std::optional<std::string> StringParameter(scpi::Call& call, std::size_t i) {
  const std::string_view text = call.param(i);
  if (text.size() < 2 || (text.front() != '"' && text.front() != '\'') ||
      text.back() != text.front()) {
    call.error(scpi::errc::kDataTypeError, "a name is a quoted string");
    return std::nullopt;
  }
  const char quote = text.front();
  std::string value;
  for (std::size_t at = 1; at + 1 < text.size(); ++at) {
    value += text[at];
    if (text[at] == quote) ++at;  // a doubled quote stands for one
  }
  return value;
}

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

template <class Body>
scpi::CommandTree::Handler ForChannel(Session& session, Body body) {
  return [&session, body](scpi::Call& call) {
    if (const std::optional<int> dac = ChannelRecord(call, session)) body(call, *dac);
  };
}

void AddLimit(scpi::CommandTree& tree, Session& session, const std::string& header,
              Session::LimitSide side) {
  const bool upper = side == Session::LimitSide::Upper;
  tree.add(header, 1, 1,
           OnBoard(session, ForChannel(session, [&session, side, upper](scpi::Call& call, int dac) {
                     const std::optional<double> volts = call.real(0);
                     if (!volts) return;
                     const bool none = upper ? *volts >= kNoLimit : *volts <= -kNoLimit;
                     ReportRefusal(call,
                                   session.setChannelLimit(dac, side, none ? std::nullopt : volts));
                   })));
  tree.add(header + "?", 0, 0, ForChannel(session, [&session, upper](scpi::Call& call, int dac) {
             const ChannelLabel& label = session.channelLabel(dac);
             const std::optional<double>& limit = upper ? label.high : label.low;
             if (limit) {
               call.reply(scpi::FormatReal(*limit));
             } else {
               call.reply(upper ? "9.9E37" : "-9.9E37");
             }
           }));
}

}  // namespace

void AddLabelCommands(scpi::CommandTree& tree, Session& session) {
  tree.add("DAC#:NAME", 1, 1,
           OnBoard(session, ForChannel(session, [&session](scpi::Call& call, int dac) {
                     if (const auto name = StringParameter(call, 0)) {
                       ReportRefusal(call, session.setChannelName(dac, *name));
                     }
                   })));
  tree.add("DAC#:NAME?", 0, 0, ForChannel(session, [&session](scpi::Call& call, int dac) {
             call.reply(Quoted(session.channelLabel(dac).name));
           }));
  AddLimit(tree, session, "DAC#:LIMit:LOWer", Session::LimitSide::Lower);
  AddLimit(tree, session, "DAC#:LIMit:UPPer", Session::LimitSide::Upper);
  tree.add("DAC#:LIMit:CLEar", 0, 0,
           OnBoard(session, ForChannel(session, [&session](scpi::Call& call, int dac) {
                     ReportRefusal(call, session.clearChannelLimits(dac));
                   })));
}
