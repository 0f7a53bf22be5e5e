#pragma once
// A session on the simulated board, as the program starts it, with a request log listening.

#include <string>
#include <vector>

#include "request_log.h"
#include "session_bench.h"

struct LoggedBench : SessionBench {
  explicit LoggedBench(std::string_view model = "ZR810",
                       std::size_t capacity = RequestLog::kDefaultCapacity)
      : SessionBench(model), log(session, capacity) {}

  // The commands of a script's send(...) and ask(...) lines, in order.
  static std::vector<std::string> ScriptCommands(const std::string& script);

  RequestLog log;
};

inline std::vector<std::string> LoggedBench::ScriptCommands(const std::string& script) {
  std::vector<std::string> commands;
  std::size_t at = 0;
  while ((at = script.find('\n', at)) != std::string::npos) {
    ++at;
    for (const char* call : {"send(\"", "ask(\""}) {
      const std::string head(call);
      if (script.compare(at, head.size(), head) != 0) continue;
      const std::size_t start = at + head.size();
      commands.push_back(script.substr(start, script.find("\")", start) - start));
    }
  }
  return commands;
}
