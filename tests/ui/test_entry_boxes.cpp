// The entry boxes of the "Main DACs" tab: Enter, leaving a box, the active box.

#include <QApplication>
#include <QtTest>

#include "ui_test_support.h"
#include "window_steps.h"

using namespace steps;

namespace {
constexpr int kZR810 = 0;
constexpr int kZR821 = 5;

// The operator moves the focus out of the box with the Tab key.
void leave(QLineEdit* box) {
  QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(box, &focusOut);
}
}  // namespace

class EntryBoxesTest : public QObject {
  Q_OBJECT

 private slots:
  void enterMakesTheBoxActive();
  void otherKeysOnlyType();
  void optionMakesItsBoxActive();
  void leavingABoxChecksIt_data();
  void leavingABoxChecksIt();
  void refusedBoxKeepsTheFocus();
  void boxesTakeAnyText();
};

void EntryBoxesTest::enterMakesTheBoxActive() {
  WindowUnderTest w(kZR810);
  QLineEdit* box = entryBox(w, 4);
  WindowUnderTest::setText(box, "3fff");

  QTest::keyClick(box, Qt::Key_Return);

  QVERIFY(w.find<QRadioButton>("InputSel(4)")->isChecked());
  QVERIFY(!w.find<QRadioButton>("InputSel(0)")->isChecked());
  QCOMPARE(checkedOption(w, "InputSel", 10), 4);
  QCOMPARE(box->text(), QStringLiteral("3FFF"));
  QVERIFY(w.services().messages.empty());

  press(w, "cmdX1A");
  QCOMPARE(w.session().chip().DACs[0].X1A(), 0x3FFF);
}

void EntryBoxesTest::otherKeysOnlyType() {
  WindowUnderTest w(kZR810);
  QLineEdit* box = entryBox(w, 6);
  box->end(false);

  QTest::keyClicks(box, "ab");

  QCOMPARE(box->text(), QStringLiteral("5554ab"));
  QCOMPARE(checkedOption(w, "InputSel", 10), 0);
  QVERIFY(w.find<QRadioButton>("InputSel(0)")->isChecked());
  QVERIFY(w.services().messages.empty());
}

void EntryBoxesTest::optionMakesItsBoxActive() {
  WindowUnderTest w(kZR810);
  w.find<QRadioButton>("InputSel(6)")->click();
  QCOMPARE(checkedOption(w, "InputSel", 10), 6);

  press(w, "cmdM");
  QCOMPARE(w.session().chip().DACs[0].M(), 0x5554);  // the design-time text of box 6
}

void EntryBoxesTest::leavingABoxChecksIt_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("after");
  QTest::addColumn<bool>("refused");
  QTest::newRow("lower case") << "3fff"
                              << "3FFF" << false;
  QTest::newRow("eight digits") << "ffffffff"
                                << "FFFFFFFF" << false;
  QTest::newRow("not hex") << "12G"
                           << "" << true;
  QTest::newRow("nine digits") << "123456789"
                               << "" << true;
  QTest::newRow("empty") << ""
                         << "" << true;
  QTest::newRow("prefix") << "0x10"
                          << "" << true;
}

void EntryBoxesTest::leavingABoxChecksIt() {
  QFETCH(QString, typed);
  QFETCH(QString, after);
  QFETCH(bool, refused);
  WindowUnderTest w(kZR810);
  QLineEdit* box = entryBox(w, 2);
  WindowUnderTest::setText(box, typed);
  w.clearRequests();

  leave(box);

  QCOMPARE(box->text(), after);
  QCOMPARE(w.services().messages.size(), size_t{refused ? 1u : 0u});
  if (refused) {
    const RecordedMessage& shown = w.services().messages.front();
    QCOMPARE(shown.text, QStringLiteral("Not a valid number. Please reenter it."));
    QCOMPARE(shown.title, QStringLiteral("Entry Error"));
    QCOMPARE(shown.icon, MessageIcon::Exclamation);
  }
  QVERIFY(w.requestCodes().empty());
}

void EntryBoxesTest::refusedBoxKeepsTheFocus() {
  WindowUnderTest w(kZR810);
  w.window().show();
  QVERIFY(QTest::qWaitForWindowActive(&w.window()));
  QLineEdit* box = entryBox(w, 3);
  box->setFocus(Qt::OtherFocusReason);
  WindowUnderTest::setText(box, "zz");

  entryBox(w, 4)->setFocus(Qt::TabFocusReason);

  QCOMPARE(w.services().messages.size(), size_t{1});
  QCOMPARE(box->text(), QString());
  QCOMPARE(QApplication::focusWidget(), box);
}

// Checking is the handlers' business: no box filters what is typed.
void EntryBoxesTest::boxesTakeAnyText() {
  WindowUnderTest w(kZR821);
  QList<QLineEdit*> boxes;
  for (int i = 0; i < 10; ++i) boxes << entryBox(w, i);
  for (int k = 0; k < 3; ++k) {
    boxes << w.find<QLineEdit>(indexed("txtOffsetValue", k))
          << w.find<QLineEdit>(indexed("txtVREF", k));
  }
  for (QLineEdit* box : boxes) {
    QVERIFY2(box->validator() == nullptr, qPrintable(box->objectName()));
    QVERIFY2(box->inputMask().isEmpty(), qPrintable(box->objectName()));
  }
}

QTEST_MAIN(EntryBoxesTest)
#include "test_entry_boxes.moc"
