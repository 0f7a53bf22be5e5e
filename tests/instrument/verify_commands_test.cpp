// Reading the chip back remotely: one register, the whole verification and its list, the
// simulated chip's power cycle, and a board that fails on the way.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "connection.h"
#include "instrument_tree.h"
#include "session_bench.h"

namespace {

struct Remote {
  explicit Remote(std::string_view model) : bench(model) {}
  std::string ask(const std::string& line) { return client.execute(line).value_or("<none>"); }
  std::string error() { return ask("SYST:ERR?"); }

  SessionBench bench;
  scpi::CommandTree tree = InstrumentTree(bench.session);
  scpi::Connection client{tree};
};

TEST(RemoteReadback, ReadsEachChannelRegisterFromTheChip) {
  Remote r("ZR811");  // 14 bits
  r.ask("DAC3:X1A #H1234;X1B #H0567;M #H3000;C #H2001");
  // What the chip holds, not the model: a word sent past the model changes X1A of channel 3.
  r.bench.link.SPIwrite(0xCB0000 | 0x0AAA << 2);
  EXPECT_EQ(r.ask("DAC3:X1A:READ?;:DAC3:X1B:READ?;:DAC3:M:READ?;:DAC3:C:READ?"),
            "2730;1383;12288;8193");
  EXPECT_EQ(r.ask("DAC3:X1A?"), "4660");
  EXPECT_EQ(r.error(), "0,\"No error\"");
  EXPECT_EQ(r.bench.words().back(), 0x054580);  // C of record 3: address 0B hex
  EXPECT_EQ(r.ask("DAC16:X1A:READ?"), "<none>");
  EXPECT_EQ(r.error().substr(0, 4), "-114");
}

TEST(RemoteVerify, CountsListsAndAgreesAgainAfterAReset) {
  Remote r("ZR810");
  EXPECT_EQ(r.ask("BOAR:VER:LIST?"), "");
  r.ask("DAC9:X1A #H1234;:OFFS1 #H0100;:DAC15:ABS B;:CONT:INP B");
  EXPECT_EQ(r.ask("BOAR:VER?"), "0");
  r.ask("BOAR:SIM:POW");
  EXPECT_EQ(r.ask("BOARd:VERify?"), "4");
  EXPECT_EQ(r.ask("BOARd:VERify:LIST?"),
            "9,X1A,4660,32768,-1,CONT,4,0,-1,OFFS1,256,8192,-1,ABS1,128,0");
  EXPECT_EQ(r.error(), "0,\"No error\"");
  // RESET puts chip and model alike at power-on.
  r.ask("*RST");
  EXPECT_EQ(r.ask("BOAR:VER?"), "0");
  EXPECT_EQ(r.ask("BOAR:VER:LIST?"), "");
}

TEST(RemoteVerify, AFailingBoardIsAnExecutionErrorWithTheReason) {
  Remote r("ZR810");
  r.bench.board.setBoardAttached(false);
  EXPECT_EQ(r.ask("BOAR:VER?"), "9.91E+37");
  EXPECT_EQ(r.error(),
            "-200,\"Execution error;request DD (word 050400) failed: no board attached\"");
  EXPECT_EQ(r.ask("DAC0:M:READ?"), "9.91E+37");
  EXPECT_EQ(r.error().substr(0, 4), "-200");
  EXPECT_EQ(r.error(), "0,\"No error\"");
}

}  // namespace
