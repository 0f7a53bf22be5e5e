#pragma once
// A failed board request in words, for the status bar and for remote clients:
// "request DD (word 0C0020) failed: board unplugged".

#include <string>

#include "board_link.h"

std::string RequestFailureText(const VendorDriver& driver, const RequestRecord& request);

// Why the last connection sequence loaded no board: "No board attached" with the reason the link
// gives ("no permission to open the board: see the README ..."); empty when a board is loaded.
std::string NoBoardText(const BoardLink& link);
