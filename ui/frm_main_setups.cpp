// SCAFFOLD: placeholder bodies, to be replaced by the owner of this file.
#include "frm_main.h"

void frmMain::Setup810() {}

void frmMain::Setup811() {}

void frmMain::Setup812() {}

void frmMain::Setup813() {}

void frmMain::setup820() {}

void frmMain::Setup821() {}

void frmMain::Setup822() {}

void frmMain::Setup823() {}

void frmMain::applySetup(int) {}

