#pragma once
// The register record of one DAC channel: the program's own model of what it wrote to the chip.
// Plain storage: no masking, clamping or range check; limits are the callers' business.

#include <cstdint>
#include <optional>

class DAC {
 public:
  int32_t X2A = 0;                 // corrected code derived from X1A, M and C
  int32_t X2B = 0;                 // the same from X1B
  std::optional<int32_t> DACreg;   // DAC register; empty until first set, reads as 0

  int32_t DACregValue() const { return DACreg.value_or(0); }

  void setBITS(int16_t v) { bits_ = v; }
  int16_t BITS() const { return bits_; }
  void setABsel(int32_t v) { absel_ = v; }
  int32_t ABsel() const { return absel_; }
  void setC(int32_t v) { c_ = v; }
  int32_t C() const { return c_; }
  void setM(int32_t v) { m_ = v; }
  int32_t M() const { return m_; }
  void setX1B(int32_t v) { x1b_ = v; }
  int32_t X1B() const { return x1b_; }
  void setX1A(int32_t v) { x1a_ = v; }
  int32_t X1A() const { return x1a_; }

 private:
  int32_t x1a_ = 0;
  int32_t x1b_ = 0;
  int32_t m_ = 0;
  int32_t c_ = 0;
  int32_t absel_ = 0;
  int16_t bits_ = 0;
};
