// SCAFFOLD: placeholder bodies, to be replaced by the owner of this file.
#include "frm_main.h"

void frmMain::mnuReload_Click() {}

void frmMain::mnuExit_Click() {}

void frmMain::mnuVersion_Click() {}

void frmMain::Picture1_Click() {}

void frmMain::Picture2_Click() {}

void frmMain::Picture3_Click() {}

void frmMain::wireMenus() {}

