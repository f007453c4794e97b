// Stands in for the suite's setup program in the end-to-end tests. What it
// does comes from the environment, which reaches it through Quorvantel.exe
// and cmd.exe:
//   QUORVANTEL_STANDIN_LOG     append the raw command line and a NUL byte
//   QUORVANTEL_STANDIN_ERRORS  copy this file to C:\Temp\errorFile.txt
//   QUORVANTEL_STANDIN_EXIT    exit with this status (default 0)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main() {
  if (const char* log = std::getenv("QUORVANTEL_STANDIN_LOG")) {
    if (std::FILE* file = std::fopen(log, "ab")) {
      const char* line = GetCommandLineA();
      std::fwrite(line, 1, std::strlen(line) + 1, file);
      std::fclose(file);
    }
  }
  if (const char* errors = std::getenv("QUORVANTEL_STANDIN_ERRORS")) {
    CreateDirectoryA("C:\\Temp", nullptr);
    CopyFileA(errors, "C:\\Temp\\errorFile.txt", FALSE);
  }
  const char* status = std::getenv("QUORVANTEL_STANDIN_EXIT");
  return status != nullptr ? std::atoi(status) : 0;
}
