#pragma once
// The native USB link against boards on an emulated bus: the bus is made before the driver
// initialises libusb and goes after it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "board_link.h"
#include "emulated_usb_bus.h"
#include "intel_hex_writer.h"
#include "temp_file.h"
#include "usb_driver.h"

inline constexpr BoardUsbIds kTestIds{{0xfff0, 0x0820}, {0xfff0, 0x0821}};

// Short bounds so that failing cases stay quick; the emulated board comes back within 5 ms.
inline constexpr UsbLinkTimings kTestTimings{
    std::chrono::milliseconds(150), std::chrono::milliseconds(1000), std::chrono::milliseconds(2)};

class UsbLinkTest : public testing::Test {
 protected:
  // Plugs in a board at `port` with the test IDs.
  int plug(uint8_t port, bool firmwareRunning = false) {
    return bus.addBoard({port, kTestIds, firmwareRunning});
  }
  UsbDriver& driver() {
    if (!driver_) driver_.emplace(kTestIds, kTestTimings);
    return *driver_;
  }
  // A firmware file in the temporary folder, removed with the test.
  std::string imageFile(const std::string& text) {
    files_.emplace_back(std::make_unique<TempFile>(
        "usb_link_test_" + std::to_string(getpid()) + "_" + std::to_string(files_.size()) + ".hex",
        text));
    return files_.back()->path();
  }
  int16_t download(int32_t handle, const std::string& path) {
    std::vector<uint8_t> bytes(path.begin(), path.end());
    bytes.push_back(0);
    return driver().Download_Firmware(handle, bytes.data());
  }
  int32_t connect(uint8_t number, int16_t* status = nullptr) {
    int32_t handle = -1;
    const int16_t result = driver().Connect(0, 0, number, &handle);
    if (status != nullptr) *status = result;
    return handle;
  }
  // The folder LoadUSB gets so that it finds `image` as its firmware file.
  std::string programFolder(const std::vector<HexRecord>& image) {
    folder_.emplace("usb_link_test_folder_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder_->path);
    std::ofstream(folder_->path / kFirmwareFileName) << IntelHexText(image);
    const std::u8string text = folder_->path.u8string();
    return std::string(text.begin(), text.end());
  }

  EmulatedUsbBus bus;

 private:
  struct Folder {
    explicit Folder(const std::string& name)
        : path(std::filesystem::temp_directory_path() / name) {}
    ~Folder() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
  };
  std::vector<std::unique_ptr<TempFile>> files_;
  std::optional<Folder> folder_;
  std::optional<UsbDriver> driver_;
};

// Every failed-load message LoadUSB shows.
struct FailedLoads {
  std::vector<std::string> texts;
  BoardLink::FailedLoadReport callback() {
    return [this](const std::string& text, const std::string&) { texts.push_back(text); };
  }
};
