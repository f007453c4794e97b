#pragma once

#include <cstddef>
#include <string>

#include "options/option_table.h"

// The interpreter that runSetupCommand hands the command to: cmd.exe on
// Windows, /bin/sh elsewhere. This is the program's only platform switch.
#ifdef _WIN32
constexpr bool kInterpreterIsCmd = true;
#else
constexpr bool kInterpreterIsCmd = false;
#endif

// cmd.exe runs nothing at all when the text after /c is longer than this.
constexpr std::size_t kCmdMaxCommandLength = 8191;

// Takes the "path" entry out of table, starts command with the setup path
// followed by " /S" and returns the setup path. The entry must exist.
std::string beginSetupCommand(OptionTable& table, std::string& command);

// Appends " /L=", " /SO=" and " /T=" with their values, for those present,
// in that order, then " /D=" with the target directory when present.
void buildSetupCommand(const OptionTable& table, std::string& command);

// The string to hand to cmd /c so that cmd starts the program named by the
// first programLength bytes of command, and that program receives command
// as its command line: the program enclosed in double quotes where cmd
// would otherwise misread it, every other byte as it is. Characters that
// cmd treats as its own syntax are escaped with a caret outside quoted
// stretches; percent signs are left for cmd to expand.
std::string encodeForCmd(const std::string& command, std::size_t programLength);

// The same for /bin/sh -c: the program one word, the rest split into words
// at blanks and tabs, every other byte literal.
std::string encodeForSh(const std::string& command, std::size_t programLength);

// encodeForCmd or encodeForSh, whichever fits the platform's interpreter.
std::string encodeForInterpreter(const std::string& command,
                                 std::size_t programLength);

// True when cmd would refuse interpreterCommand as too long.
bool exceedsCmdLimit(const std::string& interpreterCommand);

// True when text holds a carriage return or a line feed: cmd drops the first
// and ends the command at the second, so neither can be handed over intact.
bool holdsLineBreak(const std::string& text);

// Runs interpreterCommand through the platform's command interpreter (the
// standard system call) and returns when the interpreter has ended.
void runSetupCommand(const std::string& interpreterCommand);
