// Saves pictures of the main window for the documentation: the window laid out for one model on
// the simulated board, one picture per tab, the request log pane after a few writes, plus the part
// chooser and the credits window. Every message and modal window is answered at once.
//
// Usage: dac-eval-screenshots <catalogue index 0..7> <output folder>
// scripts/screenshots.sh runs it for the pictures of docs/screenshots/ (on the offscreen platform
// unless a display is given).

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTabWidget>
#include <QTextStream>
#include <array>
#include <cstdio>

#include "board_link.h"
#include "catalogue.h"
#include "frm_main.h"
#include "picture_box.h"
#include "request_log.h"
#include "request_log_pane.h"
#include "simulated_board.h"
#include "window_services.h"

namespace {

constexpr std::array<const char*, 4> kTabFiles{"main-dacs", "offset-dacs", "signals",
                                               "output-voltages"};

void save(QWidget& widget, const QString& path) {
  QApplication::processEvents();
  if (!widget.grab().save(path)) {
    std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    return;
  }
  std::printf("%s\n", qPrintable(path));
}

// Chooses the model in the part chooser, photographs the modal windows, prints every message.
class AutoServices : public WindowServices {
 public:
  AutoServices(int part, QString folder) : part_(part), folder_(std::move(folder)) {}

 protected:
  void showMessage(const MessageSpec& shown) override {
    std::fprintf(stderr, "message: %s | %s\n", qPrintable(shown.title), qPrintable(shown.text));
  }

  void showModal(QDialog& dialog) override {
    dialog.show();
    save(dialog, QDir(folder_).filePath(dialog.objectName().toLower() + QStringLiteral(".png")));
    if (dialog.objectName() == QStringLiteral("frmPartSelect")) {
      auto* button = dialog.findChild<QAbstractButton*>(QStringLiteral("cmdPART(%1)").arg(part_));
      if (button != nullptr) button->click();
    }
    dialog.close();
  }

  void yieldToEvents() override { QApplication::processEvents(); }
  QString chooseFile(const QString&, const QString&, FileUse) override { return {}; }

 private:
  int part_;
  QString folder_;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <catalogue index 0..7> <output folder>\n", argv[0]);
    return 2;
  }
  const int part = QString::fromLocal8Bit(argv[1]).toInt();
  const QString folder = QString::fromLocal8Bit(argv[2]);
  if (part < 0 || part >= kPartCount || !QDir().mkpath(folder)) {
    std::fprintf(stderr, "bad model index or folder\n");
    return 2;
  }

  SimulatedBoard board;
  BoardLink link(board);
  Session session(link, QApplication::applicationDirPath().toStdString());
  RequestLog log(session);
  AutoServices services(part, folder);
  frmMain window(session, log, services);
  window.Form_Load();
  window.show();

  const QString model = QString::fromStdString(session.chip().PartName).toLower();
  auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("SSTab1"));
  auto* requestLog = window.findChild<QAction*>(QStringLiteral("mnuRequestLog"));
  for (int tab = 0; tab < static_cast<int>(kTabFiles.size()); ++tab) {
    tabs->setCurrentIndex(tab);
    save(window, QDir(folder).filePath(
                     QStringLiteral("%1-%2.png").arg(model, QString::fromLatin1(kTabFiles[tab]))));
  }
  // The request log under the main tab, after a write and an LDAC pulse as the operator makes them.
  tabs->setCurrentIndex(0);
  requestLog->trigger();
  window.findChild<QAbstractButton*>(QStringLiteral("cmdX1A"))->click();
  window.findChild<QAbstractButton*>(QStringLiteral("cmdLDAC"))->click();
  window.findChild<RequestLogPane*>()->refresh();
  save(window, QDir(folder).filePath(QStringLiteral("%1-request-log.png").arg(model)));
  requestLog->trigger();
  // The hidden sequence, for a picture of the credits window.
  for (const char* picture : {"Picture1", "Picture3", "Picture2"}) {
    Q_EMIT window.findChild<PictureBox*>(QString::fromLatin1(picture))->clicked();
  }
  return 0;
}
