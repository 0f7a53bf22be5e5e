// The displays follow the session: whatever changed the chip-facing state (a handler of the
// window, or remote control between two of them), the window shows it at once.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>

#include "board_link_text.h"
#include "frm_main.h"
#include "hex_text.h"
#include "register_display.h"
#include "request_failure.h"
#include "shape_widget.h"
#include "suppress_events.h"
#include "value_label.h"

namespace {

constexpr int kFirstChannelItem = 2;  // after "Mon_In0" and "Mon_In1"

// The monitored-channel list's item that a monitor state names.
int MonitorItem(int32_t state) {
  if ((state & 0x10) != 0) return state & 0x1;
  return kFirstChannelItem + (state & 0xF);
}

}  // namespace

void frmMain::registerStored(int dac, ChannelRegister reg) {
  if (dac != SelectedDac) return;
  const DAC& record = chip().DACs.at(static_cast<size_t>(dac));
  const auto show = [this](ValueLabel* label, int32_t value) {
    label->setText(typedText_ ? *typedText_ : registerDisplay(value));
  };
  switch (reg) {
    case ChannelRegister::X1A:
      return show(diagram.lblXA, record.X1A());
    case ChannelRegister::X1B:
      return show(diagram.lblXB, record.X1B());
    case ChannelRegister::M:
      return show(diagram.lblM, record.M());
    case ChannelRegister::C:
      return show(diagram.lblC, record.C());
  }
}

void frmMain::correctedCodeChanged(int dac, bool registerB) {
  if (dac != SelectedDac) return;
  const DAC& record = chip().DACs.at(static_cast<size_t>(dac));
  (registerB ? diagram.lblX2B : diagram.lblX2A)
      ->setText(registerDisplay(registerB ? record.X2B : record.X2A));
}

void frmMain::dacRegisterLoaded(int dac) {
  if (dac != SelectedDac) return;
  diagram.DACregister->setText(
      registerDisplay(chip().DACs.at(static_cast<size_t>(dac)).DACregValue()));
}

void frmMain::dacSourceChanged(int dac) {
  if (dac != SelectedDac) return;
  const SuppressEventsGuard guard(SuppressEvents);
  diagram.DACoptMux2[chip().DACs.at(static_cast<size_t>(dac)).ABsel() != 0 ? 1 : 0]->setChecked(
      true);
}

void frmMain::inputRegisterChanged() {
  const bool inputB = session_.inputRegisterB();
  diagram.Areg->setVisible(!inputB);
  diagram.Breg->setVisible(inputB);
  const SuppressEventsGuard guard(SuppressEvents);
  diagram.optAB[inputB ? 1 : 0]->setChecked(true);
}

// After a RESET pulse or a reload every record holds the same values, so entry 0's registers are
// right for whichever channel is selected; the selected channel stays.
void frmMain::registersReset() {
  TextSelIndex = 0;
  ShowRegistersOf(0);
  const SuppressEventsGuard guard(SuppressEvents);
  diagram.optAB[0]->setChecked(true);
  diagram.Areg->show();
  diagram.Breg->hide();
  diagram.DACoptMux2[0]->setChecked(true);
  tab0.InputSel[0]->setChecked(true);
}

void frmMain::defaultsApplied() {
  const std::optional<OffsetDefaults> defaults = OffsetDefaultsFor(chip().PartName);
  if (!defaults) return;
  const QString offsetText = QString::fromStdString(defaults->offsetText);
  for (QLineEdit* box : tab1.txtOffsetValue) box->setText(offsetText);
  for (int k = 0; k < 3; ++k) referenceChanged(k);
}

// The window's own write leaves the box as the operator typed it.
void frmMain::offsetDacWritten(int k) {
  if (ownChange()) return;
  tab1.txtOffsetValue.at(static_cast<size_t>(k))->setText(registerDisplay(chip().OffsetDAC(k)));
}

void frmMain::referenceChanged(int k) {
  QLineEdit* box = diagram.txtVREF.at(static_cast<size_t>(k));
  const QString text = QString::fromStdString(session_.references().at(static_cast<size_t>(k)));
  if (box->text() != text) box->setText(text);
}

void frmMain::monitorChanged() {
  if (ownChange()) return;
  const int32_t state = session_.monitorState();
  const bool enabled = session_.monitorEnabled();
  tab1.cboDisable->setCurrentIndex(enabled ? 1 : 0);
  tab1.cboMonChannel->setEnabled(enabled);
  const SuppressEventsGuard guard(SuppressEvents);
  const int item = MonitorItem(state);
  if (item < tab1.cboMonChannel->count()) tab1.cboMonChannel->setCurrentIndex(item);
}

void frmMain::gpioModeChanged() {
  const SuppressEventsGuard guard(SuppressEvents);
  tab1.chkGPIO.at(static_cast<size_t>(session_.gpioMode()))->setChecked(true);
}

void frmMain::gpioLevelRead() {
  const bool high = session_.gpioLevel().value_or(false);
  tab1.lblGPIOinput->setText(high ? QStringLiteral("=HIGH") : QStringLiteral("=LOW"));
}

void frmMain::wordShown(int32_t word) {
  win.lblOutputCode->setText(QString::fromStdString(NumberToHex(word, 6)));
}

// Every action completes on the register model whatever the board answered; the status bar
// says which request failed and why, until one goes through again. Without a board it says so
// instead.
void frmMain::requestDone(const RequestRecord& request) {
  if (!session_.boardLoaded()) return;
  if (request.status == 0) {
    if (requestFailing_) win.lblBoardStatus->clear();
    requestFailing_ = false;
    return;
  }
  requestFailing_ = true;
  win.lblBoardStatus->setText(
      QString::fromStdString(RequestFailureText(session_.link().driver(), request)));
}

void frmMain::linkChanged() {
  win.lblBoardLink->setText(boardLinkText(session_.link().driver()));
  requestFailing_ = false;
  win.lblBoardStatus->setText(QString::fromStdString(NoBoardText(session_.link())));
}

// Shown until the next request goes through.
void frmMain::boardAnswering() {
  requestFailing_ = true;
  win.lblBoardStatus->setText(QStringLiteral("Board answering again"));
}

void frmMain::showStatus(const QString& text) {
  if (win.lblStatus == nullptr) {
    win.lblStatus = new QLabel;
    win.lblStatus->setObjectName(QStringLiteral("lblStatus"));
    statusBar()->addPermanentWidget(win.lblStatus);
  }
  win.lblStatus->setText(text);
}
