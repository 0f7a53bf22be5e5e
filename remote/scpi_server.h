#pragma once
// The SCPI server: a raw TCP socket (port 5025 by default, as instruments have it) on the
// program's one thread, serving up to clientLimit() clients each with its own error queue and
// status. A command never runs inside an operator action of the window: while the session's
// action gate is closed, every client waits, and all go on once it opens.
//
// Memory: each client holds at most about kClientMemory bytes whatever it sends (see
// ClientConnection), so the whole server at most clientLimit() times that.

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <vector>

#include "client_connection.h"
#include "command_tree.h"
#include "session.h"

// Hands over each accepted connection's native descriptor, for a StreamSocket of its own.
class DescriptorServer : public QTcpServer {
  Q_OBJECT

 signals:
  void accepted(qintptr descriptor);

 protected:
  void incomingConnection(qintptr descriptor) override { emit accepted(descriptor); }
};

class ScpiServer : public QObject {
  Q_OBJECT

 public:
  static constexpr quint16 kDefaultPort = 5025;
  static constexpr int kDefaultClients = 64;
  static constexpr int kMostClients = 1024;
  // What one client can make the server hold: its input and line (150 KiB), its largest single
  // answer (the simulated board's word list, under 600 KB) twice, on its way to the socket with a
  // reply piece, and the replies its peer has not taken (256 KiB past which it is no longer
  // served).
  static constexpr std::size_t kClientMemory = 3 * 1024 * 1024;

  explicit ScpiServer(Session& session, QObject* parent = nullptr);
  ~ScpiServer() override;

  // Starts listening; false, with the reason in `error`, when the address cannot be bound.
  bool listen(const QHostAddress& address, quint16 port, QString& error);
  // "127.0.0.1:5025", the port being the one bound (with port 0, the free port taken).
  QString address() const;
  // How many clients may be connected at once (1 to kMostClients).
  void setClientLimit(int limit) { clientLimit_ = limit; }
  int clientLimit() const { return clientLimit_; }
  std::size_t clientCount() const { return clients_.size(); }
  // The replies waiting to be sent, over every client.
  qint64 backlog() const;

 signals:
  void clientsChanged(int count);
  // A client was turned away, every place being taken; `peer` is "127.0.0.1:40112".
  void clientRefused(const QString& peer);

 private:
  void accept(qintptr descriptor);
  void refuse(qintptr descriptor);
  void drop(ClientConnection* client);
  void resumeAll();
  // Shares one round of the event loop between the clients: each turn shorter as there are more.
  void shareRounds();

  Session& session_;
  scpi::CommandTree tree_;
  DescriptorServer server_;
  std::vector<ClientConnection*> clients_;
  int clientLimit_ = kDefaultClients;
  int gateWatch_ = 0;
};
