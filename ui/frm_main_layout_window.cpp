// SCAFFOLD: placeholder bodies, to be replaced by the owner of this file.
#include "frm_main.h"

void frmMain::buildMenus() {}

void frmMain::buildWindowControls() {}

