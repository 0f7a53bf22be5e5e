// The SCPI server over real TCP sockets on the loopback: clients with their own replies and
// errors, a client that never reads, a client gone in mid-line, a line over the limit, and a
// remote write while the window's write is inside its yield.

#include <QtTest>
#include <string>

#include "client_connection.h"
#include "raw_client.h"
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

int LineCount(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// Sends `bytes` whole, letting the server run while the kernel's buffers are full.
bool SendAll(RawClient& client, std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t sent = client.sendSome(bytes);
    bytes.remove_prefix(sent);
    if (sent == 0) QTest::qWait(1);
  }
  return true;
}

// Sends one line and waits for one reply line.
QString Ask(RawClient& client, const std::string& line) {
  SendAll(client, line + "\n");
  std::string received;
  (void)QTest::qWaitFor(
      [&] {
        received += client.receiveSome();
        return LineCount(received) >= 1;
      },
      kWaitMs);
  return QString::fromStdString(received.substr(0, received.find('\n')));
}

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
  RawClient a(port_);
  RawClient b(port_);
  QVERIFY(a.connected() && b.connected());
  SendAll(a, "DAC3:X1A 77;BOGUS\n");
  QCOMPARE(Ask(b, "DAC3:X1A?;:SYST:ERR?"), QStringLiteral("77;0,\"No error\""));
  QCOMPARE(Ask(a, "SYST:ERR?"), QStringLiteral("-113,\"Undefined header;'BOGUS'\""));
  // Interleaved queries: each client's replies come back to it, in its own order.
  SendAll(a, "DAC1:X1A 1;X1A?\nDAC1:X1A 2;X1A?\n");
  SendAll(b, "*IDN?\n");
  std::string fromA;
  std::string fromB;
  QVERIFY(QTest::qWaitFor(
      [&] {
        fromA += a.receiveSome();
        fromB += b.receiveSome();
        return LineCount(fromA) == 2 && LineCount(fromB) == 1;
      },
      kWaitMs));
  QCOMPARE(fromA, std::string("1\n2\n"));
  QCOMPARE(fromB, std::string("dac-eval,ZR810,simulated,1.06\n"));
}

void ScpiServerTest::aClientThatNeverReadsHoldsUpNobody() {
  WordCounter counter;
  bench_->session.addListener(counter);
  // The stalled client sends queries and never reads their replies: more replies than the
  // kernel's socket buffers hold.
  RawClient stalled(port_, 4096);
  std::string line;
  for (int i = 0; i < 100; ++i) line += "*IDN?;";
  line.back() = '\n';
  std::string queries;
  for (int i = 0; i < 4000; ++i) queries += line;
  std::size_t queued = 0;
  qint64 largestBacklog = 0;
  for (int round = 0; round < 400 && queued < queries.size(); ++round) {
    queued += stalled.sendSome(std::string_view(queries).substr(queued));
    QTest::qWait(2);
    largestBacklog = std::max(largestBacklog, server_->backlog());
  }
  // Meanwhile another client writes 100,000 words without waiting, then asks for completion.
  RawClient writer(port_);
  std::string writes;
  for (int i = 0; i < 100000; ++i) writes += "DAC0:X1A " + std::to_string(i % 65536) + "\n";
  writes += "*OPC?\n";
  std::string_view rest(writes);
  std::string reply;
  QVERIFY(QTest::qWaitFor(
      [&] {
        rest.remove_prefix(writer.sendSome(rest));
        reply += writer.receiveSome();
        largestBacklog = std::max(largestBacklog, server_->backlog());
        return reply == "1\n";
      },
      kWaitMs));
  QCOMPARE(counter.words, 100000L);
  QCOMPARE(bench_->record(0).X1A(), 99999 % 65536);
  qInfo("largest backlog %lld bytes; %zu bytes of queries taken", largestBacklog, queued);
  // The replies of the stalled client waited in a bounded backlog...
  QVERIFY2(largestBacklog > ClientConnection::kMaxBacklog / 2, "the client never stalled");
  QVERIFY2(largestBacklog <= ClientConnection::kMaxBacklog + 256 * 1024,
           qPrintable(QString::number(largestBacklog)));
  // ...and none is lost: once it reads, every query it managed to send is answered.
  std::string answers;
  const auto answered = [&] {
    queued += stalled.sendSome(std::string_view(queries).substr(queued));
    answers += stalled.receiveSome();
    return LineCount(answers) == static_cast<int>(queued / line.size()) && queued == queries.size();
  };
  QVERIFY(QTest::qWaitFor(answered, kWaitMs));
  bench_->session.removeListener(counter);
}

void ScpiServerTest::aClientGoneInMidLineLeavesNoTrace() {
  {
    RawClient leaving(port_);
    QVERIFY(QTest::qWaitFor([&] { return server_->clientCount() == 1; }, kWaitMs));
    SendAll(leaving, "DAC0:X1A 12");
    QTest::qWait(20);
  }
  QVERIFY(QTest::qWaitFor([&] { return server_->clientCount() == 0; }, kWaitMs));
  RawClient next(port_);
  QCOMPARE(Ask(next, "DAC0:X1A?;:SYST:ERR?"), QStringLiteral("32768;0,\"No error\""));
  QVERIFY(bench_->words().empty());
}

void ScpiServerTest::aLineOverTheLimitIsDiscardedWhateverItsLength() {
  RawClient client(port_);
  const std::string piece(64 * 1024, 'D');
  for (int i = 0; i < 48; ++i) SendAll(client, piece);  // 3 MiB of one line
  SendAll(client, ";DAC0:X1A 1\n");
  QCOMPARE(Ask(client, "*OPC?"), QStringLiteral("1"));
  QCOMPARE(Ask(client, "SYST:ERR?"), QStringLiteral("-363,\"Input buffer overrun\""));
  QCOMPARE(Ask(client, "SYST:ERR?;:DAC0:X1A?"), QStringLiteral("0,\"No error\";32768"));
  QVERIFY(bench_->words().empty());
}

// While the window's write yields, a remote command waits; it runs once the write has sent its
// word, so the board sees the window's word first.
void ScpiServerTest::aRemoteWriteWaitsForTheWindowsYield() {
  WindowUnderTest w(0);
  ScpiServer server(w.session());
  QString error;
  QVERIFY(server.listen(QHostAddress::LocalHost, 0, error));
  RawClient client(static_cast<uint16_t>(server.address().section(QLatin1Char(':'), -1).toUInt()));
  std::string replyDuringYield;
  int32_t x1aDuringYield = -1;
  steps::insideYield(w, [&] {
    SendAll(client, "DAC0:X1A 5;*OPC?\n");
    QTest::qWait(200);  // the server has every chance to run
    replyDuringYield = client.receiveSome();
    x1aDuringYield = w.window().chip().DACs[0].X1A();
  });
  steps::enterCode(w, 3, QStringLiteral("1234"));
  w.clearRequests();
  steps::press(w, QStringLiteral("cmdX1A"));

  QCOMPARE(replyDuringYield, std::string());
  QCOMPARE(x1aDuringYield, 0x1234);
  std::string reply;
  QVERIFY(QTest::qWaitFor(
      [&] {
        reply += client.receiveSome();
        return !reply.empty();
      },
      kWaitMs));
  QCOMPARE(reply, std::string("1\n"));
  QCOMPARE(w.wordsSent(), (std::vector<int32_t>{0xC81234, 0xC80005}));
  QCOMPARE(w.find<QLabel>(QStringLiteral("lblXA"))->text(), QStringLiteral("0005"));
}

QTEST_MAIN(ScpiServerTest)
#include "test_scpi_server.moc"
