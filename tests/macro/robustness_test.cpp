// No text, however malformed or large, crashes, hangs or overflows the compiler's stack, and
// whatever it compiles runs to an end.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "fake_macro_host.h"
#include "macro/executor.h"
#include "macro/macro_program.h"

namespace orvel {
namespace {

using testing::MacroRun;
using V = std::vector<std::string>;

// Each label is defined once, and every jump names a label that exists.
void ExpectWellFormedJumps(const MacroProgram& program, const std::string& text) {
  std::set<std::string> labels;
  for (const auto& ins : program.instructions) {
    if (program.Name(ins) == "label") {
      EXPECT_TRUE(labels.insert(program.Operand(ins)).second) << "label " << program.Operand(ins) << " in " << text;
    }
  }
  for (const auto& ins : program.instructions) {
    if (program.Name(ins) == "jump" || program.Name(ins) == "jz") {
      EXPECT_TRUE(labels.count(program.Operand(ins))) << program.Operand(ins) << " in " << text;
    }
    EXPECT_FALSE(program.Name(ins).empty()) << text;
  }
}

void CompileAndRun(const std::string& text) {
  static testing::FakeMacroHost host;
  static MacroVariables variables;
  MacroProgram program;
  CompileMacro(text, program);
  ExpectWellFormedJumps(program, text);
  host.keywords.clear();
  host.messages.clear();
  const MacroRunResult result = ExecuteMacro(program, host, variables, 500);
  EXPECT_LE(result.steps, 500) << text;
}

TEST(MacroRobustnessTest, RandomBytes) {
  std::mt19937 rng(20240611);
  const std::string alphabet = "#$(){};,+-*/=<>!&|:\"\\. \n\t0123456789aeifwlsx";
  for (int round = 0; round < 3000; ++round) {
    std::string text(rng() % 100, ' ');
    for (char& c : text) c = round % 3 == 0 ? static_cast<char>(rng() % 256) : alphabet[rng() % alphabet.size()];
    CompileAndRun(text);
  }
}

TEST(MacroRobustnessTest, RandomTokenSoup) {
  const std::vector<std::string> vocabulary = {
      "while", "if", "else", "(", ")", "(", ")", "{", "}", ";", ";", ",", "+", "-", "*", "/", "=", "==", "!=",
      ">", "<", ">=", "<=", "&&", "||", "!", ":", "::", "\"", "\"if\"", "\"x;\"", "#a", "#b", "$s", "1", "0",
      "-2", ".5", "true", "cell", "selectcell", "message", "pow", "getcol", "exit", "pairedt", "foo", "//",
      "\n", " ", "input", "question", "isdata", "addresult"};
  std::mt19937 rng(77);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const int count = static_cast<int>(rng() % 40);
    for (int i = 0; i < count; ++i) text += vocabulary[rng() % vocabulary.size()] + (rng() % 2 ? " " : "");
    CompileAndRun(text);
  }
}

// Well-formed statements in random order and nesting compile without any error.
TEST(MacroRobustnessTest, RandomValidPrograms) {
  std::mt19937 rng(5);
  const std::vector<std::string> simple = {"#a=#a+1;", "$s=\"x\";", "cell(1,2)=#a*2;", "#b=pow(2,#a)-1;",
                                           "addresult(\"r\");", "#c=(#a>1)&&(#b<3);", "setcolwidth (1,20);",
                                           "if (#a>2) #b=#b-1;"};
  const std::vector<std::string> conditions = {"#a<3", "#b==2", "(#a>0)||(#b>0)", "isdata(1,1)"};
  for (int round = 0; round < 500; ++round) {
    std::string text;
    std::vector<bool> open_blocks;  // true for an if or else-if block, which an else may follow
    bool may_else = false;
    for (int i = 0; i < 30; ++i) {
      const unsigned pick = rng() % 6;
      const std::string& condition = conditions[rng() % conditions.size()];
      if (pick == 0 && open_blocks.size() < 6) {
        const bool is_if = rng() % 2;
        text += (is_if ? "if (" : "while (") + condition + ") {";
        open_blocks.push_back(is_if);
        may_else = false;
      } else if (pick == 1 && may_else) {
        const bool else_if = rng() % 2;
        text += else_if ? "else if (" + condition + ") {" : "else {";
        open_blocks.push_back(else_if);
        may_else = false;
      } else if (pick == 2 && !open_blocks.empty()) {
        text += "}";
        may_else = open_blocks.back();
        open_blocks.pop_back();
      } else {
        text += simple[rng() % simple.size()];
        may_else = text.back() == ';' && text.rfind("if (#a>2)") == text.size() - 18;
      }
    }
    text.append(open_blocks.size(), '}');
    MacroProgram program;
    CompileMacro(text, program);
    ExpectWellFormedJumps(program, text);
    for (const auto& ins : program.instructions)
      EXPECT_NE(program.Name(ins), "error") << program.Operand(ins) << " in " << text;
    CompileAndRun(text);
  }
}

TEST(MacroRobustnessTest, DeepNesting) {
  const int depth = 10000;
  // Parentheses alone are handled without recursion.
  EXPECT_EQ(testing::CompileListing("#a=" + std::string(depth, '(') + "1" + std::string(depth, ')') + ";"),
            (V{"push 1", "pop #a"}));

  // Nesting within the limit compiles as usual.
  std::string moderate_calls = "#a=", moderate_blocks;
  for (int i = 0; i < 150; ++i) {
    moderate_calls += "sqrt(";
    moderate_blocks += "if (1) {";
  }
  EXPECT_EQ(testing::CompileListing(moderate_calls + "4" + std::string(150, ')') + ";").size(), 152u);
  MacroRun moderate;
  EXPECT_EQ(moderate.Run(moderate_blocks + "$out=\"in\";" + std::string(150, '}')).end, MacroRunEnd::kFinished);
  EXPECT_EQ(moderate.Out(), "in");

  std::string calls = "#a=";
  for (int i = 0; i < depth; ++i) calls += "sqrt(";
  calls += "1" + std::string(depth, ')') + ";";
  const V nested_calls = testing::CompileListing(calls);
  ASSERT_EQ(nested_calls.size(), 1u);
  EXPECT_NE(nested_calls[0].find("Blocks and calls are nested too deeply"), std::string::npos);

  std::string blocks;
  for (int i = 0; i < depth; ++i) blocks += "while (1) {";
  blocks += "#a=1;" + std::string(depth, '}');
  MacroProgram program;
  CompileMacro(blocks, program);
  ExpectWellFormedJumps(program, "nested blocks");
  int errors = 0;
  for (const auto& ins : program.instructions)
    if (program.Name(ins) == "error") {
      ++errors;
      EXPECT_EQ(program.Operand(ins).rfind("Blocks and calls are nested too deeply (more than 200 levels) in: ", 0), 0u);
    }
  EXPECT_EQ(errors, 1);

  std::string braceless;
  for (int i = 0; i < depth; ++i) braceless += "if (1) ";
  braceless += "#a=1;";
  MacroRun run;
  EXPECT_EQ(run.Run(braceless).end, MacroRunEnd::kError);
  ASSERT_EQ(run.host.messages.size(), 1u);
  EXPECT_NE(run.host.messages[0].find("Blocks and calls are nested too deeply"), std::string::npos);
}

TEST(MacroRobustnessTest, LongStatementsAndPrograms) {
  // Long operator chains compile in one pass each.
  std::string compares = "#r=1", ors = "#r=0", sums = "#r=0";
  for (int i = 0; i < 50000; ++i) {
    compares += "<2";
    ors += "||0";
    sums += "+1";
  }
  EXPECT_EQ(testing::CompileListing(compares + ";").size(), 100002u);
  MacroRun run;
  run.Run(ors + "||1;" + sums + "; $out=#r;");
  EXPECT_EQ(run.Out(), "50000.000000");

  // A long else-if chain picks the right branch.
  std::string chain = "#a=287; if (#a==0) {$out=\"0\";}";
  for (int i = 1; i < 300; ++i)
    chain += " else if (#a==" + std::to_string(i) + ") {$out=\"" + std::to_string(i) + "\";}";
  chain += " else {$out=\"none\";}";
  MacroRun branches;
  branches.Run(chain);
  EXPECT_EQ(branches.Out(), "287");

  // Nothing is cut: a program of many statements and a long literal compile whole.
  std::string statements;
  for (int i = 0; i < 20000; ++i) statements += "#a=#a+1;\r\n";
  MacroRun many;
  many.Run(statements + "$out=\"" + std::string(20000, 'w') + "\";");
  EXPECT_EQ(many.variables.Number("#a"), 20000);
  EXPECT_EQ(many.Out().size(), 20000u);
}

}  // namespace
}  // namespace orvel
