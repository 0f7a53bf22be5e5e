#pragma once
// A driver that logs every call with its arguments and answers as a test sets it up.

#include <cstdint>
#include <string>
#include <vector>

#include "vendor_driver.h"

struct FakeDriver : VendorDriver {
  struct Call {
    std::string function;
    std::vector<int32_t> arguments;   // the scalar arguments in calling order
    std::vector<uint8_t> bytes;       // path up to its 0 byte, or a request's data on entry
    int32_t countOnEntry = -1;        // Search_For_Boards: *count as passed
    uint8_t listByte0OnEntry = 0xEE;  // Search_For_Boards: list[0] as passed
    bool operator==(const Call&) const = default;
  };

  // Answers.
  uint8_t foundBoard = 5;  // list byte 0; the next boards found get the numbers after it
  int32_t foundCount = 1;
  int32_t connectHandle = 0x4321;
  int16_t downloadStatus = 0;
  int16_t requestStatus = 0;
  std::vector<uint8_t> readReply;  // what a read writes into the buffer, from byte 0

  std::vector<Call> calls;
  std::vector<std::string> functions() const {
    std::vector<std::string> names;
    for (const Call& call : calls) names.push_back(call.function);
    return names;
  }

  int16_t Search_For_Boards(int32_t vendorId, int32_t productId, int32_t* count,
                            uint8_t* list) override {
    calls.push_back({"Search_For_Boards", {vendorId, productId}, {}, *count, list[0]});
    for (int32_t i = 0; i < foundCount; ++i) list[i] = static_cast<uint8_t>(foundBoard + i);
    *count = foundCount;
    return 0;
  }
  int16_t Connect(int32_t vendorId, int32_t productId, uint8_t boardNumber,
                  int32_t* handle) override {
    calls.push_back({"Connect", {vendorId, productId, boardNumber}, {}});
    *handle = connectHandle;
    return 0;
  }
  int16_t Download_Firmware(int32_t handle, uint8_t* path) override {
    std::vector<uint8_t> bytes;
    for (const uint8_t* p = path; *p != 0; ++p) bytes.push_back(*p);
    calls.push_back({"Download_Firmware", {handle}, bytes});
    return downloadStatus;
  }
  int16_t Vendor_Request(int32_t handle, uint8_t request, int32_t value, int32_t index,
                         uint8_t direction, int32_t length, uint8_t* data) override {
    const int32_t passed = length > 0 ? length : 1;
    calls.push_back({"Vendor_Request",
                     {handle, request, value, index, direction, length},
                     std::vector<uint8_t>(data, data + passed)});
    if (direction == 1) {
      for (std::size_t i = 0; i < readReply.size(); ++i) data[i] = readReply[i];
    }
    return requestStatus;
  }
  std::string description() const override { return "Fake driver"; }
  std::string linkName() const override { return "library"; }
};
