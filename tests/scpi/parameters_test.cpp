// The parameter readers: integer codes, voltages, booleans and choices with the error each kind
// of bad text gets, the range check of Call::code, and the numbers of replies.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "number_format.h"
#include "parameters.h"
#include "test_tree.h"

namespace {

template <typename T>
struct ReadCase {
  const char* text;
  std::optional<T> value;
  int error;  // when there is no value
};

template <typename T, typename Reader>
void Check(const std::vector<ReadCase<T>>& cases, Reader read) {
  for (const ReadCase<T>& c : cases) {
    const scpi::Reading<T> reading = read(c.text);
    EXPECT_EQ(reading.value, c.value) << c.text;
    EXPECT_EQ(reading.error, c.value ? 0 : c.error) << c.text;
    EXPECT_EQ(reading.detail.empty(), c.value.has_value()) << c.text;
  }
}

constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();

TEST(ReadInteger, DecimalWholeNrfAndNonDecimal) {
  Check<int64_t>(
      {
          {"12345", 12345, 0},
          {"+7", 7, 0},
          {"-7", -7, 0},
          {"-0", 0, 0},
          {"007", 7, 0},
          {"3.2768E4", 32768, 0},
          {"3.2768e+4", 32768, 0},
          {"32768.000", 32768, 0},
          {"327680E-1", 32768, 0},
          {".5E1", 5, 0},
          {"5.", 5, 0},
          {"0.0", 0, 0},
          {"1E18", 1'000'000'000'000'000'000, 0},
          {"9223372036854775807", kMax64, 0},
          {"-9223372036854775808", kMin64, 0},
          {"#H7FFF", 32767, 0},
          {"#hff", 255, 0},
          {"#B101", 5, 0},
          {"#q17", 15, 0},
          {"#H7FFFFFFFFFFFFFFF", kMax64, 0},
          {"1.5", {}, -222},
          {"3.27685E4", {}, -222},
          {"1E-1", {}, -222},
          {"1E19", {}, -222},
          {"9223372036854775808", {}, -222},
          {"-9223372036854775809", {}, -222},
          {"#H8000000000000000", {}, -222},
          {"#HFFFFFFFFFFFFFFFFF", {}, -222},
          {"12abc", {}, -102},
          {"1.2.3", {}, -102},
          {"1e", {}, -102},
          {"--1", {}, -102},
          {".", {}, -102},
          {"- 5", {}, -102},
          {"#H", {}, -102},
          {"#HG", {}, -102},
          {"#X12", {}, -102},
          {"#B102", {}, -102},
          {"#H-1", {}, -102},
          {"(5)", {}, -102},
          {"ON", {}, -104},
          {"\"5\"", {}, -104},
      },
      scpi::ReadInteger);
}

TEST(ReadVolts, NrfWithUnits) {
  Check<double>(
      {
          {"2.5", 2.5, 0},     {"-1e-3", -0.001, 0},   {".5", 0.5, 0},
          {"+3.", 3.0, 0},     {"0.1", 0.1, 0},        {"5V", 5.0, 0},
          {"5 v", 5.0, 0},     {"2.5MV", 0.0025, 0},   {"2.5 mV", 0.0025, 0},
          {"10uv", 1e-5, 0},   {"-2.5E+3MV", -2.5, 0}, {"1e400", {}, -222},
          {"5KV", {}, -131},   {"5 VOLTS", {}, -131},  {"5M", {}, -131},
          {"1.2.3", {}, -102}, {"5 .V", {}, -102},     {"-", {}, -102},
          {"-INF", {}, -102},  {"NAN", {}, -104},      {"INF", {}, -104},
          {"nan", {}, -104},   {"\"2.5\"", {}, -104},  {"#H10", {}, -104},
      },
      scpi::ReadVolts);
}

TEST(ReadBoolean, OnOffOneZero) {
  Check<bool>(
      {
          {"ON", true, 0},
          {"off", false, 0},
          {"1", true, 0},
          {"0", false, 0},
          {"1.0", true, 0},
          {"2", {}, -224},
          {"0.5", {}, -224},
          {"-1", {}, -224},
          {"ONE", {}, -224},
          {"TRUE", {}, -224},
          {"1x", {}, -102},
          {"\"ON\"", {}, -104},
      },
      scpi::ReadBoolean);
}

TEST(ReadChoice, ShortAndLongForms) {
  Check<int>(
      {
          {"INP", 0, 0},
          {"input", 0, 0},
          {"Low", 1, 0},
          {"HIGH", 2, 0},
          {"INPU", {}, -224},
          {"HIG", {}, -224},
          {"MEDium", {}, -224},
          {"1", {}, -104},
          {"\"LOW\"", {}, -104},
          {"*LOW", {}, -102},
      },
      [](std::string_view text) {
        return scpi::ReadChoice(text, {"INPut", "LOW", "HIGH"});
      });
}

TEST(ReadChoice, DetailListsTheChoices) {
  EXPECT_EQ(scpi::ReadChoice("MED", {"INPut", "LOW", "HIGH"}).detail,
            "expected INPut, LOW or HIGH, not 'MED'");
}

// Call::code's range check and the details that reach SYSTem:ERRor?.
TEST(CallCode, RangeAndDetails) {
  TestBench bench;
  bench.run("VAL 65535;VAL #H10000;VAL 1.5;VAL");
  EXPECT_EQ(bench.log,
            (std::vector<std::string>{"VALue[](65535)", "VALue[](#H10000)", "VALue[](1.5)"}));
  EXPECT_EQ(
      TakeErrorTexts(bench.connection),
      (std::vector<std::string>{R"(-222,"Data out of range;65536 is outside 0 to 65535")",
                                R"(-222,"Data out of range;not a whole number: '1.5'")",
                                R"(-109,"Missing parameter;'VAL' needs 1 parameter, got 0")"}));
}

TEST(FormatReal, ShortestTextThatReadsBack) {
  const std::pair<double, const char*> cases[] = {
      {0.1, "0.1"},
      {2.5, "2.5"},
      {-0.0025, "-0.0025"},
      {12345.0, "12345"},
      {2.5e-6, "2.5e-06"},
      {1e21, "1e+21"},
      {std::nan(""), "9.91E+37"},
      {std::numeric_limits<double>::infinity(), "9.9E+37"},
      {-std::numeric_limits<double>::infinity(), "-9.9E+37"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(scpi::FormatReal(value), text) << text;

  for (double value : {0.1, 1.0 / 3.0, 9.99969482421875, std::nextafter(2.5, 3.0), 5e-324,
                       std::numeric_limits<double>::max(), -123456.789e-200}) {
    const std::string text = scpi::FormatReal(value);
    double back = 0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_EQ(back, value) << text;
  }
}

}  // namespace
