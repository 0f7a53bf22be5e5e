#pragma once
// What both ways of running share: the board link chosen from the command line, and the session
// on it, with Reload USB able to take up a board plugged in after start.

#include <string>

#include "board_choice.h"
#include "firmware_lookup.h"
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

  BoardChoice boards;
  BoardLink link;
  Session session;
};
