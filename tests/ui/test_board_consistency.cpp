// A long run of operator actions on the monitor, GPIO and control-line buttons against the
// simulated board: after every action the chip's monitor, GPIO and control registers must hold
// what the window shows, and every other register what the program's model says.
//
// A RESET pulse puts the chip's registers back to power-on while the monitor and GPIO controls
// keep their choices; until the operator chooses again, the chip holds its power-on values.

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <random>

#include "chip_agreement.h"
#include "hex_text.h"
#include "ui_test_support.h"

namespace {

constexpr int kMonitorEnabledBit = 0x20;
constexpr int kMonitorInputBit = 0x10;

class Operator {
 public:
  Operator(WindowUnderTest& w, unsigned seed) : w_(w), rng_(seed) { shadow_.powerOn(); }

  // One random action; returns what it did, for the failure message.
  QString act();
  // Compares the chip with the window; empty when they agree.
  QString disagreement();

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  QComboBox* monitorSwitch() { return w_.find<QComboBox>("cboDisable"); }
  QComboBox* channelList() { return w_.find<QComboBox>("cboMonChannel"); }
  QRadioButton* gpioOption(int k) {
    return w_.find<QRadioButton>(QStringLiteral("chkGPIO(%1)").arg(k));
  }
  int checkedGpioOption();

  QString chooseMonitorSwitch();
  QString chooseMonitoredItem();
  QString clickGpioOption();
  QString readPin();
  QString pulseReset();
  QString click(const char* button);
  QString readbackTest();

  WindowUnderTest& w_;
  std::mt19937 rng_;
  ChipShadow shadow_;  // what the program has written since the chip's last power-on
  QString failure_;    // a check made inside an action that did not hold
};

QString Operator::act() {
  switch (pick(9)) {
    case 0:
      return chooseMonitorSwitch();
    case 1:
    case 2:
      return chooseMonitoredItem();
    case 3:
      return clickGpioOption();
    case 4:
      return readPin();
    case 5:
      return pulseReset();
    case 6:
      return click("Command6");
    case 7:
      shadow_.controlSet(0x0000);  // the power-down bit set and cleared again
      return click("cmdPowerDownTest");
    default:
      return readbackTest();
  }
}

QString Operator::chooseMonitorSwitch() {
  const int item = pick(2);
  monitorSwitch()->setCurrentIndex(item);
  Q_EMIT monitorSwitch()->activated(item);
  shadow_.monitorWritten();
  return QStringLiteral("monitor switch item %1").arg(item);
}

QString Operator::chooseMonitoredItem() {
  if (!channelList()->isEnabled()) return QStringLiteral("channel list (disabled, untouched)");
  const int item = pick(channelList()->count());
  channelList()->setCurrentIndex(item);
  Q_EMIT channelList()->activated(item);
  shadow_.monitorWritten();
  return QStringLiteral("monitored item %1").arg(item);
}

QString Operator::clickGpioOption() {
  const int k = pick(3);
  if (!gpioOption(k)->isChecked()) shadow_.gpioWritten();  // a checked option does not toggle
  gpioOption(k)->click();
  return QStringLiteral("GPIO option %1").arg(k);
}

QString Operator::readPin() {
  const bool inputHigh = pick(2) == 1;
  w_.board().setGpioInputLevel(inputHigh);
  w_.find<QPushButton>("cmdGPIOread")->click();
  const uint16_t gpio = w_.board().chip().gpio;
  const bool high = (gpio & 0x2) != 0 ? (gpio & 0x1) != 0 : inputHigh;
  const QString shown = w_.find<QLabel>("lblGPIOinput")->text();
  if (shown != (high ? QStringLiteral("=HIGH") : QStringLiteral("=LOW")))
    failure_ = QStringLiteral("pin read shows %1").arg(shown);
  return QStringLiteral("read pin, input level %1").arg(inputHigh ? "high" : "low");
}

QString Operator::pulseReset() {
  static const char* const kButtons[] = {"mnuPulseReset", "Command1", "Command5"};
  const char* button = kButtons[pick(3)];
  const int32_t monitorState = w_.session().monitorState();
  const int gpioOption = checkedGpioOption();
  const QString label = w_.find<QLabel>("lblGPIOinput")->text();
  w_.find<QPushButton>(QString::fromLatin1(button))->click();
  shadow_.powerOn();
  if (w_.session().monitorState() != monitorState || checkedGpioOption() != gpioOption ||
      w_.find<QLabel>("lblGPIOinput")->text() != label)
    failure_ = QStringLiteral("the RESET pulse changed the monitor or GPIO controls");
  return QString::fromLatin1(button);
}

QString Operator::click(const char* button) {
  w_.find<QPushButton>(QString::fromLatin1(button))->click();
  return QString::fromLatin1(button);
}

QString Operator::readbackTest() {
  w_.services().messages.clear();
  w_.find<QPushButton>("Command3")->click();
  const QString expected = QString::fromStdString(HexDigits(w_.board().chip().control));
  if (w_.services().messages.size() != 1 || w_.services().messages.front().text != expected)
    failure_ = QStringLiteral("readback test did not show %1").arg(expected);
  return QStringLiteral("readback test");
}

int Operator::checkedGpioOption() {
  int checked = -1;
  for (int k = 0; k < 3; ++k) {
    if (gpioOption(k)->isChecked()) checked = checked == -1 ? k : -2;
  }
  return checked;
}

QString Operator::disagreement() {
  if (!failure_.isEmpty()) return failure_;
  const SimulatedChip& chip = w_.board().chip();
  const int32_t state = w_.session().monitorState();
  const bool enabled = (state & kMonitorEnabledBit) != 0;
  if (enabled != (monitorSwitch()->currentIndex() == 1) || enabled != channelList()->isEnabled())
    return QStringLiteral("monitor switch shows otherwise than MonitorState %1").arg(state, 0, 16);
  const int item = channelList()->currentIndex();
  const bool shownAsInput = item < 2;
  if (((state & kMonitorInputBit) != 0) != shownAsInput ||
      (shownAsInput ? (state & 1) != item : (state & 0xF) != item - 2))
    return QStringLiteral("monitored item %1 but MonitorState %2").arg(item).arg(state, 0, 16);
  const int option = checkedGpioOption();
  if (option < 0) return QStringLiteral("not exactly one GPIO option checked");
  if (option != static_cast<int>(w_.session().gpioMode()))
    return QStringLiteral("GPIO option %1 with GPIO mode %2")
        .arg(option)
        .arg(static_cast<int>(w_.session().gpioMode()));
  return QString::fromStdString(ChipDisagreement(chip, w_.session(), shadow_));
}

}  // namespace

class BoardConsistencyTest : public QObject {
  Q_OBJECT

 private slots:
  void chipFollowsTheWindow_data();
  void chipFollowsTheWindow();
};

void BoardConsistencyTest::chipFollowsTheWindow_data() {
  QTest::addColumn<int>("part");
  QTest::addColumn<unsigned>("seed");
  QTest::newRow("ZR810") << 0 << 810u;
  QTest::newRow("ZR811") << 1 << 811u;
  QTest::newRow("ZR812") << 2 << 812u;
  QTest::newRow("ZR813") << 3 << 813u;
}

void BoardConsistencyTest::chipFollowsTheWindow() {
  QFETCH(int, part);
  QFETCH(unsigned, seed);
  WindowUnderTest w(part);
  Operator op(w, seed);
  QVERIFY2(op.disagreement().isEmpty(), qPrintable(op.disagreement()));
  for (int step = 1; step <= 300; ++step) {
    const QString action = op.act();
    const QString problem = op.disagreement();
    QVERIFY2(problem.isEmpty(),
             qPrintable(QStringLiteral("step %1 (%2): %3").arg(step).arg(action, problem)));
  }
}

QTEST_MAIN(BoardConsistencyTest)
#include "test_board_consistency.moc"
