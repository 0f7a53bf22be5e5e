// The chip's control lines: RESET, CLR and LDAC held high or low or pulsed, from the signals tab
// and the shortcut buttons on the other tabs, the hidden test buttons, and the direct 24-bit load
// that sends any typed word past the register model.

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <optional>

#include "app_title.h"
#include "entry_code.h"
#include "event_hook.h"
#include "frm_main.h"
#include "hex_text.h"
#include "window_action.h"

namespace {

// The hold buttons cmdRESET(0..5), in their order on the tab.
constexpr std::array<Request, 6> kHoldRequests = {
    Request::ResetHigh, Request::ResetLow, Request::ClrHigh,
    Request::ClrLow,    Request::LdacHigh, Request::LdacLow,
};

}  // namespace

void frmMain::cmdRESET_Click(int index) {
  if (index < 0 || index >= static_cast<int>(kHoldRequests.size())) return;
  const WindowAction action(*this, tab2.cmdRESET.at(static_cast<size_t>(index))->text());
  showRefusal(session_.lineRequest(kHoldRequests[static_cast<size_t>(index)]));
}

// RESET low then high puts the chip back to its power-on registers; the register model follows.
void frmMain::mnuPulseReset_Click() {
  const WindowAction action(*this, tab0.mnuPulseReset->text());
  session_.pulseReset();
}

void frmMain::Command1_Click() {
  mnuPulseReset_Click();
}

void frmMain::Command2_Click() {
  cmdLDAC_Click();
}

// Readback test: select readback 0 and show what comes back.
void frmMain::Command3_Click() {
  const WindowAction action(*this, win.Command3->text());
  const int32_t value = session_.readbackTest();
  services().message({QString::fromStdString(HexDigits(value)), appTitle(), MessageIcon::None});
}

void frmMain::Command4_Click() {
  cmdLDAC_Click();
}

void frmMain::Command5_Click() {
  mnuPulseReset_Click();
}

// CLR pulse: low then high.
void frmMain::Command6_Click() {
  const WindowAction action(*this, tab1.Command6->text());
  session_.pulseClr();
}

void frmMain::cmdPowerDownTest_Click() {
  const WindowAction action(*this, tab1.cmdPowerDownTest->text());
  session_.powerDownTest();
}

void frmMain::optTxtSelect_Click(int index) {
  DirectLoadIndex = static_cast<int16_t>(index);
}

void frmMain::txtDirectLoad_LostFocus(int index) {
  QLineEdit* box = tab2.txtDirectLoad.at(static_cast<size_t>(index));
  box->setText(box->text().toUpper());
}

// Sends the selected box's word as typed. The register model takes it as the chip does, and every
// display follows, since no other box holds what it wrote.
void frmMain::cmdDirectLoad_Click() {
  const QString text = tab2.txtDirectLoad.at(static_cast<size_t>(DirectLoadIndex))->text();
  const EntryCode entry = WordOfText(text.toStdString());
  if (entry.refused) return showRefusal(entry.refused);
  const WindowAction action(*this, tab2.cmdDirectLoad->text(), WindowAction::Displays::Follow);
  showRefusal(session_.directLoad(entry.code));
}

void frmMain::wireSignals() {
  for (int k = 0; k < static_cast<int>(tab2.cmdRESET.size()); ++k) {
    connect(tab2.cmdRESET[static_cast<size_t>(k)], &QPushButton::clicked, this,
            [this, k] { cmdRESET_Click(k); });
  }
  connect(tab0.mnuPulseReset, &QPushButton::clicked, this, [this] { mnuPulseReset_Click(); });
  connect(tab2.Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(tab2.Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(win.Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(tab1.Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
  connect(tab1.Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
  connect(tab1.Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
  connect(tab1.cmdPowerDownTest, &QPushButton::clicked, this, [this] { cmdPowerDownTest_Click(); });
  for (int k = 0; k < static_cast<int>(tab2.txtDirectLoad.size()); ++k) {
    const auto slot = static_cast<size_t>(k);
    connect(tab2.optTxtSelect[slot], &QRadioButton::toggled, this, [this, k](bool checked) {
      if (checked) optTxtSelect_Click(k);
    });
    onFocusOut(tab2.txtDirectLoad[slot], [this, k] { txtDirectLoad_LostFocus(k); });
  }
  connect(tab2.cmdDirectLoad, &QPushButton::clicked, this, [this] { cmdDirectLoad_Click(); });
}
