// Tools > "Verify Chip Registers...": the chip read back with a progress bar; all registers
// agreeing, the table of a power-cycled chip with both values, the write-back that mends it, the
// chip's values taken into the model (the displays follow), and a board failing on the way.

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "frm_verify_chip.h"
#include "ui_test_support.h"
#include "window_steps.h"

namespace {
constexpr int kZR810 = 0;
constexpr int kZR820 = 4;

// What the dialog showed when it came up, and what the test does in it.
struct Shown {
  QString result;
  int progress = -1;
  int progressMaximum = -1;
  QStringList rows;  // "channel register model chip" of each row of the table
  bool writeEnabled = false;
  bool takeEnabled = false;
};

Shown Read(frmVerifyChip& d) {
  Shown shown{d.lblVerifyResult->text(),    d.prgVerify->value(),      d.prgVerify->maximum(), {},
              d.cmdWriteModel->isEnabled(), d.cmdTakeChip->isEnabled()};
  for (int row = 0; row < d.grdDifferences->rowCount(); ++row) {
    QStringList cells;
    for (int column = 0; column < 4; ++column) cells << d.grdDifferences->item(row, column)->text();
    shown.rows << cells.join(QLatin1Char(' '));
  }
  return shown;
}

// Opens the dialog; `inDialog` runs in it once it has verified (before it is closed).
Shown OpenVerify(WindowUnderTest& w, const std::function<void(frmVerifyChip&)>& inDialog = {}) {
  Shown shown;
  w.services().onModal = [&](QDialog& dialog) {
    auto& d = static_cast<frmVerifyChip&>(dialog);
    shown = Read(d);
    if (inDialog) inDialog(d);
    d.cmdClose->click();
  };
  w.find<QAction>(QStringLiteral("mnuVerifyChip"))->trigger();
  return shown;
}

}  // namespace

class VerifyChipTest : public QObject {
  Q_OBJECT

 private slots:
  void allRegistersAgree();
  void aPowerCycleIsFoundAndWrittenBack();
  void theChipsValuesTakenIntoTheModel();
  void aFailingBoardEndsItWithTheReason();
  void lockedWhileARemoteClientHoldsTheWindow();
};

void VerifyChipTest::allRegistersAgree() {
  WindowUnderTest w(kZR820);
  steps::pickChannel(w, 39);
  steps::enterCode(w, 0, QStringLiteral("1234"));
  steps::press(w, QStringLiteral("cmdX1A"));
  const int yieldsBefore = w.services().processEventsCalls;
  const Shown shown = OpenVerify(w);
  // 40 channels of four registers, the control register, two offset DACs, five A/B selects.
  QCOMPARE(shown.result, QStringLiteral("All 168 registers agree"));
  QCOMPARE(shown.progress, 168);
  QCOMPARE(shown.progressMaximum, 168);
  QVERIFY(shown.rows.isEmpty());
  QVERIFY(!shown.writeEnabled);
  QVERIFY(!shown.takeEnabled);
  QVERIFY(w.services().processEventsCalls > yieldsBefore);  // the bar was repainted on the way
  QCOMPARE(w.services().modalWindows.back(), QStringLiteral("frmVerifyChip"));
}

void VerifyChipTest::aPowerCycleIsFoundAndWrittenBack() {
  WindowUnderTest w(kZR810);
  (void)w.session().writeRegister(9, ChannelRegister::M, 0x1000);
  w.session().chooseInputRegister(true);
  w.board().powerCycle();
  Shown afterWrite;
  const Shown shown = OpenVerify(w, [&](frmVerifyChip& d) {
    d.cmdWriteModel->click();
    afterWrite = Read(d);
  });
  QCOMPARE(shown.result, QStringLiteral("2 of 69 registers differ"));
  QCOMPARE(shown.rows,
           (QStringList{QStringLiteral("9 M 1000 FFFF"), QStringLiteral(" control 0004 0000")}));
  QVERIFY(shown.writeEnabled);
  QVERIFY(shown.takeEnabled);
  QCOMPARE(afterWrite.result, QStringLiteral("All 69 registers agree"));
  QVERIFY(afterWrite.rows.isEmpty());
  QCOMPARE(w.board().chip().gain[9], std::optional<uint16_t>(0x1000));
  QCOMPARE(static_cast<int>(w.board().chip().control), 0x0004);
}

void VerifyChipTest::theChipsValuesTakenIntoTheModel() {
  WindowUnderTest w(kZR810);
  steps::pickChannel(w, 3);
  steps::enterCode(w, 0, QStringLiteral("1234"));
  steps::press(w, QStringLiteral("cmdX1A"));
  QCOMPARE(steps::labelText(w, QStringLiteral("lblXA")), QStringLiteral("1234"));
  w.board().powerCycle();
  Shown afterTake;
  const Shown shown = OpenVerify(w, [&](frmVerifyChip& d) {
    d.cmdTakeChip->click();
    afterTake = Read(d);
  });
  QCOMPARE(shown.rows, QStringList{QStringLiteral("3 X1A 1234 8000")});
  QCOMPARE(afterTake.result, QStringLiteral("All 69 registers agree"));
  QCOMPARE(w.session().chip().DACs[3].X1A(), 0x8000);
  QCOMPARE(steps::labelText(w, QStringLiteral("lblXA")), QStringLiteral("8000"));
  QCOMPARE(steps::labelText(w, QStringLiteral("lblX2A")), QStringLiteral("8000"));
}

void VerifyChipTest::aFailingBoardEndsItWithTheReason() {
  WindowUnderTest w(kZR810);
  w.board().setBoardAttached(false);
  const Shown shown = OpenVerify(w);
  QCOMPARE(shown.result,
           QStringLiteral("The verification ended after 0 of 69 registers: request DD (word "
                          "050400) failed: no board attached"));
  QVERIFY(shown.rows.isEmpty());
  QVERIFY(!shown.takeEnabled);
}

// The verification sends requests and may write the chip: it is one of the controls a remote
// client's lock takes from the window.
void VerifyChipTest::lockedWhileARemoteClientHoldsTheWindow() {
  WindowUnderTest w(kZR810);
  QAction* verify = w.find<QAction>(QStringLiteral("mnuVerifyChip"));
  w.session().setRemoteMode(RemoteMode::Locked, "remote 127.0.0.1:40112");
  QVERIFY(!verify->isEnabled());
  w.session().setRemoteMode(RemoteMode::Local, "");
  QVERIFY(verify->isEnabled());
}

QTEST_MAIN(VerifyChipTest)
#include "test_verify_chip.moc"
