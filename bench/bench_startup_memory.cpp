// Peak resident memory of the start-up up to the first painted frame of the main window (the
// model chosen at once in the part chooser), against a bare Qt window built by this same
// executable; each start in a fresh child process, medians over alternating runs.
//
// Usage: bench_startup_memory [runs of each window]   (default 15)

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "bench_report.h"
#include "startup_runs.h"

namespace {
constexpr double kTargetRatio = 1.2;
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
  const double program = MedianPeakRss(series->mainWindow) / 1024.0;
  const double bare = MedianPeakRss(series->bareWindow) / 1024.0;
  const double ratio = program / bare;
  PrintVerdict("peak resident memory at start-up: median " + Fixed(program, 1) + " MiB against " +
                   Fixed(bare, 1) + " MiB for a bare window, ratio " + Fixed(ratio, 2),
               "<= " + Fixed(kTargetRatio, 1), ratio <= kTargetRatio);
  return 0;
}
