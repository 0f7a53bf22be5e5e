// Register writes of the block diagram: "X >>", "M >>", "C >>" store the active entry box's code
// in the selected channel's record, recompute its corrected code and send the register's word;
// "Pulse LDAC" loads the DAC registers.

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "entry_code.h"
#include "frm_main.h"
#include "hex_text.h"
#include "key_code.h"
#include "on_selected.h"
#include "window_action.h"

namespace {

// The display form of an accepted entry: at least four digits, upper case.
QString DisplayForm(const QString& text) {
  std::string digits = text.toStdString();
  return QString::fromStdString(FormatHex(digits));
}

}  // namespace

// The active entry box's text, read by the session as a 16-bit code; the session checks it
// against the model's resolution and shows the write.
void frmMain::writeRegisterFromEntry(std::optional<ChannelRegister> reg, const QString& button) {
  const QString text = tab0.txtInput.at(static_cast<size_t>(TextSelIndex))->text();
  const EntryCode entry = ChannelCodeOfText(text.toStdString());
  if (entry.refused) return showRefusal(entry.refused);
  const int32_t code = entry.code;
  const WindowAction action(*this, button, DisplayForm(text));
  const Refused refused = reg ? session_.writeRegister(SelectedDac, *reg, code, yieldToEvents())
                              : session_.writeInput(SelectedDac, code, yieldToEvents());
  showRefusal(refused);
}

void frmMain::cmdX1A_Click() {
  writeRegisterFromEntry(std::nullopt, diagram.cmdX1A->text());
}

void frmMain::cmdM_Click() {
  writeRegisterFromEntry(ChannelRegister::M, diagram.cmdM->text());
}

void frmMain::cmdC_Click() {
  writeRegisterFromEntry(ChannelRegister::C, diagram.cmdC->text());
}

void frmMain::cmdLDAC_Click() {
  const WindowAction action(*this, diagram.cmdLDAC->text());
  showRefusal(session_.pulseLdac());
}

void frmMain::wireWrites() {
  for (int i = 0; i < static_cast<int>(tab0.txtInput.size()); ++i) {
    const auto at = static_cast<size_t>(i);
    onFocusOut(tab0.txtInput[at], [this, i] { txtInput_LostFocus(i); });
    onKeyPress(tab0.txtInput[at], [this, i](QKeyEvent& key) {
      txtInput_KeyPress(i, KeyCharCode(key));
      return false;
    });
    onSelected(tab0.InputSel[at], this, [this, i] { InputSel_Click(i); });
  }
  connect(diagram.cmdX1A, &QPushButton::clicked, this, [this] { cmdX1A_Click(); });
  connect(diagram.cmdM, &QPushButton::clicked, this, [this] { cmdM_Click(); });
  connect(diagram.cmdC, &QPushButton::clicked, this, [this] { cmdC_Click(); });
  connect(diagram.cmdLDAC, &QPushButton::clicked, this, [this] { cmdLDAC_Click(); });
}
