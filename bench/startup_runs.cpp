#include "startup_runs.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <string>

#include "bench_report.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

long long NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
      .count();
}

// This executable's path.
std::string SelfPath() {
  std::array<char, 4096> path{};
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
  return length > 0 ? std::string(path.data(), static_cast<std::size_t>(length)) : std::string();
}

double MillisBetween(long long fromNs, long long toNs) {
  return static_cast<double>(toNs - fromNs) / 1e6;
}

std::string ReadAll(int fd) {
  std::string text;
  std::array<char, 256> chunk{};
  ssize_t got = 0;
  while ((got = read(fd, chunk.data(), chunk.size())) > 0) {
    text.append(chunk.data(), static_cast<std::size_t>(got));
  }
  return text;
}

std::optional<StartupSample> RunChild(StartupKind kind) {
  int channel[2];
  if (pipe(channel) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, channel[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, channel[0]);
  posix_spawn_file_actions_addclose(&actions, channel[1]);
  // Qt's notes on the offscreen platform would repeat for every run.
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

  std::string self = SelfPath();
  std::string flag(kStartupChildFlag);
  std::string name(StartupKindName(kind));
  char* argv[] = {self.data(), flag.data(), name.data(), nullptr};

  pid_t child = 0;
  const long long spawnNs = NowNs();
  const int failed = posix_spawn(&child, self.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(channel[1]);
  if (failed != 0) {
    close(channel[0]);
    return std::nullopt;
  }
  const std::string line = ReadAll(channel[0]);
  close(channel[0]);

  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) return std::nullopt;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "child exit status %d\n", status);
    return std::nullopt;
  }
  long long frameNs = 0;
  long long entryNs = 0;
  if (std::sscanf(line.c_str(), "%lld %lld", &frameNs, &entryNs) != 2) return std::nullopt;
  return StartupSample{MillisBetween(spawnNs, frameNs), MillisBetween(entryNs, frameNs),
                       usage.ru_maxrss};
}

}  // namespace

std::optional<StartupSeries> RunStartupSeries(int runs) {
  StartupSeries series;
  for (int n = -1; n < runs; ++n) {
    for (StartupKind kind : {StartupKind::MainWindow, StartupKind::BareWindow}) {
      const std::optional<StartupSample> sample = RunChild(kind);
      if (!sample) {
        std::fprintf(stderr, "the %s window child failed\n",
                     std::string(StartupKindName(kind)).c_str());
        return std::nullopt;
      }
      if (n < 0) continue;  // the untimed first run fills the file cache
      (kind == StartupKind::MainWindow ? series.mainWindow : series.bareWindow).push_back(*sample);
    }
  }
  return series;
}

namespace {
template <class Field>
double MedianOf(const std::vector<StartupSample>& samples, Field field) {
  std::vector<double> values;
  for (const StartupSample& s : samples) values.push_back(static_cast<double>(s.*field));
  return Median(values);
}
}  // namespace

double MedianSpawnToFrame(const std::vector<StartupSample>& samples) {
  return MedianOf(samples, &StartupSample::spawnToFrameMs);
}
double MedianEntryToFrame(const std::vector<StartupSample>& samples) {
  return MedianOf(samples, &StartupSample::entryToFrameMs);
}
double MedianPeakRss(const std::vector<StartupSample>& samples) {
  return MedianOf(samples, &StartupSample::peakRssKb);
}
