#include "scpi_server.h"

#include <algorithm>
#include <array>
#include <string>

#include "error_queue.h"
#include "instrument_tree.h"

ScpiServer::ScpiServer(Session& session, QObject* parent)
    : QObject(parent), session_(session), tree_(InstrumentTree(session)) {
  connect(&server_, &DescriptorServer::accepted, this, &ScpiServer::accept);
  // Runs when the window's action ends, still inside its handler: the clients go on at the next
  // turn of the event loop.
  gateWatch_ = session_.gate().whenOpened([this] { resumeAll(); });
}

ScpiServer::~ScpiServer() {
  session_.gate().forget(gateWatch_);
}

bool ScpiServer::listen(const QHostAddress& address, quint16 port, QString& error) {
  if (server_.listen(address, port)) return true;
  error = server_.errorString();
  return false;
}

QString ScpiServer::address() const {
  const QHostAddress host = server_.serverAddress();
  const QString text = host.protocol() == QAbstractSocket::IPv6Protocol
                           ? QStringLiteral("[%1]").arg(host.toString())
                           : host.toString();
  return QStringLiteral("%1:%2").arg(text).arg(server_.serverPort());
}

qint64 ScpiServer::backlog() const {
  qint64 total = 0;
  for (const ClientConnection* client : clients_) total += static_cast<qint64>(client->backlog());
  return total;
}

void ScpiServer::accept(qintptr descriptor) {
  if (clients_.size() >= static_cast<std::size_t>(clientLimit_)) return refuse(descriptor);
  auto* client = new ClientConnection(descriptor, tree_, session_, this);
  connect(client, &ClientConnection::closed, this, &ScpiServer::drop);
  clients_.push_back(client);
  shareRounds();
  client->scheduleServe();
  emit clientsChanged(static_cast<int>(clients_.size()));
}

// Tells a client that finds every place taken why it is turned away, in one error line, and
// closes. What it sent already is read and dropped first, so that the close is not a reset that
// could discard the line on its way.
void ScpiServer::refuse(qintptr descriptor) {
  auto* socket = new StreamSocket(descriptor, this);
  const QString peer =
      QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
  const std::string detail =
      std::to_string(clients_.size()) + " clients connected, no room for another";
  socket->send(scpi::FormatError({scpi::errc::kSystemError, detail}) + "\n");
  std::array<char, 4096> discard{};
  std::size_t got = 0;
  while (socket->receive(discard.data(), discard.size(), got) == StreamSocket::Input::Data) {
  }
  connect(socket, &StreamSocket::finished, socket, &QObject::deleteLater);
  socket->finish();
  emit clientRefused(peer);
}

void ScpiServer::drop(ClientConnection* client) {
  std::erase(clients_, client);
  shareRounds();
  // The state a client set ends with its connection.
  if (session_.remoteMode() != RemoteMode::Local && session_.remoteClient() == client->origin()) {
    session_.setRemoteMode(RemoteMode::Local, {});
  }
  client->deleteLater();
  emit clientsChanged(static_cast<int>(clients_.size()));
}

// A round of 10 ms over every client, 4 ms a turn at most and a tenth of a millisecond at least:
// one busy client gets long turns, and with 64 busy ones another client's query still waits no
// more than a round.
void ScpiServer::shareRounds() {
  constexpr qint64 kRoundNs = 10'000'000;
  const qint64 slice =
      std::clamp<qint64>(kRoundNs / static_cast<qint64>(std::max<std::size_t>(clients_.size(), 1)),
                         100'000, 4'000'000);
  for (ClientConnection* client : clients_) client->setSlice(slice);
}

void ScpiServer::resumeAll() {
  for (ClientConnection* client : clients_) client->scheduleServe();
}
