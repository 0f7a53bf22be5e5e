// One register write as the operator makes it: a click on "X >>" with a valid entry, up to the
// moment the word request reaches the driver. The main window is shown on the offscreen
// platform, on the simulated board behind a driver that timestamps every word request.
//
// Usage: bench_register_write [writes]   (default 10000)

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "auto_part_services.h"
#include "bench_report.h"
#include "board_link.h"
#include "command_word.h"
#include "frm_main.h"
#include "simulated_board.h"
#include "timestamping_driver.h"

namespace {

// A synchronous vendor control transfer on a high-speed USB link (setup, data and status stages
// in micro-frames of 125 us, answered by the board's firmware) takes about this long; it is what
// every word costs on the real board, whatever the program does before it.
constexpr double kUsbControlTransferUs = 80.0;
constexpr double kTargetUs = 20.0;
constexpr int kDefaultWrites = 10000;
constexpr int kWarmUpWrites = 200;
constexpr int kPartZR810 = 0;  // 16 bits: every entry up to FFFF is valid

// Entry code of write `n`: consecutive writes always differ.
int32_t EntryCode(int n) {
  return (0x1357 + n * 0x0101) & 0xFFFF;
}

struct Bench {
  SimulatedBoard board;
  TimestampingDriver driver{board};
  BoardLink link{driver};
  Session session{link, "/nonexistent"};
  AutoPartServices services{kPartZR810};
  frmMain window{session, services};
  QAbstractButton* button = nullptr;
  QLineEdit* entry = nullptr;
};

// One timed write; microseconds from the click to the word request, or a negative value when
// the write did not send exactly the expected word.
double TimedWrite(Bench& b, int n) {
  const int32_t code = EntryCode(n);
  b.entry->setText(QStringLiteral("%1").arg(code, 4, 16, QChar('0')).toUpper());
  QApplication::processEvents();  // the entry's own repaint is not part of the write
  b.board.clearRequests();
  b.driver.clearWords();
  const auto start = TimestampingDriver::Clock::now();
  b.button->click();
  if (b.driver.wordCount() != 1 ||
      b.driver.firstWord() != ChannelRegisterWord(Mode::X, code, 0, b.window.chip().PartBits))
    return -1.0;
  return std::chrono::duration<double, std::micro>(b.driver.firstWordTime() - start).count();
}

// `writes` timed writes after a few untimed ones; nullopt (with a message) when one of them did
// not send its word alone.
std::optional<std::vector<double>> MeasureWrites(Bench& b, int writes) {
  for (int n = 0; n < kWarmUpWrites; ++n) TimedWrite(b, n);
  std::vector<double> micros;
  micros.reserve(static_cast<std::size_t>(writes));
  for (int n = 0; n < writes; ++n) {
    const double us = TimedWrite(b, n);
    if (us < 0) {
      std::fprintf(stderr, "write %d did not send its word alone\n", n);
      return std::nullopt;
    }
    micros.push_back(us);
  }
  return micros;
}

}  // namespace

int main(int argc, char* argv[]) {
  UseOffscreenPlatform();
  QApplication app(argc, argv);
  const int writes = argc > 1 ? std::atoi(argv[1]) : kDefaultWrites;
  if (writes <= 0) {
    std::fprintf(stderr, "usage: %s [writes]\n", argv[0]);
    return 2;
  }

  Bench b;
  b.window.Form_Load();
  b.window.show();
  QApplication::processEvents();
  b.button = b.window.findChild<QAbstractButton*>(QStringLiteral("cmdX1A"));
  b.entry = b.window.findChild<QLineEdit*>(QStringLiteral("txtInput(0)"));
  if (b.button == nullptr || b.entry == nullptr || b.window.TextSelIndex != 0) {
    std::fprintf(stderr, "the window has no \"X >>\" button or first entry box\n");
    return 1;
  }

  const std::optional<std::vector<double>> shown = MeasureWrites(b, writes);
  // The same writes with the window hidden: what is left without the repaint in the yield.
  b.window.hide();
  QApplication::processEvents();
  const std::optional<std::vector<double>> hidden = MeasureWrites(b, writes);
  if (!shown || !hidden) return 1;

  const double median = Median(*shown);
  std::fprintf(stderr,
               "register write: %d writes, median %.2f us (p90 %.2f us, p99 %.2f us); the same "
               "writes with the window hidden, so that nothing is repainted in the write's yield: "
               "median %.2f us\n",
               writes, median, Percentile(*shown, 0.9), Percentile(*shown, 0.99), Median(*hidden));
  PrintVerdict("register write, click to word at the driver: median " + Fixed(median, 2) +
                   " us, program share " + Fixed(median / kUsbControlTransferUs, 3) + " of a " +
                   Fixed(kUsbControlTransferUs, 0) + " us USB control transfer",
               "<= " + Fixed(kTargetUs, 0) + " us", median <= kTargetUs);
  return 0;
}
