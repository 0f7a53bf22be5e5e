// Start-up time: from the creation of the process to the first painted frame of the main window
// (the model chosen at once in the part chooser), against a bare Qt window built by this same
// executable; each start in a fresh child process, medians over alternating runs.
//
// Usage: bench_startup_time [runs of each window]   (default 15)

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "bench_report.h"
#include "startup_runs.h"

namespace {
constexpr double kTargetRatio = 1.3;
constexpr int kDefaultRuns = 15;
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
  const double program = MedianSpawnToFrame(series->mainWindow);
  const double bare = MedianSpawnToFrame(series->bareWindow);
  const double programFromMain = MedianEntryToFrame(series->mainWindow);
  const double bareFromMain = MedianEntryToFrame(series->bareWindow);
  std::fprintf(stderr,
               "start-up over %d runs each: process start to first frame %.1f ms (bare %.1f ms), "
               "main entry to first frame %.1f ms (bare %.1f ms), ratio from main entry %.2f\n",
               runs, program, bare, programFromMain, bareFromMain, programFromMain / bareFromMain);
  const double ratio = program / bare;
  PrintVerdict("start-up to first frame: median " + Fixed(program, 1) + " ms against " +
                   Fixed(bare, 1) + " ms for a bare window, ratio " + Fixed(ratio, 2),
               "<= " + Fixed(kTargetRatio, 1), ratio <= kTargetRatio);
  return 0;
}
