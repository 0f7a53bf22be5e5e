// The chip's control lines on the signals tab: RESET, CLR and LDAC held high or low or pulsed,
// and the direct 24-bit load that sends any typed word past the register model.

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <optional>

#include "entry_code.h"
#include "event_hook.h"
#include "hex_text.h"
#include "signals_view.h"
#include "window_action.h"
#include "window_context.h"

namespace {

// The hold buttons cmdRESET(0..5), in their order on the tab.
constexpr std::array<Request, 6> kHoldRequests = {
    Request::ResetHigh, Request::ResetLow, Request::ClrHigh,
    Request::ClrLow,    Request::LdacHigh, Request::LdacLow,
};

}  // namespace

void SignalsView::cmdRESET_Click(int index) {
  if (index < 0 || index >= static_cast<int>(kHoldRequests.size())) return;
  const WindowAction action(context_, tab2.cmdRESET.at(static_cast<size_t>(index))->text());
  context_.showRefusal(session_.lineRequest(kHoldRequests[static_cast<size_t>(index)]));
}

// RESET low then high puts the chip back to its power-on registers; the register model follows.
void SignalsView::Command1_Click() {
  const WindowAction action(context_, tab2.Command1->text());
  session_.pulseReset();
}

void SignalsView::Command2_Click() {
  const WindowAction action(context_, tab2.Command2->text());
  context_.showRefusal(session_.pulseLdac());
}

void SignalsView::optTxtSelect_Click(int index) {
  DirectLoadIndex = static_cast<int16_t>(index);
}

void SignalsView::txtDirectLoad_LostFocus(int index) {
  QLineEdit* box = tab2.txtDirectLoad.at(static_cast<size_t>(index));
  box->setText(box->text().toUpper());
}

// Sends the selected box's word as typed. The register model takes it as the chip does, and every
// display follows, since no other box holds what it wrote.
void SignalsView::cmdDirectLoad_Click() {
  const QString text = tab2.txtDirectLoad.at(static_cast<size_t>(DirectLoadIndex))->text();
  const EntryCode entry = WordOfText(text.toStdString());
  if (entry.refused) return context_.showRefusal(entry.refused);
  const WindowAction action(context_, tab2.cmdDirectLoad->text(), WindowAction::Displays::Follow);
  context_.showRefusal(session_.directLoad(entry.code));
}

void SignalsView::wireSignals() {
  for (int k = 0; k < static_cast<int>(tab2.cmdRESET.size()); ++k) {
    connect(tab2.cmdRESET[static_cast<size_t>(k)], &QPushButton::clicked, this,
            [this, k] { cmdRESET_Click(k); });
  }
  connect(tab2.Command1, &QPushButton::clicked, this, &SignalsView::Command1_Click);
  connect(tab2.Command2, &QPushButton::clicked, this, &SignalsView::Command2_Click);
  for (int k = 0; k < static_cast<int>(tab2.txtDirectLoad.size()); ++k) {
    const auto slot = static_cast<size_t>(k);
    connect(tab2.optTxtSelect[slot], &QRadioButton::toggled, this, [this, k](bool checked) {
      if (checked) optTxtSelect_Click(k);
    });
    onFocusOut(tab2.txtDirectLoad[slot], [this, k] { txtDirectLoad_LostFocus(k); });
  }
  connect(tab2.cmdDirectLoad, &QPushButton::clicked, this, &SignalsView::cmdDirectLoad_Click);
}
