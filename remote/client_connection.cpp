#include "client_connection.h"

#include <QElapsedTimer>
#include <QTimer>
#include <string_view>
#include <utility>

ClientConnection::ClientConnection(qintptr descriptor, const scpi::CommandTree& tree,
                                   Session& session, QObject* parent)
    : QObject(parent), socket_(new StreamSocket(descriptor, this)), session_(session), scpi_(tree) {
  origin_ = "remote " + peerName().toStdString();
  connect(socket_, &StreamSocket::readyRead, this, &ClientConnection::serve);
  connect(socket_, &StreamSocket::bytesSent, this, [this] {
    if (socket_->unsent() <= kMaxBacklog) scheduleServe();
  });
  connect(socket_, &StreamSocket::finished, this, [this] { emit closed(this); });
}

QString ClientConnection::peerName() const {
  const QHostAddress address = socket_->peerAddress();
  const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                           ? QStringLiteral("[%1]").arg(address.toString())
                           : address.toString();
  return QStringLiteral("%1:%2").arg(host).arg(socket_->peerPort());
}

void ClientConnection::scheduleServe() {
  if (scheduled_ || closing_) return;
  scheduled_ = true;
  QTimer::singleShot(0, this, [this] {
    scheduled_ = false;
    serve();
  });
}

void ClientConnection::serve() {
  if (closing_) return;
  socket_->watchInput(false);
  QElapsedTimer slice;
  slice.start();
  const Session::Origin origin(session_, origin_);
  for (;;) {
    // Resumed by the gate opening, or by the peer taking replies (bytesSent).
    if (!session_.gate().open() || socket_->unsent() > kMaxBacklog) return;
    if (slice.nsecsElapsed() > sliceNs_) return scheduleServe();
    switch (next()) {
      case Work::More:
        continue;
      case Work::Waiting:
        return socket_->watchInput(true);
      case Work::Done:
        closing_ = true;
        return socket_->finish();
    }
  }
}

ClientConnection::Work ClientConnection::next() {
  if (scpi_.inLine()) {
    runUnit();
    return Work::More;
  }
  if (beginNextLine()) return Work::More;
  if (inputEnded_) return Work::Done;
  return readInput();
}

void ClientConnection::runUnit() {
  const bool more = scpi_.step();
  sendReply(!more);
}

// Hands the line's reply to the socket: at its end (with its LF), or a piece of a long one.
void ClientConnection::sendReply(bool lineEnded) {
  if (!lineEnded && scpi_.replyPending() < kReplyPiece) return;
  std::string text = scpi_.takeReply();
  if (lineEnded && scpi_.answered()) text += '\n';
  if (socket_->broken()) return;  // the peer is gone: its commands still run, unanswered
  socket_->send(std::move(text));
}

// Takes the next complete line of the input read so far into the engine; false when the input
// read holds no further line (a partial one stays with the assembler).
bool ClientConnection::beginNextLine() {
  bool begun = false;
  while (!begun && inputAt_ < inputEnd_) {
    const std::string_view pending(input_.data() + inputAt_, inputEnd_ - inputAt_);
    const std::size_t lf = pending.find('\n');
    const std::size_t take = lf == std::string_view::npos ? pending.size() : lf + 1;
    lines_.feed(
        pending.substr(0, take),
        [&](std::string_view line) {
          scpi_.begin(line);
          begun = true;
        },
        [this] { scpi_.inputOverrun(); });
    inputAt_ += take;
  }
  return begun;
}

ClientConnection::Work ClientConnection::readInput() {
  std::size_t got = 0;
  switch (socket_->receive(input_.data(), input_.size(), got)) {
    case StreamSocket::Input::Data:
      inputAt_ = 0;
      inputEnd_ = got;
      return Work::More;
    case StreamSocket::Input::Nothing:
      return Work::Waiting;
    case StreamSocket::Input::Ended:
      endOfInput(true);
      return Work::More;
    case StreamSocket::Input::Failed:
      endOfInput(false);
      return Work::More;
  }
  return Work::Waiting;
}

// The peer sends no more. After a clean end (a half-close) a last line without its LF runs as if
// it had one; after a reset the client is gone, and a partial line is most likely cut short.
void ClientConnection::endOfInput(bool clean) {
  inputEnded_ = true;
  if (clean) {
    lines_.finish([this](std::string_view line) { scpi_.begin(line); });
  } else {
    lines_ = scpi::LineAssembler();
  }
}
