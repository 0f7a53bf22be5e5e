// The main window: its construction runs the layout, makes the views of the tabs, wires the menus
// and starts following the session.

#include "frm_main.h"

#include "channels_pane.h"
#include "main_dacs_view.h"
#include "offset_view.h"
#include "request_log.h"
#include "request_log_pane.h"
#include "sequence_pane.h"
#include "signals_view.h"
#include "voltages_view.h"

frmMain::frmMain(Session& session, const RequestLog& log, WindowServices& services, QWidget* parent)
    : QMainWindow(parent),
      session_(session),
      services_(services),
      context_(session, services),
      requestLog_(log) {
  services_.setGate(&session_.gate());
  buildMenus();
  buildWindowControls();
  buildRequestLog();
  buildChannelPanes();
  wireStartup();
  wireMenus();
  wireSetupFiles();
  wireRequestLog();
  wireChannelPanes();
  session_.addListener(*this);
}

frmMain::~frmMain() {
  session_.removeListener(*this);
  delete requestLogPane;  // before the log it reads
  delete channelsPane;
  delete sequencePane;
  // The views go before the controls they own.
  mainDacs_.reset();
  offsets_.reset();
  signals_.reset();
  voltages_.reset();
}
