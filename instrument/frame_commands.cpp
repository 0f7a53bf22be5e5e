// FRAMe:VOLTage and FRAMe:CODE: several channels written into their input registers and loaded
// together by one LDAC pulse.

#include <optional>
#include <string>
#include <vector>

#include "call.h"
#include "channel_list.h"
#include "channel_number.h"
#include "command_support.h"
#include "error_queue.h"
#include "frame_parameters.h"
#include "instrument_commands.h"

std::optional<std::vector<int>> ListedRecords(scpi::Call& call, std::size_t param,
                                              const Session& session) {
  const ChannelList list = ParseChannelList(call.param(param), kMostFrameChannels);
  if (!list.problem.empty()) {
    call.error(scpi::errc::kDataTypeError, list.problem);
    return std::nullopt;
  }
  std::vector<int> records;
  for (const int n : list.channels) {
    const int dac = RecordOfChannel(session.chip().part(), n);
    if (dac < 0) {
      call.error(scpi::errc::kHeaderSuffixOutOfRange,
                 "this model has no channel " + std::to_string(n));
      return std::nullopt;
    }
    records.push_back(dac);
  }
  return records;
}

bool ValuesMatch(scpi::Call& call, std::size_t first, std::size_t listed) {
  const std::size_t given = call.paramCount() - first;
  if (given == listed) return true;
  const std::string detail =
      std::to_string(given) + " values for " + std::to_string(listed) + " channels";
  call.error(given < listed ? scpi::errc::kMissingParameter : scpi::errc::kParameterNotAllowed,
             detail);
  return false;
}

std::optional<Session::FrameVolts> VoltsFrame(scpi::Call& call, std::size_t listParam,
                                              const Session& session) {
  const auto records = ListedRecords(call, listParam, session);
  if (!records || !ValuesMatch(call, listParam + 1, records->size())) return std::nullopt;
  Session::FrameVolts frame;
  for (std::size_t i = 0; i < records->size(); ++i) {
    const std::optional<double> volts = call.real(listParam + 1 + i);
    if (!volts) return std::nullopt;
    frame.emplace_back((*records)[i], *volts);
  }
  return frame;
}

void AddFrameCommands(scpi::CommandTree& tree, Session& session) {
  const int most = 1 + static_cast<int>(kMostFrameChannels);
  tree.add("FRAMe:VOLTage", 2, most, OnBoard(session, [&session](scpi::Call& call) {
             if (const auto frame = VoltsFrame(call, 0, session)) {
               ReportRefusal(call, session.writeFrameVolts(*frame));
             }
           }));
  tree.add("FRAMe:CODE", 2, most, OnBoard(session, [&session](scpi::Call& call) {
             const auto records = ListedRecords(call, 0, session);
             if (!records || !ValuesMatch(call, 1, records->size())) return;
             Session::FrameCodes frame;
             for (std::size_t i = 0; i < records->size(); ++i) {
               const auto code = call.code(1 + i, INT32_MIN, INT32_MAX);
               if (!code) return;
               frame.emplace_back((*records)[i], *code);
             }
             ReportRefusal(call, session.writeFrame(frame));
           }));
}
