#include "entry_code.h"

#include "hex_text.h"

namespace {

EntryCode CodeOfText(std::string_view text, int16_t bits) {
  const CheckVerdict verdict = CheckText(text, bits);
  if (verdict.refused())
    return {0, Refusal{Refusal::Kind::OutOfRange, verdict.text, verdict.title}};
  return {verdict.value, std::nullopt};
}

}  // namespace

EntryCode ChannelCodeOfText(std::string_view text) {
  return CodeOfText(text, kChannelCodeBits);
}

EntryCode OffsetCodeOfText(std::string_view text) {
  return CodeOfText(text, kOffsetDacBits);
}

EntryCode WordOfText(std::string_view text) {
  return CodeOfText(text, kWordBits);
}
