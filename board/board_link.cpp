#include "board_link.h"

#include <algorithm>

#include "latin1_text.h"

namespace {

constexpr const char* kFailedLoadText = "No Evaluation Board Found";

}  // namespace

BoardLink::BoardLink(VendorDriver& driver) : driver_(&driver) {}

void BoardLink::setDriver(VendorDriver& driver) {
  driver_ = &driver;
  BoardHandle = 0;
  BoardStatus = 0;
}

void BoardLink::LoadUSB(const std::string& PartName, const std::string& exeFolder,
                        const FailedLoadReport& report) {
  BoardList.fill(0);
  int32_t count = 0;
  BoardStatus = driver_->Search_For_Boards(BoardVendorId, BoardProductId, &count, BoardList.data());
  const int16_t searchStatus = BoardStatus;

  const bool chosenFound = boardChoice_ == 0 || boardChoice_ < count;
  const uint8_t number =
      chosenFound ? BoardList[static_cast<std::size_t>(boardChoice_)] : kNoBoardNumber;
  BoardStatus = driver_->Connect(BoardVendorId, BoardProductId, number, &BoardHandle);
  const int16_t connectStatus = BoardStatus;

  FirmwarePath = firmwareFile_.empty() ? MakeFirmwarePath(exeFolder) : firmwareFile_;
  const bool pathFits = StringToBytes(FirmwarePath, FirmwarePathBytes);

  // A path the driver cannot take is never handed to it; the refusal is reported like any
  // other failed load.
  BoardStatus = pathFits ? driver_->Download_Firmware(BoardHandle, FirmwarePathBytes.data())
                         : kPathRefusedStatus;
  DownloadStatus = BoardStatus;
  // Why no board was loaded: the first step that failed says it best (no board found, no
  // permission to open it, then the download itself).
  LoadFailure = 0;
  if (DownloadStatus != 0) {
    for (const int16_t status : {searchStatus, connectStatus, DownloadStatus}) {
      if (status != 0) {
        LoadFailure = status;
        break;
      }
    }
  }

  if (BoardStatus != 0 && report)
    report(kFailedLoadText, PartName + ": " + std::to_string(BoardStatus));

  LineRequest(Request::Start);
}

bool BoardLink::setBoardChoice(int n) {
  if (n < 0 || n >= static_cast<int>(BoardList.size())) return false;
  boardChoice_ = n;
  return true;
}

void BoardLink::SPIwrite(int32_t word) {
  const int32_t value = word & 0xFFFF;
  const int32_t index = (word & 0xFF0000) / 0x10000;
  uint8_t noData = 0;
  BoardStatus = driver_->Vendor_Request(BoardHandle, static_cast<uint8_t>(Request::Spi), value,
                                       index, kDirectionOut, 0, &noData);
  notifyObserver(
      {static_cast<uint8_t>(Request::Spi), value, index, kDirectionOut, 0, BoardStatus, {}});
}

int32_t BoardLink::SPIread() {
  BoardStatus = driver_->Vendor_Request(BoardHandle, static_cast<uint8_t>(Request::Spi), 0, 0,
                                       kDirectionIn, kReadbackLength, ReadBuffer.data());
  notifyObserver({static_cast<uint8_t>(Request::Spi),
                  0,
                  0,
                  kDirectionIn,
                  kReadbackLength,
                  BoardStatus,
                  {ReadBuffer[0], ReadBuffer[1], ReadBuffer[2]}});
  return ReadBuffer[1] * 256 + ReadBuffer[0];
}

void BoardLink::LineRequest(Request code) {
  uint8_t noData = 0;
  BoardStatus = driver_->Vendor_Request(BoardHandle, static_cast<uint8_t>(code), 0, 0, kDirectionOut,
                                       0, &noData);
  notifyObserver({static_cast<uint8_t>(code), 0, 0, kDirectionOut, 0, BoardStatus, {}});
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
