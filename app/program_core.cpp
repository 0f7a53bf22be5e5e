#include "program_core.h"

#include <cstdio>

#include "log_file_flush.h"
#include "silent_board_probe.h"

ProgramCore::ProgramCore(const Options& options, const std::string& exeFolder)
    : boards(options), link(boards.initial()), session(link, exeFolder) {
  link.setBoardChoice(options.board);
  UseFirmwareImage(options, exeFolder, link);
  session.setBeforeReload([this] { boards.beforeReload(link); });
  session.sequencer().setTimer(&sequenceTimer);
}

bool ProgramCore::openLogFile(const Options& options) {
  if (!options.logFile) return true;
  std::string error;
  logFile = CsvLogFile::Open(session, log, *options.logFile, error);
  if (!logFile) std::fprintf(stderr, "dac-eval: --log %s\n", error.c_str());
  return logFile != nullptr;
}

void ProgramCore::runTimers(QObject& owner) {
  ProbeSilentBoardEverySecond(session, owner);
  if (logFile) FlushLogFileEverySecond(*logFile, owner);
}
