// Tools > Sequence...: a CSV file loaded into the table and the plot, a refused file shown with
// nothing changed; Start plays it on the event loop with the chip controls locked and Stop the
// only way in, the progress bar following; the Apply Frame of the channels pane writes one frame.

#include <QChart>
#include <QLineSeries>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "channels_pane.h"
#include "command_word.h"
#include "event_loop_timer.h"
#include "sequence_pane.h"
#include "ui_test_support.h"
#include "window_steps.h"

namespace {
constexpr int kZR810 = 0;

QString WriteFile(const QTemporaryDir& dir, const char* name, const QByteArray& text) {
  const QString path = dir.filePath(QString::fromLatin1(name));
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(text);
  return path;
}
}  // namespace

class SequenceTest : public QObject {
  Q_OBJECT

 private slots:
  void loadsATableAndAPlot();
  void aRefusedFileChangesNothing();
  void playsWithTheChipControlsLockedUntilItEnds();
  void stopEndsItAndUnlocks();
  void applyFrameWritesOneFrame();
};

void SequenceTest::loadsATableAndAPlot() {
  WindowUnderTest w(kZR810);
  QVERIFY(w.session().setChannelName(3, "bias") == std::nullopt);
  QTemporaryDir dir;
  w.services().fileAnswer =
      WriteFile(dir, "steps.csv", "dwell_s,0,bias\n0.01,1,2\n0.02,-1,0\n0.01,0,0\n");
  w.find<QAction>(QStringLiteral("mnuSequence"))->trigger();
  SequencePane* pane = w.find<SequencePane>(QStringLiteral("SequencePane"));
  QVERIFY(!pane->isHidden());
  pane->loadButton()->click();
  QCOMPARE(w.services().fileDialogs.back(), QStringLiteral("Load Sequence"));
  QVERIFY(w.services().messages.empty());
  QCOMPARE(pane->table()->rowCount(), 3);
  QCOMPARE(pane->table()->horizontalHeaderItem(2)->text(), QStringLiteral("3 bias"));
  QCOMPARE(pane->table()->item(1, 1)->text(), QStringLiteral("-1"));
  QCOMPARE(w.session().sequencer().frames().size(), 3u);
  // Two channels and the marker; the step lines hold each frame until the next.
  QCOMPARE(pane->chart()->series().size(), 3);
  auto* first = static_cast<QLineSeries*>(pane->chart()->series().front());
  QCOMPARE(first->points().size(), 6);
  QCOMPARE(first->points()[2], QPointF(0.01, -1.0));
  QVERIFY(w.requests().empty() || w.wordsSent().empty());
}

void SequenceTest::aRefusedFileChangesNothing() {
  WindowUnderTest w(kZR810);
  QTemporaryDir dir;
  w.services().fileAnswer = WriteFile(dir, "good.csv", "dwell_s,0\n0.01,1\n");
  w.find<SequencePane>(QStringLiteral("SequencePane"))->loadButton()->click();
  w.services().fileAnswer = WriteFile(dir, "bad.csv", "dwell_s,0\n0.01,1\n0.01,one\n");
  w.find<SequencePane>(QStringLiteral("SequencePane"))->loadButton()->click();
  QCOMPARE(w.services().messages.size(), 1u);
  QCOMPARE(w.services().messages[0].text, QStringLiteral("bad.csv, line 3: \"one\" is not volts"));
  QCOMPARE(w.session().sequencer().frames().size(), 1u);
}

void SequenceTest::playsWithTheChipControlsLockedUntilItEnds() {
  WindowUnderTest w(kZR810);
  EventLoopTimer timer;
  w.session().sequencer().setTimer(&timer);
  QTemporaryDir dir;
  w.services().fileAnswer = WriteFile(dir, "s.csv", "dwell_s,0,1\n0.01,1,2\n0.01,-1,0\n");
  SequencePane* pane = w.find<SequencePane>(QStringLiteral("SequencePane"));
  pane->loadButton()->click();
  pane->repeatBox()->setValue(2);
  w.clearRequests();
  pane->startButton()->click();
  QVERIFY(w.session().sequencer().running());
  QVERIFY(!w.find<QPushButton>(QStringLiteral("cmdX1A"))->isEnabled());
  QVERIFY(!pane->startButton()->isEnabled());
  QVERIFY(pane->stopButton()->isEnabled());
  QVERIFY(QTest::qWaitFor([&] { return !w.session().sequencer().running(); }, 10000));
  QCOMPARE(w.chip().ldacPulses, 4);
  QCOMPARE(pane->progress()->value(), 0);
  QVERIFY(w.find<QPushButton>(QStringLiteral("cmdX1A"))->isEnabled());
  QVERIFY(pane->startButton()->isEnabled());
  QVERIFY(!pane->stopButton()->isEnabled());
  // The last frame left channel 1 at 0 V, as the register model and the chip have it.
  QCOMPARE(OutputVoltage(w.session().chip(), 1, w.session().references()), 0.0);
  QVERIFY(w.services().messages.empty());
}

void SequenceTest::stopEndsItAndUnlocks() {
  WindowUnderTest w(kZR810);
  EventLoopTimer timer;
  w.session().sequencer().setTimer(&timer);
  QTemporaryDir dir;
  w.services().fileAnswer = WriteFile(dir, "s.csv", "dwell_s,0\n0.005,1\n0.005,-1\n");
  SequencePane* pane = w.find<SequencePane>(QStringLiteral("SequencePane"));
  pane->loadButton()->click();
  pane->repeatBox()->setValue(0);  // for ever
  pane->startButton()->click();
  QVERIFY(QTest::qWaitFor([&] { return w.chip().ldacPulses >= 5; }, 10000));
  QVERIFY(pane->progress()->value() >= 1);
  pane->stopButton()->click();
  QVERIFY(!w.session().sequencer().running());
  const int pulses = w.chip().ldacPulses;
  QTest::qWait(30);
  QCOMPARE(w.chip().ldacPulses, pulses);
  QVERIFY(w.find<QPushButton>(QStringLiteral("cmdLDAC"))->isEnabled());
}

void SequenceTest::applyFrameWritesOneFrame() {
  WindowUnderTest w(kZR810);
  w.find<QAction>(QStringLiteral("mnuChannels"))->trigger();
  QTableWidget* table = w.find<ChannelsPane>(QStringLiteral("ChannelsPane"))->table();
  table->item(2, ChannelsPane::kFrameColumn)->setText(QStringLiteral("2.5"));
  table->item(9, ChannelsPane::kFrameColumn)->setText(QStringLiteral("-2.5"));
  w.clearRequests();
  w.find<ChannelsPane>(QStringLiteral("ChannelsPane"))->applyFrameButton()->click();
  QCOMPARE(w.wordsSent(), (std::vector<int32_t>{ChannelRegisterWord(Mode::X, 0xA000, 2, 16),
                                                ChannelRegisterWord(Mode::X, 0x6000, 9, 16)}));
  QCOMPARE(w.chip().ldacPulses, 1);
  QCOMPARE(table->item(9, ChannelsPane::kOutputColumn)->text(), QStringLiteral("-2.5000"));
  // Refused as a whole: a limit, and nothing is sent.
  QVERIFY(w.session().setChannelLimit(9, Session::LimitSide::Lower, -1.0) == std::nullopt);
  table->item(9, ChannelsPane::kFrameColumn)->setText(QStringLiteral("-1.25"));
  w.clearRequests();
  w.find<ChannelsPane>(QStringLiteral("ChannelsPane"))->applyFrameButton()->click();
  QVERIFY(w.requests().empty());
  QCOMPARE(w.services().messages.back().text,
           QStringLiteral("channel 9 would reach -1.25 V, outside its range at least -1 V"));
}

QTEST_MAIN(SequenceTest)
#include "test_sequence.moc"
