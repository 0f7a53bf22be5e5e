// The request log pane: View > Request Log shows and hides it, the window opens and stays as it
// always has while it is hidden, the table follows the log (newest last, following the end only
// while the operator is at it), failed requests stand out, and the exports write their files.

#include <QAbstractItemModelTester>
#include <QAction>
#include <QDir>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>

#include "c_array_export.h"
#include "csv_export.h"
#include "log_columns.h"
#include "request_log_pane.h"
#include "script_export.h"
#include "window_steps.h"

namespace {

constexpr int kZR810 = 0;

RequestLogPane* openPane(WindowUnderTest& w) {
  w.window().show();
  w.find<QAction>("mnuRequestLog")->trigger();
  return w.find<RequestLogPane>("RequestLogPane");
}

QStringList row(RequestLogPane* p, int n, std::initializer_list<LogColumn> columns) {
  QStringList texts;
  for (LogColumn c : columns) texts << p->model().index(n, static_cast<int>(c)).data().toString();
  return texts;
}

// The window's size and every control's place in it.
QList<QRect> windowGeometry(WindowUnderTest& w) {
  QList<QRect> rects{w.window().geometry()};
  for (QWidget* control : w.window().centralWidget()->findChildren<QWidget*>()) {
    rects << control->geometry();
  }
  return rects;
}

void directLoads(WindowUnderTest& w, int count) {
  for (int n = 0; n < count; ++n) (void)w.session().directLoad(0xC00000 + n);
}

}  // namespace

class RequestLogTest : public QObject {
  Q_OBJECT

 private slots:
  void hiddenAtStartAndTheWindowStaysAsItIs();
  void rowsShowEachRequestAndFailuresStandOut();
  void followsTheEndOnlyWhileAtTheEnd();
  void rowsFollowTheRing();
  void originsNameTheControlsAsTheOperatorSeesThem();
  void exportsWriteTheLogsTexts_data();
  void exportsWriteTheLogsTexts();
};

void RequestLogTest::hiddenAtStartAndTheWindowStaysAsItIs() {
  WindowUnderTest w(kZR810);
  w.window().show();
  auto* menu = w.find<QAction>("mnuRequestLog");
  QVERIFY(menu->isCheckable() && !menu->isChecked());
  QVERIFY(w.find<RequestLogPane>("RequestLogPane")->isHidden());
  const QList<QRect> atStart = windowGeometry(w);
  // The window is its fixed client area with the menu and status bars: nothing else.
  QCOMPARE(w.window().height(), w.window().menuBar()->height() +
                                    w.window().centralWidget()->height() +
                                    w.window().statusBar()->height());

  RequestLogPane* pane = openPane(w);
  QVERIFY(menu->isChecked());
  QTRY_VERIFY(w.window().height() > atStart[0].height());  // the pane docks below
  pane->close();                                           // its own close button
  QVERIFY(!menu->isChecked());
  QTRY_COMPARE(windowGeometry(w), atStart);
  menu->trigger();
  QVERIFY(pane->isVisible());
  menu->trigger();
  QVERIFY(pane->isHidden());
}

void RequestLogTest::rowsShowEachRequestAndFailuresStandOut() {
  WindowUnderTest w(kZR810);
  RequestLogPane* p = openPane(w);
  const int atStart = p->model().rowCount();
  steps::pickChannel(w, 9);
  steps::enterCode(w, 0, QStringLiteral("8000"));
  steps::press(w, QStringLiteral("cmdX1A"));
  w.board().setBoardAttached(false);
  steps::press(w, QStringLiteral("cmdLDAC"));
  QCOMPARE(p->model().rowCount(), atStart);  // the table waits for its refresh
  p->refresh();

  QCOMPARE(p->model().rowCount(), atStart + 2);
  const auto columns = {LogColumn::Request, LogColumn::Index,  LogColumn::Value,  LogColumn::Status,
                        LogColumn::Word,    LogColumn::Origin, LogColumn::Command};
  QCOMPARE(row(p, atStart, columns),
           (QStringList{"DD", "00D1", "8000", "OK", "D18000", "X >>", "DAC9:X1A #H8000"}));
  QCOMPARE(row(p, atStart + 1, columns),
           (QStringList{"DE", "0000", "0000",
                        QString::fromUtf8(RequestLogModel::kFailedMark) + "no board attached", "",
                        "Pulse LDAC", "LDAC"}));
  for (int column = 0; column < kLogColumnCount; ++column) {
    QVERIFY(!p->model().index(atStart, column).data(Qt::BackgroundRole).isValid());
    QVERIFY(p->model().index(atStart + 1, column).data(Qt::BackgroundRole).isValid());
  }
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
  QApplication::processEvents();  // the table lays out its new rows before the operator scrolls
  bar->setValue(bar->maximum());
  directLoads(w, 50);
  QTRY_COMPARE(p->model().rowCount(), 401);  // on the pane's timer
  QCOMPARE(bar->value(), bar->maximum());
}

// The radio options of the block diagram have no caption of their own: the origin is the label the
// operator reads beside them, never an object name.
void RequestLogTest::originsNameTheControlsAsTheOperatorSeesThem() {
  WindowUnderTest w(kZR810);
  RequestLogPane* p = openPane(w);
  steps::pickChannel(w, 3);
  const struct {
    const char* option;
    const char* origin;
    const char* command;
  } clicks[] = {{"optAB(1)", "B", "CONT:INP B"},
                {"optAB(0)", "A", "CONT:INP A"},
                {"DACoptMux2(1)", "X2B", "DAC3:ABS B"},
                {"DACoptMux2(0)", "X2A", "DAC3:ABS A"}};
  for (const auto& click : clicks) {
    const int before = p->model().rowCount();
    w.find<QRadioButton>(click.option)->click();
    p->refresh();
    QVERIFY2(p->model().rowCount() > before, click.option);
    QCOMPARE(row(p, p->model().rowCount() - 1, {LogColumn::Origin, LogColumn::Command}),
             (QStringList{click.origin, click.command}));
  }
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
  const auto loadAndShow = [&](int from, int count) {
    for (int n = from; n < from + count; ++n) (void)session.directLoad(n);
    model.refresh();
    QStringList words;
    for (int r = 0; r < model.rowCount(); ++r) {
      words << model.index(r, static_cast<int>(LogColumn::Word)).data().toString();
    }
    return words;
  };
  QCOMPARE(loadAndShow(1, 3), (QStringList{"000001", "000002", "000003"}));
  QCOMPARE(loadAndShow(4, 2), (QStringList{"000002", "000003", "000004", "000005"}));
  QCOMPARE(loadAndShow(6, 9), (QStringList{"00000B", "00000C", "00000D", "00000E"}));
  // Between refreshes a row the log dropped shows nothing rather than another request.
  (void)session.directLoad(0xF);
  QCOMPARE(model.index(0, static_cast<int>(LogColumn::Word)).data(), QVariant());
}

void RequestLogTest::exportsWriteTheLogsTexts_data() {
  using Text = std::function<std::optional<std::string>(const RequestLog&)>;
  QTest::addColumn<QString>("button");
  QTest::addColumn<bool>("write");  // a word written before the export
  QTest::addColumn<QString>("file");
  QTest::addColumn<Text>("text");  // nothing: no file is written
  QTest::addColumn<QString>("message");
  const Text csv = [](const RequestLog& log) { return LogAsCsv(log); };
  const Text script = [](const RequestLog& log) { return SessionAsScript(log); };
  QTest::newRow("CSV") << "cmdExportCsv" << true << "log.csv" << csv << "";
  QTest::newRow("C array") << "cmdExportCArray" << true << "words.c" << Text(WordsAsCArray) << "";
  QTest::newRow("script") << "cmdExportScript" << true << "session.py" << script << "";
  QTest::newRow("no word for an array") << "cmdExportCArray" << false << "words.c" << Text()
                                        << "The request log holds no words to export.";
  QTest::newRow("cancelled") << "cmdExportCsv" << true << "" << Text() << "";
  QTest::newRow("no such folder") << "cmdExportCsv" << true << "missing/log.csv" << Text()
                                  << "missing/log.csv could not be written: ";
}

void RequestLogTest::exportsWriteTheLogsTexts() {
  QFETCH(QString, button);
  QFETCH(bool, write);
  QFETCH(QString, file);
  QFETCH(std::function<std::optional<std::string>(const RequestLog&)>, text);
  QFETCH(QString, message);
  WindowUnderTest w(kZR810);
  if (write) steps::press(w, QStringLiteral("cmdX1A"));
  QTemporaryDir folder;
  w.services().fileAnswer = file.isEmpty() ? QString() : folder.filePath(file);

  openPane(w)->findChild<QPushButton*>(button)->click();

  const auto& messages = w.services().messages;
  QCOMPARE(messages.size(), std::size_t{message.isEmpty() ? 0u : 1u});
  if (!message.isEmpty())
    QVERIFY2(messages[0].text.contains(message), qPrintable(messages[0].text));
  const QStringList written = QDir(folder.path()).entryList(QDir::Files);
  QCOMPARE(written, text ? QStringList{file} : QStringList{});
  if (!text) return;
  QFile saved(folder.filePath(file));
  QVERIFY(saved.open(QIODevice::ReadOnly));
  QCOMPARE(saved.readAll(), QByteArray::fromStdString(*text(w.requestLog())));
}

QTEST_MAIN(RequestLogTest)
#include "test_request_log.moc"
