#include "c_array_export.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "log_columns.h"

namespace {

constexpr int kWordsPerLine = 8;
constexpr std::size_t kFailedPositionsNamed = 20;

struct LoggedWords {
  std::vector<uint32_t> words;
  std::vector<std::size_t> failed;  // positions in `words`
};

LoggedWords WordsOf(const RequestLog& log) {
  LoggedWords found;
  const Ring<LogEntry>& entries = log.entries();
  for (uint64_t n = entries.begin(); n < entries.end(); ++n) {
    const RequestRecord& request = entries.at(n).request;
    if (!CarriesWord(request)) continue;
    if (request.status != 0) found.failed.push_back(found.words.size());
    found.words.push_back(WordOf(request));
  }
  return found;
}

std::string Comment(const RequestLog& log, const LoggedWords& found) {
  std::string text = "/* The words sent to the " + log.modelName() +
                     ", oldest first (dac-eval request log). Needs <stdint.h> and <stddef.h>.";
  if (!found.failed.empty()) {
    text += "\n   The board did not take " + std::to_string(found.failed.size()) +
            " of them (failed requests), at positions";
    const std::size_t named = std::min(found.failed.size(), kFailedPositionsNamed);
    for (std::size_t i = 0; i < named; ++i) text += ' ' + std::to_string(found.failed[i]);
    if (named < found.failed.size()) text += " and later";
    text += '.';
  }
  return text + " */\n";
}

}  // namespace

std::optional<std::string> WordsAsCArray(const RequestLog& log) {
  const LoggedWords found = WordsOf(log);
  if (found.words.empty()) return std::nullopt;
  std::string text = Comment(log, found) + "static const uint32_t words[] = {";
  for (std::size_t i = 0; i < found.words.size(); ++i) {
    char word[16];
    std::snprintf(word, sizeof word, "0x%06X,", found.words[i]);
    text += (i % kWordsPerLine == 0 ? "\n    " : " ") + std::string(word);
  }
  return text + "\n};\nstatic const size_t word_count = " + std::to_string(found.words.size()) +
         ";\n";
}
