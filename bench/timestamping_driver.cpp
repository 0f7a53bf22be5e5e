#include "timestamping_driver.h"

#include "request_codes.h"

int16_t TimestampingDriver::Search_For_Boards(int32_t vendorId, int32_t productId, int32_t* count,
                                              uint8_t* list) {
  return inner_.Search_For_Boards(vendorId, productId, count, list);
}

int16_t TimestampingDriver::Connect(int32_t vendorId, int32_t productId, uint8_t boardNumber,
                                    int32_t* handle) {
  return inner_.Connect(vendorId, productId, boardNumber, handle);
}

int16_t TimestampingDriver::Download_Firmware(int32_t handle, uint8_t* path) {
  return inner_.Download_Firmware(handle, path);
}

int16_t TimestampingDriver::Vendor_Request(int32_t handle, uint8_t request, int32_t value,
                                           int32_t index, uint8_t direction, int32_t length,
                                           uint8_t* data) {
  if (request == static_cast<uint8_t>(Request::Spi) && direction == kDirectionOut) {
    const Clock::time_point now = Clock::now();
    if (words_ == 0) {
      firstTime_ = now;
      firstWord_ = ((index & 0xFF) << 16) | (value & 0xFFFF);
    }
    ++words_;
  }
  return inner_.Vendor_Request(handle, request, value, index, direction, length, data);
}
