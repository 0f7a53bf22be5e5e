// The program without a window: the session on its board link, started as the window starts it,
// its request log, and the SCPI server. No display is needed.

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <memory>

#include "catalogue.h"
#include "program_core.h"
#include "quit_on_signal.h"
#include "remote_start.h"
#include "run_modes.h"

int RunHeadless(const Options& options, const char* programPath,
                const std::optional<SavedSetup>& setup) {
  int argc = 1;
  char* argv[] = {const_cast<char*>(programPath), nullptr};
  QCoreApplication app(argc, argv);
  QuitOnTerminationSignals();

  // The folder as the platform writes it (backslashes on Windows): the firmware path is built on
  // it.
  ProgramCore core(options,
                   QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString());
  Session& session = core.session;
  if (!core.openLogFile(options)) return kBadStartExitCode;
  QString reason;
  const std::unique_ptr<ScpiServer> server =
      StartServer(session, *options.remote, options.remoteClients, reason);
  if (!server) {
    std::fprintf(stderr, "dac-eval: %s\n", qPrintable(reason));
    return kBadStartExitCode;
  }

  // The model, then the start-up the window runs too.
  session.chooseModel(PartCatalogue().at(static_cast<std::size_t>(*options.model)));
  session.start([](const std::string& text, const std::string& title) {
    std::fprintf(stderr, "dac-eval: %s (%s)\n", text.c_str(), title.c_str());
  });
  if (setup) {
    const Session::Origin origin(session, "--setup");
    if (const Refused refused = RestoreSetup(session, *setup)) {
      std::fprintf(stderr, "dac-eval: --setup: %s\n", refused->text.c_str());
    }
  }
  core.runTimers(app);
  return QCoreApplication::exec();
}
