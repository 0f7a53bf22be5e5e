#include "status_registers.h"

namespace scpi {

uint8_t StatusRegisters::EsrBitOf(int code) {
  if (code > 0) return esr::kDeviceError;
  switch (-code / 100) {
    case 1:
      return esr::kCommandError;
    case 2:
      return esr::kExecutionError;
    case 3:
      return esr::kDeviceError;
    case 4:
      return esr::kQueryError;
    case 5:
      return esr::kPowerOn;
    case 6:
      return esr::kUserRequest;
    case 7:
      return esr::kRequestControl;
    case 8:
      return esr::kOperationComplete;
    default:
      return 0;
  }
}

uint8_t StatusRegisters::readAndClearEsr() {
  const uint8_t value = esr_;
  esr_ = 0;
  return value;
}

uint8_t StatusRegisters::statusByte(bool errorQueueNotEmpty) const {
  uint8_t byte = 0;
  if (errorQueueNotEmpty) byte |= stb::kErrorQueue;
  if ((esr_ & ese_) != 0) byte |= stb::kEventSummary;
  if ((byte & sre_) != 0) byte |= stb::kMasterSummary;
  return byte;
}

}  // namespace scpi
