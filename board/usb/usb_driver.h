#pragma once
// The native USB link to the evaluation board, on libusb-1.0: the board maker's four driver
// functions without the board maker's library. Every call blocks on the calling thread and is
// bounded in time: a request by its timeout, a firmware download by the wait for the board to
// come back.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "usb_board_list.h"
#include "usb_ids.h"
#include "vendor_driver.h"

struct libusb_context;
struct libusb_device_handle;

struct UsbLinkTimings {
  // One vendor request: a board that stops answering holds the program no longer than this.
  std::chrono::milliseconds requestTimeout{1000};
  // From the CPU's release to the board back on the bus with its firmware running.
  std::chrono::milliseconds comeBackTimeout{3000};
  // How often the bus is looked at while waiting for the board to come back.
  std::chrono::milliseconds pollInterval{10};
  // How long a probe of a board that stopped answering waits: a board that answers at all
  // answers a standard request at once.
  std::chrono::milliseconds probeTimeout{100};
};

class UsbDriver : public VendorDriver {
 public:
  explicit UsbDriver(BoardUsbIds ids, UsbLinkTimings timings = {});
  ~UsbDriver() override;
  UsbDriver(const UsbDriver&) = delete;
  UsbDriver& operator=(const UsbDriver&) = delete;

  // Whether libusb could be initialised here; when not, every call returns initStatus().
  bool available() const { return context_ != nullptr; }
  int16_t initStatus() const { return initStatus_; }
  // Whether a device with the board's IDs is attached right now (libusb's own device list: no
  // device is opened).
  bool boardAttached();
  const BoardUsbIds& ids() const { return ids_; }

  // The vendorId and productId arguments are not used: the driver finds the board by its own
  // IDs, before or after the firmware load. The list gets the numbers 0..count-1 of the boards
  // found, in bus and port path order. Status 0 with at least one board, usb_status::kNotFound
  // with none.
  int16_t Search_For_Boards(int32_t vendorId, int32_t productId, int32_t* count,
                            uint8_t* list) override;
  // Opens board `boardNumber` of the order above, after closing whatever an earlier Connect
  // opened, and writes a new nonzero handle (0 when it fails).
  int16_t Connect(int32_t vendorId, int32_t productId, uint8_t boardNumber,
                  int32_t* handle) override;
  // Loads the Intel HEX image at `path` into the microcontroller's RAM and waits for the board
  // to come back with the firmware running, reopened under the same handle. A missing,
  // unreadable or malformed image is refused before anything reaches the board.
  int16_t Download_Firmware(int32_t handle, uint8_t* path) override;
  // One vendor control transfer. 0 when the whole length went through, libusb's error
  // otherwise; usb_status::kNoDevice for a handle that names no open board. After a request
  // runs out of time the board is marked as not answering, and every request after it fails at
  // once with usb_status::kBoardSilent, until probeBoard finds it answering or Connect opens a
  // board again.
  int16_t Vendor_Request(int32_t handle, uint8_t request, int32_t value, int32_t index,
                         uint8_t direction, int32_t length, uint8_t* data) override;
  bool boardSilent() const override { return silentSince_.has_value(); }
  // A standard GET_STATUS request to the device: it never reaches the chip.
  bool probeBoard() override;
  // "USB board on bus 1, port 1.4", or "USB link, no board open".
  std::string description() const override;
  std::string linkName() const override { return "usb"; }
  std::string serialNumber() const override { return open_ ? open_->serial : std::string(); }
  // The statuses in words: "board unplugged", "no answer within 1 s", "board not answering since
  // 14:03:07", ...
  std::string statusText(int16_t status) const override;

 private:
  struct OpenBoard {
    int32_t handle = 0;
    libusb_device_handle* device = nullptr;
    UsbPlace place;
    uint8_t address = 0;
    std::string serial;  // the device's serial-number string, empty when it has none
  };

  bool isOpen(int32_t handle) const { return open_ && open_->handle == handle; }
  void closeBoard();
  int32_t nextHandle();
  bool firmwareStarted(const FoundBoard& board) const;
  void markSilent();
  // Waits for the board that left `place` (at `address`) to come back, and reopens it.
  int16_t reopenAfterLoad(int32_t handle, const UsbPlace& place, uint8_t address);

  BoardUsbIds ids_;
  UsbLinkTimings timings_;
  libusb_context* context_ = nullptr;
  int16_t initStatus_ = 0;
  std::optional<OpenBoard> open_;
  int32_t lastHandle_ = 0;
  std::uintmax_t imageFileBytes_ = 0;  // the size of the last firmware file read
  // When the open board stopped answering.
  std::optional<std::chrono::system_clock::time_point> silentSince_;
};
