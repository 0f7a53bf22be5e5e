#pragma once
// A setup: the chip model and every value of the register model that the operator sets, as the
// setup file holds it and as *LRN? gives it. Capturing it reads a session; restoring it makes the
// register model of a session of the same model equal to the saved one, as the writes the
// operator would make (saved_setup_steps.h lists them in their order).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "refusal.h"
#include "session.h"

// One channel as the window labels it: its registers, its A/B select, the corrected codes and
// the DAC register. X2A and X2B are what the chip holds, which is not always what X1, M and C
// give: a gain or offset write recomputes only the X2 of the present input register route.
struct SavedChannel {
  int32_t x1a = 0;
  int32_t x1b = 0;
  int32_t m = 0;
  int32_t c = 0;
  bool fromX2B = false;  // A/B select: the DAC register takes X2B
  int32_t x2a = 0;
  int32_t x2b = 0;
  int32_t dacRegister = 0;
  ChannelLabel label{};  // the channel's name and output limits
  bool operator==(const SavedChannel&) const = default;
};

// The saved code of a channel register.
int32_t& SavedRegister(SavedChannel& ch, ChannelRegister reg);
int32_t SavedRegister(const SavedChannel& ch, ChannelRegister reg);

// The monitor multiplexer: on or off, and what it watches. With a monitor input chosen the chip
// keeps bits 3..1 of the last channel chosen beside it; `channel` holds that channel then (its
// lowest bit is the input's number and is not kept).
enum class MonitorSource { Channel, Input0, Input1 };
struct SavedMonitor {
  bool enabled = false;
  MonitorSource source = MonitorSource::Channel;
  int channel = 0;
  bool operator==(const SavedMonitor&) const = default;
};

struct SavedSetup {
  std::string model{};
  std::vector<SavedChannel> channels{};  // index = channel number as the window labels it
  // Every DAC register holds the X2 its A/B select names (the last change was followed by an
  // LDAC): the restore then ends with an LDAC pulse.
  bool dacRegistersLoaded = true;
  std::vector<int32_t> offsetDacs{};  // offset DAC 0, 1 (and 2 where the model shows it)
  std::vector<double> references{};   // VREF0, VREF1 (and VREF2 where the model shows it), volts
  bool inputRegisterB = false;        // X writes reach input register B
  std::optional<SavedMonitor> monitor{};  // the models with a monitor and GPIO pin
  std::optional<GpioMode> gpio{};
  bool operator==(const SavedSetup&) const = default;
};

// Whether any channel of the setup has a name or a limit. A setup without any leaves the
// session's names and limits as they are; one with them replaces every channel's.
bool HasLabels(const SavedSetup& setup);

// How many offset DACs and references the setup of `part` lists: the ones the window shows.
int OffsetDacCount(const PartInfo& part);
int ReferenceCount(const PartInfo& part);

// The session's setup. Refused (and `setup` still filled) when no model is chosen or when a
// reference text is not a number: that reference is NaN in `setup` then.
Refused CaptureSetup(const Session& session, SavedSetup& setup);

// Whether the setup can be restored as it stands: its model known, every list as long as the
// model has items, every code within its register, every X2 one that writes can leave there.
// The refusal's text starts with the key it is about, as the setup file names it
// ("channels[3].x1a: ...").
Refused CheckSetup(const SavedSetup& setup);

// Checks the setup against the session (the same model, LDAC not held low: the DAC registers
// would follow every write, no limited output taken out of its range by the outputs the setup
// ends with) and then restores it. Refused: nothing sent, nothing changed.
Refused RestoreSetup(Session& session, const SavedSetup& setup);
