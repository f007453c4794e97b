#include "setup/error_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

struct ReportCase {
  const char* what;
  std::string contents;
  std::string printed;  // with line feeds for the platform's line ends
  bool anyLine;
};

TEST(ReportErrorFile, PrintsEveryLineThenDeletesTheFile) {
  const std::vector<ReportCase> cases = {
      {"empty file", "", " The error file is empty. \n", false},
      {"only a line feed", "\n", "\n", true},
      {"last line without line feed", "one\ntwo\nthree", "one\ntwo\nthree\n",
       true},
      {"CR LF line ends", "a\r\nb\r\n", "a\nb\n", true},
      {"lone CR stays in the line", "a\rb\nc\r", "a\rb\nc\r\n", true},
      {"Ctrl-Z and what follows it",
       "a\x1A"
       "b\nc\n",
       "a\x1A"
       "b\nc\n",
       true},
      {"NUL byte", std::string("a\0b\n", 4), std::string("a\0b\n", 4), true},
      {"blank lines", "\n\nx\n", "\n\nx\n", true},
  };
  for (const ReportCase& c : cases) {
    const TempDir dir;
    const std::string path = dir.file("errorFile.txt");
    writeFile(path, c.contents);
    bool anyLine = !c.anyLine;
    const std::string out =
        captureStdout([&] { anyLine = reportErrorFile(path.c_str()); });
    EXPECT_EQ(out, withLineEnds(c.printed)) << c.what;
    EXPECT_EQ(anyLine, c.anyLine) << c.what;
    EXPECT_FALSE(std::filesystem::exists(path)) << c.what;
  }
}

TEST(ReportErrorFile, ReadsALongFileInFull) {
  const TempDir dir;
  const std::string path = dir.file("errorFile.txt");
  std::string contents;
  for (int i = 0; i < 20000; ++i) {
    contents += "problem " + std::to_string(i) + "\r\n";
  }
  writeFile(path, contents);
  std::string expected;
  for (int i = 0; i < 20000; ++i) {
    expected += "problem " + std::to_string(i) + "\n";
  }
  EXPECT_EQ(captureStdout([&] { reportErrorFile(path.c_str()); }),
            withLineEnds(expected));
}

TEST(ReportErrorFile, NoFileMeansNoOutput) {
  const TempDir dir;
  const std::string path = dir.file("errorFile.txt");
  bool anyLine = true;
  EXPECT_EQ(captureStdout([&] { anyLine = reportErrorFile(path.c_str()); }),
            "");
  EXPECT_FALSE(anyLine);
}

}  // namespace
