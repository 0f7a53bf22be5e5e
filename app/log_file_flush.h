#pragma once
// The --log file's rows reach the disk at least once a second, from the event loop.

#include <QObject>

class CsvLogFile;

// Flushes `file` twice a second for as long as `owner` lives.
void FlushLogFileEverySecond(CsvLogFile& file, QObject& owner);
