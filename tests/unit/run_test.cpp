#include "run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  std::string out;
  int status;
};

Outcome run(const std::vector<std::string>& arguments) {
  const ArgumentVector vector(arguments);
  Outcome outcome{};
  outcome.out = captureStdout(
      [&] { outcome.status = runQuorvantel(vector.argc(), vector.argv()); });
  return outcome;
}

const std::string kRejected = withLineEnds(
    "Error: At least one Tool should be choosen.\n"
    "It is also possible that the path to setup is incorrect\n"
    "For help enter: Quorvantel.exe /h \n");

std::string usageAsPrinted() {
  return withLineEnds(kUsageText + std::string("\n"));
}

TEST(UsageText, HasItsTwentyLinesBetweenEmptyOnes) {
  const std::vector<std::pair<int, std::string>> lines = {
      {0, ""},
      {1, "Quorvantel Version 1.0.2 "},
      {0, ""},
      {1,
       "Usage: Quorvantel.exe <path to setup> '/T=...' [/L=...] [/S=...] "
       "[/D=...]"},
      {1, ""},
      {1, "'/L=', Language:   e --> englisch "},
      {20, "g --> german "},
      {0, ""},
      {1,
       "'/T=', Tools you want to install. Enter a combination of "
       "following characters:"},
      {20, "c --> the configuration tool will be installed"},
      {20, "b --> the Bug reporter tool will be installed"},
      {20, "d --> the data transfer tool will be installed"},
      {20, "f --> the Firmware Update tool will be installed"},
      {0, ""},
      {1,
       "'/S=', save option, this specifies how to store the users' "
       "client settings:"},
      {20, "i --> individually for all users of one PC" + std::string(42, ' ')},
      {20, "c --> centrallly for all users of one PC" + std::string(45, ' ')},
      {106, ""},
      {1,
       "'/D=', used to enter the path of directory, where the Tools "
       "should be installed"},
      {106, ""},
      {1,
       "Note: Parameters must be entered in the following order "
       "(Quorvantel.exe <path to setup> '/T=...' [/L=...] [/S=...] "
       "[/D=...])"},
  };
  std::string expected;
  for (const auto& [lead, text] : lines) {
    expected += std::string(static_cast<std::size_t>(lead), ' ') + text + "\n";
  }
  EXPECT_EQ(std::string(kUsageText), expected);
}

TEST(Run, UsageAndHelp) {
  EXPECT_EQ(run({}).out, usageAsPrinted());
  EXPECT_EQ(run({}).status, kExitDone);
  for (const std::string help : {"/h", "/H", "/help"}) {
    const Outcome outcome = run({help});
    EXPECT_EQ(outcome.out, usageAsPrinted()) << help;
    EXPECT_EQ(outcome.status, kExitHelp) << help;
  }
}

TEST(Run, NoArgumentVectorPrintsNothing) {
  const char* argv[] = {nullptr};
  int status = -1;
  EXPECT_EQ(captureStdout([&] { status = runQuorvantel(0, argv); }), "");
  EXPECT_EQ(status, kExitDone);
}

TEST(Run, HelpWinsOverAValidInstallation) {
  const TempDir dir;
  const Outcome outcome =
      run({dir.file("setup.exe"), "/T=cb", "/L=g", "/S=i", "/D=C:\\x", "/h"});
  EXPECT_EQ(outcome.out, usageAsPrinted());
  EXPECT_EQ(outcome.status, kExitHelp);
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(Run, RejectsACommandLineWithoutToolOrSetup) {
  const std::vector<std::vector<std::string>> cases = {
      {"setup.exe"},
      {"setup.exe", "/T=zz"},
      {"setup.exe", "/t=b"},
      {"setup.exe", "/T="},
      {"/T=cb"},
      {"-h", "/T=c"},
      {"setup.exe", "abc/path=X", "/T=c"},
      {"setup\".exe", "/T=c"},
  };
  for (const auto& arguments : cases) {
    const Outcome outcome = run(arguments);
    EXPECT_EQ(outcome.out, kRejected) << arguments.front();
    EXPECT_EQ(outcome.status, kExitRejected) << arguments.front();
  }
}

TEST(Run, ProtectedFolderRunsNothing) {
  const TempDir dir;
  const Outcome outcome = run({dir.file("missing/setup.exe"), "/T=c"});
  EXPECT_EQ(outcome.out, withLineEnds(" The path is protected\n"));
  EXPECT_EQ(outcome.status, kExitProtected);
}

#ifdef _WIN32
TEST(Run, RefusesWhatCmdCannotTake) {
  const TempDir dir;
  const std::string setup = dir.file("setup.exe");
  const std::string head = setup + " /S /T=c /D=";
  const std::string tooLong(8192 - head.size(), 'x');
  Outcome outcome = run({setup, "/T=c", "/D=" + tooLong});
  EXPECT_EQ(outcome.out, withLineEnds(" The command line is too long for the "
                                      "command interpreter\n"));
  EXPECT_EQ(outcome.status, kExitRejected);

  outcome = run({setup, "/T=c", "/D=a\nb"});
  EXPECT_EQ(outcome.out,
            withLineEnds(" The command line holds a line break, which the "
                         "command interpreter cannot take\n"));
  EXPECT_EQ(outcome.status, kExitRejected);
  EXPECT_TRUE(fs::is_empty(dir.path()));
}
#else
// The whole run with a shell script as the setup: it leaves an error file
// where the program looks for one, relative to the working folder here.
TEST(Run, ReportsWhatTheSetupLeftBehind) {
  const TempDir dir;
  const fs::path before = fs::current_path();
  fs::current_path(dir.path());
  writeFile(
      "setup.exe",
      "#!/bin/sh\nprintf '%s|' \"$@\" > args\n"
      "printf 'unknown tool x\\r\\nsecond' > 'C:\\Temp\\errorFile.txt'\n");
  fs::permissions("setup.exe", fs::perms::owner_all);

  const Outcome outcome = run({"./setup.exe", "/T=cx", "/D=my dir", "/L=g"});
  const std::string args = readFile("args");
  const bool errorFileLeft = fs::exists("C:\\Temp\\errorFile.txt");
  fs::current_path(before);

  EXPECT_EQ(outcome.out, "unknown tool x\nsecond\n");
  EXPECT_EQ(outcome.status, kExitSetupErrors);
  EXPECT_EQ(args, "/S|/L=g|/T=cx|/D=my|dir|");
  EXPECT_FALSE(errorFileLeft);
}
#endif

}  // namespace
