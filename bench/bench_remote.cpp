// Remote control over a real TCP socket on the loopback, side by side in the same run with a bare
// QTcpServer that answers each line at once:
// (a) the round trip of "DAC0:X1A <code>;*OPC?" from a client, median and p95, against the same
//     round trip to the bare server (target: at most 2x);
// (b) words per second when a client sends 100,000 writes without waiting and then "*OPC?",
//     headless and with the window shown (target: at least 100,000 writes/s headless on the
//     simulated board), against the bare server reading the same lines.
// The servers run on the program's one thread, as in the program; the client is a thread with a
// plain blocking socket.
//
// Usage: bench_remote [round trips] [writes]   (defaults 5000 and 100000)

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "auto_part_services.h"
#include "bench_report.h"
#include "frm_main.h"
#include "request_log.h"
#include "scpi_server.h"
#include "simulated_board.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kRoundTripRatioTarget = 2.0;
constexpr double kWritesPerSecondTarget = 100000.0;
constexpr int kZR810 = 0;

// A blocking client of the loopback.
class Client {
 public:
  explicit Client(uint16_t port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    const int one = 1;
    ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
      ::close(fd_);
      fd_ = -1;
    }
  }
  ~Client() {
    if (fd_ >= 0) ::close(fd_);
  }
  bool ok() const { return fd_ >= 0; }
  bool send(const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
      const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) return false;
      sent += static_cast<std::size_t>(n);
    }
    return true;
  }
  // Reads up to and including the next LF.
  std::string line() {
    std::string text;
    char c = 0;
    while (::recv(fd_, &c, 1, 0) == 1) {
      if (c == '\n') return text;
      text += c;
    }
    return text;
  }

 private:
  int fd_ = -1;
};

// Answers "1" to every line holding a '?' and reads the others: what a server costs with no
// command language and no device behind it.
class BareServer : public QObject {
 public:
  BareServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      QTcpSocket* socket = server_.nextPendingConnection();
      socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
      connect(socket, &QTcpSocket::readyRead, socket, [socket] {
        while (socket->canReadLine()) {
          if (socket->readLine().contains('?')) socket->write("1\n");
        }
        socket->flush();
      });
    });
  }
  uint16_t port() const { return server_.serverPort(); }

 private:
  QTcpServer server_;
};

// Runs `client` on its own thread while the event loop serves, and returns when it is done.
void Serve(const std::function<void()>& client) {
  std::atomic<bool> done{false};
  std::thread thread([&] {
    client();
    done = true;
  });
  while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  thread.join();
}

// "DAC0:X1A <code>" with the given ending.
std::string WriteLine(int n, const char* ending) {
  char text[48];
  std::snprintf(text, sizeof text, "DAC0:X1A %d%s", n % 65536, ending);
  return text;
}

std::vector<double> RoundTrips(uint16_t port, int count) {
  std::vector<double> micros;
  Serve([&] {
    Client client(port);
    if (!client.ok()) return;
    for (int n = 0; n < count + 100; ++n) {
      const auto start = Clock::now();
      if (!client.send(WriteLine(n, ";*OPC?\n"))) return;
      if (client.line() != "1") return;
      if (n >= 100) {  // the first ones warm up
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
      }
    }
  });
  return micros;
}

// Writes per second for `count` writes sent at once and an *OPC? after them.
double WritesPerSecond(uint16_t port, int count) {
  std::string lines;
  for (int n = 0; n < count; ++n) lines += WriteLine(n, "\n");
  lines += "*OPC?\n";
  double seconds = 0;
  Serve([&] {
    Client client(port);
    if (!client.ok()) return;
    const auto start = Clock::now();
    if (!client.send(lines) || client.line() != "1") return;
    seconds = std::chrono::duration<double>(Clock::now() - start).count();
  });
  return seconds > 0 ? count / seconds : 0.0;
}

struct Program {
  SimulatedBoard board;
  BoardLink link{board};
  Session session{link, "/nonexistent"};
  RequestLog log{session};  // as the program keeps it, with or without the window
  ScpiServer server{session};
  uint16_t port = 0;

  Program() {
    session.chooseModel(PartCatalogue()[kZR810]);
    session.start({});
    QString error;
    if (server.listen(QHostAddress::LocalHost, 0, error))
      port = server.address().section(':', -1).toUShort();
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  UseOffscreenPlatform();
  QApplication app(argc, argv);
  const int trips = argc > 1 ? std::atoi(argv[1]) : 5000;
  const int writes = argc > 2 ? std::atoi(argv[2]) : 100000;
  if (trips <= 0 || writes <= 0) {
    std::fprintf(stderr, "usage: %s [round trips] [writes]\n", argv[0]);
    return 2;
  }

  BareServer bare;
  Program headless;
  const std::vector<double> bareTrips = RoundTrips(bare.port(), trips);
  const std::vector<double> ourTrips = RoundTrips(headless.port, trips);
  const double bareRate = WritesPerSecond(bare.port(), writes);
  const double headlessRate = WritesPerSecond(headless.port, writes);
  // Every write reached the register model and the simulated chip.
  const bool allWritten = headless.session.chip().DACs[0].X1A() == (writes - 1) % 65536 &&
                          headless.board.chip().inputA[0] == (writes - 1) % 65536;

  // The same program with its window shown: every word also reaches the window's displays.
  Program windowed;
  AutoPartServices services(kZR810);
  frmMain window(windowed.session, windowed.log, services);
  window.Form_Load(kZR810);
  window.show();
  QApplication::processEvents();
  const double windowRate = WritesPerSecond(windowed.port, writes);

  if (bareTrips.empty() || ourTrips.empty() || headlessRate == 0 || windowRate == 0 ||
      !allWritten) {
    std::fprintf(stderr, "a client did not get its answers\n");
    return 1;
  }
  const double ratio = Median(ourTrips) / Median(bareTrips);
  std::fprintf(stderr,
               "round trip DAC0:X1A n;*OPC?: median %.1f us, p95 %.1f us; bare server median "
               "%.1f us, p95 %.1f us\n",
               Median(ourTrips), Percentile(ourTrips, 0.95), Median(bareTrips),
               Percentile(bareTrips, 0.95));
  std::fprintf(stderr,
               "%d writes without waiting: headless %.0f/s, with the window %.0f/s; bare server "
               "%.0f lines/s\n",
               writes, headlessRate, windowRate, bareRate);
  PrintVerdict("SCPI round trip: median " + Fixed(Median(ourTrips), 1) + " us (p95 " +
                   Fixed(Percentile(ourTrips, 0.95), 1) + ") against " +
                   Fixed(Median(bareTrips), 1) + " us bare, ratio " + Fixed(ratio, 2),
               "<= " + Fixed(kRoundTripRatioTarget, 1) + "x", ratio <= kRoundTripRatioTarget);
  PrintVerdict("SCPI writes: " + Fixed(headlessRate, 0) + "/s headless, " + Fixed(windowRate, 0) +
                   "/s with the window (bare server " + Fixed(bareRate, 0) + " lines/s)",
               ">= " + Fixed(kWritesPerSecondTarget, 0) + "/s headless",
               headlessRate >= kWritesPerSecondTarget);
  return 0;
}
