/* The floor of the overhead benchmark: a program that only hands its
   argument to the interpreter and waits, as any design that runs the setup
   through the interpreter must. */
#include <stdlib.h>

int main(int argc, char** argv) { return argc == 2 ? system(argv[1]) : 2; }
