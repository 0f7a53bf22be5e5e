#pragma once
// A board link driver that records every vendor request on its way to another driver, as the
// simulated board records the requests it receives: so that a window test on the native USB link
// sees what the program sent just as it does on the simulated board.

#include <algorithm>
#include <vector>

#include "simulated_board.h"

class RecordingDriver : public VendorDriver {
 public:
  explicit RecordingDriver(VendorDriver& inner) : inner_(inner) {}

  int16_t Search_For_Boards(int32_t vendorId, int32_t productId, int32_t* count,
                            uint8_t* list) override {
    return inner_.Search_For_Boards(vendorId, productId, count, list);
  }
  int16_t Connect(int32_t vendorId, int32_t productId, uint8_t boardNumber,
                  int32_t* handle) override {
    return inner_.Connect(vendorId, productId, boardNumber, handle);
  }
  int16_t Download_Firmware(int32_t handle, uint8_t* path) override {
    return inner_.Download_Firmware(handle, path);
  }
  int16_t Vendor_Request(int32_t handle, uint8_t request, int32_t value, int32_t index,
                         uint8_t direction, int32_t length, uint8_t* data) override {
    const int16_t status =
        inner_.Vendor_Request(handle, request, value, index, direction, length, data);
    SimulatedBoard::RecordedRequest record{request, value, index, direction, length, {}};
    if (data != nullptr) {
      const auto count = static_cast<std::size_t>(std::max(length, int32_t{direction == 0}));
      record.data.assign(data, data + count);
    }
    requests_.push_back(std::move(record));
    return status;
  }
  std::string description() const override { return inner_.description(); }
  std::string linkName() const override { return inner_.linkName(); }
  std::string statusText(int16_t status) const override { return inner_.statusText(status); }
  bool boardSilent() const override { return inner_.boardSilent(); }
  bool probeBoard() override { return inner_.probeBoard(); }

  const std::vector<SimulatedBoard::RecordedRequest>& requests() const { return requests_; }
  void clearRequests() { requests_.clear(); }

 private:
  VendorDriver& inner_;
  std::vector<SimulatedBoard::RecordedRequest> requests_;
};
