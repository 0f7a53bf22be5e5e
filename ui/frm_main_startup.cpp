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
#include "window_caption.h"

namespace {

constexpr int kOutputVoltagesTab = 3;
constexpr int kFirstChannelItem = 2;  // after "Mon_In0" and "Mon_In1"

}  // namespace

void frmMain::Form_Load() {
  {
    frmPartSelect chooser(*this);
    services_.runModal(chooser);
  }
  setWindowTitle(windowCaption(chip_));
  UpdateOffset();
  win.SSTab1->setCurrentIndex(0);
  TextSelIndex = 0;
  chip_.ResetChannels();

  const PartInfo* part = chip_.part();
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

  LoadUSB();
}

void frmMain::Init() {
  UpdateOffset();
  TextSelIndex = 0;
  chip_.ResetChannels();
  // A RESET pulse or a reload also returns the chip's control register (input register A for
  // "X >>") and its A/B select registers to their power-on state.
  chip_.ResetABsel();
  XRegisterB = false;
  ShowRegistersOf(0);

  const SuppressEventsGuard guard(SuppressEvents);
  diagram.optAB[0]->setChecked(true);
  diagram.Areg->show();
  diagram.Breg->hide();
  diagram.DACoptMux2[0]->setChecked(true);
  tab0.InputSel[0]->setChecked(true);
}

void frmMain::SSTab1_Click(int) {
  if (win.SSTab1->currentIndex() == kOutputVoltagesTab) refreshOutputVoltages();
}

void frmMain::UpdateOffset() {
  const std::optional<OffsetDefaults> defaults = OffsetDefaultsFor(chip_.PartName);
  if (!defaults) return;
  const QString offsetText = QString::fromStdString(defaults->offsetText);
  const QString vrefText = QString::fromStdString(defaults->vrefText);
  for (QLineEdit* box : tab1.txtOffsetValue) box->setText(offsetText);
  for (int k = 0; k < 3; ++k) chip_.OffsetDAC(k) = defaults->offsetCode;
  for (QLineEdit* box : diagram.txtVREF) box->setText(vrefText);
}

void frmMain::LoadUSB() {
  link_.LoadUSB(chip_.PartName, exeFolder_.toStdString(),
                [this](const std::string& text, const std::string& title) {
                  services_.message({QString::fromStdString(text), QString::fromStdString(title),
                                     MessageIcon::Exclamation});
                });
}

void frmMain::ShowRegistersOf(int index) {
  const DAC& record = chip_.DACs[static_cast<std::size_t>(index)];
  diagram.lblXA->setText(registerDisplay(record.X1A()));
  diagram.lblXB->setText(registerDisplay(record.X1B()));
  diagram.lblX2A->setText(registerDisplay(record.X2A));
  diagram.lblX2B->setText(registerDisplay(record.X2B));
  diagram.lblM->setText(registerDisplay(record.M()));
  diagram.lblC->setText(registerDisplay(record.C()));
  diagram.DACregister->setText(registerDisplay(record.DACregValue()));
}

void frmMain::refreshOutputVoltages() {
  ReferenceTexts references;
  for (std::size_t k = 0; k < references.size(); ++k) {
    references[k] = diagram.txtVREF[k]->text().toStdString();
  }
  const PartInfo* part = chip_.part();
  // Every label, hidden ones included, in ascending order.
  for (int i = 0; i < kChannelCount; ++i) {
    QLabel* label = tab3.lblvout[static_cast<std::size_t>(i)];
    const int record = OutputLabelRecord(part, i);
    const std::optional<std::string> volts =
        TransferFunction(chip_, static_cast<int16_t>(record), references);
    if (volts) {
      label->setText(QStringLiteral("Vout%1=%2V").arg(i).arg(QString::fromStdString(*volts)));
      label->setToolTip(QString());
    } else {
      const int set = ReferenceSetOf(chip_.PartName, record);
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
