#pragma once

#include "options/option_table.h"

// Fills table from the arguments after the program's own name: the first is
// the setup path (anything containing ".exe") or a help switch, every further
// one an option "/K=value" or a help switch. Arguments that fit no rule are
// dropped; parsing never fails and never prints. argv ends at argc or at the
// first null entry, whichever comes first.
void parseArguments(int argc, const char* const* argv, OptionTable& table);

// True when the table holds the key "h" or "H".
bool isHelpRequested(const OptionTable& table);
