// Remote commands between the operator's actions, through the program's own command tree on the
// window's session: the words they send are followed like the window's, and the window's
// displays must show what they changed.

#include <array>
#include <string>

#include "channel_number.h"
#include "part_facts.h"
#include "session_operator.h"
#include "session_text.h"

namespace session {

namespace {

std::string Code(std::mt19937& rng, int bits) {
  // Mostly codes the register takes; sometimes one it refuses.
  const int limit = std::uniform_int_distribution<int>(0, 9)(rng) == 0 ? 0x20000 : 1 << bits;
  return std::to_string(std::uniform_int_distribution<int>(0, limit - 1)(rng));
}

}  // namespace

Outcome SessionOperator::remoteCommand() {
  const int dac = channels_.at(static_cast<size_t>(pick(static_cast<int>(channels_.size()))));
  const std::string channel =
      "DAC" + std::to_string(ChannelOfRecord(w_.session().chip().part(), dac)) + ":";
  const int bits = w_.session().chip().PartBits;
  const DAC& record = w_.session().chip().DACs.at(static_cast<size_t>(dac));
  Outcome outcome;
  outcome.wordsFromBoard = true;
  std::string line;
  switch (pick(10)) {
    case 0:
      line = channel + "X1A " + Code(rng_, bits);
      break;
    case 1:
      line = channel + "X1B " + Code(rng_, bits);
      outcome.inputRegisterB = true;
      break;
    case 2:
      line = channel + (chance(50) ? "M " : "C ") + Code(rng_, bits);
      outcome.inputRegisterB = w_.session().inputRegisterB();
      break;
    case 3:
      line = channel + (chance(50) ? "ABS A" : "ABS B");
      break;
    case 4: {
      static constexpr std::array<const char*, 3> kLdac = {"LDAC", "CONT:LDAC LOW",
                                                           "CONT:LDAC HIGH"};
      static constexpr std::array<int, 3> kRequests = {kRequestLdacPulse, kRequestLdacLow,
                                                       kRequestLdacHigh};
      const int k = pick(3);
      line = kLdac.at(static_cast<size_t>(k));
      outcome.lines = {kRequests.at(static_cast<size_t>(k))};
      break;
    }
    case 5:
      line = channel + "VOLT " + std::to_string(pick(25) - 12) + ".25";
      outcome.inputRegisterB = record.ABsel() != 0;
      break;
    case 6:
      line = "OFFS" +
             std::to_string(
                 offsetRows_.at(static_cast<size_t>(pick(static_cast<int>(offsetRows_.size()))))) +
             " " + Code(rng_, 14);
      break;
    case 8: {
      // The direct load: special-function words, any word, now and then one beyond 24 bits.
      const int kind = pick(10);
      const int word = kind == 0  ? 0x1000000 + pick(0x1000)
                       : kind < 5 ? (pick(16) << 16) | pick(0x10000)
                                  : pick(0x1000000);
      line = "WORD " + std::to_string(word);
      outcome.inputRegisterB = w_.session().inputRegisterB();
      break;
    }
    case 7:
      if (chance(80)) return remoteCommand();  // a reset now and then, not every tenth time
      line = "*RST";
      outcome.lines = {kRequestResetLow, kRequestResetHigh};
      break;
    default: {
      line = channel + "X1A?;X1B?;M?;C?;X2A?;X2B?;REG?;ABS?";
      const std::string expected =
          std::to_string(record.X1A()) + ";" + std::to_string(record.X1B()) + ";" +
          std::to_string(record.M()) + ";" + std::to_string(record.C()) + ";" +
          std::to_string(record.X2A) + ";" + std::to_string(record.X2B) + ";" +
          std::to_string(record.DACregValue()) + ";" + (record.ABsel() != 0 ? "B" : "A");
      const std::string reply = client_->execute(line).value_or("");
      outcome.description = QStringLiteral("remote %1").arg(QString::fromStdString(line));
      if (reply != expected)
        outcome.failure = QStringLiteral("remote queries answered %1, the record holds %2")
                              .arg(QString::fromStdString(reply), QString::fromStdString(expected));
      return outcome;
    }
  }
  client_->execute(line);
  client_->execute("*CLS");  // refusals are the client's business; its queue never fills
  outcome.description = QStringLiteral("remote %1").arg(QString::fromStdString(line));
  if (line == "*RST") {
    shadow_.powerOn();
    resetLineLow_ = false;
    outcome.failure = resetStateDisagreement();
  }
  return outcome;
}

}  // namespace session
