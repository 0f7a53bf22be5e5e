// Register writes of the block diagram: "X >>", "M >>", "C >>" store the active entry box's code
// in the selected channel's record, recompute its corrected code and send the register's word;
// "Pulse LDAC" loads the DAC registers; "Pulse RESET" beside the entry boxes.

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "entry_code.h"
#include "hex_text.h"
#include "key_code.h"
#include "main_dacs_view.h"
#include "on_selected.h"
#include "window_action.h"
#include "window_context.h"

namespace {

// The display form of an accepted entry: at least four digits, upper case.
QString DisplayForm(const QString& text) {
  std::string digits = text.toStdString();
  return QString::fromStdString(FormatHex(digits));
}

}  // namespace

// The active entry box's text, read by the session as a 16-bit code; the session checks it
// against the model's resolution and shows the write.
void MainDacsView::writeRegisterFromEntry(std::optional<ChannelRegister> reg,
                                          const QString& button) {
  const QString text = tab0.txtInput.at(static_cast<size_t>(TextSelIndex))->text();
  const EntryCode entry = ChannelCodeOfText(text.toStdString());
  if (entry.refused) return context_.showRefusal(entry.refused);
  const int32_t code = entry.code;
  const WindowAction action(context_, button, DisplayForm(text));
  const Refused refused =
      reg ? session_.writeRegister(context_.selectedDac(), *reg, code, context_.yieldToEvents())
          : session_.writeInput(context_.selectedDac(), code, context_.yieldToEvents());
  context_.showRefusal(refused);
}

void MainDacsView::cmdX1A_Click() {
  writeRegisterFromEntry(std::nullopt, diagram.cmdX1A->text());
}

void MainDacsView::cmdM_Click() {
  writeRegisterFromEntry(ChannelRegister::M, diagram.cmdM->text());
}

void MainDacsView::cmdC_Click() {
  writeRegisterFromEntry(ChannelRegister::C, diagram.cmdC->text());
}

void MainDacsView::cmdLDAC_Click() {
  const WindowAction action(context_, diagram.cmdLDAC->text());
  context_.showRefusal(session_.pulseLdac());
}

// RESET low then high puts the chip back to its power-on registers; the register model follows.
void MainDacsView::mnuPulseReset_Click() {
  const WindowAction action(context_, tab0.mnuPulseReset->text());
  session_.pulseReset();
}

void MainDacsView::wireWrites() {
  for (int i = 0; i < static_cast<int>(tab0.txtInput.size()); ++i) {
    const auto at = static_cast<size_t>(i);
    onFocusOut(tab0.txtInput[at], [this, i] { txtInput_LostFocus(i); });
    onKeyPress(tab0.txtInput[at], [this, i](QKeyEvent& key) {
      txtInput_KeyPress(i, KeyCharCode(key));
      return false;
    });
    onSelected(tab0.InputSel[at], this, [this, i] { InputSel_Click(i); });
  }
  connect(diagram.cmdX1A, &QPushButton::clicked, this, &MainDacsView::cmdX1A_Click);
  connect(diagram.cmdM, &QPushButton::clicked, this, &MainDacsView::cmdM_Click);
  connect(diagram.cmdC, &QPushButton::clicked, this, &MainDacsView::cmdC_Click);
  connect(diagram.cmdLDAC, &QPushButton::clicked, this, &MainDacsView::cmdLDAC_Click);
  connect(tab0.mnuPulseReset, &QPushButton::clicked, this, &MainDacsView::mnuPulseReset_Click);
}
