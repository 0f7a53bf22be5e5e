#pragma once
// The vendor's driver library, loaded through the operating system's dynamic loader from its
// fixed path on first use.

#include <string>

#include "vendor_driver.h"

// The path exactly as the board maker installs it. On a POSIX system it is a relative path that
// is normally absent.
inline constexpr const char* kVendorLibraryPath =
    "c:/Program Files/Velmaro/USB Drivers/ZRQ_CYUSB_USB4.dll";

// Status returned by every call when the library could not be loaded.
inline constexpr int16_t kLibraryMissingStatus = -1;

class LibraryDriver : public VendorDriver {
 public:
  explicit LibraryDriver(std::string path = kVendorLibraryPath);
  ~LibraryDriver() override;
  LibraryDriver(const LibraryDriver&) = delete;
  LibraryDriver& operator=(const LibraryDriver&) = delete;

  // Loads the library and looks up the four functions, once; true when all four are there.
  bool Load();
  bool loaded() const;
  // What the loader said when it failed.
  const std::string& loadError() const;

  int16_t Search_For_Boards(int32_t vendorId, int32_t productId, int32_t* count,
                            uint8_t* list) override;
  int16_t Connect(int32_t vendorId, int32_t productId, uint8_t boardNumber,
                  int32_t* handle) override;
  int16_t Download_Firmware(int32_t handle, uint8_t* path) override;
  int16_t Vendor_Request(int32_t handle, uint8_t request, int32_t value, int32_t index,
                         uint8_t direction, int32_t length, uint8_t* data) override;
  std::string description() const override;
  std::string linkName() const override { return "library"; }
  std::string statusText(int16_t status) const override;

 private:
  struct Impl;
  Impl* impl_;
};
