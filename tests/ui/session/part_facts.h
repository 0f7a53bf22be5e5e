#pragma once
// What the session test knows about each catalogue row, written down independently of the
// program's own tables: resolution, power-on code, default offset DAC code and reference text,
// and whether the channels come in two groups of four (records 0..3 and 8..11).

#include <array>
#include <cstdint>

namespace session {

struct PartFacts {
  const char* name;
  int bits;
  int32_t resetCode;
  int32_t offsetDefault;
  const char* referenceDefault;
  bool fourChannelGroups;
};

inline constexpr std::array<PartFacts, 8> kPartFacts = {{
    {"ZR810", 16, 0x8000, 0x2000, "5", false},
    {"ZR811", 14, 0x2000, 0x2000, "5", false},
    {"ZR812", 16, 0x8000, 0x2000, "5", true},
    {"ZR813", 14, 0x2000, 0x2000, "5", true},
    {"ZR820", 16, 0x5554, 0x1555, "3", false},
    {"ZR821", 14, 0x1555, 0x1555, "3", false},
    {"ZR822", 16, 0x5554, 0x1555, "3", false},
    {"ZR823", 14, 0x1555, 0x1555, "3", false},
}};

inline const PartFacts& FactsOf(int part) {
  return kPartFacts.at(static_cast<std::size_t>(part));
}

}  // namespace session
