#include "channel_register.h"

int32_t RegisterValue(const DAC& record, ChannelRegister reg) {
  switch (reg) {
    case ChannelRegister::X1A:
      return record.X1A();
    case ChannelRegister::X1B:
      return record.X1B();
    case ChannelRegister::M:
      return record.M();
    case ChannelRegister::C:
      break;
  }
  return record.C();
}

void StoreRegister(DAC& record, ChannelRegister reg, int32_t code) {
  switch (reg) {
    case ChannelRegister::X1A:
      return record.setX1A(code);
    case ChannelRegister::X1B:
      return record.setX1B(code);
    case ChannelRegister::M:
      return record.setM(code);
    case ChannelRegister::C:
      return record.setC(code);
  }
}
