// Frames: several channels' input registers written, then one LDAC pulse, so that every listed
// output changes at once.

#include <set>
#include <string>

#include "channel_number.h"
#include "session.h"
#include "voltage_code.h"

namespace {

std::string ChannelName(const ChipModel& chip, int dac) {
  return "channel " + std::to_string(ChannelOfRecord(chip.part(), dac));
}

// The input register that feeds the channel's DAC register at LDAC.
ChannelRegister FeedingRegister(const ChipModel& chip, int dac) {
  return chip.DACs.at(static_cast<size_t>(dac)).ABsel() != 0 ? ChannelRegister::X1B
                                                             : ChannelRegister::X1A;
}

// The frame as its action records it.
actions::Frame FrameAction(const Session::FrameCodes& frame) {
  actions::Frame action;
  for (const auto& [dac, code] : frame) action.codes.emplace_back(dac, static_cast<int32_t>(code));
  return action;
}

}  // namespace

Refused Session::frameCodes(const FrameVolts& volts, FrameCodes& codes) const {
  codes.clear();
  for (const auto& [dac, target] : volts) {
    const VoltageSolution solution =
        CodeForVoltage(chip_, static_cast<int16_t>(dac), references_, target);
    if (!solution.found) {
      return Refusal{Refusal::Kind::OutOfRange,
                     ChannelName(chip_, dac) + ": " + solution.miss.reason, ""};
    }
    codes.emplace_back(dac, solution.found->code);
  }
  return std::nullopt;
}

Refused Session::checkFrame(const FrameCodes& frame) {
  std::set<int> seen;
  for (const auto& [dac, code] : frame) {
    const std::string name = ChannelName(chip_, dac);
    if (ChannelOfRecord(chip_.part(), dac) < 0)
      return Refusal{Refusal::Kind::Conflict, "the model has no such channel", ""};
    if (!seen.insert(dac).second)
      return Refusal{Refusal::Kind::OutOfRange, name + " is listed twice in the frame", ""};
    if (Refused refused = checkChannelCode(code)) {
      refused->text = name + ": " + refused->text;
      if (!refused->range.empty()) refused->range = name + ": " + refused->range;
      return refused;
    }
  }
  return checkLimits([this, &frame] {
    for (const auto& [dac, code] : frame)
      storeRegister(dac, FeedingRegister(chip_, dac), static_cast<int32_t>(code));
    loadAllDacRegisters();
  });
}

void Session::sendFrameWords(const FrameCodes& frame, bool eachAnAction) {
  for (const auto& [dac, code] : frame) {
    const ChannelRegister reg = FeedingRegister(chip_, dac);
    if (!eachAnAction) {
      (void)storeAndSend(dac, reg, code, {});
      continue;
    }
    const ActionScope action(*this, actions::WriteRegister{.dac = dac, .reg = reg, .code = code});
    (void)storeAndSend(dac, reg, code, {});
  }
}

void Session::playFrame(const FrameCodes& frame) {
  const ActionScope action(*this, FrameAction(frame));
  sendFrameWords(frame, false);
  loadAllDacRegisters();
  request(Request::LdacPulse);
}

Refused Session::writeFrame(const FrameCodes& frame) {
  const ActionScope action(*this, FrameAction(frame));
  if (Refused refused = checkFrame(frame)) return action.outcome(refused);
  sendFrameWords(frame, false);
  loadAllDacRegisters();
  request(Request::LdacPulse);
  return std::nullopt;
}

Refused Session::writeFrameVolts(const FrameVolts& frame) {
  FrameCodes codes;
  if (Refused refused = frameCodes(frame, codes)) {
    const ActionScope action(*this, actions::Frame{});
    return action.outcome(refused);
  }
  return writeFrame(codes);
}
