// The verification over the native USB link: after a random session on every model the emulated
// board's chip agrees with the register model, register by register as read back through the
// link; a chip changed behind the program's back is found there too.

#include <gtest/gtest.h>

#include <string>

#include "command_word.h"
#include "random_actions.h"
#include "saved_setup_steps.h"
#include "session.h"
#include "usb_link_fixture.h"

namespace {

class UsbVerification : public UsbLinkTest, public testing::WithParamInterface<PartInfo> {};

TEST_P(UsbVerification, AgreesAfterARandomSession) {
  const PartInfo& part = GetParam();
  bus.setChipModel(plug(3), part);
  BoardLink link(driver());
  Session session(link, programFolder(PatternImage(0, 1024, 7)));
  session.chooseModel(part);
  session.start({});
  ASSERT_TRUE(session.boardLoaded());
  ASSERT_TRUE(session.verifyChip().agrees()) << session.lastVerification().failure;

  RandomActions random(session, EnvOr("DAC_EVAL_SESSION_SEED", 1919u));
  for (int n = 0; n < 150; ++n) (void)random.act();
  const ChipVerification& v = session.verifyChip();
  EXPECT_TRUE(v.complete()) << v.failure;
  EXPECT_TRUE(v.differences.empty())
      << v.differences.size() << " differ, the first "
      << ReadbackRow(v.differences.front().item).name << " of " << v.differences.front().dac;

  // Another tool writes X1B of the last channel.
  const int last = ChannelRecords(part).back();
  const int32_t other = session.chip().DACs[static_cast<size_t>(last)].X1B() ^ 1;
  link.SPIwrite(ControlRegisterWord(true));
  link.SPIwrite(ChannelRegisterWord(Mode::X, other, static_cast<int16_t>(last), part.bits));
  link.SPIwrite(ControlRegisterWord(session.inputRegisterB()));
  const ChipVerification& found = session.verifyChip();
  ASSERT_EQ(found.differences.size(), size_t{1}) << found.failure;
  EXPECT_EQ(found.differences[0].item, ReadbackItem::X1B);
  EXPECT_EQ(found.differences[0].chip, other);
}

INSTANTIATE_TEST_SUITE_P(EveryModel, UsbVerification, testing::ValuesIn(PartCatalogue()),
                         [](const testing::TestParamInfo<PartInfo>& row) {
                           return std::string(row.param.name);
                         });

}  // namespace
