// Runs the error-file report alone on the file named by its argument, for
// the report benchmark. The report deletes the file, as it does after a run.
#include "setup/error_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    return 2;
  }
  reportErrorFile(argv[1]);
  return 0;
}
