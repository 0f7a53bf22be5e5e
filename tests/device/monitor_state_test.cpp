// The monitor data byte through a sequence of the operator's choices.
#include <gtest/gtest.h>

#include <vector>

#include "command_word.h"
#include "monitor_state.h"

namespace {

struct Step {
  const char* action;
  bool isEnable;  // true: enable/disable choice, false: monitored-channel item
  int item;       // enable: 1 = enabled, 0 = disabled; else the list item
  int32_t word;   // monitor word sent after the step
};

void RunSequence(const std::vector<Step>& steps) {
  int32_t state = 0;
  for (const Step& step : steps) {
    state = step.isEnable ? MonitorAfterEnable(state, step.item == 1)
                          : MonitorAfterChoice(state, step.item);
    EXPECT_EQ(MonitorWord(state), step.word) << step.action;
  }
}

TEST(MonitorState, EnableChannelInputsAndDisable) {
  RunSequence({
      {"Monitor Enabled", true, 1, 0x0C0020},
      {"DAC 5", false, 7, 0x0C0025},
      {"Mon_In1 keeps bits 3..1", false, 1, 0x0C0035},
      {"Mon_In0", false, 0, 0x0C0034},
      {"Monitor Disabled", true, 0, 0x0C0014},
  });
}

TEST(MonitorState, ChannelChoiceReplacesInputAndChannelBits) {
  RunSequence({
      {"Monitor Enabled", true, 1, 0x0C0020},
      {"Mon_In1", false, 1, 0x0C0031},
      {"DAC 15", false, 17, 0x0C002F},
      {"DAC 0", false, 2, 0x0C0020},
      {"nothing selected", false, -1, 0x0C0020},
      {"Monitor Enabled again", true, 1, 0x0C0020},
      {"Monitor Disabled", true, 0, 0x0C0000},
      {"Monitor Disabled again", true, 0, 0x0C0000},
  });
}

}  // namespace
