#include <gtest/gtest.h>

#include "macro/macro_conversion.h"

namespace orvel {
namespace {

TEST(MacroConversionTest, EachLineRule) {
  EXPECT_EQ(ConvertPreviousMacro("message=Hello;\r\n"), "message(\"Hello\");\n");
  EXPECT_EQ(ConvertPreviousMacro("cell(2,3)=12.5;\r\n"), "cell(2,3)=\"12.5\";\n");
  EXPECT_EQ(ConvertPreviousMacro("settwofactorlabela(1,Male)\r\n"), "settwofactorlabela(1,\"Male\");\n");
  EXPECT_EQ(ConvertPreviousMacro("settwofactorlabelb(2,Female)"), "settwofactorlabelb(2,\"Female\");\n");
  EXPECT_EQ(ConvertPreviousMacro("pairedt;\r\n"), "pairedt();\n");
  EXPECT_EQ(ConvertPreviousMacro("selectcell (1,1)::(2,2);\r\n"), "selectcell (1,1)::(2,2);\r\n");
  // Lines the rules cannot apply to stay as they are.
  EXPECT_EQ(ConvertPreviousMacro("pairedt\r\n"), "pairedt\r\n");
  EXPECT_EQ(ConvertPreviousMacro("message=no end\n"), "message=no end\n");
  EXPECT_EQ(ConvertPreviousMacro("settwofactorlabela(1,Male\n"), "settwofactorlabela(1,Male\n");
  EXPECT_EQ(ConvertPreviousMacro("123;\r\n\r\n"), "123;\r\n\r\n");
}

TEST(MacroConversionTest, WholeFilesOfAnyLength) {
  const std::string in = "datainput;\r\nsetxvalue(1);\r\nbasic;\r\nmessage=done;";
  EXPECT_EQ(ConvertPreviousMacro(in), "datainput();\nsetxvalue(1);\r\nbasic();\nmessage(\"done\");\n");
  std::string big, expected;
  for (int i = 0; i < 2000; ++i) {
    big += "cell(1," + std::to_string(i) + ")=" + std::string(30, '7') + ";\r\n";
    expected += "cell(1," + std::to_string(i) + ")=\"" + std::string(30, '7') + "\";\n";
  }
  EXPECT_EQ(ConvertPreviousMacro(big), expected);  // far beyond 999 characters: nothing cut
}

}  // namespace
}  // namespace orvel
