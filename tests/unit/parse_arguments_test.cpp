#include "options/parse_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace {

// Parses the arguments after the program name as the run would.
OptionTable parse(const std::vector<std::string>& arguments) {
  const ArgumentVector vector(arguments);
  OptionTable table;
  parseArguments(vector.argc(), vector.argv(), table);
  return table;
}

struct ParseCase {
  std::vector<std::string> arguments;
  OptionTable expected;
};

TEST(ParseArguments, FillsTheTableByTheRules) {
  const std::vector<ParseCase> cases = {
      {{"C:\\s\\setup.exe", "/T=cb", "/L=g", "/S=i", "/D=C:\\x"},
       {{"D", "C:\\x"},
        {"L", "g"},
        {"SO", "i"},
        {"T", "cb"},
        {"path", "C:\\s\\setup.exe"}}},
      {{"/h"}, {{"h", "h"}}},
      {{"/help"}, {{"h", "h"}}},
      {{"/H"}, {{"H", "H"}}},
      {{"x/h"}, {{"h", "h"}}},
      {{"-h"}, {}},
      {{"setup.exe", "T=cb"}, {{"path", "setup.exe"}}},
      {{"setup.exe", "/Tools=bc"}, {{"T", "bc"}, {"path", "setup.exe"}}},
      // The key is as long as the position after the slash.
      {{"setup.exe", "x/T=b"}, {{"T=", "b"}, {"path", "setup.exe"}}},
      {{"setup.exe", "/T=b", "/T=c"}, {{"T", "c"}, {"path", "setup.exe"}}},
      {{"/T=b", "setup.exe"}, {}},
      // Only an exact "S" becomes "SO"; "/SO=x" gives the key "S".
      {{"setup.exe", "/s=i"}, {{"path", "setup.exe"}, {"s", "i"}}},
      {{"setup.exe", "/SO=x"}, {{"SO", "x"}, {"path", "setup.exe"}}},
      {{"setup.exe", "/L="}, {{"L", ""}, {"path", "setup.exe"}}},
      {{"setup.exe", "/=x"}, {{"=", "x"}, {"path", "setup.exe"}}},
      {{"setup.exe", "/D=C:\\my tools=x y"},
       {{"D", "C:\\my tools=x y"}, {"path", "setup.exe"}}},
      {{"setup.exe", "abc/path=X"}, {{"path", "X"}}},
      // Help switches after the first argument, with and without a value.
      {{"setup.exe", "/h=1"}, {{"h", "1"}, {"path", "setup.exe"}}},
      {{"setup.exe", "/H"}, {{"H", "H"}, {"path", "setup.exe"}}},
      {{"setup.exe", "/T"}, {{"path", "setup.exe"}}},
      {{"setup.exe", "T"}, {{"path", "setup.exe"}}},
      // A setup path later on the line is only an argument without a slash.
      {{"/T=c", "C:\\s\\setup.exe"}, {}},
      {{"C:\\s\\setup.EXE", "/T=c"}, {{"T", "c"}}},
  };
  for (const ParseCase& c : cases) {
    std::string line;
    for (const std::string& argument : c.arguments) {
      line += argument + " ";
    }
    EXPECT_EQ(parse(c.arguments), c.expected) << "arguments: " << line;
  }
}

TEST(ParseArguments, OrdersKeysByUnsignedBytes) {
  const OptionTable table =
      parse({"setup.exe", "/T=1", "/h=2", "/D=3", "/\xE4=4", "/L=5", "/S=6"});
  std::string order;
  for (const auto& entry : table) {
    order += entry.first + ",";
  }
  EXPECT_EQ(order, "D,L,SO,T,h,path,\xE4,");
}

TEST(ParseArguments, StopsAtTheNullEntry) {
  const char* argv[] = {"Quorvantel.exe", "setup.exe", nullptr, "/T=c"};
  OptionTable table;
  parseArguments(4, argv, table);
  EXPECT_EQ(table, (OptionTable{{"path", "setup.exe"}}));
}

TEST(IsHelpRequested, TakesEitherHelpKey) {
  EXPECT_TRUE(isHelpRequested({{"h", "h"}}));
  EXPECT_TRUE(isHelpRequested({{"H", "1"}, {"path", "setup.exe"}}));
  EXPECT_FALSE(isHelpRequested({{"path", "setup.exe"}, {"T", "h"}}));
  EXPECT_FALSE(isHelpRequested({}));
}

}  // namespace
