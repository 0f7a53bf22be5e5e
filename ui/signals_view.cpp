// The "Signals & Direct Load" tab: its construction.

#include "signals_view.h"

#include <QGroupBox>
#include <QPushButton>

#include "window_context.h"

SignalsView::SignalsView(WindowContext& context, QWidget* page)
    : context_(context), session_(context.session()) {
  buildSignalsTab(page);
  wireSignals();
  ChipControlLock& lock = context_.chipControls();
  lock.add({tab2.Frame6, tab2.Command1, tab2.Command2});
  lock.addAll(tab2.cmdRESET);
}
