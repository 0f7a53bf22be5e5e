// Reading the chip's registers back, the verification of the whole chip against the register
// model, and taking the chip's values into the model.

#include <set>

#include "channel_number.h"
#include "command_word.h"
#include "request_failure.h"
#include "session.h"

ReadbackResult Session::readRegister(ReadbackItem item, int dac) {
  const ActionScope action(
      *this, actions::ReadRegister{.item = item, .dac = IsChannelItem(item) ? dac : -1});
  return readBack(item, dac);
}

ReadbackResult Session::readBack(ReadbackItem item, int dac) {
  const PartInfo* part = chip_.part();
  if (part == nullptr) return {std::nullopt, "no chip model is chosen"};
  if (IsChannelItem(item) && (dac < 0 || dac >= kChannelCount || !ChannelUsed(*part, dac))) {
    return {std::nullopt, "the model has no channel record " + std::to_string(dac)};
  }
  const std::optional<int32_t> code =
      readBackCode(item, ReadbackSelectWord(ReadbackSelectData(item, dac)));
  if (!code) return {std::nullopt, RequestFailureText(link_.driver(), lastFailure_)};
  return {code, {}};
}

// The select word and the readback, as the code the register holds; nothing when either request
// failed (lastFailure_ says why).
std::optional<int32_t> Session::readBackCode(ReadbackItem item, int32_t selectWord) {
  SPIout(selectWord);
  if (link_.status() != 0) return std::nullopt;
  const int32_t bits = link_.SPIread();
  if (link_.status() != 0) return std::nullopt;
  return ReadbackCode(item, chip_.PartBits, static_cast<uint16_t>(bits));
}

int32_t Session::modelValue(ReadbackItem item, int dac) const {
  const auto channel = [this, dac]() -> const DAC& { return chip_.DACs[static_cast<size_t>(dac)]; };
  if (const std::optional<ChannelRegister> reg = ChannelRegisterOf(item)) {
    return RegisterValue(channel(), *reg);
  }
  switch (item) {
    case ReadbackItem::X1A:
    case ReadbackItem::X1B:
    case ReadbackItem::C:
    case ReadbackItem::M:
      break;
    case ReadbackItem::Control:
      return ControlRegisterWord(XRegisterB_) & kControlInputB;
    case ReadbackItem::OffsetDac0:
    case ReadbackItem::OffsetDac1:
    case ReadbackItem::OffsetDac2:
      return chip_.OffsetDAC(static_cast<int>(item) - static_cast<int>(ReadbackItem::OffsetDac0));
    case ReadbackItem::ABSelect0:
    case ReadbackItem::ABSelect1:
    case ReadbackItem::ABSelect2:
    case ReadbackItem::ABSelect3:
    case ReadbackItem::ABSelect4:
      break;
    case ReadbackItem::Gpio:
      return gpioLevel_.value_or(false) ? 1 : 0;  // the pin as last read
  }
  const int group = static_cast<int>(item) - static_cast<int>(ReadbackItem::ABSelect0);
  return ABSelectWord(chip_, static_cast<int16_t>(group * kGroupSize)) & 0xFF;
}

const ChipVerification& Session::verifyChip(const VerifyProgress& progress) {
  const ActionScope action(*this, actions::VerifyChip{});
  lastVerification_ = {};
  const PartInfo* part = chip_.part();
  if (part == nullptr) {
    lastVerification_.failure = "no chip model is chosen";
    return lastVerification_;
  }
  if (verified_.part != part) verified_ = {part, VerifiedRegisters(*part)};
  lastVerification_.total = static_cast<int>(verified_.registers.size());
  for (const VerifiedRegister& r : verified_.registers) {
    const std::optional<int32_t> code = readBackCode(r.item, r.selectWord);
    if (!code) {
      lastVerification_.failure = RequestFailureText(link_.driver(), lastFailure_);
      break;
    }
    const int32_t chip = ComparedBits(*part, r.item, *code);
    const int32_t model = modelValue(r.item, r.dac);
    if (chip != model) {
      lastVerification_.differences.push_back(
          {r.item, r.dac, r.dac >= 0 ? ChannelOfRecord(part, r.dac) : -1, model, chip});
    }
    ++lastVerification_.read;
    if (progress) progress(lastVerification_.read, lastVerification_.total);
  }
  return lastVerification_;
}

// The chip cannot report X2A, X2B or its DAC registers: X2A and X2B of every channel whose
// registers were taken are computed again from them (and the DAC register follows while LDAC is
// held low, as the chip's does); the DAC registers are otherwise left as the model had them.
void Session::takeChipValues(const std::vector<RegisterDifference>& differences) {
  const ActionScope action(*this, actions::TakeChipValues{.differences = differences});
  std::set<int> channels;
  for (const RegisterDifference& d : differences) {
    if (const std::optional<ChannelRegister> reg = ChannelRegisterOf(d.item)) {
      StoreRegister(chip_.DACs.at(static_cast<size_t>(d.dac)), *reg, d.chip);
      notify([&](SessionListener& l) { l.registerStored(d.dac, *reg); });
      channels.insert(d.dac);
    } else if (d.item == ReadbackItem::Control) {
      XRegisterB_ = (d.chip & kControlInputB) != 0;
      notify([](SessionListener& l) { l.inputRegisterChanged(); });
    } else if (d.item >= ReadbackItem::OffsetDac0 && d.item <= ReadbackItem::OffsetDac2) {
      const int k = static_cast<int>(d.item) - static_cast<int>(ReadbackItem::OffsetDac0);
      chip_.OffsetDAC(k) = d.chip;
      notify([k](SessionListener& l) { l.offsetDacWritten(k); });
    } else {
      takeABSelect(static_cast<int>(d.item) - static_cast<int>(ReadbackItem::ABSelect0), d.chip);
    }
  }
  for (const int dac : channels) {
    updateX2(dac, false);
    updateX2(dac, true);
  }
}

void Session::takeABSelect(int group, int32_t mask) {
  const ChannelGroup members = GroupOf(chip_.PartName, static_cast<int16_t>(group * kGroupSize));
  for (int position = 0; position < members.count; ++position) {
    const int dac = members.first + position;
    const int32_t fromB = (mask >> position) & 1;
    if (chip_.DACs.at(static_cast<size_t>(dac)).ABsel() == fromB) continue;
    chip_.DACs.at(static_cast<size_t>(dac)).setABsel(fromB);
    notify([dac](SessionListener& l) { l.dacSourceChanged(dac); });
    if (ldacLow_) loadDacRegister(dac);
  }
}
