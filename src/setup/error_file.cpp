#include "setup/error_file.h"

#include <cstdio>
#include <string>

#include "print_line.h"

namespace {

void printWithoutLineEnd(std::string& line) {
  if (!line.empty() && line.back() == '\r') {
    line.pop_back();
  }
  printLine(line);
  line.clear();
}

}  // namespace

bool reportErrorFile(const char* path) {
  // Binary mode: in text mode the Windows runtime ends the file at the first
  // Ctrl-Z, and everything after it would be deleted unseen.
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) {
    return false;
  }

  bool anyLine = false;
  std::string line;
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    const char* const end = buffer + got;
    const char* start = buffer;
    for (const char* p = start; p != end; ++p) {
      if (*p == '\n') {
        line.append(start, p);
        printWithoutLineEnd(line);
        anyLine = true;
        start = p + 1;
      }
    }
    line.append(start, end);
  }
  const bool readToEnd = std::ferror(file) == 0;
  if (!line.empty()) {
    printLine(line);
    anyLine = true;
  }
  if (!anyLine) {
    printLine(" The error file is empty. ");
  }

  std::fclose(file);
  if (readToEnd) {
    std::remove(path);
  }
  return anyLine;
}
