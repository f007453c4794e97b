#pragma once

// Where the setup program leaves the problems it met.
constexpr char kErrorFilePath[] = "C:\\Temp\\errorFile.txt";

// Prints every line of the error file through printLine, in file order, or
// " The error file is empty. " when it holds no line, then deletes it. A line
// ends at a line feed; a carriage return right before the line feed belongs
// to the line end, every other byte (a lone carriage return, Ctrl-Z, NUL) to
// the line, and a last line without a line feed still counts. With no file
// at path nothing is printed or deleted. Returns true when at least one line
// was printed. A file that could not be read to its end is left in place.
bool reportErrorFile(const char* path = kErrorFilePath);
