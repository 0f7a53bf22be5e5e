#pragma once
// What both ways of running share: the board link chosen from the command line, the session on
// it, with Reload USB able to take up a board plugged in after start, and the request log of
// everything the session sends (the window's Request Log pane shows it; --log writes it to a file).

#include <memory>
#include <string>

#include "board_choice.h"
#include "csv_log_file.h"
#include "firmware_lookup.h"
#include "request_log.h"
#include "session.h"

struct ProgramCore {
  ProgramCore(const Options& options, const std::string& exeFolder)
      : boards(options), link(boards.initial()), session(link, exeFolder) {
    link.setBoardChoice(options.board);
    UseFirmwareImage(options, exeFolder, link);
    session.setBeforeReload([this] { boards.beforeReload(link); });
  }
  ProgramCore(const ProgramCore&) = delete;
  ProgramCore& operator=(const ProgramCore&) = delete;

  // --log FILE: the request log written to FILE from now on. False, with `error` in one line,
  // when the file cannot be opened.
  bool startLogFile(const Options& options, std::string& error) {
    if (!options.logFile) return true;
    logFile = CsvLogFile::Open(session, log, *options.logFile, error);
    if (!logFile) error = "--log " + error;
    return logFile != nullptr;
  }

  BoardChoice boards;
  BoardLink link;
  Session session;
  RequestLog log{session};
  std::unique_ptr<CsvLogFile> logFile;  // with --log
};
