#pragma once
// Reading the chip back and comparing it with the register model: which registers a verification
// reads, and what it found.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalogue.h"
#include "channel_register.h"
#include "readback_select.h"
#include "refusal.h"

// One register read back: its code, or why the request failed ("request DD failed: ...").
struct ReadbackResult {
  std::optional<int32_t> code;
  std::string failure;
};

// A register a verification reads: a channel register of record `dac`, or a register of the
// chip (dac -1).
struct VerifiedRegister {
  ReadbackItem item = ReadbackItem::X1A;
  int dac = -1;
  int32_t selectWord = 0;  // the readback select word that names it
};

// A register whose chip value is not the register model's. The control register is compared by
// its input-route bit alone and an A/B select register by its group's members alone: both values
// hold those bits only.
struct RegisterDifference {
  ReadbackItem item = ReadbackItem::X1A;
  int dac = -1;      // the channel record of a channel register, -1 otherwise
  int channel = -1;  // the channel number as the window labels it, -1 for the chip's registers
  int32_t model = 0;
  int32_t chip = 0;
  bool operator==(const RegisterDifference&) const = default;
};

struct ChipVerification {
  int total = 0;  // registers the verification reads
  int read = 0;   // registers read back before it ended
  std::vector<RegisterDifference> differences;
  std::string failure;  // the failed request that ended the verification; empty otherwise
  bool complete() const { return failure.empty() && read == total; }
  bool agrees() const { return complete() && differences.empty(); }
};

// Told after each register read back: how many of how many.
using VerifyProgress = std::function<void(int done, int total)>;

// The registers a verification of `part` reads, in order: X1A, X1B, M and C of every channel in
// the order of the channel numbers, the control register, the offset DACs the model shows, and
// the A/B select register of every group that holds a channel.
std::vector<VerifiedRegister> VerifiedRegisters(const PartInfo& part);

// The bits of a register the verification compares (the route bit of the control register, the
// members' bits of an A/B select register); everything for the others.
int32_t ComparedBits(const PartInfo& part, ReadbackItem item, int32_t code);

class Session;

// The writes of a setup restore of the register model as it stands (saved_setup_steps.h), so
// that the chip holds the model again; the references, which are never sent, are left alone.
// Refused, with nothing sent, without a model or while LDAC is held low.
Refused WriteModelToChip(Session& session);
