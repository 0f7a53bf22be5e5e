#include "line_assembler.h"

#include <cstring>

namespace scpi {

bool LineAssembler::appendPiece(std::string_view piece) {
  if (piece.empty()) return true;
  const bool heldCr = pendingCr_;
  const bool endsWithCr = piece.back() == '\r';
  if (endsWithCr) piece.remove_suffix(1);
  // A CR held back from the last piece was not the end of the line: it is part of it.
  if (length_ + (heldCr ? 1 : 0) + piece.size() > maxLine_) return false;
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(maxLine_);
  if (heldCr) buffer_[length_++] = '\r';
  if (!piece.empty()) std::memcpy(buffer_.get() + length_, piece.data(), piece.size());
  length_ += piece.size();
  pendingCr_ = endsWithCr;
  return true;
}

void LineAssembler::reset() {
  length_ = 0;
  pendingCr_ = false;
}

}  // namespace scpi
