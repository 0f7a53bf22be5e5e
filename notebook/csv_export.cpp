#include "csv_export.h"

#include "log_columns.h"

namespace {

void AppendRow(std::string& csv, const RequestLog& log, const LogEntry& entry) {
  const auto text = [&](LogColumn column) { return CsvField(ColumnText(log, entry, column)); };
  csv += DateTimeText(entry.time);
  for (LogColumn column : {LogColumn::Request, LogColumn::Value, LogColumn::Index,
                           LogColumn::Direction, LogColumn::Length}) {
    csv += ',' + text(column);
  }
  csv += ',' + std::to_string(entry.request.status);
  for (LogColumn column :
       {LogColumn::Status, LogColumn::Word, LogColumn::Origin, LogColumn::Command}) {
    csv += ',' + text(column);
  }
  csv += "\r\n";
}

}  // namespace

const std::string& CsvHeader() {
  static const std::string header =
      "time,request,value,index,direction,length,status,status text,word,origin,command\r\n";
  return header;
}

std::string CsvRow(const RequestLog& log, const LogEntry& entry) {
  std::string row;
  AppendRow(row, log, entry);
  return row;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string LogAsCsv(const RequestLog& log) {
  std::string csv = CsvHeader();
  const Ring<LogEntry>& entries = log.entries();
  for (uint64_t n = entries.begin(); n < entries.end(); ++n) AppendRow(csv, log, entries.at(n));
  return csv;
}
