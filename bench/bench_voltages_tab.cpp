// The refresh of the output voltages when the operator selects the "Output Voltages" tab: from
// the tab change (tab 0 to tab 3) until it returns, with all 40 labels in use. The offset DAC
// codes alternate between two values, as after an offset DAC write, so that every selection gives
// every label a new caption.
// Side by side, in the same run: the selection of the "Signals" tab, which refreshes nothing.
//
// Usage: bench_voltages_tab [selections]   (default 2000)

#include <QApplication>
#include <QLabel>
#include <QTabWidget>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "auto_part_services.h"
#include "bench_report.h"
#include "board_link.h"
#include "frm_main.h"
#include "request_log.h"
#include "simulated_board.h"

namespace {

constexpr double kTargetMs = 1.0;
constexpr int kDefaultSelections = 2000;
constexpr int kWarmUpSelections = 50;
constexpr int kPartZR820 = 4;  // 40 channels: all 40 labels shown
constexpr int kSignalsTab = 2;
constexpr int32_t kOffsetCodes[2] = {0x1555, 0x1000};
constexpr int kOutputVoltagesTab = 3;

struct Bench {
  SimulatedBoard board;
  BoardLink link{board};
  Session session{link, "/nonexistent"};
  RequestLog log{session};
  AutoPartServices services{kPartZR820};
  frmMain window{session, log, services};
};

// One timed selection of tab `tab` from tab 0, in milliseconds; negative when the output voltages
// tab was selected and its last label was not refreshed.
double TimedSelection(Bench& b, int n, int tab) {
  auto* tabs = b.window.findChild<QTabWidget*>(QStringLiteral("SSTab1"));
  auto* lastLabel = b.window.findChild<QLabel*>(QStringLiteral("lblvout(39)"));
  tabs->setCurrentIndex(0);
  for (int k = 0; k < 3; ++k) b.session.chipModel().OffsetDAC(k) = kOffsetCodes[n % 2];
  QApplication::processEvents();  // what the previous selection left to paint is not timed
  const QString before = lastLabel->text();

  const auto start = std::chrono::steady_clock::now();
  tabs->setCurrentIndex(tab);
  const auto end = std::chrono::steady_clock::now();

  if (tab == kOutputVoltagesTab && lastLabel->text() == before) return -1.0;
  return std::chrono::duration<double, std::milli>(end - start).count();
}

}  // namespace

int main(int argc, char* argv[]) {
  UseOffscreenPlatform();
  QApplication app(argc, argv);
  const int selections = argc > 1 ? std::atoi(argv[1]) : kDefaultSelections;
  if (selections <= 0) {
    std::fprintf(stderr, "usage: %s [selections]\n", argv[0]);
    return 2;
  }

  Bench b;
  b.window.Form_Load();
  b.window.show();
  QApplication::processEvents();

  for (int n = 0; n < kWarmUpSelections; ++n) {
    TimedSelection(b, n, kOutputVoltagesTab);
    TimedSelection(b, n, kSignalsTab);
  }
  std::vector<double> voltages;
  std::vector<double> others;
  for (int n = 0; n < selections; ++n) {
    const double ms = TimedSelection(b, n, kOutputVoltagesTab);
    if (ms < 0) {
      std::fprintf(stderr, "selection %d left the last label unchanged\n", n);
      return 1;
    }
    voltages.push_back(ms);
    others.push_back(TimedSelection(b, n, kSignalsTab));
  }

  const double median = Median(voltages);
  const double plain = Median(others);
  std::fprintf(stderr,
               "voltages tab: %d selections, median %.3f ms (p90 %.3f ms); signals tab median "
               "%.3f ms (p90 %.3f ms)\n",
               selections, median, Percentile(voltages, 0.9), plain, Percentile(others, 0.9));
  PrintVerdict("output voltages tab selected (40 labels refreshed): median " + Fixed(median, 3) +
                   " ms, " + Fixed(median / plain, 2) + " x the selection of the Signals tab (" +
                   Fixed(plain, 3) + " ms)",
               "<= " + Fixed(kTargetMs, 0) + " ms", median <= kTargetMs);
  return 0;
}
