// A remote client in charge of the window: SYSTem:REMote names it in the status bar, and
// SYSTem:RWLock also disables every control that acts on the chip, so that no message box can
// open and hold up a script; SYSTem:LOCal, or the client leaving, gives the window back.

#include <QLabel>
#include <QStatusBar>

#include "frm_main.h"
#include "sequence_pane.h"

void frmMain::remoteModeChanged() {
  const RemoteMode mode = session_.remoteMode();
  lockChipControls();
  if (win.lblRemote == nullptr) {
    win.lblRemote = new QLabel;
    win.lblRemote->setObjectName(QStringLiteral("lblRemote"));
    statusBar()->addPermanentWidget(win.lblRemote);
  }
  QString client = QString::fromStdString(session_.remoteClient());
  client.remove(QStringLiteral("remote "));
  switch (mode) {
    case RemoteMode::Local:
      return win.lblRemote->clear();
    case RemoteMode::Remote:
      return win.lblRemote->setText(QStringLiteral("Remote (%1)").arg(client));
    case RemoteMode::Locked:
      return win.lblRemote->setText(QStringLiteral("Remote, window locked (%1)").arg(client));
  }
}

// While a remote client holds the window locked or a sequence plays.
void frmMain::lockChipControls() {
  context_.chipControls().setLocked(session_.remoteMode() == RemoteMode::Locked ||
                                    session_.sequencer().running());
}
