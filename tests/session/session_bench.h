#pragma once
// A session on the simulated board with a model chosen and started as the program starts it, and
// what the board received.

#include <string>
#include <vector>

#include "catalogue.h"
#include "request_codes.h"
#include "session.h"
#include "simulated_board.h"

struct SessionBench {
  explicit SessionBench(std::string_view model = "ZR810") {
    session.chooseModel(*FindPart(model));
    session.start({});
    board.clearRequests();
  }

  // The 24-bit words written since the last clear.
  std::vector<int32_t> words() const {
    std::vector<int32_t> sent;
    for (const auto& r : board.requests()) {
      if (r.code == static_cast<uint8_t>(Request::Spi) && r.direction == kDirectionOut)
        sent.push_back((r.index << 16) | r.value);
    }
    return sent;
  }
  // Every request code since the last clear.
  std::vector<int> codes() const {
    std::vector<int> sent;
    for (const auto& r : board.requests()) sent.push_back(r.code);
    return sent;
  }
  const DAC& record(int dac) const { return session.chip().DACs.at(static_cast<size_t>(dac)); }

  SimulatedBoard board;
  BoardLink link{board};
  Session session{link, "/nonexistent"};
};
