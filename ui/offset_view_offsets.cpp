// The offset DAC writes of the "Offset DACs" tab.

#include <QLineEdit>
#include <QPushButton>

#include "entry_code.h"
#include "event_hook.h"
#include "hex_text.h"
#include "offset_view.h"
#include "window_action.h"
#include "window_context.h"

// Offset DAC codes are 14 bits on every model.
void OffsetView::cmdOFFSET_Click(int index) {
  const QString text = tab1.txtOffsetValue.at(static_cast<size_t>(index))->text();
  const EntryCode entry = OffsetCodeOfText(text.toStdString());
  if (entry.refused) return context_.showRefusal(entry.refused);
  const int32_t code = entry.code;
  const WindowAction action(context_, tab1.cmdOFFSET.at(static_cast<size_t>(index))->text());
  context_.showRefusal(session_.writeOffsetDac(index, code));
}

void OffsetView::txtOffsetValue_LostFocus(int index) {
  QLineEdit* box = tab1.txtOffsetValue.at(static_cast<size_t>(index));
  box->setText(box->text().toUpper());
}

void OffsetView::wireOffsets() {
  for (int k = 0; k < 3; ++k) {
    const auto at = static_cast<size_t>(k);
    connect(tab1.cmdOFFSET[at], &QPushButton::clicked, this, [this, k] { cmdOFFSET_Click(k); });
    onFocusOut(tab1.txtOffsetValue[at], [this, k] { txtOffsetValue_LostFocus(k); });
  }
}
