// The operator's choice of action, and the actions on the channel selection, the entry boxes and
// the register writes. Each one works the window through its controls and states what the board
// must see; the register shadow follows what the chip has been sent.

#include "session_operator.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <array>
#include <cmath>

#include "entry_texts.h"
#include "instrument_tree.h"
#include "part_facts.h"
#include "session_text.h"
#include "value_label.h"

namespace session {

namespace {

enum class Action {
  PickChannel,
  ChooseInputRegister,
  ChooseDacSource,
  ClickInputSel,
  TypeIntoEntryBox,
  LeaveEntryBox,
  WriteRegister,
  WriteWithInterruption,
  PulseLdac,
  WriteOffsetDac,
  TypeReference,
  ChangeTab,
  ChooseMonitorSwitch,
  ChooseMonitoredItem,
  ClickGpioOption,
  ReadGpioPin,
  ClickLineButton,
  PulseReset,
  ReloadUsb,
  DirectLoad,
  PowerDownTest,
  ClrPulse,
  ReadbackTest,
  RemoteCommand,
};

// How often each action comes, in parts of the whole.
struct Weighted {
  Action action;
  double weight;
};
constexpr std::array<Weighted, 24> kActions = {{
    {Action::PickChannel, 10},
    {Action::ChooseInputRegister, 5},
    {Action::ChooseDacSource, 5},
    {Action::ClickInputSel, 4},
    {Action::TypeIntoEntryBox, 14},
    {Action::LeaveEntryBox, 3},
    {Action::WriteRegister, 22},
    {Action::PulseLdac, 5},
    {Action::WriteOffsetDac, 5},
    {Action::TypeReference, 3},
    {Action::ChangeTab, 3},
    {Action::ChooseMonitorSwitch, 2},
    {Action::ChooseMonitoredItem, 2},
    {Action::ClickGpioOption, 2},
    {Action::ReadGpioPin, 2},
    {Action::ClickLineButton, 4},
    {Action::PulseReset, 1},
    {Action::ReloadUsb, 0.5},
    {Action::DirectLoad, 3},
    {Action::PowerDownTest, 0.5},
    {Action::ClrPulse, 0.5},
    {Action::ReadbackTest, 0.5},
    {Action::WriteWithInterruption, 4},
    {Action::RemoteCommand, 10},
}};

// The corrected code the chip applies: (M + 1) / 2^n * X1 + (C - 2^(n-1)), rounded half to even.
int32_t CorrectedCode(int32_t x1, int32_t m, int32_t c, int bits) {
  const double scale = std::ldexp(1.0, bits);
  const double q = static_cast<double>(m + 1) / scale;
  const double s = (static_cast<double>(c) - scale / 2) + q * static_cast<double>(x1);
  return static_cast<int32_t>(std::nearbyint(s));
}

std::vector<int32_t> Fields(const DAC& d) {
  return {d.X1A(), d.X1B(), d.M(), d.C(), d.X2A, d.X2B, d.DACregValue(), d.ABsel()};
}

}  // namespace

SessionOperator::SessionOperator(WindowUnderTest& w, int part, unsigned seed)
    : w_(w), controls_(FindNamedControls(w.window())), part_(part), rng_(seed) {
  for (int i = 0; i < 40; ++i) {
    if (!controls_.tab0.chkDAC.at(static_cast<size_t>(i))->isHidden()) channels_.push_back(i);
  }
  for (int k = 0; k < 3; ++k) {
    const auto at = static_cast<size_t>(k);
    if (!controls_.tab1.cmdOFFSET.at(at)->isHidden()) offsetRows_.push_back(k);
    if (!controls_.diagram.txtVREF.at(at)->isHidden()) references_.push_back(k);
  }
  monitorShown_ = !controls_.tab1.fraMonControls->isHidden();
  shadow_.powerOn();  // the window started the chip from its reset
  tree_ = std::make_unique<scpi::CommandTree>(InstrumentTree(w.session()));
  client_ = std::make_unique<scpi::Connection>(*tree_);
}

Outcome SessionOperator::act() {
  static const std::discrete_distribution<int> kChoose = [] {
    std::vector<double> weights;
    for (const Weighted& a : kActions) weights.push_back(a.weight);
    return std::discrete_distribution<int>(weights.begin(), weights.end());
  }();
  std::discrete_distribution<int> choose = kChoose;
  switch (kActions.at(static_cast<size_t>(choose(rng_))).action) {
    case Action::PickChannel:
      return pickChannel();
    case Action::ChooseInputRegister:
      return chooseInputRegister();
    case Action::ChooseDacSource:
      return chooseDacSource();
    case Action::ClickInputSel:
      return clickInputSel();
    case Action::TypeIntoEntryBox:
      return typeIntoEntryBox();
    case Action::LeaveEntryBox:
      return leaveEntryBox();
    case Action::WriteRegister:
      return writeRegister();
    case Action::WriteWithInterruption:
      return writeWithInterruption();
    case Action::PulseLdac:
      return pulseLdac();
    case Action::WriteOffsetDac:
      return writeOffsetDac();
    case Action::TypeReference:
      return typeReference();
    case Action::ChangeTab:
      return changeTab();
    case Action::ChooseMonitorSwitch:
      return chooseMonitorSwitch();
    case Action::ChooseMonitoredItem:
      return chooseMonitoredItem();
    case Action::ClickGpioOption:
      return clickGpioOption();
    case Action::ReadGpioPin:
      return readGpioPin();
    case Action::ClickLineButton:
      return clickLineButton();
    case Action::PulseReset:
      return pulseReset();
    case Action::ReloadUsb:
      return reloadUsb();
    case Action::DirectLoad:
      return directLoad();
    case Action::PowerDownTest:
      return powerDownTest();
    case Action::ClrPulse:
      return clrPulse();
    case Action::ReadbackTest:
      return readbackTest();
    case Action::RemoteCommand:
      return remoteCommand();
  }
  return {};
}

// ---- channel and A/B choices ----

Outcome SessionOperator::pickChannel() {
  const int dac = channels_.at(static_cast<size_t>(pick(static_cast<int>(channels_.size()))));
  controls_.tab0.chkDAC.at(static_cast<size_t>(dac))->click();
  selected_ = dac;
  return {QStringLiteral("pick chkDAC(%1)").arg(dac)};
}

Outcome SessionOperator::chooseInputRegister() {
  const int k = pick(2);
  QRadioButton* option = controls_.diagram.optAB.at(static_cast<size_t>(k));
  const bool wasChecked = option->isChecked();
  option->click();
  Outcome outcome{QStringLiteral("click optAB(%1)").arg(k)};
  if (!wasChecked) {
    outcome.words = {0x010000 | (k == 1 ? 0x4 : 0x0)};
    shadow_.controlChosen(k == 1);
  }
  return outcome;
}

Outcome SessionOperator::chooseDacSource() {
  const int k = pick(2);
  QRadioButton* option = controls_.diagram.DACoptMux2.at(static_cast<size_t>(k));
  const bool wasChecked = option->isChecked();
  option->click();
  Outcome outcome{QStringLiteral("click DACoptMux2(%1) on channel %2").arg(k).arg(selected_)};
  if (wasChecked) return outcome;
  const int group = groupOf(selected_);
  outcome.words = {(0x060000 + group * 0x10000) | groupMask(group)};
  shadow_.abSelectWritten(group);
  if (w_.session().chip().DACs.at(static_cast<size_t>(selected_)).ABsel() != k)
    outcome.failure = QStringLiteral("ABsel of channel %1 is not %2").arg(selected_).arg(k);
  return outcome;
}

Outcome SessionOperator::clickInputSel() {
  const int k = pick(10);
  controls_.tab0.InputSel.at(static_cast<size_t>(k))->click();
  return {QStringLiteral("click InputSel(%1)").arg(k)};
}

// ---- entry boxes and writes ----

void SessionOperator::typeText(QLineEdit* box, const QString& text) {
  if (TypableAscii(text) && chance(50)) {
    box->clear();
    QTest::keyClicks(box, text);
  } else {
    WindowUnderTest::setText(box, text);
  }
}

Outcome SessionOperator::typeIntoEntryBox() {
  const int k = pick(10);
  QLineEdit* box = controls_.tab0.txtInput.at(static_cast<size_t>(k));
  const QString text = RandomHexEntry(rng_, w_.session().chip().PartBits);
  typeText(box, text);
  Outcome outcome{QStringLiteral("type %1 into txtInput(%2)").arg(Quoted(text)).arg(k)};
  if (box->text() != text) {
    outcome.failure = QStringLiteral("txtInput(%1) holds %2").arg(k).arg(Quoted(box->text()));
    return outcome;
  }
  const int how = pick(3);  // 0: stay in the box, 1: Enter, 2: leave it
  if (how == 0) return outcome;
  return leaveBox(k, outcome, how == 1);
}

Outcome SessionOperator::leaveEntryBox() {
  return leaveBox(pick(10), Outcome{}, false);
}

// Enter in box `k`, or leaving it: a number is upper-cased, anything else is refused and cleared.
Outcome SessionOperator::leaveBox(int k, Outcome outcome, bool byEnter) {
  QLineEdit* box = controls_.tab0.txtInput.at(static_cast<size_t>(k));
  const QString before = box->text();
  if (byEnter) {
    QTest::keyClick(box, Qt::Key_Return);
  } else {
    LeaveBox(box);
  }
  const QString verb = byEnter ? QStringLiteral("Enter in") : QStringLiteral("leave");
  outcome.description +=
      (outcome.description.isEmpty() ? QString() : QStringLiteral(", ")) +
      QStringLiteral("%1 txtInput(%2) holding %3").arg(verb).arg(k).arg(Quoted(before));
  const bool number = ParseHexEntry(before).has_value();
  outcome.messages = number ? 0 : 1;
  const QString expected = number ? before.toUpper() : QString();
  if (box->text() != expected)
    outcome.failure = QStringLiteral("txtInput(%1) shows %2, expected %3")
                          .arg(k)
                          .arg(Quoted(box->text()))
                          .arg(Quoted(expected));
  if (byEnter && !controls_.tab0.InputSel.at(static_cast<size_t>(k))->isChecked())
    outcome.failure = QStringLiteral("Enter did not select InputSel(%1)").arg(k);
  return outcome;
}

Outcome SessionOperator::writeRegister(const std::function<Outcome()>& duringYield) {
  static constexpr std::array<const char*, 3> kNames = {"X >>", "M >>", "C >>"};
  static constexpr std::array<int32_t, 3> kModes = {0xC00000, 0x400000, 0x800000};
  const int which = pick(3);
  const int active = CheckedIndex(controls_.tab0.InputSel);
  const QString text =
      active >= 0 ? controls_.tab0.txtInput.at(static_cast<size_t>(active))->text() : QString();
  const int bits = w_.session().chip().PartBits;
  const bool accepted = FitsBits(text, 16) && FitsBits(text, bits);
  const bool registerB = controls_.diagram.optAB[1]->isChecked();
  const auto at = static_cast<size_t>(selected_);
  const std::vector<int32_t> before = Fields(w_.session().chip().DACs.at(at));
  const int dac = selected_;
  QPushButton* buttons[] = {controls_.diagram.cmdX1A, controls_.diagram.cmdM,
                            controls_.diagram.cmdC};
  std::optional<Outcome> inner;
  if (duringYield) {
    w_.services().onProcessEvents = [&] {
      if (!inner) inner = duringYield();
    };
  }
  buttons[which]->click();
  w_.services().onProcessEvents = nullptr;

  Outcome outcome{QStringLiteral("%1 with %2 (box %3) on channel %4, input register %5")
                      .arg(QLatin1String(kNames[static_cast<size_t>(which)]))
                      .arg(Quoted(text))
                      .arg(active)
                      .arg(dac)
                      .arg(registerB ? 'B' : 'A')};
  if (inner) {
    outcome.description += QStringLiteral("; inside its yield: ") + inner->description;
    outcome.failure = inner->failure;
  }
  const DAC& record = w_.session().chip().DACs.at(at);
  if (!accepted) {
    outcome.messages = 1;
    if (Fields(record) != before)
      outcome.failure = QStringLiteral("a refused write changed the record");
    return outcome;
  }
  const int32_t value = *ParseHexEntry(text);
  const std::array<int32_t, 3> stored = {registerB ? record.X1B() : record.X1A(), record.M(),
                                         record.C()};
  if (stored[static_cast<size_t>(which)] != value)
    outcome.failure =
        QStringLiteral("the record holds %1").arg(Hex(stored[static_cast<size_t>(which)]));
  if (duringYield) {
    // The choices may have changed under the write; the words it sent are followed as they are.
    outcome.wordsFromBoard = true;
    outcome.inputRegisterB = registerB;
    return outcome;
  }
  outcome.words = {kModes[static_cast<size_t>(which)] | ((dac + 8) << 16) |
                   ((bits == 14 ? value * 4 : value) & 0xFFFF)};
  if (which == 0) shadow_.inputWritten(dac, registerB);
  if (which == 1) shadow_.gainWritten(dac);
  if (which == 2) shadow_.offsetWritten(dac);

  // The corrected code of the input register that the A/B choice names follows every write.
  const bool x2FromB = w_.session().inputRegisterB();
  const int32_t expectedX2 =
      CorrectedCode(x2FromB ? record.X1B() : record.X1A(), record.M(), record.C(), bits);
  const int32_t x2 = x2FromB ? record.X2B : record.X2A;
  if (x2 != expectedX2)
    outcome.failure =
        QStringLiteral("X2%1 is %2, expected %3").arg(x2FromB ? 'B' : 'A').arg(x2).arg(expectedX2);
  return outcome;
}

// A write with another choice made while it yields: a second click on the A/B choice for
// "X >>", another channel, or the DAC register source.
Outcome SessionOperator::writeWithInterruption() {
  switch (pick(3)) {
    case 0:
      return writeRegister([this] { return chooseInputRegister(); });
    case 1:
      return writeRegister([this] { return pickChannel(); });
    default:
      return writeRegister([this] { return chooseDacSource(); });
  }
}

Outcome SessionOperator::pulseLdac() {
  QPushButton* buttons[] = {controls_.diagram.cmdLDAC, controls_.tab2.Command2,
                            controls_.tab1.Command4};
  const int k = pick(3);
  const DAC& record = w_.session().chip().DACs.at(static_cast<size_t>(selected_));
  const bool fromB = controls_.diagram.DACoptMux2[1]->isChecked();
  const int32_t expected = fromB ? record.X2B : record.X2A;
  buttons[k]->click();
  Outcome outcome{QStringLiteral("%1 on channel %2, source X2%3")
                      .arg(buttons[k]->objectName())
                      .arg(selected_)
                      .arg(fromB ? 'B' : 'A')};
  outcome.lines = {kRequestLdacPulse};
  if (record.DACregValue() != expected)
    outcome.failure =
        QStringLiteral("DACreg is %1, expected %2").arg(record.DACregValue()).arg(expected);
  return outcome;
}

// ---- helpers ----

int SessionOperator::groupOf(int dac) const {
  if (FactsOf(part_).fourChannelGroups) return dac < 8 ? 0 : 1;
  return dac / 8;
}

// The A/B select mask that the program's records give group `group`: bit p set when the group's
// member at position p takes X2B. On the 8-channel models the groups are records 0..3 and 8..11.
int SessionOperator::groupMask(int group) const {
  const bool fourChannelGroups = FactsOf(part_).fourChannelGroups;
  const int size = fourChannelGroups ? 4 : 8;
  if (fourChannelGroups && group > 1) return 0;
  int mask = 0;
  for (int p = 0; p < size; ++p) {
    const auto record = static_cast<size_t>(group * 8 + p);
    if (w_.session().chip().DACs.at(record).ABsel() == 1) mask |= 1 << p;
  }
  return mask;
}

int SessionOperator::checkedGpioOption() const {
  return CheckedIndex(controls_.tab1.chkGPIO);
}

}  // namespace session
