#include "channel_register.h"

int32_t RegisterValue(const DAC& record, ChannelRegister reg) {
  return (record.*RegisterRow(reg).value)();
}

void StoreRegister(DAC& record, ChannelRegister reg, int32_t code) {
  (record.*RegisterRow(reg).store)(code);
}

std::optional<ChannelRegister> ChannelRegisterOf(ReadbackItem item) {
  for (const ChannelRegisterRow& row : kChannelRegisters) {
    if (row.readback == item) return row.reg;
  }
  return std::nullopt;
}

std::optional<ChannelRegister> RegisterOfWord(ChipWord::Target target, bool routeB) {
  const RecomputedInput route = routeB ? RecomputedInput::B : RecomputedInput::A;
  for (const ChannelRegisterRow& row : kChannelRegisters) {
    if (row.target != target) continue;
    if (row.recomputes == RecomputedInput::Route || row.recomputes == route) return row.reg;
  }
  return std::nullopt;
}
