// "Monitor Controls" and "GPIO Configuration": the words the lists and the pin options send, the
// channel list's enabled state, typed characters, and reading the pin back from the board.

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <vector>

#include "ui_test_support.h"

namespace {

constexpr int kZR810 = 0;
constexpr int kZR811 = 1;
constexpr int kZR812 = 2;
constexpr int kZR813 = 3;

// Chooses an item the way the operator does: the list shows it, then reports the choice.
void choose(QComboBox* list, int item) {
  list->setCurrentIndex(item);
  Q_EMIT list->activated(item);
}

QComboBox* monitorSwitch(WindowUnderTest& w) {
  return w.find<QComboBox>("cboDisable");
}
QComboBox* channelList(WindowUnderTest& w) {
  return w.find<QComboBox>("cboMonChannel");
}
QRadioButton* gpioOption(WindowUnderTest& w, int k) {
  return w.find<QRadioButton>(QStringLiteral("chkGPIO(%1)").arg(k));
}

using Words = std::vector<int32_t>;

}  // namespace

class MonitorTest : public QObject {
  Q_OBJECT

 private slots:
  void monitorSequenceSendsEachChoice();
  void channelItemSendsItsPosition_data();
  void channelItemSendsItsPosition();
  void channelListFollowsTheSwitch();
  void switchSendsTheMonitorWord();
  void remoteChannelChoiceIsShownSilently();
  void typedCharactersAreDiscarded_data();
  void typedCharactersAreDiscarded();
  void gpioOptionsSendTheirWords();
  void gpioSelectionByTheProgramSendsNothing();
  void readShowsThePinLevel_data();
  void readShowsThePinLevel();
};

void MonitorTest::monitorSequenceSendsEachChoice() {
  WindowUnderTest w(kZR810);
  QCOMPARE(w.session().monitorState(), 0);
  w.clearRequests();

  choose(monitorSwitch(w), 1);  // "Monitor Enabled"
  choose(channelList(w), 7);    // "DAC 5"
  choose(channelList(w), 1);    // "Mon_In1": bits 3..1 keep the 010 of channel 5
  choose(channelList(w), 0);    // "Mon_In0"
  choose(monitorSwitch(w), 0);  // "Monitor Disabled"

  QCOMPARE(w.wordsSent(), (Words{0x0C0020, 0x0C0025, 0x0C0035, 0x0C0034, 0x0C0014}));
  QCOMPARE(w.session().monitorState(), 0x14);
  QCOMPARE(w.find<QLabel>("lblOutputCode")->text(), QStringLiteral("0C0014"));
  QCOMPARE(static_cast<int>(w.board().chip().monitor), 0x14);
}

void MonitorTest::channelItemSendsItsPosition_data() {
  QTest::addColumn<int>("part");
  QTest::addColumn<int>("channel");
  QTest::addColumn<int32_t>("word");
  QTest::newRow("ZR810 channel 15") << kZR810 << 15 << 0x0C002F;
  QTest::newRow("ZR810 channel 0") << kZR810 << 0 << 0x0C0020;
  QTest::newRow("ZR811 channel 9") << kZR811 << 9 << 0x0C0029;
  // On the 8-channel models channels 4..7 sit at records 8..11 but are sent as 4..7.
  QTest::newRow("ZR812 channel 5") << kZR812 << 5 << 0x0C0025;
  QTest::newRow("ZR813 channel 7") << kZR813 << 7 << 0x0C0027;
}

void MonitorTest::channelItemSendsItsPosition() {
  QFETCH(int, part);
  QFETCH(int, channel);
  QFETCH(int32_t, word);
  WindowUnderTest w(part);
  choose(monitorSwitch(w), 1);
  QCOMPARE(channelList(w)->itemText(channel + 2), QStringLiteral("DAC %1").arg(channel));
  w.clearRequests();

  choose(channelList(w), channel + 2);

  QCOMPARE(w.wordsSent(), Words{word});
  QCOMPARE(static_cast<int32_t>(w.board().chip().monitor), word & 0xFF);
}

void MonitorTest::channelListFollowsTheSwitch() {
  WindowUnderTest w(kZR812);
  QVERIFY(!channelList(w)->isEnabled());

  choose(monitorSwitch(w), 1);
  QVERIFY(channelList(w)->isEnabled());
  choose(channelList(w), 4);

  choose(monitorSwitch(w), 0);
  QVERIFY(!channelList(w)->isEnabled());
  QCOMPARE(channelList(w)->currentIndex(), 4);  // the choice is kept while switched off

  choose(monitorSwitch(w), 1);
  QVERIFY(channelList(w)->isEnabled());
}

void MonitorTest::switchSendsTheMonitorWord() {
  WindowUnderTest w(kZR810);
  w.clearRequests();
  choose(monitorSwitch(w), 1);
  QCOMPARE(w.wordsSent(), Words{0x0C0020});
  QVERIFY(channelList(w)->isEnabled());
}

// A channel chosen by remote control: the list shows it, and the window adds no word of its own.
void MonitorTest::remoteChannelChoiceIsShownSilently() {
  WindowUnderTest w(kZR810);
  choose(monitorSwitch(w), 1);
  w.clearRequests();
  QVERIFY(!w.session().chooseMonitorItem(9));
  QCOMPARE(w.wordsSent().size(), std::size_t{1});
  QCOMPARE(channelList(w)->currentIndex(), 9);
}

void MonitorTest::typedCharactersAreDiscarded_data() {
  QTest::addColumn<QString>("list");
  QTest::addColumn<QString>("typed");
  QTest::newRow("switch, item text") << "cboDisable"
                                     << "Monitor E";
  QTest::newRow("switch, first letters") << "cboDisable"
                                         << "mm";
  QTest::newRow("channel list, item text") << "cboMonChannel"
                                           << "DAC 5";
  QTest::newRow("channel list, input item") << "cboMonChannel"
                                            << "Mon_In1";
}

void MonitorTest::typedCharactersAreDiscarded() {
  QFETCH(QString, list);
  QFETCH(QString, typed);
  WindowUnderTest w(kZR810);
  choose(monitorSwitch(w), 1);
  choose(channelList(w), 2);
  choose(monitorSwitch(w), 0);
  choose(monitorSwitch(w), 1);  // both lists enabled, neither on a typed item
  auto* box = w.find<QComboBox>(list);
  const int before = box->currentIndex();
  const int32_t stateBefore = w.session().monitorState();
  w.clearRequests();

  QTest::keyClicks(box, typed);

  QCOMPARE(box->currentIndex(), before);
  QCOMPARE(w.session().monitorState(), stateBefore);
  QVERIFY(w.wordsSent().empty());
}

void MonitorTest::gpioOptionsSendTheirWords() {
  WindowUnderTest w(kZR810);
  QVERIFY(gpioOption(w, 0)->isChecked());
  w.clearRequests();

  gpioOption(w, 1)->click();  // "Pin is Output = Low"
  gpioOption(w, 2)->click();  // "Pin is Output = High"
  gpioOption(w, 0)->click();  // "Pin is Input"

  QCOMPARE(w.wordsSent(), (Words{0x0D0002, 0x0D0003, 0x0D0000}));
  QCOMPARE(w.find<QLabel>("lblOutputCode")->text(), QStringLiteral("0D0000"));
}

void MonitorTest::gpioSelectionByTheProgramSendsNothing() {
  WindowUnderTest w(kZR810);
  w.clearRequests();
  // Remote control sets the pin; the window selects the options and sends nothing of its own.
  QVERIFY(!w.session().setGpioMode(GpioMode(2)));
  QVERIFY(!w.session().setGpioMode(GpioMode(1)));
  QCOMPARE(w.wordsSent(), (Words{0x0D0003, 0x0D0002}));
  QVERIFY(gpioOption(w, 1)->isChecked());
}

void MonitorTest::readShowsThePinLevel_data() {
  QTest::addColumn<int>("option");
  QTest::addColumn<bool>("inputLevelHigh");
  QTest::addColumn<QString>("shown");
  QTest::newRow("output high") << 2 << false << "=HIGH";
  QTest::newRow("output low, input level high") << 1 << true << "=LOW";
  QTest::newRow("input, level high") << 0 << true << "=HIGH";
  QTest::newRow("input, level low") << 0 << false << "=LOW";
}

void MonitorTest::readShowsThePinLevel() {
  QFETCH(int, option);
  QFETCH(bool, inputLevelHigh);
  QFETCH(QString, shown);
  WindowUnderTest w(kZR812);
  auto* label = w.find<QLabel>("lblGPIOinput");
  QCOMPARE(label->text(), QStringLiteral("= LOW"));
  w.board().setGpioInputLevel(inputLevelHigh);
  if (option != 0) gpioOption(w, option)->click();
  w.clearRequests();

  w.find<QPushButton>("cmdGPIOread")->click();

  QCOMPARE(label->text(), shown);
  QCOMPARE(w.wordsSent(), Words{0x058580});
  const auto& requests = w.board().requests();
  QCOMPARE(requests.size(), size_t{2});
  QCOMPARE(requests[1].code, static_cast<uint8_t>(Request::Spi));
  QCOMPARE(requests[1].direction, kDirectionIn);
}

QTEST_MAIN(MonitorTest)
#include "test_monitor.moc"
