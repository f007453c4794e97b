#include "cmd_model.h"

#include <algorithm>
#include <cstring>

namespace {

// Bytes that end an unquoted program name for cmd.
bool endsProgramName(char c) {
  return std::strchr(" \t,;=/+[]", c) != nullptr ||
         static_cast<unsigned char>(c) == 0xFF;
}

std::string stripSlashCQuotes(const std::string& line, bool& predictable) {
  if (line.empty() || line.front() != '"') {
    return line;
  }
  // With exactly two quotes cmd keeps them or strips them depending on
  // whether the text between them names an existing program.
  if (std::count(line.begin(), line.end(), '"') == 2) {
    predictable = false;
  }
  std::string stripped = line.substr(1);
  stripped.erase(stripped.rfind('"'), 1);
  return stripped;
}

}  // namespace

CmdReading readCmdLine(const std::string& line) {
  CmdReading reading;
  reading.predictable = true;
  const std::string text = stripSlashCQuotes(line, reading.predictable);

  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      continue;
    }
    if (c == '\n') {
      break;
    }
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == '^') {
      if (i + 1 < text.size()) {
        reading.commandLine.push_back(text[++i]);
      }
      continue;
    } else if (!quoted && std::strchr("&|<>()", c) != nullptr) {
      reading.predictable = false;
    }
    reading.commandLine.push_back(c);
  }

  const std::string& received = reading.commandLine;
  if (received.empty() || received.front() == '@' || received.front() == ':' ||
      endsProgramName(received.front())) {
    reading.predictable = false;
  }
  quoted = false;
  for (const char c : received) {
    if (c == '"') {
      quoted = !quoted;
      continue;
    }
    if (!quoted && endsProgramName(c)) {
      break;
    }
    reading.program.push_back(c);
  }
  return reading;
}
