// Start-up of the main window, re-initialisation after a reset or reload, the refresh of the
// output voltages when their tab is selected, and closing.

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <memory>

#include "control_factory.h"
#include "frm_main.h"
#include "frm_part_select.h"
#include "register_display.h"
#include "shape_widget.h"
#include "suppress_events.h"
#include "transfer_function.h"
#include "value_label.h"
#include "window_action.h"
#include "window_caption.h"

namespace {

constexpr int kOutputVoltagesTab = 3;
constexpr int kFirstChannelItem = 2;  // after "Mon_In0" and "Mon_In1"

}  // namespace

void frmMain::Form_Load(std::optional<int> preselected) {
  if (preselected) {
    applySetup(*preselected);
  } else {
    frmPartSelect chooser(*this);
    services_.runModal(chooser);
  }
  setWindowTitle(windowCaption(chip()));
  win.SSTab1->setCurrentIndex(0);
  TextSelIndex = 0;
  const WindowAction action(*this, QStringLiteral("start-up"));
  session_.start(failedLoadBox(), [this] { showModelControls(); });
}

// The model's own controls and the registers of record 0, once the session has the model's
// defaults and power-on records; shown before the board is connected.
void frmMain::showModelControls() {
  const PartInfo* part = chip().part();
  if (part != nullptr && part->monitorEntries > 0) {
    tab1.fraMonControls->show();
    tab1.fraGPIO->show();
    for (int k = 0; k < part->monitorEntries; ++k) {
      tab1.cboMonChannel->addItem(QStringLiteral("DAC %1").arg(k));
    }
    win.SSTab1->setTabText(1, QStringLiteral("Offset DACs && Monitor Functions"));
    const SuppressEventsGuard guard(SuppressEvents);
    tab1.cboMonChannel->setCurrentIndex(kFirstChannelItem);
  }

  ShowRegistersOf(0);

  if (part != nullptr) {
    for (int i = part->outputLabels; i < kChannelCount; ++i) {
      tab3.lblvout[static_cast<std::size_t>(i)]->hide();
    }
  }
}

void frmMain::SSTab1_Click(int) {
  if (win.SSTab1->currentIndex() != kOutputVoltagesTab) return;
  refreshOutputVoltages();
  showOutputChart();
}

void frmMain::ShowRegistersOf(int index) {
  const DAC& record = chip().DACs[static_cast<std::size_t>(index)];
  diagram.lblXA->setText(registerDisplay(record.X1A()));
  diagram.lblXB->setText(registerDisplay(record.X1B()));
  diagram.lblX2A->setText(registerDisplay(record.X2A));
  diagram.lblX2B->setText(registerDisplay(record.X2B));
  diagram.lblM->setText(registerDisplay(record.M()));
  diagram.lblC->setText(registerDisplay(record.C()));
  diagram.DACregister->setText(registerDisplay(record.DACregValue()));
}

void frmMain::refreshOutputVoltages() {
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

void frmMain::closeEvent(QCloseEvent* event) {
  // Every other window of the program goes with the main window; nothing goes to the board.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != this && window->isVisible()) window->close();
  }
  event->accept();
}

void frmMain::wireStartup() {
  auto previousTab = std::make_shared<int>(0);
  connect(win.SSTab1, &QTabWidget::currentChanged, this, [this, previousTab](int current) {
    SSTab1_Click(*previousTab);
    *previousTab = current;
  });
}
