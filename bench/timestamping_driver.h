#pragma once
// A driver in front of another that notes when each word request (DD hex, to the board) arrives,
// before passing every call on unchanged.

#include <chrono>
#include <cstdint>
#include <string>

#include "vendor_driver.h"

class TimestampingDriver : public VendorDriver {
 public:
  using Clock = std::chrono::steady_clock;

  explicit TimestampingDriver(VendorDriver& inner) : inner_(inner) {}

  int16_t Search_For_Boards(int32_t vendorId, int32_t productId, int32_t* count,
                            uint8_t* list) override;
  int16_t Connect(int32_t vendorId, int32_t productId, uint8_t boardNumber,
                  int32_t* handle) override;
  int16_t Download_Firmware(int32_t handle, uint8_t* path) override;
  int16_t Vendor_Request(int32_t handle, uint8_t request, int32_t value, int32_t index,
                         uint8_t direction, int32_t length, uint8_t* data) override;
  std::string description() const override { return inner_.description(); }
  std::string linkName() const override { return inner_.linkName(); }

  // Forgets the words seen so far.
  void clearWords() { words_ = 0; }
  // Word requests since clearWords(), the arrival time of the first one and its 24-bit word.
  int wordCount() const { return words_; }
  Clock::time_point firstWordTime() const { return firstTime_; }
  int32_t firstWord() const { return firstWord_; }

 private:
  VendorDriver& inner_;
  int words_ = 0;
  Clock::time_point firstTime_{};
  int32_t firstWord_ = 0;
};
