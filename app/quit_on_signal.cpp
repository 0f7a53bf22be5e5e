#include "quit_on_signal.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>

#ifdef Q_OS_UNIX
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

// Only a write is safe here; the event loop reads the pipe and quits.
void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

void QuitOnTerminationSignals() {
  if (::pipe(signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] { QCoreApplication::quit(); });
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
}
#else
void QuitOnTerminationSignals() {}
#endif
