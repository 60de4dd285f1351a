// What a statement leaves on the value stack, the typed instruction list, and the limits that
// keep huge or deeply nested macros and long names from exhausting the machine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_macro_host.h"
#include "macro/executor.h"
#include "macro/macro_program.h"

namespace orvel {
namespace {

using testing::CompileListing;
using testing::MacroRun;
using V = std::vector<std::string>;

// The numbers 1 to n as "%f" lines, which a counting loop appends to the result text.
std::string CountedLines(int n) {
  std::string lines;
  for (int i = 1; i <= n; ++i) lines += std::to_string(i) + ".000000\n";
  return lines;
}

// Each loop leaves values behind in every turn; the counter must still count 1, 2, 3, ...
TEST(MacroStatementStackTest, LeftoverValuesAreDiscardedAtTheStatementEnd) {
  struct Case {
    const char* leak;
    int turns;
  };
  const Case cases[] = {
      {"sqrt(4);", 60},                             // a function used as a statement
      {"getcol(); getmaxsetting();", 60},           // built-ins without arguments
      {"question(\"Go on?\");", 60},                // the answer is pushed and never used
      {"input(\"Name?\");", 55},
      {"pow(2,3,4);", 60},                          // a surplus argument and the result
      {"setxvalue(1,2,3);", 100},                   // a keyword pops one of three
      {"#j=1,2;", 0},                               // malformed: stops, nothing leaks
      {"#j=pow(2,3,4);", 60},                       // the assignment takes the top, the rest stays
  };
  for (const Case& c : cases) {
    MacroRun run;
    const std::string text = "#i=0; while (#i<" + std::to_string(c.turns == 0 ? 60 : c.turns) + ") {" + c.leak +
                             " #i=#i+1; addresult(#i); addresult(\"\\n\");}";
    run.Run(text, 100000);
    if (c.turns == 0) {
      EXPECT_EQ(run.result.end, MacroRunEnd::kError) << c.leak;
      continue;
    }
    EXPECT_EQ(run.result.end, MacroRunEnd::kFinished) << c.leak;
    EXPECT_EQ(run.host.doc.ResultText, CountedLines(c.turns)) << c.leak;
    EXPECT_EQ(run.variables.Number("#i"), c.turns) << c.leak;
  }
}

TEST(MacroStatementStackTest, LeftoversInConditionsAndArgumentsAreDiscardedToo) {
  MacroRun run;
  // log's surplus first argument stays below the condition's value in every turn.
  run.Run("#i=0; while (log(1,2)<5 && #i<70) {#i=#i+1;} $out=\"done\";", 100000);
  EXPECT_EQ(run.result.end, MacroRunEnd::kFinished);
  EXPECT_EQ(run.variables.Number("#i"), 70);
  EXPECT_EQ(run.Out(), "done");

  // Every call of a keyword with surplus arguments pops its own last values.
  MacroRun keywords;
  std::string text;
  for (int i = 0; i < 30; ++i) text += "setcolwidth(" + std::to_string(i) + ",1,2,3);";
  keywords.Run(text);
  ASSERT_EQ(keywords.host.keywords.size(), 30u);
  for (const auto& call : keywords.host.keywords) EXPECT_EQ(call.popped, (V{"3", "2"}));
}

// Values a statement still needs are never discarded: up to 50 it computes right, one more
// stops the run with a message instead of losing a value.
TEST(MacroStatementStackTest, OverflowWithinOneStatementStopsTheRun) {
  const auto nested_sum = [](int levels) {
    std::string text = "#a=7; #a=";
    for (int i = 0; i < levels; ++i) text += "1+(";
    return text + "1" + std::string(static_cast<std::size_t>(levels), ')') + "; $out=\"after\";";
  };
  struct Case {
    int levels;
    bool fits;
  };
  for (const Case c : {Case{10, true}, Case{49, true}, Case{50, false}, Case{120, false}}) {
    MacroRun run;
    run.Run(nested_sum(c.levels));
    if (c.fits) {
      EXPECT_EQ(run.result.end, MacroRunEnd::kFinished) << c.levels;
      EXPECT_EQ(run.variables.Number("#a"), c.levels + 1) << c.levels;
      EXPECT_EQ(run.Out(), "after");
      EXPECT_TRUE(run.host.messages.empty());
    } else {
      EXPECT_EQ(run.result.end, MacroRunEnd::kError) << c.levels;
      EXPECT_EQ(run.host.messages, V{"The macro was stopped: a statement needs more than 50 values on the stack."});
      EXPECT_EQ(run.variables.Number("#a"), 7) << "a wrong value was stored";
      EXPECT_EQ(run.Out(), "");
    }
  }
}

// The listing with each statement's end marked by " ;".
V MarkedListing(std::string_view text) {
  MacroProgram program;
  CompileMacro(text, program);
  V lines;
  for (const auto& ins : program.instructions) {
    const std::string operand = program.Operand(ins);
    std::string line = std::string(program.Name(ins)) + (operand.empty() ? "" : " " + operand);
    if (ins.flags & MacroInstruction::kEndsStatement) line += " ;";
    lines.push_back(line);
  }
  return lines;
}

TEST(MacroStatementStackTest, StatementEndsAreMarkedWhereTheStatementIsComplete) {
  const std::pair<const char*, V> cases[] = {
      {"#a=1;", {"push 1", "pop #a ;"}},
      {"sqrt(4); pairedt;", {"push 4", "sqrt ;", "pairedt ;"}},
      {"cell(1,2)=#a;", {"push 1", "push 2", "push #a", "cell ;"}},
      {"while (#i<3) {#i=#i+1;}",
       {"label 1", "push #i", "push 3", "<", "jz 2 ;", "push #i", "push 1", "+", "pop #i ;", "jump 1", "label 2"}},
      {"if (#a) {exit;} else if (#b) {getcol();}",
       {"push #a", "jz 1 ;", "exit ;", "jump 2", "label 1", "push #b", "jz 3 ;", "getcol ;", "jump 2", "label 3",
        "label 2"}},
      {"if (#a>0) #b=1;", {"push #a", "push 0", ">", "jz 1 ;", "push 1", "pop #b ;", "jump 2", "label 1", "label 2"}},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(MarkedListing(text), expected) << text;
}

// Hand-built programs list as they were written, with each push and pop typed by its sigil.
TEST(MacroProgramTest, AddedInstructionsListAsWritten) {
  const V lines = {"push 12.5", "push #n", "push $t", "push", "pop #n", "pop $t", "pop", "+", "-", "*", "/", "==",
                   "!=", ">", ">=", "<", "<=", "&&", "||", "label 3", "jump 3", "jz 3", "error Oops: {", "exit",
                   "pushcell", "isdata", "log", "logten", "exp", "sqrt", "pow", "getcol", "getrow", "getmincol",
                   "getmaxcol", "getminrow", "getmaxrow", "getmaxsetting", "message", "question", "input",
                   "addresult", "cell", "selectcell", "pairedt", "frobnicate"};
  MacroProgram program;
  for (const std::string& line : lines) {
    const std::size_t space = line.find(' ');
    program.Add(line.substr(0, space), space == std::string::npos ? "" : line.substr(space + 1));
  }
  EXPECT_EQ(testing::Listing(program), lines);
  const auto op = [&](std::size_t i) { return program.instructions[i].opcode; };
  EXPECT_EQ(op(0), MacroOpcode::kPushLiteral);
  EXPECT_EQ(op(1), MacroOpcode::kPushNumber);
  EXPECT_EQ(op(2), MacroOpcode::kPushText);
  EXPECT_EQ(op(4), MacroOpcode::kPopNumber);
  EXPECT_EQ(op(5), MacroOpcode::kPopText);
  EXPECT_EQ(op(6), MacroOpcode::kPopDiscard);
  EXPECT_EQ(op(lines.size() - 1), MacroOpcode::kKeyword);
  EXPECT_EQ(program.label_counter, 3u);
}

// Operands point into the program's copy of the text: a long macro adds nothing to the pool
// but the two numbers "true" and "false" stand for; only rewritten statements copy text.
TEST(MacroProgramTest, OperandsAreViewsIntoTheText) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "#total=#total+" + std::to_string(i) + "; message(\"row\"); pairedt;\r\n";
  text += "#t=true; #f=false; #n=-1;";
  MacroProgram program;
  CompileMacro(text, program);
  EXPECT_EQ(program.instructions.size(), 5000u * 7 + 2 + 2 + 4);
  EXPECT_EQ(program.pool, "01");
  EXPECT_EQ(program.names, V{"pairedt"});  // each keyword name once
  EXPECT_EQ(program.source, text);

  // The brace rewrite makes a new text, whose operands are pooled; comments are gone.
  MacroProgram rewritten;
  CompileMacro("// note\nif (#a>0) $b=\"yes\";", rewritten);
  EXPECT_EQ(testing::Listing(rewritten),
            (V{"push #a", "push 0", ">", "jz 1", "push yes", "pop $b", "jump 2", "label 1", "label 2"}));
  EXPECT_EQ(rewritten.source, "if (#a>0) $b=\"yes\";");
  EXPECT_EQ(rewritten.pool, "01#ayes$b");
}

// A million nested blocks or brace-less ifs compile to one error at the first level past the
// limit, with the blocks around it intact, and the run reports it.
TEST(MacroLimitsTest, DeepNestingEndsAtTheFirstLevelPastTheLimit) {
  const std::size_t depth = 1000000;
  std::string braced;
  braced.reserve(depth * 8);
  for (std::size_t i = 0; i < depth; ++i) braced += "if(1){";
  braced += "#a=1;" + std::string(depth, '}');
  std::string braceless;
  for (std::size_t i = 0; i < depth / 10; ++i) braceless += "if (1) ";
  braceless += "#a=1;";
  for (const std::string* text : {&braced, &braceless}) {
    MacroProgram program;
    CompileMacro(*text, program);
    int errors = 0, jumps = 0;
    for (const auto& ins : program.instructions) {
      if (ins.opcode == MacroOpcode::kError) {
        ++errors;
        EXPECT_EQ(program.Operand(ins).rfind("Blocks and calls are nested too deeply (more than 200 levels) in: ", 0),
                  0u);
        EXPECT_LE(program.Operand(ins).size(), 300u);
      }
      if (ins.opcode == MacroOpcode::kJumpIfZero) ++jumps;
    }
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(jumps, 200);  // the 200 blocks that fit
    MacroRun run;
    run.Run(*text);
    EXPECT_EQ(run.result.end, MacroRunEnd::kError);
    EXPECT_EQ(run.variables.Number("#a"), 0);
  }
}

// Names in messages are cut like quoted statements, at 160 bytes and a whole character.
TEST(MacroLimitsTest, LongNamesAreCutInMessages) {
  const std::string name(100000, 'q');
  const std::string cut = std::string(160, 'q') + "...";
  const std::pair<std::string, std::string> cases[] = {
      {name + ";", "関数名 " + cut + " は未知の名前です。"},
      {name + " (1) {#a=1;}", " " + cut + " は未知の名称です。"},
      {"\"" + std::string(159, 'x') + "é" + std::string(1000, 'y') + "\" {}",
       " " + std::string(159, 'x') + "... は未知の名称です。"},
      {"#a=" + name + "+1;", cut + " needs its argument list in parentheses, () when it takes none in: #a=" +
                                 std::string(157, 'q') + "..."},
      {"short;", "関数名 short は未知の名前です。"},
  };
  for (const auto& [text, message] : cases) {
    MacroRun run;
    run.Run(text);
    EXPECT_EQ(run.host.messages, V{message}) << text.substr(0, 40);
  }
}

// Tokens cost a few dozen bytes per character, so a statement or block head beyond a million
// characters is refused as a whole; the statements before it have run.
TEST(MacroLimitsTest, StatementsOverAMillionCharactersAreRefused) {
  const auto sum = [](std::size_t ones) {
    std::string terms;
    for (std::size_t i = 1; i < ones; ++i) terms += "1+";
    return terms + "1";
  };
  const std::string fits = "#b=" + sum(499998) + ";";  // with the blank before it, a million
  const std::string too_long = "#b=" + sum(499999) + "; ";
  const std::string head = "if (" + sum(499999) + ") {";
  ASSERT_EQ(fits.size(), 999999u);
  struct Case {
    std::string text;
    std::string message;  // empty: the run finishes
  };
  const Case cases[] = {
      {"#a=1; " + fits + " #c=3;", ""},
      {"#a=1; " + too_long + " #c=3;",
       "A statement is longer than 1000000 characters in: " + too_long.substr(0, 160) + "..."},
      {"#a=1; " + head + "#b=2;} #c=3;",
       "A statement is longer than 1000000 characters in: " + head.substr(0, 160) + "..."},
  };
  for (const Case& c : cases) {
    MacroRun run;
    run.Run(c.text);
    EXPECT_EQ(run.variables.Number("#a"), 1);
    if (c.message.empty()) {
      EXPECT_TRUE(run.host.messages.empty());
      EXPECT_EQ(run.variables.Number("#b"), 499998);
      EXPECT_EQ(run.variables.Number("#c"), 3);
    } else {
      EXPECT_EQ(run.host.messages, V{c.message});
      EXPECT_EQ(run.variables.Number("#b"), 0);
      EXPECT_EQ(run.variables.Number("#c"), 0);
    }
  }
}

// A run stops at an error instruction, so nothing after it in its block is compiled, and
// errors that repeat share one text: a long macro of mistakes costs little.
TEST(MacroLimitsTest, MistakesCostLittleMemory) {
  std::string after_error = "#a=1; unknown;";
  for (int i = 0; i < 10000; ++i) after_error += "#a=#a+1; while (#a) {#b=1;}";
  std::string repeated;
  for (int i = 0; i < 10000; ++i) repeated += "while (#z) {x; #a=1;} if (#z) {#a=1,2;}";
  const struct {
    const std::string* text;
    std::size_t instructions;
    std::size_t errors;
  } cases[] = {{&after_error, 3, 1}, {&repeated, 10000 * (6 + 6), 20000}};
  for (const auto& c : cases) {
    MacroProgram program;
    CompileMacro(*c.text, program);
    std::size_t errors = 0;
    for (const auto& ins : program.instructions) errors += ins.opcode == MacroOpcode::kError;
    EXPECT_EQ(program.instructions.size(), c.instructions);
    EXPECT_EQ(errors, c.errors);
    EXPECT_LT(program.pool.size(), 200u);
  }
}

}  // namespace
}  // namespace orvel
