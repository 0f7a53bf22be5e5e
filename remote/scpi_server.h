#pragma once
// The SCPI server: a raw TCP socket (port 5025 by default, as instruments have it) on the
// program's one thread, serving any number of clients each with its own error queue and status.
// A command never runs inside an operator action of the window: while the session's action gate
// is closed, every client waits, and all go on once it opens.

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <memory>
#include <vector>

#include "command_tree.h"
#include "session.h"

class ClientConnection;

class ScpiServer : public QObject {
  Q_OBJECT

 public:
  static constexpr quint16 kDefaultPort = 5025;
  static constexpr std::size_t kMaxClients = 64;

  explicit ScpiServer(Session& session, QObject* parent = nullptr);
  ~ScpiServer() override;

  // Starts listening; false, with the reason in `error`, when the address cannot be bound.
  bool listen(const QHostAddress& address, quint16 port, QString& error);
  // "127.0.0.1:5025", the port being the one bound (with port 0, the free port taken).
  QString address() const;
  std::size_t clientCount() const { return clients_.size(); }
  // The replies waiting to be sent, over every client.
  qint64 backlog() const;

 signals:
  void clientsChanged(int count);

 private:
  void accept();
  void drop(ClientConnection* client);
  void resumeAll();

  Session& session_;
  scpi::CommandTree tree_;
  QTcpServer server_;
  std::vector<ClientConnection*> clients_;
  int gateWatch_ = 0;
};
