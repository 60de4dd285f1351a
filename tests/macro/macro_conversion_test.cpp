#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macro/macro_conversion.h"

namespace orvel {
namespace {

std::string Converted(std::string_view text) { return ConvertPreviousMacro(text).text; }

TEST(MacroConversionTest, EachLineRule) {
  EXPECT_EQ(Converted("message=Hello;\r\n"), "message(\"Hello\");\n");
  EXPECT_EQ(Converted("cell(2,3)=12.5;\r\n"), "cell(2,3)=\"12.5\";\n");
  EXPECT_EQ(Converted("settwofactorlabela(1,Male)\r\n"), "settwofactorlabela(1,\"Male\");\n");
  EXPECT_EQ(Converted("settwofactorlabelb(2,Female)"), "settwofactorlabelb(2,\"Female\");\n");
  EXPECT_EQ(Converted("pairedt;\r\n"), "pairedt();\n");
  EXPECT_EQ(Converted("selectcell (1,1)::(2,2);\r\n"), "selectcell (1,1)::(2,2);\r\n");
  // Lines the rules cannot apply to stay as they are.
  EXPECT_EQ(Converted("pairedt\r\n"), "pairedt\r\n");
  EXPECT_EQ(Converted("message=no end\n"), "message=no end\n");
  EXPECT_EQ(Converted("settwofactorlabela(1,Male\n"), "settwofactorlabela(1,Male\n");
  EXPECT_EQ(Converted("123;\r\n\r\n"), "123;\r\n\r\n");
}

// Every statement of a line is converted, only the "=" after the keyword and the first ","
// of a label call are replaced, and texts already in the current syntax are left alone.
TEST(MacroConversionTest, StatementsAndTextsKeepEveryCharacter) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"datainput; basic;\r\n", "datainput(); basic();\n"},
      {"message=x=1 means one;\r\n", "message(\"x=1 means one\");\n"},
      {"cell(1,2)=a=b;\n", "cell(1,2)=\"a=b\";\n"},
      {"settwofactorlabela(1,Male, young)\r\n", "settwofactorlabela(1,\"Male, young\");\n"},
      {"settwofactorlabelb(3,low (1));\n", "settwofactorlabelb(3,\"low (1)\");\n"},
      {"settwofactorlabela(1,a;b); basic;\n", "settwofactorlabela(1,\"a;b\"); basic();\n"},
      {"message=Start; cell(1,1)=5; pairedt;\n", "message(\"Start\"); cell(1,1)=\"5\"; pairedt();\n"},
      {"message=Use {x} here;\n", "message(\"Use {x} here\");\n"},
      {"basic; // summary first\r\n", "basic(); // summary first\n"},
      {"// pairedt;\r\n", "// pairedt;\r\n"},
      {"if (#a==1) { basic; }\n", "if (#a==1) { basic(); }\n"},
      {"} else {\r\n", "} else {\r\n"},
      {"#i=#i+1;\n", "#i=#i+1;\n"},
      {"message(\"Hello\");\r\n", "message(\"Hello\");\r\n"},
      {"cell(2,3)=\"12.5\";\r\n", "cell(2,3)=\"12.5\";\r\n"},
      {"settwofactorlabela(1,\"Male\");\r\n", "settwofactorlabela(1,\"Male\");\r\n"},
      {";;\n", ";;\n"},
  };
  for (const auto& c : cases) {
    const MacroConversion conversion = ConvertPreviousMacro(c.in);
    EXPECT_EQ(conversion.text, c.out) << c.in;
    EXPECT_TRUE(conversion.unconverted_lines.empty()) << c.in;
  }
}

// Lines that cannot be converted are left as written and listed by number.
TEST(MacroConversionTest, LinesThatCannotBeConvertedAreListed) {
  const MacroConversion conversion = ConvertPreviousMacro(
      "datainput;\r\n"
      "message=she said \"yes\";\r\n"        // a string cannot hold a double quote
      "settwofactorlabela(1,5\" tall)\r\n"
      "basic\r\n"                             // no ";"
      "message;\r\n"                          // no text
      "cell(1,2);\r\n"                        // no value
      "settwofactorlabelb(2)\r\n"             // no label
      "message=see http://example.org;\r\n"   // the comment cuts the statement
      "pairedt; message=half\n"
      "f;");
  EXPECT_EQ(conversion.unconverted_lines, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(conversion.text,
            "datainput();\n"
            "message=she said \"yes\";\r\n"
            "settwofactorlabela(1,5\" tall)\r\n"
            "basic\r\n"
            "message;\r\n"
            "cell(1,2);\r\n"
            "settwofactorlabelb(2)\r\n"
            "message=see http://example.org;\r\n"
            "pairedt; message=half\n"
            "f();\n");
  EXPECT_EQ(ConversionMessage(conversion),
            "Lines 2, 3, 4, 5, 6, 7, 8, 9 cannot be converted and are left as written. Save the macro "
            "with a new format( .ovm) and correct them.");
  EXPECT_EQ(ConversionMessage(ConvertPreviousMacro("a;\nb\n")),
            "Line 2 cannot be converted and is left as written. Save the macro with a new format( .ovm) "
            "and correct it.");
  EXPECT_EQ(ConversionMessage(ConvertPreviousMacro("a;\n")),
            "File conversion has been completed. Save the macro with a new format( .ovm).");

  std::string many;
  for (int i = 0; i < 25; ++i) many += "x\n";
  EXPECT_NE(ConversionMessage(ConvertPreviousMacro(many)).find("19, 20 and 5 more cannot"), std::string::npos);
}

TEST(MacroConversionTest, WholeFilesOfAnyLength) {
  const std::string in = "datainput;\r\nsetxvalue(1);\r\nbasic;\r\nmessage=done;";
  EXPECT_EQ(Converted(in), "datainput();\nsetxvalue(1);\r\nbasic();\nmessage(\"done\");\n");
  std::string big, expected;
  for (int i = 0; i < 2000; ++i) {
    big += "cell(1," + std::to_string(i) + ")=" + std::string(30, '7') + ";\r\n";
    expected += "cell(1," + std::to_string(i) + ")=\"" + std::string(30, '7') + "\";\n";
  }
  EXPECT_EQ(Converted(big), expected);  // far beyond 999 characters: nothing cut
}

}  // namespace
}  // namespace orvel
