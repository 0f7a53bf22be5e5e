// A board that stops answering in the middle of a long command line: the first request that runs
// out of time marks it, every request after it fails at once with that reason while each action
// still completes on the register model, and a probe between actions takes the board up again
// when it answers.

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "catalogue.h"
#include "connection.h"
#include "instrument_tree.h"
#include "session.h"
#include "usb_link_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Probes from inside every action, which must never reach the board.
struct ProbeInsideActions : SessionListener {
  explicit ProbeInsideActions(Session& s) : session(s) {}
  void requestDone(const RequestRecord&) override { taken += session.probeSilentBoard() ? 1 : 0; }
  Session& session;
  int taken = 0;
};

class SilentBoard : public UsbLinkTest {
 protected:
  void SetUp() override {
    plug(2);
    session.emplace(link, programFolder(PatternImage(0, 512, 11)));
    session->chooseModel(*FindPart("ZR810"));
    session->start(failed.callback());
    ASSERT_TRUE(failed.texts.empty());
    bus.setChipModel(0, *FindPart("ZR810"));
    tree.emplace(InstrumentTree(*session));
    client.emplace(*tree);
  }

  std::string error() { return client->execute("SYST:ERR?").value_or(""); }

  // The request timeout as the program runs with it.
  UsbDriver usb{kTestIds};
  BoardLink link{usb};
  std::optional<Session> session;
  FailedLoads failed;
  std::optional<scpi::CommandTree> tree;
  std::optional<scpi::Connection> client;
};

TEST_F(SilentBoard, LineCompletesQuicklyLaterCommandsFailAtOnceAndTheBoardIsTakenUpAgain) {
  ProbeInsideActions inside(*session);
  session->addListener(inside);
  std::string line;
  for (int n = 0; n < 300; ++n) line += (n == 0 ? "" : ";:") + ("DAC0:X1A " + std::to_string(n));
  bus.stopAnsweringAfter(0, 100);

  const auto start = Clock::now();
  client->execute(line);
  const auto took = Clock::now() - start;

  EXPECT_LT(took, 3s);
  EXPECT_TRUE(session->boardSilent());
  EXPECT_EQ(inside.taken, 0);
  EXPECT_EQ(client->execute("DAC0:X1A?"), "299");  // the model completed every action
  EXPECT_EQ(bus.chip(0).inputA[0], 99);            // the board took the first 100 words
  EXPECT_EQ(error(),
            "-200,\"Execution error;request DD (word C80064) failed: no answer within 1 s\"");
  const std::string second = error();
  EXPECT_EQ(
      second.rfind(
          "-200,\"Execution error;request DD (word C80065) failed: board not answering since ", 0),
      0u)
      << second;
  client->execute("*CLS");

  for (const char* command : {"DAC1:X1A 5", "LDAC", "OFFS0 100"}) {
    const auto at = Clock::now();
    client->execute(command);
    EXPECT_LT(Clock::now() - at, 100ms) << command;
    const std::string reason = error();
    EXPECT_NE(reason.find("failed: board not answering since "), std::string::npos) << reason;
  }

  // Between actions, at most once a second, the probe looks; the board answers again.
  session->removeListener(inside);
  EXPECT_FALSE(session->probeSilentBoard());  // still silent
  bus.answerAgain(0);
  EXPECT_FALSE(session->probeSilentBoard());  // too soon after the last look
  {
    const GateClosed underWay(&session->gate());
    std::this_thread::sleep_for(Session::kProbeInterval);
    EXPECT_FALSE(session->probeSilentBoard());  // an action of the window is under way
  }
  EXPECT_TRUE(session->probeSilentBoard());
  EXPECT_FALSE(session->boardSilent());
  client->execute("DAC1:X1A 6");
  EXPECT_EQ(error(), "0,\"No error\"");
  EXPECT_EQ(bus.chip(0).inputA[1], 6);
}

}  // namespace
