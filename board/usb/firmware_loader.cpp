#include "firmware_loader.h"

#include <libusb.h>

namespace {

constexpr uint8_t kRequestTypeOut = uint8_t{LIBUSB_REQUEST_TYPE_VENDOR} |
                                    uint8_t{LIBUSB_RECIPIENT_DEVICE} | uint8_t{LIBUSB_ENDPOINT_OUT};

int WriteRam(libusb_device_handle* device, uint16_t address, const std::vector<uint8_t>& bytes,
             unsigned timeoutMs) {
  const auto length = static_cast<uint16_t>(bytes.size());
  // libusb only reads the data of an OUT transfer.
  auto* data = const_cast<uint8_t*>(bytes.data());
  const int sent = libusb_control_transfer(device, kRequestTypeOut, kRamWriteRequest, address, 0,
                                           data, length, timeoutMs);
  if (sent < 0) return sent;
  return sent == length ? 0 : LIBUSB_ERROR_IO;
}

bool NormalOnRelease(int status) {
  return status == LIBUSB_ERROR_IO || status == LIBUSB_ERROR_PIPE ||
         status == LIBUSB_ERROR_NO_DEVICE;
}

}  // namespace

RamLoad LoadIntoRam(libusb_device_handle* device, const std::vector<LoadChunk>& chunks,
                    unsigned timeoutMs) {
  const std::vector<uint8_t> hold{0x01};
  const std::vector<uint8_t> release{0x00};
  if (const int held = WriteRam(device, kCpuControlAddress, hold, timeoutMs); held != 0)
    return {held, false};
  for (const LoadChunk& chunk : chunks) {
    if (const int written = WriteRam(device, chunk.address, chunk.bytes, timeoutMs); written != 0) {
      // Never leave the CPU held: a board in reset answers nothing until it is plugged in again.
      const int released = WriteRam(device, kCpuControlAddress, release, timeoutMs);
      return {written, released != 0};
    }
  }
  const int released = WriteRam(device, kCpuControlAddress, release, timeoutMs);
  return {NormalOnRelease(released) ? 0 : released, false};
}
