// Words and line requests on their way to the board.

#include "frm_main.h"
#include "hex_text.h"
#include "value_label.h"

void frmMain::SPIout(const int32_t& Code) {
  win.lblOutputCode->setText(QString::fromStdString(NumberToHex(Code, 6)));
  link_.SPIwrite(Code);
}

int32_t frmMain::SPIread() { return link_.SPIread(); }

void frmMain::lineRequest(Request code) { link_.LineRequest(code); }
