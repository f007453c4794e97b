#include "options/parse_arguments.h"

#include <string>

namespace {

// The key of an argument is as many bytes as the position after its first
// slash, starting there: "/T=cb" gives "T", "x/T=b" gives "T=". Without a
// slash the key is empty.
std::string keyAfterSlash(const std::string& argument) {
  const std::size_t slash = argument.find('/');
  if (slash == std::string::npos) {
    return {};
  }
  return argument.substr(slash + 1, slash + 1);
}

bool isHelpKey(const std::string& key) { return key == "h" || key == "H"; }

}  // namespace

void parseArguments(int argc, const char* const* argv, OptionTable& table) {
  if (argc < 2 || argv[1] == nullptr) {
    return;
  }

  const std::string first = argv[1];
  if (first.find(".exe") != std::string::npos) {
    table["path"] = first;
  } else {
    const std::string key = keyAfterSlash(first);
    if (isHelpKey(key)) {
      table[key] = key;
    }
  }

  for (int i = 2; i < argc && argv[i] != nullptr; ++i) {
    const std::string argument = argv[i];
    std::string key = keyAfterSlash(argument);
    const std::size_t equals = argument.find('=');
    if (argument.find('/') == std::string::npos ||
        equals == std::string::npos) {
      if (isHelpKey(key)) {
        table[key] = key;
      }
      continue;
    }
    // The save option is written /S= on our command line and /SO= on the
    // setup's.
    if (key == "S") {
      key = "SO";
    }
    table[key] = argument.substr(equals + 1);
  }
}

bool isHelpRequested(const OptionTable& table) {
  return table.count("h") != 0 || table.count("H") != 0;
}
