// The typical write from end to end on the simulated board: a code typed into box 3, channel 9,
// "X >>", "Pulse LDAC", then the "Output Voltages" tab.

#include <QGroupBox>
#include <QTabWidget>
#include <QtTest>

#include "ui_test_support.h"
#include "window_steps.h"

using namespace steps;

namespace {
constexpr int kChannel = 9;
}

class TypicalWriteTest : public QObject {
  Q_OBJECT

 private slots:
  void typicalWrite_data();
  void typicalWrite();
};

void TypicalWriteTest::typicalWrite_data() {
  QTest::addColumn<int>("part");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<int>("dataBits");  // data field of the word: the code, times 4 on 14 bits
  QTest::addColumn<QString>("volts");
  QTest::newRow("ZR820, 16 bits") << 4 << "8000" << 0x8000 << "2.0002";
  QTest::newRow("ZR821, 14 bits") << 5 << "2000" << 0x8000 << "2.0002";
  QTest::newRow("ZR810, 16 bits") << 0 << "c000" << 0xC000 << "5.0000";
}

void TypicalWriteTest::typicalWrite() {
  QFETCH(int, part);
  QFETCH(QString, typed);
  QFETCH(int, dataBits);
  QFETCH(QString, volts);
  WindowUnderTest w(part);
  w.clearRequests();

  enterCode(w, 3, typed);
  QCOMPARE(checkedOption(w, "InputSel", 10), 3);
  QCOMPARE(entryBox(w, 3)->text(), typed.toUpper());

  pickChannel(w, kChannel);
  QCOMPARE(w.find<QGroupBox>("frmGroup")->title(), QStringLiteral("Group 1 - Vout9"));

  press(w, "cmdX1A");
  const auto& request = w.board().requests().back();
  QCOMPARE(int{request.code}, 0xDD);
  QCOMPARE(request.value, dataBits);
  QCOMPARE(request.index, 0xD1);
  QCOMPARE(labelText(w, "lblOutputCode"),
           QStringLiteral("D1%1").arg(dataBits, 4, 16, QChar('0')).toUpper());

  press(w, "cmdLDAC");
  QCOMPARE(w.requestCodes(), (std::vector<int>{0xDD, 0xDE}));

  // The chip holds what the records and the displays say.
  const DAC& record = w.session().chip().DACs[kChannel];
  const SimulatedChip& chip = w.board().chip();
  const int scale = w.session().chip().PartBits == 14 ? 4 : 1;
  QCOMPARE(chip.inputA[kChannel], std::optional<uint16_t>(record.X1A() * scale));
  QCOMPARE(labelText(w, "lblXA"), typed.toUpper());
  QCOMPARE(record.X2A, record.X1A());  // reset gain and offset: no correction
  QCOMPARE(labelText(w, "lblX2A"), labelText(w, "lblXA"));
  QCOMPARE(chip.ldacPulses, 1);
  QCOMPARE(record.DACregValue(), record.X2A);
  QCOMPARE(labelText(w, "DACregister"), labelText(w, "lblX2A"));
  QCOMPARE(chip.gain[kChannel], std::nullopt);
  QCOMPARE(chip.offset[kChannel], std::nullopt);
  QCOMPARE(chip.inputB[kChannel], std::nullopt);

  w.find<QTabWidget>("SSTab1")->setCurrentIndex(3);
  for (int i = 0; i < w.session().chip().PartChannels; ++i) {
    const QString expected = i == kChannel ? volts : QStringLiteral("0.0000");
    QCOMPARE(w.find<QLabel>(indexed("lblvout", i))->text(),
             QStringLiteral("Vout%1=%2V").arg(i).arg(expected));
  }
}

QTEST_MAIN(TypicalWriteTest)
#include "test_typical_write.moc"
