#include "remote_start.h"

#include <cstdio>

namespace {

std::optional<QHostAddress> HostAddress(const std::string& text) {
  const QString name = QString::fromStdString(text);
  if (name.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0)
    return QHostAddress(QHostAddress::LocalHost);
  QHostAddress address;
  if (!address.setAddress(name)) return std::nullopt;
  return address;
}

}  // namespace

std::unique_ptr<ScpiServer> StartServer(Session& session, const RemoteEndpoint& endpoint,
                                        int clientLimit, QString& error) {
  const std::optional<QHostAddress> address = HostAddress(endpoint.address);
  if (!address) {
    error = QStringLiteral("--remote: %1 is not an IP address")
                .arg(QString::fromStdString(endpoint.address));
    return nullptr;
  }
  auto server = std::make_unique<ScpiServer>(session);
  server->setClientLimit(clientLimit);
  QString reason;
  if (!server->listen(*address, endpoint.port, reason)) {
    error = QStringLiteral("remote control cannot listen on %1:%2: %3")
                .arg(QString::fromStdString(endpoint.address))
                .arg(endpoint.port)
                .arg(reason);
    return nullptr;
  }
  std::printf("SCPI server listening on %s\n", qPrintable(server->address()));
  std::fflush(stdout);
  if (!address->isLoopback()) {
    std::fprintf(stderr,
                 "dac-eval: warning: remote control listens on %s: anyone who can reach that "
                 "address and port can drive the board\n",
                 qPrintable(server->address()));
  }
  return server;
}
