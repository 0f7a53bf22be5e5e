#pragma once
// The IEEE 488.2 status registers of one connection: the standard event status register (ESR)
// with its enable mask (ESE), and the service request enable mask (SRE) over the status byte.

#include <cstdint>

namespace scpi {

// Bits of the standard event status register.
namespace esr {
inline constexpr uint8_t kOperationComplete = 1 << 0;
inline constexpr uint8_t kRequestControl = 1 << 1;
inline constexpr uint8_t kQueryError = 1 << 2;
inline constexpr uint8_t kDeviceError = 1 << 3;
inline constexpr uint8_t kExecutionError = 1 << 4;
inline constexpr uint8_t kCommandError = 1 << 5;
inline constexpr uint8_t kUserRequest = 1 << 6;
inline constexpr uint8_t kPowerOn = 1 << 7;
}  // namespace esr

// Bits of the status byte.
namespace stb {
inline constexpr uint8_t kErrorQueue = 1 << 2;     // the error queue is not empty
inline constexpr uint8_t kEventSummary = 1 << 5;   // ESR & ESE is not zero
inline constexpr uint8_t kMasterSummary = 1 << 6;  // (status byte & SRE) is not zero
}  // namespace stb

// All registers start at zero: a new connection is not a power-on, so ESR bit 7 stays clear.
class StatusRegisters {
 public:
  // The ESR bit of an error number's class: -1xx command error, -2xx execution error, -3xx and
  // positive numbers device error, -4xx query error; -5xx to -8xx are the events of bits 7 to 0.
  static uint8_t EsrBitOf(int code);

  void noteError(int code) { esr_ |= EsrBitOf(code); }
  void setEvents(uint8_t bits) { esr_ |= bits; }
  uint8_t esr() const { return esr_; }
  // *ESR?: the register's value, after which it is zero.
  uint8_t readAndClearEsr();
  void clearEsr() { esr_ = 0; }

  uint8_t ese() const { return ese_; }
  void setEse(uint8_t mask) { ese_ = mask; }
  // The SRE mask; bit 6 cannot be enabled (it is the summary itself) and always reads 0.
  uint8_t sre() const { return sre_; }
  void setSre(uint8_t mask) { sre_ = mask & static_cast<uint8_t>(~stb::kMasterSummary); }

  // *STB?: bit 2 from the error queue, bit 5 from ESR & ESE, bit 6 the summary of the others
  // under SRE.
  uint8_t statusByte(bool errorQueueNotEmpty) const;

 private:
  uint8_t esr_ = 0;
  uint8_t ese_ = 0;
  uint8_t sre_ = 0;
};

}  // namespace scpi
