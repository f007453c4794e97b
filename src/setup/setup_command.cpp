#include "setup/setup_command.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

// Names that cmd takes as its own commands when they open the command, even
// when glued to what follows: "echo.exe" prints "exe", "cd..\setup.exe"
// changes folder and "set.exe" lists variables.
constexpr std::array<std::string_view, 50> kCmdBuiltins = {
    "assoc", "break",    "call",  "cd",     "chdir", "choice", "cls",
    "color", "copy",     "ctty",  "date",   "del",   "dir",    "dpath",
    "echo",  "endlocal", "erase", "exit",   "for",   "ftype",  "goto",
    "help",  "if",       "keys",  "label",  "md",    "mkdir",  "mklink",
    "more",  "move",     "path",  "pause",  "popd",  "prompt", "pushd",
    "rd",    "rem",      "ren",   "rename", "rmdir", "set",    "setlocal",
    "shift", "start",    "time",  "title",  "type",  "ver",    "verify",
    "vol"};

bool isAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char toLowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithCmdBuiltin(const std::string& program) {
  std::string word;
  for (const char c : program) {
    if (!isAsciiLetter(c)) {
      break;
    }
    word.push_back(toLowerAscii(c));
  }
  return std::find(kCmdBuiltins.begin(), kCmdBuiltins.end(), word) !=
         kCmdBuiltins.end();
}

// Bytes that end or alter cmd's reading of a bare program name: separators,
// operators, the switch character and 0xFF, which cmd takes as a blank.
bool breaksBareProgramName(char c) {
  return std::strchr(" \t&|<>^(),;=/+[]\"", c) != nullptr ||
         static_cast<unsigned char>(c) == 0xFF;
}

bool programNeedsQuotes(const std::string& program) {
  if (program.empty()) {
    return true;
  }
  // A leading @ is taken as "do not echo" and dropped, a leading colon makes
  // the whole line a label.
  if (program.front() == '@' || program.front() == ':') {
    return true;
  }
  if (std::any_of(program.begin(), program.end(), breaksBareProgramName)) {
    return true;
  }
  return startsWithCmdBuiltin(program);
}

bool isCmdOperator(char c) {
  return c != '\0' && std::strchr("&|<>^()", c) != nullptr;
}

void appendShWord(std::string& out, std::string_view word) {
  out.push_back('\'');
  for (const char c : word) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out.push_back(c);
    }
  }
  out.push_back('\'');
}

}  // namespace

std::string beginSetupCommand(OptionTable& table, std::string& command) {
  const auto entry = table.find("path");
  std::string setupPath = entry->second;
  command += setupPath;
  command += " /S";
  table.erase(entry);
  return setupPath;
}

void buildSetupCommand(const OptionTable& table, std::string& command) {
  std::string directoryPart;
  for (const auto& [key, value] : table) {
    if (key == "D") {
      directoryPart.assign(" /").append(key).append("=").append(value);
    } else if (key == "L" || key == "SO" || key == "T") {
      command.append(" /").append(key).append("=").append(value);
    }
  }
  // The setup reads its target directory to the end of its command line, so
  // the directory goes last.
  command += directoryPart;
}

std::string encodeForCmd(const std::string& command,
                         std::size_t programLength) {
  const std::string program = command.substr(0, programLength);
  std::string received;
  if (programNeedsQuotes(program)) {
    received = "\"" + program + "\"" + command.substr(program.size());
  } else {
    received = command;
  }

  // cmd toggles its quoted state at every double quote and reads operators
  // only outside quoted stretches; a caret there makes the next byte plain.
  std::string encoded;
  encoded.reserve(received.size() + received.size() / 4 + 2);
  bool quoted = false;
  for (const char c : received) {
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && isCmdOperator(c)) {
      encoded.push_back('^');
    }
    encoded.push_back(c);
  }

  // cmd /c strips the first and the last double quote of a line that opens
  // with one; a pair of our own keeps the line's own quotes.
  if (!encoded.empty() && encoded.front() == '"') {
    encoded = "\"" + encoded + "\"";
  }
  return encoded;
}

std::string encodeForSh(const std::string& command, std::size_t programLength) {
  const std::string_view text = command;
  const std::string_view program = text.substr(0, programLength);
  std::string encoded;
  appendShWord(encoded, program);

  std::size_t pos = program.size();
  while (pos < text.size()) {
    const std::size_t wordEnd = text.find_first_of(" \t", pos);
    if (wordEnd == pos) {
      encoded.push_back(text[pos]);
      ++pos;
      continue;
    }
    const std::size_t end =
        wordEnd == std::string_view::npos ? text.size() : wordEnd;
    appendShWord(encoded, text.substr(pos, end - pos));
    pos = end;
  }
  return encoded;
}

std::string encodeForInterpreter(const std::string& command,
                                 std::size_t programLength) {
  return kInterpreterIsCmd ? encodeForCmd(command, programLength)
                           : encodeForSh(command, programLength);
}

bool exceedsCmdLimit(const std::string& interpreterCommand) {
  return interpreterCommand.size() > kCmdMaxCommandLength;
}

bool holdsLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

void runSetupCommand(const std::string& interpreterCommand) {
  // The setup's exit status means what the setup wants it to mean; the run
  // reports through the error file alone. The encoding makes the interpreter
  // read the command as one program and its arguments.
  static_cast<void>(
      std::system(interpreterCommand.c_str()));  // NOLINT(cert-env33-c)
}
