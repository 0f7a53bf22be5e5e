// The "Output Voltages" tab as a view of the session: the labels worked out when the tab is
// shown, the bar chart made the first time, and the channels' names as the labels' tooltips.

#include "voltages_view.h"

#include <QLabel>

#include "channel_tip.h"
#include "control_factory.h"
#include "output_chart.h"
#include "transfer_function.h"
#include "twips.h"
#include "window_context.h"

VoltagesView::VoltagesView(WindowContext& context, QWidget* page)
    : context_(context), session_(context.session()) {
  buildVoltagesTab(page);
  session_.addListener(*this);
}

VoltagesView::~VoltagesView() {
  session_.removeListener(*this);
}

const ChipModel& VoltagesView::chip() const {
  return session_.chip();
}

void VoltagesView::hideUnusedLabels(int outputLabels) {
  for (int i = outputLabels; i < kChannelCount; ++i) {
    tab3.lblvout[static_cast<std::size_t>(i)]->hide();
  }
}

void VoltagesView::SSTab1_Click() {
  refreshOutputVoltages();
  showOutputChart();
}

void VoltagesView::refreshOutputVoltages() {
  const ReferenceTexts& references = session_.references();
  const PartInfo* part = chip().part();
  // Every label, hidden ones included, in ascending order.
  for (int i = 0; i < kChannelCount; ++i) {
    QLabel* label = tab3.lblvout[static_cast<std::size_t>(i)];
    const int record = OutputLabelRecord(part, i);
    const std::optional<std::string> volts =
        TransferFunction(chip(), static_cast<int16_t>(record), references);
    if (volts) {
      label->setText(QStringLiteral("Vout%1=%2V").arg(i).arg(QString::fromStdString(*volts)));
      label->setToolTip(QString());
    } else {
      const int set = ReferenceSetOf(chip().PartName, record);
      label->setText(QStringLiteral("Vout%1=VREF%2?").arg(i).arg(set));
      label->setToolTip(QStringLiteral("VREF%1 is not a number").arg(set));
    }
    fitCaption(label);  // a long voltage such as -10.0000V is never cut off
  }
}

// Below the five rows of labels, across the tab. Made when the tab is first shown, so that the
// chart costs nothing at start-up.
void VoltagesView::showOutputChart() {
  if (outputChart != nullptr) return;
  outputChart = new OutputChart(session_, tab3.lblvout[0]->parentWidget());
  outputChart->setGeometry(twipsRect(105, 3150, 11300, 3450));
  outputChart->rebuild();
  outputChart->show();
}

void VoltagesView::channelLabelChanged(int dac) {
  const PartInfo* part = chip().part();
  const QString tip = ChannelTip(session_, dac);
  for (int i = 0; i < kChannelCount; ++i) {
    if (OutputLabelRecord(part, i) == dac) tab3.lblvout.at(static_cast<size_t>(i))->setToolTip(tip);
  }
}
