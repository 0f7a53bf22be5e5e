// The Output Voltages tab's chart: made when the tab is first shown, one bar per channel with its
// output, the limits as marks, the names on the axis; it follows writes from anywhere, repainting
// once per screen frame however many changes came in it.

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QLabel>
#include <QScatterSeries>
#include <QTabWidget>
#include <QToolTip>
#include <QtTest>

#include "output_chart.h"
#include "ui_test_support.h"

namespace {
constexpr int kZR812 = 2;  // 8 channels, 4 to 7 in records 8 to 11
constexpr int kOutputVoltagesTab = 3;
}  // namespace

class OutputChartTest : public QObject {
  Q_OBJECT

 private slots:
  void madeOnFirstShowingWithABarPerChannel();
  void followsOutputsLimitsAndNames();
  void repaintsOncePerScreenFrame();
  void labelsEveryBarWhateverTheNames();
};

void OutputChartTest::madeOnFirstShowingWithABarPerChannel() {
  WindowUnderTest w(kZR812);
  QVERIFY(w.window().findChild<OutputChart*>(QStringLiteral("chtOutputs")) == nullptr);
  w.find<QTabWidget>(QStringLiteral("SSTab1"))->setCurrentIndex(kOutputVoltagesTab);
  OutputChart* chart = w.window().findChild<OutputChart*>(QStringLiteral("chtOutputs"));
  QVERIFY(chart != nullptr);
  QVERIFY(!chart->isHidden());
  QCOMPARE(chart->outputs()->count(), 8);
  QCOMPARE(chart->channelAxis()->categories().size(), 8);
  // Below the labels: the lowest row of labels ends above the chart.
  QVERIFY(chart->geometry().top() >=
          w.find<QLabel>(QStringLiteral("lblvout(39)"))->geometry().bottom());
}

void OutputChartTest::followsOutputsLimitsAndNames() {
  WindowUnderTest w(kZR812);
  w.find<QTabWidget>(QStringLiteral("SSTab1"))->setCurrentIndex(kOutputVoltagesTab);
  OutputChart* chart = w.window().findChild<OutputChart*>(QStringLiteral("chtOutputs"));
  QVERIFY(w.session().writeVoltage(9, 2.5) == std::nullopt);  // channel 5
  QVERIFY(chart->outputs()->at(5) == 0.0);                    // not before the LDAC
  QVERIFY(w.session().pulseLdac() == std::nullopt);
  QVERIFY(w.session().setChannelName(9, "mirror x") == std::nullopt);
  QVERIFY(w.session().setChannelLimit(9, Session::LimitSide::Upper, 3.0) == std::nullopt);
  QVERIFY(w.session().setChannelLimit(0, Session::LimitSide::Lower, -1.0) == std::nullopt);
  QVERIFY(QTest::qWaitFor([&] { return chart->outputs()->at(5) == 2.5; }, 2000));
  QCOMPARE(chart->channelAxis()->categories().at(5), QStringLiteral("5: mirror x"));
  QCOMPARE(chart->channelAxis()->categories().at(4), QStringLiteral("4"));
  QCOMPARE(chart->highLimits()->points(), (QList<QPointF>{QPointF(5, 3.0)}));
  QCOMPARE(chart->lowLimits()->points(), (QList<QPointF>{QPointF(0, -1.0)}));
}

void OutputChartTest::repaintsOncePerScreenFrame() {
  WindowUnderTest w(kZR812);
  w.find<QTabWidget>(QStringLiteral("SSTab1"))->setCurrentIndex(kOutputVoltagesTab);
  OutputChart* chart = w.window().findChild<OutputChart*>(QStringLiteral("chtOutputs"));
  QTest::qWait(50);
  const int before = chart->refreshes();
  for (int i = 0; i < 1000; ++i) {
    QVERIFY(w.session().writeVoltage(0, i % 2 == 0 ? 1.25 : -1.25) == std::nullopt);
    QVERIFY(w.session().pulseLdac() == std::nullopt);
  }
  QVERIFY(QTest::qWaitFor([&] { return chart->refreshes() > before; }, 2000));
  QTest::qWait(50);
  QCOMPARE(chart->refreshes(), before + 1);
  QCOMPARE(chart->outputs()->at(0), -1.25);
}

// Names that repeat, or that read as another channel's number, still give each bar its own
// label in its place (the axis takes a label once only); a bar's tooltip says it all.
void OutputChartTest::labelsEveryBarWhateverTheNames() {
  WindowUnderTest w(kZR812);
  w.find<QTabWidget>(QStringLiteral("SSTab1"))->setCurrentIndex(kOutputVoltagesTab);
  OutputChart* chart = w.window().findChild<OutputChart*>(QStringLiteral("chtOutputs"));
  QVERIFY(w.session().setChannelName(0, "spare") == std::nullopt);
  QVERIFY(w.session().setChannelName(1, "spare") == std::nullopt);
  QVERIFY(w.session().setChannelName(3, "2") == std::nullopt);
  QVERIFY(w.session().setChannelName(11, "mirror y") == std::nullopt);  // channel 7
  QVERIFY(w.session().setChannelLimit(11, Session::LimitSide::Upper, 3.0) == std::nullopt);
  QVERIFY(w.session().writeVoltage(11, -2.5) == std::nullopt);
  QVERIFY(w.session().pulseLdac() == std::nullopt);
  QVERIFY(QTest::qWaitFor([&] { return chart->outputs()->at(7) == -2.5; }, 2000));
  QCOMPARE(chart->channelAxis()->categories(),
           (QStringList{"0: spare", "1: spare", "2", "3: 2", "4", "5", "6", "7: mirror y"}));
  QCOMPARE(chart->barText(7),
           QStringLiteral("channel 7 (mirror y): -2.5000 V, limits: at most 3 V"));
  QCOMPARE(chart->barText(2), QStringLiteral("channel 2: 0.0000 V"));
  // The mouse resting on bar 7, then leaving it.
  emit chart->outputs()->hovered(true, 7);
  QHelpEvent rest(QEvent::ToolTip, QPoint(5, 5), chart->viewport()->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(chart->viewport(), &rest);
  QVERIFY(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 2000));
  QCOMPARE(QToolTip::text(), chart->barText(7));
  emit chart->outputs()->hovered(false, 7);
  QVERIFY(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
}

QTEST_MAIN(OutputChartTest)
#include "test_output_chart.moc"
