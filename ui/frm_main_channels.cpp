// Tools > Channels... and Tools > Sequence...: the channels' names and output limits, and the
// sequence pane, docked beside the window and hidden at start; the warnings of the actions that
// leave a limited output outside its range.

#include <QAction>
#include <QPushButton>

#include "app_title.h"
#include "channels_pane.h"
#include "frm_main.h"
#include "sequence_pane.h"

void frmMain::buildChannelPanes() {
  channelsPane = new ChannelsPane(session_, services_, this);
  addDockWidget(Qt::RightDockWidgetArea, channelsPane);
  channelsPane->hide();
  sequencePane = new SequencePane(session_, services_, this);
  addDockWidget(Qt::RightDockWidgetArea, sequencePane);
  sequencePane->hide();
  // The panes' controls that write the chip: the frame and the start of a sequence (not Stop).
  context_.chipControls().add(
      {channelsPane->applyFrameButton(), sequencePane->loadButton(), sequencePane->startButton()});
}

void frmMain::wireChannelPanes() {
  connect(menus.mnuChannels, &QAction::triggered, this, [this] {
    channelsPane->rebuild();
    channelsPane->show();
    channelsPane->raise();
  });
  connect(menus.mnuSequence, &QAction::triggered, this, [this] {
    sequencePane->show();
    sequencePane->raise();
  });
}

void frmMain::sequenceChanged() {
  lockChipControls();
}

// The status bar always; a message box too when the window's own RESET, CLR or power-down test
// did it, so that the operator who pressed it sees it.
void frmMain::limitWarning(const std::string& text) {
  showStatus(QString::fromStdString(text));
  if (context_.ownChange() && text.rfind("New limit:", 0) != 0) {
    services_.message({QString::fromStdString(text), appTitle(), MessageIcon::Exclamation});
  }
}
