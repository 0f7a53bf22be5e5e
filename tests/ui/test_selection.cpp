// Channel pick, the DAC register source and the input-register choice on the "Main DACs" tab.

#include <QGroupBox>
#include <QtTest>

#include "shape_widget.h"
#include "ui_test_support.h"
#include "window_steps.h"

using namespace steps;

namespace {
enum Part { ZR810, ZR811, ZR812, ZR813, ZR820, ZR821, ZR822, ZR823 };

bool shown(QWidget* widget) {
  return !widget->isHidden();
}
}  // namespace

class SelectionTest : public QObject {
  Q_OBJECT

 private slots:
  void pickShowsTheChannelRecord_data();
  void pickShowsTheChannelRecord();
  void pickSetsTheGroupCaption_data();
  void pickSetsTheGroupCaption();
  void dacSourceSendsTheGroupWord_data();
  void dacSourceSendsTheGroupWord();
  void pickRestoresTheDacSourceWithoutAWord();
  void inputRegisterChoiceSendsTheControlWord();
  void resetReturnsBothChoicesToA();
};

void SelectionTest::pickShowsTheChannelRecord_data() {
  QTest::addColumn<int>("part");
  QTest::addColumn<int>("index");
  QTest::newRow("ZR810 channel 9") << int{ZR810} << 9;
  QTest::newRow("ZR812 index 10") << int{ZR812} << 10;
  QTest::newRow("ZR820 channel 39") << int{ZR820} << 39;
}

void SelectionTest::pickShowsTheChannelRecord() {
  QFETCH(int, part);
  QFETCH(int, index);
  WindowUnderTest w(part);
  DAC& record = w.session().chipModel().DACs.at(static_cast<size_t>(index));
  record.setX1A(0x1234);
  record.setX1B(0xABC);
  record.setM(0xFFFF);
  record.setC(0);
  record.X2A = -32768;
  record.X2B = 0x17FFE;
  record.DACreg.reset();
  w.clearRequests();

  pickChannel(w, index);

  QCOMPARE(checkedOption(w, "chkDAC", kChannelCount), index);
  QCOMPARE(labelText(w, "lblXA"), QStringLiteral("1234"));
  QCOMPARE(labelText(w, "lblXB"), QStringLiteral("0ABC"));
  QCOMPARE(labelText(w, "lblM"), QStringLiteral("FFFF"));
  QCOMPARE(labelText(w, "lblC"), QStringLiteral("0000"));
  QCOMPARE(labelText(w, "lblX2A"), QStringLiteral("8000"));
  QCOMPARE(labelText(w, "lblX2B"), QStringLiteral("17FFE"));
  QCOMPARE(labelText(w, "DACregister"), QStringLiteral("0000"));
  QVERIFY(w.requestCodes().empty());
}

void SelectionTest::pickSetsTheGroupCaption_data() {
  QTest::addColumn<int>("part");
  QTest::addColumn<int>("index");
  QTest::addColumn<QString>("caption");
  QTest::newRow("ZR810 index 12") << int{ZR810} << 12 << "Group 1 - Vout12";
  QTest::newRow("ZR810 index 7") << int{ZR810} << 7 << "Group 0 - Vout7";
  QTest::newRow("ZR811 index 15") << int{ZR811} << 15 << "Group 1 - Vout15";
  QTest::newRow("ZR812 index 2") << int{ZR812} << 2 << "Group 0 - Vout2";
  QTest::newRow("ZR812 index 8") << int{ZR812} << 8 << "Group 1 - Vout4";
  QTest::newRow("ZR812 index 9") << int{ZR812} << 9 << "Group 1 - Vout5";
  QTest::newRow("ZR813 index 11") << int{ZR813} << 11 << "Group 1 - Vout7";
  QTest::newRow("ZR820 index 17") << int{ZR820} << 17 << "Group 2 - Vout17";
  QTest::newRow("ZR821 index 39") << int{ZR821} << 39 << "Group 4 - Vout39";
  QTest::newRow("ZR822 index 24") << int{ZR822} << 24 << "Group 3 - Vout24";
}

void SelectionTest::pickSetsTheGroupCaption() {
  QFETCH(int, part);
  QFETCH(int, index);
  QFETCH(QString, caption);
  WindowUnderTest w(part);
  pickChannel(w, index);
  QCOMPARE(w.find<QGroupBox>("frmGroup")->title(), caption);
}

void SelectionTest::dacSourceSendsTheGroupWord_data() {
  QTest::addColumn<int>("part");
  QTest::addColumn<QList<int>>("alreadyB");
  QTest::addColumn<int>("index");
  QTest::addColumn<int>("word");
  QTest::newRow("16 channels, channel 9") << int{ZR810} << QList<int>{} << 9 << 0x070002;
  QTest::newRow("40 channels, 33 with 32 on B") << int{ZR820} << QList<int>{32} << 33 << 0x0A0003;
  QTest::newRow("8 channels, index 10") << int{ZR812} << QList<int>{} << 10 << 0x070004;
  QTest::newRow("8 channels, index 8") << int{ZR813} << QList<int>{} << 8 << 0x070001;
  QTest::newRow("32 channels, group 0 untouched by 3")
      << int{ZR822} << QList<int>{12} << 3 << 0x060008;
}

void SelectionTest::dacSourceSendsTheGroupWord() {
  QFETCH(int, part);
  QFETCH(QList<int>, alreadyB);
  QFETCH(int, index);
  QFETCH(int, word);
  WindowUnderTest w(part);
  for (int other : alreadyB) {
    pickChannel(w, other);
    chooseDacSource(w, true);
  }
  pickChannel(w, index);
  w.clearRequests();

  chooseDacSource(w, true);

  QCOMPARE(w.wordsSent(), std::vector<int32_t>{word});
  QCOMPARE(w.session().chip().DACs.at(static_cast<size_t>(index)).ABsel(), 1);
  const auto group = static_cast<size_t>((word >> 16) - 6);
  QCOMPARE(int{w.board().chip().abSelect.at(group)}, word & 0xFF);
}

void SelectionTest::pickRestoresTheDacSourceWithoutAWord() {
  WindowUnderTest w(ZR810);
  auto* fromX2A = w.find<QRadioButton>("DACoptMux2(0)");
  auto* fromX2B = w.find<QRadioButton>("DACoptMux2(1)");
  pickChannel(w, 9);
  chooseDacSource(w, true);
  w.clearRequests();

  pickChannel(w, 10);
  QVERIFY(fromX2A->isChecked());
  pickChannel(w, 9);
  QVERIFY(fromX2B->isChecked());
  QVERIFY(w.wordsSent().empty());

  chooseDacSource(w, false);
  QCOMPARE(w.wordsSent(), std::vector<int32_t>{0x070000});
  QCOMPARE(w.session().chip().DACs[9].ABsel(), 0);
  QCOMPARE(int{w.board().chip().abSelect[1]}, 0);
}

void SelectionTest::inputRegisterChoiceSendsTheControlWord() {
  WindowUnderTest w(ZR811);
  auto* areg = w.find<ShapeWidget>("Areg");
  auto* breg = w.find<ShapeWidget>("Breg");
  w.clearRequests();

  chooseInputRegister(w, true);
  QCOMPARE(w.wordsSent(), std::vector<int32_t>{0x010004});
  QVERIFY(w.session().inputRegisterB());
  QVERIFY(shown(breg) && !shown(areg));

  // The choice is one setting for all channels: a pick keeps it and sends nothing.
  pickChannel(w, 5);
  QVERIFY(w.find<QRadioButton>("optAB(1)")->isChecked());
  QCOMPARE(w.wordsSent().size(), size_t{1});

  chooseInputRegister(w, false);
  QCOMPARE(w.wordsSent(), (std::vector<int32_t>{0x010004, 0x010000}));
  QVERIFY(!w.session().inputRegisterB());
  QVERIFY(shown(areg) && !shown(breg));
  QCOMPARE(int{w.board().chip().control}, 0);
}

void SelectionTest::resetReturnsBothChoicesToA() {
  WindowUnderTest w(ZR810);
  pickChannel(w, 9);
  chooseDacSource(w, true);
  pickChannel(w, 5);
  chooseInputRegister(w, true);
  chooseDacSource(w, true);
  w.clearRequests();

  press(w, "mnuPulseReset");

  QVERIFY(w.find<QRadioButton>("optAB(0)")->isChecked());
  QVERIFY(!w.session().inputRegisterB());
  QVERIFY(shown(w.find<ShapeWidget>("Areg")) && !shown(w.find<ShapeWidget>("Breg")));
  QVERIFY(w.find<QRadioButton>("DACoptMux2(0)")->isChecked());
  QCOMPARE(checkedOption(w, "chkDAC", kChannelCount), 5);
  QVERIFY(w.find<QRadioButton>("chkDAC(5)")->isChecked());
  QVERIFY(w.wordsSent().empty());

  // A channel that took X2B before the reset takes X2A again.
  pickChannel(w, 9);
  QVERIFY(w.find<QRadioButton>("DACoptMux2(0)")->isChecked());
  for (const DAC& record : w.session().chip().DACs) QCOMPARE(record.ABsel(), 0);
}

QTEST_MAIN(SelectionTest)
#include "test_selection.moc"
