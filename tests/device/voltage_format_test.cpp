// The "0.0000" voltage text: rounding of the exact binary value, no minus sign on a zero, and a
// point as decimal separator whatever the global locale.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <sstream>
#include <string>

#include "transfer_function.h"

namespace {

TEST(FormatVoltage, FourDecimalsRounded) {
  struct Case {
    double volts;
    const char* text;
  };
  const Case cases[] = {
      {0.0, "0.0000"},
      {-10.0, "-10.0000"},
      {9.99969482421875, "9.9997"},
      {8.00006103515625, "8.0001"},
      {-3.99975585937500, "-3.9998"},
      {123.4, "123.4000"},
      {0.5, "0.5000"},
      {-0.5, "-0.5000"},
      {0.00005, "0.0001"},            // the double lies just above the half
      {0.00015, "0.0001"},            // the double lies just below the half
      {0.000030517578125, "0.0000"},  // 2^-15 rounds down
      {0.000091552734375, "0.0001"},  // 3 x 2^-15 rounds up
      {99999.99996, "100000.0000"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatVoltage(c.volts), c.text) << c.volts;
}

TEST(FormatVoltage, NegativeZeroShowsWithoutSign) {
  for (double v : {-0.0, -0.00001, -0.00004999, -0.000030517578125}) {
    EXPECT_EQ(FormatVoltage(v), "0.0000") << v;
  }
  EXPECT_EQ(FormatVoltage(-0.00005000001), "-0.0001");
}

// A numeric facet with a comma as decimal separator, as a German or French desktop would have.
class CommaDecimal : public std::numpunct<char> {
 protected:
  char do_decimal_point() const override { return ','; }
};

// Puts a locale in place for the C++ and, where named, the C library and restores both after.
class GlobalLocaleGuard {
 public:
  explicit GlobalLocaleGuard(const std::locale& locale)
      : previousCpp_(std::locale::global(locale)), previousC_(std::setlocale(LC_ALL, nullptr)) {}
  ~GlobalLocaleGuard() {
    std::locale::global(previousCpp_);
    std::setlocale(LC_ALL, previousC_.c_str());
  }
  GlobalLocaleGuard(const GlobalLocaleGuard&) = delete;
  GlobalLocaleGuard& operator=(const GlobalLocaleGuard&) = delete;

 private:
  std::locale previousCpp_;
  std::string previousC_;
};

TEST(FormatVoltage, PointUnderACommaFacet) {
  const GlobalLocaleGuard guard(std::locale(std::locale::classic(), new CommaDecimal));
  std::ostringstream probe;
  probe << 2.5;
  ASSERT_EQ(probe.str(), "2,5") << "the facet is in place";
  EXPECT_EQ(FormatVoltage(9.99969482421875), "9.9997");
  EXPECT_EQ(FormatVoltage(-3.99975585937500), "-3.9998");
}

TEST(FormatVoltage, PointUnderANamedCommaLocale) {
  std::locale named;
  bool found = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8"}) {
    try {
      named = std::locale(name);
      found = true;
      break;
    } catch (const std::runtime_error&) {
    }
  }
  if (!found) GTEST_SKIP() << "no locale with a decimal comma is installed";
  const GlobalLocaleGuard guard(named);
  ASSERT_STREQ(std::localeconv()->decimal_point, ",") << "the C library follows the locale";
  EXPECT_EQ(FormatVoltage(9.99969482421875), "9.9997");
  EXPECT_EQ(FormatVoltage(-10.0), "-10.0000");
}

}  // namespace
