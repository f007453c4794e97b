#pragma once

#include "options/option_table.h"

// Exit statuses: what a script or a deployment system sees of the run.
constexpr int kExitDone = 0;         // setup ran, no problems; or usage shown
constexpr int kExitHelp = 1;         // help requested, usage shown
constexpr int kExitRejected = 2;     // command line rejected, nothing run
constexpr int kExitProtected = 3;    // no file can be created beside setup
constexpr int kExitSetupErrors = 4;  // setup ran and reported problems

// Bytes from the constant texts that the run prints, for the tests.
extern const char kUsageText[];
extern const char kToolLetters[];

// True when the "T" value holds at least one tool letter and the "path"
// value names a program: it contains ".exe" and no double quote.
bool passesOptionChecks(const OptionTable& table);

// The whole run, from the argument vector to the exit status: usage and
// help, the option checks, the write-access probe, the setup run and the
// report of its error file. Everything it says goes to standard output.
int runQuorvantel(int argc, const char* const* argv);
