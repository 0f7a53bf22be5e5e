#include "chip_verification.h"

#include <set>
#include <variant>

#include "command_word.h"
#include "saved_setup.h"
#include "saved_setup_steps.h"
#include "session.h"

std::vector<VerifiedRegister> VerifiedRegisters(const PartInfo& part) {
  std::vector<VerifiedRegister> list;
  std::set<int> groups;
  const std::vector<int> records = ChannelRecords(part);
  for (const int dac : records) {
    for (const ChannelRegisterRow& row : kChannelRegisters) {
      list.push_back(
          {row.readback, dac, ReadbackSelectWord(ReadbackSelectData(row.readback, dac))});
    }
    groups.insert(dac / kGroupSize);
  }
  const auto chipRegister = [&list](ReadbackItem item) {
    list.push_back({item, -1, ReadbackSelectWord(ReadbackSelectData(item))});
  };
  chipRegister(ReadbackItem::Control);
  for (int k = 0; k < OffsetDacCount(part); ++k) chipRegister(OffsetDacItem(k));
  for (const int group : groups) chipRegister(ABSelectItem(group));
  return list;
}

int32_t ComparedBits(const PartInfo& part, ReadbackItem item, int32_t code) {
  if (item == ReadbackItem::Control) return code & kControlInputB;
  if (item >= ReadbackItem::ABSelect0 && item <= ReadbackItem::ABSelect4) {
    const int members = part.fourChannelGroups ? 4 : kGroupSize;
    return code & ((1 << members) - 1);
  }
  return code;
}

namespace {
constexpr double kStandInReference = 1.0;  // volts
}  // namespace

Refused WriteModelToChip(Session& session) {
  const PartInfo* part = session.chip().part();
  if (part == nullptr) return Refusal{Refusal::Kind::Conflict, "no chip model is chosen", ""};
  SavedSetup setup;
  (void)CaptureSetup(session, setup);  // a reference that is not a number is not sent anyway
  // The references are never sent and their steps are left out below: a voltage every reference
  // takes stands in for them, so that the check is about the chip's registers alone.
  for (double& volts : setup.references) volts = kStandInReference;
  if (Refused refused = CheckSetup(setup)) return refused;
  if (session.ldacHeldLow()) {
    return Refusal{Refusal::Kind::Conflict,
                   "LDAC is held low, so the DAC registers would follow every write: release "
                   "LDAC first",
                   ""};
  }
  for (const AnyAction& step : RestoreSteps(setup, *part)) {
    if (std::holds_alternative<actions::SetReference>(step)) continue;
    if (Refused refused = RunStep(session, step)) return refused;
  }
  return std::nullopt;
}
