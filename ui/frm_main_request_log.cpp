// View > Request Log: the pane of every request sent, docked under the window and hidden at
// start, so that the window opens as it always has. The log itself is the program's, running
// from before the window, pane shown or not.

#include <QAction>

#include "frm_main.h"
#include "request_log.h"
#include "request_log_pane.h"

void frmMain::buildRequestLog() {
  requestLogPane = new RequestLogPane(requestLog_, services_, this);
  addDockWidget(Qt::BottomDockWidgetArea, requestLogPane);
  requestLogPane->hide();
}

void frmMain::wireRequestLog() {
  connect(menus.mnuRequestLog, &QAction::triggered, requestLogPane, &QWidget::setVisible);
  // The pane's own close button unchecks the menu item.
  connect(requestLogPane->toggleViewAction(), &QAction::toggled, menus.mnuRequestLog,
          &QAction::setChecked);
}
