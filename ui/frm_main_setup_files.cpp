// File > "Save Setup..." and "Load Setup...": the register model to a setup file and back. A
// loaded setup goes through the session as the operator's writes, so every display follows it.

#include <QAction>

#include "frm_main.h"
#include "setup_file.h"
#include "window_action.h"

namespace {

const QString kFilter = QStringLiteral("Setups (*.json);;All files (*)");

}  // namespace

void frmMain::mnuSaveSetup_Click() {
  SavedSetup setup;
  // Before the file dialog: a setup that cannot be saved asks for no file name.
  if (const Refused refused = CaptureSetup(session_, setup)) {
    services_.message(
        {QString::fromStdString(refused->text) + QStringLiteral(": the setup was not saved"),
         QStringLiteral("Save Setup"), MessageIcon::Exclamation});
    return;
  }
  const QString path = services_.saveFileName(QStringLiteral("Save Setup"), kFilter);
  if (path.isEmpty()) return;
  const QString error = WriteSetupFile(path, setup);
  if (!error.isEmpty()) {
    services_.message({error, QStringLiteral("Save Setup"), MessageIcon::Exclamation});
  }
}

void frmMain::mnuLoadSetup_Click() {
  const QString path = services_.openFileName(QStringLiteral("Load Setup"), kFilter);
  if (path.isEmpty()) return;
  const SetupRead read = ReadSetupFile(path);
  if (!read.setup) {
    services_.message({read.error, QStringLiteral("Load Setup"), MessageIcon::Exclamation});
    return;
  }
  restoreSetup(*read.setup, menus.mnuLoadSetup->text());
}

void frmMain::restoreSetup(const SavedSetup& setup, const QString& origin) {
  const WindowAction action(context_, origin, WindowAction::Displays::Follow);
  if (const Refused refused = RestoreSetup(session_, setup)) {
    services_.message({QString::fromStdString(refused->text), QStringLiteral("Load Setup"),
                       MessageIcon::Exclamation});
  }
}

void frmMain::wireSetupFiles() {
  connect(menus.mnuSaveSetup, &QAction::triggered, this, &frmMain::mnuSaveSetup_Click);
  connect(menus.mnuLoadSetup, &QAction::triggered, this, &frmMain::mnuLoadSetup_Click);
}
