// The scratch pad of hexadecimal entry boxes on the "Main DACs" tab.

#include <QLineEdit>
#include <QRadioButton>

#include "hex_text.h"
#include "key_code.h"
#include "main_dacs_view.h"
#include "suppress_events.h"
#include "window_context.h"

void MainDacsView::txtInput_LostFocus(int index) {
  QLineEdit* box = tab0.txtInput.at(static_cast<size_t>(index));
  if (!HexTextToNumber(box->text().toStdString())) {
    context_.services().message({QStringLiteral("Not a valid number. Please reenter it."),
                                 QStringLiteral("Entry Error"), MessageIcon::Exclamation});
    box->clear();
    box->setFocus();
    return;
  }
  box->setText(box->text().toUpper());
}

// Enter makes the box the active one and checks it as leaving it would.
void MainDacsView::txtInput_KeyPress(int index, int keyCode) {
  if (keyCode != kEnterKeyCode) return;
  {
    SuppressEventsGuard guard(SuppressEvents);
    tab0.InputSel.at(static_cast<size_t>(index))->setChecked(true);
    TextSelIndex = static_cast<int16_t>(index);
  }
  txtInput_LostFocus(index);
}

void MainDacsView::InputSel_Click(int index) {
  if (SuppressEvents) return;
  TextSelIndex = static_cast<int16_t>(index);
}
