#include "log_columns.h"

#include <cstdio>
#include <ctime>

#include "request_codes.h"

namespace {

std::string Hex(uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

std::tm LocalTime(std::time_t seconds) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  return local;
}

// `format` (strftime's) for the seconds, then ".micros".
std::string TimeText(LogClock::time_point time, const char* format) {
  const auto micros =
      std::chrono::duration_cast<std::chrono::microseconds>(time.time_since_epoch());
  const auto seconds = std::chrono::floor<std::chrono::seconds>(micros);
  const std::tm local = LocalTime(static_cast<std::time_t>(seconds.count()));
  char text[48];
  const std::size_t length = std::strftime(text, sizeof text, format, &local);
  std::snprintf(text + length, sizeof text - length, ".%06lld",
                static_cast<long long>((micros - seconds).count()));
  return text;
}

bool IsSpi(const RequestRecord& request) {
  return request.code == static_cast<uint8_t>(Request::Spi);
}

std::string WordColumn(const RequestRecord& request) {
  if (CarriesWord(request)) return Hex(WordOf(request), 6);
  if (IsSpi(request) && request.direction == kDirectionIn) {
    const auto& r = request.reply;
    return Hex(static_cast<uint32_t>(r[2] << 16 | r[1] << 8 | r[0]), 6);
  }
  return {};
}

const LoggedAction* ActionOf(const RequestLog& log, const LogEntry& entry) {
  return log.action(entry.action);
}

}  // namespace

const std::array<const char*, kLogColumnCount>& LogColumnTitles() {
  static constexpr std::array<const char*, kLogColumnCount> kTitles{
      "Time",   "Request", "Value", "Index",  "Direction",
      "Length", "Status",  "Word",  "Origin", "Command"};
  return kTitles;
}

bool CarriesWord(const RequestRecord& request) {
  return IsSpi(request) && request.direction == kDirectionOut;
}

uint32_t WordOf(const RequestRecord& request) {
  return static_cast<uint32_t>(request.index & 0xFF) << 16 |
         static_cast<uint32_t>(request.value & 0xFFFF);
}

std::string DateTimeText(LogClock::time_point time) {
  return TimeText(time, "%Y-%m-%d %H:%M:%S");
}

std::string ColumnText(const RequestLog& log, const LogEntry& entry, LogColumn column) {
  const RequestRecord& r = entry.request;
  switch (column) {
    case LogColumn::Time:
      return TimeText(entry.time, "%H:%M:%S");
    case LogColumn::Request:
      return Hex(r.code, 2);
    case LogColumn::Value:
      return Hex(static_cast<uint32_t>(r.value), 4);
    case LogColumn::Index:
      return Hex(static_cast<uint32_t>(r.index), 4);
    case LogColumn::Direction:
      return r.direction == kDirectionIn ? "in" : "out";
    case LogColumn::Length:
      return std::to_string(r.length);
    case LogColumn::Status:
      return log.statusText(entry);
    case LogColumn::Word:
      return WordColumn(r);
    case LogColumn::Origin:
      if (const LoggedAction* action = ActionOf(log, entry)) return action->action.origin;
      return {};
    case LogColumn::Command:
      if (const LoggedAction* action = ActionOf(log, entry)) return action->command();
      return {};
  }
  return {};
}
