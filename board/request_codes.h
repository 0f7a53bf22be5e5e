#pragma once
// The board firmware's vendor request codes.

#include <cstdint>

enum class Request : uint8_t {
  ResetHigh = 0xDA,
  ResetLow = 0xDB,
  ClrHigh = 0xDC,
  Spi = 0xDD,  // write one 24-bit word (direction 0) or read back 3 bytes (direction 1)
  LdacPulse = 0xDE,
  ClrLow = 0xDF,
  Start = 0xE0,  // once after every firmware download
  LdacHigh = 0xE2,
  LdacLow = 0xE3,
};

inline constexpr uint8_t kDirectionOut = 0;
inline constexpr uint8_t kDirectionIn = 1;
inline constexpr int32_t kReadbackLength = 3;
