#include "run.h"

int main(int argc, char** argv) { return runQuorvantel(argc, argv); }
