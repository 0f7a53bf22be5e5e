#pragma once
// The columns of the request log, as the pane and the CSV export show them. Codes, values and
// words are hexadecimal without a prefix, as everywhere in the program.

#include <array>
#include <string>

#include "request_log.h"

enum class LogColumn {
  Time,
  Request,    // "DD"
  Value,      // "8000"
  Index,      // "00D1"
  Direction,  // "out" (to the board) or "in"
  Length,     // bytes of the data stage, decimal
  Status,     // "OK", or the failure in words
  Word,       // the 24-bit word sent, or the three bytes a readback returned; empty otherwise
  Origin,     // who asked: the window control's caption, or "remote <address>"
  Command,    // the command that repeats the action
};
inline constexpr int kLogColumnCount = 10;

// Column headings: "Time", "Request", ... "Command".
const std::array<const char*, kLogColumnCount>& LogColumnTitles();

// The text of one column of `entry`; the time as the time of day ("14:03:12.345678").
std::string ColumnText(const RequestLog& log, const LogEntry& entry, LogColumn column);

// The time with its date, to the microsecond, in local time: "2024-05-01 14:03:12.345678".
std::string DateTimeText(LogClock::time_point time);

// Whether the request carried a 24-bit word to the board (request DD, direction out), and which.
bool CarriesWord(const RequestRecord& request);
uint32_t WordOf(const RequestRecord& request);
