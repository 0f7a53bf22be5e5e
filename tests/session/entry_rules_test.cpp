// The rules the window asks the session for before it acts: the codes typed into its entry boxes,
// the preview of a voltage write, and the start-up order.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "case_name.h"
#include "entry_code.h"
#include "session_bench.h"
#include "session_listener.h"

namespace {

using EntryReader = EntryCode (*)(std::string_view);

struct EntryCase {
  const char* name;
  EntryReader read;
  const char* text;
  int32_t code;       // when accepted
  const char* words;  // the refusal's text, nullptr when accepted
  const char* title;
};

class EntryText : public testing::TestWithParam<EntryCase> {};

TEST_P(EntryText, GivesTheCodeOrTheWindowsRefusal) {
  const EntryCase& c = GetParam();
  const EntryCode entry = c.read(c.text);
  if (c.words == nullptr) {
    ASSERT_FALSE(entry.refused) << entry.refused->text;
    EXPECT_EQ(entry.code, c.code);
    return;
  }
  ASSERT_TRUE(entry.refused);
  EXPECT_EQ(entry.refused->text, c.words);
  EXPECT_EQ(entry.refused->title, c.title);
}

constexpr const char* kInvalid = "Invalid Number";
constexpr const char* kTooWide16 = "Number exceeds the bit length (16)";
constexpr const char* kTooWide14 = "Number exceeds the bit length (14)";
constexpr const char* kTooWide24 = "Number exceeds the bit length (24)";

INSTANTIATE_TEST_SUITE_P(
    Entries, EntryText,
    testing::Values(
        EntryCase{"ChannelLargest", ChannelCodeOfText, "FFFF", 0xFFFF, nullptr, nullptr},
        EntryCase{"ChannelLowerCase", ChannelCodeOfText, "abc", 0xABC, nullptr, nullptr},
        EntryCase{"ChannelLeadingZeros", ChannelCodeOfText, "0000FFFF", 0xFFFF, nullptr, nullptr},
        EntryCase{"ChannelSeventeenBits", ChannelCodeOfText, "10000", 0, kTooWide16,
                  "Invalid Text"},
        EntryCase{"ChannelNegativePattern", ChannelCodeOfText, "FFFFFFFF", 0, kTooWide16,
                  "Invalid Text"},
        EntryCase{"ChannelEmpty", ChannelCodeOfText, "", 0, kInvalid, kInvalid},
        EntryCase{"ChannelNotHex", ChannelCodeOfText, "12G4", 0, kInvalid, kInvalid},
        EntryCase{"ChannelSpace", ChannelCodeOfText, " 12", 0, kInvalid, kInvalid},
        EntryCase{"ChannelNineDigits", ChannelCodeOfText, "000000001", 0, kInvalid, kInvalid},
        EntryCase{"OffsetLargest", OffsetCodeOfText, "3FFF", 0x3FFF, nullptr, nullptr},
        EntryCase{"OffsetFifteenBits", OffsetCodeOfText, "4000", 0, kTooWide14, "Invalid Text"},
        EntryCase{"OffsetNotHex", OffsetCodeOfText, "-1", 0, kInvalid, kInvalid},
        EntryCase{"WordLargest", WordOfText, "FFFFFF", 0xFFFFFF, nullptr, nullptr},
        EntryCase{"WordZero", WordOfText, "0", 0, nullptr, nullptr},
        EntryCase{"WordTwentyFiveBits", WordOfText, "1000000", 0, kTooWide24, "Invalid Text"},
        EntryCase{"WordEmpty", WordOfText, "", 0, kInvalid, kInvalid}),
    CaseName());

// A code typed and the same code arriving as a number are refused in the same words.
TEST(EntryText, RefusesInTheWordsOfTheSessionsOwnCheck) {
  SessionBench bench;
  const struct {
    const char* text;
    std::function<Refused(Session&, int64_t)> write;
  } rows[] = {
      {"10000", [](Session& s, int64_t c) { return s.writeRegister(0, ChannelRegister::M, c); }},
      {"4000", [](Session& s, int64_t c) { return s.writeOffsetDac(0, c); }},
      {"1000000", [](Session& s, int64_t c) { return s.directLoad(c); }},
  };
  const EntryReader reads[] = {ChannelCodeOfText, OffsetCodeOfText, WordOfText};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const EntryCode typed = reads[i](rows[i].text);
    const Refused given = rows[i].write(bench.session, std::stoll(rows[i].text, nullptr, 16));
    ASSERT_TRUE(typed.refused && given) << rows[i].text;
    EXPECT_EQ(typed.refused->text, given->text) << rows[i].text;
    EXPECT_EQ(typed.refused->title, given->title) << rows[i].text;
  }
  EXPECT_TRUE(bench.words().empty());
}

// The start-up order, as the window and headless runs both take it: defaults, power-on records,
// the caller's step, then the connection sequence with its start request, named "start-up".
TEST(SessionStart, DefaultsRecordsThenTheCallersStepThenTheConnection) {
  SimulatedBoard board;
  BoardLink link{board};
  Session session{link, "/nonexistent"};
  struct Steps : SessionListener {
    std::vector<std::string> seen;
    void defaultsApplied() override { seen.push_back("defaults"); }
    void actionStarted(const OperatorAction& action) override {
      seen.push_back("action by " + action.origin);
    }
    void requestDone(const RequestRecord& r) override {
      seen.push_back("request " + std::to_string(r.code));
    }
    void linkChanged() override { seen.push_back("link"); }
  } steps;
  session.addListener(steps);
  session.chooseModel(*FindPart("ZR820"));
  // Left from before: the defaults and the reset put them back.
  StoreRegister(session.chipModel().DACs[7], ChannelRegister::X1A, 0x1234);
  session.chipModel().OffsetDAC(1) = 0x0222;
  std::vector<std::string> failedLoads;
  session.start([&](const std::string& text, const std::string&) { failedLoads.push_back(text); },
                [&] {
                  steps.seen.push_back("caller");
                  EXPECT_EQ(session.chip().DACs[7].X1A(), 0x5554);
                  EXPECT_TRUE(board.requests().empty());
                });
  EXPECT_EQ(steps.seen, (std::vector<std::string>{"defaults", "caller", "action by start-up",
                                                  "request 224", "link"}));
  EXPECT_TRUE(failedLoads.empty());
  EXPECT_TRUE(session.boardLoaded());
  EXPECT_EQ(session.chip().OffsetDAC(1), 0x1555);
  EXPECT_EQ(session.origin(), "");
}

// The preview is what the write then does: the feeding input register, its code and output, or
// the write's own refusal.
TEST(VoltagePreview, ShowsWhatTheWriteThenDoes) {
  const struct {
    int dac;
    bool fromB;
    double volts;
  } rows[] = {{3, false, 2.5},   {3, true, 2.5},   {0, false, -10.0},
              {5, true, 0.0001}, {2, false, 99.0}, {1, true, -99.0}};
  for (const auto& row : rows) {
    SessionBench bench;
    bench.session.chooseDacSource(row.dac, row.fromB);
    const Session::VoltagePreview preview = bench.session.previewVoltage(row.dac, row.volts);
    bench.board.clearRequests();
    const Refused written = bench.session.writeVoltage(row.dac, row.volts);
    const std::string where = std::to_string(row.dac) + " at " + std::to_string(row.volts);
    if (!preview.write) {
      ASSERT_TRUE(written && preview.refused) << where;
      EXPECT_EQ(preview.refused->text, written->text) << where;
      EXPECT_TRUE(bench.words().empty()) << where;
      continue;
    }
    ASSERT_FALSE(written) << where;
    EXPECT_EQ(preview.write->reg, row.fromB ? ChannelRegister::X1B : ChannelRegister::X1A);
    const DAC& record = bench.record(row.dac);
    EXPECT_EQ(row.fromB ? record.X1B() : record.X1A(), preview.write->code) << where;
    EXPECT_NEAR(preview.write->volts, row.volts, 10.0 / 32768) << where;
  }
}

}  // namespace
