// "Direct 24-Bit Load": which box is sent, how its text is read and refused, and that the register
// model and the displays follow the word as the chip takes it.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <optional>
#include <vector>

#include "hex_text.h"
#include "ui_test_support.h"
#include "window_steps.h"

namespace {

constexpr int kZR810 = 0;
constexpr int kZR821 = 5;

using Words = std::vector<int32_t>;

QLineEdit* box(WindowUnderTest& w, int k) {
  return w.find<QLineEdit>(QStringLiteral("txtDirectLoad(%1)").arg(k));
}
void load(WindowUnderTest& w) {
  w.find<QPushButton>("cmdDirectLoad")->click();
}
QString outputCode(WindowUnderTest& w) {
  return w.find<QLabel>("lblOutputCode")->text();
}

// Shows the window and waits until it has the keyboard focus, so that focus moves between boxes
// the way the operator's clicks move it.
bool showActive(WindowUnderTest& w) {
  w.window().show();
  QApplication::setActiveWindow(&w.window());
  return QTest::qWaitForWindowActive(&w.window());
}

// Everything the program keeps about the channels: each record's fields and the displays.
QStringList modelSnapshot(WindowUnderTest& w) {
  QStringList values;
  for (const DAC& d : w.session().chip().DACs) {
    for (int32_t v : {d.X1A(), d.X1B(), d.M(), d.C(), d.X2A, d.X2B, d.DACregValue()})
      values << QString::number(v);
  }
  for (const char* name : {"lblXA", "lblXB", "lblX2A", "lblX2B", "lblM", "lblC", "DACregister"})
    values << w.find<QLabel>(QString::fromLatin1(name))->text();
  return values;
}

}  // namespace

class DirectLoadTest : public QObject {
  Q_OBJECT

 private slots:
  void startTextsSendZero();
  void acceptedTextIsSent_data();
  void acceptedTextIsSent();
  void boxIsUpperCasedWhenLeft();
  void refusedTextSendsNothing_data();
  void refusedTextSendsNothing();
  void selectedBoxIsSentWhereverTheCursorIs_data();
  void selectedBoxIsSentWhereverTheCursorIs();
  void modelAndDisplaysFollowTheWord();
  void wordTheChipIgnoresLeavesTheModelAlone();
};

void DirectLoadTest::startTextsSendZero() {
  WindowUnderTest w(kZR810);
  for (int k = 0; k < 5; ++k) QCOMPARE(box(w, k)->text(), QStringLiteral("000000"));
  QVERIFY(w.find<QRadioButton>("optTxtSelect(0)")->isChecked());
  w.clearRequests();

  load(w);

  QCOMPARE(w.wordsSent(), Words{0x000000});
  QCOMPARE(w.board().requests().front().value, 0);
  QCOMPARE(w.board().requests().front().index, 0);
}

void DirectLoadTest::acceptedTextIsSent_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int32_t>("word");
  QTest::addColumn<QString>("shown");
  QTest::newRow("one digit") << "5" << 0x000005 << "000005";
  QTest::newRow("lower case") << "c00000" << 0xC00000 << "C00000";
  QTest::newRow("largest word") << "FFFFFF" << 0xFFFFFF << "FFFFFF";
  QTest::newRow("eight digits with zeros in front") << "00ABCDEF" << 0xABCDEF << "ABCDEF";
  QTest::newRow("mixed case") << "0d0aBc" << 0x0D0ABC << "0D0ABC";
}

void DirectLoadTest::acceptedTextIsSent() {
  QFETCH(QString, text);
  QFETCH(int32_t, word);
  QFETCH(QString, shown);
  WindowUnderTest w(kZR821);
  WindowUnderTest::setText(box(w, 0), text);
  w.clearRequests();

  load(w);

  QCOMPARE(w.wordsSent(), Words{word});
  QCOMPARE(outputCode(w), shown);
  QVERIFY(w.services().messages.empty());
}

void DirectLoadTest::boxIsUpperCasedWhenLeft() {
  WindowUnderTest w(kZR810);
  QVERIFY(showActive(w));
  box(w, 0)->setFocus(Qt::MouseFocusReason);
  WindowUnderTest::setText(box(w, 0), QStringLiteral("c00000"));
  QCOMPARE(box(w, 0)->text(), QStringLiteral("c00000"));

  box(w, 2)->setFocus(Qt::MouseFocusReason);
  QCOMPARE(box(w, 0)->text(), QStringLiteral("C00000"));

  w.clearRequests();
  load(w);
  QCOMPARE(w.wordsSent(), Words{0xC00000});
}

void DirectLoadTest::refusedTextSendsNothing_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("message");
  const QString tooLong = QStringLiteral("Number exceeds the bit length (24)");
  const QString invalid = QStringLiteral("Invalid Number");
  QTest::newRow("seven digits") << "1000000" << tooLong;
  QTest::newRow("eight digits") << "FFFFFFFF" << tooLong;
  QTest::newRow("letters") << "xyz" << invalid;
  QTest::newRow("empty") << "" << invalid;
  QTest::newRow("nine digits") << "000000001" << invalid;
  QTest::newRow("prefix") << "0x12" << invalid;
}

void DirectLoadTest::refusedTextSendsNothing() {
  QFETCH(QString, text);
  QFETCH(QString, message);
  WindowUnderTest w(kZR810);
  WindowUnderTest::setText(box(w, 0), QStringLiteral("123456"));
  load(w);  // a word on show before the refusal
  WindowUnderTest::setText(box(w, 0), text);
  w.clearRequests();
  w.services().messages.clear();

  load(w);

  QVERIFY(w.requestCodes().empty());
  QCOMPARE(outputCode(w), QStringLiteral("123456"));
  QCOMPARE(box(w, 0)->text(), text);
  QCOMPARE(w.services().messages.size(), size_t{1});
  QCOMPARE(w.services().messages.front().text, message);
  QVERIFY(w.services().messages.front().icon == MessageIcon::Exclamation);
}

void DirectLoadTest::selectedBoxIsSentWhereverTheCursorIs_data() {
  QTest::addColumn<int>("selected");
  QTest::addColumn<int>("cursorIn");
  QTest::newRow("box 3, cursor in box 1") << 3 << 1;
  QTest::newRow("box 4, cursor in box 0") << 4 << 0;
  QTest::newRow("box 0 after box 2, cursor in box 2") << 0 << 2;
}

void DirectLoadTest::selectedBoxIsSentWhereverTheCursorIs() {
  QFETCH(int, selected);
  QFETCH(int, cursorIn);
  WindowUnderTest w(kZR810);
  QVERIFY(showActive(w));
  for (int k = 0; k < 5; ++k) WindowUnderTest::setText(box(w, k), QStringLiteral("A0000%1").arg(k));
  w.find<QRadioButton>("optTxtSelect(2)")->click();
  w.find<QRadioButton>(QStringLiteral("optTxtSelect(%1)").arg(selected))->click();
  box(w, cursorIn)->setFocus(Qt::MouseFocusReason);
  w.clearRequests();

  load(w);

  QCOMPARE(steps::checkedOption(w, "optTxtSelect", 5), selected);
  QCOMPARE(w.wordsSent(), Words{0xA00000 + selected});
}

// A word for channel 0's input register reaches the chip, and the program's model and the
// selected channel's displays follow it; so do the A/B input choice, the offset DAC box, the
// monitor switch and the GPIO option for their words.
void DirectLoadTest::modelAndDisplaysFollowTheWord() {
  WindowUnderTest w(kZR810);
  WindowUnderTest::setText(box(w, 0), QStringLiteral("C85678"));
  w.clearRequests();

  load(w);

  QCOMPARE(w.wordsSent(), Words{0xC85678});
  QVERIFY(w.board().chip().inputA[0] == std::optional<uint16_t>{0x5678});
  const DAC& record = w.session().chip().DACs.at(0);
  QCOMPARE(record.X1A(), 0x5678);
  QCOMPARE(record.X2A, w.board().chip().x2a[0]);
  QCOMPARE(w.find<QLabel>("lblXA")->text(), QStringLiteral("5678"));
  QCOMPARE(w.find<QLabel>("lblX2A")->text(), QString::fromStdString(RegisterText(record.X2A)));

  struct Follow {
    const char* word;
    const char* control;
    QString shows;
  };
  for (const Follow& f : {Follow{"010004", "optAB(1)", QStringLiteral("checked")},
                          Follow{"021000", "txtOffsetValue(0)", QStringLiteral("1000")},
                          Follow{"0C0023", "cboDisable", QStringLiteral("1")},
                          Follow{"0D0003", "chkGPIO(2)", QStringLiteral("checked")}}) {
    WindowUnderTest::setText(box(w, 0), QString::fromLatin1(f.word));
    load(w);
    QWidget* control = w.find<QWidget>(QString::fromLatin1(f.control));
    QString shown;
    if (auto* option = qobject_cast<QRadioButton*>(control))
      shown = option->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
      shown = edit->text();
    else if (auto* list = qobject_cast<QComboBox*>(control))
      shown = QString::number(list->currentIndex());
    QCOMPARE(shown, f.shows);
  }
  QVERIFY(w.session().inputRegisterB());
}

// A word for a channel the model lacks reaches the board and changes nothing the program keeps.
void DirectLoadTest::wordTheChipIgnoresLeavesTheModelAlone() {
  WindowUnderTest w(kZR810);
  const QStringList before = modelSnapshot(w);
  WindowUnderTest::setText(box(w, 0), QStringLiteral("D81234"));  // record 16 of 16
  w.clearRequests();

  load(w);

  QCOMPARE(w.wordsSent(), Words{0xD81234});
  QCOMPARE(modelSnapshot(w), before);
}

QTEST_MAIN(DirectLoadTest)
#include "test_direct_load.moc"
