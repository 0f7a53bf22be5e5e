// Tools > Channels...: the table of names, limits and outputs; edits go through the session's
// checks; the window's writes that a limit refuses come as message boxes with nothing sent; the
// window's own RESET warns; names reach the channel buttons' tooltips.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QtTest>

#include "channels_pane.h"
#include "ui_test_support.h"
#include "window_steps.h"

namespace {
constexpr int kZR810 = 0;
constexpr int kZR812 = 2;

QTableWidget* openTable(WindowUnderTest& w) {
  w.find<QAction>(QStringLiteral("mnuChannels"))->trigger();
  return w.find<ChannelsPane>(QStringLiteral("ChannelsPane"))->table();
}

void edit(QTableWidget* table, int row, int column, const QString& text) {
  table->item(row, column)->setText(text);
}
}  // namespace

class ChannelsTest : public QObject {
  Q_OBJECT

 private slots:
  void tableListsTheModelsChannels();
  void editsGoThroughTheSession();
  void aWriteALimitRefusesIsAMessageWithNothingSent();
  void ownResetWarnsInABoxAndTheStatusBar();
};

void ChannelsTest::tableListsTheModelsChannels() {
  WindowUnderTest w(kZR812);
  QVERIFY(w.session().setChannelName(9, "mirror x") == std::nullopt);  // channel 5, record 9
  QTableWidget* table = openTable(w);
  QCOMPARE(table->rowCount(), 8);
  QCOMPARE(table->item(5, ChannelsPane::kNameColumn)->text(), QStringLiteral("mirror x"));
  QCOMPARE(table->item(5, ChannelsPane::kHighColumn)->text(), QString());
  QCOMPARE(table->item(5, ChannelsPane::kOutputColumn)->text(), QStringLiteral("0.0000"));
  QCOMPARE(w.find<QRadioButton>(QStringLiteral("chkDAC(9)"))->toolTip(),
           QStringLiteral("channel 5 (mirror x)"));
  // The output follows a remote write and LDAC.
  QVERIFY(w.session().writeVoltage(9, 2.5) == std::nullopt);
  QVERIFY(w.session().pulseLdac() == std::nullopt);
  QCOMPARE(table->item(5, ChannelsPane::kOutputColumn)->text(), QStringLiteral("2.5000"));
}

void ChannelsTest::editsGoThroughTheSession() {
  WindowUnderTest w(kZR810);
  QTableWidget* table = openTable(w);
  edit(table, 3, ChannelsPane::kNameColumn, QStringLiteral("trap rf"));
  edit(table, 3, ChannelsPane::kLowColumn, QStringLiteral("-1"));
  edit(table, 3, ChannelsPane::kHighColumn, QStringLiteral("1.5"));
  QCOMPARE(w.session().channelLabel(3),
           (ChannelLabel{.name = "trap rf", .low = -1.0, .high = 1.5}));
  QVERIFY(w.services().messages.empty());
  // Refused: the cell goes back, a message says why.
  edit(table, 3, ChannelsPane::kLowColumn, QStringLiteral("2"));
  edit(table, 3, ChannelsPane::kHighColumn, QStringLiteral("one"));
  QCOMPARE(table->item(3, ChannelsPane::kLowColumn)->text(), QStringLiteral("-1"));
  QCOMPARE(table->item(3, ChannelsPane::kHighColumn)->text(), QStringLiteral("1.5"));
  QCOMPARE(w.services().messages.size(), 2u);
  QCOMPARE(w.services().messages[0].text,
           QStringLiteral("the lower limit 2 V would lie above the upper limit 1.5 V"));
  QCOMPARE(w.services().messages[1].text, QStringLiteral("\"one\" is not a voltage"));
  // An empty cell is no limit; a limit the output breaks is taken and the status bar says so.
  edit(table, 3, ChannelsPane::kHighColumn, QString());
  QCOMPARE(w.session().channelLabel(3).high, std::nullopt);
  edit(table, 3, ChannelsPane::kLowColumn, QStringLiteral("0.5"));
  QCOMPARE(w.session().channelLabel(3).low, 0.5);
  QCOMPARE(w.find<QLabel>(QStringLiteral("lblStatus"))->text(),
           QStringLiteral("New limit: channel 3 (trap rf) at 0 V, outside at least 0.5 V"));
  QCOMPARE(w.services().messages.size(), 2u);
  QVERIFY(w.board().requests().empty() || w.wordsSent().empty());
}

void ChannelsTest::aWriteALimitRefusesIsAMessageWithNothingSent() {
  WindowUnderTest w(kZR810);
  QVERIFY(w.session().setChannelLimit(9, Session::LimitSide::Upper, 1.0) == std::nullopt);
  steps::pickChannel(w, 9);
  w.clearRequests();
  steps::enterCode(w, 0, QStringLiteral("A000"));
  steps::press(w, QStringLiteral("cmdX1A"));
  QVERIFY(w.requests().empty());
  QCOMPARE(w.services().messages.size(), 1u);
  QCOMPARE(w.services().messages[0].text,
           QStringLiteral("channel 9 would reach 2.5 V, outside its range at most 1 V"));
  QCOMPARE(w.session().chip().DACs[9].X1A(), 0x8000);
  // A reference box that would take the output out goes back to the reference in use.
  steps::enterCode(w, 0, QStringLiteral("8800"));
  steps::press(w, QStringLiteral("cmdX1A"));
  steps::press(w, QStringLiteral("cmdLDAC"));
  QCOMPARE(w.services().messages.size(), 1u);
  WindowUnderTest::setText(w.find<QLineEdit>(QStringLiteral("txtVREF(1)")), QStringLiteral("10"));
  QCOMPARE(w.services().messages.size(), 2u);
  QCOMPARE(w.find<QLineEdit>(QStringLiteral("txtVREF(1)"))->text(), QStringLiteral("5"));
  QCOMPARE(w.session().references()[1], std::string("5"));
}

void ChannelsTest::ownResetWarnsInABoxAndTheStatusBar() {
  WindowUnderTest w(kZR810);
  QVERIFY(w.session().setChannelLimit(2, Session::LimitSide::Lower, 0.5) == std::nullopt);
  w.services().messages.clear();
  steps::press(w, QStringLiteral("mnuPulseReset"));
  const QString warning = QStringLiteral("RESET leaves channel 2 at 0 V, outside at least 0.5 V");
  QCOMPARE(w.find<QLabel>(QStringLiteral("lblStatus"))->text(), warning);
  QCOMPARE(w.services().messages.size(), 1u);
  QCOMPARE(w.services().messages[0].text, warning);
  // A remote RESET warns in the status bar only: no box holds up the client.
  w.services().messages.clear();
  w.session().pulseReset();
  QVERIFY(w.services().messages.empty());
}

QTEST_MAIN(ChannelsTest)
#include "test_channels.moc"
