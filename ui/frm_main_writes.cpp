// Register writes of the block diagram: "X >>", "M >>", "C >>" store the active entry box's code
// in the selected channel's record, recompute its corrected code and send the register's word;
// "Pulse LDAC" loads the DAC register.

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app_title.h"
#include "command_word.h"
#include "frm_main.h"
#include "hex_text.h"
#include "key_code.h"
#include "on_selected.h"
#include "register_display.h"
#include "transfer_function.h"
#include "value_label.h"

namespace {

// The display form of an accepted entry: at least four digits, upper case.
QString DisplayForm(const QString& text) {
  std::string digits = text.toStdString();
  return QString::fromStdString(FormatHex(digits));
}

// The active entry box's text and code for a channel register, or nullopt once its refusal has
// been shown. CheckText bounds the code to 16 bits; the model's resolution may bound it further.
struct Entry {
  QString text;
  int32_t code = 0;
};
std::optional<Entry> ChannelRegisterEntry(frmMain& w) {
  const QString text = w.tab0.txtInput.at(static_cast<size_t>(w.TextSelIndex))->text();
  if (w.CheckText(text, 16)) return std::nullopt;
  const int32_t code = HexTextToNumber(text.toStdString()).value_or(0);
  const int64_t largest = (int64_t{1} << w.chip().PartBits) - 1;
  if (code > largest) {
    w.services().message({QStringLiteral("The selected value is larger than") + QChar('\r') +
                              QStringLiteral("the number of bits allows"),
                          appTitle(), MessageIcon::Exclamation});
    return std::nullopt;
  }
  return Entry{text, code};
}

// The corrected code of channel `dac` from input register A or B, stored in X2A or X2B and shown
// when that channel is still the one on display; then one yield to pending window events.
void UpdateCorrectedCode(frmMain& w, int16_t dac, bool registerB) {
  ChipModel& chip = w.chipModel();
  DAC& record = chip.DACs.at(static_cast<size_t>(dac));
  const int32_t input = registerB ? record.X1B() : record.X1A();
  if (const auto x2 = CorrectedCode(input, record.M(), record.C(), chip.PartBits)) {
    (registerB ? record.X2B : record.X2A) = *x2;
    if (dac == w.SelectedDac) {
      (registerB ? w.diagram.lblX2B : w.diagram.lblX2A)->setText(registerDisplay(*x2));
    }
  }
  w.services().processEvents();
}

// An X word reaches the input register that the chip's control register names, which follows the
// last input-register choice sent. A write whose choice was switched while it yielded routes its
// own word back to its register and then restores the operator's present choice.
void SendInputWord(frmMain& w, int32_t word, bool registerB) {
  const bool routedToB = w.XRegisterB;
  if (routedToB != registerB) w.SPIout(ControlRegisterWord(registerB));
  w.SPIout(word);
  if (routedToB != registerB) w.SPIout(ControlRegisterWord(routedToB));
}

}  // namespace

// Each write remembers the channel and register it stored into: the yields let other handlers
// run, and one of them may pick another channel, switch A/B or reset the chip before the word
// goes out. The word carries what that register holds when it is sent, so that the chip and the
// record agree whatever ran in between.
void frmMain::cmdX1A_Click() {
  const auto entry = ChannelRegisterEntry(*this);
  if (!entry) return;
  const int16_t dac = SelectedDac;
  const bool registerB = !diagram.optAB[0]->isChecked();
  DAC& record = chip_.DACs.at(static_cast<size_t>(dac));
  if (registerB) {
    record.setX1B(entry->code);
  } else {
    record.setX1A(entry->code);
  }
  (registerB ? diagram.lblXB : diagram.lblXA)->setText(DisplayForm(entry->text));
  UpdateCorrectedCode(*this, dac, registerB);
  const DAC& written = chip_.DACs.at(static_cast<size_t>(dac));
  const int32_t sent = registerB ? written.X1B() : written.X1A();
  SendInputWord(*this, ChannelRegisterWord(Mode::X, sent, dac, chip_.PartBits), registerB);
}

void frmMain::cmdM_Click() {
  const auto entry = ChannelRegisterEntry(*this);
  if (!entry) return;
  const int16_t dac = SelectedDac;
  const bool registerB = XRegisterB;
  chip_.DACs.at(static_cast<size_t>(dac)).setM(entry->code);
  diagram.lblM->setText(DisplayForm(entry->text));
  UpdateCorrectedCode(*this, dac, registerB);
  const int32_t sent = chip_.DACs.at(static_cast<size_t>(dac)).M();
  SPIout(ChannelRegisterWord(Mode::M, sent, dac, chip_.PartBits));
}

void frmMain::cmdC_Click() {
  const auto entry = ChannelRegisterEntry(*this);
  if (!entry) return;
  const int16_t dac = SelectedDac;
  const bool registerB = XRegisterB;
  chip_.DACs.at(static_cast<size_t>(dac)).setC(entry->code);
  diagram.lblC->setText(DisplayForm(entry->text));
  UpdateCorrectedCode(*this, dac, registerB);
  services_.processEvents();
  const int32_t sent = chip_.DACs.at(static_cast<size_t>(dac)).C();
  SPIout(ChannelRegisterWord(Mode::C, sent, dac, chip_.PartBits));
}

void frmMain::cmdLDAC_Click() {
  DAC& record = chip_.DACs.at(static_cast<size_t>(SelectedDac));
  if (diagram.DACoptMux2[0]->isChecked()) {
    diagram.DACregister->setText(diagram.lblX2A->text());
    record.DACreg = record.X2A;
  } else {
    diagram.DACregister->setText(diagram.lblX2B->text());
    record.DACreg = record.X2B;
  }
  lineRequest(Request::LdacPulse);
}

void frmMain::updateX2() {
  UpdateCorrectedCode(*this, SelectedDac, XRegisterB);
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
