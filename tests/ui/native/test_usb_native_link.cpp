// The window on the native USB link, end to end against an emulated board at the kernel's USB
// interface: a randomized operator session in which the emulated chip's registers equal the
// program's register model after every action; a board unplugged mid-session (requests fail,
// the status bar says so, Reload USB reports the missing board); and a board the desktop's user
// may not open (the status bar names the udev rule); a board that stops answering and answers
// again.

#include <QElapsedTimer>
#include <QLabel>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "emulated_usb_bus.h"
#include "intel_hex_writer.h"
#include "program_folder.h"
#include "session_run.h"
#include "ui_test_support.h"
#include "usb_driver.h"
#include "usb_ids.h"
#include "window_steps.h"

namespace {

constexpr int kZR810 = 0;
constexpr BoardUsbIds kIds{{0xfff0, 0x0820}, {0xfff0, 0x0821}};
// Short bounds: the emulated board answers at once and comes back within milliseconds.
constexpr UsbLinkTimings kTimings{std::chrono::milliseconds(200), std::chrono::milliseconds(1000),
                                  std::chrono::milliseconds(2)};

// The bus is made before the driver starts libusb, and goes after it.
struct NativeBench {
  explicit NativeBench(bool denied = false) {
    bus.addBoard({1, kIds});
    if (denied) bus.denyPermission(0);
    driver = std::make_unique<UsbDriver>(kIds, kTimings);
    window = std::make_unique<WindowUnderTest>(
        kZR810, ExternalBoard{*driver, [this] { return bus.chip(0); }, folder.path.string()});
    bus.setChipModel(0, PartCatalogue()[kZR810]);
  }
  ~NativeBench() {
    window.reset();
    driver.reset();
  }
  QString status() { return window->find<QLabel>(QStringLiteral("lblBoardStatus"))->text(); }

  ProgramFolder folder{"dac_eval_native"};
  EmulatedUsbBus bus;
  std::unique_ptr<UsbDriver> driver;
  std::unique_ptr<WindowUnderTest> window;
};

}  // namespace

class NativeLinkTest : public QObject {
  Q_OBJECT

 private slots:
  void randomSessionKeepsTheEmulatedChipEqualToTheModel();
  void unpluggedBoardIsNamedInTheStatusBarAndAtReload();
  void boardThatMayNotBeOpenedNamesTheUdevRule();
  void silentBoardIsNamedUntilItAnswersAgain();
};

void NativeLinkTest::randomSessionKeepsTheEmulatedChipEqualToTheModel() {
  NativeBench bench;
  QVERIFY(bench.window->services().messages.empty());
  QVERIFY(bench.window->find<QLabel>(QStringLiteral("lblBoardLink"))
              ->text()
              .startsWith(QStringLiteral("Board link: USB board on bus 1, port 1")));
  const QString failure = session::RunRandomSession(*bench.window, kZR810, 51810, 1500);
  if (!failure.isEmpty()) QFAIL(qPrintable(failure));
  QCOMPARE(bench.status(), QString());
}

void NativeLinkTest::unpluggedBoardIsNamedInTheStatusBarAndAtReload() {
  NativeBench bench;
  WindowUnderTest& w = *bench.window;
  steps::enterCode(w, 3, QStringLiteral("1234"));
  steps::press(w, QStringLiteral("cmdX1A"));
  QCOMPARE(bench.bus.chip(0).inputA[0], uint16_t{0x1234});

  bench.bus.unplug(0);
  steps::enterCode(w, 3, QStringLiteral("4321"));
  steps::press(w, QStringLiteral("cmdX1A"));
  // The write completes on the register model, as every action does; the status bar says why
  // the board did not take it.
  QCOMPARE(w.session().chip().DACs[0].X1A(), 0x4321);
  QCOMPARE(bench.status(), QStringLiteral("request DD (word C84321) failed: board unplugged"));

  w.services().messages.clear();
  w.find<QAction>(QStringLiteral("mnuReload"))->trigger();
  QCOMPARE(w.services().messages.size(), std::size_t{1});
  QCOMPARE(w.services().messages[0].text, QStringLiteral("No Evaluation Board Found"));
  QVERIFY2(bench.status().startsWith(QStringLiteral("No board attached")),
           qPrintable(bench.status()));
}

void NativeLinkTest::boardThatMayNotBeOpenedNamesTheUdevRule() {
  NativeBench bench(true);
  const auto& messages = bench.window->services().messages;
  QCOMPARE(messages.size(), std::size_t{1});
  QCOMPARE(messages[0].text, QStringLiteral("No Evaluation Board Found"));
  QCOMPARE(bench.status(),
           QStringLiteral("No board attached: no permission to open the board: see the README "
                          "(udev rule %1)")
               .arg(QString::fromLatin1(UdevRuleFileName())));
}

// A board that stops answering: the first write waits for its timeout, the next fails at once
// naming since when the board is silent; the probe between actions finds it answering again
// and the status bar says so; a Reload USB clears the mark as well.
void NativeLinkTest::silentBoardIsNamedUntilItAnswersAgain() {
  NativeBench bench;
  WindowUnderTest& w = *bench.window;
  bench.bus.stopAnswering(0);
  steps::enterCode(w, 3, QStringLiteral("4321"));
  steps::press(w, QStringLiteral("cmdX1A"));
  QCOMPARE(bench.status(), QStringLiteral("request DD (word C84321) failed: no answer within 1 s"));

  QElapsedTimer timer;
  timer.start();
  steps::enterCode(w, 3, QStringLiteral("5555"));
  steps::press(w, QStringLiteral("cmdX1A"));
  QVERIFY(timer.elapsed() < kTimings.requestTimeout.count() / 2);
  QCOMPARE(w.session().chip().DACs[0].X1A(), 0x5555);
  QVERIFY2(bench.status().startsWith(
               QStringLiteral("request DD (word C85555) failed: board not answering since ")),
           qPrintable(bench.status()));

  bench.bus.answerAgain(0);
  QVERIFY(w.session().probeSilentBoard());
  QCOMPARE(bench.status(), QStringLiteral("Board answering again"));
  steps::press(w, QStringLiteral("cmdX1A"));
  QCOMPARE(bench.status(), QString());
  QCOMPARE(bench.bus.chip(0).inputA[0], uint16_t{0x5555});

  bench.bus.stopAnsweringAfter(0, 0);
  steps::press(w, QStringLiteral("cmdX1A"));
  QVERIFY(w.session().boardSilent());
  bench.bus.answerAgain(0);
  w.find<QAction>(QStringLiteral("mnuReload"))->trigger();
  QVERIFY(!w.session().boardSilent());
  QVERIFY(w.services().messages.empty());
}

QTEST_MAIN(NativeLinkTest)
#include "test_usb_native_link.moc"
