// The request log pane: View > Request Log shows and hides it, the window opens and stays as it
// always has while the pane is hidden, the table follows the log (newest last, following the end
// only while the operator is at it), failed requests stand out, and the exports write their files.

#include <QAbstractItemModelTester>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "c_array_export.h"
#include "csv_export.h"
#include "log_columns.h"
#include "request_log_pane.h"
#include "script_export.h"
#include "window_steps.h"

namespace {

constexpr int kZR810 = 0;

RequestLogPane* pane(WindowUnderTest& w) {
  return w.find<RequestLogPane>("RequestLogPane");
}

RequestLogPane* openPane(WindowUnderTest& w) {
  w.window().show();
  w.find<QAction>("mnuRequestLog")->trigger();
  return pane(w);
}

QString cell(RequestLogPane* p, int row, LogColumn column) {
  return p->model().index(row, static_cast<int>(column)).data().toString();
}

// The window's size and every control's place in it.
QList<QRect> windowGeometry(WindowUnderTest& w) {
  QList<QRect> rects{w.window().geometry(), w.window().centralWidget()->geometry()};
  for (QWidget* control : w.window().centralWidget()->findChildren<QWidget*>()) {
    rects << control->geometry();
  }
  return rects;
}

void directLoads(WindowUnderTest& w, int count) {
  const Session::Origin origin(w.session(), "test");
  for (int n = 0; n < count; ++n) (void)w.session().directLoad(0xC00000 + n);
}

QByteArray fileText(const QString& name) {
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class RequestLogTest : public QObject {
  Q_OBJECT

 private slots:
  void hiddenAtStartAndTheWindowStaysAsItIs();
  void closingThePaneUnchecksTheMenu();
  void rowsShowEachRequestWithItsAction();
  void followsTheEndOnlyWhileAtTheEnd();
  void failedRequestsStandOut();
  void rowsFollowTheRing();
  void exportsWriteTheLogsTexts_data();
  void exportsWriteTheLogsTexts();
  void exportsThatWriteNothing();
};

void RequestLogTest::hiddenAtStartAndTheWindowStaysAsItIs() {
  WindowUnderTest w(kZR810);
  w.window().show();
  QVERIFY(QTest::qWaitForWindowExposed(&w.window()));
  auto* menu = w.find<QAction>("mnuRequestLog");
  QVERIFY(menu->isCheckable());
  QVERIFY(!menu->isChecked());
  QVERIFY(pane(w)->isHidden());
  const QList<QRect> atStart = windowGeometry(w);
  // The window is its fixed client area with the menu and status bars: nothing else.
  QCOMPARE(w.window().height(), w.window().menuBar()->height() +
                                    w.window().centralWidget()->height() +
                                    w.window().statusBar()->height());

  menu->trigger();
  QVERIFY(menu->isChecked());
  QTRY_VERIFY(pane(w)->isVisible());
  QTRY_VERIFY(w.window().height() > atStart[0].height());  // the pane docks below
  QCOMPARE(w.window().centralWidget()->geometry(), atStart[1]);

  menu->trigger();
  QVERIFY(pane(w)->isHidden());
  QTRY_COMPARE(windowGeometry(w), atStart);
}

void RequestLogTest::closingThePaneUnchecksTheMenu() {
  WindowUnderTest w(kZR810);
  RequestLogPane* p = openPane(w);
  QVERIFY(p->isVisible());
  p->close();
  QVERIFY(!w.find<QAction>("mnuRequestLog")->isChecked());
  w.find<QAction>("mnuRequestLog")->trigger();
  QVERIFY(p->isVisible());
}

void RequestLogTest::rowsShowEachRequestWithItsAction() {
  WindowUnderTest w(kZR810);
  RequestLogPane* p = openPane(w);
  const int atStart = p->model().rowCount();
  QCOMPARE(cell(p, atStart - 1, LogColumn::Request), QStringLiteral("E0"));  // start-up
  steps::pickChannel(w, 9);
  steps::enterCode(w, 0, QStringLiteral("8000"));
  w.clearRequests();
  steps::press(w, QStringLiteral("cmdX1A"));
  steps::press(w, QStringLiteral("cmdLDAC"));
  QCOMPARE(p->model().rowCount(), atStart);  // the table waits for its refresh
  p->refresh();

  QCOMPARE(p->model().rowCount(), atStart + 2);
  const QStringList expected[] = {
      {QStringLiteral("DD"), QStringLiteral("00D1"), QStringLiteral("8000"), QStringLiteral("OK"),
       QStringLiteral("D18000"), QStringLiteral("X >>"), QStringLiteral("DAC9:X1A #H8000")},
      {QStringLiteral("DE"), QStringLiteral("0000"), QStringLiteral("0000"), QStringLiteral("OK"),
       QString(), QStringLiteral("Pulse LDAC"), QStringLiteral("LDAC")}};
  for (int i = 0; i < 2; ++i) {
    QStringList row;
    for (LogColumn column :
         {LogColumn::Request, LogColumn::Index, LogColumn::Value, LogColumn::Status,
          LogColumn::Word, LogColumn::Origin, LogColumn::Command}) {
      row << cell(p, atStart + i, column);
    }
    QCOMPARE(row, expected[i]);
  }
  QCOMPARE(w.wordsSent(), std::vector<int32_t>{0xD18000});
}

void RequestLogTest::followsTheEndOnlyWhileAtTheEnd() {
  WindowUnderTest w(kZR810);
  RequestLogPane* p = openPane(w);
  QScrollBar* bar = p->table()->verticalScrollBar();
  directLoads(w, 300);
  p->refresh();
  QVERIFY(bar->maximum() > 0);
  QCOMPARE(bar->value(), bar->maximum());

  bar->setValue(0);  // the operator reads the oldest rows
  directLoads(w, 50);
  p->refresh();
  QCOMPARE(bar->value(), 0);
  QCOMPARE(p->model().rowCount(), static_cast<int>(w.window().requestLog().entries().size()));

  QApplication::processEvents();  // the table lays out its new rows before the operator scrolls
  bar->setValue(bar->maximum());
  directLoads(w, 50);
  QTRY_COMPARE(p->model().rowCount(),
               static_cast<int>(w.window().requestLog().entries().size()));  // on its timer
  QCOMPARE(bar->value(), bar->maximum());
}

void RequestLogTest::failedRequestsStandOut() {
  WindowUnderTest w(kZR810);
  RequestLogPane* p = openPane(w);
  w.board().setBoardAttached(false);
  steps::press(w, QStringLiteral("cmdLDAC"));
  p->refresh();
  const int failed = p->model().rowCount() - 1;
  const QModelIndex status = p->model().index(failed, static_cast<int>(LogColumn::Status));
  QCOMPARE(status.data().toString(),
           QString::fromUtf8(RequestLogModel::kFailedMark) + QStringLiteral("no board attached"));
  for (int column = 0; column < kLogColumnCount; ++column) {
    const QModelIndex index = p->model().index(failed, column);
    QVERIFY(index.data(Qt::BackgroundRole).isValid());
    QVERIFY(index.data(Qt::ForegroundRole).isValid());
  }
  const QModelIndex good = p->model().index(failed - 1, static_cast<int>(LogColumn::Status));
  QCOMPARE(good.data().toString(), QStringLiteral("OK"));
  QVERIFY(!good.data(Qt::BackgroundRole).isValid());
}

// A log of four entries under a model checked by Qt's model tester: rows leave the top as the
// ring drops them and come in at the bottom, however far the log ran ahead between refreshes.
void RequestLogTest::rowsFollowTheRing() {
  SimulatedBoard board;
  BoardLink link(board);
  Session session(link, "/nonexistent");
  session.chooseModel(PartCatalogue()[kZR810]);
  RequestLog log(session, 4);
  RequestLogModel model(log);
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
  const auto loadAndRefresh = [&](int from, int count) {
    for (int n = from; n < from + count; ++n) (void)session.directLoad(n);
    model.refresh();
  };
  const auto words = [&] {
    QStringList shown;
    for (int row = 0; row < model.rowCount(); ++row) {
      shown << model.index(row, static_cast<int>(LogColumn::Word)).data().toString();
    }
    return shown;
  };
  loadAndRefresh(1, 3);
  QCOMPARE(words(), (QStringList{"000001", "000002", "000003"}));
  loadAndRefresh(4, 2);
  QCOMPARE(words(), (QStringList{"000002", "000003", "000004", "000005"}));
  loadAndRefresh(6, 9);
  QCOMPARE(words(), (QStringList{"00000B", "00000C", "00000D", "00000E"}));
  // Between refreshes the rows the log dropped show nothing rather than another row's request.
  (void)session.directLoad(0xF);
  QCOMPARE(model.index(0, static_cast<int>(LogColumn::Word)).data(), QVariant());
  QVERIFY(model.entryAt(0) == nullptr);
}

void RequestLogTest::exportsWriteTheLogsTexts_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<std::function<std::string(const RequestLog&)>>("text");
  QTest::newRow("CSV") << "cmdExportCsv"
                       << "Export CSV" << std::function<std::string(const RequestLog&)>(LogAsCsv);
  QTest::newRow("C array") << "cmdExportCArray"
                           << "Export C Array"
                           << std::function<std::string(const RequestLog&)>(
                                  [](const RequestLog& log) { return *WordsAsCArray(log); });
  QTest::newRow("script") << "cmdExportScript"
                          << "Export as Script"
                          << std::function<std::string(const RequestLog&)>(
                                 [](const RequestLog& log) { return SessionAsScript(log); });
}

void RequestLogTest::exportsWriteTheLogsTexts() {
  QFETCH(QString, button);
  QFETCH(QString, caption);
  QFETCH(std::function<std::string(const RequestLog&)>, text);
  WindowUnderTest w(kZR810);
  steps::enterCode(w, 0, QStringLiteral("1234"));
  steps::press(w, QStringLiteral("cmdX1A"));
  QTemporaryDir folder;
  w.services().fileAnswer = folder.filePath(QStringLiteral("export"));
  QFile(w.services().fileAnswer).open(QIODevice::WriteOnly);  // a file there already

  openPane(w)->findChild<QPushButton*>(button)->click();

  QCOMPARE(w.services().fileDialogs, std::vector<QString>{caption});
  QVERIFY(w.services().messages.empty());
  QCOMPARE(fileText(w.services().fileAnswer),
           QByteArray::fromStdString(text(w.window().requestLog())));
}

void RequestLogTest::exportsThatWriteNothing() {
  WindowUnderTest w(kZR810);
  RequestLogPane* p = openPane(w);
  QTemporaryDir folder;
  // No word sent since start-up: no array, and no file dialog.
  w.services().fileAnswer = folder.filePath(QStringLiteral("words.c"));
  p->findChild<QPushButton*>("cmdExportCArray")->click();
  QVERIFY(w.services().fileDialogs.empty());
  QCOMPARE(w.services().messages.size(), std::size_t{1});
  QCOMPARE(w.services().messages[0].text,
           QStringLiteral("The request log holds no words to export."));
  // Cancelled.
  w.services().fileAnswer.clear();
  p->findChild<QPushButton*>("cmdExportCsv")->click();
  QCOMPARE(w.services().messages.size(), std::size_t{1});
  // A folder that is not there: the message names the file, and nothing is written.
  w.services().fileAnswer = folder.filePath(QStringLiteral("missing/log.csv"));
  p->findChild<QPushButton*>("cmdExportCsv")->click();
  QCOMPARE(w.services().messages.size(), std::size_t{2});
  QVERIFY(w.services().messages[1].text.startsWith(w.services().fileAnswer +
                                                   QStringLiteral(" could not be written: ")));
  QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
}

QTEST_MAIN(RequestLogTest)
#include "test_request_log.moc"
