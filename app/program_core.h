#pragma once
// What both ways of running share: the board link chosen from the command line, the session on
// it, with Reload USB able to take up a board plugged in after start, the sequence's timer, and
// the request log of everything the session sends (the window's Request Log pane shows it; --log
// writes it to a file).

#include <QObject>
#include <memory>
#include <string>

#include "board_choice.h"
#include "csv_log_file.h"
#include "event_loop_timer.h"
#include "firmware_lookup.h"
#include "request_log.h"
#include "session.h"

struct ProgramCore {
  ProgramCore(const Options& options, const std::string& exeFolder);
  ProgramCore(const ProgramCore&) = delete;
  ProgramCore& operator=(const ProgramCore&) = delete;

  // --log FILE: the request log written to FILE from now on. False, with the reason said on
  // stderr in one line, when the file cannot be opened.
  bool openLogFile(const Options& options);
  // The work of the event loop while `owner` lives: the probe of a board gone silent, once a
  // second, and the --log file's flush.
  void runTimers(QObject& owner);

  BoardChoice boards;
  BoardLink link;
  EventLoopTimer sequenceTimer;  // outlives the session that plays sequences on it
  Session session;
  RequestLog log{session};
  std::unique_ptr<CsvLogFile> logFile;  // with --log
};
