/* The baseline of the report benchmark: the least a program can do that
   prints a file line by line and flushes after each line. */
#include <stdio.h>

int main(int argc, char** argv) {
  static char line[1 << 16];
  FILE* file;
  if (argc != 2 || (file = fopen(argv[1], "r")) == NULL) {
    return 2;
  }
  while (fgets(line, sizeof line, file) != NULL) {
    fputs(line, stdout);
    fflush(stdout);
  }
  fclose(file);
  return 0;
}
