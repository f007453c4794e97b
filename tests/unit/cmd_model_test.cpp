#include "cmd_model.h"

#include <gtest/gtest.h>

namespace {

// Readings seen with the real cmd.exe under Wine.
TEST(CmdModel, ReadsLinesAsCmdDoes) {
  const CmdReading quotedProgram = readCmdLine(
      "\"\"C:\\Program Files (x86)\\Suite\\setup.exe\" /S /L=g "
      "/D=C:\\Program Files ^(x86^)\\Tools ^& more\"");
  EXPECT_TRUE(quotedProgram.predictable);
  EXPECT_EQ(quotedProgram.program, "C:\\Program Files (x86)\\Suite\\setup.exe");
  EXPECT_EQ(quotedProgram.commandLine,
            "\"C:\\Program Files (x86)\\Suite\\setup.exe\" /S /L=g "
            "/D=C:\\Program Files (x86)\\Tools & more");

  const CmdReading escapedQuote = readCmdLine("C:\\s\\setup.exe /D=a^\"b^&c");
  EXPECT_TRUE(escapedQuote.predictable);
  EXPECT_EQ(escapedQuote.commandLine, "C:\\s\\setup.exe /D=a\"b&c");

  const CmdReading insideQuotes = readCmdLine("setup.exe /D=\"a&b\" c^&d");
  EXPECT_TRUE(insideQuotes.predictable);
  EXPECT_EQ(insideQuotes.program, "setup.exe");
  EXPECT_EQ(insideQuotes.commandLine, "setup.exe /D=\"a&b\" c&d");
}

TEST(CmdModel, FlagsLinesThatRunSomethingElse) {
  EXPECT_FALSE(
      readCmdLine("C:\\s\\setup.exe /D=C:\\x&echo INJECTED").predictable);
  EXPECT_FALSE(readCmdLine("setup.exe /D=a|b").predictable);
  EXPECT_FALSE(readCmdLine("setup.exe /D=(x)").predictable);
  EXPECT_FALSE(readCmdLine("@setup.exe /S").predictable);
  EXPECT_FALSE(readCmdLine("\"my setup.exe\" /S").predictable);
  EXPECT_EQ(readCmdLine("C:\\Program Files\\setup.exe /S").program,
            "C:\\Program");
}

}  // namespace
