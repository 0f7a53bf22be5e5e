// The "Offset DACs" tab as a view of the session: its construction, the model's rows and frames,
// the pulse buttons of the tab, and the displays that follow the session whatever changed it.

#include "offset_view.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "register_display.h"
#include "shape_widget.h"
#include "suppress_events.h"
#include "transfer_function.h"
#include "window_action.h"
#include "window_context.h"

namespace {

constexpr int kFirstChannelItem = 2;  // after "Mon_In0" and "Mon_In1"

// The monitored-channel list's item that a monitor state names.
int MonitorItem(int32_t state) {
  if ((state & 0x10) != 0) return state & 0x1;
  return kFirstChannelItem + (state & 0xF);
}

}  // namespace

OffsetView::OffsetView(WindowContext& context, QWidget* page)
    : context_(context), session_(context.session()) {
  buildOffsetTab(page);
  wireOffsets();
  wireMonitor();
  wirePulses();
  ChipControlLock& lock = context_.chipControls();
  lock.add({tab1.fraMonControls, tab1.fraGPIO, tab1.Command4, tab1.Command5, tab1.Command6,
            tab1.cmdPowerDownTest});
  lock.addAll(tab1.cmdOFFSET);
  session_.addListener(*this);
}

OffsetView::~OffsetView() {
  session_.removeListener(*this);
}

const ChipModel& OffsetView::chip() const {
  return session_.chip();
}

void OffsetView::showModel(const PartInfo& part) {
  if (part.showOffsetDac2) {
    tab1.cmdOFFSET[2]->show();
    tab1.txtOffsetValue[2]->show();
    tab1.Line8->show();
    tab1.Label6[2]->show();
  }
}

void OffsetView::showMonitorControls(int monitorEntries) {
  tab1.fraMonControls->show();
  tab1.fraGPIO->show();
  for (int k = 0; k < monitorEntries; ++k) {
    tab1.cboMonChannel->addItem(QStringLiteral("DAC %1").arg(k));
  }
  const SuppressEventsGuard guard(SuppressEvents);
  tab1.cboMonChannel->setCurrentIndex(kFirstChannelItem);
}

// The pulse buttons of the tab, as those beside the entry boxes and on the signals tab.
void OffsetView::Command4_Click() {
  const WindowAction action(context_, tab1.Command4->text());
  context_.showRefusal(session_.pulseLdac());
}

void OffsetView::Command5_Click() {
  const WindowAction action(context_, tab1.Command5->text());
  session_.pulseReset();
}

// CLR pulse: low then high.
void OffsetView::Command6_Click() {
  const WindowAction action(context_, tab1.Command6->text());
  session_.pulseClr();
}

void OffsetView::cmdPowerDownTest_Click() {
  const WindowAction action(context_, tab1.cmdPowerDownTest->text());
  session_.powerDownTest();
}

void OffsetView::wirePulses() {
  connect(tab1.Command4, &QPushButton::clicked, this, &OffsetView::Command4_Click);
  connect(tab1.Command5, &QPushButton::clicked, this, &OffsetView::Command5_Click);
  connect(tab1.Command6, &QPushButton::clicked, this, &OffsetView::Command6_Click);
  connect(tab1.cmdPowerDownTest, &QPushButton::clicked, this, &OffsetView::cmdPowerDownTest_Click);
}

void OffsetView::defaultsApplied() {
  const std::optional<OffsetDefaults> defaults = OffsetDefaultsFor(chip().PartName);
  if (!defaults) return;
  const QString offsetText = QString::fromStdString(defaults->offsetText);
  for (QLineEdit* box : tab1.txtOffsetValue) box->setText(offsetText);
}

// The window's own write leaves the box as the operator typed it.
void OffsetView::offsetDacWritten(int k) {
  if (context_.ownChange()) return;
  tab1.txtOffsetValue.at(static_cast<size_t>(k))->setText(registerDisplay(chip().OffsetDAC(k)));
}

void OffsetView::monitorChanged() {
  if (context_.ownChange()) return;
  const int32_t state = session_.monitorState();
  const bool enabled = session_.monitorEnabled();
  tab1.cboDisable->setCurrentIndex(enabled ? 1 : 0);
  tab1.cboMonChannel->setEnabled(enabled);
  const SuppressEventsGuard guard(SuppressEvents);
  const int item = MonitorItem(state);
  if (item < tab1.cboMonChannel->count()) tab1.cboMonChannel->setCurrentIndex(item);
}

void OffsetView::gpioModeChanged() {
  const SuppressEventsGuard guard(SuppressEvents);
  tab1.chkGPIO.at(static_cast<size_t>(session_.gpioMode()))->setChecked(true);
}

void OffsetView::gpioLevelRead() {
  const bool high = session_.gpioLevel().value_or(false);
  tab1.lblGPIOinput->setText(high ? QStringLiteral("=HIGH") : QStringLiteral("=LOW"));
}
