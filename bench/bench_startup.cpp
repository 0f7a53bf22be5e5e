// Start-up of the main window (the model chosen at once in the part chooser) against a bare Qt
// window built by this same executable, each start in a fresh child process, medians over
// alternating runs: the time from the creation of the process to the first painted frame, and
// the peak resident memory up to that frame.
//
// Usage: bench_startup [runs of each window]   (default 15)

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "bench_report.h"
#include "startup_runs.h"

namespace {
constexpr double kTimeTargetRatio = 1.3;
constexpr double kMemoryTargetRatio = 1.2;
constexpr int kDefaultRuns = 15;

void ReportTime(const StartupSeries& series, int runs) {
  const double program = MedianSpawnToFrame(series.mainWindow);
  const double bare = MedianSpawnToFrame(series.bareWindow);
  const double programFromMain = MedianEntryToFrame(series.mainWindow);
  const double bareFromMain = MedianEntryToFrame(series.bareWindow);
  std::fprintf(stderr,
               "start-up over %d runs each: process start to first frame %.1f ms (bare %.1f ms), "
               "main entry to first frame %.1f ms (bare %.1f ms), ratio from main entry %.2f\n",
               runs, program, bare, programFromMain, bareFromMain, programFromMain / bareFromMain);
  const double ratio = program / bare;
  PrintVerdict("start-up to first frame: median " + Fixed(program, 1) + " ms against " +
                   Fixed(bare, 1) + " ms for a bare window, ratio " + Fixed(ratio, 2),
               "<= " + Fixed(kTimeTargetRatio, 1), ratio <= kTimeTargetRatio);
}

void ReportMemory(const StartupSeries& series) {
  const double program = MedianPeakRss(series.mainWindow) / 1024.0;
  const double bare = MedianPeakRss(series.bareWindow) / 1024.0;
  const double ratio = program / bare;
  PrintVerdict("peak resident memory at start-up: median " + Fixed(program, 1) + " MiB against " +
                   Fixed(bare, 1) + " MiB for a bare window, ratio " + Fixed(ratio, 2),
               "<= " + Fixed(kMemoryTargetRatio, 1), ratio <= kMemoryTargetRatio);
}
}  // namespace

int main(int argc, char* argv[]) {
  const auto entry = std::chrono::steady_clock::now();
  int childExit = 0;
  if (RunStartupChildIfAsked(argc, argv, entry, childExit)) return childExit;
  UseOffscreenPlatform();
  const int runs = argc > 1 ? std::atoi(argv[1]) : kDefaultRuns;
  if (runs <= 0) {
    std::fprintf(stderr, "usage: %s [runs]\n", argv[0]);
    return 2;
  }
  const std::optional<StartupSeries> series = RunStartupSeries(runs);
  if (!series) return 1;
  ReportTime(*series, runs);
  ReportMemory(*series);
  return 0;
}
