#pragma once
// The four registers of a channel that the operator writes, and everything the program knows of
// each by name, in one table: the word that writes it, how the chip decodes that word, whose
// corrected code it recomputes, its readback, the command tree's mnemonic, the setup file's key
// and the caption of the window's button that writes it (which the request log shows as who
// asked). The session, the command tree, the setup file, the command of an action and the window
// all read this table.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "chip_word.h"
#include "command_word.h"
#include "dac.h"
#include "readback_select.h"

enum class ChannelRegister { X1A, X1B, M, C };

// The input register whose corrected code (X2) a write of the register recomputes: its own, or
// the one of the control register's present route.
enum class RecomputedInput { A, B, Route };

struct ChannelRegisterRow {
  ChannelRegister reg;
  int32_t mode;             // the mode bits of the channel-register word (Mode::X, M, C)
  ChipWord::Target target;  // what the chip makes of that word
  RecomputedInput recomputes;
  ReadbackItem readback;
  std::string_view mnemonic;  // "DAC<n>:X1A" of the command tree, and a verification's list
  std::string_view setupKey;  // the key in a channel object of the setup file
  std::string_view caption;   // the window's button that writes it
  // How many times the window's write of it yields to pending events before its word goes out.
  int yields;
  int32_t (DAC::*value)() const;
  void (DAC::*store)(int32_t);
};

inline constexpr std::array<ChannelRegisterRow, 4> kChannelRegisters{{
    {ChannelRegister::X1A, Mode::X, ChipWord::Target::InputRegister, RecomputedInput::A,
     ReadbackItem::X1A, "X1A", "x1a", "X >>", 1, &DAC::X1A, &DAC::setX1A},
    {ChannelRegister::X1B, Mode::X, ChipWord::Target::InputRegister, RecomputedInput::B,
     ReadbackItem::X1B, "X1B", "x1b", "X >>", 1, &DAC::X1B, &DAC::setX1B},
    {ChannelRegister::M, Mode::M, ChipWord::Target::Gain, RecomputedInput::Route, ReadbackItem::M,
     "M", "m", "M >>", 1, &DAC::M, &DAC::setM},
    {ChannelRegister::C, Mode::C, ChipWord::Target::Offset, RecomputedInput::Route, ReadbackItem::C,
     "C", "c", "C >>", 2, &DAC::C, &DAC::setC},
}};

// The rows stand in the order of the registers, and each register's readback is named as the
// register is, so that a verification's list and the commands use one name.
constexpr bool ChannelRegistersInOrder() {
  for (std::size_t i = 0; i < kChannelRegisters.size(); ++i) {
    const ChannelRegisterRow& row = kChannelRegisters[i];
    if (static_cast<std::size_t>(row.reg) != i) return false;
    const ReadbackSelectRow& readback =
        kReadbackSelectTable[static_cast<std::size_t>(row.readback)];
    if (readback.numberField >= 0 || readback.name != row.mnemonic) return false;
  }
  return true;
}
static_assert(ChannelRegistersInOrder());

inline const ChannelRegisterRow& RegisterRow(ChannelRegister reg) {
  return kChannelRegisters.at(static_cast<std::size_t>(reg));
}

int32_t RegisterValue(const DAC& record, ChannelRegister reg);
void StoreRegister(DAC& record, ChannelRegister reg, int32_t code);

// The channel register a readback item names, or nothing for the chip's own registers.
std::optional<ChannelRegister> ChannelRegisterOf(ReadbackItem item);

// The register a channel word of `target` reaches while the control register routes X writes to
// input register B (`routeB`) or A; nothing for a word that is no channel word.
std::optional<ChannelRegister> RegisterOfWord(ChipWord::Target target, bool routeB);
