#pragma once
// The request log written to a file as CSV while the program runs (--log FILE): the header when
// the file is opened, then each request's row as the log takes it, in the columns of the CSV
// export. Rows wait in the stream's buffer until flush(), which the program calls at least once a
// second, and at the end.

#include <fstream>
#include <memory>
#include <string>

#include "request_log.h"

class CsvLogFile : public SessionListener {
 public:
  // Creates `path` (emptying a file that is there) and writes the header; nullptr, with `error`
  // saying why in one line, when it cannot be opened for writing. The file hears the session
  // after `log`, which must outlive it.
  static std::unique_ptr<CsvLogFile> Open(Session& session, const RequestLog& log,
                                          const std::string& path, std::string& error);
  ~CsvLogFile() override;
  CsvLogFile(const CsvLogFile&) = delete;
  CsvLogFile& operator=(const CsvLogFile&) = delete;

  void flush();

 private:
  CsvLogFile(Session& session, const RequestLog& log, std::ofstream file);
  void requestDone(const RequestRecord& request) override;

  Session& session_;
  const RequestLog& log_;
  std::ofstream file_;
};
