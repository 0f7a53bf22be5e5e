#pragma once
// A read buffer holding the reply of an earlier board: the link reads `bytes` back through a
// driver that answers with them, then goes back to `board`, as after a Reload USB onto another
// board. A readback that fills the buffer again shows none of them.

#include <utility>
#include <vector>

#include "board_link.h"
#include "fake_driver.h"

inline void LeaveStaleReply(BoardLink& link, VendorDriver& board, std::vector<uint8_t> bytes) {
  FakeDriver earlier;
  earlier.readReply = std::move(bytes);
  link.setDriver(earlier);
  (void)link.SPIread();
  link.setDriver(board);
}
