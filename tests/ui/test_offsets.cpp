// Offset DAC writes and the reference voltage boxes.

#include <QtTest>

#include "ui_test_support.h"
#include "window_steps.h"

using namespace steps;

namespace {
enum Part { ZR810, ZR811, ZR812, ZR813, ZR820, ZR821, ZR822, ZR823 };

QLineEdit* offsetBox(WindowUnderTest& w, int k) {
  return w.find<QLineEdit>(indexed("txtOffsetValue", k));
}

std::array<int32_t, 3> offsetCodes(const ChipModel& chip) {
  return {chip.OffsetDAC0, chip.OffsetDAC1, chip.OffsetDAC2};
}
}  // namespace

class OffsetsTest : public QObject {
  Q_OBJECT

 private slots:
  void offsetWriteSendsItsWord_data();
  void offsetWriteSendsItsWord();
  void refusedOffsetChangesNothing_data();
  void refusedOffsetChangesNothing();
  void offsetTextIsUpperCasedOnLeaving();
  void enterNormalisesTheReference_data();
  void enterNormalisesTheReference();
  void otherKeysTypeIntoTheReference();
};

void OffsetsTest::offsetWriteSendsItsWord_data() {
  QTest::addColumn<int>("part");
  QTest::addColumn<int>("k");
  QTest::addColumn<QString>("text");  // null: the model's default text
  QTest::addColumn<int>("word");
  QTest::newRow("offset DAC 0, 3fff") << int{ZR810} << 0 << "3fff" << 0x023FFF;
  QTest::newRow("offset DAC 1, ZR820 default") << int{ZR820} << 1 << QString() << 0x031555;
  QTest::newRow("offset DAC 0, ZR810 default") << int{ZR810} << 0 << QString() << 0x022000;
  QTest::newRow("offset DAC 2, 0, 14-bit") << int{ZR821} << 2 << "0" << 0x040000;
  QTest::newRow("offset DAC 1, 00000ABC") << int{ZR813} << 1 << "00000ABC" << 0x030ABC;
}

void OffsetsTest::offsetWriteSendsItsWord() {
  QFETCH(int, part);
  QFETCH(int, k);
  QFETCH(QString, text);
  QFETCH(int, word);
  WindowUnderTest w(part);
  if (!text.isNull()) WindowUnderTest::setText(offsetBox(w, k), text);
  std::array<int32_t, 3> expected = offsetCodes(w.session().chip());
  expected.at(static_cast<size_t>(k)) = word & 0x3FFF;
  w.clearRequests();

  press(w, indexed("cmdOFFSET", k));

  QCOMPARE(w.wordsSent(), std::vector<int32_t>{word});
  QCOMPARE(offsetCodes(w.session().chip()), expected);
  QCOMPARE(w.board().chip().offsetDac.at(static_cast<size_t>(k)),
           std::optional<uint16_t>(word & 0x3FFF));
  QVERIFY(w.services().messages.empty());
}

void OffsetsTest::refusedOffsetChangesNothing_data() {
  QTest::addColumn<int>("k");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("title");
  const QString exceeds14 = QStringLiteral("Number exceeds the bit length (14)");
  QTest::newRow("4000") << 1 << "4000" << exceeds14 << "Invalid Text";
  QTest::newRow("FFFFFFFF, negative") << 0 << "FFFFFFFF" << exceeds14 << "Invalid Text";
  QTest::newRow("empty") << 2 << ""
                         << "Invalid Number"
                         << "Invalid Number";
  QTest::newRow("decimal point") << 0 << "1.5"
                                 << "Invalid Number"
                                 << "Invalid Number";
}

void OffsetsTest::refusedOffsetChangesNothing() {
  QFETCH(int, k);
  QFETCH(QString, text);
  QFETCH(QString, message);
  QFETCH(QString, title);
  WindowUnderTest w(ZR821);
  WindowUnderTest::setText(offsetBox(w, k), text);
  const std::array<int32_t, 3> before = offsetCodes(w.session().chip());
  w.clearRequests();

  press(w, indexed("cmdOFFSET", k));

  QCOMPARE(w.services().messages.size(), size_t{1});
  QCOMPARE(w.services().messages.front().text, message);
  QCOMPARE(w.services().messages.front().title, title);
  QCOMPARE(w.services().messages.front().icon, MessageIcon::Exclamation);
  QVERIFY(w.requestCodes().empty());
  QCOMPARE(offsetCodes(w.session().chip()), before);
  QCOMPARE(offsetBox(w, k)->text(), text);
}

void OffsetsTest::offsetTextIsUpperCasedOnLeaving() {
  WindowUnderTest w(ZR810);
  w.clearRequests();
  for (const QString& typed : {QStringLiteral("3fff"), QStringLiteral("xyz")}) {
    QLineEdit* box = offsetBox(w, 0);
    WindowUnderTest::setText(box, typed);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(box, &focusOut);
    QCOMPARE(box->text(), typed.toUpper());
  }
  // Leaving a box neither checks, sends nor stores.
  QVERIFY(w.services().messages.empty());
  QVERIFY(w.requestCodes().empty());
  QCOMPARE(w.session().chip().OffsetDAC0, 0x2000);
}

void OffsetsTest::enterNormalisesTheReference_data() {
  QTest::addColumn<int>("k");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("after");
  QTest::newRow("2.50") << 0 << "2.50"
                        << "2.5";
  QTest::newRow("5V") << 1 << "5V"
                      << "5";
  QTest::newRow("1e3") << 2 << "1e3"
                       << "1000";
  QTest::newRow("abc") << 0 << "abc"
                       << "0";
  QTest::newRow("blanks inside") << 1 << " 2 .5"
                                 << "2.5";
  QTest::newRow("&H10") << 2 << "&H10"
                        << "16";
}

void OffsetsTest::enterNormalisesTheReference() {
  QFETCH(int, k);
  QFETCH(QString, typed);
  QFETCH(QString, after);
  WindowUnderTest w(ZR820);
  QLineEdit* box = w.find<QLineEdit>(indexed("txtVREF", k));
  WindowUnderTest::setText(box, typed);
  w.clearRequests();

  QTest::keyClick(box, Qt::Key_Return);

  QCOMPARE(box->text(), after);
  QVERIFY(w.requestCodes().empty());
}

void OffsetsTest::otherKeysTypeIntoTheReference() {
  WindowUnderTest w(ZR810);
  QLineEdit* box = w.find<QLineEdit>("txtVREF(0)");
  WindowUnderTest::setText(box, "2.50");

  QTest::keyClicks(box, "0V");

  QCOMPARE(box->text(), QStringLiteral("2.500V"));
}

QTEST_MAIN(OffsetsTest)
#include "test_offsets.moc"
