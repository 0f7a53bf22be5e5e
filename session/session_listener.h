#pragma once
// What a view of the session is told when the chip-facing state changes, whoever changed it: the
// window follows a remote write at once, and logs follow every request.

#include <cstdint>
#include <string>

#include "board_link.h"
#include "channel_register.h"

struct OperatorAction;
struct Refusal;

class SessionListener {
 public:
  virtual ~SessionListener() = default;

  // An action begins and ends; actions nest when one runs inside another's yield.
  virtual void actionStarted(const OperatorAction& /*action*/) {}
  virtual void actionEnded() {}
  // The action running was refused: it stored and sent nothing (heard before its end).
  virtual void actionRefused(const Refusal& /*refusal*/) {}
  // A register of channel record `dac` took a new value.
  virtual void registerStored(int /*dac*/, ChannelRegister /*reg*/) {}
  // X2A (or X2B) of the record was recomputed.
  virtual void correctedCodeChanged(int /*dac*/, bool /*registerB*/) {}
  // DACreg of the record was loaded from its X2A or X2B.
  virtual void dacRegisterLoaded(int /*dac*/) {}
  // ABsel of the record changed.
  virtual void dacSourceChanged(int /*dac*/) {}
  // The input register that channel X writes reach (the chip's control register) changed.
  virtual void inputRegisterChanged() {}
  // Every record, the input register and the A/B choices are back at the reset state.
  virtual void registersReset() {}
  // The model's default offset DAC codes and references were put in place.
  virtual void defaultsApplied() {}
  virtual void offsetDacWritten(int /*k*/) {}
  virtual void referenceChanged(int /*k*/) {}
  virtual void monitorChanged() {}
  virtual void gpioModeChanged() {}
  virtual void gpioLevelRead() {}
  // A 24-bit word is about to go to the board.
  virtual void wordShown(int32_t /*word*/) {}
  // A request went to the board and came back with its status.
  virtual void requestDone(const RequestRecord& /*request*/) {}
  // The board link was opened again (start-up, Reload USB).
  virtual void linkChanged() {}
  // A remote client took or gave back the window (SYSTem:REMote, RWLock, LOCal).
  virtual void remoteModeChanged() {}
  // A board marked as not answering answers again.
  virtual void boardAnswering() {}
  // The name or the limits of channel record `dac` changed.
  virtual void channelLabelChanged(int /*dac*/) {}
  // An action that is never refused (RESET, CLR, power-down, reload), or a new limit, left a
  // limited output outside its range: `text` says which.
  virtual void limitWarning(const std::string& /*text*/) {}
  // A sequence started, played a frame, or ended.
  virtual void sequenceChanged() {}
};
