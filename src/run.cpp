#include "run.h"

#include <string>

#include "options/option_table.h"
#include "options/parse_arguments.h"
#include "print_line.h"
#include "setup/error_file.h"
#include "setup/setup_command.h"
#include "setup/write_probe.h"

// clang-format off
const char kUsageText[] =
    "\n"
    " Quorvantel Version 1.0.2 \n"
    "\n"
    " Usage: Quorvantel.exe <path to setup> '/T=...' [/L=...] [/S=...] [/D=...]\n"
    " \n"
    " '/L=', Language:   e --> englisch \n"
    "                    g --> german \n"
    "\n"
    " '/T=', Tools you want to install. Enter a combination of following characters:\n"
    "                    c --> the configuration tool will be installed\n"
    "                    b --> the Bug reporter tool will be installed\n"
    "                    d --> the data transfer tool will be installed\n"
    "                    f --> the Firmware Update tool will be installed\n"
    "\n"
    " '/S=', save option, this specifies how to store the users' client settings:\n"
    "                    i --> individually for all users of one PC                                          \n"
    "                    c --> centrallly for all users of one PC                                             \n"
    "                                                                                                          \n"
    " '/D=', used to enter the path of directory, where the Tools should be installed\n"
    "                                                                                                          \n"
    " Note: Parameters must be entered in the following order (Quorvantel.exe <path to setup> '/T=...' [/L=...] [/S=...] [/D=...])\n";
// clang-format on

const char kToolLetters[] = "BCDFbcdf";

namespace {

constexpr const char* kRejectedLines[] = {
    "Error: At least one Tool should be choosen.",
    "It is also possible that the path to setup is incorrect",
    "For help enter: Quorvantel.exe /h ",
};
constexpr char kProtectedLine[] = " The path is protected";
constexpr char kTooLongLine[] =
    " The command line is too long for the command interpreter";
constexpr char kLineBreakLine[] =
    " The command line holds a line break, which the command interpreter "
    "cannot take";

}  // namespace

bool passesOptionChecks(const OptionTable& table) {
  const auto tools = table.find("T");
  const auto path = table.find("path");
  // No file name holds a double quote, and one in the path would let cmd
  // start a program of another name.
  return tools != table.end() &&
         tools->second.find_first_of(kToolLetters) != std::string::npos &&
         path != table.end() &&
         path->second.find(".exe") != std::string::npos &&
         path->second.find('"') == std::string::npos;
}

int runQuorvantel(int argc, const char* const* argv) {
  OptionTable table;
  if (argc == 1) {
    printLine(kUsageText);
    return kExitDone;
  }
  if (argc < 1) {
    return kExitDone;
  }

  parseArguments(argc, argv, table);
  if (isHelpRequested(table)) {
    printLine(kUsageText);
    return kExitHelp;
  }

  if (!passesOptionChecks(table)) {
    for (const char* line : kRejectedLines) {
      printLine(line);
    }
    return kExitRejected;
  }

  std::string command;
  const std::string setupPath = beginSetupCommand(table, command);
  buildSetupCommand(table, command);
  const std::string interpreterCommand =
      encodeForInterpreter(command, setupPath.size());

  // Refused before the probe: cmd would run nothing, or something other than
  // the command, and the run would look like a success.
  if (kInterpreterIsCmd && holdsLineBreak(command)) {
    printLine(kLineBreakLine);
    return kExitRejected;
  }
  if (kInterpreterIsCmd && exceedsCmdLimit(interpreterCommand)) {
    printLine(kTooLongLine);
    return kExitRejected;
  }

  if (probeWriteAccess(setupPath)) {
    printLine(kProtectedLine);
    return kExitProtected;
  }

  runSetupCommand(interpreterCommand);
  return reportErrorFile() ? kExitSetupErrors : kExitDone;
}
