// The SCPI server over real TCP sockets (QTcpSocket clients) on the loopback: clients with their
// own replies and errors, a client that never reads, a client gone in mid-line, a line over the
// limit, and a remote write while the window's write is inside its yield.

#include <sys/socket.h>

#include <QLabel>
#include <QPushButton>
#include <QTcpSocket>
#include <QtTest>
#include <string>

#include "client_connection.h"
#include "event_loop_timer.h"
#include "scpi_server.h"
#include "session_bench.h"
#include "ui_test_support.h"
#include "window_steps.h"

namespace {

constexpr int kWaitMs = 20000;

// Counts the words sent, whoever sent them.
struct WordCounter : SessionListener {
  void wordShown(int32_t) override { ++words; }
  long words = 0;
};

// A client on a QTcpSocket of its own. With a small read buffer, Qt reads no more than that from
// the kernel while nothing is read: a client that stops reading.
class Client {
 public:
  explicit Client(quint16 port, qint64 readBuffer = 0) {
    socket_.setReadBufferSize(readBuffer);
    socket_.connectToHost(QHostAddress::LocalHost, port);
    connected_ = QTest::qWaitFor(
        [this] { return socket_.state() == QAbstractSocket::ConnectedState; }, kWaitMs);
  }
  bool connected() const { return connected_; }
  void send(const QByteArray& bytes) { socket_.write(bytes); }
  // Waits for `count` reply lines and returns them, without their LF.
  QStringList lines(int count) {
    QStringList received;
    (void)QTest::qWaitFor(
        [&] {
          while (socket_.canReadLine())
            received << QString::fromLatin1(socket_.readLine()).chopped(1);
          return received.size() >= count;
        },
        kWaitMs);
    return received;
  }
  // Sends one line and waits for its one reply line.
  QString ask(const QByteArray& line) {
    send(line + '\n');
    const QStringList reply = lines(1);
    return reply.isEmpty() ? QString() : reply.front();
  }
  void readEverything() { socket_.setReadBufferSize(0); }
  qint64 waitingToBeSent() const { return socket_.bytesToWrite(); }
  // Gone at once, with a reset (as when the client's machine drops the connection), rather than
  // the orderly end of its input.
  void vanish() {
    const linger reset{1, 0};
    ::setsockopt(static_cast<int>(socket_.socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset,
                 sizeof reset);
    socket_.abort();
  }

 private:
  QTcpSocket socket_;
  bool connected_ = false;
};

}  // namespace

class ScpiServerTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void eachClientHasItsOwnRepliesAndErrors();
  void aClientThatNeverReadsHoldsUpNobody();
  void aClientGoneInMidLineLeavesNoTrace();
  void aLineOverTheLimitIsDiscardedWhateverItsLength();
  void aRemoteWriteWaitsForTheWindowsYield();
  void aRemoteLockDisablesTheChipControlsUntilItsClientLeaves();
  void aSequencePlaysOnTheEventLoopWhileClientsAsk();

 private:
  std::unique_ptr<SessionBench> bench_;
  std::unique_ptr<ScpiServer> server_;
  quint16 port_ = 0;
};

void ScpiServerTest::init() {
  bench_ = std::make_unique<SessionBench>("ZR810");
  server_ = std::make_unique<ScpiServer>(bench_->session);
  QString error;
  QVERIFY2(server_->listen(QHostAddress::LocalHost, 0, error), qPrintable(error));
  port_ = static_cast<quint16>(server_->address().section(QLatin1Char(':'), -1).toUInt());
}

void ScpiServerTest::cleanup() {
  server_.reset();
  bench_.reset();
}

void ScpiServerTest::eachClientHasItsOwnRepliesAndErrors() {
  Client a(port_);
  Client b(port_);
  QVERIFY(a.connected() && b.connected());
  a.send("DAC3:X1A 77;BOGUS\n");
  QCOMPARE(b.ask("DAC3:X1A?;:SYST:ERR?"), QStringLiteral("77;0,\"No error\""));
  QCOMPARE(a.ask("SYST:ERR?"), QStringLiteral("-113,\"Undefined header;'BOGUS'\""));
  // Interleaved queries: each client's replies come back to it, in its own order.
  a.send("DAC1:X1A 1;X1A?\nDAC1:X1A 2;X1A?\n");
  b.send("*IDN?\n");
  QCOMPARE(a.lines(2), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
  QCOMPARE(b.lines(1), QStringList{QStringLiteral("dac-eval,ZR810,0,1.06")});
}

void ScpiServerTest::aClientThatNeverReadsHoldsUpNobody() {
  WordCounter counter;
  bench_->session.addListener(counter);
  // The stalled client sends queries and never reads their replies: more replies than the
  // kernel's socket buffers hold.
  Client stalled(port_, 4096);
  QByteArray line;
  for (int i = 0; i < 100; ++i) line += "*IDN?;";
  line.back() = '\n';
  const int queries = 4000;
  for (int i = 0; i < queries; ++i) stalled.send(line);
  qint64 largestBacklog = 0;
  for (int round = 0; round < 200; ++round) {
    QTest::qWait(2);
    largestBacklog = std::max(largestBacklog, server_->backlog());
  }
  // Meanwhile another client writes 100,000 words without waiting, then asks for completion.
  Client writer(port_);
  QByteArray writes;
  for (int i = 0; i < 100000; ++i) writes += "DAC0:X1A " + QByteArray::number(i % 65536) + "\n";
  writer.send(writes + "*OPC?\n");
  bool done = false;
  QVERIFY(QTest::qWaitFor(
      [&] {
        largestBacklog = std::max(largestBacklog, server_->backlog());
        done = done || !writer.lines(0).isEmpty();
        return done;
      },
      kWaitMs));
  QCOMPARE(counter.words, 100000L);
  QCOMPARE(bench_->record(0).X1A(), 99999 % 65536);
  qInfo("largest backlog %lld bytes; %lld bytes of queries still unsent", largestBacklog,
        stalled.waitingToBeSent());
  // The replies of the stalled client waited in a bounded backlog...
  constexpr auto kMaxBacklog = static_cast<qint64>(ClientConnection::kMaxBacklog);
  QVERIFY2(largestBacklog > kMaxBacklog / 2, "the client never stalled");
  QVERIFY2(largestBacklog <= kMaxBacklog + 256 * 1024, qPrintable(QString::number(largestBacklog)));
  // ...and none is lost: once it reads, every query it sent is answered.
  stalled.readEverything();
  QCOMPARE(stalled.lines(queries).size(), queries);
  bench_->session.removeListener(counter);
}

void ScpiServerTest::aClientGoneInMidLineLeavesNoTrace() {
  {
    Client leaving(port_);
    QVERIFY(QTest::qWaitFor([&] { return server_->clientCount() == 1; }, kWaitMs));
    leaving.send("DAC0:X1A 12");
    QTest::qWait(20);
    leaving.vanish();
  }
  QVERIFY(QTest::qWaitFor([&] { return server_->clientCount() == 0; }, kWaitMs));
  Client next(port_);
  QCOMPARE(next.ask("DAC0:X1A?;:SYST:ERR?"), QStringLiteral("32768;0,\"No error\""));
  QVERIFY(bench_->words().empty());
}

void ScpiServerTest::aLineOverTheLimitIsDiscardedWhateverItsLength() {
  Client client(port_);
  client.send(QByteArray(3 * 1024 * 1024, 'D'));  // 3 MiB of one line
  client.send(";DAC0:X1A 1\n");
  QCOMPARE(client.ask("*OPC?"), QStringLiteral("1"));
  QCOMPARE(client.ask("SYST:ERR?"), QStringLiteral("-363,\"Input buffer overrun\""));
  QCOMPARE(client.ask("SYST:ERR?;:DAC0:X1A?"), QStringLiteral("0,\"No error\";32768"));
  QVERIFY(bench_->words().empty());
}

// While the window's write yields, a remote command waits; it runs once the write has sent its
// word, so the board sees the window's word first.
void ScpiServerTest::aRemoteWriteWaitsForTheWindowsYield() {
  WindowUnderTest w(0);
  ScpiServer server(w.session());
  QString error;
  QVERIFY(server.listen(QHostAddress::LocalHost, 0, error));
  Client client(server.address().section(QLatin1Char(':'), -1).toUShort());
  QStringList repliesDuringYield;
  int32_t x1aDuringYield = -1;
  steps::insideYield(w, [&] {
    client.send("DAC0:X1A 5;*OPC?\n");
    QTest::qWait(200);  // the server has every chance to run
    repliesDuringYield = client.lines(0);
    x1aDuringYield = w.session().chip().DACs[0].X1A();
  });
  steps::enterCode(w, 3, QStringLiteral("1234"));
  w.clearRequests();
  steps::press(w, QStringLiteral("cmdX1A"));

  QVERIFY(repliesDuringYield.isEmpty());
  QCOMPARE(x1aDuringYield, 0x1234);
  QCOMPARE(client.lines(1), QStringList{QStringLiteral("1")});
  QCOMPARE(w.wordsSent(), (std::vector<int32_t>{0xC81234, 0xC80005}));
  QCOMPARE(w.find<QLabel>(QStringLiteral("lblXA"))->text(), QStringLiteral("0005"));
}

// SYSTem:RWLock disables what acts on the chip (nothing the operator does can open a message box
// that would hold up the script); the status bar names the client; REMote leaves the controls
// usable; the lock ends with LOCal or with the client's connection.
void ScpiServerTest::aRemoteLockDisablesTheChipControlsUntilItsClientLeaves() {
  WindowUnderTest w(0);
  ScpiServer server(w.session());
  QString error;
  QVERIFY(server.listen(QHostAddress::LocalHost, 0, error));
  const quint16 port = server.address().section(QLatin1Char(':'), -1).toUShort();
  auto* x = w.find<QPushButton>(QStringLiteral("cmdX1A"));
  auto* ldac = w.find<QPushButton>(QStringLiteral("Command2"));
  const auto remoteText = [&] {
    auto* label = w.window().findChild<QLabel*>(QStringLiteral("lblRemote"));
    return label != nullptr ? label->text() : QString();
  };
  const auto locked = [&] { return !x->isEnabled() && !ldac->isEnabled(); };
  const auto unlocked = [&] { return x->isEnabled() && ldac->isEnabled(); };
  {
    Client client(port);
    QCOMPARE(client.ask("SYST:REM;*OPC?"), QStringLiteral("1"));
    QVERIFY(unlocked());
    QVERIFY(remoteText().startsWith(QStringLiteral("Remote (127.0.0.1:")));
    QCOMPARE(client.ask("SYST:RWL;*OPC?"), QStringLiteral("1"));
    QVERIFY(locked());
    QVERIFY(remoteText().startsWith(QStringLiteral("Remote, window locked (127.0.0.1:")));
    QCOMPARE(client.ask("SYST:LOC;*OPC?"), QStringLiteral("1"));
    QVERIFY(unlocked());
    QCOMPARE(remoteText(), QString());
    QCOMPARE(client.ask("SYST:RWL;:DAC0:X1A 5;*OPC?"), QStringLiteral("1"));
    QVERIFY(locked());
    QCOMPARE(w.find<QLabel>(QStringLiteral("lblXA"))->text(), QStringLiteral("0005"));
  }
  QVERIFY(QTest::qWaitFor(unlocked, kWaitMs));
  QCOMPARE(remoteText(), QString());
}

// The sequence plays on the event loop's timer: clients keep being answered between its frames,
// their writes get -221 until it ends, and any client may stop it.
void ScpiServerTest::aSequencePlaysOnTheEventLoopWhileClientsAsk() {
  EventLoopTimer timer;
  bench_->session.sequencer().setTimer(&timer);
  Client a(port_);
  Client b(port_);
  QVERIFY(a.connected() && b.connected());
  a.send("SEQ:FRAM 0.02,(@0,1),1.25,2.5;FRAM 0.02,(@0),0;:SEQ:REP 3;:SEQ:STAR\n");
  QCOMPARE(a.ask("SEQ:COUN?;REP?"), QStringLiteral("2;3"));
  QVERIFY(b.ask("SEQ:STAT?").startsWith(QStringLiteral("RUNNING,")));
  QCOMPARE(b.ask("DAC1:VOLT?"), QStringLiteral("2.5"));
  QCOMPARE(b.ask("DAC5:X1A 9;:SEQ:CLE;:SYST:ERR:ALL?"),
           QStringLiteral("-221,\"Settings conflict;a sequence is running\",-221,\"Settings "
                          "conflict;a sequence is running\""));
  QVERIFY(QTest::qWaitFor([&] { return a.ask("SEQ:STAT?") == QStringLiteral("IDLE"); }, kWaitMs));
  const QStringList timing = a.ask("SEQ:TIM?").split(QLatin1Char(','));
  QCOMPARE(timing.size(), 3);
  QCOMPARE(timing[0], QStringLiteral("6"));
  QVERIFY(timing[1].toDouble() >= 0.0 && timing[2].toDouble() >= timing[1].toDouble());
  QCOMPARE(bench_->board.chip().ldacPulses, 6);
  QCOMPARE(a.ask("DAC0:VOLT?;:SYST:ERR?"), QStringLiteral("0;0,\"No error\""));

  a.send("SEQ:REP INF;STAR\n");
  QVERIFY(QTest::qWaitFor([&] { return bench_->board.chip().ldacPulses >= 10; }, kWaitMs));
  QCOMPARE(b.ask("SEQ:STOP;STAT?"), QStringLiteral("IDLE"));
  const int pulses = bench_->board.chip().ldacPulses;
  QTest::qWait(60);
  QCOMPARE(bench_->board.chip().ldacPulses, pulses);
  QCOMPARE(a.ask("DAC5:X1A 9;X1A?"), QStringLiteral("9"));
}

QTEST_MAIN(ScpiServerTest)
#include "test_scpi_server.moc"
