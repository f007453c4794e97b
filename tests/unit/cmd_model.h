#pragma once

#include <string>

// A model of how cmd.exe reads the text after "cmd /c" when that text is one
// external command: the quote stripping of /c, quoted stretches, carets, and
// the operators that would make it run something else. It is kept apart from
// the program's encoder so that each checks the other.
struct CmdReading {
  // False when cmd would not run exactly one program with a predictable
  // command line: an operator or parenthesis outside quotes, a /c line whose
  // quote handling depends on the file system, a leading @ or colon.
  bool predictable = false;
  // The program cmd starts, quotes removed, and the command line it hands
  // that program.
  std::string program;
  std::string commandLine;
};

CmdReading readCmdLine(const std::string& line);
