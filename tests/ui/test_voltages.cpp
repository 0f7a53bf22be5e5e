// The "Output Voltages" tab after register, LDAC, offset DAC and reference changes (what it reads
// right after start-up, on every model, is test_startup's).

#include <QTabWidget>
#include <QtTest>

#include "ui_test_support.h"
#include "window_steps.h"

using namespace steps;

namespace {
enum Part { ZR810, ZR811, ZR812, ZR813, ZR820, ZR821, ZR822, ZR823 };
constexpr int kVoltagesTab = 3;

QLabel* voltageLabel(WindowUnderTest& w, int i) {
  return w.find<QLabel>(indexed("lblvout", i));
}

void showVoltages(WindowUnderTest& w) {
  auto* tabs = w.find<QTabWidget>("SSTab1");
  tabs->setCurrentIndex(0);
  tabs->setCurrentIndex(kVoltagesTab);
}

// Writes `code` into input register A of channel `index` and loads its DAC register.
void writeAndLoad(WindowUnderTest& w, int index, const QString& code) {
  pickChannel(w, index);
  enterCode(w, 9, code);
  press(w, "cmdX1A");
  press(w, "cmdLDAC");
}

void setReference(WindowUnderTest& w, int k, const QString& text) {
  WindowUnderTest::setText(w.find<QLineEdit>(indexed("txtVREF", k)), text);
}

void writeOffsetDac(WindowUnderTest& w, int k, const QString& code) {
  WindowUnderTest::setText(w.find<QLineEdit>(indexed("txtOffsetValue", k)), code);
  press(w, indexed("cmdOFFSET", k));
}

QString caption(int i, const QString& volts) {
  return QStringLiteral("Vout%1=%2V").arg(i).arg(volts);
}
}  // namespace

class VoltagesTest : public QObject {
  Q_OBJECT

 private slots:
  void loadedChannelShowsItsVoltage_data();
  void loadedChannelShowsItsVoltage();
  void channel20UsesItsModelsReferenceSet_data();
  void channel20UsesItsModelsReferenceSet();
  void channelOutsideTheModelReadsZero();
  void eightChannelModelsShowTheirSecondGroupAsVout4To7();
  void referenceThatIsNotANumberMarksOnlyItsChannels();
  void raisedOffsetDacLowersOnlyItsSet();
};

void VoltagesTest::loadedChannelShowsItsVoltage_data() {
  QTest::addColumn<int>("part");
  QTest::addColumn<int>("index");
  QTest::addColumn<QString>("code");
  QTest::addColumn<QString>("volts");
  QTest::newRow("ZR810 mid-scale") << int{ZR810} << 0 << "8000"
                                   << "0.0000";
  QTest::newRow("ZR810 full scale") << int{ZR810} << 3 << "FFFF"
                                    << "9.9997";
  QTest::newRow("ZR810 zero") << int{ZR810} << 12 << "0"
                              << "-10.0000";
  QTest::newRow("ZR820 reset code") << int{ZR820} << 5 << "5554"
                                    << "0.0000";
  QTest::newRow("ZR820 full scale") << int{ZR820} << 30 << "FFFF"
                                    << "8.0001";
  QTest::newRow("ZR820 zero") << int{ZR820} << 39 << "0"
                              << "-3.9998";
  QTest::newRow("ZR821 reset code") << int{ZR821} << 16 << "1555"
                                    << "0.0000";
  QTest::newRow("ZR821 full scale") << int{ZR821} << 20 << "3FFF"
                                    << "7.9995";
  QTest::newRow("ZR811 full scale") << int{ZR811} << 8 << "3FFF"
                                    << "9.9988";
  QTest::newRow("ZR823 zero") << int{ZR823} << 31 << "0"
                              << "-3.9998";
}

void VoltagesTest::loadedChannelShowsItsVoltage() {
  QFETCH(int, part);
  QFETCH(int, index);
  QFETCH(QString, code);
  QFETCH(QString, volts);
  WindowUnderTest w(part);
  writeAndLoad(w, index, code);

  showVoltages(w);

  QCOMPARE(voltageLabel(w, index)->text(), caption(index, volts));
  const int neighbour = index == 0 ? 1 : index - 1;
  QCOMPARE(voltageLabel(w, neighbour)->text(), caption(neighbour, "0.0000"));
}

void VoltagesTest::channel20UsesItsModelsReferenceSet_data() {
  QTest::addColumn<int>("part");
  QTest::addColumn<QString>("volts");
  // VREF1 = 4 with offset DAC 1 at 0, VREF2 = 6 with offset DAC 2 at its default.
  QTest::newRow("ZR820: set 2") << int{ZR820} << "16.0001";
  QTest::newRow("ZR822: set 1") << int{ZR822} << "15.9998";
}

void VoltagesTest::channel20UsesItsModelsReferenceSet() {
  QFETCH(int, part);
  QFETCH(QString, volts);
  WindowUnderTest w(part);
  setReference(w, 1, "4");
  setReference(w, 2, "6");
  writeOffsetDac(w, 1, "0");
  writeAndLoad(w, 20, "FFFF");

  showVoltages(w);

  QCOMPARE(voltageLabel(w, 20)->text(), caption(20, volts));
}

void VoltagesTest::channelOutsideTheModelReadsZero() {
  WindowUnderTest w(ZR810);
  w.session().chipModel().DACs[20].DACreg = 0xFFFF;
  showVoltages(w);
  QCOMPARE(voltageLabel(w, 20)->text(), caption(20, "0.0000"));
  QVERIFY(voltageLabel(w, 20)->isHidden());
}

void VoltagesTest::eightChannelModelsShowTheirSecondGroupAsVout4To7() {
  WindowUnderTest w(ZR812);
  setReference(w, 0, "5");
  setReference(w, 1, "2.5");
  writeAndLoad(w, 9, "FFFF");  // shown as DAC5
  writeAndLoad(w, 11, "0");    // shown as DAC7
  writeAndLoad(w, 1, "FFFF");

  showVoltages(w);

  QCOMPARE(voltageLabel(w, 1)->text(), caption(1, "9.9997"));
  QCOMPARE(voltageLabel(w, 4)->text(), caption(4, "0.0000"));
  QCOMPARE(voltageLabel(w, 5)->text(), caption(5, "4.9998"));
  QCOMPARE(voltageLabel(w, 7)->text(), caption(7, "-5.0000"));
  for (int i = 0; i < 8; ++i) QVERIFY(!voltageLabel(w, i)->isHidden());
}

void VoltagesTest::referenceThatIsNotANumberMarksOnlyItsChannels() {
  WindowUnderTest w(ZR810);
  writeAndLoad(w, 2, "FFFF");
  setReference(w, 1, "abc");

  showVoltages(w);

  QCOMPARE(voltageLabel(w, 2)->text(), caption(2, "9.9997"));
  for (int i = 8; i < 16; ++i) {
    QCOMPARE(voltageLabel(w, i)->text(), QStringLiteral("Vout%1=VREF1?").arg(i));
    QCOMPARE(voltageLabel(w, i)->toolTip(), QStringLiteral("VREF1 is not a number"));
  }
  QCOMPARE(voltageLabel(w, 16)->text(), caption(16, "0.0000"));

  // Once the reference reads as a number again, the next refresh shows voltages.
  setReference(w, 1, "5");
  showVoltages(w);
  QCOMPARE(voltageLabel(w, 8)->text(), caption(8, "0.0000"));
}

void VoltagesTest::raisedOffsetDacLowersOnlyItsSet() {
  WindowUnderTest w(ZR820);
  writeOffsetDac(w, 1, "2000");
  showVoltages(w);
  for (int i = 0; i < 40; ++i) {
    const bool inSet1 = i >= 8 && i <= 15;
    QCOMPARE(voltageLabel(w, i)->text(), caption(i, inSet1 ? "-2.0002" : "0.0000"));
  }
}

QTEST_MAIN(VoltagesTest)
#include "test_voltages.moc"
