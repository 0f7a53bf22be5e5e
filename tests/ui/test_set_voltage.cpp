// Tools > "Set Output Voltage...": the dialog shows the code that DAC<n>:VOLTage would write and
// the voltage it gives, OK writes it into the input register that feeds the channel, and what no
// code reaches cannot be written.

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "frm_set_voltage.h"
#include "ui_test_support.h"
#include "window_steps.h"

namespace {
constexpr int kZR810 = 0;
constexpr int kZR812 = 2;
}  // namespace

class SetVoltageTest : public QObject {
  Q_OBJECT

 private slots:
  void showsAndWritesTheNearestCode_data();
  void showsAndWritesTheNearestCode();
  void whatNoCodeReachesCannotBeWritten();
};

void SetVoltageTest::showsAndWritesTheNearestCode_data() {
  QTest::addColumn<int>("part");
  QTest::addColumn<int>("channelItem");  // position in the channel list
  QTest::addColumn<bool>("fromX2B");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("code");
  QTest::addColumn<QString>("output");
  QTest::addColumn<int32_t>("word");
  // ZR810 at its defaults: 4 * 5 V * (code - 8000 hex) / 65536.
  QTest::newRow("2.5 V on DAC9") << kZR810 << 9 << false << "2.5"
                                 << "A000 hex into X1A"
                                 << "2.5000 V after the next LDAC" << 0xD1A000;
  // Channel 5 of an 8-channel model is record 9; its source B takes the word routed to X1B.
  QTest::newRow("rounded, into X1B") << kZR812 << 5 << true << "-1.00001"
                                     << "7333 hex into X1B"
                                     << "-1.0001 V after the next LDAC" << 0xD17333;
}

void SetVoltageTest::showsAndWritesTheNearestCode() {
  QFETCH(int, part);
  QFETCH(int, channelItem);
  QFETCH(bool, fromX2B);
  QFETCH(QString, typed);
  QFETCH(QString, code);
  QFETCH(QString, output);
  QFETCH(int32_t, word);
  WindowUnderTest w(part);
  const int dac = part == kZR812 && channelItem >= 4 ? channelItem + 4 : channelItem;
  if (fromX2B) {
    steps::pickChannel(w, dac);
    steps::chooseDacSource(w, true);
  }
  w.clearRequests();
  QString shownCode;
  QString shownOutput;
  w.services().onModal = [&](QDialog& dialog) {
    auto& d = static_cast<frmSetVoltage&>(dialog);
    d.cboChannel->setCurrentIndex(channelItem);
    QTest::keyClicks(d.txtVolts, typed);
    shownCode = d.lblCode->text();
    shownOutput = d.lblResult->text();
    d.buttons->button(QDialogButtonBox::Ok)->click();
  };
  w.find<QAction>(QStringLiteral("mnuSetVoltage"))->trigger();

  QCOMPARE(shownCode, code);
  QCOMPARE(shownOutput, output);
  const std::vector<int32_t> expected =
      fromX2B ? std::vector<int32_t>{0x010004, word, 0x010000} : std::vector<int32_t>{word};
  QCOMPARE(w.wordsSent(), expected);
  QVERIFY(w.services().messages.empty());
}

void SetVoltageTest::whatNoCodeReachesCannotBeWritten() {
  WindowUnderTest w(kZR810);
  w.clearRequests();
  QStringList reasons;
  bool okEnabled = true;
  w.services().onModal = [&](QDialog& dialog) {
    auto& d = static_cast<frmSetVoltage&>(dialog);
    QPushButton* ok = d.buttons->button(QDialogButtonBox::Ok);
    for (const char* text : {"12", "2,5", "volts"}) {
      d.txtVolts->setText(QString::fromLatin1(text));
      reasons << d.lblResult->text();
      okEnabled = okEnabled && !ok->isEnabled();
    }
    ok->click();
  };
  w.find<QAction>(QStringLiteral("mnuSetVoltage"))->trigger();
  QCOMPARE(reasons,
           (QStringList{
               QStringLiteral("no code of the channel gives that voltage within half a step"),
               QStringLiteral("not a number of volts"), QStringLiteral("not a number of volts")}));
  QVERIFY(okEnabled);
  QVERIFY(w.board().requests().empty());
}

QTEST_MAIN(SetVoltageTest)
#include "test_set_voltage.moc"
