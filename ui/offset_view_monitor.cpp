// The monitor multiplexer and the general-purpose pin: "Monitor Controls" and "GPIO Configuration"
// on the offset tab.

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "event_hook.h"
#include "offset_view.h"
#include "window_action.h"
#include "window_context.h"

namespace {

// The lists change only by choosing an item: every typed character is dropped before the list
// can search its items for it. Navigation keys (arrows, Enter, Escape) still work.
bool isTypedCharacter(const QKeyEvent& event) {
  const QString text = event.text();
  return !text.isEmpty() && text.at(0).isPrint();
}

// Both the closed list and its open drop-down, which searches its items for typed text too.
void discardTypedCharacters(QComboBox* list) {
  for (QObject* target : {static_cast<QObject*>(list), static_cast<QObject*>(list->view())}) {
    onKeyPress(target, [](QKeyEvent& event) { return isTypedCharacter(event); });
  }
}

}  // namespace

void OffsetView::cboDisable_Click() {
  const bool enabled = tab1.cboDisable->currentIndex() != 0;  // item 0: "Monitor Disabled"
  tab1.cboMonChannel->setEnabled(enabled);
  const WindowAction action(context_, tab1.cboDisable->currentText());
  context_.showRefusal(session_.setMonitorEnabled(enabled));
}

void OffsetView::cboMonChannel_Click() {
  if (SuppressEvents) return;
  const WindowAction action(context_, tab1.cboMonChannel->currentText());
  context_.showRefusal(session_.chooseMonitorItem(tab1.cboMonChannel->currentIndex()));
}

void OffsetView::chkGPIO_Click(int index) {
  if (SuppressEvents) return;
  const WindowAction action(context_, tab1.chkGPIO.at(static_cast<size_t>(index))->text());
  context_.showRefusal(session_.setGpioMode(static_cast<GpioMode>(index)));
}

void OffsetView::cmdGPIOread_Click() {
  const WindowAction action(context_, tab1.cmdGPIOread->text());
  session_.readGpio();
}

void OffsetView::wireMonitor() {
  connect(tab1.cboDisable, &QComboBox::activated, this, &OffsetView::cboDisable_Click);
  connect(tab1.cboMonChannel, &QComboBox::activated, this, &OffsetView::cboMonChannel_Click);
  discardTypedCharacters(tab1.cboDisable);
  discardTypedCharacters(tab1.cboMonChannel);
  for (int k = 0; k < static_cast<int>(tab1.chkGPIO.size()); ++k) {
    connect(tab1.chkGPIO[static_cast<size_t>(k)], &QRadioButton::toggled, this,
            [this, k](bool checked) {
              if (checked) chkGPIO_Click(k);
            });
  }
  connect(tab1.cmdGPIOread, &QPushButton::clicked, this, &OffsetView::cmdGPIOread_Click);
}
