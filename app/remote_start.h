#pragma once
// Starts the SCPI server where the command line asked, and says where it listens.

#include <QString>
#include <memory>

#include "options.h"
#include "scpi_server.h"

// The server, listening; nullptr with a one-line reason in `error` when the address is not one
// or cannot be bound (a port in use). Prints the address it listens on as one line on standard
// output, and a warning on standard error when that address is not the loopback.
std::unique_ptr<ScpiServer> StartServer(Session& session, const RemoteEndpoint& endpoint,
                                        int clientLimit, QString& error);
