#include "line_assembler.h"

namespace scpi {

bool LineAssembler::appendPiece(std::string_view piece) {
  if (piece.empty()) return true;
  if (pendingCr_) {
    // The CR held back was not the end of the line: it is part of it.
    pendingCr_ = false;
    if (partial_.size() + 1 > maxLine_) return false;
    if (partial_.capacity() < maxLine_) partial_.reserve(maxLine_);
    partial_ += '\r';
  }
  const bool endsWithCr = piece.back() == '\r';
  if (endsWithCr) piece.remove_suffix(1);
  if (partial_.size() + piece.size() > maxLine_) return false;
  if (partial_.capacity() < maxLine_) partial_.reserve(maxLine_);
  partial_ += piece;
  pendingCr_ = endsWithCr;
  return true;
}

void LineAssembler::reset() {
  partial_.clear();
  pendingCr_ = false;
}

}  // namespace scpi
