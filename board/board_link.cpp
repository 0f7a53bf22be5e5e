#include "board_link.h"

#include <algorithm>

#include "latin1_text.h"

namespace {

constexpr const char* kFailedLoadText = "No Evaluation Board Found";

}  // namespace

BoardLink::BoardLink(VendorDriver& driver) : driver_(&driver) {}

void BoardLink::setDriver(VendorDriver& driver) {
  driver_ = &driver;
  handle_ = 0;
  status_ = 0;
}

LoadResult BoardLink::LoadUSB(const std::string& PartName, const std::string& exeFolder,
                              const FailedLoadReport& report) {
  std::array<uint8_t, kBoardListLength> boardList{};
  int32_t count = 0;
  status_ = driver_->Search_For_Boards(BoardVendorId, BoardProductId, &count, boardList.data());
  const int16_t searchStatus = status_;

  const bool chosenFound = boardChoice_ == 0 || boardChoice_ < count;
  const uint8_t number =
      chosenFound ? boardList[static_cast<std::size_t>(boardChoice_)] : kNoBoardNumber;
  status_ = driver_->Connect(BoardVendorId, BoardProductId, number, &handle_);
  const int16_t connectStatus = status_;

  firmwarePath_ = firmwareFile_.empty() ? MakeFirmwarePath(exeFolder) : firmwareFile_;
  std::array<uint8_t, kFirmwarePathBytes> pathBytes{};
  const bool pathFits = StringToBytes(firmwarePath_, pathBytes);

  // A path the driver cannot take is never handed to it; the refusal is reported like any
  // other failed load.
  status_ = pathFits ? driver_->Download_Firmware(handle_, pathBytes.data()) : kPathRefusedStatus;
  LoadResult result{.handle = handle_, .downloadStatus = status_};
  // Why no board was loaded: the first step that failed says it best (no board found, no
  // permission to open it, then the download itself).
  if (result.downloadStatus != 0) {
    for (const int16_t status : {searchStatus, connectStatus, result.downloadStatus}) {
      if (status != 0) {
        result.failure = status;
        break;
      }
    }
  }

  if (status_ != 0 && report) report(kFailedLoadText, PartName + ": " + std::to_string(status_));

  LineRequest(Request::Start);
  result.status = status_;
  lastLoad_ = result;
  return result;
}

bool BoardLink::setBoardChoice(int n) {
  if (n < 0 || n >= static_cast<int>(kBoardListLength)) return false;
  boardChoice_ = n;
  return true;
}

void BoardLink::SPIwrite(int32_t word) {
  const int32_t value = word & 0xFFFF;
  const int32_t index = (word & 0xFF0000) / 0x10000;
  uint8_t noData = 0;
  status_ = driver_->Vendor_Request(handle_, static_cast<uint8_t>(Request::Spi), value, index,
                                    kDirectionOut, 0, &noData);
  notifyObserver({static_cast<uint8_t>(Request::Spi), value, index, kDirectionOut, 0, status_, {}});
}

int32_t BoardLink::SPIread() {
  status_ = driver_->Vendor_Request(handle_, static_cast<uint8_t>(Request::Spi), 0, 0, kDirectionIn,
                                    kReadbackLength, readBuffer_.data());
  notifyObserver({static_cast<uint8_t>(Request::Spi),
                  0,
                  0,
                  kDirectionIn,
                  kReadbackLength,
                  status_,
                  {readBuffer_[0], readBuffer_[1], readBuffer_[2]}});
  return readBuffer_[1] * 256 + readBuffer_[0];
}

void BoardLink::LineRequest(Request code) {
  uint8_t noData = 0;
  status_ =
      driver_->Vendor_Request(handle_, static_cast<uint8_t>(code), 0, 0, kDirectionOut, 0, &noData);
  notifyObserver({static_cast<uint8_t>(code), 0, 0, kDirectionOut, 0, status_, {}});
}

std::string BoardLink::MakeFirmwarePath(const std::string& exeFolder) {
  return exeFolder + "\\" + kFirmwareFileName;
}

bool BoardLink::StringToBytes(const std::string& text,
                              std::array<uint8_t, kFirmwarePathBytes>& bytes) {
  bytes.fill(0);
  const std::optional<std::string> latin1 = Utf8ToLatin1(text);
  if (!latin1 || latin1->size() > kFirmwarePathBytes - 1) return false;
  std::copy(latin1->begin(), latin1->end(), bytes.begin());
  return true;
}
