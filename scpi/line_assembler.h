#pragma once
// Input framing: bytes as they arrive from a socket in, complete lines out.

#include <cstddef>
#include <memory>
#include <string_view>

namespace scpi {

// A line ends with LF; a CR right before the LF is dropped. A line longer than the limit gives
// one overrun event and is discarded up to its LF, however long it is; only the current
// partial line is kept, never more than the limit. Bytes may come in any pieces: a line split
// anywhere, several lines in one piece.
//
//   assembler.feed(bytes,
//                  [&](std::string_view line) { if (auto r = connection.execute(line)) send(*r); },
//                  [&] { connection.inputOverrun(); });
class LineAssembler {
 public:
  static constexpr std::size_t kMaxLine = 65536;  // bytes of a line without its terminator

  explicit LineAssembler(std::size_t maxLine = kMaxLine) : maxLine_(maxLine) {}

  // Calls onLine(std::string_view) for every line completed by `bytes` (the view is valid during
  // the call only) and onOverrun() once for every line that grows past the limit.
  template <typename OnLine, typename OnOverrun>
  void feed(std::string_view bytes, OnLine&& onLine, OnOverrun&& onOverrun);

  // The end of the input: a partial line (not one being discarded) is handed to onLine as if its
  // LF had come, a CR at its end dropped as before a LF. The assembler is empty afterwards.
  template <typename OnLine>
  void finish(OnLine&& onLine);

  // Bytes of the partial line held (a CR waiting for its LF included).
  std::size_t buffered() const { return length_ + (pendingCr_ ? 1 : 0); }
  // Bytes of memory held for the partial line: none until a line is split, then the limit.
  std::size_t capacity() const { return buffer_ ? maxLine_ : 0; }
  std::size_t maxLine() const { return maxLine_; }

 private:
  // Adds a piece of the partial line (a trailing CR held back); false when the line would grow
  // past the limit.
  bool appendPiece(std::string_view piece);
  // Empties the partial line, keeping its memory.
  void reset();

  std::string_view partial() const { return {buffer_.get(), length_}; }

  std::size_t maxLine_;
  std::unique_ptr<char[]> buffer_;  // the partial line, maxLine_ bytes once needed
  std::size_t length_ = 0;
  bool pendingCr_ = false;   // the last byte was a CR, not yet known to end the line
  bool discarding_ = false;  // past the limit: drop bytes up to the next LF
};

template <typename OnLine, typename OnOverrun>
void LineAssembler::feed(std::string_view bytes, OnLine&& onLine, OnOverrun&& onOverrun) {
  while (!bytes.empty()) {
    const std::size_t lf = bytes.find('\n');
    const std::string_view piece = bytes.substr(0, lf);
    bytes.remove_prefix(lf == std::string_view::npos ? bytes.size() : lf + 1);
    if (!discarding_) {
      if (length_ == 0 && !pendingCr_ && lf != std::string_view::npos) {
        // A whole line inside this piece: hand it out without copying.
        std::string_view line = piece;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() <= maxLine_) {
          onLine(line);
          continue;
        }
      } else if (appendPiece(piece)) {
        if (lf != std::string_view::npos) {
          onLine(partial());
          reset();
        }
        continue;
      }
      onOverrun();
      reset();
      discarding_ = true;
    }
    if (lf != std::string_view::npos) discarding_ = false;
  }
}

template <typename OnLine>
void LineAssembler::finish(OnLine&& onLine) {
  const bool partialLine = !discarding_ && (length_ > 0 || pendingCr_);
  if (partialLine) onLine(partial());
  reset();
  discarding_ = false;
}

}  // namespace scpi
