#include "bench_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

double Median(std::vector<double> samples) {
  if (samples.empty()) return 0.0;
  const std::size_t middle = samples.size() / 2;
  std::nth_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(middle),
                   samples.end());
  const double upper = samples[middle];
  if (samples.size() % 2 != 0) return upper;
  const double lower =
      *std::max_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(middle));
  return (lower + upper) / 2.0;
}

double Percentile(std::vector<double> samples, double share) {
  if (samples.empty()) return 0.0;
  std::sort(samples.begin(), samples.end());
  const double rank = std::ceil(share * static_cast<double>(samples.size()));
  const auto at = static_cast<std::size_t>(std::clamp(rank, 1.0, double(samples.size()))) - 1;
  return samples[at];
}

void PrintVerdict(const std::string& figure, const std::string& target, bool met) {
  std::printf("%s | target %s | %s\n", figure.c_str(), target.c_str(), met ? "MET" : "MISSED");
  std::fflush(stdout);
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

void UseOffscreenPlatform() {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
}
