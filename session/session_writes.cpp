// The channel registers, their corrected codes, the two A/B choices and the DAC registers.

#include <string>

#include "command_word.h"
#include "entry_code.h"
#include "hex_text.h"
#include "session.h"
#include "voltage_code.h"

Refused Session::checkChannelCode(int64_t code) const {
  const int64_t largest = (int64_t{1} << chip_.PartBits) - 1;
  const std::string range =
      OutsideRange(code, 0, largest, std::to_string(chip_.PartBits) + "-bit model");
  const CheckVerdict verdict = CheckCode(code, kChannelCodeBits);
  if (verdict.refused())
    return Refusal{Refusal::Kind::OutOfRange, verdict.text, verdict.title, range};
  if (code > largest) {
    return Refusal{Refusal::Kind::OutOfRange,
                   "The selected value is larger than\rthe number of bits allows", "", range};
  }
  return std::nullopt;
}

// Each write remembers the record and register it stored into: the yields let other handlers of
// the window run, and one of them may pick another channel, switch A/B or reset the chip before
// the word goes out. The word carries what that register holds when it is sent, so that the chip
// and the record agree whatever ran in between.
Refused Session::writeRegister(int dac, ChannelRegister reg, int64_t code, const Yield& yield) {
  const ActionScope action(*this, actions::WriteRegister{.dac = dac, .reg = reg, .code = code});
  if (Refused refused = checkChannelCode(code)) return action.outcome(refused);
  if (Refused refused = checkLimits([&] { storeRegister(dac, reg, static_cast<int32_t>(code)); })) {
    return action.outcome(refused);
  }
  return action.outcome(storeAndSend(dac, reg, code, yield));
}

bool Session::storeRegister(int dac, ChannelRegister reg, int32_t code) {
  DAC& record = chip_.DACs.at(static_cast<size_t>(dac));
  StoreRegister(record, reg, code);
  notify([&](SessionListener& l) { l.registerStored(dac, reg); });
  const RecomputedInput recomputes = RegisterRow(reg).recomputes;
  const bool registerB =
      recomputes == RecomputedInput::Route ? XRegisterB_ : recomputes == RecomputedInput::B;
  updateX2(dac, registerB);
  return registerB;
}

Refused Session::storeAndSend(int dac, ChannelRegister reg, int64_t code, const Yield& yield) {
  if (Refused refused = checkChannelCode(code)) return refused;
  const bool registerB = storeRegister(dac, reg, static_cast<int32_t>(code));
  const ChannelRegisterRow& row = RegisterRow(reg);
  for (int n = 0; yield && n < row.yields; ++n) yield();
  const int32_t sent = RegisterValue(chip_.DACs.at(static_cast<size_t>(dac)), reg);
  sendRouted(ChannelRegisterWord(row.mode, sent, static_cast<int16_t>(dac), chip_.PartBits),
             registerB);
  return std::nullopt;
}

Refused Session::writeInput(int dac, int64_t code, const Yield& yield) {
  return writeRegister(dac, XRegisterB_ ? ChannelRegister::X1B : ChannelRegister::X1A, code, yield);
}

// The chip's control register names the input register that an X word reaches and whose X2 an
// X, M or C word recomputes. A word for another register than the present route (X1B written
// remotely, or a route switched while the write yielded) routes the control register there first
// and restores the present route afterwards.
void Session::sendRouted(int32_t word, bool registerB) {
  const bool routedToB = XRegisterB_;
  if (routedToB != registerB) SPIout(ControlRegisterWord(registerB));
  SPIout(word);
  if (routedToB != registerB) SPIout(ControlRegisterWord(routedToB));
}

void Session::updateX2(int dac, bool registerB) {
  DAC& record = chip_.DACs.at(static_cast<size_t>(dac));
  const int32_t input = registerB ? record.X1B() : record.X1A();
  const auto x2 = CorrectedCode(input, record.M(), record.C(), chip_.PartBits);
  if (!x2) return;
  (registerB ? record.X2B : record.X2A) = *x2;
  notify([&](SessionListener& l) { l.correctedCodeChanged(dac, registerB); });
  if (ldacLow_) loadDacRegister(dac);
}

void Session::loadDacRegister(int dac) {
  DAC& record = chip_.DACs.at(static_cast<size_t>(dac));
  record.DACreg = record.ABsel() != 0 ? record.X2B : record.X2A;
  notify([dac](SessionListener& l) { l.dacRegisterLoaded(dac); });
}

// The chip's LDAC loads every channel's DAC register at once, each from the X2 its A/B select
// names.
void Session::loadAllDacRegisters() {
  for (int dac = 0; dac < kChannelCount; ++dac) loadDacRegister(dac);
}

Refused Session::chooseDacSource(int dac, bool fromX2B) {
  const ActionScope action(*this, actions::ChooseDacSource{.dac = dac, .fromX2B = fromX2B});
  const auto choose = [this, dac, fromX2B] {
    chip_.DACs.at(static_cast<size_t>(dac)).setABsel(fromX2B ? 1 : 0);
    notify([dac](SessionListener& l) { l.dacSourceChanged(dac); });
    if (ldacLow_) loadDacRegister(dac);
  };
  if (Refused refused = checkLimits(choose)) return action.outcome(refused);
  choose();
  // One word carries the choices of the whole group.
  SPIout(ABSelectWord(chip_, static_cast<int16_t>(dac)));
  return std::nullopt;
}

void Session::chooseInputRegister(bool registerB) {
  const ActionScope action(*this, actions::ChooseInputRegister{.registerB = registerB});
  XRegisterB_ = registerB;
  notify([](SessionListener& l) { l.inputRegisterChanged(); });
  SPIout(ControlRegisterWord(registerB));
}

Refused Session::pulseLdac() {
  const ActionScope action(*this, actions::PulseLdac{});
  if (Refused refused = checkLimits([this] { loadAllDacRegisters(); }))
    return action.outcome(refused);
  loadAllDacRegisters();
  request(Request::LdacPulse);
  return std::nullopt;
}

Session::VoltagePreview Session::previewVoltage(int dac, double volts) const {
  const VoltageSolution solution =
      CodeForVoltage(chip_, static_cast<int16_t>(dac), references_, volts);
  if (!solution.found)
    return {std::nullopt, Refusal{Refusal::Kind::OutOfRange, solution.miss.reason, ""}};
  const bool fromB = chip_.DACs.at(static_cast<size_t>(dac)).ABsel() != 0;
  return {VoltageWrite{fromB ? ChannelRegister::X1B : ChannelRegister::X1A, solution.found->code,
                       solution.found->volts},
          std::nullopt};
}

Refused Session::writeVoltage(int dac, double volts) {
  const ActionScope action(*this, actions::WriteVoltage{.dac = dac, .volts = volts});
  const VoltagePreview preview = previewVoltage(dac, volts);
  if (!preview.write) return action.outcome(preview.refused);
  const VoltageWrite& write = *preview.write;
  if (Refused refused = checkLimits([&] { storeRegister(dac, write.reg, write.code); }))
    return action.outcome(refused);
  return action.outcome(storeAndSend(dac, write.reg, write.code, {}));
}
