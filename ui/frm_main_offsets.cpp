// SCAFFOLD: placeholder bodies, to be replaced by the owner of this file.
#include "frm_main.h"

void frmMain::cmdOFFSET_Click(int) {}

void frmMain::txtOffsetValue_LostFocus(int) {}

void frmMain::txtVREF_KeyPress(int, int) {}

void frmMain::wireOffsets() {}

