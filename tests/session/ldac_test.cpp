// LDAC loads every channel's DAC register, each from the X2 its A/B select names; while LDAC is
// held low the DAC registers follow every change at once. The simulated chip does the same.

#include <gtest/gtest.h>

#include "chip_agreement.h"
#include "session_bench.h"

namespace {

// Every record's DACreg equals the simulated chip's DAC register, and so does every other
// register.
void ExpectModelEqualsChip(const SessionBench& bench) {
  EXPECT_EQ(ChipDisagreement(bench.board.chip(), bench.session), "");
}

TEST(Ldac, APulseLoadsEveryChannelNotOnlyOne) {
  SessionBench bench;
  (void)bench.session.writeRegister(3, ChannelRegister::X1A, 0x1234);
  (void)bench.session.writeRegister(5, ChannelRegister::X1A, 0x4321);
  (void)bench.session.writeRegister(5, ChannelRegister::X1B, 0x0F0F);
  bench.session.chooseDacSource(5, true);
  EXPECT_EQ(bench.record(3).DACregValue(), 0x8000);  // nothing loaded yet

  bench.session.pulseLdac();

  EXPECT_EQ(bench.record(3).DACregValue(), 0x1234);
  EXPECT_EQ(bench.record(5).DACregValue(), 0x0F0F);  // channel 5 takes X2B
  EXPECT_EQ(bench.record(7).DACregValue(), 0x8000);
  ExpectModelEqualsChip(bench);
}

TEST(Ldac, HeldLowTheDacRegistersFollowUntilReleased) {
  SessionBench bench("ZR813");
  (void)bench.session.writeRegister(9, ChannelRegister::X1A, 0x0100);
  bench.session.lineRequest(Request::LdacLow);
  EXPECT_EQ(bench.record(9).DACregValue(), 0x0100);  // the low edge loads every channel

  (void)bench.session.writeRegister(9, ChannelRegister::X1A, 0x0200);
  EXPECT_EQ(bench.record(9).DACregValue(), 0x0200);
  (void)bench.session.writeRegister(9, ChannelRegister::M, 0x1FFF);  // gain one half
  EXPECT_EQ(bench.record(9).DACregValue(), 0x0100);
  bench.session.chooseDacSource(9, true);  // X2B still at the reset code
  EXPECT_EQ(bench.record(9).DACregValue(), 0x2000);
  ExpectModelEqualsChip(bench);

  bench.session.lineRequest(Request::LdacHigh);
  (void)bench.session.writeRegister(9, ChannelRegister::X1B, 0x0300);
  EXPECT_EQ(bench.record(9).DACregValue(), 0x2000);
  ExpectModelEqualsChip(bench);
}

TEST(Ldac, ResetAndReloadLeaveTheResetState) {
  SessionBench bench("ZR820");
  bench.session.lineRequest(Request::LdacLow);
  (void)bench.session.writeRegister(20, ChannelRegister::X1A, 0x7777);
  bench.session.pulseReset();
  EXPECT_EQ(bench.record(20).DACregValue(), 0x5554);
  ExpectModelEqualsChip(bench);
  bench.session.reload({});
  EXPECT_FALSE(bench.session.ldacHeldLow());  // the firmware starts with LDAC high
  (void)bench.session.writeRegister(20, ChannelRegister::X1A, 0x7777);
  EXPECT_EQ(bench.record(20).DACregValue(), 0x5554);
  ExpectModelEqualsChip(bench);
}

}  // namespace
