#pragma once
// The commands every connection has: the IEEE 488.2 common commands of the status registers
// and SCPI's SYSTem:ERRor and SYSTem:VERSion. The program adds *IDN?, *RST and its own tree.

#include "command_tree.h"

namespace scpi {

// *CLS, *ESE, *ESE?, *ESR?, *OPC, *OPC?, *SRE, *SRE?, *STB?, *WAI, SYSTem:ERRor[:NEXT]?,
// SYSTem:ERRor:COUNt? and SYSTem:VERSion? (1999.0).
CommandTree StandardTree();

}  // namespace scpi
