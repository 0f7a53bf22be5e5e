#include "log_file_flush.h"

#include <QTimer>

#include "csv_log_file.h"

namespace {
constexpr int kFlushIntervalMs = 500;
}  // namespace

void FlushLogFileEverySecond(CsvLogFile& file, QObject& owner) {
  auto* timer = new QTimer(&owner);
  timer->setInterval(kFlushIntervalMs);
  QObject::connect(timer, &QTimer::timeout, &owner, [&file] { file.flush(); });
  timer->start();
}
