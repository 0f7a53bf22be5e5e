// "X >>", "M >>", "C >>" and "Pulse LDAC": the words at the board, the records, the displays and
// every refusal.

#include <QtTest>

#include "app_title.h"
#include "hex_text.h"
#include "ui_test_support.h"
#include "window_steps.h"

using namespace steps;

namespace {
enum Part { ZR810, ZR811, ZR812, ZR813, ZR820, ZR821, ZR822, ZR823 };

// The record field and the simulated chip register that the display `label` stands for.
int32_t recordField(const DAC& record, const QString& label) {
  if (label == "lblXA") return record.X1A();
  if (label == "lblXB") return record.X1B();
  if (label == "lblM") return record.M();
  return record.C();
}

std::optional<uint16_t> chipRegister(const SimulatedChip& chip, const QString& label, int dac) {
  const auto at = static_cast<size_t>(dac);
  if (label == "lblXA") return chip.inputA.at(at);
  if (label == "lblXB") return chip.inputB.at(at);
  if (label == "lblM") return chip.gain.at(at);
  return chip.offset.at(at);
}

const QStringList kRegisterLabels{"lblXA",  "lblXB",  "lblM",       "lblC",
                                  "lblX2A", "lblX2B", "DACregister"};

QStringList registerDisplays(WindowUnderTest& w) {
  QStringList texts;
  for (const QString& label : kRegisterLabels) texts << labelText(w, label);
  return texts;
}

std::vector<int32_t> recordValues(const DAC& r) {
  return {r.X1A(), r.X1B(), r.M(), r.C(), r.X2A, r.X2B, r.DACregValue()};
}
}  // namespace

class WritesTest : public QObject {
  Q_OBJECT

 private slots:
  void writeSendsTheRegisterWord_data();
  void writeSendsTheRegisterWord();
  void refusedEntryChangesNothing_data();
  void refusedEntryChangesNothing();
  void acceptedEntryIsShownAsTyped_data();
  void acceptedEntryIsShownAsTyped();
  void correctedCodeFollowsTheWrites_data();
  void correctedCodeFollowsTheWrites();
  void pulseLdacLoadsTheChosenX2_data();
  void pulseLdacLoadsTheChosenX2();
};

void WritesTest::writeSendsTheRegisterWord_data() {
  QTest::addColumn<int>("part");
  QTest::addColumn<QString>("button");
  QTest::addColumn<bool>("registerB");
  QTest::addColumn<int>("channel");
  QTest::addColumn<QString>("entry");
  QTest::addColumn<int>("word");
  QTest::addColumn<QString>("label");
  QTest::addColumn<QString>("shown");
  QTest::newRow("14-bit X A, channel 0, 3fff")
      << int{ZR811} << "cmdX1A" << false << 0 << "3fff" << 0xC8FFFC << "lblXA"
      << "3FFF";
  QTest::newRow("16-bit X A, channel 9, 8000")
      << int{ZR810} << "cmdX1A" << false << 9 << "8000" << 0xD18000 << "lblXA"
      << "8000";
  QTest::newRow("16-bit X B, channel 9, 8000")
      << int{ZR810} << "cmdX1A" << true << 9 << "8000" << 0xD18000 << "lblXB"
      << "8000";
  QTest::newRow("14-bit X B, channel 33, 1555")
      << int{ZR821} << "cmdX1A" << true << 33 << "1555" << 0xE95554 << "lblXB"
      << "1555";
  QTest::newRow("16-bit C, channel 0, 8000")
      << int{ZR810} << "cmdC" << false << 0 << "8000" << 0x888000 << "lblC"
      << "8000";
  QTest::newRow("14-bit C, channel 8, 2000")
      << int{ZR811} << "cmdC" << false << 8 << "2000" << 0x908000 << "lblC"
      << "2000";
  QTest::newRow("16-bit M, channel 39, FFFF")
      << int{ZR820} << "cmdM" << false << 39 << "FFFF" << 0x6FFFFF << "lblM"
      << "FFFF";
  QTest::newRow("14-bit M on B, index 10 of ZR813, 1")
      << int{ZR813} << "cmdM" << true << 10 << "1" << 0x520004 << "lblM"
      << "0001";
}

void WritesTest::writeSendsTheRegisterWord() {
  QFETCH(int, part);
  QFETCH(QString, button);
  QFETCH(bool, registerB);
  QFETCH(int, channel);
  QFETCH(QString, entry);
  QFETCH(int, word);
  QFETCH(QString, label);
  QFETCH(QString, shown);
  WindowUnderTest w(part);
  enterCode(w, 7, entry);
  pickChannel(w, channel);
  chooseInputRegister(w, registerB);
  w.clearRequests();

  press(w, button);

  QCOMPARE(w.wordsSent(), std::vector<int32_t>{word});
  QCOMPARE(labelText(w, "lblOutputCode"),
           QStringLiteral("%1").arg(word, 6, 16, QChar('0')).toUpper());
  const DAC& record = w.session().chip().DACs.at(static_cast<size_t>(channel));
  QCOMPARE(recordField(record, label), HexTextToNumber(entry.toStdString()).value());
  QCOMPARE(labelText(w, label), shown);
  QCOMPARE(chipRegister(w.board().chip(), label, channel), std::optional<uint16_t>(word & 0xFFFF));
  QVERIFY(w.services().messages.empty());
}

void WritesTest::refusedEntryChangesNothing_data() {
  QTest::addColumn<int>("part");
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("entry");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("title");
  const QString largerThan =
      QStringLiteral("The selected value is larger than\rthe number of bits allows");
  const QString exceeds16 = QStringLiteral("Number exceeds the bit length (16)");
  QTest::newRow("letters") << int{ZR810} << "cmdX1A"
                           << "xyz"
                           << "Invalid Number"
                           << "Invalid Number";
  QTest::newRow("empty") << int{ZR810} << "cmdM"
                         << ""
                         << "Invalid Number"
                         << "Invalid Number";
  QTest::newRow("nine digits") << int{ZR820} << "cmdC"
                               << "000000001"
                               << "Invalid Number"
                               << "Invalid Number";
  QTest::newRow("12345") << int{ZR810} << "cmdX1A"
                         << "12345" << exceeds16 << "Invalid Text";
  QTest::newRow("FFFF1234, top bit set") << int{ZR810} << "cmdC"
                                         << "FFFF1234" << exceeds16 << "Invalid Text";
  QTest::newRow("10000 on a 14-bit model") << int{ZR811} << "cmdM"
                                           << "10000" << exceeds16 << "Invalid Text";
  QTest::newRow("FFFF, 14-bit X") << int{ZR811} << "cmdX1A"
                                  << "FFFF" << largerThan << appTitle();
  QTest::newRow("4000, 14-bit M") << int{ZR821} << "cmdM"
                                  << "4000" << largerThan << appTitle();
  QTest::newRow("4000, 14-bit C") << int{ZR813} << "cmdC"
                                  << "4000" << largerThan << appTitle();
}

void WritesTest::refusedEntryChangesNothing() {
  QFETCH(int, part);
  QFETCH(QString, button);
  QFETCH(QString, entry);
  QFETCH(QString, text);
  QFETCH(QString, title);
  WindowUnderTest w(part);
  pickChannel(w, 9);
  typeUnchecked(w, 2, entry);
  const QStringList displaysBefore = registerDisplays(w);
  const std::vector<int32_t> recordBefore = recordValues(w.session().chip().DACs[9]);
  const SimulatedChip chipBefore = w.board().chip();
  w.clearRequests();

  press(w, button);

  QCOMPARE(w.services().messages.size(), size_t{1});
  const RecordedMessage& shown = w.services().messages.front();
  QCOMPARE(shown.text, text);
  QCOMPARE(shown.title, title);
  QCOMPARE(shown.icon, MessageIcon::Exclamation);
  QVERIFY(w.requestCodes().empty());
  QVERIFY(w.board().chip() == chipBefore);
  QCOMPARE(recordValues(w.session().chip().DACs[9]), recordBefore);
  QCOMPARE(registerDisplays(w), displaysBefore);
}

void WritesTest::acceptedEntryIsShownAsTyped_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("boxAfterEnter");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<int>("word");
  QTest::newRow("0000FFFF") << "0000FFFF"
                            << "0000FFFF"
                            << "FFFF" << 0xC8FFFF;
  QTest::newRow("0FFFF") << "0FFFF"
                         << "0FFFF"
                         << "0FFFF" << 0xC8FFFF;
  QTest::newRow("abc") << "abc"
                       << "ABC"
                       << "0ABC" << 0xC80ABC;
  QTest::newRow("0") << "0"
                     << "0"
                     << "0000" << 0xC80000;
}

void WritesTest::acceptedEntryIsShownAsTyped() {
  QFETCH(QString, typed);
  QFETCH(QString, boxAfterEnter);
  QFETCH(QString, shown);
  QFETCH(int, word);
  WindowUnderTest w(ZR810);
  enterCode(w, 5, typed);
  QCOMPARE(entryBox(w, 5)->text(), boxAfterEnter);
  w.clearRequests();

  press(w, "cmdX1A");

  QCOMPARE(labelText(w, "lblXA"), shown);
  QCOMPARE(w.session().chip().DACs[0].X1A(), word & 0xFFFF);
  QCOMPARE(w.wordsSent(), std::vector<int32_t>{word});
}

void WritesTest::correctedCodeFollowsTheWrites_data() {
  QTest::addColumn<int>("part");
  QTest::addColumn<bool>("registerB");
  QTest::addColumn<QString>("m");
  QTest::addColumn<QString>("c");
  QTest::addColumn<QString>("x1");
  QTest::addColumn<int>("x2");
  QTest::addColumn<QString>("shown");
  QTest::newRow("0.5 rounds to 0") << int{ZR810} << false << "7FFF"
                                   << "8000"
                                   << "1" << 0 << "0000";
  QTest::newRow("1.5 rounds to 2") << int{ZR810} << false << "7FFF"
                                   << "8000"
                                   << "3" << 2 << "0002";
  QTest::newRow("above the code range") << int{ZR820} << false << "FFFF"
                                        << "FFFF"
                                        << "FFFF" << 0x17FFE << "17FFE";
  QTest::newRow("below zero, 16-bit") << int{ZR822} << true << "0"
                                      << "0"
                                      << "0" << -32768 << "8000";
  QTest::newRow("below zero, 14-bit") << int{ZR811} << false << "0"
                                      << "0"
                                      << "0" << -8192 << "E000";
  QTest::newRow("identity, 14-bit B") << int{ZR823} << true << "3FFF"
                                      << "2000"
                                      << "1234" << 0x1234 << "1234";
  QTest::newRow("half gain, 14-bit") << int{ZR813} << false << "1FFF"
                                     << "2000"
                                     << "3000" << 0x1800 << "1800";
}

void WritesTest::correctedCodeFollowsTheWrites() {
  QFETCH(int, part);
  QFETCH(bool, registerB);
  QFETCH(QString, m);
  QFETCH(QString, c);
  QFETCH(QString, x1);
  QFETCH(int, x2);
  QFETCH(QString, shown);
  WindowUnderTest w(part);
  pickChannel(w, 3);
  chooseInputRegister(w, registerB);
  enterCode(w, 0, m);
  press(w, "cmdM");
  enterCode(w, 1, c);
  press(w, "cmdC");
  enterCode(w, 2, x1);
  press(w, "cmdX1A");

  const DAC& record = w.session().chip().DACs[3];
  QCOMPARE(registerB ? record.X2B : record.X2A, x2);
  QCOMPARE(labelText(w, registerB ? "lblX2B" : "lblX2A"), shown);
  // The other corrected code keeps its reset value.
  const int32_t resetCode = w.session().chip().part()->resetCode;
  QCOMPARE(registerB ? record.X2A : record.X2B, resetCode);
}

void WritesTest::pulseLdacLoadsTheChosenX2_data() {
  QTest::addColumn<bool>("fromX2B");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<int>("dacreg");
  QTest::newRow("A") << false << "8000" << 0x8000;
  QTest::newRow("B") << true << "1234" << 0x1234;
}

void WritesTest::pulseLdacLoadsTheChosenX2() {
  QFETCH(bool, fromX2B);
  QFETCH(QString, shown);
  QFETCH(int, dacreg);
  WindowUnderTest w(ZR810);
  pickChannel(w, 9);
  enterCode(w, 0, "8000");
  press(w, "cmdX1A");
  chooseInputRegister(w, true);
  enterCode(w, 1, "1234");
  press(w, "cmdX1A");
  chooseDacSource(w, fromX2B);
  w.clearRequests();

  press(w, "cmdLDAC");

  QCOMPARE(w.requestCodes(), std::vector<int>{0xDE});
  QCOMPARE(w.board().chip().ldacPulses, 1);
  QCOMPARE(labelText(w, "DACregister"), shown);
  QCOMPARE(w.session().chip().DACs[9].DACregValue(), dacreg);
  QCOMPARE(w.session().chip().DACs[8].DACregValue(), 0x8000);  // only the selected channel
}

QTEST_MAIN(WritesTest)
#include "test_writes.moc"
