#include "simulated_board.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "chip_emulation.h"
#include "latin1_text.h"
#include "request_codes.h"

namespace {

constexpr int32_t kSimulatedHandle = 1;
constexpr uint8_t kSimulatedBoardNumber = 0;

// The image file at a path given as the driver receives it (Latin-1 bytes), if there is one.
enum class ImageFile { Absent, Unreadable, Present };

ImageFile ReadImageFile(const std::string& latin1Path, std::string& content) {
  const std::string utf8 = Latin1ToUtf8(latin1Path);
  const std::filesystem::path path(std::u8string(utf8.begin(), utf8.end()));
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return ImageFile::Absent;
  if (!std::filesystem::is_regular_file(path, error)) return ImageFile::Unreadable;
  std::ifstream file(path, std::ios::binary);
  if (!file) return ImageFile::Unreadable;
  std::ostringstream text;
  text << file.rdbuf();
  content = text.str();
  return ImageFile::Present;
}

}  // namespace

SimulatedBoard::SimulatedBoard() = default;

int16_t SimulatedBoard::Search_For_Boards(int32_t /*vendorId*/, int32_t /*productId*/,
                                          int32_t* count, uint8_t* list) {
  if (count != nullptr) *count = attached_ ? 1 : 0;
  if (attached_ && list != nullptr) list[0] = kSimulatedBoardNumber;
  return 0;
}

int16_t SimulatedBoard::Connect(int32_t /*vendorId*/, int32_t /*productId*/, uint8_t boardNumber,
                                int32_t* handle) {
  const bool found = attached_ && boardNumber == kSimulatedBoardNumber;
  if (handle != nullptr) *handle = found ? kSimulatedHandle : 0;
  return found ? int16_t{0} : kNoBoardStatus;
}

int16_t SimulatedBoard::Download_Firmware(int32_t /*handle*/, uint8_t* path) {
  const std::string latin1Path = path != nullptr ? reinterpret_cast<const char*>(path) : "";
  downloads_.push_back(latin1Path);
  if (!attached_) return kNoBoardStatus;
  std::string image;
  switch (ReadImageFile(latin1Path, image)) {
    case ImageFile::Absent:
      return 0;  // the board keeps its built-in firmware
    case ImageFile::Unreadable:
      return kBadImageStatus;
    case ImageFile::Present:
      break;
  }
  return IsValidIntelHex(image) ? int16_t{0} : kBadImageStatus;
}

int16_t SimulatedBoard::Vendor_Request(int32_t /*handle*/, uint8_t request, int32_t value,
                                       int32_t index, uint8_t direction, int32_t length,
                                       uint8_t* data) {
  RecordedRequest record{request, value, index, direction, length, {}};
  const bool isRead = direction == kDirectionIn;
  if (!isRead && data != nullptr) {
    const auto count = static_cast<std::size_t>(std::max(length, int32_t{1}));
    record.data.assign(data, data + count);
  }
  if (attached_) {
    if (isRead && request == static_cast<uint8_t>(Request::Spi)) {
      readBack(length, data);
      const auto filled = static_cast<std::size_t>(std::clamp(length, int32_t{0}, kReadbackLength));
      if (data != nullptr) record.data.assign(data, data + filled);
    } else if (!isRead && request == static_cast<uint8_t>(Request::Spi)) {
      applyWord(((index & 0xFF) << 16) | (value & 0xFFFF));
    } else if (!isRead) {
      ApplyLineRequest(chip_, request);
    }
  }
  keep(std::move(record));
  return attached_ ? int16_t{0} : kNoBoardStatus;
}

std::string SimulatedBoard::description() const {
  return "Simulated board";
}

std::string SimulatedBoard::statusText(int16_t status) const {
  if (status == kNoBoardStatus) return "no board attached";
  if (status == kBadImageStatus) return "the firmware image is not a valid Intel HEX file";
  return VendorDriver::statusText(status);
}

void SimulatedBoard::setChipModel(const PartInfo& part) {
  FitChipModel(chip_, part);
}

void SimulatedBoard::powerCycle() {
  PowerOnRegisters(chip_);
}

// Drops the older half once twice the kept number has piled up: amortised constant time.
void SimulatedBoard::keep(RecordedRequest record) {
  if (requests_.size() >= 2 * kKeptRequests) {
    requests_.erase(requests_.begin(),
                    requests_.end() - static_cast<std::ptrdiff_t>(kKeptRequests));
  }
  requests_.push_back(std::move(record));
}

void SimulatedBoard::setBoardAttached(bool attached) {
  attached_ = attached;
}
bool SimulatedBoard::boardAttached() const {
  return attached_;
}
void SimulatedBoard::setGpioInputLevel(bool high) {
  gpioInputHigh_ = high;
}

const std::vector<SimulatedBoard::RecordedRequest>& SimulatedBoard::requests() const {
  return requests_;
}
void SimulatedBoard::clearRequests() {
  requests_.clear();
}
const SimulatedChip& SimulatedBoard::chip() const {
  return chip_;
}
const std::vector<std::string>& SimulatedBoard::downloads() const {
  return downloads_;
}

void SimulatedBoard::applyWord(int32_t word) {
  ApplyWord(chip_, word & 0xFFFFFF);
}

void SimulatedBoard::readBack(int32_t length, uint8_t* data) {
  if (data == nullptr) return;
  const std::array<uint8_t, 3> reply = ReadbackBytes(chip_, gpioInputHigh_);
  const auto filled = static_cast<std::size_t>(std::clamp(length, int32_t{0}, kReadbackLength));
  std::copy_n(reply.begin(), filled, data);
}
