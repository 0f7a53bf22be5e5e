#include "emulated_microcontroller.h"

#include <algorithm>

#include "chip_emulation.h"
#include "request_codes.h"

namespace {

constexpr uint8_t kVendorType = 0x40;  // request type bits 6..5 = 2
constexpr uint8_t kTypeMask = 0x60;

bool IsBoardRequest(uint8_t code) {
  return code >= static_cast<uint8_t>(Request::ResetHigh) &&
         code <= static_cast<uint8_t>(Request::LdacLow);
}

ControlReply Stall() {
  ControlReply reply;
  reply.stall = true;
  return reply;
}

ControlReply Data(std::vector<uint8_t> bytes) {
  ControlReply reply;
  reply.data = std::move(bytes);
  return reply;
}

}  // namespace

EmulatedMicrocontroller::EmulatedMicrocontroller(bool firmwareRunning)
    : firmwareRunning_(firmwareRunning), memory_(kAddressSpace, 0) {}

ControlReply EmulatedMicrocontroller::transfer(const ControlSetup& setup,
                                               const std::vector<uint8_t>& data) {
  if ((setup.requestType & kTypeMask) != kVendorType) return Stall();
  if (setup.request == kRamRequest) return ramRequest(setup, data);
  if (firmwareRunning_ && IsBoardRequest(setup.request)) return boardRequest(setup);
  return Stall();
}

ControlReply EmulatedMicrocontroller::ramRequest(const ControlSetup& setup,
                                                 const std::vector<uint8_t>& data) {
  if (setup.value + std::size_t{setup.length} > kAddressSpace) return Stall();
  const auto from = memory_.begin() + setup.value;
  if (setup.isIn()) return Data(std::vector<uint8_t>(from, from + setup.length));
  if (setup.value == kCpuControl && data.size() == 1) {
    const bool hold = (data[0] & 0x01) != 0;
    ControlReply reply;
    if (hold) {
      ++loads_.cpuHolds;
      ramWrittenSinceHold_ = false;
      firmwareRunning_ = false;
    } else if (cpuHeld_) {
      ++loads_.cpuReleases;
      reply.releasedCpu = ramWrittenSinceHold_;
      firmwareRunning_ = ramWrittenSinceHold_;
    }
    cpuHeld_ = hold;
    return reply;
  }
  ++loads_.ramWrites;
  if (!cpuHeld_) ++loads_.ramWritesWhileRunning;
  ramWrittenSinceHold_ = true;
  std::copy(data.begin(), data.end(), from);
  return {};
}

ControlReply EmulatedMicrocontroller::boardRequest(const ControlSetup& setup) {
  const auto code = static_cast<Request>(setup.request);
  if (code != Request::Spi) {
    if (setup.isIn()) return Stall();
    ApplyLineRequest(chip_, setup.request);
    return {};
  }
  if (!setup.isIn()) {
    ApplyWord(chip_, (setup.index & 0xFF) << 16 | setup.value);
    return {};
  }
  const std::array<uint8_t, 3> reply = ReadbackBytes(chip_, false);
  const std::size_t count = std::min<std::size_t>(setup.length, reply.size());
  return Data(
      std::vector<uint8_t>(reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(count)));
}
