// Sequences played on the event loop against the bare cost of the same requests on the same link,
// in one run: frames of 1, 8 and 40 channels on the simulated board and on the emulated USB board
// (testbed/, umockdev). For each: the frames per second a sequence of 1 ms dwell times reaches,
// the median and largest lateness of a frame's LDAC against its due time, and the cost of the
// frame's requests sent bare through the same link (its words and one LDAC request, no session).
// A sequence cannot go faster than its dwell time or the link's own cost allows, whichever is
// slower; the target is a frame period within 1.2 times that.
//
// Each figure is the median of several rounds, each round the bare requests, the sequence and the
// bare requests again: the emulated link's pace moves between runs by tens of percent.
//
// Usage: bench_sequence [frames [rounds]]   (default 400 frames of each, 5 rounds)

#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench_report.h"
#include "board_link.h"
#include "catalogue.h"
#include "emulated_usb_bus.h"
#include "event_loop_timer.h"
#include "intel_hex_writer.h"
#include "program_folder.h"
#include "session.h"
#include "simulated_board.h"
#include "usb_driver.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr BoardUsbIds kIds{{0xfff0, 0x0820}, {0xfff0, 0x0821}};
constexpr double kTargetRatio = 1.2;
constexpr double kDwellSeconds = 0.001;

// A session on `driver` with the 40-channel model, started as the program starts it.
struct Bench {
  Bench(VendorDriver& driver, const std::string& folder) : link(driver), session(link, folder) {
    session.chooseModel(PartCatalogue()[4]);  // 40 channels
    session.start({});
    session.sequencer().setTimer(&timer);
  }
  BoardLink link;
  Session session;
  EventLoopTimer timer;
};

// Frames alternating between two voltages on `channels` channels.
std::vector<SequenceFrame> Frames(int count, int channels) {
  std::vector<SequenceFrame> frames;
  for (int i = 0; i < count; ++i) {
    SequenceFrame frame{.dwell = std::chrono::microseconds(1000), .volts = {}};
    for (int dac = 0; dac < channels; ++dac) frame.volts.emplace_back(dac, i % 2 == 0 ? 1.0 : -1.0);
    frames.push_back(std::move(frame));
  }
  return frames;
}

struct Played {
  double seconds = 0.0;
  SequenceTiming timing;
};

Played PlaySequence(Bench& bench, int count, int channels) {
  Sequencer& sequencer = bench.session.sequencer();
  (void)sequencer.clear();
  for (SequenceFrame& frame : Frames(count, channels)) (void)sequencer.append(std::move(frame));
  const auto start = Clock::now();
  if (const Refused refused = sequencer.start()) {
    std::fprintf(stderr, "sequence refused: %s\n", refused->text.c_str());
    std::exit(1);
  }
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (!sequencer.running()) QCoreApplication::quit();
  });
  poll.start(1);
  QCoreApplication::exec();
  return {std::chrono::duration<double>(Clock::now() - start).count(), sequencer.timing()};
}

// Microseconds per frame of the same requests sent bare through the link.
double BareFrame(Bench& bench, int count, int channels) {
  const auto start = Clock::now();
  for (int i = 0; i < count; ++i) {
    for (int dac = 0; dac < channels; ++dac) bench.link.SPIwrite(0xC00000 | (dac << 16) | 0x9000);
    bench.link.LineRequest(Request::LdacPulse);
  }
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / count;
}

// One round: the bare requests, the sequence, the bare requests again, so that a change of the
// machine's load or of the link's pace in between hits both sides alike.
struct Round {
  double period = 0.0;  // microseconds a frame, played
  double bare = 0.0;    // microseconds a frame, bare
  SequenceTiming timing;
  double ratio() const { return period / std::max(kDwellSeconds * 1e6, bare); }
};

Round PlayRound(Bench& bench, int count, int channels) {
  const double bareBefore = BareFrame(bench, count / 2, channels);
  const Played played = PlaySequence(bench, count, channels);
  const double bareAfter = BareFrame(bench, count / 2, channels);
  return {played.seconds / static_cast<double>(count) * 1e6, (bareBefore + bareAfter) / 2.0,
          played.timing};
}

// The round of median ratio among `rounds`, and the range of the ratios.
bool Report(const char* linkName, Bench& bench, int count, int rounds) {
  bool met = true;
  for (const int channels : {1, 8, 40}) {
    std::vector<Round> played;
    for (int i = 0; i < rounds; ++i) played.push_back(PlayRound(bench, count, channels));
    std::sort(played.begin(), played.end(),
              [](const Round& a, const Round& b) { return a.ratio() < b.ratio(); });
    const Round& round = played[played.size() / 2];
    const double ratio = round.ratio();
    met = met && ratio <= kTargetRatio;
    PrintVerdict(std::string(linkName) + ", " + std::to_string(channels) +
                     "-channel frames: " + Fixed(1e6 / round.period, 0) + " frames/s (" +
                     Fixed(round.period, 1) + " us a frame at 1 ms dwell); lateness median " +
                     Fixed(round.timing.medianLateness * 1e6, 1) + " us, largest " +
                     Fixed(round.timing.largestLateness * 1e6, 1) + " us; the bare requests " +
                     Fixed(round.bare, 1) + " us a frame (" + Fixed(1e6 / round.bare, 0) +
                     " frames/s); period / max(dwell, bare), median of " + std::to_string(rounds) +
                     " rounds " + Fixed(ratio, 2) + " (" + Fixed(played.front().ratio(), 2) +
                     " to " + Fixed(played.back().ratio(), 2) + ")",
                 "<= " + Fixed(kTargetRatio, 1), ratio <= kTargetRatio);
  }
  return met;
}

}  // namespace

int main(int argc, char* argv[]) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 400;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  if (count <= 1 || rounds < 1) {
    std::fprintf(stderr, "usage: bench_sequence [frames > 1 [rounds > 0]]\n");
    return 2;
  }
  QCoreApplication app(argc, argv);
  ProgramFolder folder{"bench_sequence"};
  {
    SimulatedBoard board;
    Bench bench(board, folder.path.string());
    Report("simulated board", bench, count, rounds);
  }
  EmulatedUsbBus bus;
  bus.addBoard({1, kIds});
  auto driver = std::make_unique<UsbDriver>(kIds);
  bus.setChipModel(0, PartCatalogue()[4]);
  {
    Bench bench(*driver, folder.path.string());
    if (!bench.session.boardLoaded()) {
      std::fprintf(stderr, "the emulated board could not be loaded\n");
      return 1;
    }
    Report("emulated USB board", bench, count, rounds);
  }
  driver.reset();
  return 0;
}
