#pragma once

#include <string>

// Writes text to standard output, then a line feed, then flushes, so that a
// line is visible to whoever reads the console or the pipe before the next
// step of the run starts. Every byte of text is written, NUL bytes included.
void printLine(const std::string& text);
