#pragma once
// One remote client: its socket, its SCPI state (error queue, status, header path) and the
// lines on their way from the socket to the command tree.
//
// Its memory stays bounded however long a script runs: Qt reads at most kReadBuffer bytes ahead,
// a partial line is at most 64 KiB, and while more than kMaxBacklog bytes of replies wait for a
// client that does not read, no further line of it is read, so that the client's own sends
// block instead. Work is done in slices, so that the window and the other clients keep their
// turn.

#include <QObject>
#include <QTcpSocket>

#include "connection.h"
#include "line_assembler.h"
#include "session.h"

class ClientConnection : public QObject {
  Q_OBJECT

 public:
  static constexpr qint64 kReadBuffer = 256 * 1024;
  static constexpr qint64 kMaxBacklog = 1024 * 1024;
  static constexpr qint64 kReadChunk = 16 * 1024;

  ClientConnection(QTcpSocket* socket, const scpi::CommandTree& tree, Session& session,
                   QObject* parent);

  // Runs what has arrived, as far as the gate, the backlog and this turn's slice allow; asks for
  // another turn when input is left.
  void serve();
  // Serves on the next turn of the event loop (never inside the caller).
  void scheduleServe();

  QString peerName() const;
  qint64 backlog() const { return socket_->bytesToWrite(); }

 signals:
  void closed(ClientConnection* client);

 private:
  bool readChunk();

  QTcpSocket* socket_;
  Session& session_;
  std::string origin_;  // "remote 127.0.0.1:40112": who the session's actions are for
  scpi::Connection scpi_;
  scpi::LineAssembler lines_;
  bool scheduled_ = false;
};
