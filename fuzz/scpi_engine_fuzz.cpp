// Arbitrary bytes through the LineAssembler and a Connection over a small tree whose handlers
// record their calls. Input: one byte of piece length (1 to 256 bytes per feed), one byte of
// line limit (1 to 255 bytes; 0 for the real 64 KiB), then the bytes a client sends.
//
// Properties, besides no crash or undefined behaviour: lines are within the limit and hold no
// LF; a handler only runs with a parameter count in its declared range; a parameter reader that
// gives nothing has queued one error; the error queue never holds more than its capacity; a
// line without errors answers every query in it, in order, and a line with errors answers no
// more queries than it has; a reply is one line.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "call.h"
#include "connection.h"
#include "fuzz_check.h"
#include "line_assembler.h"
#include "standard_tree.h"

namespace {

// The answers the tree's own queries gave during the current line ("Q0", "Q1", ...).
std::vector<std::string> ownAnswers;

// Adds a command whose handler checks its parameter count and then runs `body`.
template <typename Body>
void Add(scpi::CommandTree& tree, const char* pattern, int minParams, int maxParams, Body body) {
  tree.add(pattern, minParams, maxParams, [minParams, maxParams, body](scpi::Call& call) {
    FUZZ_CHECK(call.paramCount() >= static_cast<std::size_t>(minParams));
    FUZZ_CHECK(call.paramCount() <= static_cast<std::size_t>(maxParams));
    for (std::size_t i = 0; i < call.paramCount(); ++i) {
      const std::string_view p = call.param(i);
      FUZZ_CHECK(!p.empty() && static_cast<unsigned char>(p.front()) > ' ' &&
                 static_cast<unsigned char>(p.back()) > ' ');
    }
    body(call);
  });
}

void Answer(scpi::Call& call) {
  ownAnswers.push_back("Q" + std::to_string(ownAnswers.size()));
  call.reply(ownAnswers.back());
}

// Runs a reader; when it gives nothing, exactly one error must have been queued.
template <typename Read>
auto Checked(scpi::Call& call, Read read) {
  const uint64_t before = call.connection().errors().pushedCount();
  const auto value = read();
  FUZZ_CHECK(value.has_value() == (call.connection().errors().pushedCount() == before));
  return value;
}

scpi::CommandTree FuzzTree() {
  using scpi::Call;
  scpi::CommandTree tree = scpi::StandardTree();
  Add(tree, "DAC#:X1A", 1, 1, [](Call& call) {
    const auto code = Checked(call, [&] { return call.code(0, 0, 65535); });
    if (code) FUZZ_CHECK(*code >= 0 && *code <= 65535);
    const auto dac = Checked(call, [&] { return call.suffixIn(0, 0, 39); });
    if (dac) FUZZ_CHECK(*dac >= 0 && *dac <= 39);
  });
  Add(tree, "DAC#:X1A?", 0, 0, Answer);
  Add(tree, "DAC#:OFFSet#:VOLTage", 1, 2, [](Call& call) {
    const auto volts = Checked(call, [&] { return call.real(0); });
    if (volts) FUZZ_CHECK(std::isfinite(*volts));
    if (call.paramCount() == 2) Checked(call, [&] { return call.boolean(1); });
  });
  Add(tree, "DAC#:OFFSet#:VOLTage?", 0, 1, Answer);
  Add(tree, "[SOURce]:MODE", 1, 1, [](Call& call) {
    const auto mode = Checked(call, [&] { return call.choice(0, {"INPut", "LOW", "HIGH"}); });
    if (mode) FUZZ_CHECK(*mode >= 0 && *mode <= 2);
  });
  Add(tree, "[SOURce]:MODE?", 0, 0, Answer);
  Add(tree, "LDAC", 0, 0, [](Call&) {});
  Add(tree, "MEASure:VOLTage[:DC]?", 0, 1, Answer);
  Add(tree, "TEST:LIST", 0, 5, [](Call&) {});
  Add(tree, "TEST:FAIL", 0, 1, [](Call& call) {
    const auto code =
        call.paramCount() == 0 ? std::optional<int64_t>(-221) : call.code(0, -999, -100);
    if (code) call.error(static_cast<int>(*code), call.param(0));
  });
  Add(tree, "TEST:THRow", 0, 0, [](Call&) { throw std::runtime_error("thrown"); });
  Add(tree, "*IDN?", 0, 0, Answer);
  Add(tree, "*RST", 0, 0, [](Call&) {});
  return tree;
}

bool IsSpace(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

// Pieces of `text` between `separator`s outside quoted strings of the given quote characters.
std::vector<std::string_view> SplitOutsideQuotes(std::string_view text, char separator,
                                                 std::string_view quotes) {
  std::vector<std::string_view> pieces;
  char open = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (open != 0) {
      if (text[i] == open) open = 0;
    } else if (quotes.find(text[i]) != std::string_view::npos) {
      open = text[i];
    } else if (text[i] == separator) {
      pieces.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

// The message units of a line whose header ends with '?'.
std::size_t QueryUnits(std::string_view line) {
  std::size_t queries = 0;
  for (std::string_view unit : SplitOutsideQuotes(line, ';', "\"'")) {
    while (!unit.empty() && IsSpace(unit.front())) unit.remove_prefix(1);
    std::size_t end = 0;
    while (end < unit.size() && !IsSpace(unit[end])) ++end;
    if (end > 0 && unit[end - 1] == '?') ++queries;
  }
  return queries;
}

void CheckLine(scpi::Connection& connection, std::string_view line, std::size_t limit) {
  FUZZ_CHECK(line.size() <= limit);
  FUZZ_CHECK(line.find('\n') == std::string_view::npos);
  ownAnswers.clear();
  const uint64_t errorsBefore = connection.errors().pushedCount();
  const std::optional<std::string> reply = connection.execute(line);
  FUZZ_CHECK(connection.errors().size() <= scpi::ErrorQueue::kCapacity);
  const bool clean = connection.errors().pushedCount() == errorsBefore;

  std::vector<std::string_view> answers;
  if (reply) {
    FUZZ_CHECK(reply->find_first_of(std::string_view("\n\r\0", 3)) == std::string::npos);
    answers = SplitOutsideQuotes(*reply, ';', "\"");
  }
  const std::size_t queries = QueryUnits(line);
  if (clean) FUZZ_CHECK(answers.size() == queries);
  FUZZ_CHECK(answers.size() <= queries);

  std::vector<std::string_view> own;
  for (std::string_view answer : answers) {
    FUZZ_CHECK(!answer.empty());
    if (answer.front() == 'Q') own.push_back(answer);
  }
  FUZZ_CHECK(own.size() == ownAnswers.size());
  for (std::size_t i = 0; i < own.size(); ++i) FUZZ_CHECK(own[i] == ownAnswers[i]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  static const scpi::CommandTree tree = FuzzTree();
  const std::size_t piece = std::size_t{data[0]} + 1;
  const std::size_t limit = data[1] == 0 ? scpi::LineAssembler::kMaxLine : data[1];
  std::string_view bytes(reinterpret_cast<const char*>(data + 2), size - 2);

  scpi::Connection connection(tree);
  scpi::LineAssembler assembler(limit);
  std::size_t overruns = 0;
  while (!bytes.empty()) {
    const std::string_view part = bytes.substr(0, piece);
    bytes.remove_prefix(part.size());
    assembler.feed(
        part, [&](std::string_view line) { CheckLine(connection, line, limit); },
        [&] {
          ++overruns;
          connection.inputOverrun();
        });
    FUZZ_CHECK(assembler.buffered() <= limit + 1);  // a CR waiting for its LF included
    FUZZ_CHECK(assembler.capacity() <= limit);
  }
  FUZZ_CHECK(connection.errors().size() <= scpi::ErrorQueue::kCapacity);
  return 0;
}
