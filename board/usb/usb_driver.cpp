#include "usb_driver.h"

#include "usb_status_text.h"

#include <libusb.h>

#include <algorithm>
#include <array>
#include <string>
#include <ctime>
#include <thread>

#include "firmware_image.h"
#include "firmware_loader.h"
#include "latin1_text.h"
#include "request_codes.h"
#include "usb_statuses.h"

namespace {

static_assert(usb_status::kIo == LIBUSB_ERROR_IO);
static_assert(usb_status::kInvalidParam == LIBUSB_ERROR_INVALID_PARAM);
static_assert(usb_status::kAccess == LIBUSB_ERROR_ACCESS);
static_assert(usb_status::kNoDevice == LIBUSB_ERROR_NO_DEVICE);
static_assert(usb_status::kNotFound == LIBUSB_ERROR_NOT_FOUND);
static_assert(usb_status::kBusy == LIBUSB_ERROR_BUSY);
static_assert(usb_status::kTimeout == LIBUSB_ERROR_TIMEOUT);
static_assert(usb_status::kOverflow == LIBUSB_ERROR_OVERFLOW);
static_assert(usb_status::kPipe == LIBUSB_ERROR_PIPE);
static_assert(usb_status::kInterrupted == LIBUSB_ERROR_INTERRUPTED);
static_assert(usb_status::kNoMemory == LIBUSB_ERROR_NO_MEM);
static_assert(usb_status::kNotSupported == LIBUSB_ERROR_NOT_SUPPORTED);
static_assert(usb_status::kOther == LIBUSB_ERROR_OTHER);

constexpr std::size_t kBoardListBytes = 128;
constexpr int32_t kMaxRequestLength = 4096;

int16_t Status(int libusbError) {
  return static_cast<int16_t>(libusbError);
}

// The serial-number string of an open device (iSerialNumber), empty when it has none.
std::string SerialNumber(libusb_device_handle* device) {
  libusb_device_descriptor descriptor{};
  if (libusb_get_device_descriptor(libusb_get_device(device), &descriptor) != 0 ||
      descriptor.iSerialNumber == 0)
    return {};
  std::array<unsigned char, 128> text{};
  const int length = libusb_get_string_descriptor_ascii(device, descriptor.iSerialNumber,
                                                        text.data(), sizeof text - 1);
  if (length <= 0) return {};
  return std::string(reinterpret_cast<const char*>(text.data()), static_cast<std::size_t>(length));
}

bool FitsSixteenBits(int32_t number) {
  return number >= 0 && number <= 0xFFFF;
}

// "board not answering since 14:03:07" (local time).
std::string SilentText(std::chrono::system_clock::time_point since) {
  const std::time_t time = std::chrono::system_clock::to_time_t(since);
  std::tm local{};
  localtime_r(&time, &local);
  char clock[16];
  std::strftime(clock, sizeof clock, "%H:%M:%S", &local);
  return std::string("board not answering since ") + clock;
}

}  // namespace

UsbDriver::UsbDriver(BoardUsbIds ids, UsbLinkTimings timings) : ids_(ids), timings_(timings) {
  const int status = libusb_init(&context_);
  if (status != 0) {
    context_ = nullptr;
    initStatus_ = Status(status);
    return;
  }
  libusb_set_option(context_, LIBUSB_OPTION_LOG_LEVEL, LIBUSB_LOG_LEVEL_NONE);
}

UsbDriver::~UsbDriver() {
  closeBoard();
  if (context_ != nullptr) libusb_exit(context_);
}

bool UsbDriver::boardAttached() {
  if (!available()) return false;
  return !UsbBoardList(context_, ids_).boards().empty();
}

int16_t UsbDriver::Search_For_Boards(int32_t /*vendorId*/, int32_t /*productId*/, int32_t* count,
                                     uint8_t* list) {
  if (count != nullptr) *count = 0;
  if (!available()) return initStatus_;
  const UsbBoardList boards(context_, ids_);
  if (boards.status() != 0) return Status(boards.status());
  const std::size_t found = boards.boards().size();
  if (count != nullptr) *count = static_cast<int32_t>(found);
  if (list != nullptr) {
    for (std::size_t i = 0; i < std::min(found, kBoardListBytes); ++i)
      list[i] = static_cast<uint8_t>(i);
  }
  return found > 0 ? int16_t{0} : usb_status::kNotFound;
}

int16_t UsbDriver::Connect(int32_t /*vendorId*/, int32_t /*productId*/, uint8_t boardNumber,
                           int32_t* handle) {
  if (handle != nullptr) *handle = 0;
  closeBoard();
  silentSince_.reset();
  if (!available()) return initStatus_;
  const UsbBoardList boards(context_, ids_);
  if (boards.status() != 0) return Status(boards.status());
  if (boardNumber >= boards.boards().size()) return usb_status::kNotFound;
  const FoundBoard& board = boards.boards()[boardNumber];
  libusb_device_handle* device = nullptr;
  if (const int opened = libusb_open(board.device, &device); opened != 0) return Status(opened);
  open_ = OpenBoard{nextHandle(), device, board.place, board.address, SerialNumber(device)};
  if (handle != nullptr) *handle = open_->handle;
  return 0;
}

int16_t UsbDriver::Download_Firmware(int32_t handle, uint8_t* path) {
  if (!available()) return initStatus_;
  if (!isOpen(handle)) return usb_status::kNoDevice;
  const std::string latin1 = path != nullptr ? reinterpret_cast<const char*>(path) : "";
  const FirmwareImage image = ReadFirmwareImage(NativeFirmwarePath(Latin1ToUtf8(latin1)));
  imageFileBytes_ = image.fileBytes;
  if (image.status != 0) return image.status;

  const auto timeoutMs = static_cast<unsigned>(timings_.requestTimeout.count());
  const RamLoad loaded = LoadIntoRam(open_->device, image.chunks, timeoutMs);
  if (loaded.status == LIBUSB_ERROR_TIMEOUT) markSilent();
  if (loaded.status != 0) return loaded.cpuHeld ? usb_status::kCpuHeld : Status(loaded.status);
  const OpenBoard leaving = *open_;
  closeBoard();
  return reopenAfterLoad(leaving.handle, leaving.place, leaving.address);
}

// A board back under the IDs it shows before the load did not start its firmware; where both
// pairs are the same nothing tells.
bool UsbDriver::firmwareStarted(const FoundBoard& board) const {
  return ids_.beforeLoad == ids_.afterLoad || !(board.id == ids_.beforeLoad);
}

int16_t UsbDriver::reopenAfterLoad(int32_t handle, const UsbPlace& place, uint8_t address) {
  const auto deadline = std::chrono::steady_clock::now() + timings_.comeBackTimeout;
  bool seenGone = false;
  int16_t lastFailure = usb_status::kBoardNotBack;
  for (;;) {
    const UsbBoardList boards(context_, ids_);
    const FoundBoard* board = boards.at(place, address);
    if (board == nullptr) {
      seenGone = true;
    } else if ((seenGone || board->address != address) && !firmwareStarted(*board)) {
      return usb_status::kFirmwareNotRunning;
    } else if (seenGone || board->address != address) {
      libusb_device_handle* device = nullptr;
      const int opened = libusb_open(board->device, &device);
      if (opened == 0) {
        open_ = OpenBoard{handle, device, place, board->address, SerialNumber(device)};
        return 0;
      }
      lastFailure = Status(opened);  // e.g. access not yet granted to the new device node
    }
    if (std::chrono::steady_clock::now() >= deadline) return lastFailure;
    std::this_thread::sleep_for(timings_.pollInterval);
  }
}

int16_t UsbDriver::Vendor_Request(int32_t handle, uint8_t request, int32_t value, int32_t index,
                                  uint8_t direction, int32_t length, uint8_t* data) {
  if (!available()) return initStatus_;
  if (!isOpen(handle)) return usb_status::kNoDevice;
  const bool lengthFits = length >= 0 && length <= kMaxRequestLength;
  if (!FitsSixteenBits(value) || !FitsSixteenBits(index) || !lengthFits ||
      (length > 0 && data == nullptr) || direction > kDirectionIn)
    return usb_status::kInvalidParam;
  if (silentSince_) return usb_status::kBoardSilent;
  const auto requestType = static_cast<uint8_t>(
      uint8_t{LIBUSB_REQUEST_TYPE_VENDOR} | uint8_t{LIBUSB_RECIPIENT_DEVICE} |
      (direction == kDirectionIn ? uint8_t{LIBUSB_ENDPOINT_IN} : uint8_t{LIBUSB_ENDPOINT_OUT}));
  const int moved = libusb_control_transfer(
      open_->device, requestType, request, static_cast<uint16_t>(value),
      static_cast<uint16_t>(index), length > 0 ? data : nullptr, static_cast<uint16_t>(length),
      static_cast<unsigned>(timings_.requestTimeout.count()));
  if (moved == LIBUSB_ERROR_TIMEOUT) markSilent();
  if (moved < 0) return Status(moved);
  return moved == length ? int16_t{0} : usb_status::kIo;
}

void UsbDriver::markSilent() {
  if (!silentSince_) silentSince_ = std::chrono::system_clock::now();
}

bool UsbDriver::probeBoard() {
  if (!silentSince_) return true;
  if (!open_) {
    silentSince_.reset();
    return true;
  }
  uint8_t status[2]{};
  const int moved = libusb_control_transfer(
      open_->device,
      static_cast<uint8_t>(uint8_t{LIBUSB_ENDPOINT_IN} | uint8_t{LIBUSB_REQUEST_TYPE_STANDARD} |
                           uint8_t{LIBUSB_RECIPIENT_DEVICE}),
      LIBUSB_REQUEST_GET_STATUS, 0, 0, status, sizeof status,
      static_cast<unsigned>(timings_.probeTimeout.count()));
  // Any answer, a refusal included, is the board's; an unplugged board says so at once.
  if (moved == LIBUSB_ERROR_TIMEOUT) return false;
  silentSince_.reset();
  return true;
}

std::string UsbDriver::description() const {
  if (!open_) return "USB link, no board open";
  return "USB board on " + UsbPlaceText(open_->place);
}

void UsbDriver::closeBoard() {
  if (!open_) return;
  libusb_close(open_->device);
  open_.reset();
}

int32_t UsbDriver::nextHandle() {
  lastHandle_ = lastHandle_ == INT32_MAX ? 1 : lastHandle_ + 1;
  return lastHandle_;
}

std::string UsbDriver::statusText(int16_t status) const {
  if (status == usb_status::kFirmwareTooLarge) return FirmwareTooLargeText(imageFileBytes_);
  if (status == usb_status::kBoardSilent && silentSince_) return SilentText(*silentSince_);
  return RequestStatusText(status);
}
