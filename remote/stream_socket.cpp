#include "stream_socket.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#endif

#include <algorithm>
#include <utility>

namespace {

#ifdef _WIN32
using Native = SOCKET;
constexpr int kShutdownSend = SD_SEND;
bool WouldBlock() {
  return WSAGetLastError() == WSAEWOULDBLOCK;
}
bool Interrupted() {
  return false;
}
void CloseNative(Native s) {
  closesocket(s);
}
void MakeNonBlocking(Native s) {
  u_long on = 1;
  ioctlsocket(s, FIONBIO, &on);
}
long SendNative(Native s, const char* data, std::size_t size) {
  return send(s, data, static_cast<int>(std::min<std::size_t>(size, INT32_MAX)), 0);
}
long ReceiveNative(Native s, char* data, std::size_t size) {
  return recv(s, data, static_cast<int>(std::min<std::size_t>(size, INT32_MAX)), 0);
}
#else
using Native = int;
constexpr int kShutdownSend = SHUT_WR;
bool WouldBlock() {
  return errno == EAGAIN || errno == EWOULDBLOCK;
}
bool Interrupted() {
  return errno == EINTR;
}
void CloseNative(Native s) {
  ::close(s);
}
void MakeNonBlocking(Native s) {
  ::fcntl(s, F_SETFL, ::fcntl(s, F_GETFL) | O_NONBLOCK);
}
long SendNative(Native s, const char* data, std::size_t size) {
  return ::send(s, data, size, MSG_NOSIGNAL);  // a peer gone is an error, not SIGPIPE
}
long ReceiveNative(Native s, char* data, std::size_t size) {
  return ::recv(s, data, size, 0);
}
#endif

Native NativeOf(qintptr fd) {
  return static_cast<Native>(fd);
}

void SetTcpOption(qintptr fd, int option, int value) {
  ::setsockopt(NativeOf(fd), IPPROTO_TCP, option, reinterpret_cast<const char*>(&value),
               sizeof value);
}

}  // namespace

StreamSocket::StreamSocket(qintptr descriptor, QObject* parent)
    : QObject(parent),
      fd_(descriptor),
      readNotifier_(descriptor, QSocketNotifier::Read),
      writeNotifier_(descriptor, QSocketNotifier::Write) {
  MakeNonBlocking(NativeOf(fd_));
  SetTcpOption(fd_, TCP_NODELAY, 1);
  acknowledgeAtOnce();
  sockaddr_storage peer{};
  socklen_t length = sizeof peer;
  if (::getpeername(NativeOf(fd_), reinterpret_cast<sockaddr*>(&peer), &length) == 0) {
    peerAddress_.setAddress(reinterpret_cast<const sockaddr*>(&peer));
    peerPort_ =
        ntohs(peer.ss_family == AF_INET6 ? reinterpret_cast<const sockaddr_in6*>(&peer)->sin6_port
                                         : reinterpret_cast<const sockaddr_in*>(&peer)->sin_port);
  }
  writeNotifier_.setEnabled(false);
  connect(&readNotifier_, &QSocketNotifier::activated, this, [this] { emit readyRead(); });
  connect(&writeNotifier_, &QSocketNotifier::activated, this, &StreamSocket::writeQueued);
}

StreamSocket::~StreamSocket() {
  closeDescriptor();
}

void StreamSocket::acknowledgeAtOnce() {
#ifdef TCP_QUICKACK
  // Linux leaves quick-ACK mode by itself after a while: set again after every read.
  SetTcpOption(fd_, TCP_QUICKACK, 1);
#endif
}

StreamSocket::Input StreamSocket::receive(char* buffer, std::size_t size, std::size_t& got) {
  got = 0;
  if (closed_) return Input::Failed;
  for (;;) {
    const long n = ReceiveNative(NativeOf(fd_), buffer, size);
    if (n > 0) {
      got = static_cast<std::size_t>(n);
      acknowledgeAtOnce();
      return Input::Data;
    }
    if (n == 0) return Input::Ended;
    if (Interrupted()) continue;
    return WouldBlock() ? Input::Nothing : Input::Failed;
  }
}

void StreamSocket::watchInput(bool on) {
  if (!closed_ && readNotifier_.isEnabled() != on) readNotifier_.setEnabled(on);
}

void StreamSocket::send(std::string bytes) {
  if (broken_ || closed_ || bytes.empty()) return;
  unsent_ += bytes.size();
  queue_.push_back(std::move(bytes));
  writeQueued();
}

void StreamSocket::finish() {
  finishing_ = true;
  writeQueued();
}

void StreamSocket::writeQueued() {
  while (!queue_.empty() && !broken_ && !closed_) {
    const std::string& head = queue_.front();
    const long n = SendNative(NativeOf(fd_), head.data() + headSent_, head.size() - headSent_);
    if (n < 0) {
      if (Interrupted()) continue;
      if (WouldBlock()) break;
      broken_ = true;  // reset by the peer: what it has not read is lost to it alone
      queue_.clear();
      unsent_ = 0;
      break;
    }
    headSent_ += static_cast<std::size_t>(n);
    unsent_ -= static_cast<std::size_t>(n);
    if (headSent_ == head.size()) {
      queue_.pop_front();
      headSent_ = 0;
    }
  }
  if (closed_) return;
  writeNotifier_.setEnabled(!queue_.empty() && !broken_);
  if (finishing_ && queue_.empty()) {
    if (!broken_) ::shutdown(NativeOf(fd_), kShutdownSend);
    closeDescriptor();
    emit finished();
    return;
  }
  emit bytesSent();
}

void StreamSocket::closeDescriptor() {
  if (closed_) return;
  closed_ = true;
  readNotifier_.setEnabled(false);
  writeNotifier_.setEnabled(false);
  CloseNative(NativeOf(fd_));
}
