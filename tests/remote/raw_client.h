#pragma once
// A plain POSIX TCP client for the server tests: unlike QTcpSocket it reads only when told to,
// so that a client that never reads is really one that never reads.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class RawClient {
 public:
  // Connects to 127.0.0.1:port; `receiveBuffer` > 0 shrinks the kernel's receive buffer.
  explicit RawClient(uint16_t port, int receiveBuffer = 0);
  ~RawClient();
  RawClient(const RawClient&) = delete;
  RawClient& operator=(const RawClient&) = delete;

  bool connected() const { return fd_ >= 0; }
  // Sends as much of `bytes` as the kernel takes without blocking; the count sent.
  std::size_t sendSome(std::string_view bytes);
  // Whatever has arrived, without blocking.
  std::string receiveSome();
  void close();

 private:
  int fd_ = -1;
};
