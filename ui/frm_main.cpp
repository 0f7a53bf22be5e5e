// The main window: its construction runs the layout and then wires each behaviour file.

#include "frm_main.h"

frmMain::frmMain(BoardLink& link, WindowServices& services, QString exeFolder, QWidget* parent)
    : QMainWindow(parent), link_(link), services_(services), exeFolder_(std::move(exeFolder)) {
  buildMenus();
  buildWindowControls();
  wireStartup();
  wireSelection();
  wireWrites();
  wireOffsets();
  wireMonitor();
  wireSignals();
  wireMenus();
}

frmMain::~frmMain() = default;
