#include "error_queue.h"

#include <algorithm>
#include <utility>

namespace scpi {

namespace {

struct Text {
  int code;
  std::string_view text;
};

constexpr Text kTexts[] = {
    {errc::kNoError, "No error"},
    {errc::kCommandError, "Command error"},
    {errc::kSyntaxError, "Syntax error"},
    {errc::kDataTypeError, "Data type error"},
    {errc::kParameterNotAllowed, "Parameter not allowed"},
    {errc::kMissingParameter, "Missing parameter"},
    {errc::kUndefinedHeader, "Undefined header"},
    {errc::kHeaderSuffixOutOfRange, "Header suffix out of range"},
    {errc::kInvalidSuffix, "Invalid suffix"},
    {errc::kExecutionError, "Execution error"},
    {-220, "Parameter error"},
    {errc::kSettingsConflict, "Settings conflict"},
    {errc::kDataOutOfRange, "Data out of range"},
    {errc::kTooMuchData, "Too much data"},
    {errc::kIllegalParameterValue, "Illegal parameter value"},
    {errc::kHardwareError, "Hardware error"},
    {errc::kHardwareMissing, "Hardware missing"},
    {errc::kDeviceSpecificError, "Device-specific error"},
    {errc::kSystemError, "System error"},
    {errc::kSelfTestFailed, "Self-test failed"},
    {errc::kQueueOverflow, "Queue overflow"},
    {errc::kInputBufferOverrun, "Input buffer overrun"},
    {errc::kQueryError, "Query error"},
};

constexpr std::size_t kMaxMessage = 255;

char Printable(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte >= 0x7F ? '?' : c;
}

}  // namespace

std::string_view StandardText(int code) {
  for (const Text& t : kTexts) {
    if (t.code == code) return t.text;
  }
  if (code <= -100 && code > -200) return "Command error";
  if (code <= -200 && code > -300) return "Execution error";
  if (code <= -400 && code > -500) return "Query error";
  return "Device-specific error";
}

std::string QuoteForDetail(std::string_view text, std::size_t shown) {
  std::string quoted;
  quoted.reserve(std::min(text.size(), shown) + 5);
  quoted += '\'';
  quoted.append(text.substr(0, shown));
  if (text.size() > shown) quoted += "...";
  quoted += '\'';
  return quoted;
}

std::string FormatError(const Error& error) {
  std::string message(StandardText(error.code));
  if (!error.detail.empty()) {
    message += ';';
    message += error.detail;
  }
  if (message.size() > kMaxMessage) message.resize(kMaxMessage);
  std::string answer = std::to_string(error.code);
  answer.reserve(answer.size() + message.size() + 3);
  answer += ",\"";
  for (char c : message) {
    if (c == '"') answer += '"';
    answer += Printable(c);
  }
  answer += '"';
  return answer;
}

void ErrorQueue::push(int code, std::string_view detail) {
  ++pushed_;
  if (count_ == kCapacity) {
    Error& newest = entries_[(head_ + count_ - 1) % kCapacity];
    newest.code = errc::kQueueOverflow;
    newest.detail.clear();
    return;
  }
  Error& slot = entries_[(head_ + count_) % kCapacity];
  slot.code = code;
  slot.detail.assign(detail.substr(0, std::min(detail.size(), kMaxMessage)));
  ++count_;
}

std::optional<Error> ErrorQueue::pop() {
  if (count_ == 0) return std::nullopt;
  Error oldest = std::move(entries_[head_]);
  entries_[head_].detail.clear();
  head_ = (head_ + 1) % kCapacity;
  --count_;
  return oldest;
}

void ErrorQueue::clear() {
  for (Error& e : entries_) e.detail.clear();
  head_ = 0;
  count_ = 0;
}

}  // namespace scpi
