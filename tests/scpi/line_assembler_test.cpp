// Input framing: LF and CR LF, lines split over pieces and several in one piece, and the line
// limit with its single overrun event and bounded memory.

#include "line_assembler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What a feed produced: lines, and "<overrun>" where an overrun event came.
struct Events {
  std::vector<std::string> events;
  std::size_t maxBuffered = 0;
};

Events Feed(scpi::LineAssembler& assembler, const std::vector<std::string>& pieces) {
  Events out;
  for (const std::string& piece : pieces) {
    assembler.feed(
        piece, [&](std::string_view line) { out.events.emplace_back(line); },
        [&] { out.events.emplace_back("<overrun>"); });
    out.maxBuffered = std::max(out.maxBuffered, assembler.buffered());
  }
  return out;
}

struct FramingCase {
  std::vector<std::string> pieces;
  std::vector<std::string> events;
};

TEST(LineAssembler, Framing) {
  using namespace std::string_literals;
  const FramingCase cases[] = {
      {{"A\n"}, {"A"}},
      {{"A\r\n"}, {"A"}},
      {{"A\r", "\nB\n"}, {"A", "B"}},
      {{"A", "B\n"}, {"AB"}},
      {{"A\rB\n"}, {"A\rB"}},
      {{"A\r", "B\n"}, {"A\rB"}},
      {{"A\r\r\n"}, {"A\r"}},
      {{"A\r", "\r", "\n"}, {"A\r"}},
      {{"\n"}, {""}},
      {{"\r\n"}, {""}},
      {{"A\n\nB\r\nC"}, {"A", "", "B"}},
      {{"A"}, {}},
      {{"A\0B\n"s}, {"A\0B"s}},
  };
  for (const FramingCase& c : cases) {
    scpi::LineAssembler assembler;
    EXPECT_EQ(Feed(assembler, c.pieces).events, c.events) << testing::PrintToString(c.pieces);
  }
}

TEST(LineAssembler, AnySplitGivesTheSameLines) {
  const std::string text = "*IDN?\r\nDAC0:X1A 12345;X1B 7\n\n\rSYST:ERR?\r\nLAST\r\n";
  scpi::LineAssembler whole;
  const std::vector<std::string> expected = Feed(whole, {text}).events;
  ASSERT_EQ(expected.size(), 5u);
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    for (std::size_t cut2 = cut; cut2 <= text.size(); cut2 += 3) {
      scpi::LineAssembler assembler;
      const std::vector<std::string> pieces = {text.substr(0, cut), text.substr(cut, cut2 - cut),
                                               text.substr(cut2)};
      EXPECT_EQ(Feed(assembler, pieces).events, expected) << cut << " " << cut2;
    }
  }
  std::vector<std::string> bytes;
  for (char c : text) bytes.emplace_back(1, c);
  scpi::LineAssembler assembler;
  EXPECT_EQ(Feed(assembler, bytes).events, expected);
}

// The limit's edges, with a limit of 4 bytes to keep the table readable.
TEST(LineAssembler, LimitEdges) {
  const FramingCase cases[] = {
      {{"ABCD\n"}, {"ABCD"}},
      {{"ABCD\r\n"}, {"ABCD"}},
      {{"AB", "CD\r", "\n"}, {"ABCD"}},
      {{"ABCDE\nOK\n"}, {"<overrun>", "OK"}},
      {{"ABC", "DE", "FGH", "\nOK\n"}, {"<overrun>", "OK"}},
      {{"ABCD\r", "X\nOK\n"}, {"<overrun>", "OK"}},
      {{"ABCDEFGHIJ"}, {"<overrun>"}},
      {{"ABCDEFGHIJ", "KLMN", "\r\n", "OK\n"}, {"<overrun>", "OK"}},
      {{"ABCDEFGHIJ\nABCDEFGHIJ\n"}, {"<overrun>", "<overrun>"}},
  };
  for (const FramingCase& c : cases) {
    scpi::LineAssembler assembler(4);
    const Events events = Feed(assembler, c.pieces);
    EXPECT_EQ(events.events, c.events) << testing::PrintToString(c.pieces);
    EXPECT_LE(events.maxBuffered, 5u) << testing::PrintToString(c.pieces);
  }
}

TEST(LineAssembler, SixtyFourKibibyteLineIsKept) {
  const std::string line(scpi::LineAssembler::kMaxLine, 'x');
  for (const char* end : {"\n", "\r\n"}) {
    scpi::LineAssembler assembler;
    const Events events = Feed(assembler, {line.substr(0, 1000), line.substr(1000) + end});
    ASSERT_EQ(events.events.size(), 1u);
    EXPECT_EQ(events.events[0], line);
  }
}

// A line of 16 MiB in socket-sized pieces: one overrun, nothing held past the limit, and the
// next line arrives intact.
TEST(LineAssembler, HugeLineGivesOneOverrunAndBoundedMemory) {
  scpi::LineAssembler assembler;
  const std::string piece(4096, 'y');
  Events events;
  for (int i = 0; i < 4096; ++i) {
    const Events more = Feed(assembler, {piece});
    events.events.insert(events.events.end(), more.events.begin(), more.events.end());
    events.maxBuffered = std::max(events.maxBuffered, more.maxBuffered);
    ASSERT_LE(assembler.capacity(), scpi::LineAssembler::kMaxLine);
  }
  const Events last = Feed(assembler, {"tail\r\n*IDN?\r\n"});
  EXPECT_EQ(events.events, std::vector<std::string>{"<overrun>"});
  EXPECT_LE(events.maxBuffered, scpi::LineAssembler::kMaxLine);
  EXPECT_EQ(last.events, std::vector<std::string>{"*IDN?"});

  // The same in one piece (the path that does not copy).
  scpi::LineAssembler whole;
  const Events one = Feed(whole, {std::string(1 << 20, 'z') + "\n*IDN?\n"});
  EXPECT_EQ(one.events, (std::vector<std::string>{"<overrun>", "*IDN?"}));
  EXPECT_EQ(whole.capacity() <= scpi::LineAssembler::kMaxLine, true);
}

// The end of the input hands out a partial line as if its LF had come, but not a line being
// discarded; the assembler is empty afterwards.
TEST(LineAssembler, EndOfInputFinishesTheLastLine) {
  struct Case {
    std::vector<std::string> pieces;
    std::vector<std::string> finished;
  };
  const Case cases[] = {
      {{"A\nLAST 1"}, {"LAST 1"}},
      {{"LAST", " 1\r"}, {"LAST 1"}},
      {{"A\n"}, {}},
      {{std::string(70000, 'z')}, {}},
      {{"\r"}, {""}},
  };
  for (const Case& c : cases) {
    scpi::LineAssembler assembler;
    (void)Feed(assembler, c.pieces);
    std::vector<std::string> finished;
    assembler.finish([&](std::string_view line) { finished.emplace_back(line); });
    EXPECT_EQ(finished, c.finished) << c.pieces.front().substr(0, 10);
    EXPECT_EQ(assembler.buffered(), 0u);
    const Events next = Feed(assembler, {"NEXT\n"});
    EXPECT_EQ(next.events, std::vector<std::string>{"NEXT"});
  }
}

}  // namespace
