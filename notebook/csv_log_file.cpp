#include "csv_log_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "csv_export.h"

std::unique_ptr<CsvLogFile> CsvLogFile::Open(Session& session, const RequestLog& log,
                                             const std::string& path, std::string& error) {
  // The path as UTF-8, whatever the platform's narrow encoding.
  const std::filesystem::path where(std::u8string(path.begin(), path.end()));
  errno = 0;
  std::ofstream file(where, std::ios::binary | std::ios::trunc);
  if (!file) {
    error = path + ": cannot be opened for writing" +
            (errno != 0 ? std::string(" (") + std::strerror(errno) + ")" : std::string());
    return nullptr;
  }
  file << CsvHeader();
  file.flush();
  return std::unique_ptr<CsvLogFile>(new CsvLogFile(session, log, std::move(file)));
}

CsvLogFile::CsvLogFile(Session& session, const RequestLog& log, std::ofstream file)
    : session_(session), log_(log), file_(std::move(file)) {
  session_.addListener(*this);
}

CsvLogFile::~CsvLogFile() {
  session_.removeListener(*this);
  flush();
}

void CsvLogFile::flush() {
  file_.flush();
}

// The log heard of the request first: its entry is the newest.
void CsvLogFile::requestDone(const RequestRecord& /*request*/) {
  const Ring<LogEntry>& entries = log_.entries();
  if (entries.end() == entries.begin()) return;
  file_ << CsvRow(log_, entries.at(entries.end() - 1));
}
