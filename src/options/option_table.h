#pragma once

#include <map>
#include <string>

// Option key to option value, both taken byte for byte from the command line.
// std::string orders its keys by unsigned byte value with a prefix first,
// which is the order in which the checks and the command assembly walk it.
using OptionTable = std::map<std::string, std::string>;
