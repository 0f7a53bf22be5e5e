// SCAFFOLD: placeholder bodies, to be replaced by the owner of this file.
#include "frm_main.h"

void frmMain::chkDAC_Click(int) {}

void frmMain::DACoptMux2_Click(int) {}

void frmMain::optAB_Click(int) {}

void frmMain::chkAllChannels_Click(int) {}

void frmMain::wireSelection() {}

