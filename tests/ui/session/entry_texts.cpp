#include "entry_texts.h"

#include <array>

namespace session {

namespace {

int Pick(std::mt19937& rng, int n) {
  return std::uniform_int_distribution<int>(0, n - 1)(rng);
}

int64_t PickIn(std::mt19937& rng, int64_t low, int64_t high) {
  return std::uniform_int_distribution<int64_t>(low, high)(rng);
}

// `value` in hex, zeros in front up to a random width of at most eight digits, random case.
QString HexText(std::mt19937& rng, uint32_t value) {
  QString digits = QString::number(value, 16);
  const int width = static_cast<int>(PickIn(rng, digits.size(), 8));
  digits = digits.rightJustified(width, QLatin1Char('0'));
  switch (Pick(rng, 3)) {
    case 0:
      return digits.toUpper();
    case 1:
      return digits;  // lower case
    default: {
      QString mixed;
      for (const QChar c : digits) mixed += Pick(rng, 2) == 0 ? c.toUpper() : c;
      return mixed;
    }
  }
}

const std::array<const char*, 12> kNotHex = {"xyz", "12G4",  " 12",  "12 ", "0x1F", "-1",
                                             "+5",  "ab cd", "&H10", "1.5", "Z",    "0000000g"};

}  // namespace

std::optional<int32_t> ParseHexEntry(const QString& text) {
  if (text.isEmpty() || text.size() > 8) return std::nullopt;
  uint32_t value = 0;
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    uint32_t digit = 0;
    if (u >= u'0' && u <= u'9') {
      digit = u - u'0';
    } else if (u >= u'a' && u <= u'f') {
      digit = u - u'a' + 10;
    } else if (u >= u'A' && u <= u'F') {
      digit = u - u'A' + 10;
    } else {
      return std::nullopt;
    }
    value = value * 16 + digit;
  }
  return static_cast<int32_t>(value);
}

bool FitsBits(const QString& text, int bits) {
  const std::optional<int32_t> value = ParseHexEntry(text);
  return value && *value >= 0 && *value <= (int64_t{1} << bits) - 1;
}

QString RandomHexEntry(std::mt19937& rng, int bits) {
  const int64_t largest = (int64_t{1} << bits) - 1;
  const int kind = Pick(rng, 20);
  if (kind < 9) return HexText(rng, static_cast<uint32_t>(PickIn(rng, 0, largest)));
  switch (kind) {
    case 9:
      return HexText(rng, 0);
    case 10:
      return HexText(rng, static_cast<uint32_t>(largest));
    case 11:  // just over the range: the first code beyond it, or one of the next
      return HexText(rng, static_cast<uint32_t>(Pick(rng, 2) == 0
                                                    ? largest + 1
                                                    : PickIn(rng, largest + 1, 2 * largest + 1)));
    case 12:  // the 14-bit over-range codes whatever the box
      return HexText(rng, static_cast<uint32_t>(PickIn(rng, 0x4000, 0xFFFF)));
    case 13:  // more than 16 bits, still a number
      return HexText(rng, static_cast<uint32_t>(PickIn(rng, 0x10000, 0x7FFFFFFF)));
    case 14:  // eight digits with the top bit set: a negative number
      return HexText(rng, static_cast<uint32_t>(PickIn(rng, 0x80000000LL, 0xFFFFFFFFLL)));
    case 15:  // too many digits
      return QString::number(PickIn(rng, 0, 0xFFFF), 16)
          .rightJustified(static_cast<int>(PickIn(rng, 9, 11)), QLatin1Char('0'));
    case 16:
      return QString();
    case 17:  // a digit no keyboard of ours has: full-width one
      return QStringLiteral("1%1").arg(QChar(0xFF11));
    default:
      return QString::fromLatin1(kNotHex[static_cast<size_t>(Pick(rng, kNotHex.size()))]);
  }
}

QString RandomReferenceText(std::mt19937& rng) {
  static const std::array<const char*, 14> kTexts = {
      "5", "3", "2.50", "3.3", "1e1", "-2", "0", "5V", " 4 ", "&H10", "abc", "", "2,5", "1.25e0"};
  return QString::fromLatin1(kTexts[static_cast<size_t>(Pick(rng, kTexts.size()))]);
}

bool TypableAscii(const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x20 || c.unicode() > 0x7E) return false;
  }
  return true;
}

}  // namespace session
