#include "sequencer.h"

#include <algorithm>

#include "session.h"

namespace {

Refusal Running() {
  return Refusal{Refusal::Kind::Conflict, "a sequence is running", ""};
}

}  // namespace

Refused Sequencer::notWhileRunning() const {
  if (running_) return Running();
  return std::nullopt;
}

Refused Sequencer::clear() {
  if (Refused refused = notWhileRunning()) return refused;
  frames_.clear();
  return std::nullopt;
}

Refused Sequencer::append(SequenceFrame frame) {
  if (Refused refused = notWhileRunning()) return refused;
  if (frame.dwell < kShortestDwell) {
    return Refusal{Refusal::Kind::OutOfRange, "a frame's dwell time is at least 1 ms", ""};
  }
  if (frames_.size() >= kMostFrames) {
    return Refusal{Refusal::Kind::OutOfRange,
                   "a sequence holds at most " + std::to_string(kMostFrames) + " frames", ""};
  }
  frames_.push_back(std::move(frame));
  return std::nullopt;
}

Refused Sequencer::setRepeat(std::optional<int> passes) {
  if (Refused refused = notWhileRunning()) return refused;
  if (passes && *passes < 1) {
    return Refusal{Refusal::Kind::OutOfRange, "a sequence is played at least once", ""};
  }
  repeat_ = passes;
  return std::nullopt;
}

Refused Sequencer::start() {
  if (running_) return Running();
  if (frames_.empty()) return Refusal{Refusal::Kind::Conflict, "the sequence has no frames", ""};
  if (timer_ == nullptr) {
    return Refusal{Refusal::Kind::Conflict, "this program has no timer to play a sequence", ""};
  }
  if (session_.ldacHeldLow()) {
    return Refusal{Refusal::Kind::Conflict,
                   "LDAC is held low, so the outputs would follow every word of the sequence: "
                   "release LDAC first",
                   ""};
  }
  std::vector<Session::FrameCodes> codes(frames_.size());
  for (std::size_t row = 0; row < frames_.size(); ++row) {
    if (Refused refused = session_.frameCodes(frames_[row].volts, codes[row])) {
      refused->text = "frame " + std::to_string(row + 1) + ": " + refused->text;
      return refused;
    }
  }
  if (Refused refused = session_.checkFrames(codes, repeat_ == 1 ? 1 : 2)) return refused;
  codes_ = std::move(codes);
  running_ = true;
  index_ = playedIndex_ = 0;
  pass_ = playedPass_ = 1;
  played_ = 0;
  largest_ = 0.0;
  lateness_.clear();
  due_ = FrameTimer::Clock::now();
  timer_->callAt(due_, [this] { playDue(); });
  session_.notify([](SessionListener& l) { l.sequenceChanged(); });
  return std::nullopt;
}

// The frame due now: its words and LDAC, then the next one's call at its due time.
void Sequencer::playDue() {
  if (!running_) return;
  const Session::Origin origin(session_, "sequence");
  session_.playFrame(codes_.at(index_));
  playedIndex_ = index_;
  playedPass_ = pass_;
  const double late = std::chrono::duration<double>(FrameTimer::Clock::now() - due_).count();
  ++played_;
  largest_ = std::max(largest_, late);
  if (lateness_.size() < kMostFrames) lateness_.push_back(late);
  session_.notify([](SessionListener& l) { l.sequenceChanged(); });
  due_ += frames_.at(index_).dwell;
  if (index_ + 1 < codes_.size()) {
    ++index_;
  } else {
    if (repeat_ && pass_ >= *repeat_) {
      // The last frame holds for its dwell time as every other does; then the sequence ends.
      timer_->callAt(due_, [this] { finish(); });
      return;
    }
    index_ = 0;
    ++pass_;
  }
  timer_->callAt(due_, [this] { playDue(); });
}

void Sequencer::stop() {
  if (!running_) return;
  timer_->cancel();
  finish();
}

void Sequencer::finish() {
  running_ = false;
  codes_.clear();
  session_.notify([](SessionListener& l) { l.sequenceChanged(); });
}

SequenceTiming Sequencer::timing() const {
  SequenceTiming timing{.played = played_, .largestLateness = largest_};
  if (lateness_.empty()) return timing;
  std::vector<double> sorted = lateness_;
  const auto middle = sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2);
  std::nth_element(sorted.begin(), middle, sorted.end());
  timing.medianLateness = *middle;
  return timing;
}
