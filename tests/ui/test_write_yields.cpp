// What runs while a write yields to pending window events: other handlers may pick another
// channel, switch the input register, write again or reset; the interrupted write still sends
// its own register's word and the chip ends up holding what the records say.

#include <QtTest>

#include "ui_test_support.h"
#include "window_steps.h"

using namespace steps;

namespace {
constexpr int kZR810 = 0;
constexpr int kZR811 = 1;

std::optional<uint16_t> chipRegister(const SimulatedChip& chip, const QString& button, int dac) {
  const auto at = static_cast<size_t>(dac);
  if (button == "cmdM") return chip.gain.at(at);
  if (button == "cmdC") return chip.offset.at(at);
  return chip.inputA.at(at);
}

int32_t recordRegister(const DAC& record, const QString& button) {
  if (button == "cmdM") return record.M();
  if (button == "cmdC") return record.C();
  return record.X1A();
}

}  // namespace

class WriteYieldsTest : public QObject {
  Q_OBJECT

 private slots:
  void writesYieldBeforeTheirWord_data();
  void writesYieldBeforeTheirWord();
  void selectionChangedInsideTheYield_data();
  void selectionChangedInsideTheYield();
  void sameRegisterWrittenInsideTheYield();
  void resetInsideTheYield();
  void writeAfterResetReachesInputA();
};

void WriteYieldsTest::writesYieldBeforeTheirWord_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<int>("yields");
  QTest::newRow("X >>") << "cmdX1A" << 1;
  QTest::newRow("M >>") << "cmdM" << 1;
  QTest::newRow("C >> yields once more") << "cmdC" << 2;
}

void WriteYieldsTest::writesYieldBeforeTheirWord() {
  QFETCH(QString, button);
  QFETCH(int, yields);
  WindowUnderTest w(kZR810);
  std::vector<size_t> wordsAtYield;
  w.services().onProcessEvents = [&] { wordsAtYield.push_back(w.wordsSent().size()); };
  w.clearRequests();

  press(w, button);

  QCOMPARE(wordsAtYield, std::vector<size_t>(static_cast<size_t>(yields), 0));
  QCOMPARE(w.wordsSent().size(), size_t{1});
}

void WriteYieldsTest::selectionChangedInsideTheYield_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<int>("yieldNumber");
  QTest::addColumn<int>("word");
  QTest::newRow("X >>") << "cmdX1A" << 1 << 0xD11234;
  QTest::newRow("M >>") << "cmdM" << 1 << 0x511234;
  QTest::newRow("C >>, first yield") << "cmdC" << 1 << 0x911234;
  QTest::newRow("C >>, second yield") << "cmdC" << 2 << 0x911234;
}

void WriteYieldsTest::selectionChangedInsideTheYield() {
  QFETCH(QString, button);
  QFETCH(int, yieldNumber);
  QFETCH(int, word);
  WindowUnderTest w(kZR810);
  pickChannel(w, 9);
  enterCode(w, 0, "1234");
  w.clearRequests();
  insideYield(
      w,
      [&] {
        pickChannel(w, 3);
        chooseInputRegister(w, true);
      },
      yieldNumber);

  press(w, button);

  const std::vector<int32_t> words = w.wordsSent();
  QCOMPARE(std::count(words.begin(), words.end(), word), 1);
  const DAC& written = w.session().chip().DACs[9];
  QCOMPARE(recordRegister(written, button), 0x1234);
  QCOMPARE(chipRegister(w.board().chip(), button, 9), std::optional<uint16_t>(0x1234));
  QCOMPARE(w.board().chip().inputB[9], std::nullopt);
  // The corrected code was worked out for input register A, the one chosen at the write.
  QCOMPARE(written.X2B, 0x8000);
  // Channel 3 and the operator's new choice are untouched, on the chip as in the window.
  QCOMPARE(recordRegister(w.session().chip().DACs[3], button), button == "cmdM" ? 0xFFFF : 0x8000);
  QCOMPARE(chipRegister(w.board().chip(), button, 3), std::nullopt);
  QVERIFY(w.session().inputRegisterB());
  QCOMPARE(int{w.board().chip().control}, 0x0004);
  QCOMPARE(checkedOption(w, "chkDAC", kChannelCount), 3);
  QCOMPARE(labelText(w, "lblX2A"), QStringLiteral("8000"));
  QCOMPARE(labelText(w, "lblXA"), QStringLiteral("8000"));
}

void WriteYieldsTest::sameRegisterWrittenInsideTheYield() {
  WindowUnderTest w(kZR811);
  pickChannel(w, 9);
  enterCode(w, 0, "1111");
  w.clearRequests();
  insideYield(w, [&] {
    enterCode(w, 1, "2222");
    press(w, "cmdX1A");
  });

  press(w, "cmdX1A");

  const DAC& record = w.session().chip().DACs[9];
  QCOMPARE(record.X1A(), 0x2222);
  QCOMPARE(record.X2A, 0x2222);
  QCOMPARE(labelText(w, "lblXA"), QStringLiteral("2222"));
  QCOMPARE(labelText(w, "lblX2A"), QStringLiteral("2222"));
  QCOMPARE(w.board().chip().inputA[9], std::optional<uint16_t>(0x2222 * 4));
  QCOMPARE(w.wordsSent().back(), 0xD18888);
}

// A reset that runs while the write yields wins: the write's word then carries the reset code
// that its register holds again, so the chip agrees with the record.
void WriteYieldsTest::resetInsideTheYield() {
  WindowUnderTest w(kZR810);
  pickChannel(w, 9);
  chooseInputRegister(w, true);
  enterCode(w, 0, "1234");
  insideYield(w, [&] { press(w, "mnuPulseReset"); });

  press(w, "cmdX1A");

  const DAC& record = w.session().chip().DACs[9];
  QCOMPARE(record.X1B(), 0x8000);
  QCOMPARE(w.board().chip().inputB[9], std::optional<uint16_t>(0x8000));
  QCOMPARE(w.board().chip().inputA[9], std::nullopt);
  QCOMPARE(int{w.board().chip().control}, 0);  // back to A, as the window says
  QVERIFY(!w.session().inputRegisterB());
  QCOMPARE(labelText(w, "lblXB"), QStringLiteral("8000"));
}

void WriteYieldsTest::writeAfterResetReachesInputA() {
  WindowUnderTest w(kZR810);
  chooseInputRegister(w, true);
  pickChannel(w, 9);
  chooseDacSource(w, true);
  press(w, "mnuPulseReset");
  w.clearRequests();

  enterCode(w, 0, "1234");
  press(w, "cmdX1A");
  press(w, "cmdLDAC");

  const DAC& record = w.session().chip().DACs[9];
  QCOMPARE(record.X1A(), 0x1234);
  QCOMPARE(record.X1B(), 0x8000);
  QCOMPARE(record.X2A, 0x1234);
  QCOMPARE(labelText(w, "lblXA"), QStringLiteral("1234"));
  QCOMPARE(labelText(w, "lblX2A"), QStringLiteral("1234"));
  QCOMPARE(w.wordsSent(), std::vector<int32_t>{0xD11234});
  QCOMPARE(w.board().chip().inputA[9], std::optional<uint16_t>(0x1234));
  QCOMPARE(labelText(w, "DACregister"), QStringLiteral("1234"));
  QCOMPARE(record.DACregValue(), 0x1234);
}

QTEST_MAIN(WriteYieldsTest)
#include "test_write_yields.moc"
