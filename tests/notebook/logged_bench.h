#pragma once
// A session on the simulated board, as the program starts it, with a request log listening.

#include <regex>
#include <string>
#include <vector>

#include "log_columns.h"
#include "request_log.h"
#include "session_bench.h"

struct LoggedBench : SessionBench {
  explicit LoggedBench(std::string_view model = "ZR810",
                       std::size_t capacity = RequestLog::kDefaultCapacity)
      : SessionBench(model), log(session, capacity) {}
  RequestLog log;
};

// The commands of a script's send(...) and ask(...) lines, in order.
inline std::vector<std::string> ScriptCommands(const std::string& script) {
  static const std::regex kCall(R"re(\n(?:send|ask)\("([^"]*)"\))re");
  std::vector<std::string> commands;
  for (std::sregex_iterator it(script.begin(), script.end(), kCall), end; it != end; ++it) {
    commands.push_back((*it)[1]);
  }
  return commands;
}

// The words of the log's requests that carried one, oldest first.
inline std::vector<int32_t> LoggedWords(const RequestLog& log) {
  std::vector<int32_t> words;
  for (uint64_t n = log.entries().begin(); n < log.entries().end(); ++n) {
    const RequestRecord& request = log.entries().at(n).request;
    if (CarriesWord(request)) words.push_back(static_cast<int32_t>(WordOf(request)));
  }
  return words;
}
