// A remote client in charge of the window: SYSTem:REMote names it in the status bar, and
// SYSTem:RWLock also disables every control that acts on the chip, so that no message box can
// open and hold up a script; SYSTem:LOCal, or the client leaving, gives the window back.

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

#include "channels_pane.h"
#include "frm_main.h"
#include "sequence_pane.h"

void frmMain::remoteModeChanged() {
  const RemoteMode mode = session_.remoteMode();
  lockChipControls(mode == RemoteMode::Locked || session_.sequencer().running());
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

// Frames are disabled whole where everything in them acts on the chip; elsewhere each control.
// Only what was enabled is disabled, and only that is enabled again.
void frmMain::lockChipControls(bool locked) {
  if (!locked) {
    for (QWidget* widget : lockedWidgets_) widget->setEnabled(true);
    for (QAction* action : lockedActions_) action->setEnabled(true);
    lockedWidgets_.clear();
    lockedActions_.clear();
    return;
  }
  if (!lockedWidgets_.empty() || !lockedActions_.empty()) return;
  std::vector<QWidget*> widgets{
      tab0.mnuPulseReset,    diagram.cmdX1A, diagram.cmdM,  diagram.cmdC,  diagram.cmdLDAC,
      tab1.fraMonControls,   tab1.fraGPIO,   tab1.Command4, tab1.Command5, tab1.Command6,
      tab1.cmdPowerDownTest, tab2.Frame6,    tab2.Command1, tab2.Command2, win.Command3};
  // The panes' controls that write the chip: the frame and the start of a sequence (not Stop).
  widgets.insert(widgets.end(), {channelsPane->applyFrameButton(), sequencePane->loadButton(),
                                 sequencePane->startButton()});
  widgets.insert(widgets.end(), diagram.optAB.begin(), diagram.optAB.end());
  widgets.insert(widgets.end(), diagram.DACoptMux2.begin(), diagram.DACoptMux2.end());
  widgets.insert(widgets.end(), diagram.txtVREF.begin(), diagram.txtVREF.end());
  widgets.insert(widgets.end(), tab1.cmdOFFSET.begin(), tab1.cmdOFFSET.end());
  widgets.insert(widgets.end(), tab2.cmdRESET.begin(), tab2.cmdRESET.end());
  for (QWidget* widget : widgets) {
    if (widget == nullptr || widget->testAttribute(Qt::WA_ForceDisabled)) continue;
    widget->setEnabled(false);
    lockedWidgets_.push_back(widget);
  }
  for (QAction* action :
       {menus.mnuReload, menus.mnuLoadSetup, menus.mnuSetVoltage, menus.mnuVerifyChip}) {
    if (action == nullptr || !action->isEnabled()) continue;
    action->setEnabled(false);
    lockedActions_.push_back(action);
  }
}
