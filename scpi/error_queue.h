#pragma once
// The error queue of one connection: what SYSTem:ERRor? reads, oldest first.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scpi {

// Error numbers the engine and its standard commands queue themselves.
namespace errc {
inline constexpr int kNoError = 0;
inline constexpr int kCommandError = -100;
inline constexpr int kSyntaxError = -102;
inline constexpr int kDataTypeError = -104;
inline constexpr int kParameterNotAllowed = -108;
inline constexpr int kMissingParameter = -109;
inline constexpr int kUndefinedHeader = -113;
inline constexpr int kHeaderSuffixOutOfRange = -114;
inline constexpr int kInvalidSuffix = -131;
inline constexpr int kExecutionError = -200;
inline constexpr int kSettingsConflict = -221;
inline constexpr int kDataOutOfRange = -222;
inline constexpr int kTooMuchData = -223;
inline constexpr int kIllegalParameterValue = -224;
inline constexpr int kHardwareError = -240;
inline constexpr int kHardwareMissing = -241;
inline constexpr int kDeviceSpecificError = -300;
inline constexpr int kSystemError = -310;
inline constexpr int kSelfTestFailed = -330;
inline constexpr int kQueueOverflow = -350;
inline constexpr int kInputBufferOverrun = -363;
inline constexpr int kQueryError = -400;
}  // namespace errc

// The standard text of an error number ("Undefined header" for -113). Numbers without a text of
// their own get the text of their class ("Command error" for -1xx, "Device-specific error" for
// -3xx and for positive, device-defined numbers).
std::string_view StandardText(int code);

// Input text as error details show it: in single quotes, cut to `shown` characters with "..."
// after it when longer.
std::string QuoteForDetail(std::string_view text, std::size_t shown = 40);

// One queued error: its number and the detail a handler or the parser gave (may be empty).
struct Error {
  int code = errc::kNoError;
  std::string detail;
};

// The answer of SYSTem:ERRor?: `<code>,"<text>"` or `<code>,"<text>;<detail>"`. The message is
// cut to 255 characters, control and non-ASCII bytes show as '?', and quotes are doubled, so the
// answer is always one well-formed string on one line.
std::string FormatError(const Error& error);

// First in, first out, at most kCapacity entries. Twenty holds every error of several lines
// between two reads (a line stops at its first command error, so one line adds at most one
// command error plus one execution error per message unit) while bounding each connection's
// memory; SCPI asks for at least two, and bench instruments keep between ten and a few dozen.
class ErrorQueue {
 public:
  static constexpr std::size_t kCapacity = 20;

  // Adds an error. When the queue is full, the newest entry becomes -350 "Queue overflow"
  // instead, so the reader learns that errors were lost and the oldest ones stay.
  void push(int code, std::string_view detail = {});
  // The oldest error, removed; nothing when empty.
  std::optional<Error> pop();
  // The oldest error without removing it, or nullptr.
  const Error* front() const { return count_ == 0 ? nullptr : &entries_[head_]; }
  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  void clear();
  // How many errors were ever pushed, overflowed ones included; never goes back.
  uint64_t pushedCount() const { return pushed_; }

 private:
  std::array<Error, kCapacity> entries_{};
  std::size_t head_ = 0;
  std::size_t count_ = 0;
  uint64_t pushed_ = 0;
};

}  // namespace scpi
