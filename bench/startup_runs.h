#pragma once
// The parent side of the start-up benchmarks: runs the benchmark's own executable again as a child
// for each window kind and collects how long the first frame took and the peak resident memory.

#include <optional>
#include <vector>

#include "startup_child.h"

struct StartupSample {
  double spawnToFrameMs = 0;  // from just before the child process was created
  double entryToFrameMs = 0;  // from the child's entry into main
  long peakRssKb = 0;         // the child's maximum resident set size
};

struct StartupSeries {
  std::vector<StartupSample> mainWindow;
  std::vector<StartupSample> bareWindow;
};

// `runs` children of each kind, alternating so that both see the same machine load, after one
// untimed run of each. nullopt (with a message on standard error) when a child fails.
std::optional<StartupSeries> RunStartupSeries(int runs);

// Medians of one figure of a series.
double MedianSpawnToFrame(const std::vector<StartupSample>& samples);
double MedianEntryToFrame(const std::vector<StartupSample>& samples);
double MedianPeakRss(const std::vector<StartupSample>& samples);
