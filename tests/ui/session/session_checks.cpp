// What must hold after every action: the selection and A/B choices agree with the program's
// state, the register displays show the selected record, the last word is on display, and the
// chip holds what the program's model says for every register written since its reset.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <array>

#include "chip_agreement.h"
#include "entry_texts.h"
#include "part_facts.h"
#include "session_operator.h"
#include "session_text.h"
#include "shape_widget.h"
#include "value_label.h"

namespace session {

namespace {

// The register display of a value: its hex digits (eight for a negative value, of which the last
// four are kept), at least four of them.
QString DisplayOf(int32_t value) {
  QString digits = QString::number(static_cast<uint32_t>(value), 16).toUpper();
  if (digits.size() == 8) digits = digits.right(4);
  return digits.rightJustified(4, QLatin1Char('0'));
}

// A label that shows the typed text of the last write: compared by value.
QString ValueDisagreement(const QLabel* label, int32_t value) {
  const std::optional<int32_t> shown = ParseHexEntry(label->text());
  if (shown == value) return {};
  return QStringLiteral("%1 shows %2, the record holds %3")
      .arg(label->objectName(), label->text(), QString::number(value, 16).toUpper());
}

QString TextDisagreement(const QLabel* label, int32_t value) {
  if (label->text() == DisplayOf(value)) return {};
  return QStringLiteral("%1 shows %2, expected %3")
      .arg(label->objectName(), label->text(), DisplayOf(value));
}

}  // namespace

QString SessionOperator::disagreement(std::optional<int32_t> lastWord) const {
  for (const QString& difference : {selectionDisagreement(), displayDisagreement()}) {
    if (!difference.isEmpty()) return difference;
  }
  if (lastWord) {
    const QString expected = QStringLiteral("%1").arg(*lastWord, 6, 16, QLatin1Char('0')).toUpper();
    const QString shown = controls_.win.lblOutputCode->text();
    if (shown != expected)
      return QStringLiteral("lblOutputCode shows %1, last word %2").arg(shown, expected);
  }
  const std::string chip = ChipDisagreement(w_.chip(), w_.session(), shadow_);
  return QString::fromStdString(chip);
}

// An X word may reach the other input register only while the chip's control register does not
// follow the A/B choice (after the power-down test or a RESET of the chip alone); while it does,
// the write has to route its word to the register its model took.
QString SessionOperator::followWords(const Outcome& outcome, const std::vector<int32_t>& words) {
  for (int32_t word : words) {
    const bool inputWord = DecodeChipWord(word, nullptr).target == ChipWord::Target::InputRegister;
    const bool routesToB = shadow_.routesToB(w_.session().inputRegisterB());
    const bool inSync = routesToB == w_.session().inputRegisterB();
    if (inputWord && inSync && routesToB != outcome.inputRegisterB)
      return QStringLiteral("the X word %1 reached input register %2, the model stored it in %3")
          .arg(QString::number(word, 16).toUpper())
          .arg(routesToB ? 'B' : 'A')
          .arg(outcome.inputRegisterB ? 'B' : 'A');
    shadow_.followWord(word, outcome.inputRegisterB, w_.session().chip().part());
  }
  return {};
}

QString SessionOperator::selectionDisagreement() const {
  const auto& diagram = controls_.diagram;
  // The selected record itself is checked by the register displays; the words written name it.
  if (!controls_.tab0.chkDAC.at(static_cast<size_t>(selected_))->isChecked())
    return QStringLiteral("chkDAC(%1) is not selected after picking it").arg(selected_);
  const int inputChoice = CheckedIndex(diagram.optAB);
  if (inputChoice < 0 || w_.session().inputRegisterB() != (inputChoice == 1))
    return QStringLiteral("XRegisterB %1 with optAB choice %2")
        .arg(w_.session().inputRegisterB())
        .arg(inputChoice);
  if (diagram.Areg->isHidden() != w_.session().inputRegisterB() ||
      diagram.Breg->isHidden() == w_.session().inputRegisterB())
    return QStringLiteral("the Areg/Breg lines disagree with XRegisterB");
  const int32_t abSel = w_.session().chip().DACs.at(static_cast<size_t>(selected_)).ABsel();
  const int source = CheckedIndex(diagram.DACoptMux2);
  if (source < 0 || (source == 1) != (abSel != 0))
    return QStringLiteral("DACoptMux2 choice %1 with ABsel %2").arg(source).arg(abSel);
  // The active boxes show in the words that the writes and the direct load send.
  if (CheckedIndex(controls_.tab0.InputSel) < 0) return QStringLiteral("no InputSel selected");
  if (CheckedIndex(controls_.tab2.optTxtSelect) < 0)
    return QStringLiteral("no optTxtSelect selected");
  // The chip's GPIO register is held against the session's choice; the options show it.
  const int gpioOption = checkedGpioOption();
  if (monitorShown_ && gpioOption != static_cast<int>(w_.session().gpioMode()))
    return QStringLiteral("chkGPIO(%1) checked with GPIO mode %2")
        .arg(gpioOption)
        .arg(static_cast<int>(w_.session().gpioMode()));
  return {};
}

QString SessionOperator::displayDisagreement() const {
  const auto& d = controls_.diagram;
  const DAC& record = w_.session().chip().DACs.at(static_cast<size_t>(selected_));
  for (const QString& difference :
       {ValueDisagreement(d.lblXA, record.X1A()), ValueDisagreement(d.lblXB, record.X1B()),
        ValueDisagreement(d.lblM, record.M()), ValueDisagreement(d.lblC, record.C()),
        TextDisagreement(d.lblX2A, record.X2A), TextDisagreement(d.lblX2B, record.X2B),
        TextDisagreement(d.DACregister, record.DACregValue())}) {
    if (!difference.isEmpty())
      return QStringLiteral("channel %1: %2").arg(selected_).arg(difference);
  }
  return {};
}

// After a RESET pulse or a reload: every record, the offset DACs and references, and the main
// tab's choices are back at the model's power-on state.
QString SessionOperator::resetStateDisagreement() const {
  const PartFacts& facts = FactsOf(part_);
  const int32_t gain = (1 << facts.bits) - 1;
  const int32_t offset = 1 << (facts.bits - 1);
  const int32_t code = facts.resetCode;
  for (int i = 0; i < 40; ++i) {
    const DAC& r = w_.session().chip().DACs.at(static_cast<size_t>(i));
    const std::array<int32_t, 8> fields = {r.X1A(),         r.X1B(), r.X2A, r.X2B,
                                           r.DACregValue(), r.M(),   r.C(), r.ABsel()};
    const std::array<int32_t, 8> expected = {code, code, code, code, code, gain, offset, 0};
    if (fields != expected) return QStringLiteral("record %1 is not at its reset state").arg(i);
  }
  for (int k = 0; k < 3; ++k) {
    const auto at = static_cast<size_t>(k);
    if (w_.session().chip().OffsetDAC(k) != facts.offsetDefault ||
        controls_.tab1.txtOffsetValue.at(at)->text() != QString::number(facts.offsetDefault, 16) ||
        controls_.diagram.txtVREF.at(at)->text() != QLatin1String(facts.referenceDefault))
      return QStringLiteral("offset DAC %1 or VREF%1 not back at the default").arg(k);
  }
  if (!controls_.diagram.optAB[0]->isChecked() || !controls_.diagram.DACoptMux2[0]->isChecked() ||
      !controls_.tab0.InputSel[0]->isChecked() || w_.session().inputRegisterB())
    return QStringLiteral("the main tab's choices are not back at A, A and box 0");
  return {};
}

}  // namespace session
