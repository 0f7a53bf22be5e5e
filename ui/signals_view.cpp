// The "Signals & Direct Load" tab as a view of the session: its construction. The direct load's
// words go past the register model; every display follows them through the session's events.

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
  session_.addListener(*this);
}

SignalsView::~SignalsView() {
  session_.removeListener(*this);
}
