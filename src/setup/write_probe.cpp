#include "setup/write_probe.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Enough for any folder that is not being flooded on purpose; past that the
// folder counts as one where nothing can be created.
constexpr int kMaxProbeNames = 1000;

constexpr char kProbeContent[] = "test \n";

// Reads the file back in text mode, as the write was made, and compares.
bool readsBackProbeContent(const std::string& name) {
  std::FILE* file = std::fopen(name.c_str(), "r");
  if (file == nullptr) {
    return false;
  }
  char buffer[sizeof kProbeContent + 1] = {};
  const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
  std::fclose(file);
  return got == sizeof kProbeContent - 1 &&
         std::memcmp(buffer, kProbeContent, got) == 0;
}

}  // namespace

bool probeWriteAccess(std::string setupPath) {
  setupPath += "test";
  for (int attempt = 0; attempt < kMaxProbeNames; ++attempt) {
    const std::string name =
        attempt == 0 ? setupPath : setupPath + std::to_string(attempt);

    // Exclusive creation: the file is ours only if this call made it. Text
    // mode, so the line end is the platform's.
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) {
      if (errno == EEXIST) {
        continue;
      }
      return true;
    }
    const bool written = write(fd, kProbeContent, sizeof kProbeContent - 1) ==
                         static_cast<int>(sizeof kProbeContent - 1);
    const bool closed = close(fd) == 0;
    const bool readBack = written && closed && readsBackProbeContent(name);
    std::remove(name.c_str());
    return !readBack;
  }
  return true;
}
