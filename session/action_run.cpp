// Each operator action run on a session: the session function that carries it out.

#include "operator_action.h"
#include "saved_setup_steps.h"
#include "session.h"

namespace actions {

Refused Start::run(Session& session) const {
  session.LoadUSB({});
  return std::nullopt;
}

Refused WriteRegister::run(Session& session) const {
  return session.writeRegister(dac, reg, code);
}

Refused ChooseDacSource::run(Session& session) const {
  return session.chooseDacSource(dac, fromX2B);
}

Refused ChooseInputRegister::run(Session& session) const {
  session.chooseInputRegister(registerB);
  return std::nullopt;
}

Refused PulseLdac::run(Session& session) const {
  return session.pulseLdac();
}

Refused WriteVoltage::run(Session& session) const {
  return session.writeVoltage(dac, volts);
}

Refused WriteOffsetDac::run(Session& session) const {
  return session.writeOffsetDac(k, code);
}

Refused SetReference::run(Session& session) const {
  return session.setReference(k, text);
}

Refused SetMonitorEnabled::run(Session& session) const {
  return session.setMonitorEnabled(enabled);
}

Refused ChooseMonitorItem::run(Session& session) const {
  return session.chooseMonitorItem(item);
}

Refused SetGpioMode::run(Session& session) const {
  return session.setGpioMode(mode);
}

Refused ReadGpio::run(Session& session) const {
  (void)session.readGpio();
  return std::nullopt;
}

Refused LineRequest::run(Session& session) const {
  return session.lineRequest(line);
}

Refused PulseReset::run(Session& session) const {
  session.pulseReset();
  return std::nullopt;
}

Refused PulseClr::run(Session& session) const {
  session.pulseClr();
  return std::nullopt;
}

Refused PowerDownTest::run(Session& session) const {
  session.powerDownTest();
  return std::nullopt;
}

Refused ReadbackTest::run(Session& session) const {
  (void)session.readbackTest();
  return std::nullopt;
}

Refused DirectLoad::run(Session& session) const {
  return session.directLoad(word);
}

Refused Reload::run(Session& session) const {
  session.reload({});
  return std::nullopt;
}

Refused ReadRegister::run(Session& session) const {
  (void)session.readRegister(item, dac);
  return std::nullopt;
}

Refused VerifyChip::run(Session& session) const {
  (void)session.verifyChip();
  return std::nullopt;
}

Refused TakeChipValues::run(Session& session) const {
  session.takeChipValues(differences);
  return std::nullopt;
}

Refused SetChannelName::run(Session& session) const {
  return session.setChannelName(dac, name);
}

Refused SetChannelLimits::run(Session& session) const {
  return SetLimits(session, dac, low, high);
}

Refused Frame::run(Session& session) const {
  return session.writeFrame(Session::FrameCodes(codes.begin(), codes.end()));
}

}  // namespace actions

Refused RunStep(Session& session, const AnyAction& action) {
  return std::visit([&session](const auto& step) { return step.run(session); }, action);
}
