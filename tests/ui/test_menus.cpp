// The menu bar ("Reload USB", "Exit", "Version"), the hidden click sequence on the corner
// pictures and the credits window it opens.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <vector>

#include "picture_box.h"
#include "twips.h"
#include "ui_test_support.h"

namespace {

constexpr int kZR810 = 0;
constexpr int kZR821 = 5;

using Codes = std::vector<int>;

void trigger(WindowUnderTest& w, const char* action) {
  w.find<QAction>(QString::fromLatin1(action))->trigger();
}

QStringList itemsOf(QMenu* menu) {
  QStringList items;
  for (QAction* a : menu->actions()) items << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return items;
}

long creditsShown(WindowUnderTest& w) {
  const auto& shown = w.services().modalWindows;
  return std::count(shown.begin(), shown.end(), QStringLiteral("created"));
}

void clickPicture(WindowUnderTest& w, int number) {
  QTest::mouseClick(w.find<PictureBox>(QStringLiteral("Picture%1").arg(number)), Qt::LeftButton);
}

}  // namespace

class MenusTest : public QObject {
  Q_OBJECT

 private slots:
  void menuBarHoldsFileAndAbout();
  void versionMessage_data();
  void versionMessage();
  void reloadRepeatsTheConnectionAndResets_data();
  void reloadRepeatsTheConnectionAndResets();
  void exitClosesTheWindowAndSendsNothing();
  void exitWithTheCreditsOpenClosesBoth();
  void hiddenSequence_data();
  void hiddenSequence();
  void creditsWindow();
};

void MenusTest::menuBarHoldsFileAndAbout() {
  WindowUnderTest w(kZR810);
  QStringList titles;
  for (QAction* a : w.window().menuBar()->actions()) titles << a->text();
  // The original two menus and their items, with this program's additions between them.
  QCOMPARE(titles, (QStringList{QStringLiteral("File"), QStringLiteral("View"),
                                QStringLiteral("Tools"), QStringLiteral("About")}));
  QCOMPARE(itemsOf(w.find<QMenu>("mnuFile")),
           (QStringList{QStringLiteral("Reload USB"), QStringLiteral("-"),
                        QStringLiteral("Load Setup..."), QStringLiteral("Save Setup..."),
                        QStringLiteral("-"), QStringLiteral("Exit")}));
  QCOMPARE(itemsOf(w.find<QMenu>("mnuAbout")), QStringList{QStringLiteral("Version")});
  QVERIFY(w.find<QAction>("mnudash")->isSeparator());
}

void MenusTest::versionMessage_data() {
  QTest::addColumn<int>("part");
  QTest::addColumn<QString>("title");
  QTest::newRow("ZR810") << kZR810 << "ZR810 Evaluation Board Software";
  QTest::newRow("ZR821") << kZR821 << "ZR821 Evaluation Board Software";
  QTest::newRow("no model") << kNoPartChosen << " Evaluation Board Software";
}

void MenusTest::versionMessage() {
  QFETCH(int, part);
  QFETCH(QString, title);
  WindowUnderTest w(part);
  w.clearRequests();

  trigger(w, "mnuVersion");

  QCOMPARE(w.services().messages.size(), std::size_t{1});
  QCOMPARE(w.services().messages[0].text, QStringLiteral("Version 1.06"));
  QCOMPARE(w.services().messages[0].title, title);
  QCOMPARE(w.services().messages[0].icon, MessageIcon::Information);
  QVERIFY(w.board().requests().empty());
}

void MenusTest::reloadRepeatsTheConnectionAndResets_data() {
  QTest::addColumn<bool>("boardAttached");
  QTest::newRow("board attached") << true;
  QTest::newRow("no board") << false;
}

void MenusTest::reloadRepeatsTheConnectionAndResets() {
  QFETCH(bool, boardAttached);
  WindowUnderTest w(kZR810, boardAttached);
  Session& f = w.session();
  f.chipModel().DACs[0].setX1A(0x1234);
  f.chipModel().OffsetDAC0 = 0x0100;
  w.find<QLabel>("lblXA")->setText(QStringLiteral("1234"));
  w.find<QLineEdit>("txtOffsetValue(0)")->setText(QStringLiteral("0100"));
  f.chooseInputRegister(true);
  const std::size_t messagesBefore = w.services().messages.size();
  w.clearRequests();

  trigger(w, "mnuReload");

  QCOMPARE(w.requestCodes(), (Codes{0xE0, 0xDB, 0xDA}));
  QCOMPARE(w.board().downloads().size(), std::size_t{2});
  // A failed load is reported again; a good one stays silent.
  QCOMPARE(w.services().messages.size(), messagesBefore + (boardAttached ? 0 : 1));
  QCOMPARE(f.chip().DACs[0].X1A(), 0x8000);
  QCOMPARE(f.chip().OffsetDAC0, 0x2000);
  QCOMPARE(w.find<QLabel>("lblXA")->text(), QStringLiteral("8000"));
  QCOMPARE(w.find<QLineEdit>("txtOffsetValue(0)")->text(), QStringLiteral("2000"));
  QVERIFY(!f.inputRegisterB());
}

void MenusTest::exitClosesTheWindowAndSendsNothing() {
  WindowUnderTest w(kZR810);
  w.window().show();
  QVERIFY(QTest::qWaitForWindowExposed(&w.window()));
  w.clearRequests();

  trigger(w, "mnuExit");

  QVERIFY(!w.window().isVisible());
  QVERIFY(w.board().requests().empty());
}

void MenusTest::exitWithTheCreditsOpenClosesBoth() {
  WindowUnderTest w(kZR810);
  w.window().show();
  QVERIFY(QTest::qWaitForWindowExposed(&w.window()));
  bool creditsWereOpen = false;
  bool creditsClosed = false;
  bool mainClosed = false;
  w.services().onModal = [&](QDialog& dialog) {
    if (dialog.objectName() != QStringLiteral("created")) return;
    creditsWereOpen = dialog.isVisible();
    trigger(w, "mnuExit");
    creditsClosed = !dialog.isVisible();
    mainClosed = !w.window().isVisible();
  };
  w.clearRequests();

  for (int picture : {1, 3, 2}) clickPicture(w, picture);

  QVERIFY(creditsWereOpen);
  QVERIFY(creditsClosed);
  QVERIFY(mainClosed);
  QVERIFY(w.board().requests().empty());
}

void MenusTest::hiddenSequence_data() {
  QTest::addColumn<QList<int>>("clicks");  // picture numbers, in click order
  QTest::addColumn<int>("creditsOpened");
  QTest::addColumn<int>("secretAfter");
  QTest::newRow("the three in order") << QList<int>{1, 3, 2} << 1 << 0;
  QTest::newRow("third again alone") << QList<int>{1, 3, 2, 2} << 1 << 0;
  QTest::newRow("in order twice") << QList<int>{1, 3, 2, 1, 3, 2} << 2 << 0;
  QTest::newRow("first step only") << QList<int>{1} << 0 << 1;
  QTest::newRow("first two steps") << QList<int>{1, 3} << 0 << 2;
  QTest::newRow("first then third") << QList<int>{1, 2} << 0 << 0;
  QTest::newRow("second step twice") << QList<int>{1, 3, 3} << 0 << 0;
  QTest::newRow("second twice, then third") << QList<int>{1, 3, 3, 2} << 0 << 0;
  QTest::newRow("first twice cancels itself") << QList<int>{1, 1} << 0 << 0;
  QTest::newRow("second step first") << QList<int>{3, 2} << 0 << 0;
  QTest::newRow("start over after a slip") << QList<int>{1, 2, 1, 3, 2} << 1 << 0;
}

void MenusTest::hiddenSequence() {
  QFETCH(QList<int>, clicks);
  QFETCH(int, creditsOpened);
  QFETCH(int, secretAfter);
  WindowUnderTest w(kZR810);
  w.clearRequests();

  for (int picture : clicks) clickPicture(w, picture);

  QCOMPARE(creditsShown(w), long{creditsOpened});
  // Where the sequence stands: the steps still missing from there open the credits once more.
  const QList<int> order{1, 3, 2};
  for (int step = secretAfter; step < order.size(); ++step) clickPicture(w, order[step]);
  QCOMPARE(creditsShown(w), long{creditsOpened + 1});
  QVERIFY(w.board().requests().empty());
}

void MenusTest::creditsWindow() {
  WindowUnderTest w(kZR810);
  bool checked = false;
  w.services().onModal = [&](QDialog& dialog) {
    QCOMPARE(dialog.objectName(), QStringLiteral("created"));
    QVERIFY(dialog.windowTitle().isEmpty());
    QCOMPARE(dialog.size(), QSize(tw(5730), tw(4650)));
    QVERIFY(!dialog.findChild<QLabel*>(QStringLiteral("Label1"))->text().isEmpty());
    auto* picture = dialog.findChild<QLabel*>(QStringLiteral("Picture1"));
    QCOMPARE(picture->pixmap().size(), QSize(320, 200));
    auto* back = dialog.findChild<QPushButton*>(QStringLiteral("Command1"));
    QCOMPARE(back->text(), QStringLiteral("Back to the Real World..."));
    back->click();
    QVERIFY(!dialog.isVisible());
    checked = true;
  };

  for (int picture : {1, 3, 2}) clickPicture(w, picture);

  QVERIFY(checked);
}

QTEST_MAIN(MenusTest)
#include "test_menus.moc"
