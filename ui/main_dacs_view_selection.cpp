// Channel and group selection on the "Main DACs" tab: the channel buttons, the input-register
// choice for "X >>" and the DAC register source of the selected channel.

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "command_word.h"
#include "main_dacs_view.h"
#include "on_selected.h"
#include "suppress_events.h"
#include "window_action.h"
#include "window_context.h"

namespace {

// "Group g - Vout<n>", n being the output number the operator sees: the 8-channel models keep
// their second group of four in records 8..11 and show it as outputs 4..7.
QString GroupCaption(const std::string& partName, int16_t index) {
  const ChannelGroup group = GroupOf(partName, index);
  const int output = group.group * group.count + (index - group.first);
  return QStringLiteral("Group %1 - Vout%2").arg(group.group).arg(output);
}

}  // namespace

void MainDacsView::chkDAC_Click(int index) {
  const auto dac = static_cast<int16_t>(index);
  ShowRegistersOf(dac);
  context_.selectDac(dac);
  {
    SuppressEventsGuard guard(SuppressEvents);
    const bool takesX2B = chip().DACs.at(static_cast<size_t>(dac)).ABsel() != 0;
    diagram.DACoptMux2[takesX2B ? 1 : 0]->setChecked(true);
  }
  tab0.frmGroup->setTitle(GroupCaption(chip().PartName, dac));
}

void MainDacsView::DACoptMux2_Click(int index) {
  if (SuppressEvents) return;
  // The two options have no caption: the operator knows them by the corrected code each passes.
  const WindowAction action(context_, (index == 0 ? diagram.Label3 : diagram.label4)->text());
  if (const Refused refused = session_.chooseDacSource(context_.selectedDac(), index == 1)) {
    // A limit refused it: the buttons go back to the source the channel keeps.
    const SuppressEventsGuard guard(SuppressEvents);
    diagram.DACoptMux2[index == 1 ? 0 : 1]->setChecked(true);
    context_.showRefusal(refused);
  }
}

void MainDacsView::optAB_Click(int index) {
  if (SuppressEvents) return;
  // The options have no caption: the labels above them say "A" and "B".
  const WindowAction action(context_, diagram.Label2.at(static_cast<size_t>(index))->text());
  session_.chooseInputRegister(index == 1);
}

void MainDacsView::wireSelection() {
  for (int i = 0; i < kChannelCount; ++i) {
    onSelected(tab0.chkDAC[static_cast<size_t>(i)], this, [this, i] { chkDAC_Click(i); });
  }
  for (int k = 0; k < 2; ++k) {
    const auto at = static_cast<size_t>(k);
    onSelected(diagram.DACoptMux2[at], this, [this, k] { DACoptMux2_Click(k); });
    onSelected(diagram.optAB[at], this, [this, k] { optAB_Click(k); });
  }
}
