// SCAFFOLD: placeholder bodies, to be replaced by the owner of this file.
#include "frm_main.h"

void frmMain::cmdRESET_Click(int) {}

void frmMain::mnuPulseReset_Click() {}

void frmMain::Command1_Click() {}

void frmMain::Command2_Click() {}

void frmMain::Command3_Click() {}

void frmMain::Command4_Click() {}

void frmMain::Command5_Click() {}

void frmMain::Command6_Click() {}

void frmMain::cmdPowerDownTest_Click() {}

void frmMain::optTxtSelect_Click(int) {}

void frmMain::txtDirectLoad_LostFocus(int) {}

void frmMain::cmdDirectLoad_Click() {}

void frmMain::wireSignals() {}

