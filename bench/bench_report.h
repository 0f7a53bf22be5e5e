#pragma once
// Figures of the benchmarks: medians of repeated timings and the one-line verdict each benchmark
// prints.

#include <string>
#include <vector>

// The median of `samples` (the mean of the two middle values for an even count); 0 when empty.
double Median(std::vector<double> samples);

// The value below which `share` (0..1) of the samples lie, by nearest rank; 0 when empty.
double Percentile(std::vector<double> samples, double share);

// Prints "<figure> | target <target> | <MET or MISSED>" on one line of standard output.
void PrintVerdict(const std::string& figure, const std::string& target, bool met);

// A number with a fixed count of decimals.
std::string Fixed(double value, int decimals);

// Every benchmark runs on the offscreen platform, whatever the caller's environment says.
void UseOffscreenPlatform();
