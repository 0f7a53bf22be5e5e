// The operator's actions away from the register writes: offset DACs, references and tabs, the
// monitor and GPIO controls, the control lines, RESET and reload, the direct load and the hidden
// test buttons.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <array>

#include "entry_texts.h"
#include "session_operator.h"
#include "session_text.h"

namespace session {

// ---- offset DACs, references, tabs ----

Outcome SessionOperator::writeOffsetDac() {
  const int k = offsetRows_.at(static_cast<size_t>(pick(static_cast<int>(offsetRows_.size()))));
  QLineEdit* box = controls_.tab1.txtOffsetValue.at(static_cast<size_t>(k));
  Outcome outcome;
  if (chance(80)) {
    const QString typed = RandomHexEntry(rng_, 14);
    typeText(box, typed);
    outcome.description =
        QStringLiteral("type %1 into txtOffsetValue(%2), ").arg(Quoted(typed)).arg(k);
    if (chance(50)) {
      LeaveBox(box);
      outcome.description += QStringLiteral("leave it, ");
      if (box->text() != typed.toUpper())
        outcome.failure = QStringLiteral("the offset box shows %1").arg(Quoted(box->text()));
    }
  }
  const QString text = box->text();
  const int32_t before = w_.session().chip().OffsetDAC(k);
  controls_.tab1.cmdOFFSET.at(static_cast<size_t>(k))->click();
  outcome.description += QStringLiteral("click cmdOFFSET(%1) with %2").arg(k).arg(Quoted(text));
  if (!FitsBits(text, 14)) {
    outcome.messages = 1;
    if (w_.session().chip().OffsetDAC(k) != before)
      outcome.failure = QStringLiteral("a refused offset changed OffsetDAC%1").arg(k);
    return outcome;
  }
  const int32_t value = *ParseHexEntry(text);
  outcome.words = {(0x020000 + k * 0x10000) | value};
  shadow_.offsetDacWritten(k);
  if (w_.session().chip().OffsetDAC(k) != value)
    outcome.failure =
        QStringLiteral("OffsetDAC%1 is %2").arg(k).arg(Hex(w_.session().chip().OffsetDAC(k)));
  return outcome;
}

Outcome SessionOperator::typeReference() {
  const int k = references_.at(static_cast<size_t>(pick(static_cast<int>(references_.size()))));
  QLineEdit* box = controls_.diagram.txtVREF.at(static_cast<size_t>(k));
  const QString text = RandomReferenceText(rng_);
  typeText(box, text);
  const bool enter = chance(70);
  if (enter) QTest::keyClick(box, Qt::Key_Return);
  return {QStringLiteral("type %1 into txtVREF(%2)%3")
              .arg(Quoted(text))
              .arg(k)
              .arg(enter ? QStringLiteral(" and Enter") : QString())};
}

Outcome SessionOperator::changeTab() {
  const int tab = pick(4);
  const bool changes = controls_.win.SSTab1->currentIndex() != tab;
  controls_.win.SSTab1->setCurrentIndex(tab);
  Outcome outcome{QStringLiteral("select tab %1").arg(tab)};
  if (!changes || tab != 3) return outcome;
  // Every label, hidden ones included, was refreshed in place.
  for (int i = 0; i < 40; ++i) {
    const QString caption = controls_.tab3.lblvout.at(static_cast<size_t>(i))->text();
    if (!caption.startsWith(QStringLiteral("Vout%1=").arg(i)))
      outcome.failure = QStringLiteral("lblvout(%1) reads %2").arg(i).arg(Quoted(caption));
  }
  return outcome;
}

// ---- monitor and GPIO ----

Outcome SessionOperator::chooseMonitorSwitch() {
  if (!monitorShown_) return {QStringLiteral("monitor switch (hidden on this model)")};
  QComboBox* list = controls_.tab1.cboDisable;
  const int item = pick(2);
  list->setCurrentIndex(item);
  Q_EMIT list->activated(item);
  shadow_.monitorWritten();
  Outcome outcome{QStringLiteral("choose cboDisable item %1").arg(item)};
  outcome.words = {0x0C0000 | w_.session().monitorState()};
  const bool enabled = item == 1;
  if (controls_.tab1.cboMonChannel->isEnabled() != enabled ||
      ((w_.session().monitorState() & 0x20) != 0) != enabled)
    outcome.failure = QStringLiteral("the monitor switch did not take");
  return outcome;
}

Outcome SessionOperator::chooseMonitoredItem() {
  QComboBox* list = controls_.tab1.cboMonChannel;
  if (!monitorShown_ || !list->isEnabled())
    return {QStringLiteral("monitored channel (not available)")};
  const int item = pick(list->count());
  list->setCurrentIndex(item);
  Q_EMIT list->activated(item);
  shadow_.monitorWritten();
  Outcome outcome{QStringLiteral("choose cboMonChannel item %1").arg(item)};
  const int32_t state = w_.session().monitorState();
  outcome.words = {0x0C0000 | state};
  const bool right =
      item < 2 ? (state & 0x10) != 0 && (state & 0x1) == item : (state & 0x1F) == item - 2;
  if (!right) outcome.failure = QStringLiteral("MonitorState %1").arg(Hex(state));
  return outcome;
}

Outcome SessionOperator::clickGpioOption() {
  if (!monitorShown_) return {QStringLiteral("GPIO option (hidden on this model)")};
  static constexpr std::array<int32_t, 3> kData = {0x0, 0x2, 0x3};
  const int k = pick(3);
  QRadioButton* option = controls_.tab1.chkGPIO.at(static_cast<size_t>(k));
  const bool wasChecked = option->isChecked();
  option->click();
  Outcome outcome{QStringLiteral("click chkGPIO(%1)").arg(k)};
  if (!wasChecked) {
    outcome.words = {0x0D0000 | kData[static_cast<size_t>(k)]};
    shadow_.gpioWritten();
  }
  return outcome;
}

Outcome SessionOperator::readGpioPin() {
  if (!monitorShown_) return {QStringLiteral("GPIO read (hidden on this model)")};
  bool inputHigh = chance(50);
  if (!w_.setGpioInputLevel(inputHigh)) inputHigh = false;  // a board whose input stays low
  controls_.tab1.cmdGPIOread->click();
  Outcome outcome{QStringLiteral("Read with input level %1").arg(inputHigh ? "high" : "low")};
  outcome.words = {0x058580};
  outcome.reads = 1;
  if (shadow_.gpio() == ChipShadow::Known::Unknown) return outcome;
  // Power-on leaves the pin an input; a written option decides as the chip does.
  const int option = shadow_.gpio() == ChipShadow::Known::PowerOn ? 0 : checkedGpioOption();
  const bool high = option == 0 ? inputHigh : option == 2;
  const QString expected = high ? QStringLiteral("=HIGH") : QStringLiteral("=LOW");
  if (controls_.tab1.lblGPIOinput->text() != expected)
    outcome.failure =
        QStringLiteral("lblGPIOinput shows %1").arg(controls_.tab1.lblGPIOinput->text());
  return outcome;
}

// ---- lines, resets, reload, direct load, hidden tests ----

Outcome SessionOperator::clickLineButton() {
  static constexpr std::array<int, 6> kCodes = {kRequestResetHigh, kRequestResetLow,
                                                kRequestClrHigh,   kRequestClrLow,
                                                kRequestLdacHigh,  kRequestLdacLow};
  const int k = pick(6);
  QPushButton* button = controls_.tab2.cmdRESET.at(static_cast<size_t>(k));
  button->click();
  Outcome outcome{QStringLiteral("click cmdRESET(%1) %2").arg(k).arg(Quoted(button->text()))};
  outcome.lines = {kCodes[static_cast<size_t>(k)]};
  // RESET rising after low resets the chip; the program's model keeps its values.
  if (k == 1) resetLineLow_ = true;
  if (k == 0 && resetLineLow_) {
    shadow_.powerOn(false);
    resetLineLow_ = false;
  }
  return outcome;
}

Outcome SessionOperator::pulseReset() {
  QPushButton* buttons[] = {controls_.tab0.mnuPulseReset, controls_.tab2.Command1,
                            controls_.tab1.Command5};
  const int k = pick(3);
  buttons[k]->click();
  shadow_.powerOn();
  resetLineLow_ = false;
  Outcome outcome{QStringLiteral("%1 (Pulse RESET)").arg(buttons[k]->objectName())};
  outcome.lines = {kRequestResetLow, kRequestResetHigh};
  outcome.failure = resetStateDisagreement();
  return outcome;
}

Outcome SessionOperator::reloadUsb() {
  controls_.menus.mnuReload->trigger();
  shadow_.powerOn();
  resetLineLow_ = false;
  Outcome outcome{QStringLiteral("Reload USB")};
  outcome.lines = {kRequestStart, kRequestResetLow, kRequestResetHigh};
  outcome.failure = resetStateDisagreement();
  return outcome;
}

Outcome SessionOperator::directLoad() {
  const int k = pick(5);
  QLineEdit* box = controls_.tab2.txtDirectLoad.at(static_cast<size_t>(k));
  // Half the words are special-function words: the functions of the family, codes the chip does
  // not know, and channel addresses beyond the last record.
  static constexpr std::array<int, 16> kSpecial = {0, 1, 2,  3,  4,  5,  6,  7,
                                                   8, 9, 10, 12, 13, 14, 31, 63};
  const QString typed =
      chance(50)
          ? RandomHexEntry(rng_, 24)
          : QString::number((kSpecial[static_cast<size_t>(pick(16))] << 16) | pick(0x10000), 16);
  typeText(box, typed);
  Outcome outcome{QStringLiteral("type %1 into txtDirectLoad(%2)").arg(Quoted(typed)).arg(k)};
  if (chance(50)) {
    LeaveBox(box);
    if (box->text() != typed.toUpper())
      outcome.failure =
          QStringLiteral("txtDirectLoad(%1) shows %2").arg(k).arg(Quoted(box->text()));
  }
  const int option = chance(70) ? k : pick(5);
  controls_.tab2.optTxtSelect.at(static_cast<size_t>(option))->click();
  const QString text = controls_.tab2.txtDirectLoad.at(static_cast<size_t>(option))->text();
  controls_.tab2.cmdDirectLoad->click();
  outcome.description +=
      QStringLiteral(", Load Command from box %1 holding %2").arg(option).arg(Quoted(text));
  if (!FitsBits(text, 24)) {
    outcome.messages = 1;
    return outcome;
  }
  const int32_t word = *ParseHexEntry(text);
  outcome.words = {word};
  // The register model follows the word as the chip takes it.
  shadow_.followWord(word, w_.session().inputRegisterB(), w_.session().chip().part());
  return outcome;
}

Outcome SessionOperator::powerDownTest() {
  controls_.tab1.cmdPowerDownTest->click();
  shadow_.controlSet(0x0000);
  Outcome outcome{QStringLiteral("Power Down Test (hidden)")};
  outcome.words = {0x010001, 0x010000};
  outcome.lines = {kRequestClrLow, kRequestClrHigh};
  return outcome;
}

Outcome SessionOperator::clrPulse() {
  controls_.tab1.Command6->click();
  Outcome outcome{QStringLiteral("Pulse CLR (hidden)")};
  outcome.lines = {kRequestClrLow, kRequestClrHigh};
  return outcome;
}

// The readback test reads the control register back.
Outcome SessionOperator::readbackTest() {
  controls_.win.Command3->click();
  Outcome outcome{QStringLiteral("readback test (hidden)")};
  outcome.words = {0x050000};
  outcome.reads = 1;
  outcome.messages = 1;
  const auto& messages = w_.services().messages;
  const QString expected = Hex(shadow_.controlSent().value_or(0));
  if (messages.empty() || messages.back().text != expected)
    outcome.failure = QStringLiteral("the readback test did not show %1").arg(expected);
  return outcome;
}

}  // namespace session
