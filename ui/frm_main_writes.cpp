// SCAFFOLD: placeholder bodies, to be replaced by the owner of this file.
#include "frm_main.h"

bool frmMain::CheckText(const QString&, int16_t) { return false; }

void frmMain::txtInput_KeyPress(int, int) {}

void frmMain::txtInput_LostFocus(int) {}

void frmMain::InputSel_Click(int) {}

void frmMain::cmdX1A_Click() {}

void frmMain::cmdM_Click() {}

void frmMain::cmdC_Click() {}

void frmMain::cmdLDAC_Click() {}

void frmMain::updateX2() {}

void frmMain::wireWrites() {}

