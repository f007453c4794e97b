/* A setup program that does nothing, for the overhead benchmark. */
int main(void) { return 0; }
