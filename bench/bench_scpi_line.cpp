// The SCPI engine's cost for a simple write line such as "DAC0:X1A 12345": the bytes of many
// lines through the LineAssembler and Connection::execute into a handler that reads the suffix
// and the code and stores it, against a baseline in the same run: a parser written for exactly
// this one line form, which is the least any parser can cost. The remote-control target is
// 100,000 lines per second end to end (10 us per line, socket and operation included); the
// engine's share must stay well under 1 us of that.
//
// Usage: bench_scpi_line [rounds]   (default 21 rounds of 40,000 lines)

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "bench_report.h"
#include "call.h"
#include "connection.h"
#include "line_assembler.h"
#include "standard_tree.h"

namespace {

constexpr double kTargetNs = 1000.0;
constexpr double kLineBudgetNs = 10'000.0;  // 100,000 lines per second
constexpr int kDefaultRounds = 21;
constexpr int kLinesPerRound = 40'000;
constexpr int kChannels = 40;
constexpr const char* kRegisters[] = {"X1A", "X1B", "C", "M", "X2A", "X2B"};

using Registers = std::array<std::array<int64_t, std::size(kRegisters)>, kChannels>;

// A tree of the program's shape: the standard commands, every register of every channel as a
// setting and a query, and a few other root nodes to look past.
scpi::CommandTree ProgramTree(Registers& registers) {
  scpi::CommandTree tree = scpi::StandardTree();
  for (std::size_t r = 0; r < std::size(kRegisters); ++r) {
    const std::string node = std::string("DAC#:") + kRegisters[r];
    tree.add(node, 1, 1, [&registers, r](scpi::Call& call) {
      const auto dac = call.suffixIn(0, 0, kChannels - 1);
      const auto code = call.code(0, 0, 65535);
      if (dac && code) registers[static_cast<std::size_t>(*dac)][r] = *code;
    });
    tree.add(node + "?", 0, 0, [&registers, r](scpi::Call& call) {
      if (auto dac = call.suffixIn(0, 0, kChannels - 1)) {
        call.reply(std::to_string(registers[static_cast<std::size_t>(*dac)][r]));
      }
    });
  }
  for (const char* other : {"LDAC", "CLR", "RESet", "OFFSet#:DAC", "MONitor:CHANnel", "GPIO:STATe",
                            "REFerence#:VOLTage", "WORD"}) {
    tree.add(other, 0, 1, [](scpi::Call&) {});
  }
  return tree;
}

// kLinesPerRound lines "DAC<n>:<register> <code>\r\n" over all channels and registers.
std::string Lines() {
  std::string text;
  for (int i = 0; i < kLinesPerRound; ++i) {
    text += "DAC" + std::to_string(i % kChannels) + ":" + kRegisters[i % std::size(kRegisters)] +
            " " + std::to_string((i * 7919) % 65536) + "\r\n";
  }
  return text;
}

// The baseline: "DAC<n>:<register> <code>" and nothing else, case-insensitive, no errors kept.
void BaselineLine(std::string_view line, Registers& registers) {
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
  if (line.size() < 5 || upper(line[0]) != 'D' || upper(line[1]) != 'A' || upper(line[2]) != 'C')
    return;
  int dac = 0;
  auto [colon, ec] = std::from_chars(line.data() + 3, line.data() + line.size(), dac);
  if (ec != std::errc{} || colon == line.data() + line.size() || *colon != ':') return;
  const char* name = colon + 1;
  const char* space = name;
  while (space < line.data() + line.size() && *space != ' ') ++space;
  const std::string_view reg(name, static_cast<std::size_t>(space - name));
  int64_t code = 0;
  if (std::from_chars(space + 1, line.data() + line.size(), code).ec != std::errc{}) return;
  for (std::size_t r = 0; r < std::size(kRegisters); ++r) {
    if (reg.size() == std::string_view(kRegisters[r]).size() &&
        std::equal(reg.begin(), reg.end(), kRegisters[r],
                   [&](char a, char b) { return upper(a) == b; })) {
      if (dac >= 0 && dac < kChannels && code >= 0 && code <= 65535)
        registers[static_cast<std::size_t>(dac)][r] = code;
      return;
    }
  }
}

template <typename Feed>
double NsPerLine(Feed feed) {
  const auto start = std::chrono::steady_clock::now();
  feed();
  const auto stop = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::nano>(stop - start).count() / kLinesPerRound;
}

}  // namespace

int main(int argc, char* argv[]) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : kDefaultRounds;
  if (rounds <= 0) {
    std::fprintf(stderr, "usage: %s [rounds]\n", argv[0]);
    return 2;
  }
  const std::string text = Lines();
  Registers engineRegisters{};
  Registers baselineRegisters{};
  const scpi::CommandTree tree = ProgramTree(engineRegisters);
  scpi::Connection connection(tree);
  std::size_t replies = 0;

  auto engine = [&] {
    scpi::LineAssembler assembler;
    // Socket-sized pieces, so lines are split across pieces as they are on the wire.
    for (std::size_t at = 0; at < text.size(); at += 4096) {
      assembler.feed(
          std::string_view(text).substr(at, 4096),
          [&](std::string_view line) { replies += connection.execute(line).has_value(); },
          [&] { connection.inputOverrun(); });
    }
  };
  auto baseline = [&] {
    scpi::LineAssembler assembler;
    for (std::size_t at = 0; at < text.size(); at += 4096) {
      assembler.feed(
          std::string_view(text).substr(at, 4096),
          [&](std::string_view line) { BaselineLine(line, baselineRegisters); }, [] {});
    }
  };

  std::vector<double> engineNs;
  std::vector<double> baselineNs;
  engine();
  baseline();  // warm-up, and both must have stored the same registers
  if (engineRegisters != baselineRegisters || replies != 0 || !connection.errors().empty()) {
    std::fprintf(stderr, "the engine and the baseline disagree, or the engine queued errors\n");
    return 1;
  }
  for (int r = 0; r < rounds; ++r) {
    engineNs.push_back(NsPerLine(engine));
    baselineNs.push_back(NsPerLine(baseline));
  }
  const double median = Median(engineNs);
  const double base = Median(baselineNs);
  std::fprintf(stderr,
               "scpi write line: %d rounds of %d lines; engine median %.0f ns per line (p90 %.0f "
               "ns), baseline parser for this one form %.0f ns, ratio %.2f; %.2f M lines/s\n",
               rounds, kLinesPerRound, median, Percentile(engineNs, 0.9), base, median / base,
               1e3 / median);
  PrintVerdict("SCPI write line through framing, parser and handler: median " + Fixed(median, 0) +
                   " ns against " + Fixed(base, 0) + " ns for a one-form baseline parser, " +
                   Fixed(median / kLineBudgetNs, 3) + " of the 10 us per line budget",
               "<= " + Fixed(kTargetNs, 0) + " ns", median <= kTargetNs);
  return 0;
}
