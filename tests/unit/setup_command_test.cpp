#include "setup/setup_command.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cmd_model.h"
#include "options/parse_arguments.h"
#include "test_support.h"

namespace {

struct Assembled {
  std::string setupPath;
  std::string command;
  OptionTable rest;
};

Assembled assemble(const std::vector<std::string>& arguments) {
  const ArgumentVector vector(arguments);
  Assembled out;
  parseArguments(vector.argc(), vector.argv(), out.rest);
  out.setupPath = beginSetupCommand(out.rest, out.command);
  buildSetupCommand(out.rest, out.command);
  return out;
}

TEST(SetupCommand, AssemblesTheSilentInstallLine) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"C:\\s\\setup.exe", "/T=cb", "/L=g", "/S=i", "/D=C:\\x"},
       "C:\\s\\setup.exe /S /L=g /SO=i /T=cb /D=C:\\x"},
      {{"setup.exe", "/T=F"}, "setup.exe /S /T=F"},
      {{"setup.exe", "/D=D:\\a", "/T=b", "/L=e", "/Z=q"},
       "setup.exe /S /L=e /T=b /D=D:\\a"},
      {{"setup.exe", "/T=xb", "/S=c"}, "setup.exe /S /SO=c /T=xb"},
      {{"setup.exe", "/L=", "/T=c"}, "setup.exe /S /L= /T=c"},
      {{"setup.exe", "/T=b", "/L=e", "/T=c", "/L=g"}, "setup.exe /S /L=g /T=c"},
      {{"setup.exe", "/D=C:\\my tools", "/T=c"},
       "setup.exe /S /T=c /D=C:\\my tools"},
      // The path entry is gone before the options are appended, so a
      // "/p=" option cannot bring the path in twice.
      {{"setup.exe", "/h=", "/H=", "/p=x", "/T=c"}, "setup.exe /S /T=c"},
  };
  for (const auto& [arguments, expected] : cases) {
    const Assembled got = assemble(arguments);
    EXPECT_EQ(got.command, expected);
    EXPECT_EQ(got.setupPath, arguments.front());
    EXPECT_EQ(got.rest.count("path"), 0U);
    // Plain paths and values reach cmd exactly as assembled.
    EXPECT_EQ(encodeForCmd(got.command, got.setupPath.size()), expected);
  }
}

struct CmdCase {
  std::string program;
  std::string rest;
  std::string encoded;
};

TEST(EncodeForCmd, KeepsCmdFromReadingItsOwnSyntax) {
  const std::vector<CmdCase> cases = {
      {"C:\\Program Files (x86)\\Suite\\setup.exe", " /S /L=g /D=C:\\x",
       "\"\"C:\\Program Files (x86)\\Suite\\setup.exe\" /S /L=g /D=C:\\x\""},
      {"C:\\s\\setup.exe", " /S /D=C:\\x&echo INJECTED",
       "C:\\s\\setup.exe /S /D=C:\\x^&echo INJECTED"},
      {"setup.exe", " /S /D=C:\\R&D Tools", "setup.exe /S /D=C:\\R^&D Tools"},
      {"setup.exe", " /S /T=a|b<c>d^e(f)",
       "setup.exe /S /T=a^|b^<c^>d^^e^(f^)"},
      // A quote in a value opens a stretch that cmd reads literally.
      {"setup.exe", " /S /D=\"a&b\" c&d", "setup.exe /S /D=\"a&b\" c^&d"},
      {"setup.exe", " /S /D=\"a&b", "setup.exe /S /D=\"a&b"},
      // Percent signs and exclamation marks stay for cmd.
      {"setup.exe", " /S /D=%TEMP%\\x!y", "setup.exe /S /D=%TEMP%\\x!y"},
      {"a&b.exe", " /S", "\"\"a&b.exe\" /S\""},
      {"C:\\s;t\\setup.exe", " /S", "\"\"C:\\s;t\\setup.exe\" /S\""},
      {"C:/s/setup.exe", " /S", "\"\"C:/s/setup.exe\" /S\""},
      {"@setup.exe", " /S", "\"\"@setup.exe\" /S\""},
      {":setup.exe", " /S", "\"\":setup.exe\" /S\""},
      {"setup\tx.exe", " /S", "\"\"setup\tx.exe\" /S\""},
      // Names that cmd would take as one of its own commands.
      {"echo.exe", " /S", "\"\"echo.exe\" /S\""},
      {"CD..\\setup.exe", " /S", "\"\"CD..\\setup.exe\" /S\""},
      {"set.exe", " /S", "\"\"set.exe\" /S\""},
      {"setup.exe", " /S", "setup.exe /S"},
      {"..\\settings.exe", " /S", "..\\settings.exe /S"},
      {"C:\\s\\setup\xE4.exe", " /S /D=\xFF",
       "C:\\s\\setup\xE4.exe /S /D=\xFF"},
  };
  for (const CmdCase& c : cases) {
    const std::string command = c.program + c.rest;
    const std::string encoded = encodeForCmd(command, c.program.size());
    EXPECT_EQ(encoded, c.encoded) << "command: " << command;

    const CmdReading reading = readCmdLine(encoded);
    EXPECT_TRUE(reading.predictable) << "encoded: " << encoded;
    EXPECT_EQ(reading.program, c.program);
    const bool quotedProgram = c.encoded.front() == '"';
    EXPECT_EQ(reading.commandLine,
              quotedProgram ? "\"" + c.program + "\"" + c.rest : command);
  }
}

TEST(EncodeForCmd, LengthLimitIsCmdsOwn) {
  EXPECT_FALSE(exceedsCmdLimit(std::string(8191, 'x')));
  EXPECT_TRUE(exceedsCmdLimit(std::string(8192, 'x')));
  EXPECT_TRUE(holdsLineBreak("setup.exe /S /D=a\nb"));
  EXPECT_TRUE(holdsLineBreak("setup.exe /S /D=a\rb"));
  EXPECT_FALSE(holdsLineBreak("setup.exe /S /D=a b\t\x1A"));
}

TEST(EncodeForSh, QuotesEveryWordForTheShell) {
  EXPECT_EQ(encodeForSh("./setup.exe /S /T=c", 11),
            "'./setup.exe' '/S' '/T=c'");
  EXPECT_EQ(encodeForSh("my setup.exe /S /D=a b", 12),
            "'my setup.exe' '/S' '/D=a' 'b'");
  EXPECT_EQ(encodeForSh("it's.exe /S /D=$(x)`y`;z&\n", 8),
            "'it'\\''s.exe' '/S' '/D=$(x)`y`;z&\n'");
  EXPECT_EQ(encodeForSh("s.exe /S\t /T=c", 5), "'s.exe' '/S'\t '/T=c'");
}

#ifdef _WIN32
std::string repeated(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) {
    out += text;
  }
  return out;
}

// The real cmd.exe, the model and the intended command line must agree: the
// stand-in setup named by QUORVANTEL_STANDIN records what it receives.
TEST(RunSetupCommand, RealCmdReadsTheEncodingAsTheModelDoes) {
  const char* standinVariable = std::getenv("QUORVANTEL_STANDIN");
  ASSERT_NE(standinVariable, nullptr) << "QUORVANTEL_STANDIN names it";
  // Copied: setting a variable may move the environment.
  const std::string standin = standinVariable;
  const TempDir dir;
  const std::string log = dir.file("received.log");
  _putenv_s("QUORVANTEL_STANDIN_LOG", log.c_str());

  const std::vector<std::pair<std::string, std::string>> rows = {
      {"plain", " /S /T=c /D=C:\\x&echo INJECTED>injected.txt"},
      {"with blank (x86)", " /S /L=<g> /SO=^i /T=c|b"},
      {"R&D;a=b,c+[1]", " /S /D=\"a&b\"&(c) ^& \"d"},
      {"pct 100%", " /S /D=100% %QUORVANTEL_UNDEFINED% !x! ,;= \t\xE4\xFF"},
      {"quote", " /S /D=a\"b&c\"d|e\"f<g"},
      {"caret", " /S /T=c /D=C:\\Program Files (x86)\\T ^& more^"},
      {"long", " /S /T=c /D=" + repeated("x&y", 1500)},
  };
  for (const auto& [folder, rest] : rows) {
    std::filesystem::create_directories(dir.path() / folder);
    const std::string setup = dir.file(folder + "\\setup.exe");
    std::filesystem::copy_file(standin, setup);
    const std::string command = setup + rest;
    const std::string encoded = encodeForCmd(command, setup.size());
    const CmdReading reading = readCmdLine(encoded);

    std::filesystem::remove(log);
    runSetupCommand(encoded);
    std::string received = readFile(log);
    ASSERT_FALSE(received.empty()) << "the setup did not start: " << encoded;
    received.pop_back();  // the NUL after each command line

    EXPECT_TRUE(reading.predictable) << encoded;
    EXPECT_EQ(received, reading.commandLine) << encoded;
    const bool quoted = received.front() == '"';
    EXPECT_EQ(received, quoted ? "\"" + setup + "\"" + rest : command);
    EXPECT_FALSE(std::filesystem::exists("injected.txt"));
  }
}
#else
// Runs the command through the real /bin/sh with a stand-in setup that
// writes each argument it receives on a line of its own.
TEST(RunSetupCommand, ShellStartsTheSetupWithTheIntendedWords) {
  const TempDir dir;
  const std::string setup = dir.file("my setup's.exe");
  const std::string log = dir.file("log");
  writeFile(setup,
            "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; "
            "done >'" +
                log + "'\n");
  std::filesystem::permissions(setup, std::filesystem::perms::owner_all);

  const std::string command = setup + " /S /T=c;touch x /D=$HOME `id` a\nb";
  runSetupCommand(encodeForSh(command, setup.size()));
  EXPECT_EQ(readFile(log),
            "[/S]\n[/T=c;touch]\n[x]\n[/D=$HOME]\n[`id`]\n[a\nb]\n");
}
#endif

}  // namespace
