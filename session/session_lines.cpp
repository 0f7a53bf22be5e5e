// The chip's control lines, the RESET pulse with its re-initialisation, the hidden test
// sequences, the direct 24-bit load and the reload of the board.

#include "command_word.h"
#include "entry_code.h"
#include "hex_text.h"
#include "session.h"

Refused Session::lineRequest(Request code) {
  const ActionScope action(*this, actions::LineRequest{.line = code});
  // While LDAC is held low the DAC registers are transparent: they take every X2 at once.
  if (code == Request::LdacLow) {
    if (Refused refused = checkLimits([this] { loadAllDacRegisters(); }))
      return action.outcome(refused);
    ldacLow_ = true;
    loadAllDacRegisters();
  } else if (code == Request::LdacHigh) {
    ldacLow_ = false;
  }
  request(code);
  if (code == Request::ClrHigh) warnLimits("CLR", true);
  return std::nullopt;
}

// RESET low then high puts the chip back to its power-on registers; the register model follows.
void Session::pulseReset() {
  const ActionScope action(*this, actions::PulseReset{});
  request(Request::ResetLow);
  request(Request::ResetHigh);
  Init();
  warnLimits("RESET", false);
}

void Session::pulseClr() {
  const ActionScope action(*this, actions::PulseClr{});
  request(Request::ClrLow);
  request(Request::ClrHigh);
  warnLimits("CLR", true);
}

// Power-down bit set, CLR pulsed around it, power-down bit cleared again.
void Session::powerDownTest() {
  const ActionScope action(*this, actions::PowerDownTest{});
  SPIout(ControlRegisterWord(false, true));
  request(Request::ClrLow);
  SPIout(ControlRegisterWord(false, false));
  request(Request::ClrHigh);
  warnLimits("The power-down test", true);
}

// Readback test: select readback 0 and return what comes back.
int32_t Session::readbackTest() {
  const ActionScope action(*this, actions::ReadbackTest{});
  SPIout(ReadbackSelectWord(0));
  return link_.SPIread();
}

Refused Session::directLoad(int64_t word) {
  const ActionScope action(*this, actions::DirectLoad{.word = word});
  const CheckVerdict verdict = CheckCode(word, kWordBits);
  if (verdict.refused()) {
    return action.outcome(Refusal{Refusal::Kind::OutOfRange, verdict.text, verdict.title,
                                  OutsideRange(word, 0, (1 << kWordBits) - 1, "24-bit word")});
  }
  if (Refused refused = checkLimits([this, &verdict] { followWord(verdict.value); }))
    return action.outcome(refused);
  followWord(verdict.value);
  SPIout(verdict.value);
  return std::nullopt;
}

void Session::reload(const FailedLoadReport& report) {
  const ActionScope action(*this, actions::Reload{});
  if (beforeReload_) beforeReload_();
  loadUsb(report);
  request(Request::ResetLow);
  request(Request::ResetHigh);
  Init();
  warnLimits("Reload USB", false);
}
