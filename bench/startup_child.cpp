#include "startup_child.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QMainWindow>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "auto_part_services.h"
#include "bench_report.h"
#include "board_link.h"
#include "frm_main.h"
#include "request_log.h"
#include "simulated_board.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPartZR810 = 0;
constexpr int kGiveUpMs = 20000;

long long Nanoseconds(Clock::time_point t) {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

// Waits for the first paint of `window`; once the event that painted it has been handled (the
// whole frame drawn and flushed) it prints the time and ends the event loop.
class FirstFrameWatch : public QObject {
 public:
  FirstFrameWatch(QWidget& window, Clock::time_point entry) : window_(window), entry_(entry) {
    window_.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!seen_ && watched == &window_ && event->type() == QEvent::Paint) {
      seen_ = true;
      QMetaObject::invokeMethod(
          this, [this] { frameDone(); }, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  void frameDone() {
    std::printf("%lld %lld\n", Nanoseconds(Clock::now()), Nanoseconds(entry_));
    std::fflush(stdout);
    QCoreApplication::quit();
  }

  QWidget& window_;
  Clock::time_point entry_;
  bool seen_ = false;
};

int ShowAndWait(QWidget& window, Clock::time_point entry) {
  FirstFrameWatch watch(window, entry);
  QTimer::singleShot(kGiveUpMs, [] {
    std::fprintf(stderr, "no frame painted\n");
    QCoreApplication::exit(1);
  });
  window.show();
  return QApplication::exec();
}

// As the program starts: its name and icon, the board link, the window, Form_Load, show.
int RunMainWindow(Clock::time_point entry) {
  QApplication::setApplicationName(QStringLiteral("dac-eval"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/dac-eval.png")));
  SimulatedBoard board;
  BoardLink link(board);
  Session session(link, QApplication::applicationDirPath().toStdString());
  RequestLog log(session);
  AutoPartServices services(kPartZR810);
  frmMain window(session, log, services);
  window.Form_Load();
  return ShowAndWait(window, entry);
}

int RunBareWindow(Clock::time_point entry) {
  QApplication::setApplicationName(QStringLiteral("bare"));
  QMainWindow window;
  auto* tabs = new QTabWidget(&window);
  for (int k = 0; k < 4; ++k) tabs->addTab(new QWidget, QStringLiteral("Tab %1").arg(k));
  window.setCentralWidget(tabs);
  return ShowAndWait(window, entry);
}

}  // namespace

std::string_view StartupKindName(StartupKind kind) {
  return kind == StartupKind::MainWindow ? "main" : "bare";
}

bool RunStartupChildIfAsked(int argc, char* argv[], Clock::time_point entry, int& exitCode) {
  if (argc != 3 || argv[1] != kStartupChildFlag) return false;
  const std::string_view name = argv[2];
  UseOffscreenPlatform();
  QApplication app(argc, argv);
  if (name == StartupKindName(StartupKind::MainWindow)) {
    exitCode = RunMainWindow(entry);
  } else if (name == StartupKindName(StartupKind::BareWindow)) {
    exitCode = RunBareWindow(entry);
  } else {
    std::fprintf(stderr, "unknown window kind %s\n", argv[2]);
    exitCode = 2;
  }
  return true;
}
