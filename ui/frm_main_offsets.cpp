// The offset DAC writes of the "Offset DACs" tab and the reference voltage boxes of the block
// diagram. A reference is never sent: the output voltages read its box whenever they are
// computed.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "entry_code.h"
#include "event_hook.h"
#include "frm_main.h"
#include "hex_text.h"
#include "key_code.h"
#include "reference_text.h"
#include "window_action.h"

// Offset DAC codes are 14 bits on every model.
void frmMain::cmdOFFSET_Click(int index) {
  const QString text = tab1.txtOffsetValue.at(static_cast<size_t>(index))->text();
  const EntryCode entry = OffsetCodeOfText(text.toStdString());
  if (entry.refused) return showRefusal(entry.refused);
  const int32_t code = entry.code;
  const WindowAction action(*this, tab1.cmdOFFSET.at(static_cast<size_t>(index))->text());
  showRefusal(session_.writeOffsetDac(index, code));
}

void frmMain::txtOffsetValue_LostFocus(int index) {
  QLineEdit* box = tab1.txtOffsetValue.at(static_cast<size_t>(index));
  box->setText(box->text().toUpper());
}

void frmMain::txtVREF_KeyPress(int index, int keyCode) {
  if (keyCode != kEnterKeyCode) return;
  QLineEdit* box = diagram.txtVREF.at(static_cast<size_t>(index));
  box->setText(QString::fromStdString(NormalizeReferenceText(box->text().toStdString())));
}

void frmMain::wireOffsets() {
  for (int k = 0; k < 3; ++k) {
    const auto at = static_cast<size_t>(k);
    connect(tab1.cmdOFFSET[at], &QPushButton::clicked, this, [this, k] { cmdOFFSET_Click(k); });
    onFocusOut(tab1.txtOffsetValue[at], [this, k] { txtOffsetValue_LostFocus(k); });
    onKeyPress(diagram.txtVREF[at], [this, k](QKeyEvent& key) {
      txtVREF_KeyPress(k, KeyCharCode(key));
      return false;
    });
    // The output voltages read the references the session holds: every text of the box is one.
    connect(diagram.txtVREF[at], &QLineEdit::textChanged, this, [this, k, at](const QString& text) {
      const WindowAction action(*this, diagram.Label5.at(static_cast<size_t>(k))->text());
      const Refused refused = session_.setReference(k, text.toStdString());
      if (!refused) return;
      // A limit refused it: the box goes back to the reference the outputs still use.
      const QSignalBlocker blocker(diagram.txtVREF[at]);
      diagram.txtVREF[at]->setText(QString::fromStdString(session_.references().at(at)));
      showRefusal(refused);
    });
  }
}
