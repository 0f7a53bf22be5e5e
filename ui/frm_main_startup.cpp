// SCAFFOLD: placeholder bodies, to be replaced by the owner of this file.
#include "frm_main.h"

void frmMain::Form_Load() {}

void frmMain::Init() {}

void frmMain::SSTab1_Click(int) {}

void frmMain::UpdateOffset() {}

void frmMain::LoadUSB() {}

void frmMain::ShowRegistersOf(int) {}

void frmMain::refreshOutputVoltages() {}

void frmMain::closeEvent(QCloseEvent*) {}

void frmMain::wireStartup() {}

