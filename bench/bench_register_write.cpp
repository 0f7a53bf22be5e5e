// One register write as the operator makes it: a click on "X >>" with a valid entry, up to the
// moment the word request reaches the driver. The main window is shown on the offscreen
// platform, on the simulated board behind a driver that timestamps every word request.
//
// The writes run in rounds, alternately with the request log pane closed and open, so that both
// see the same machine; the log is full (100,000 requests) before the first timed write, so
// every request makes an old one give way, as in a long session. The click's whole time, log
// entry and pane included, is reported beside the time to the word. Last, the same writes with
// the window hidden.
//
// Usage: bench_register_write [writes]   (default 10000 per pane state)

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
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
#include "request_log.h"
#include "request_log_pane.h"
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
  RequestLog log{session};
  AutoPartServices services{kPartZR810};
  frmMain window{session, log, services};
  QAbstractButton* button = nullptr;
  QLineEdit* entry = nullptr;
};

struct Timing {
  std::vector<double> toWord;  // click to the word at the driver
  std::vector<double> click;   // the whole click, until it returns
};

// One timed write; false when the write did not send exactly the expected word.
bool TimedWrite(Bench& b, int n, Timing& timing) {
  const int32_t code = EntryCode(n);
  b.entry->setText(QStringLiteral("%1").arg(code, 4, 16, QChar('0')).toUpper());
  QApplication::processEvents();  // the entry's own repaint is not part of the write
  b.board.clearRequests();
  b.driver.clearWords();
  const auto start = TimestampingDriver::Clock::now();
  b.button->click();
  const auto end = TimestampingDriver::Clock::now();
  if (b.driver.wordCount() != 1 ||
      b.driver.firstWord() != ChannelRegisterWord(Mode::X, code, 0, b.session.chip().PartBits))
    return false;
  using Micros = std::chrono::duration<double, std::micro>;
  timing.toWord.push_back(Micros(b.driver.firstWordTime() - start).count());
  timing.click.push_back(Micros(end - start).count());
  return true;
}

// `writes` timed writes after a few untimed ones; false (with a message) when one of them did
// not send its word alone.
bool MeasureWrites(Bench& b, int writes, Timing& timing) {
  Timing warmUp;
  for (int n = 0; n < kWarmUpWrites; ++n) TimedWrite(b, n, warmUp);
  for (int n = 0; n < writes; ++n) {
    if (!TimedWrite(b, n, timing)) {
      std::fprintf(stderr, "write %d did not send its word alone\n", n);
      return false;
    }
  }
  return true;
}

void SetPaneOpen(Bench& b, bool open) {
  QAction* menu = b.window.findChild<QAction*>(QStringLiteral("mnuRequestLog"));
  if (menu->isChecked() != open) menu->trigger();
  QApplication::processEvents();
}

// Fills the log to its capacity, past the window, as a long session would have.
void FillLog(Bench& b) {
  const Session::Origin origin(b.session, "bench");
  while (b.log.entries().size() < b.log.entries().capacity()) {
    (void)b.session.directLoad(0xC00000);
  }
  b.board.clearRequests();
}

// The pane's refresh on its timer, with ten new requests each time (a write every 10 ms) in a
// full log: ten rows leave the top of the table and ten come in at the bottom.
std::vector<double> TimedRefreshes(Bench& b) {
  constexpr int kRefreshes = 200;
  std::vector<double> micros;
  const Session::Origin origin(b.session, "bench");
  auto* pane = b.window.findChild<RequestLogPane*>();
  for (int n = 0; n < kRefreshes; ++n) {
    for (int w = 0; w < 10; ++w) (void)b.session.directLoad(0xC00000 + w);
    const auto start = TimestampingDriver::Clock::now();
    pane->refresh();
    micros.push_back(
        std::chrono::duration<double, std::micro>(TimestampingDriver::Clock::now() - start)
            .count());
    QApplication::processEvents();  // its repaint
  }
  b.board.clearRequests();
  return micros;
}

std::string Figures(const std::vector<double>& micros) {
  return "median " + Fixed(Median(micros), 2) + " us (p90 " + Fixed(Percentile(micros, 0.9), 2) +
         ", p99 " + Fixed(Percentile(micros, 0.99), 2) + ")";
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
  if (b.button == nullptr || b.entry == nullptr ||
      !b.window.findChild<QRadioButton*>(QStringLiteral("InputSel(0)"))->isChecked()) {
    std::fprintf(stderr, "the window has no \"X >>\" button or first entry box\n");
    return 1;
  }
  FillLog(b);

  constexpr int kRounds = 10;
  Timing closed;
  Timing open;
  for (int round = 0; round < kRounds; ++round) {
    const int count = writes / kRounds + (round < writes % kRounds ? 1 : 0);
    for (const bool paneOpen : {round % 2 == 0, round % 2 != 0}) {
      SetPaneOpen(b, paneOpen);
      if (!MeasureWrites(b, count, paneOpen ? open : closed)) return 1;
    }
  }
  SetPaneOpen(b, true);
  const std::vector<double> refreshes = TimedRefreshes(b);
  // The same writes with the window hidden: what is left without the repaint in the yield.
  SetPaneOpen(b, false);
  b.window.hide();
  QApplication::processEvents();
  Timing hidden;
  if (!MeasureWrites(b, writes, hidden)) return 1;

  const double median = Median(open.toWord);
  std::fprintf(stderr,
               "register write, %d writes each, the log full (%zu requests):\n"
               "  request log pane closed: click to word %s, whole click %s\n"
               "  request log pane open:   click to word %s, whole click %s\n"
               "  the pane's refresh on its timer (every %d ms), ten new requests: %s\n"
               "  window hidden, so that nothing is repainted in the write's yield: click to "
               "word median %.2f us\n",
               writes, b.log.entries().size(), Figures(closed.toWord).c_str(),
               Figures(closed.click).c_str(), Figures(open.toWord).c_str(),
               Figures(open.click).c_str(), RequestLogPane::kRefreshMs, Figures(refreshes).c_str(),
               Median(hidden.toWord));
  PrintVerdict("register write, click to word at the driver, request log pane open: median " +
                   Fixed(median, 2) + " us (pane closed " + Fixed(Median(closed.toWord), 2) +
                   " us), program share " + Fixed(median / kUsbControlTransferUs, 3) + " of a " +
                   Fixed(kUsbControlTransferUs, 0) + " us USB control transfer",
               "<= " + Fixed(kTargetUs, 0) + " us", median <= kTargetUs);
  return 0;
}
