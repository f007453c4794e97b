// libFuzzer target: the input, split at NUL bytes, is an argument vector.
// It goes through parsing, the option checks and the command assembly, and
// the encoded command is read back with the models of cmd.exe and /bin/sh:
// each must start the setup program with exactly the assembled command line
// and nothing else. The same is checked for the raw input taken as a
// program name followed by arguments, without the parser's filtering.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cmd_model.h"
#include "options/parse_arguments.h"
#include "run.h"
#include "setup/setup_command.h"
#include "test_support.h"

namespace {

[[noreturn]] void fail(const char* what, const std::string& encoded) {
  std::fprintf(stderr, "%s\nencoded: [%s]\n", what, encoded.c_str());
  std::abort();
}

// Words as /bin/sh -c reads a line made only of single-quoted words, '\''
// and blanks; anything else in it fails.
bool readShWords(const std::string& line, std::vector<std::string>& words) {
  bool inWord = false;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '\'') {
        quoted = false;
      } else {
        words.back().push_back(c);
      }
    } else if (c == ' ' || c == '\t') {
      inWord = false;
    } else {
      if (!inWord) {
        words.emplace_back();
        inWord = true;
      }
      if (c == '\'') {
        quoted = true;
      } else if (c == '\\' && i + 1 < line.size() && line[i + 1] == '\'') {
        words.back().push_back('\'');
        ++i;
      } else {
        return false;
      }
    }
  }
  return !quoted;
}

void checkCmd(const std::string& command, const std::string& program) {
  const std::string encoded = encodeForCmd(command, program.size());
  const CmdReading reading = readCmdLine(encoded);
  if (!reading.predictable) {
    fail("cmd would run something else", encoded);
  }
  if (reading.program != program) {
    fail("cmd would start another program", encoded);
  }
  const std::string rest = command.substr(program.size());
  if (reading.commandLine != command &&
      reading.commandLine != "\"" + program + "\"" + rest) {
    fail("the setup would receive another command line", encoded);
  }
}

void checkSh(const std::string& command, const std::string& program) {
  const std::string encoded = encodeForSh(command, program.size());
  std::vector<std::string> expected = {program};
  bool inWord = false;
  for (std::size_t i = program.size(); i < command.size(); ++i) {
    const char c = command[i];
    if (c == ' ' || c == '\t') {
      inWord = false;
    } else {
      if (!inWord) {
        expected.emplace_back();
        inWord = true;
      }
      expected.back().push_back(c);
    }
  }
  std::vector<std::string> words;
  if (!readShWords(encoded, words) || words != expected) {
    fail("sh would split the command otherwise", encoded);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  std::vector<std::string> arguments(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      arguments.emplace_back();
    } else {
      arguments.back().push_back(static_cast<char>(data[i]));
    }
  }

  const ArgumentVector argv(arguments);
  OptionTable table;
  parseArguments(argv.argc(), argv.argv(), table);
  if (!isHelpRequested(table) && passesOptionChecks(table)) {
    std::string command;
    const std::string setupPath = beginSetupCommand(table, command);
    buildSetupCommand(table, command);
    if (!holdsLineBreak(command)) {
      checkCmd(command, setupPath);
    }
    checkSh(command, setupPath);
  }

  // The encoders on their own: the first argument as the program, the rest
  // as its arguments.
  std::string command;
  for (const std::string& argument : arguments) {
    command += argument + " ";
  }
  const std::string& program = arguments.front();
  if (program.find('"') == std::string::npos && !holdsLineBreak(command)) {
    checkCmd(command, program);
  }
  checkSh(command, program);
  return 0;
}
