#pragma once
// The branches of the instrument's tree, one file each.

#include "command_tree.h"
#include "session.h"

// *IDN?, *RST, *TST?, SYSTem:REMote|RWLock|LOCal.
void AddIdentityCommands(scpi::CommandTree& tree, Session& session);
// DAC<n>:X1A, X1B, M, C, X2A?, X2B?, REGister?, ABSel, VOLTage.
void AddChannelCommands(scpi::CommandTree& tree, Session& session);
// DAC<n>:NAME, DAC<n>:LIMit:LOWer|UPPer|CLEar and their queries.
void AddLabelCommands(scpi::CommandTree& tree, Session& session);
// FRAMe:VOLTage, FRAMe:CODE.
void AddFrameCommands(scpi::CommandTree& tree, Session& session);
// SEQuence:CLEar|FRAMe|COUNt?|REPeat|STARt|STOP|STATe?|TIMing?.
void AddSequenceCommands(scpi::CommandTree& tree, Session& session);
// LDAC, CONTrol:LDAC|RESet|CLR|INPut, WORD, BOARd:RELoad, BOARd:LINK?, BOARd:SIMulation:DAC<n>?
// and WORDs?.
void AddControlCommands(scpi::CommandTree& tree, Session& session);
// OFFSet<k>, REFerence<k>, MONitor:STATe|SELect, GPIO:MODE|READ?.
void AddSettingCommands(scpi::CommandTree& tree, Session& session);
// DAC<n>:X1A:READ? (X1B, M, C), BOARd:VERify?, BOARd:VERify:LIST?, BOARd:SIMulation:POWercycle.
void AddVerifyCommands(scpi::CommandTree& tree, Session& session);
// *LRN?: the setup as one line of commands that restores it.
void AddLearnCommand(scpi::CommandTree& tree, Session& session);
