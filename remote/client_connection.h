#pragma once
// One remote client: its socket, its SCPI state (error queue, status, header path) and the
// lines on their way from the socket to the command tree.
//
// Nothing the client sends is lost: the end of its input (a half-close) runs every line already
// received, and a last line without LF, before the connection closes; a client that resets the
// connection loses only its own replies.
//
// Its memory stays bounded whatever it sends: at most kInput bytes are read ahead, a partial line
// is at most 64 KiB, one line's reply at most 4 MiB, and before every message unit the replies
// not yet taken by the peer are checked against kMaxBacklog: past it the client is no longer
// read (its input waits in the kernel, its sends block) until it reads. Work is cut into slices
// between message units, so that the window and the other clients keep their turn.

#include <QObject>
#include <array>
#include <string>

#include "connection.h"
#include "line_assembler.h"
#include "session.h"
#include "stream_socket.h"

class ClientConnection : public QObject {
  Q_OBJECT

 public:
  static constexpr std::size_t kInput = 16 * 1024;
  static constexpr std::size_t kMaxBacklog = 256 * 1024;
  // Reply text handed to the socket once a line has made this much, rather than at its end.
  static constexpr std::size_t kReplyPiece = 64 * 1024;

  ClientConnection(qintptr descriptor, const scpi::CommandTree& tree, Session& session,
                   QObject* parent);

  // Runs what has arrived, as far as the gate, the backlog and this turn's slice allow; asks for
  // another turn when work is left.
  void serve();
  // Serves on the next turn of the event loop (never inside the caller).
  void scheduleServe();
  // How long one turn of this client may run (the server shares a round between its clients).
  void setSlice(qint64 nanoseconds) { sliceNs_ = nanoseconds; }

  // "127.0.0.1:40112".
  QString peerName() const;
  // Who the session's actions are for: "remote 127.0.0.1:40112".
  const std::string& origin() const { return origin_; }
  // Replies not yet taken by the peer.
  std::size_t backlog() const { return socket_->unsent(); }

 signals:
  void closed(ClientConnection* client);

 private:
  enum class Work { Done, Waiting, More };
  // One message unit, or the next line begun, or more input read.
  Work next();
  bool beginNextLine();
  Work readInput();
  void runUnit();
  void sendReply(bool lineEnded);
  void endOfInput(bool clean);

  StreamSocket* socket_;
  Session& session_;
  std::string origin_;  // "remote 127.0.0.1:40112": who the session's actions are for
  scpi::Connection scpi_;
  scpi::LineAssembler lines_;
  std::array<char, kInput> input_{};
  std::size_t inputAt_ = 0;
  std::size_t inputEnd_ = 0;
  bool inputEnded_ = false;
  qint64 sliceNs_ = 4'000'000;
  bool scheduled_ = false;
  bool closing_ = false;
};
