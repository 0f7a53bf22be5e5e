// Start-up of the main window: the model chosen in the part chooser and the layout it gives, the
// choice left open, what reaches the board, a missing board, Init, and the output voltages.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <vector>

#include "shape_widget.h"
#include "ui_test_support.h"

namespace {

constexpr int kZR810 = 0;
constexpr int kZR812 = 2;
constexpr int kZR820 = 4;

using Codes = std::vector<int>;

QString indexed(const char* name, int i) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

QList<int> range(int first, int last) {
  QList<int> list;
  for (int i = first; i <= last; ++i) list << i;
  return list;
}

bool hidden(WindowUnderTest& w, const QString& name) {
  return w.find<QWidget>(name)->isHidden();
}

void showTab(WindowUnderTest& w, int tab) {
  w.find<QTabWidget>("SSTab1")->setCurrentIndex(tab);
}

QString vout(WindowUnderTest& w, int i) {
  return w.find<QLabel>(indexed("lblvout", i))->text();
}

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void setupLaysOutTheModel_data();
  void setupLaysOutTheModel();
  void noChoiceRunsNoSetup();
  void startUpSendsOnlyTheConnectionSequence_data();
  void startUpSendsOnlyTheConnectionSequence();
  void missingBoardIsReportedOnce();
  void initResetsTheMainTabButKeepsTheChannel();
  void outputLabelsReadZeroAfterStartUp_data();
  void outputLabelsReadZeroAfterStartUp();
  void outputLabelsChangeOnlyWhenTheirTabIsSelected();
  void outputLabelsOfTheSecondGroupOfFour();
  void referenceThatIsNotANumber_data();
  void referenceThatIsNotANumber();
  void statusBarNamesTheSimulatedBoard();
};

void StartupTest::setupLaysOutTheModel_data() {
  QTest::addColumn<int>("part");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QList<int>>("channels");
  QTest::addColumn<bool>("secondFourRenamed");
  QTest::addColumn<bool>("vref2");
  QTest::addColumn<bool>("offsetDac2");
  QTest::addColumn<QString>("gain");
  QTest::addColumn<QString>("offset");
  QTest::addColumn<int>("monitorChannels");  // 0: monitor and GPIO frames hidden
  QTest::addColumn<int>("outputLabels");

  const QString full16 = QStringLiteral("FFFF"), mid16 = QStringLiteral("8000");
  const QString full14 = QStringLiteral("3FFF"), mid14 = QStringLiteral("2000");
  const QList<int> eight = range(0, 3) + range(8, 11);
  QTest::newRow("ZR810") << 0 << "ZR810 Evaluation Software - 16 x 16-Bit Channels" << range(0, 15)
                         << false << false << false << full16 << mid16 << 16 << 16;
  QTest::newRow("ZR811") << 1 << "ZR811 Evaluation Software - 16 x 14-Bit Channels" << range(0, 15)
                         << false << false << false << full14 << mid14 << 16 << 16;
  QTest::newRow("ZR812") << 2 << "ZR812 Evaluation Software - 8 x 16-Bit Channels" << eight << true
                         << false << false << full16 << mid16 << 8 << 8;
  QTest::newRow("ZR813") << 3 << "ZR813 Evaluation Software - 8 x 14-Bit Channels" << eight << true
                         << false << false << full14 << mid14 << 8 << 8;
  QTest::newRow("ZR820") << 4 << "ZR820 Evaluation Software - 40 x 16-Bit Channels" << range(0, 39)
                         << false << true << false << full16 << mid16 << 0 << 40;
  QTest::newRow("ZR821") << 5 << "ZR821 Evaluation Software - 40 x 14-Bit Channels" << range(0, 39)
                         << false << true << true << full14 << mid14 << 0 << 40;
  QTest::newRow("ZR822") << 6 << "ZR822 Evaluation Software - 32 x 16-Bit Channels" << range(0, 31)
                         << false << false << false << full16 << mid16 << 0 << 32;
  QTest::newRow("ZR823") << 7 << "ZR823 Evaluation Software - 32 x 14-Bit Channels" << range(0, 31)
                         << false << false << false << full14 << mid14 << 0 << 32;
}

void StartupTest::setupLaysOutTheModel() {
  QFETCH(int, part);
  QFETCH(QString, caption);
  QFETCH(QList<int>, channels);
  QFETCH(bool, secondFourRenamed);
  QFETCH(bool, vref2);
  QFETCH(bool, offsetDac2);
  QFETCH(QString, gain);
  QFETCH(QString, offset);
  QFETCH(int, monitorChannels);
  QFETCH(int, outputLabels);
  WindowUnderTest w(part);

  QCOMPARE(w.services().modalWindows, std::vector<QString>{QStringLiteral("frmPartSelect")});
  QCOMPARE(w.window().windowTitle(), caption);

  for (int i = 0; i < 40; ++i) {
    auto* button = w.find<QRadioButton>(indexed("chkDAC", i));
    QCOMPARE(button->isHidden(), !channels.contains(i));
    const int shownNumber = (secondFourRenamed && i >= 8 && i <= 11) ? i - 4 : i;
    QCOMPARE(button->text(), QStringLiteral("DAC%1").arg(shownNumber));
  }
  QVERIFY(hidden(w, "chkDAC(40)"));

  for (const char* name : {"Label5(0)", "Label5(1)", "txtVREF(0)", "txtVREF(1)"})
    QVERIFY(!hidden(w, QString::fromLatin1(name)));
  QCOMPARE(hidden(w, "Label5(2)"), !vref2);
  QCOMPARE(hidden(w, "txtVREF(2)"), !vref2);
  for (const char* name : {"cmdOFFSET(2)", "txtOffsetValue(2)", "Label6(2)", "Line8"})
    QCOMPARE(hidden(w, QString::fromLatin1(name)), !offsetDac2);

  QCOMPARE(w.find<QLabel>("lblM")->text(), gain);
  QCOMPARE(w.find<QLabel>("lblC")->text(), offset);

  const bool monitor = monitorChannels > 0;
  QCOMPARE(hidden(w, "fraMonControls"), !monitor);
  QCOMPARE(hidden(w, "fraGPIO"), !monitor);
  QStringList items{QStringLiteral("Mon_In0"), QStringLiteral("Mon_In1")};
  for (int k = 0; k < monitorChannels; ++k) items << QStringLiteral("DAC %1").arg(k);
  auto* list = w.find<QComboBox>("cboMonChannel");
  QStringList shownItems;
  for (int k = 0; k < list->count(); ++k) shownItems << list->itemText(k);
  QCOMPARE(shownItems, items);
  QCOMPARE(list->currentIndex(), monitor ? 2 : 0);
  QCOMPARE(
      w.find<QTabWidget>("SSTab1")->tabText(1),
      monitor ? QStringLiteral("Offset DACs && Monitor Functions") : QStringLiteral("Offset DACs"));
  QVERIFY(w.wordsSent().empty());  // choosing the list item sent no monitor word

  for (int i = 0; i < 40; ++i) QCOMPARE(hidden(w, indexed("lblvout", i)), i >= outputLabels);
}

void StartupTest::noChoiceRunsNoSetup() {
  WindowUnderTest w(kNoPartChosen);

  QCOMPARE(w.window().windowTitle(), QStringLiteral(" Evaluation Software - 0 x 0-Bit Channels"));
  QVERIFY(w.session().chip().PartName.empty());
  QCOMPARE(w.session().chip().DACs[0].M(), 0);
  for (int i = 0; i < 40; ++i) QVERIFY(!hidden(w, indexed("chkDAC", i)));
  QVERIFY(hidden(w, "chkDAC(40)"));
  QCOMPARE(w.find<QRadioButton>("chkDAC(8)")->text(), QStringLiteral("DAC8"));
  QVERIFY(hidden(w, "fraMonControls"));
  QVERIFY(hidden(w, "Label5(2)"));
  QCOMPARE(w.find<QTabWidget>("SSTab1")->tabText(1), QStringLiteral("Offset DACs"));
  for (int i = 0; i < 40; ++i) QVERIFY(!hidden(w, indexed("lblvout", i)));
  // No model defaults: the design-time texts stay.
  QCOMPARE(w.find<QLineEdit>("txtOffsetValue(0)")->text(), QStringLiteral("1555"));
  QCOMPARE(w.find<QLineEdit>("txtVREF(0)")->text(), QStringLiteral("3"));
  QCOMPARE(w.find<QLabel>("lblM")->text(), QStringLiteral("0000"));
  // The board connection is still opened.
  QCOMPARE(w.requestCodes(), Codes{0xE0});
  QCOMPARE(w.board().downloads().size(), std::size_t{1});
}

void StartupTest::startUpSendsOnlyTheConnectionSequence_data() {
  QTest::addColumn<int>("part");
  QTest::newRow("ZR810") << 0;
  QTest::newRow("ZR813") << 3;
  QTest::newRow("ZR821") << 5;
}

void StartupTest::startUpSendsOnlyTheConnectionSequence() {
  QFETCH(int, part);
  WindowUnderTest w(part);

  QCOMPARE(w.requestCodes(), Codes{0xE0});
  QVERIFY(w.wordsSent().empty());
  QCOMPARE(w.board().downloads(), std::vector<std::string>{"/opt/dac-eval\\ZR821SPI.hex"});
  QVERIFY(w.services().messages.empty());
  QCOMPARE(w.find<QLabel>("lblOutputCode")->text(), QStringLiteral("000000"));
  QCOMPARE(w.find<QTabWidget>("SSTab1")->currentIndex(), 0);
  QVERIFY(w.find<QRadioButton>("InputSel(0)")->isChecked());
}

void StartupTest::missingBoardIsReportedOnce() {
  WindowUnderTest w(kZR810, false);

  QCOMPARE(w.services().messages.size(), std::size_t{1});
  const RecordedMessage& m = w.services().messages.front();
  QCOMPARE(m.text, QStringLiteral("No Evaluation Board Found"));
  QCOMPARE(m.title, QStringLiteral("ZR810: %1").arg(SimulatedBoard::kNoBoardStatus));
  QCOMPARE(m.icon, MessageIcon::Exclamation);
  QCOMPARE(w.requestCodes(), Codes{0xE0});  // the start request goes out all the same

  // The window carries on with its own register model.
  w.window().show();
  QVERIFY(QTest::qWaitForWindowExposed(&w.window()));
  showTab(w, 3);
  QCOMPARE(vout(w, 15), QStringLiteral("Vout15=0.0000V"));
  QCOMPARE(w.services().messages.size(), std::size_t{1});
}

void StartupTest::initResetsTheMainTabButKeepsTheChannel() {
  WindowUnderTest w(kZR810);
  Session& f = w.session();
  w.find<QRadioButton>("chkDAC(5)")->click();
  // The operator's choices: input register B, multiplexer B, entry box 3, a written register.
  w.find<QRadioButton>("optAB(1)")->click();
  w.find<QRadioButton>("DACoptMux2(1)")->click();
  w.find<QRadioButton>("InputSel(3)")->click();
  f.chooseInputRegister(true);
  f.chipModel().DACs[5].setABsel(1);
  f.chipModel().DACs[5].setX1A(0x1234);
  f.chipModel().OffsetDAC1 = 0x0100;
  w.find<QLineEdit>("txtVREF(0)")->setText(QStringLiteral("2.5"));
  w.find<QLabel>("lblXA")->setText(QStringLiteral("1234"));
  w.find<ShapeWidget>("Areg")->hide();
  w.find<ShapeWidget>("Breg")->show();
  w.clearRequests();

  f.Init();

  QVERIFY(w.board().requests().empty());
  QVERIFY(!f.inputRegisterB());
  QCOMPARE(f.chip().DACs[5].ABsel(), 0);
  QCOMPARE(f.chip().DACs[5].X1A(), 0x8000);
  QCOMPARE(f.chip().OffsetDAC1, 0x2000);
  QCOMPARE(w.find<QLineEdit>("txtVREF(0)")->text(), QStringLiteral("5"));
  QCOMPARE(w.find<QLabel>("lblXA")->text(), QStringLiteral("8000"));
  QVERIFY(w.find<QRadioButton>("optAB(0)")->isChecked());
  QVERIFY(w.find<QRadioButton>("DACoptMux2(0)")->isChecked());
  QVERIFY(w.find<QRadioButton>("InputSel(0)")->isChecked());
  QVERIFY(!hidden(w, "Areg"));
  QVERIFY(hidden(w, "Breg"));
  // The channel stays selected and entry box 0 ("3FFF") is the active one; the options act again.
  QVERIFY(w.find<QRadioButton>("chkDAC(5)")->isChecked());
  w.find<QPushButton>("cmdX1A")->click();
  QCOMPARE(f.chip().DACs[5].X1A(), 0x3FFF);
  w.find<QRadioButton>("optAB(1)")->click();
  QVERIFY(f.inputRegisterB());
}

void StartupTest::outputLabelsReadZeroAfterStartUp_data() {
  QTest::addColumn<int>("part");
  for (int part = 0; part < 8; ++part) {
    QTest::newRow(qPrintable(QStringLiteral("row %1").arg(part))) << part;
  }
}

void StartupTest::outputLabelsReadZeroAfterStartUp() {
  QFETCH(int, part);
  WindowUnderTest w(part);
  showTab(w, 3);
  for (int i = 0; i < 40; ++i) QCOMPARE(vout(w, i), QStringLiteral("Vout%1=0.0000V").arg(i));
}

void StartupTest::outputLabelsChangeOnlyWhenTheirTabIsSelected() {
  WindowUnderTest w(kZR810);
  w.session().chipModel().DACs[0].DACreg = 0xFFFF;
  w.session().chipModel().DACs[20].DACreg = 0xFFFF;  // outside the model: no reference set

  showTab(w, 2);
  QCOMPARE(vout(w, 0), QStringLiteral("Vout0=0.0000V"));
  showTab(w, 3);
  QCOMPARE(vout(w, 0), QStringLiteral("Vout0=9.9997V"));
  QCOMPARE(vout(w, 20), QStringLiteral("Vout20=0.0000V"));

  w.session().chipModel().DACs[0].DACreg = 0;
  QCOMPARE(vout(w, 0), QStringLiteral("Vout0=9.9997V"));  // not while the tab stays open
  showTab(w, 0);
  showTab(w, 3);
  QCOMPARE(vout(w, 0), QStringLiteral("Vout0=-10.0000V"));
}

void StartupTest::outputLabelsOfTheSecondGroupOfFour() {
  WindowUnderTest w(kZR812);
  w.session().chipModel().DACs[9].DACreg = 0xFFFF;  // the chip's channel 5
  w.session().chipModel().DACs[5].DACreg = 0;       // a record the model does not use
  showTab(w, 3);
  QCOMPARE(vout(w, 5), QStringLiteral("Vout5=9.9997V"));
  QCOMPARE(vout(w, 4), QStringLiteral("Vout4=0.0000V"));
}

void StartupTest::referenceThatIsNotANumber_data() {
  QTest::addColumn<int>("part");
  QTest::addColumn<int>("reference");
  QTest::addColumn<int>("label");
  QTest::addColumn<int>("unaffectedLabel");
  QTest::newRow("ZR810 VREF1") << kZR810 << 1 << 8 << 7;
  QTest::newRow("ZR812 VREF1 on Vout4") << kZR812 << 1 << 4 << 3;
  QTest::newRow("ZR820 VREF2") << kZR820 << 2 << 39 << 15;
}

void StartupTest::referenceThatIsNotANumber() {
  QFETCH(int, part);
  QFETCH(int, reference);
  QFETCH(int, label);
  QFETCH(int, unaffectedLabel);
  WindowUnderTest w(part);
  w.find<QLineEdit>(indexed("txtVREF", reference))->setText(QStringLiteral("abc"));

  showTab(w, 3);

  auto* shown = w.find<QLabel>(indexed("lblvout", label));
  QCOMPARE(shown->text(), QStringLiteral("Vout%1=VREF%2?").arg(label).arg(reference));
  QCOMPARE(shown->toolTip(), QStringLiteral("VREF%1 is not a number").arg(reference));
  QCOMPARE(vout(w, unaffectedLabel), QStringLiteral("Vout%1=0.0000V").arg(unaffectedLabel));

  // Mended, the label reads a voltage again and loses its tip.
  w.find<QLineEdit>(indexed("txtVREF", reference))->setText(QStringLiteral("2"));
  showTab(w, 0);
  showTab(w, 3);
  QCOMPARE(shown->text(), QStringLiteral("Vout%1=0.0000V").arg(label));
  QVERIFY(shown->toolTip().isEmpty());
}

void StartupTest::statusBarNamesTheSimulatedBoard() {
  WindowUnderTest w(kZR810);
  auto* label = w.find<QLabel>("lblBoardLink");
  QCOMPARE(label->text(), QStringLiteral("Board link: Simulated board (no driver library)"));
  QCOMPARE(label->parentWidget(), w.window().statusBar());
}

QTEST_MAIN(StartupTest)
#include "test_startup.moc"
