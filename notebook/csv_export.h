#pragma once
// The request log as CSV (RFC 4180: a header row, CRLF line ends, fields quoted where they hold a
// comma, a quote or a line break), oldest request first, for a spreadsheet or a script.
//
// Columns: time (local, with date, to the microsecond), request, value, index (hexadecimal),
// direction, length, status (the number: 0 = OK), status text, word (hexadecimal), origin,
// command.

#include <string>

#include "request_log.h"

std::string LogAsCsv(const RequestLog& log);

// The header row and one entry's row, each with its CRLF, as LogAsCsv writes them.
const std::string& CsvHeader();
std::string CsvRow(const RequestLog& log, const LogEntry& entry);

// One field as RFC 4180 writes it.
std::string CsvField(const std::string& text);
