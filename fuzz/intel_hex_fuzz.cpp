// The firmware image check of the simulated board. Any text must be judged without a crash;
// an image built well-formed from the input must be accepted, and the same image with one
// checksum digit changed must be refused.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "simulated_board.h"

namespace {

struct Image {
  std::string text;
  std::vector<std::size_t> checksumAt;  // offset of each record's checksum digits
};

char HexChar(unsigned digit, bool lower) {
  return (lower ? "0123456789abcdef" : "0123456789ABCDEF")[digit & 0xF];
}

// One record: ':' + the bytes (count, address, type, data) + their checksum, then a line end.
void AppendRecord(Image& image, std::vector<uint8_t> bytes, bool lower, const char* lineEnd) {
  unsigned sum = 0;
  for (uint8_t byte : bytes) sum += byte;
  bytes.push_back(static_cast<uint8_t>(-sum));
  image.text += ':';
  for (uint8_t byte : bytes) {
    image.text += HexChar(byte >> 4, lower);
    image.text += HexChar(byte, lower);
  }
  image.checksumAt.push_back(image.text.size() - 2);
  image.text += lineEnd;
}

// A record of a type other than end-of-file, with the data length its type requires.
std::vector<uint8_t> MakeRecord(FuzzedDataProvider& in) {
  const uint8_t type = in.PickValueInArray<uint8_t>({0x00, 0x00, 0x02, 0x03, 0x04, 0x05});
  const auto address = in.ConsumeIntegral<uint16_t>();
  std::vector<uint8_t> data;
  if (type == 0x00) {
    data = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 255));
  } else {
    data.resize(type == 0x02 || type == 0x04 ? 2 : 4);
    for (uint8_t& byte : data) byte = in.ConsumeIntegral<uint8_t>();
  }
  std::vector<uint8_t> bytes = {static_cast<uint8_t>(data.size()),
                                static_cast<uint8_t>(address >> 8),
                                static_cast<uint8_t>(address & 0xFF), type};
  bytes.insert(bytes.end(), data.begin(), data.end());
  return bytes;
}

Image BuildImage(FuzzedDataProvider& in) {
  Image image;
  const auto lineEnd = [&in] { return in.ConsumeBool() ? "\r\n" : "\n"; };
  const int records = in.ConsumeIntegralInRange(0, 12);
  for (int i = 0; i < records; ++i)
    AppendRecord(image, MakeRecord(in), in.ConsumeBool(), lineEnd());
  const auto address = in.ConsumeIntegral<uint16_t>();
  const std::vector<uint8_t> endOfFile = {0x00, static_cast<uint8_t>(address >> 8),
                                          static_cast<uint8_t>(address & 0xFF), 0x01};
  AppendRecord(image, endOfFile, in.ConsumeBool(), in.ConsumeBool() ? lineEnd() : "");
  return image;
}

// The image with one checksum digit replaced by another hex digit.
std::string WithOneChecksumDigitChanged(const Image& image, FuzzedDataProvider& in) {
  const std::size_t record = in.ConsumeIntegralInRange<std::size_t>(0, image.checksumAt.size() - 1);
  const std::size_t at = image.checksumAt[record] + (in.ConsumeBool() ? 1 : 0);
  const std::string digits = "0123456789ABCDEF";
  const char old = image.text[at];
  const std::size_t oldValue = digits.find(old >= 'a' ? static_cast<char>(old - 32) : old);
  const std::size_t step = in.ConsumeIntegralInRange<std::size_t>(1, 15);
  std::string changed = image.text;
  changed[at] = digits[(oldValue + step) % 16];
  return changed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string raw(reinterpret_cast<const char*>(data), size);
  static_cast<void>(IsValidIntelHex(raw));

  FuzzedDataProvider in(data, size);
  const Image image = BuildImage(in);
  FUZZ_CHECK(IsValidIntelHex(image.text));
  FUZZ_CHECK(!IsValidIntelHex(WithOneChecksumDigitChanged(image, in)));
  return 0;
}
