#include "client_connection.h"

#include <QElapsedTimer>
#include <QTimer>
#include <array>

namespace {

// One turn's slice of work: long enough to run thousands of short lines, short enough that the
// window never misses a frame.
constexpr qint64 kSliceNs = 4'000'000;

}  // namespace

ClientConnection::ClientConnection(QTcpSocket* socket, const scpi::CommandTree& tree,
                                   Session& session, QObject* parent)
    : QObject(parent), socket_(socket), session_(session), scpi_(tree) {
  origin_ = "remote " + peerName().toStdString();
  socket_->setParent(this);
  socket_->setReadBufferSize(kReadBuffer);
  // A reply written while Nagle's algorithm waits for an acknowledgement stalls the client.
  socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
  connect(socket_, &QTcpSocket::readyRead, this, &ClientConnection::serve);
  connect(socket_, &QTcpSocket::bytesWritten, this, [this] {
    if (socket_->bytesToWrite() <= kMaxBacklog) scheduleServe();
  });
  connect(socket_, &QTcpSocket::disconnected, this, [this] { emit closed(this); });
}

QString ClientConnection::peerName() const {
  return QStringLiteral("%1:%2").arg(socket_->peerAddress().toString()).arg(socket_->peerPort());
}

void ClientConnection::scheduleServe() {
  if (scheduled_) return;
  scheduled_ = true;
  QTimer::singleShot(0, this, [this] {
    scheduled_ = false;
    serve();
  });
}

void ClientConnection::serve() {
  QElapsedTimer slice;
  slice.start();
  bool wrote = false;
  while (session_.gate().open() && socket_->state() == QAbstractSocket::ConnectedState) {
    if (socket_->bytesToWrite() > kMaxBacklog) break;  // resumed by bytesWritten
    if (slice.nsecsElapsed() > kSliceNs) {
      scheduleServe();
      break;
    }
    if (!readChunk()) break;
    wrote = true;
  }
  if (wrote) socket_->flush();
}

// Feeds one chunk of what has arrived through the line framing into the command tree; false when
// nothing was waiting.
bool ClientConnection::readChunk() {
  std::array<char, kReadChunk> chunk;
  const qint64 got = socket_->read(chunk.data(), static_cast<qint64>(chunk.size()));
  if (got <= 0) return false;
  const Session::Origin origin(session_, origin_);
  lines_.feed(
      std::string_view(chunk.data(), static_cast<std::size_t>(got)),
      [this](std::string_view line) {
        if (const std::optional<std::string> reply = scpi_.execute(line)) {
          QByteArray bytes(reply->data(), static_cast<qsizetype>(reply->size() + 1));
          bytes[static_cast<qsizetype>(reply->size())] = '\n';
          socket_->write(bytes);  // one write per reply: never split by the socket's buffering
        }
      },
      [this] { scpi_.inputOverrun(); });
  return true;
}
