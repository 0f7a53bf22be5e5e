// The program with its window: the board link, the session, the window, and the SCPI server when
// the command line asks for it.

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <cstdio>
#include <memory>
#include <vector>

#include "frm_main.h"
#include "program_core.h"
#include "remote_start.h"
#include "run_modes.h"
#include "window_services.h"

namespace {

QString RemoteStatus(const ScpiServer& server) {
  const auto clients = static_cast<int>(server.clientCount());
  return QStringLiteral("Remote control on %1 (%2 %3)")
      .arg(server.address())
      .arg(clients)
      .arg(clients == 1 ? QStringLiteral("client") : QStringLiteral("clients"));
}

}  // namespace

int RunWindow(const Options& options, const char* programPath,
              const std::optional<SavedSetup>& setup) {
  // The window system reads its own options; they live as long as the application.
  std::vector<std::string> toolkitArgs{programPath};
  toolkitArgs.insert(toolkitArgs.end(), options.toolkitArgs.begin(), options.toolkitArgs.end());
  std::vector<char*> argv;
  for (std::string& arg : toolkitArgs) argv.push_back(arg.data());
  int argc = static_cast<int>(argv.size());
  QApplication app(argc, argv.data());
  QApplication::setApplicationName(QStringLiteral("dac-eval"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/dac-eval.png")));

  // The folder as the platform writes it (backslashes on Windows): the firmware path is built on
  // it.
  ProgramCore core(options,
                   QDir::toNativeSeparators(QApplication::applicationDirPath()).toStdString());
  Session& session = core.session;
  if (!core.openLogFile(options)) return kBadStartExitCode;
  DesktopServices services;
  frmMain window(session, core.log, services);

  // Listening comes first, so that a port in use ends the program before any window appears.
  std::unique_ptr<ScpiServer> server;
  if (options.remote) {
    QString reason;
    server = StartServer(session, *options.remote, options.remoteClients, reason);
    if (!server) {
      std::fprintf(stderr, "dac-eval: %s\n", qPrintable(reason));
      return kBadStartExitCode;
    }
  }
  window.Form_Load(options.model);
  if (setup) window.restoreSetup(*setup, QStringLiteral("--setup"));
  window.show();
  core.runTimers(window);
  if (server) {
    window.showStatus(RemoteStatus(*server));
    QObject::connect(server.get(), &ScpiServer::clientsChanged, &window,
                     [&window, &server] { window.showStatus(RemoteStatus(*server)); });
    QObject::connect(
        server.get(), &ScpiServer::clientRefused, &window, [&window, &server](const QString& peer) {
          window.showStatus(RemoteStatus(*server) +
                            QStringLiteral(": refused %1, no room for another").arg(peer));
        });
  }
  return QApplication::exec();
}
