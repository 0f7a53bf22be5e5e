#pragma once
// What an operator or a remote client asked the session to do, and who asked. Each action is a
// small value with its own named parameters, and runs itself on a session (action_run.cpp) as
// the session function that carries it out; the command that repeats it is the instrument's
// (instrument/action_command.h). Listeners hear when an action starts and ends, so that every
// request in between can be put down to the action that made it (a write's own requests come
// after any action that ran inside its yield), and a recorded session can be replayed as
// commands.
//
// Adding an action: its type here (in AnyAction), its `run`, the session function it calls, the
// control that starts it, and the command that repeats it.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "channel_register.h"
#include "chip_verification.h"
#include "gpio_mode.h"
#include "readback_select.h"
#include "refusal.h"
#include "request_codes.h"

class Session;

namespace actions {

// The connection sequence of start-up.
struct Start {
  Refused run(Session& session) const;
  bool operator==(const Start&) const = default;
};

// A code stored in a register of channel record `dac`, and its word sent.
struct WriteRegister {
  int dac = -1;
  ChannelRegister reg = ChannelRegister::X1A;
  int64_t code = 0;
  Refused run(Session& session) const;
  bool operator==(const WriteRegister&) const = default;
};

// Which X2 the DAC register of record `dac` takes.
struct ChooseDacSource {
  int dac = -1;
  bool fromX2B = false;
  Refused run(Session& session) const;
  bool operator==(const ChooseDacSource&) const = default;
};

// Which input register X writes reach.
struct ChooseInputRegister {
  bool registerB = false;
  Refused run(Session& session) const;
  bool operator==(const ChooseInputRegister&) const = default;
};

struct PulseLdac {
  Refused run(Session& session) const;
  bool operator==(const PulseLdac&) const = default;
};

// The code of record `dac` whose output after the next LDAC lies nearest to `volts`.
struct WriteVoltage {
  int dac = -1;
  double volts = 0.0;
  Refused run(Session& session) const;
  bool operator==(const WriteVoltage&) const = default;
};

struct WriteOffsetDac {
  int k = 0;  // offset DAC 0..2
  int64_t code = 0;
  Refused run(Session& session) const;
  bool operator==(const WriteOffsetDac&) const = default;
};

// Reference k's text, as typed: a number of volts or anything else.
struct SetReference {
  int k = 0;
  std::string text{};
  Refused run(Session& session) const;
  bool operator==(const SetReference&) const = default;
};

struct SetMonitorEnabled {
  bool enabled = false;
  Refused run(Session& session) const;
  bool operator==(const SetMonitorEnabled&) const = default;
};

// Item of the monitored-channel list: 0 "Mon_In0", 1 "Mon_In1", 2 + n channel n, -1 none.
struct ChooseMonitorItem {
  int item = -1;
  Refused run(Session& session) const;
  bool operator==(const ChooseMonitorItem&) const = default;
};

struct SetGpioMode {
  GpioMode mode = GpioMode::Input;
  Refused run(Session& session) const;
  bool operator==(const SetGpioMode&) const = default;
};

struct ReadGpio {
  Refused run(Session& session) const;
  bool operator==(const ReadGpio&) const = default;
};

// A hold button: RESET, CLR or LDAC high or low.
struct LineRequest {
  Request line = Request::Start;
  Refused run(Session& session) const;
  bool operator==(const LineRequest&) const = default;
};

struct PulseReset {
  Refused run(Session& session) const;
  bool operator==(const PulseReset&) const = default;
};

struct PulseClr {
  Refused run(Session& session) const;
  bool operator==(const PulseClr&) const = default;
};

struct PowerDownTest {
  Refused run(Session& session) const;
  bool operator==(const PowerDownTest&) const = default;
};

struct ReadbackTest {
  Refused run(Session& session) const;
  bool operator==(const ReadbackTest&) const = default;
};

// Any 24-bit word, sent as it is.
struct DirectLoad {
  int64_t word = 0;
  Refused run(Session& session) const;
  bool operator==(const DirectLoad&) const = default;
};

// Reload USB.
struct Reload {
  Refused run(Session& session) const;
  bool operator==(const Reload&) const = default;
};

// One register read back; `dac` the channel record of a channel register, -1 otherwise.
struct ReadRegister {
  ReadbackItem item = ReadbackItem::X1A;
  int dac = -1;
  Refused run(Session& session) const;
  bool operator==(const ReadRegister&) const = default;
};

// Every register read back and compared with the register model.
struct VerifyChip {
  Refused run(Session& session) const;
  bool operator==(const VerifyChip&) const = default;
};

// The chip's values of a verification's differences taken into the register model.
struct TakeChipValues {
  std::vector<RegisterDifference> differences{};
  Refused run(Session& session) const;
  bool operator==(const TakeChipValues&) const = default;
};

// A channel's name; nothing is sent.
struct SetChannelName {
  int dac = -1;
  std::string name{};
  Refused run(Session& session) const;
  bool operator==(const SetChannelName&) const = default;
};

// A channel's limits replaced by `low` and `high` (either may be absent); nothing is sent.
struct SetChannelLimits {
  int dac = -1;
  std::optional<double> low{};
  std::optional<double> high{};
  Refused run(Session& session) const;
  bool operator==(const SetChannelLimits&) const = default;
};

// Several channels' input registers, then one LDAC pulse: the channel records and the input
// codes written to them, in order.
struct Frame {
  std::vector<std::pair<int, int32_t>> codes{};
  Refused run(Session& session) const;
  bool operator==(const Frame&) const = default;
};

}  // namespace actions

using AnyAction = std::variant<
    actions::Start, actions::WriteRegister, actions::ChooseDacSource, actions::ChooseInputRegister,
    actions::PulseLdac, actions::WriteVoltage, actions::WriteOffsetDac, actions::SetReference,
    actions::SetMonitorEnabled, actions::ChooseMonitorItem, actions::SetGpioMode, actions::ReadGpio,
    actions::LineRequest, actions::PulseReset, actions::PulseClr, actions::PowerDownTest,
    actions::ReadbackTest, actions::DirectLoad, actions::Reload, actions::ReadRegister,
    actions::VerifyChip, actions::TakeChipValues, actions::SetChannelName,
    actions::SetChannelLimits, actions::Frame>;

struct OperatorAction {
  AnyAction what{};
  std::string origin{};  // who asked: the window's button caption, or "remote <address>"
};

// Carries out `action` on the session, as the operator's action: a replayed step.
Refused RunStep(Session& session, const AnyAction& action);

// The visitor of several lambdas: std::visit(Overloaded{[](const actions::Start&) {...}, ...}, a).
template <class... Cases>
struct Overloaded : Cases... {
  using Cases::operator()...;
};
template <class... Cases>
Overloaded(Cases...) -> Overloaded<Cases...>;
