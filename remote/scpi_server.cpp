#include "scpi_server.h"

#include <QTcpSocket>
#include <algorithm>

#include "client_connection.h"
#include "instrument_tree.h"

ScpiServer::ScpiServer(Session& session, QObject* parent)
    : QObject(parent), session_(session), tree_(InstrumentTree(session)) {
  connect(&server_, &QTcpServer::newConnection, this, &ScpiServer::accept);
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
  for (const ClientConnection* client : clients_) total += client->backlog();
  return total;
}

void ScpiServer::accept() {
  while (QTcpSocket* socket = server_.nextPendingConnection()) {
    if (clients_.size() >= kMaxClients) {
      socket->abort();
      socket->deleteLater();
      continue;
    }
    auto* client = new ClientConnection(socket, tree_, session_, this);
    connect(client, &ClientConnection::closed, this, &ScpiServer::drop);
    clients_.push_back(client);
    client->scheduleServe();
  }
  emit clientsChanged(static_cast<int>(clients_.size()));
}

void ScpiServer::drop(ClientConnection* client) {
  std::erase(clients_, client);
  client->deleteLater();
  emit clientsChanged(static_cast<int>(clients_.size()));
}

void ScpiServer::resumeAll() {
  for (ClientConnection* client : clients_) client->scheduleServe();
}
