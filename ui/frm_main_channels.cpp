// Tools > Channels... and Tools > Sequence...: the channels' names and output limits, and the
// sequence pane, docked beside the window and hidden at start; the names as tooltips of each
// channel's button and output label; the warnings of the actions that leave a limited output
// outside its range.

#include <QAction>
#include <QLabel>
#include <QRadioButton>

#include "app_title.h"
#include "channel_number.h"
#include "channels_pane.h"
#include "frm_main.h"
#include "output_chart.h"
#include "sequence_pane.h"
#include "twips.h"

void frmMain::buildChannelPanes() {
  channelsPane = new ChannelsPane(session_, services_, this);
  addDockWidget(Qt::RightDockWidgetArea, channelsPane);
  channelsPane->hide();
  sequencePane = new SequencePane(session_, services_, this);
  addDockWidget(Qt::RightDockWidgetArea, sequencePane);
  sequencePane->hide();
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

// Below the five rows of labels, across the tab. Made when the tab is first shown, so that the
// chart costs nothing at start-up.
void frmMain::showOutputChart() {
  if (outputChart != nullptr) return;
  outputChart = new OutputChart(session_, tab3.lblvout[0]->parentWidget());
  outputChart->setGeometry(twipsRect(105, 3150, 11300, 3450));
  outputChart->rebuild();
  outputChart->show();
}

void frmMain::sequenceChanged() {
  lockChipControls(session_.remoteMode() == RemoteMode::Locked || session_.sequencer().running());
}

void frmMain::channelLabelChanged(int dac) {
  const ChannelLabel& label = session_.channelLabel(dac);
  const PartInfo* part = chip().part();
  const QString tip = label.name.empty()
                          ? QString()
                          : QString::fromStdString(ChannelTitle(ChannelOfRecord(part, dac), label));
  if (static_cast<size_t>(dac) < tab0.chkDAC.size()) {
    if (QRadioButton* button = tab0.chkDAC.at(static_cast<size_t>(dac))) button->setToolTip(tip);
  }
  for (int i = 0; i < kChannelCount; ++i) {
    if (OutputLabelRecord(part, i) == dac) tab3.lblvout.at(static_cast<size_t>(i))->setToolTip(tip);
  }
}

// The status bar always; a message box too when the window's own RESET, CLR or power-down test
// did it, so that the operator who pressed it sees it.
void frmMain::limitWarning(const std::string& text) {
  showStatus(QString::fromStdString(text));
  if (ownChange() && text.rfind("New limit:", 0) != 0) {
    services_.message({QString::fromStdString(text), appTitle(), MessageIcon::Exclamation});
  }
}
