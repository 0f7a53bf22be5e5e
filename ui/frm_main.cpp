// The main window: its construction runs the layout, wires each behaviour file and starts
// following the session.

#include "frm_main.h"

#include "channels_pane.h"
#include "request_log.h"
#include "request_log_pane.h"
#include "sequence_pane.h"

frmMain::frmMain(Session& session, const RequestLog& log, WindowServices& services, QWidget* parent)
    : QMainWindow(parent), session_(session), services_(services), requestLog_(log) {
  services_.setGate(&session_.gate());
  buildMenus();
  buildWindowControls();
  buildRequestLog();
  buildChannelPanes();
  wireStartup();
  wireSelection();
  wireWrites();
  wireOffsets();
  wireMonitor();
  wireSignals();
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
}
