// A whole verification of the chip (every register of a 40-channel model read back and compared
// with the register model) beside the bare cost of the same requests on the same link: for each
// register its readback select word and the 3-byte readback, sent through the program's board
// link (BoardLink::SPIwrite and SPIread, as every action's requests go) with nothing around them,
// and the same requests handed straight to the board driver. On the emulated USB board
// (testbed/, the native link over umockdev) and on the built-in simulated board; the three ways
// in turn within one run, so that the machine's load hits them alike.
//
// Usage: bench_verify [rounds] [simulated rounds]   (defaults 20 on the USB board, 2000 on the
// simulated board)

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench_report.h"
#include "chip_verification.h"
#include "command_word.h"
#include "emulated_usb_bus.h"
#include "session.h"
#include "simulated_board.h"
#include "usb_driver.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr BoardUsbIds kIds{{0xfff0, 0x0820}, {0xfff0, 0x0821}};
constexpr double kTargetRatio = 1.2;
constexpr const char* kModel = "ZR820";  // 40 channels

double MicrosOf(const std::function<bool()>& run, bool& ok) {
  const auto start = Clock::now();
  ok = run() && ok;
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// A session on `driver` with the model chosen and some registers written, so that the chip does
// not merely hold its power-on codes.
void Prepare(Session& session, const PartInfo& part) {
  session.chooseModel(part);
  session.UpdateOffset();
  session.ResetChannels();
  for (int dac = 0; dac < part.channels; ++dac) {
    (void)session.writeRegister(dac, ChannelRegister::X1A, 0x1000 + 97 * dac);
    (void)session.writeRegister(dac, ChannelRegister::C, 0x7F00 + dac);
    session.chooseDacSource(dac, dac % 3 == 0);
  }
  session.pulseLdac();
}

// The verification's requests without the verification, through the link: select word out,
// 3 bytes in, for every register it reads.
bool LinkRequests(BoardLink& link, const std::vector<int32_t>& selects) {
  for (const int32_t word : selects) {
    link.SPIwrite(word);
    if (link.status() != 0) return false;
    (void)link.SPIread();
    if (link.status() != 0) return false;
  }
  return true;
}

// The same requests straight to the driver.
bool DriverRequests(VendorDriver& driver, int32_t handle, const std::vector<int32_t>& selects) {
  std::array<uint8_t, 21> buffer{};
  uint8_t none = 0;
  for (const int32_t word : selects) {
    if (driver.Vendor_Request(handle, 0xDD, word & 0xFFFF, word >> 16, kDirectionOut, 0, &none) !=
        0)
      return false;
    if (driver.Vendor_Request(handle, 0xDD, 0, 0, kDirectionIn, kReadbackLength, buffer.data()) !=
        0)
      return false;
  }
  return true;
}

struct Figures {
  double verify = 0.0;  // median microseconds of a whole verification
  double link = 0.0;    // median microseconds of its requests alone, through the link
  double driver = 0.0;  // the same straight to the driver
  int registers = 0;
  bool ok = false;
};

Figures Measure(VendorDriver& driver, int32_t handle, int rounds,
                const std::function<void()>& betweenRounds) {
  const PartInfo& part = *FindPart(kModel);
  BoardLink link(driver);
  link.useConnectedBoard(handle);
  Session session(link, "/nonexistent");
  Prepare(session, part);
  std::vector<int32_t> selects;
  for (const VerifiedRegister& r : VerifiedRegisters(part)) {
    selects.push_back(ReadbackSelectWord(ReadbackSelectData(r.item, r.dac)));
  }
  Figures figures;
  figures.registers = static_cast<int>(selects.size());
  figures.ok = true;
  std::vector<double> verify, bare, driverOnly;
  const std::function<bool()> ways[] = {[&] { return session.verifyChip().agrees(); },
                                        [&] { return LinkRequests(link, selects); },
                                        [&] { return DriverRequests(driver, handle, selects); }};
  std::vector<double>* samples[] = {&verify, &bare, &driverOnly};
  for (int round = 0; round < rounds; ++round) {
    // The three in turn, the first of each round changing.
    for (int k = 0; k < 3; ++k) {
      const int way = (round + k) % 3;
      samples[way]->push_back(MicrosOf(ways[way], figures.ok));
    }
    if (betweenRounds) betweenRounds();
  }
  if (!session.lastVerification().agrees()) {
    std::fprintf(stderr, "the verification did not agree: %s, %zu differences\n",
                 session.lastVerification().failure.c_str(),
                 session.lastVerification().differences.size());
  }
  figures.verify = Median(verify);
  figures.link = Median(bare);
  figures.driver = Median(driverOnly);
  return figures;
}

// A duration in milliseconds from a millisecond up, in microseconds below.
std::string Duration(double micros) {
  return micros >= 1000.0 ? Fixed(micros / 1000.0, 2) + " ms" : Fixed(micros, 1) + " us";
}

void Report(const std::string& board, const Figures& f) {
  const double ratio = f.verify / f.link;
  const std::string figure =
      "whole verification of a 40-channel model (" + std::to_string(f.registers) + " registers, " +
      std::to_string(2 * f.registers) + " requests) on the " + board + ": median " +
      Duration(f.verify) + ", its requests alone through the link " + Duration(f.link) +
      " (ratio " + Fixed(ratio, 2) + "), straight to the driver " + Duration(f.driver) +
      " (ratio " + Fixed(f.verify / f.driver, 2) + ")";
  PrintVerdict(figure, "<= " + Fixed(kTargetRatio, 1) + " x the requests' own cost",
               f.ok && ratio <= kTargetRatio);
}

int Run(int rounds, int simulatedRounds) {
  EmulatedUsbBus bus;
  bus.addBoard({1, kIds, true});
  const PartInfo& part = *FindPart(kModel);
  bus.setChipModel(0, part);
  UsbDriver usb(kIds);
  int32_t handle = 0;
  if (!usb.available() || usb.Connect(0, 0, 0, &handle) != 0) {
    std::fprintf(stderr, "the emulated board could not be opened\n");
    return 1;
  }
  const Figures overUsb = Measure(usb, handle, rounds, {});
  SimulatedBoard simulated;
  const Figures simulatedFigures =
      Measure(simulated, 1, simulatedRounds, [&simulated] { simulated.clearRequests(); });
  Report("emulated USB board", overUsb);
  Report("simulated board", simulatedFigures);
  return overUsb.ok && simulatedFigures.ok ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
  const int simulatedRounds = argc > 2 ? std::atoi(argv[2]) : 2000;
  if (rounds <= 0 || simulatedRounds <= 0) {
    std::fprintf(stderr, "usage: bench_verify [rounds > 0] [simulated rounds > 0]\n");
    return 2;
  }
  return Run(rounds, simulatedRounds);
}
