#pragma once
// The link to the evaluation board: the connection sequence and the transport of command words,
// readbacks and control-line requests, with the board handle and the last status.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "request_codes.h"
#include "vendor_driver.h"

inline constexpr const char* kFirmwareFileName = "ZR821SPI.hex";
inline constexpr std::size_t kFirmwarePathBytes = 513;
// The list of board numbers a search fills.
inline constexpr std::size_t kBoardListLength = 128;
// Status of a download refused because the path does not fit the driver's byte buffer.
inline constexpr int16_t kPathRefusedStatus = -2;
// The board number LoadUSB connects with when the chosen board was not found: no board has it,
// so the download fails and the failed-load message appears.
inline constexpr uint8_t kNoBoardNumber = 0xFF;

// What one connection sequence came to.
struct LoadResult {
  int32_t handle = 0;  // the board handle the connect gave
  // The status of the start request, the last of the sequence.
  int16_t status = 0;
  // The status of the firmware download: 0 when a board is loaded.
  int16_t downloadStatus = 0;
  // When the download failed, the status of the first step of the sequence that failed.
  int16_t failure = 0;
  bool loaded() const { return downloadStatus == 0; }
  bool operator==(const LoadResult&) const = default;
};

// One vendor request as it went to the board, with the status it came back with.
struct RequestRecord {
  uint8_t code = 0;
  int32_t value = 0;
  int32_t index = 0;
  uint8_t direction = 0;
  int32_t length = 0;
  int16_t status = 0;
  std::array<uint8_t, 3> reply{};  // the bytes a readback returned
};

class BoardLink {
 public:
  explicit BoardLink(VendorDriver& driver);

  // Told of every vendor request once its status is known.
  using RequestObserver = std::function<void(const RequestRecord&)>;
  void setRequestObserver(RequestObserver observer) { observer_ = std::move(observer); }

  VendorDriver& driver() { return *driver_; }
  const VendorDriver& driver() const { return *driver_; }
  // Another link from the next request on (a board plugged in after start, taken up at Reload
  // USB); the handle and statuses start again.
  void setDriver(VendorDriver& driver);

  // Shows the failed-load message and waits until it is dismissed.
  using FailedLoadReport = std::function<void(const std::string& text, const std::string& title)>;

  // Search, connect, firmware download from exeFolder + "\ZR821SPI.hex", the failed-load message
  // ("No Evaluation Board Found", titled PartName + ": " + status), then the start request.
  // Every step runs, whatever the ones before it returned. The connect takes list byte
  // BoardChoice() when that many boards were found (choice 0: list byte 0 always), otherwise
  // kNoBoardNumber.
  // The result is kept as lastLoad() until the next sequence.
  LoadResult LoadUSB(const std::string& PartName, const std::string& exeFolder,
                     const FailedLoadReport& report);
  const LoadResult& lastLoad() const { return lastLoad_; }
  // The firmware path the last sequence downloaded from (or refused).
  const std::string& firmwarePath() const { return firmwarePath_; }

  // Which of the boards found LoadUSB takes: 0 the first (the default), N the (N+1)-th. False,
  // changing nothing, when N is not a position of the board list (0..kBoardListLength - 1).
  bool setBoardChoice(int n);
  int BoardChoice() const { return boardChoice_; }

  // The firmware image LoadUSB downloads, instead of the one in the program's folder; empty:
  // the program's folder.
  void setFirmwareFile(std::string path) { firmwareFile_ = std::move(path); }

  // One 24-bit word with request DD hex: value = bits 15..0, index = bits 23..16.
  void SPIwrite(int32_t word);
  // Read back 3 bytes into the read buffer; byte 1 * 256 + byte 0.
  int32_t SPIread();
  // The bytes the readbacks left. Never cleared: without a board a read returns the last reply.
  const std::array<uint8_t, 21>& readBuffer() const { return readBuffer_; }
  // A data-less request: value 0, index 0, direction 0, length 0, a one-byte buffer holding 0.
  void LineRequest(Request code);

  // The folder followed by "\ZR821SPI.hex", whatever the folder ends with.
  static std::string MakeFirmwarePath(const std::string& exeFolder);
  // `text` (UTF-8) as one byte per character in Latin-1, then a 0 byte. False, leaving `bytes`
  // all 0, when the text is longer than 512 characters, is not valid UTF-8 or has a character
  // with no single-byte code.
  static bool StringToBytes(const std::string& text,
                            std::array<uint8_t, kFirmwarePathBytes>& bytes);

  // The board handle the requests go to, and the status of the last request.
  int32_t handle() const { return handle_; }
  int16_t status() const { return status_; }
  // Requests from now on go to `handle`, a board the caller connected to through the driver
  // itself (a benchmark that times the requests alone, without a connection sequence).
  void useConnectedBoard(int32_t handle) { handle_ = handle; }

 private:
  void notifyObserver(const RequestRecord& request) const {
    if (observer_) observer_(request);
  }

  VendorDriver* driver_;
  RequestObserver observer_;
  int boardChoice_ = 0;
  std::string firmwareFile_;
  int32_t handle_ = 0;
  int16_t status_ = 0;
  LoadResult lastLoad_;
  std::string firmwarePath_;
  std::array<uint8_t, 21> readBuffer_{};
};
