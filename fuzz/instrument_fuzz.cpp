// Arbitrary lines from a remote client through the program's own command tree, on a session over
// the simulated board. Input: one byte choosing the chip model, then the bytes a client sends.
//
// Properties, besides no crash or undefined behaviour:
// - a reply is one line, and only a line with a '?' in it gives one;
// - the error queue never holds more than its capacity;
// - only well-formed writes reach the board: a line of one command that queued an error sent
//   nothing at all, and every word that reaches the board is one of the program's command words
//   for the model (channel words for channels it has, with codes of its resolution), unless the
//   line used the direct 24-bit load, which takes any 24-bit word;
// - the simulated chip and the register model agree after every line, until a direct load or a
//   RESET held low and released (which reset or write the chip past the model, as the window's
//   own buttons do).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue.h"
#include "chip_agreement.h"
#include "connection.h"
#include "fresh_session.h"
#include "fuzz_check.h"
#include "instrument_tree.h"
#include "line_assembler.h"
#include "request_codes.h"

namespace {

// Whether `word` is one the program builds itself (anything but the direct load).
bool IsProgramWord(int32_t word, const PartInfo& part) {
  const int mode = (word >> 22) & 0x3;
  const int address = (word >> 16) & 0x3F;
  const int data = word & 0xFFFF;
  if (mode != 0) {
    const int record = address - 8;
    if (record < 0 || record >= kChannelCount || !ChannelUsed(part, record)) return false;
    return part.bits == 16 || (data & 0x3) == 0;
  }
  switch (address) {
    case 1:
      return data == 0 || data == 4;  // the input register route
    case 2:
    case 3:
    case 4:
      return data <= 0x3FFF;  // offset DACs
    case 5:
      return data == 0x8580;  // the GPIO readback
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
      return data <= 0xFF;  // A/B selects
    case 12:
      return data <= 0x3F && part.monitorEntries > 0;
    case 13:
      return (data == 0 || data == 2 || data == 3) && part.monitorEntries > 0;
    default:
      return false;
  }
}

bool Mentions(std::string_view line, std::string_view what) {
  for (std::size_t i = 0; i + what.size() <= line.size(); ++i) {
    bool same = true;
    for (std::size_t k = 0; k < what.size() && same; ++k) {
      same = (line[i + k] & ~0x20) == (what[k] & ~0x20);
    }
    if (same) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  static FreshSession bench;
  const PartInfo& part = PartCatalogue()[data[0] % kPartCount];
  Session& session = bench.start(part);
  SimulatedBoard& board = *bench.board;
  static const scpi::CommandTree tree = InstrumentTree(session);
  scpi::Connection client(tree);
  scpi::LineAssembler lines;
  bool modelFollowsChip = true;

  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  lines.feed(
      bytes,
      [&](std::string_view line) {
        board.clearRequests();
        const std::size_t errorsBefore = client.errors().size();
        const std::optional<std::string> reply = client.execute(line);
        if (reply) {
          FUZZ_CHECK(reply->find('\n') == std::string::npos);
          FUZZ_CHECK(line.find('?') != std::string_view::npos);
        }
        FUZZ_CHECK(client.errors().size() <= scpi::ErrorQueue::kCapacity);
        const bool directLoad = Mentions(line, "WORD");
        const bool oneCommand = line.find(';') == std::string_view::npos;
        if (oneCommand && client.errors().size() > errorsBefore) {
          FUZZ_CHECK(board.requests().empty());
        }
        for (const auto& request : board.requests()) {
          if (request.code != static_cast<uint8_t>(Request::Spi) || request.direction != 0)
            continue;
          const int32_t word = (request.index << 16) | request.value;
          FUZZ_CHECK(word >= 0 && word <= 0xFFFFFF);
          if (!directLoad) FUZZ_CHECK(IsProgramWord(word, part));
        }
        // The model follows direct loads as the chip does; RESET held low and released with the
        // control lines puts the chip back alone.
        if (Mentions(line, "RES")) modelFollowsChip = false;
        if (modelFollowsChip) FUZZ_CHECK(ChipDisagreement(board.chip(), session).empty());
      },
      [&] { client.inputOverrun(); });
  return 0;
}
