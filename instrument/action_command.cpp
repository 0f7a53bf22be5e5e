#include "action_command.h"

#include <array>
#include <cstdio>
#include <type_traits>
#include <variant>

#include "channel_number.h"
#include "number_format.h"
#include "reference_text.h"

namespace {

// A code as the window's entry boxes hold it: hexadecimal, at least `digits` digits.
std::string Hex(int64_t code, int digits = 4) {
  if (code < 0 || code > 0xFFFFFFFF) return scpi::FormatInteger(code);
  char text[16];
  std::snprintf(text, sizeof text, "#H%0*llX", digits, static_cast<unsigned long long>(code));
  return text;
}

// "DAC<n>:" of channel record `dac`; nothing for a record the model lacks.
std::optional<std::string> Channel(int dac, const PartInfo* part) {
  const int n = ChannelOfRecord(part, dac);
  if (n < 0) return std::nullopt;
  return "DAC" + std::to_string(n) + ":";
}

std::string RegisterName(ChannelRegister reg) {
  return std::string(RegisterRow(reg).mnemonic);
}

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::optional<std::string> CommandFor(const actions::Start&, const PartInfo*) {
  return std::nullopt;
}

std::optional<std::string> CommandFor(const actions::WriteRegister& a, const PartInfo* part) {
  const std::optional<std::string> channel = Channel(a.dac, part);
  if (!channel) return std::nullopt;
  return *channel + RegisterName(a.reg) + " " + Hex(a.code);
}

std::optional<std::string> CommandFor(const actions::ChooseDacSource& a, const PartInfo* part) {
  const std::optional<std::string> channel = Channel(a.dac, part);
  if (!channel) return std::nullopt;
  return *channel + "ABS " + (a.fromX2B ? "B" : "A");
}

std::optional<std::string> CommandFor(const actions::ChooseInputRegister& a, const PartInfo*) {
  return std::string("CONT:INP ") + (a.registerB ? "B" : "A");
}

std::optional<std::string> CommandFor(const actions::PulseLdac&, const PartInfo*) {
  return "LDAC";
}

std::optional<std::string> CommandFor(const actions::WriteVoltage& a, const PartInfo* part) {
  const std::optional<std::string> channel = Channel(a.dac, part);
  if (!channel) return std::nullopt;
  return *channel + "VOLT " + scpi::FormatReal(a.volts);
}

std::optional<std::string> CommandFor(const actions::WriteOffsetDac& a, const PartInfo*) {
  return "OFFS" + std::to_string(a.k) + " " + Hex(a.code);
}

std::optional<std::string> CommandFor(const actions::SetReference& a, const PartInfo*) {
  const std::optional<double> volts = ParseReferenceVoltage(a.text);
  if (!volts) return std::nullopt;
  return "REF" + std::to_string(a.k) + " " + scpi::FormatReal(*volts);
}

std::optional<std::string> CommandFor(const actions::SetMonitorEnabled& a, const PartInfo*) {
  return std::string("MON:STAT ") + (a.enabled ? "ON" : "OFF");
}

std::optional<std::string> CommandFor(const actions::ChooseMonitorItem& a, const PartInfo*) {
  if (a.item < 0) return std::nullopt;
  if (a.item < 2) return "MON:SEL IN" + std::to_string(a.item);
  return "MON:SEL " + std::to_string(a.item - 2);
}

std::optional<std::string> CommandFor(const actions::SetGpioMode& a, const PartInfo*) {
  constexpr std::array<const char*, 3> kModes{"INP", "LOW", "HIGH"};
  return std::string("GPIO:MODE ") + kModes.at(static_cast<size_t>(a.mode));
}

std::optional<std::string> CommandFor(const actions::ReadGpio&, const PartInfo*) {
  return "GPIO:READ?";
}

std::optional<std::string> CommandFor(const actions::LineRequest& a, const PartInfo*) {
  switch (a.line) {
    case Request::ResetHigh:
      return "CONT:RES HIGH";
    case Request::ResetLow:
      return "CONT:RES LOW";
    case Request::ClrHigh:
      return "CONT:CLR HIGH";
    case Request::ClrLow:
      return "CONT:CLR LOW";
    case Request::LdacHigh:
      return "CONT:LDAC HIGH";
    case Request::LdacLow:
      return "CONT:LDAC LOW";
    default:
      return std::nullopt;
  }
}

std::optional<std::string> CommandFor(const actions::PulseReset&, const PartInfo*) {
  return "*RST";
}

std::optional<std::string> CommandFor(const actions::PulseClr&, const PartInfo*) {
  return "CONT:CLR PULS";
}

// The hidden test buttons have no command.
std::optional<std::string> CommandFor(const actions::PowerDownTest&, const PartInfo*) {
  return std::nullopt;
}

std::optional<std::string> CommandFor(const actions::ReadbackTest&, const PartInfo*) {
  return std::nullopt;
}

std::optional<std::string> CommandFor(const actions::DirectLoad& a, const PartInfo*) {
  return "WORD " + Hex(a.word, 6);
}

std::optional<std::string> CommandFor(const actions::Reload&, const PartInfo*) {
  return "BOAR:REL";
}

// A channel register read back; the chip's own registers have no command of their own.
std::optional<std::string> CommandFor(const actions::ReadRegister& a, const PartInfo* part) {
  const std::optional<ChannelRegister> reg = ChannelRegisterOf(a.item);
  const std::optional<std::string> channel = Channel(a.dac, part);
  if (!reg || !channel) return std::nullopt;
  return *channel + RegisterName(*reg) + ":READ?";
}

std::optional<std::string> CommandFor(const actions::VerifyChip&, const PartInfo*) {
  return "BOAR:VER?";
}

// The chip's values come from the verification before: no command takes them.
std::optional<std::string> CommandFor(const actions::TakeChipValues&, const PartInfo*) {
  return std::nullopt;
}

std::optional<std::string> CommandFor(const actions::SetChannelName& a, const PartInfo* part) {
  const std::optional<std::string> channel = Channel(a.dac, part);
  if (!channel) return std::nullopt;
  return *channel + "NAME " + Quoted(a.name);
}

// "DAC3:LIM:CLE;:DAC3:LIM:LOW -1;:DAC3:LIM:UPP 5": the limits replaced whatever they were.
std::optional<std::string> CommandFor(const actions::SetChannelLimits& a, const PartInfo* part) {
  const std::optional<std::string> channel = Channel(a.dac, part);
  if (!channel) return std::nullopt;
  std::string command = *channel + "LIM:CLE";
  if (a.low) command += ";:" + *channel + "LIM:LOW " + scpi::FormatReal(*a.low);
  if (a.high) command += ";:" + *channel + "LIM:UPP " + scpi::FormatReal(*a.high);
  return command;
}

// "FRAM:CODE (@3,7),#H8000,#H1000".
std::optional<std::string> CommandFor(const actions::Frame& a, const PartInfo* part) {
  std::string list;
  std::string codes;
  for (const auto& [dac, code] : a.codes) {
    const int n = ChannelOfRecord(part, dac);
    if (n < 0) return std::nullopt;
    list += (list.empty() ? "" : ",") + std::to_string(n);
    codes += "," + Hex(code);
  }
  if (list.empty()) return std::nullopt;
  return "FRAM:CODE (@" + list + ")" + codes;
}

}  // namespace

std::optional<std::string> CommandOf(const AnyAction& action, const PartInfo* part) {
  return std::visit(
      [part](const auto& a) {
        // The overload of exactly this action: one missing is an error, not a call of this one.
        std::optional<std::string> (*command)(const std::decay_t<decltype(a)>&, const PartInfo*) =
            CommandFor;
        return command(a, part);
      },
      action);
}

std::optional<std::string> CommandOf(const OperatorAction& action, const PartInfo* part) {
  return CommandOf(action.what, part);
}
