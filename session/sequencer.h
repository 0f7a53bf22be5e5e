#pragma once
// A sequence: frames of voltages, each held for its dwell time, played on the program's event
// loop at the board's pace. Each frame is a frame as FRAMe:VOLTage writes it: its channels' input
// words, then one LDAC pulse at the frame's due time (the start, then the dwell times added up).
// A frame that comes late is played late and counted, never skipped; the frames after it keep
// their due times. The whole sequence is checked before it starts, every frame as a frame
// (twice round when it repeats, as the second pass starts from what the last frame left), and
// a refusal names the frame's row.

#include <chrono>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "frame_timer.h"
#include "refusal.h"

class Session;

struct SequenceFrame {
  std::chrono::microseconds dwell{};          // until the next frame's LDAC
  std::vector<std::pair<int, double>> volts;  // channel record, volts
};

// Frames played, and how late their LDAC went out against its due time, in seconds.
struct SequenceTiming {
  uint64_t played = 0;
  double medianLateness = 0.0;
  double largestLateness = 0.0;
};

class Sequencer {
 public:
  static constexpr std::chrono::milliseconds kShortestDwell{1};
  static constexpr std::size_t kMostFrames = 100000;

  explicit Sequencer(Session& session) : session_(session) {}
  Sequencer(const Sequencer&) = delete;
  Sequencer& operator=(const Sequencer&) = delete;

  void setTimer(FrameTimer* timer) { timer_ = timer; }
  bool hasTimer() const { return timer_ != nullptr; }

  // Refused while the sequence runs, and for a dwell under 1 ms or a frame past the most.
  Refused clear();
  Refused append(SequenceFrame frame);
  // How many times the frames are played: 1 or more, or nullopt for ever.
  Refused setRepeat(std::optional<int> passes);

  const std::vector<SequenceFrame>& frames() const { return frames_; }
  std::optional<int> repeat() const { return repeat_; }

  // Checks the whole sequence and plays its first frame at once; refused with nothing sent when
  // it is running already, has no frames, LDAC is held low or any frame is refused.
  Refused start();
  // Ends the sequence after the frame under way (every frame is written whole at its due time,
  // so between frames nothing is half done).
  void stop();

  bool running() const { return running_; }
  // The row (from 0) of the frame played last and the pass (from 1) it belongs to.
  std::size_t frameIndex() const { return playedIndex_; }
  int pass() const { return playedPass_; }
  SequenceTiming timing() const;

 private:
  Refused notWhileRunning() const;
  void playDue();
  void finish();

  Session& session_;
  FrameTimer* timer_ = nullptr;
  std::vector<SequenceFrame> frames_;
  std::optional<int> repeat_ = 1;
  // While running: every frame's codes, resolved at the start.
  std::vector<std::vector<std::pair<int, int64_t>>> codes_;
  bool running_ = false;
  std::size_t index_ = 0;  // the frame due next, and its pass
  int pass_ = 1;
  std::size_t playedIndex_ = 0;  // the frame played last, and its pass
  int playedPass_ = 1;
  FrameTimer::Clock::time_point due_{};
  std::vector<double> lateness_;  // seconds, of the last kMostFrames frames played at most
  uint64_t played_ = 0;
  double largest_ = 0.0;
};
