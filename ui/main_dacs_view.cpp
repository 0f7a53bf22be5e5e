// The "Main DACs" tab as a view of the session: its construction, the reference boxes of the
// block diagram, and the displays that follow the session whatever changed it.

#include "main_dacs_view.h"

#include <array>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "channel_tip.h"
#include "event_hook.h"
#include "key_code.h"
#include "reference_text.h"
#include "register_display.h"
#include "shape_widget.h"
#include "suppress_events.h"
#include "transfer_function.h"
#include "value_label.h"
#include "window_action.h"
#include "window_context.h"

MainDacsView::MainDacsView(WindowContext& context, QWidget* page)
    : context_(context), session_(context.session()) {
  buildMainDacsTab(page);
  wireSelection();
  wireWrites();
  wireReferences();
  ChipControlLock& lock = context_.chipControls();
  lock.add({tab0.mnuPulseReset, diagram.cmdX1A, diagram.cmdM, diagram.cmdC, diagram.cmdLDAC});
  lock.addAll(diagram.optAB);
  lock.addAll(diagram.DACoptMux2);
  lock.addAll(diagram.txtVREF);
  session_.addListener(*this);
}

MainDacsView::~MainDacsView() {
  session_.removeListener(*this);
}

const ChipModel& MainDacsView::chip() const {
  return session_.chip();
}

void MainDacsView::showModel(const PartInfo& part) {
  // The model's channel buttons; on the 8-channel models the second group of four sits in
  // records 8..11 and is captioned as channels 4..7. "Selected DAC Group" is left alone.
  for (int i = 0; i < kChannelCount; ++i) {
    tab0.chkDAC[static_cast<std::size_t>(i)]->setVisible(ChannelUsed(part, i));
  }
  if (part.fourChannelGroups) {
    for (int j = 8; j <= 11; ++j) {
      tab0.chkDAC[static_cast<std::size_t>(j)]->setText(QStringLiteral("DAC%1").arg(j - 4));
    }
  }

  // The references: VREF0 and VREF1 always, VREF2 where the model has a third set.
  for (int k = 0; k < 3; ++k) {
    const bool shown = k < 2 || part.showVref2;
    diagram.Label5[static_cast<std::size_t>(k)]->setVisible(shown);
    diagram.txtVREF[static_cast<std::size_t>(k)]->setVisible(shown);
  }
  diagram.lblM->setText(registerDisplay(chip().DACs[0].M()));
  diagram.lblC->setText(registerDisplay(chip().DACs[0].C()));
}

void MainDacsView::ShowRegistersOf(int index) {
  const DAC& record = chip().DACs[static_cast<std::size_t>(index)];
  for (const ChannelRegisterRow& row : kChannelRegisters)
    registerLabel(row.reg)->setText(registerDisplay(RegisterValue(record, row.reg)));
  diagram.lblX2A->setText(registerDisplay(record.X2A));
  diagram.lblX2B->setText(registerDisplay(record.X2B));
  diagram.DACregister->setText(registerDisplay(record.DACregValue()));
}

// The block diagram's display of each channel register, in the order of their table.
ValueLabel* MainDacsView::registerLabel(ChannelRegister reg) const {
  const std::array<ValueLabel*, kChannelRegisters.size()> labels{diagram.lblXA, diagram.lblXB,
                                                                 diagram.lblM, diagram.lblC};
  return labels.at(static_cast<size_t>(reg));
}

// A reference is never sent: the output voltages read the references the session holds whenever
// they are computed, and every text of the box is one.
void MainDacsView::txtVREF_KeyPress(int index, int keyCode) {
  if (keyCode != kEnterKeyCode) return;
  QLineEdit* box = diagram.txtVREF.at(static_cast<size_t>(index));
  box->setText(QString::fromStdString(NormalizeReferenceText(box->text().toStdString())));
}

void MainDacsView::txtVREF_Change(int k, const QString& text) {
  const auto at = static_cast<size_t>(k);
  const WindowAction action(context_, diagram.Label5.at(at)->text());
  const Refused refused = session_.setReference(k, text.toStdString());
  if (!refused) return;
  // A limit refused it: the box goes back to the reference the outputs still use.
  const QSignalBlocker blocker(diagram.txtVREF[at]);
  diagram.txtVREF[at]->setText(QString::fromStdString(session_.references().at(at)));
  context_.showRefusal(refused);
}

void MainDacsView::wireReferences() {
  for (int k = 0; k < 3; ++k) {
    const auto at = static_cast<size_t>(k);
    onKeyPress(diagram.txtVREF[at], [this, k](QKeyEvent& key) {
      txtVREF_KeyPress(k, KeyCharCode(key));
      return false;
    });
    connect(diagram.txtVREF[at], &QLineEdit::textChanged, this,
            [this, k](const QString& text) { txtVREF_Change(k, text); });
  }
}

void MainDacsView::registerStored(int dac, ChannelRegister reg) {
  if (dac != context_.selectedDac()) return;
  const DAC& record = chip().DACs.at(static_cast<size_t>(dac));
  const std::optional<QString>& typedText = context_.typedText();
  registerLabel(reg)->setText(typedText ? *typedText : registerDisplay(RegisterValue(record, reg)));
}

void MainDacsView::correctedCodeChanged(int dac, bool registerB) {
  if (dac != context_.selectedDac()) return;
  const DAC& record = chip().DACs.at(static_cast<size_t>(dac));
  (registerB ? diagram.lblX2B : diagram.lblX2A)
      ->setText(registerDisplay(registerB ? record.X2B : record.X2A));
}

void MainDacsView::dacRegisterLoaded(int dac) {
  if (dac != context_.selectedDac()) return;
  diagram.DACregister->setText(
      registerDisplay(chip().DACs.at(static_cast<size_t>(dac)).DACregValue()));
}

void MainDacsView::dacSourceChanged(int dac) {
  if (dac != context_.selectedDac()) return;
  const SuppressEventsGuard guard(SuppressEvents);
  diagram.DACoptMux2[chip().DACs.at(static_cast<size_t>(dac)).ABsel() != 0 ? 1 : 0]->setChecked(
      true);
}

void MainDacsView::inputRegisterChanged() {
  const bool inputB = session_.inputRegisterB();
  diagram.Areg->setVisible(!inputB);
  diagram.Breg->setVisible(inputB);
  const SuppressEventsGuard guard(SuppressEvents);
  diagram.optAB[inputB ? 1 : 0]->setChecked(true);
}

// After a RESET pulse or a reload every record holds the same values, so entry 0's registers are
// right for whichever channel is selected; the selected channel stays.
void MainDacsView::registersReset() {
  TextSelIndex = 0;
  ShowRegistersOf(0);
  const SuppressEventsGuard guard(SuppressEvents);
  diagram.optAB[0]->setChecked(true);
  diagram.Areg->show();
  diagram.Breg->hide();
  diagram.DACoptMux2[0]->setChecked(true);
  tab0.InputSel[0]->setChecked(true);
}

void MainDacsView::defaultsApplied() {
  if (!OffsetDefaultsFor(chip().PartName)) return;
  for (int k = 0; k < 3; ++k) referenceChanged(k);
}

void MainDacsView::referenceChanged(int k) {
  QLineEdit* box = diagram.txtVREF.at(static_cast<size_t>(k));
  const QString text = QString::fromStdString(session_.references().at(static_cast<size_t>(k)));
  if (box->text() != text) box->setText(text);
}

void MainDacsView::channelLabelChanged(int dac) {
  if (static_cast<size_t>(dac) < tab0.chkDAC.size()) {
    if (QRadioButton* button = tab0.chkDAC.at(static_cast<size_t>(dac))) {
      button->setToolTip(ChannelTip(session_, dac));
    }
  }
}
