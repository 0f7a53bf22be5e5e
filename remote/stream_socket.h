#pragma once
// One accepted TCP connection on its native descriptor, on the event loop. Unlike QTcpSocket it
// keeps the two directions apart: the end of the peer's input (a half-close, as `nc -N` sends at
// the end of a script) is news for the reader, not the end of the connection, so that every line
// already received still runs and its replies still go out.
//
// Every read is followed by an immediate acknowledgement (TCP_QUICKACK where the system has it):
// a client whose Nagle's algorithm holds its next small write until the last one is
// acknowledged (pyvisa-py's) then waits no delayed-ACK timer. Replies go out without Nagle's
// delay (TCP_NODELAY).

#include <QHostAddress>
#include <QObject>
#include <QSocketNotifier>
#include <deque>
#include <string>
#include <string_view>

class StreamSocket : public QObject {
  Q_OBJECT

 public:
  enum class Input { Data, Nothing, Ended, Failed };

  // Takes the descriptor of an accepted connection (closed with the object).
  StreamSocket(qintptr descriptor, QObject* parent);
  ~StreamSocket() override;
  StreamSocket(const StreamSocket&) = delete;
  StreamSocket& operator=(const StreamSocket&) = delete;

  // Reads what has arrived, at most `size` bytes, into `buffer`; `got` is the count for Data.
  // Ended: the peer sends no more (every byte before that was read). Failed: the connection is
  // gone (reset).
  Input receive(char* buffer, std::size_t size, std::size_t& got);
  // Whether readyRead may be emitted: off while the reader has no room for more input, so that
  // input waits in the kernel and the peer's sends block.
  void watchInput(bool on);

  // Queues bytes for the peer; sent as the socket takes them. Dropped once the peer is gone.
  void send(std::string bytes);
  // Bytes queued and not yet taken by the kernel.
  std::size_t unsent() const { return unsent_; }
  // Whether sending failed: the peer reset the connection.
  bool broken() const { return broken_; }
  // Ends the connection once everything queued has gone out (or at once, when the peer is gone):
  // `finished` follows.
  void finish();

  QHostAddress peerAddress() const { return peerAddress_; }
  quint16 peerPort() const { return peerPort_; }

 signals:
  void readyRead();
  // Queued bytes went out: unsent() went down.
  void bytesSent();
  // The connection is closed, after finish() or a failure while sending with nothing to wait for.
  void finished();

 private:
  void writeQueued();
  void closeDescriptor();
  void acknowledgeAtOnce();

  qintptr fd_;
  QSocketNotifier readNotifier_;
  QSocketNotifier writeNotifier_;
  std::deque<std::string> queue_;
  std::size_t headSent_ = 0;  // bytes of queue_.front() already sent
  std::size_t unsent_ = 0;
  bool broken_ = false;
  bool finishing_ = false;
  bool closed_ = false;
  QHostAddress peerAddress_;
  quint16 peerPort_ = 0;
};
