// A recorded session replayed end to end: the operator works the window through its controls,
// the request log's "Export as Script..." writes the session as a Python script, and Debian's
// Python runs it with pyvisa-py against a second program, headless on its own simulated board.
// That board then holds the very words the window's board received, in the same order.

#include <QComboBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "request_log_pane.h"
#include "window_steps.h"

namespace {

constexpr int kZR813 = 3;  // 14 bits, eight channels (4 to 7 in records 8 to 11), monitor, GPIO
constexpr int kTimeoutMs = 60000;

using Words = std::vector<int32_t>;

// dac-eval --headless on its simulated board, with remote control on a free port.
class HeadlessProgram {
 public:
  explicit HeadlessProgram(const QString& model) {
    program_.start(QStringLiteral(DAC_EVAL_PROGRAM),
                   {QStringLiteral("--headless"), QStringLiteral("--simulate"),
                    QStringLiteral("--model"), model, QStringLiteral("--remote=0")});
    static const QRegularExpression kListening(QStringLiteral("listening on [^:]+:(\\d+)"));
    while (program_.waitForReadyRead(kTimeoutMs) && !program_.canReadLine()) {
    }
    const QRegularExpressionMatch match = kListening.match(program_.readLine());
    if (match.hasMatch()) port_ = match.captured(1).toUShort();
  }
  ~HeadlessProgram() {
    program_.terminate();
    if (!program_.waitForFinished(10000)) program_.kill();
  }

  bool listening() const { return port_ != 0; }
  QString resource() const { return QStringLiteral("TCPIP::127.0.0.1::%1::SOCKET").arg(port_); }

  // The words its simulated board received, asked over remote control.
  Words boardWords() {
    QTcpSocket client;
    client.connectToHost(QStringLiteral("127.0.0.1"), port_);
    if (!client.waitForConnected(kTimeoutMs)) return {-1};
    client.write("BOARd:SIMulation:WORDs?\n");
    while (!client.canReadLine() && client.waitForReadyRead(kTimeoutMs)) {
    }
    Words words;
    const QByteArray reply = client.readLine().trimmed();
    for (const QByteArray& word : reply.split(',')) {
      if (!word.isEmpty()) words.push_back(word.toInt());
    }
    return words;
  }

 private:
  QProcess program_;
  quint16 port_ = 0;
};

struct ScriptRun {
  int exitCode = -1;
  QString errors;
};

ScriptRun RunScript(const QString& script, const QString& resource) {
  QProcess python;
  python.start(QStringLiteral(DAC_EVAL_PYTHON), {script, resource});
  if (!python.waitForFinished(kTimeoutMs)) {
    python.kill();
    return {-1, QStringLiteral("the script did not end")};
  }
  const int code = python.exitStatus() == QProcess::NormalExit ? python.exitCode() : -1;
  return {code, QString::fromUtf8(python.readAllStandardError())};
}

void choose(QComboBox* list, int item) {
  list->setCurrentIndex(item);
  Q_EMIT list->activated(item);
}

// What the operator does: writes on several channels and registers, both input registers, the
// A/B source, a write refused for its width, an LDAC pulse in the middle of a write, the offset
// DACs, the monitor and GPIO, the LDAC line held low and released, a RESET pulse, a reference,
// and a direct load.
void OperatorSession(WindowUnderTest& w) {
  using steps::enterCode;
  using steps::press;
  steps::pickChannel(w, 1);
  enterCode(w, 0, QStringLiteral("1234"));
  press(w, QStringLiteral("cmdX1A"));
  steps::chooseInputRegister(w, true);
  enterCode(w, 1, QStringLiteral("0ABC"));
  press(w, QStringLiteral("cmdX1A"));
  steps::pickChannel(w, 8);  // captioned DAC4
  enterCode(w, 2, QStringLiteral("3000"));
  press(w, QStringLiteral("cmdM"));
  enterCode(w, 3, QStringLiteral("2100"));
  press(w, QStringLiteral("cmdC"));
  steps::chooseDacSource(w, true);
  enterCode(w, 4, QStringLiteral("FFFF"));
  press(w, QStringLiteral("cmdX1A"));  // refused: wider than 14 bits
  steps::insideYield(w, [&w] { press(w, QStringLiteral("cmdLDAC")); });
  enterCode(w, 5, QStringLiteral("0100"));
  press(w, QStringLiteral("cmdX1A"));
  steps::chooseInputRegister(w, false);
  WindowUnderTest::setText(w.find<QWidget>("txtOffsetValue(1)"), QStringLiteral("2AB0"));
  press(w, QStringLiteral("cmdOFFSET(1)"));
  choose(w.find<QComboBox>("cboDisable"), 1);
  choose(w.find<QComboBox>("cboMonChannel"), 5);
  w.find<QRadioButton>("chkGPIO(2)")->click();
  press(w, QStringLiteral("cmdGPIOread"));
  press(w, QStringLiteral("cmdRESET(5)"));  // LDAC held low
  steps::pickChannel(w, 2);
  enterCode(w, 0, QStringLiteral("0042"));
  press(w, QStringLiteral("cmdX1A"));
  press(w, QStringLiteral("cmdRESET(4)"));  // and released
  press(w, QStringLiteral("Command1"));     // Pulse RESET
  WindowUnderTest::setText(w.find<QWidget>("txtVREF(0)"), QStringLiteral("2.5"));
  steps::pickChannel(w, 9);  // DAC5
  enterCode(w, 6, QStringLiteral("0777"));
  press(w, QStringLiteral("cmdX1A"));
  WindowUnderTest::setText(w.find<QWidget>("txtDirectLoad(0)"), QStringLiteral("C00123"));
  press(w, QStringLiteral("cmdDirectLoad"));
}

}  // namespace

class RecordedSessionTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void theReplayGivesTheSameWords();
  void theScriptStopsAtTheFirstError_data();
  void theScriptStopsAtTheFirstError();

 private:
  QTemporaryDir folder_;
  QString script_;
  Words recorded_;
};

// Records the operator's session once and exports it through the pane.
void RecordedSessionTest::initTestCase() {
  WindowUnderTest w(kZR813);
  w.clearRequests();
  OperatorSession(w);
  recorded_ = w.wordsSent();
  QCOMPARE(w.services().messages.size(), std::size_t{1});  // the refused write
  QVERIFY(recorded_.size() > 15);

  script_ = folder_.filePath(QStringLiteral("session.py"));
  w.services().fileAnswer = script_;
  w.window().show();
  w.find<QAction>("mnuRequestLog")->trigger();
  w.find<QPushButton>("cmdExportScript")->click();
  QVERIFY(QFile::exists(script_));
}

void RecordedSessionTest::theReplayGivesTheSameWords() {
  HeadlessProgram replay(QStringLiteral("ZR813"));
  QVERIFY(replay.listening());
  const ScriptRun run = RunScript(script_, replay.resource());
  QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
  QCOMPARE(replay.boardWords(), recorded_);
}

void RecordedSessionTest::theScriptStopsAtTheFirstError_data() {
  QTest::addColumn<QString>("model");
  QTest::addColumn<QString>("inserted");  // a line put after the first command
  QTest::addColumn<QString>("error");
  QTest::addColumn<int>("wordsSent");
  QTest::newRow("another model") << "ZR810" << QString() << "not a ZR813" << 0;
  QTest::newRow("a channel the model lacks") << "ZR813"
                                             << "send(\"DAC9:X1A #H0001\")\n"
                                             << "DAC9:X1A #H0001: -114" << 1;
  // A refused query answers nothing: the script learns it from the error entry at once, not from
  // its 10 s timeout.
  QTest::newRow("a refused query") << "ZR813"
                                   << "ask(\"OFFSet2?\")\n"
                                   << "OFFSet2?: -221," << 1;
}

void RecordedSessionTest::theScriptStopsAtTheFirstError() {
  QFETCH(QString, model);
  QFETCH(QString, inserted);
  QFETCH(QString, error);
  QFETCH(int, wordsSent);
  QFile file(script_);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QString text = QString::fromUtf8(file.readAll());
  const qsizetype firstCommand = text.indexOf(QStringLiteral("\nsend(")) + 1;
  QVERIFY(firstCommand > 0);
  text.insert(text.indexOf(QLatin1Char('\n'), firstCommand) + 1, inserted);
  const QString edited = folder_.filePath(QStringLiteral("edited.py"));
  QFile out(edited);
  QVERIFY(out.open(QIODevice::WriteOnly));
  out.write(text.toUtf8());
  out.close();

  HeadlessProgram replay(model);
  QVERIFY(replay.listening());
  const ScriptRun run = RunScript(edited, replay.resource());
  QCOMPARE(run.exitCode, 1);
  QVERIFY2(run.errors.contains(error), qPrintable(run.errors));
  QCOMPARE(replay.boardWords(), Words(recorded_.begin(), recorded_.begin() + wordsSent));
}

QTEST_MAIN(RecordedSessionTest)
#include "test_recorded_session.moc"
