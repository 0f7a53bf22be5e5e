// SCAFFOLD: placeholder bodies, to be replaced by the owner of this file.
#include "frm_main.h"

void frmMain::cboDisable_Click() {}

void frmMain::cboMonChannel_Click() {}

void frmMain::chkGPIO_Click(int) {}

void frmMain::cmdGPIOread_Click() {}

void frmMain::wireMonitor() {}

