// The offset DACs and the reference voltages of the reference sets.

#include "command_word.h"
#include "entry_code.h"
#include "hex_text.h"
#include "session.h"

Refused Session::writeOffsetDac(int k, int64_t code) {
  const ActionScope action(*this, actions::WriteOffsetDac{.k = k, .code = code});
  const CheckVerdict verdict = CheckCode(code, kOffsetDacBits);
  if (verdict.refused()) {
    return action.outcome(
        Refusal{Refusal::Kind::OutOfRange, verdict.text, verdict.title,
                OutsideRange(code, 0, (1 << kOffsetDacBits) - 1, "14-bit offset DAC")});
  }
  if (Refused refused = checkLimits([this, k, &verdict] { chip_.OffsetDAC(k) = verdict.value; }))
    return action.outcome(refused);
  SPIout(OffsetDacWord(k, verdict.value));
  chip_.OffsetDAC(k) = verdict.value;  // the model follows once the word has gone out
  notify([k](SessionListener& l) { l.offsetDacWritten(k); });
  return std::nullopt;
}

// A reference is never sent: the output voltages read it whenever they are computed.
Refused Session::setReference(int k, std::string text) {
  if (references_.at(static_cast<size_t>(k)) == text) return std::nullopt;
  const ActionScope action(*this, actions::SetReference{.k = k, .text = text});
  if (Refused refused =
          checkLimits([this, k, &text] { references_.at(static_cast<size_t>(k)) = text; })) {
    return action.outcome(refused);
  }
  references_.at(static_cast<size_t>(k)) = std::move(text);
  notify([k](SessionListener& l) { l.referenceChanged(k); });
  return std::nullopt;
}
