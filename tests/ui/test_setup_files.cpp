// File > "Save Setup..." and "Load Setup...": a window's setup saved and loaded into another
// window, whose displays follow; refused files as a message with nothing sent or changed.

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "reference_text.h"
#include "session_bench.h"
#include "setup_file.h"
#include "setup_scenes.h"
#include "ui_test_support.h"
#include "window_steps.h"

using namespace steps;

namespace {

constexpr int kZR810 = 0;
constexpr int kZR812 = 2;

void trigger(WindowUnderTest& w, const char* action) {
  w.find<QAction>(QLatin1String(action))->trigger();
}

// What the window shows of the chip-facing state: the selected channel's registers, the offset
// DACs and references (as numbers), the route, the monitor and the GPIO mode.
QStringList Displays(WindowUnderTest& w) {
  QStringList shown;
  for (const char* label :
       {"lblXA", "lblXB", "lblX2A", "lblX2B", "lblM", "lblC", "DACregister", "lblOutputCode"}) {
    shown << labelText(w, QLatin1String(label));
  }
  for (int k = 0; k < 2; ++k) {
    shown << w.find<QLineEdit>(indexed("txtOffsetValue", k))->text();
    const QString vref = w.find<QLineEdit>(indexed("txtVREF", k))->text();
    shown << QString::number(ParseReferenceVoltage(vref.toStdString()).value_or(-1));
  }
  shown << QString::number(w.find<QRadioButton>(indexed("optAB", 1))->isChecked());
  shown << QString::number(w.find<QComboBox>(QStringLiteral("cboDisable"))->currentIndex());
  shown << QString::number(w.find<QComboBox>(QStringLiteral("cboMonChannel"))->currentIndex());
  shown << QString::number(w.find<QRadioButton>(indexed("chkGPIO", 2))->isChecked());
  return shown;
}

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class SetupFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void savedSetupLoadsIntoAnotherWindowAndTheDisplaysFollow();
  void refusedFileIsAMessageAndChangesNothing_data();
  void refusedFileIsAMessageAndChangesNothing();
  void cancelledDialogsDoNothing();
  void setupWithAReferenceThatIsNotANumberIsNotSaved();
};

void SetupFilesTest::savedSetupLoadsIntoAnotherWindowAndTheDisplaysFollow() {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bench.json"));
  WindowUnderTest saved(kZR812);
  ScrambleSession(saved.session(), 51);
  // The last word shown is the GPIO or monitor word the restore ends with.
  QVERIFY(!saved.session().setMonitorEnabled(true));
  QVERIFY(!saved.session().setGpioMode(GpioMode::OutputHigh));
  saved.services().fileAnswer = path;
  trigger(saved, "mnuSaveSetup");
  QCOMPARE(saved.services().fileDialogs, std::vector<QString>{QStringLiteral("Save Setup")});
  QVERIFY(saved.services().messages.empty());

  WindowUnderTest loaded(kZR812);
  const QStringList before = Displays(loaded);
  loaded.clearRequests();
  loaded.services().fileAnswer = path;
  trigger(loaded, "mnuLoadSetup");
  QVERIFY(loaded.services().messages.empty());
  QCOMPARE(ModelDifference(saved.session(), loaded.session()), std::string());
  QVERIFY(!loaded.wordsSent().empty());
  QCOMPARE(Displays(loaded), Displays(saved));
  QVERIFY(Displays(loaded) != before);

  // Saved again, the same file.
  const QString again = dir.filePath(QStringLiteral("again.json"));
  loaded.services().fileAnswer = again;
  trigger(loaded, "mnuSaveSetup");
  QCOMPARE(Contents(again), Contents(path));
}

void SetupFilesTest::refusedFileIsAMessageAndChangesNothing_data() {
  QTest::addColumn<QByteArray>("contents");
  QTest::addColumn<QString>("message");
  SessionBench other("ZR810");
  SavedSetup setup;
  QVERIFY(!CaptureSetup(other.session, setup));
  QTest::newRow("another model") << WriteSetup(setup)
                                 << QStringLiteral("the setup is for ZR810, not for ZR812");
  QTest::newRow("not JSON") << QByteArray("model = ZR812\n")
                            << QStringLiteral("line 1, column 1: ");
}

void SetupFilesTest::refusedFileIsAMessageAndChangesNothing() {
  QFETCH(QByteArray, contents);
  QFETCH(QString, message);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bad.json"));
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(contents);
  file.close();
  WindowUnderTest w(kZR812);
  ScrambleSession(w.session(), 52);
  SessionBench twin("ZR812");
  ScrambleSession(twin.session, 52);
  const QStringList before = Displays(w);
  w.clearRequests();

  w.services().fileAnswer = path;
  trigger(w, "mnuLoadSetup");
  QCOMPARE(w.services().messages.size(), size_t{1});
  const RecordedMessage& shown = w.services().messages.front();
  QVERIFY2(shown.text.startsWith(message), qPrintable(shown.text));
  QCOMPARE(shown.title, QStringLiteral("Load Setup"));
  QCOMPARE(shown.icon, MessageIcon::Exclamation);
  QVERIFY(w.requestCodes().empty());
  QCOMPARE(ModelDifference(w.session(), twin.session), std::string());
  QCOMPARE(Displays(w), before);
}

void SetupFilesTest::cancelledDialogsDoNothing() {
  WindowUnderTest w(kZR810);
  w.clearRequests();
  trigger(w, "mnuSaveSetup");
  trigger(w, "mnuLoadSetup");
  QCOMPARE(w.services().fileDialogs,
           (std::vector<QString>{QStringLiteral("Save Setup"), QStringLiteral("Load Setup")}));
  QVERIFY(w.services().messages.empty());
  QVERIFY(w.requestCodes().empty());
}

void SetupFilesTest::setupWithAReferenceThatIsNotANumberIsNotSaved() {
  WindowUnderTest w(kZR810);
  WindowUnderTest::setText(w.find<QLineEdit>(indexed("txtVREF", 1)), QStringLiteral("5 V"));
  trigger(w, "mnuSaveSetup");
  QVERIFY(w.services().fileDialogs.empty());
  QCOMPARE(w.services().messages.size(), size_t{1});
  QCOMPARE(w.services().messages.front().text,
           QStringLiteral("VREF1 is \"5 V\", not a voltage: the setup was not saved"));
}

QTEST_MAIN(SetupFilesTest)
#include "test_setup_files.moc"
