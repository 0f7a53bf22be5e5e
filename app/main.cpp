// Starts the evaluation program: the vendor's driver library when it loads from its fixed path,
// the built-in simulated board otherwise, and the main window.

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <memory>

#include "board_link.h"
#include "frm_main.h"
#include "library_driver.h"
#include "simulated_board.h"
#include "window_services.h"

namespace {
std::unique_ptr<VendorDriver> chooseDriver() {
  auto library = std::make_unique<LibraryDriver>();
  if (library->Load()) return library;
  return std::make_unique<SimulatedBoard>();
}
}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("dac-eval"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/dac-eval.png")));

  const std::unique_ptr<VendorDriver> driver = chooseDriver();
  BoardLink link(*driver);
  // The folder as the platform writes it (backslashes on Windows): the firmware path is built on
  // it.
  Session session(link, QDir::toNativeSeparators(QApplication::applicationDirPath()).toStdString());
  DesktopServices services;
  frmMain window(session, services);
  window.Form_Load();
  window.show();
  return QApplication::exec();
}
