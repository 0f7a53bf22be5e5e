#include "chip_model.h"

#include <cmath>

#include "rounding.h"

void ChipModel::ApplySetup(const PartInfo& row) {
  PartBits = row.bits;
  PartChannels = row.channels;
  PartName = std::string(row.name);
  const int32_t gain = FullScaleGain(PartBits);
  const int32_t offset = MidScaleOffset(PartBits);
  for (DAC& record : DACs) {
    record.setM(gain);
    record.setC(offset);
  }
}

void ChipModel::ResetChannels() {
  const int32_t gain = FullScaleGain(PartBits);
  const int32_t offset = MidScaleOffset(PartBits);
  for (DAC& record : DACs) {
    record.setBITS(PartBits);
    record.setM(gain);
    record.setC(offset);
  }
  const PartInfo* row = part();
  if (row == nullptr) return;
  for (DAC& record : DACs) {
    record.setX1A(row->resetCode);
    record.setX1B(row->resetCode);
    record.X2A = row->resetCode;
    record.X2B = row->resetCode;
    record.DACreg = row->resetCode;
  }
}

void ChipModel::ResetABsel() {
  for (DAC& record : DACs) record.setABsel(0);
}

namespace {

// OffsetDAC0..2 in number order; at() refuses any other number with std::out_of_range.
constexpr std::array<int32_t ChipModel::*, 3> kOffsetDacs{
    &ChipModel::OffsetDAC0, &ChipModel::OffsetDAC1, &ChipModel::OffsetDAC2};

}  // namespace

int32_t& ChipModel::OffsetDAC(int k) {
  return this->*kOffsetDacs.at(static_cast<size_t>(k));
}

int32_t ChipModel::OffsetDAC(int k) const {
  return this->*kOffsetDacs.at(static_cast<size_t>(k));
}

int32_t FullScaleGain(int16_t n) {
  return RoundToInt32(std::pow(2.0, n) - 1.0);
}

int32_t MidScaleOffset(int16_t n) {
  return RoundToInt32(std::pow(2.0, n - 1));
}
