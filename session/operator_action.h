#pragma once
// What an operator or a remote client asked the session to do, with its plain values, and who
// asked. Listeners hear when an action starts and ends, so that every request in between can be
// put down to the action that made it (a write's own requests come after any action that ran
// inside its yield), and a recorded session can be replayed as commands.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "request_codes.h"
#include "session_listener.h"

struct OperatorAction {
  enum class Kind {
    Start,  // the connection sequence of start-up
    WriteRegister,
    ChooseDacSource,
    ChooseInputRegister,
    PulseLdac,
    WriteVoltage,
    WriteOffsetDac,
    SetReference,
    SetMonitorEnabled,
    ChooseMonitorItem,
    SetGpioMode,
    ReadGpio,
    LineRequest,
    PulseReset,
    PulseClr,
    PowerDownTest,
    ReadbackTest,
    DirectLoad,
    Reload,
    ReadRegister,    // one register read back: `number` the ReadbackItem, `dac` its record
    VerifyChip,      // every register read back and compared with the register model
    TakeChipValues,  // the chip's values of a verification's differences into the model
    SetChannelName,    // a channel's name (text); nothing is sent
    SetChannelLimits,  // a channel's limits (low, high; neither: none); nothing is sent
    Frame,             // several channels' input registers, then one LDAC pulse (frame)
  };
  Kind kind = Kind::Start;
  std::string origin{};  // who asked: the window's button caption, or "remote <address>"
  int dac = -1;          // the channel record
  ChannelRegister reg = ChannelRegister::X1A;
  int64_t code = 0;   // a register code, a word, an offset DAC code
  int number = 0;     // offset DAC or reference k, monitor item, GPIO mode
  bool flag = false;  // X2B as the source, input register B, monitor enabled
  double volts = 0.0;
  Request line = Request::Start;
  std::string text{};           // a reference text, a channel name
  std::optional<double> low{};  // a channel's limits
  std::optional<double> high{};
  // A frame: the channel records and the input codes written to them, in order.
  std::vector<std::pair<int, int32_t>> frame{};
};
