#include "action_command.h"

#include <array>
#include <cstdio>

#include "channel_number.h"
#include "chip_verification.h"
#include "number_format.h"
#include "reference_text.h"

namespace {

using Kind = OperatorAction::Kind;

// A code as the window's entry boxes hold it: hexadecimal, at least `digits` digits.
std::string Hex(int64_t code, int digits = 4) {
  if (code < 0 || code > 0xFFFFFFFF) return scpi::FormatInteger(code);
  char text[16];
  std::snprintf(text, sizeof text, "#H%0*llX", digits, static_cast<unsigned long long>(code));
  return text;
}

std::optional<std::string> Channel(const OperatorAction& action, const PartInfo* part) {
  const int n = ChannelOfRecord(part, action.dac);
  if (n < 0) return std::nullopt;
  return "DAC" + std::to_string(n) + ":";
}

std::string RegisterName(ChannelRegister reg) {
  constexpr std::array<const char*, 4> kNames{"X1A", "X1B", "M", "C"};
  return kNames.at(static_cast<size_t>(reg));
}

std::optional<std::string> LineCommand(Request line) {
  switch (line) {
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

std::optional<std::string> ChannelCommand(const OperatorAction& a, const PartInfo* part) {
  const std::optional<std::string> channel = Channel(a, part);
  if (!channel) return std::nullopt;
  switch (a.kind) {
    case Kind::WriteRegister:
      return *channel + RegisterName(a.reg) + " " + Hex(a.code);
    case Kind::ChooseDacSource:
      return *channel + "ABS " + (a.flag ? "B" : "A");
    case Kind::WriteVoltage:
      return *channel + "VOLT " + scpi::FormatReal(a.volts);
    default:
      return std::nullopt;
  }
}

// A channel register read back; the chip's own registers have no command of their own.
std::optional<std::string> ReadRegisterCommand(const OperatorAction& a, const PartInfo* part) {
  const auto item = static_cast<ReadbackItem>(a.number);
  const std::optional<ChannelRegister> reg = ChannelRegisterOf(item);
  const std::optional<std::string> channel = Channel(a, part);
  if (!reg || !channel) return std::nullopt;
  return *channel + RegisterName(*reg) + ":READ?";
}

std::optional<std::string> MonitorItemCommand(int item) {
  if (item < 0) return std::nullopt;
  if (item < 2) return "MON:SEL IN" + std::to_string(item);
  return "MON:SEL " + std::to_string(item - 2);
}

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// "DAC3:LIM:CLE;:DAC3:LIM:LOW -1;:DAC3:LIM:UPP 5": the limits replaced whatever they were.
std::string LimitsCommand(const OperatorAction& a, const std::string& channel) {
  std::string command = channel + "LIM:CLE";
  if (a.low) command += ";:" + channel + "LIM:LOW " + scpi::FormatReal(*a.low);
  if (a.high) command += ";:" + channel + "LIM:UPP " + scpi::FormatReal(*a.high);
  return command;
}

// "FRAM:CODE (@3,7),#H8000,#H1000".
std::optional<std::string> FrameCommand(const OperatorAction& a, const PartInfo* part) {
  std::string list;
  std::string codes;
  for (const auto& [dac, code] : a.frame) {
    const int n = ChannelOfRecord(part, dac);
    if (n < 0) return std::nullopt;
    list += (list.empty() ? "" : ",") + std::to_string(n);
    codes += "," + Hex(code);
  }
  if (list.empty()) return std::nullopt;
  return "FRAM:CODE (@" + list + ")" + codes;
}

std::optional<std::string> LabelOrFrameCommand(const OperatorAction& a, const PartInfo* part) {
  if (a.kind == Kind::Frame) return FrameCommand(a, part);
  const std::optional<std::string> channel = Channel(a, part);
  if (!channel) return std::nullopt;
  if (a.kind == Kind::SetChannelName) return *channel + "NAME " + Quoted(a.text);
  return LimitsCommand(a, *channel);
}

}  // namespace

std::optional<std::string> CommandOf(const OperatorAction& a, const PartInfo* part) {
  switch (a.kind) {
    case Kind::WriteRegister:
    case Kind::ChooseDacSource:
    case Kind::WriteVoltage:
      return ChannelCommand(a, part);
    case Kind::ChooseInputRegister:
      return std::string("CONT:INP ") + (a.flag ? "B" : "A");
    case Kind::PulseLdac:
      return "LDAC";
    case Kind::WriteOffsetDac:
      return "OFFS" + std::to_string(a.number) + " " + Hex(a.code);
    case Kind::SetReference:
      if (const auto volts = ParseReferenceVoltage(a.text)) {
        return "REF" + std::to_string(a.number) + " " + scpi::FormatReal(*volts);
      }
      return std::nullopt;
    case Kind::SetMonitorEnabled:
      return std::string("MON:STAT ") + (a.flag ? "ON" : "OFF");
    case Kind::ChooseMonitorItem:
      return MonitorItemCommand(a.number);
    case Kind::SetGpioMode: {
      constexpr std::array<const char*, 3> kModes{"INP", "LOW", "HIGH"};
      return std::string("GPIO:MODE ") + kModes.at(static_cast<size_t>(a.number));
    }
    case Kind::ReadGpio:
      return "GPIO:READ?";
    case Kind::LineRequest:
      return LineCommand(a.line);
    case Kind::PulseReset:
      return "*RST";
    case Kind::PulseClr:
      return "CONT:CLR PULS";
    case Kind::DirectLoad:
      return "WORD " + Hex(a.code, 6);
    case Kind::Reload:
      return "BOAR:REL";
    case Kind::ReadRegister:
      return ReadRegisterCommand(a, part);
    case Kind::VerifyChip:
      return "BOAR:VER?";
    case Kind::SetChannelName:
    case Kind::SetChannelLimits:
    case Kind::Frame:
      return LabelOrFrameCommand(a, part);
    case Kind::Start:
    case Kind::PowerDownTest:
    case Kind::ReadbackTest:
    case Kind::TakeChipValues:
      break;
  }
  return std::nullopt;
}
