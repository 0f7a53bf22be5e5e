#pragma once
// A fresh simulated board, link and session for every fuzz input, started as the program starts
// them, in the same places each time: what was built once over the session (the command tree)
// finds each input's session where it looks for it.

#include <optional>

#include "catalogue.h"
#include "session.h"
#include "simulated_board.h"

struct FreshSession {
  std::optional<SimulatedBoard> board;
  std::optional<BoardLink> link;
  std::optional<Session> session;

  Session& start(const PartInfo& part) {
    session.reset();
    link.reset();
    board.emplace();
    link.emplace(*board);
    session.emplace(*link, "/nonexistent");
    session->chooseModel(part);
    session->start({});
    board->clearRequests();
    return *session;
  }
};
