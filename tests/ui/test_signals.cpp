// The control-line buttons: hold levels, pulses, the power-down and readback test buttons, and
// which of them put the register model back to its reset state.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <tuple>
#include <vector>

#include "app_title.h"
#include "ui_test_support.h"

namespace {

constexpr int kZR810 = 0;
constexpr int kZR813 = 3;

using Codes = std::vector<int>;

constexpr int code(Request r) {
  return static_cast<int>(r);
}

// Every field of a channel record, for comparing records.
auto fieldsOf(const DAC& d) {
  return std::make_tuple(d.X1A(), d.X1B(), d.M(), d.C(), d.X2A, d.X2B, d.DACregValue(), d.BITS());
}

// The seven register displays of the main tab, in the order the window fills them.
QStringList registerDisplays(WindowUnderTest& w) {
  QStringList texts;
  for (const char* name : {"lblXA", "lblXB", "lblX2A", "lblX2B", "lblM", "lblC", "DACregister"})
    texts << w.find<QLabel>(QString::fromLatin1(name))->text();
  return texts;
}

// Puts values into channel 0's record that no reset leaves there, and shows them.
void disturbChannel0(WindowUnderTest& w) {
  DAC& record = w.session().chipModel().DACs[0];
  record.setX1A(0x1234);
  record.setX1B(0x2345);
  record.setM(0x3456);
  record.setC(0x4567);
  record.X2A = 0x5678;
  record.X2B = 0x6789;
  record.DACreg = 0x789A;
  // Choosing the channel again shows its record.
  w.find<QRadioButton>(QStringLiteral("chkDAC(1)"))->click();
  w.find<QRadioButton>(QStringLiteral("chkDAC(0)"))->click();
}

}  // namespace

class SignalsTest : public QObject {
  Q_OBJECT

 private slots:
  void holdButtonSendsItsLine_data();
  void holdButtonSendsItsLine();
  void pulseButtonSendsItsRequests_data();
  void pulseButtonSendsItsRequests();
  void resetButtons_data();
  void resetButtons();
  void powerDownTestSequence();
  void readbackTestShowsTheReply_data();
  void readbackTestShowsTheReply();
  void testButtonsStayHidden();
};

void SignalsTest::holdButtonSendsItsLine_data() {
  QTest::addColumn<int>("index");
  QTest::addColumn<int>("request");
  QTest::newRow("RESET High") << 0 << code(Request::ResetHigh);
  QTest::newRow("RESET Low") << 1 << code(Request::ResetLow);
  QTest::newRow("CLR High") << 2 << code(Request::ClrHigh);
  QTest::newRow("CLR Low") << 3 << code(Request::ClrLow);
  QTest::newRow("LDAC High") << 4 << code(Request::LdacHigh);
  QTest::newRow("LDAC Low") << 5 << code(Request::LdacLow);
}

void SignalsTest::holdButtonSendsItsLine() {
  QFETCH(int, index);
  QFETCH(int, request);
  WindowUnderTest w(kZR810);
  auto* button = w.find<QPushButton>(QStringLiteral("cmdRESET(%1)").arg(index));
  QCOMPARE(button->text(), QString::fromLatin1(QTest::currentDataTag()));
  w.clearRequests();

  button->click();

  QCOMPARE(w.requestCodes(), Codes{request});
  const auto& sent = w.board().requests().front();
  QCOMPARE(sent.value, 0);
  QCOMPARE(sent.index, 0);
  QCOMPARE(sent.direction, kDirectionOut);
  QCOMPARE(sent.length, 0);
}

void SignalsTest::pulseButtonSendsItsRequests_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<Codes>("requests");
  const Codes reset{code(Request::ResetLow), code(Request::ResetHigh)};
  QTest::newRow("Pulse RESET, main tab") << "mnuPulseReset" << reset;
  QTest::newRow("Pulse RESET, signals tab") << "Command1" << reset;
  QTest::newRow("Pulse RESET, offset tab") << "Command5" << reset;
  QTest::newRow("Pulse CLR") << "Command6" << Codes{code(Request::ClrLow), code(Request::ClrHigh)};
  QTest::newRow("Pulse LDAC, signals tab") << "Command2" << Codes{code(Request::LdacPulse)};
  QTest::newRow("Pulse LDAC, offset tab") << "Command4" << Codes{code(Request::LdacPulse)};
}

void SignalsTest::pulseButtonSendsItsRequests() {
  QFETCH(QString, button);
  QFETCH(Codes, requests);
  WindowUnderTest w(kZR813);
  w.clearRequests();

  w.find<QPushButton>(button)->click();

  QCOMPARE(w.requestCodes(), requests);
}

void SignalsTest::resetButtons_data() {
  QTest::addColumn<QStringList>("buttons");
  QTest::addColumn<bool>("modelReset");
  QTest::newRow("RESET Low, RESET High") << QStringList{"cmdRESET(1)", "cmdRESET(0)"} << false;
  QTest::newRow("Pulse RESET, main tab") << QStringList{"mnuPulseReset"} << true;
  QTest::newRow("Pulse RESET, signals tab") << QStringList{"Command1"} << true;
  QTest::newRow("Pulse RESET, offset tab") << QStringList{"Command5"} << true;
}

// Both ways pulse the chip's RESET line; only "Pulse RESET" brings the program's own register
// model and its displays back with it.
void SignalsTest::resetButtons() {
  QFETCH(QStringList, buttons);
  QFETCH(bool, modelReset);
  WindowUnderTest w(kZR810);
  const auto resetRecord = fieldsOf(w.session().chip().DACs[0]);
  const QStringList resetDisplays = registerDisplays(w);
  disturbChannel0(w);
  const auto disturbedRecord = fieldsOf(w.session().chip().DACs[0]);
  const QStringList disturbedDisplays = registerDisplays(w);
  QVERIFY(disturbedRecord != resetRecord);
  QVERIFY(disturbedDisplays != resetDisplays);
  w.clearRequests();

  for (const QString& name : buttons) w.find<QPushButton>(name)->click();

  QCOMPARE(w.requestCodes(), (Codes{code(Request::ResetLow), code(Request::ResetHigh)}));
  QVERIFY(w.wordsSent().empty());
  QCOMPARE(w.board().chip().resetPulses, 1);
  QVERIFY(fieldsOf(w.session().chip().DACs[0]) == (modelReset ? resetRecord : disturbedRecord));
  QCOMPARE(registerDisplays(w), modelReset ? resetDisplays : disturbedDisplays);
}

void SignalsTest::powerDownTestSequence() {
  WindowUnderTest w(kZR810);
  w.clearRequests();

  w.find<QPushButton>("cmdPowerDownTest")->click();

  using R = SimulatedBoard::RecordedRequest;
  const auto spi = static_cast<uint8_t>(Request::Spi);
  const auto clrLow = static_cast<uint8_t>(Request::ClrLow);
  const auto clrHigh = static_cast<uint8_t>(Request::ClrHigh);
  const std::vector<R> expected{
      R{spi, 0x0001, 0x01, kDirectionOut, 0, {0}},
      R{clrLow, 0, 0, kDirectionOut, 0, {0}},
      R{spi, 0x0000, 0x01, kDirectionOut, 0, {0}},
      R{clrHigh, 0, 0, kDirectionOut, 0, {0}},
  };
  QVERIFY(w.board().requests() == expected);
  QCOMPARE(w.find<QLabel>("lblOutputCode")->text(), QStringLiteral("010000"));
  QCOMPARE(static_cast<int>(w.board().chip().control), 0);
  QCOMPARE(w.board().chip().clrPulses, 1);
}

void SignalsTest::readbackTestShowsTheReply_data() {
  QTest::addColumn<QString>("controlWord");
  QTest::addColumn<QString>("shown");
  QTest::newRow("zero") << "010000"
                        << "0";
  QTest::newRow("input register B") << "010004"
                                    << "4";
  QTest::newRow("inner zeros kept") << "010F00"
                                    << "F00";
  QTest::newRow("four digits, upper case") << "01abcd"
                                           << "ABCD";
}

// The select-0 readback returns the control register: load one with the direct load, then read.
void SignalsTest::readbackTestShowsTheReply() {
  QFETCH(QString, controlWord);
  QFETCH(QString, shown);
  WindowUnderTest w(kZR810);
  w.find<QRadioButton>("chkGPIO(2)")->click();  // the pin's level must not leak into the reply
  WindowUnderTest::setText(w.find<QLineEdit>("txtDirectLoad(0)"), controlWord);
  w.find<QPushButton>("cmdDirectLoad")->click();
  w.clearRequests();
  w.services().messages.clear();

  w.find<QPushButton>("Command3")->click();

  QCOMPARE(w.wordsSent(), std::vector<int32_t>{0x050000});
  QCOMPARE(w.board().requests().back().direction, kDirectionIn);
  QCOMPARE(w.services().messages.size(), size_t{1});
  const RecordedMessage& message = w.services().messages.front();
  QCOMPARE(message.text, shown);
  QCOMPARE(message.title, appTitle());
  QVERIFY(message.icon == MessageIcon::None);
}

void SignalsTest::testButtonsStayHidden() {
  WindowUnderTest w(kZR810);
  w.window().show();
  for (const char* name : {"mnuPulseReset", "Command6", "cmdPowerDownTest"})
    w.find<QPushButton>(QString::fromLatin1(name))->click();
  for (const char* name : {"Command3", "Command6", "cmdPowerDownTest"})
    QVERIFY2(w.find<QPushButton>(QString::fromLatin1(name))->isHidden(), name);
}

QTEST_MAIN(SignalsTest)
#include "test_signals.moc"
