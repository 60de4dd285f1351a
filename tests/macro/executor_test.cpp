// Running compiled macros: text values and their formats, variables, control flow, the
// built-in functions, and how a run ends.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "fake_macro_host.h"
#include "macro/executor.h"
#include "macro/macro_program.h"
#include "sheet/cell_text.h"

namespace orvel {
namespace {

using testing::KeywordCall;
using testing::MacroRun;
using V = std::vector<std::string>;

// Distinct letters-only names: "a", "b", ..., "ba", ...
std::string NameNumber(std::size_t i) {
  std::string name;
  do {
    name.insert(name.begin(), static_cast<char>('a' + i % 26));
    i /= 26;
  } while (i > 0);
  return name;
}

// The text a one-expression macro leaves: "$out = <expression>;".
std::string Value(const std::string& expression) {
  MacroRun run;
  run.Run("$out=" + expression + ";");
  EXPECT_EQ(run.result.end, MacroRunEnd::kFinished) << expression;
  return run.Out();
}

TEST(MacroExecutorTest, ValueFormats) {
  EXPECT_EQ(Value("1/3"), "0.3333");
  EXPECT_EQ(Value("2*3+1"), "7.0000");
  EXPECT_EQ(Value("\"7\""), "7");
  EXPECT_EQ(Value("\"2.5kg\"+1"), "3.5000");
  EXPECT_EQ(Value("\"abc\"*2"), "0.0000");
  EXPECT_EQ(Value("1/0"), "inf");
  EXPECT_EQ(Value("0-1/0"), "-inf");
  EXPECT_EQ(Value("sqrt(2)"), "1.414214");
  EXPECT_EQ(Value("pow(2,10)"), "1024.000000");
  EXPECT_EQ(Value("exp(0)+logten(100)*log(1)"), "1.0000");
  // A large result keeps every digit.
  EXPECT_EQ(Value("100000000000000000000*10"), "1000000000000000000000.0000");
}

TEST(MacroExecutorTest, NumberTextsMatchPrintf) {
  std::vector<std::string> inputs = {"0.00005", "0.00015", "-0.00005", "2.5",  "0.125", "1e22",  "-1e-300",
                                     "1.7976931348623157e308", "nan", "-inf", "0",   "-0",    "123456.78125"};
  std::mt19937_64 rng(3);
  for (int i = 0; i < 300; ++i) {
    const std::uint64_t bits = rng();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", i % 2 ? v : static_cast<double>(bits % 100000000) / 4096.0);
    inputs.emplace_back(text);
  }
  std::string macro;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const std::string n = NameNumber(i);
    macro += "$f" + n + "=\"" + inputs[i] + "\"*1; #v" + n + "=\"" + inputs[i] + "\"; $s" + n + "=#v" + n + ";";
  }
  MacroRun run;
  run.Run(macro);
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const double v = ParseNumber(inputs[i]);
    char four[400], six[400];
    std::snprintf(four, sizeof four, "%.4f", v * 1);
    std::snprintf(six, sizeof six, "%f", v);
    EXPECT_EQ(run.variables.Text("$f" + NameNumber(i)), four) << inputs[i];
    EXPECT_EQ(run.variables.Text("$s" + NameNumber(i)), six) << inputs[i];
  }
}

TEST(MacroExecutorTest, NumericVariablePushesSixDecimals) {
  MacroRun run;
  run.Run("#a=1/3; cell(1,1)=#a; $t=#a; #b=\"2.5xyz\"; #c=\"abc\";");
  EXPECT_EQ(run.host.keywords, (std::vector<KeywordCall>{{"cell", {"0.333300", "1", "1"}}}));
  EXPECT_EQ(run.variables.Text("$t"), "0.333300");
  EXPECT_EQ(run.variables.Number("#b"), 2.5);
  EXPECT_EQ(run.variables.Number("#c"), 0);
  EXPECT_EQ(run.variables.Number("#never"), 0);
  EXPECT_EQ(run.variables.Text("$never"), "");
}

TEST(MacroExecutorTest, EqualityComparesTextThenNumbers) {
  EXPECT_EQ(Value("\"3\"==\"3.000\""), "1");
  EXPECT_EQ(Value("\"abc\"==\"abc\""), "1");
  EXPECT_EQ(Value("\"abc\"==\"abd\""), "0");
  EXPECT_EQ(Value("\"\"==\"0\""), "1");
  EXPECT_EQ(Value("\"-.5\"==\"-0.50\""), "1");
  EXPECT_EQ(Value("\"1e1\"==\"10\""), "0");  // not a numeric text
  EXPECT_EQ(Value("\"1.2.3\"==\"1.2\""), "0");
  EXPECT_EQ(Value("\" 3\"==\"3\""), "0");
  EXPECT_EQ(Value("\"3\"!=\"3.000\""), "0");
  EXPECT_EQ(Value("\"a\"!=\"b\""), "1");
}

TEST(MacroExecutorTest, LogicAndComparisons) {
  EXPECT_EQ(Value("0.5 && 1"), "0");
  EXPECT_EQ(Value("2 && \"-1\""), "1");
  EXPECT_EQ(Value("0 || 0.9"), "0");
  EXPECT_EQ(Value("0 || \" 7\""), "1");
  // Out-of-range integers are clamped, never zero.
  EXPECT_EQ(Value("\"99999999999999999999\" && \"-99999999999999999999\""), "1");
  EXPECT_EQ(Value("\"10\">\"9\""), "1");
  EXPECT_EQ(Value("\"abc\"<=0"), "1");
  EXPECT_EQ(Value("2>=2.0001"), "0");
  EXPECT_EQ(Value("(1<2)&&(2<1)"), "0");
}

TEST(MacroExecutorTest, WhileAndIfChains) {
  MacroRun run;
  EXPECT_EQ(run.Run("while (#i<3) {#i=#i+1; addresult(\"x\");}").end, MacroRunEnd::kFinished);
  EXPECT_EQ(run.variables.Number("#i"), 3);
  EXPECT_EQ(run.host.doc.ResultText, "xxx");

  const std::string chain =
      "if (#a==1) {$out=\"one\";} else if (#a==2) {$out=\"two\";} else {$out=\"many\";}";
  for (const auto& [a, expected] : std::vector<std::pair<std::string, std::string>>{
           {"1", "one"}, {"2", "two"}, {"7", "many"}}) {
    MacroRun r;
    r.Run("#a=" + a + ";" + chain);
    EXPECT_EQ(r.Out(), expected) << a;
  }
  MacroRun braceless;
  braceless.Run("#a=1; if (#a>0) #b=1; if (#a<0) #c=1;");
  EXPECT_EQ(braceless.variables.Number("#b"), 1);
  EXPECT_EQ(braceless.variables.Number("#c"), 0);
  // The brace-less call fails only when its branch runs.
  MacroRun quiet;
  EXPECT_EQ(quiet.Run("#a=0; if (#a>0) message(\"x\"); $out=\"after\";").end, MacroRunEnd::kFinished);
  EXPECT_EQ(quiet.Out(), "after");
  MacroRun loud;
  EXPECT_EQ(loud.Run("#a=1; if (#a>0) message(\"x\"); $out=\"after\";").end, MacroRunEnd::kError);
  EXPECT_EQ(loud.host.messages, (V{" message は未知の名称です。"}));
  EXPECT_EQ(loud.Out(), "");
}

TEST(MacroExecutorTest, HowARunEnds) {
  MacroRun only_exit;
  EXPECT_EQ(only_exit.Run("exit;").end, MacroRunEnd::kExit);
  EXPECT_TRUE(only_exit.host.messages.empty());

  MacroRun exits;
  EXPECT_EQ(exits.Run("message(\"a\"); exit; message(\"b\");").end, MacroRunEnd::kExit);
  EXPECT_EQ(exits.host.messages, (V{"a"}));

  MacroRun unknown;
  EXPECT_EQ(unknown.Run("message(\"a\"); #v=5; foo; message(\"b\");").end, MacroRunEnd::kError);
  EXPECT_EQ(unknown.host.messages, (V{"a", "関数名 foo は未知の名前です。"}));
  EXPECT_EQ(unknown.variables.Number("#v"), 5);  // what ran before the error stays done

  MacroRun brackets;
  EXPECT_EQ(brackets.Run("message(\"a\"); #a=(1;").end, MacroRunEnd::kError);
  EXPECT_EQ(brackets.host.messages, (V{"( )"}));

  MacroRun empty;
  EXPECT_EQ(empty.Run("").end, MacroRunEnd::kFinished);
  EXPECT_EQ(empty.result.steps, 0);
}

TEST(MacroExecutorTest, JumpsGoToTheLastLabelOfTheirName) {
  MacroProgram program;
  const std::vector<std::pair<std::string, std::string>> listing = {
      {"jump", "7"}, {"label", "7"}, {"push", "first"}, {"pop", "$out"},  {"exit", ""},  {"label", "7"},  {"push", "second"},
      {"pop", "$out"}, {"jump", "9"}, {"push", "0"},     {"jz", "8"},      {"push", "end"}, {"pop", "$end"}};
  for (const auto& [name, operand] : listing) program.Add(name, operand);
  testing::FakeMacroHost host;
  MacroVariables variables;
  const MacroRunResult result = ExecuteMacro(program, host, variables);
  EXPECT_EQ(result.end, MacroRunEnd::kFinished);
  EXPECT_EQ(variables.Text("$out"), "second");
  EXPECT_EQ(variables.Text("$end"), "end");  // missing labels fall through
  EXPECT_EQ(result.steps, 8);  // a label jumped to is not executed
}

TEST(MacroExecutorTest, SheetAndSelectionFunctions) {
  MacroRun run;
  CORVELDoc& doc = run.host.doc;
  doc.SetCell(1, 0, "weight");
  doc.SetCell(1, 1, "2.5");
  doc.SetCell(0, 1, "first");
  doc.SetCell(2, 1, "-");  // text, but not a value
  doc.SetSelection(5, 3, 2, 1);  // anchor row 5, column 3; end row 2, column 1
  run.Run(
      "$a=cell(1,0); $b=cell(1,1)+1; $c=cell(0,1); $d=cell(-1,99999);"
      "$e=isdata(1,1); $f=isdata(1,2); $g=isdata(0,1); $h=isdata(2,1); $i=isdata(500,-3);"
      "$out=getcol(); $j=getrow(); $k=getmincol(); $l=getmaxcol(); $m=getminrow(); $n=getmaxrow();"
      "$o=getmaxsetting(); $p=cell(2,1);");
  const auto& v = run.variables;
  EXPECT_EQ((V{v.Text("$a"), v.Text("$b"), v.Text("$c"), v.Text("$d")}), (V{"weight", "3.5000", "first", ""}));
  EXPECT_EQ((V{v.Text("$e"), v.Text("$f"), v.Text("$g"), v.Text("$h"), v.Text("$i")}), (V{"1", "0", "0", "0", "0"}));
  EXPECT_EQ((V{run.Out(), v.Text("$j"), v.Text("$k"), v.Text("$l"), v.Text("$m"), v.Text("$n"), v.Text("$o")}),
            (V{"3", "5", "1", "3", "2", "5", "20"}));
  EXPECT_EQ(v.Text("$p"), "-");
}

TEST(MacroExecutorTest, DialogsAndResultText) {
  MacroRun run;
  run.host.yes_no = {false, true};
  run.host.inputs = {std::string("a\\tb\\n"), std::nullopt};
  run.Run(
      "$q=question(\"Go?\"); $r=question(\"Sure?\"); $s=input(\"Name\\n?\"); $t=input(\"x\");"
      "message(\"m\\n\"); addresult(\"line\\r\\n\\tend\\\\x\");");
  EXPECT_EQ(run.variables.Text("$q"), "0");
  EXPECT_EQ(run.variables.Text("$r"), "1");
  EXPECT_EQ(run.variables.Text("$s"), "a\tb\n");
  EXPECT_EQ(run.variables.Text("$t"), "");
  EXPECT_EQ(run.host.questions, (V{"Go?", "Sure?"}));
  EXPECT_EQ(run.host.prompts, (V{"Name\\n?", "x"}));  // the prompt is shown as written
  EXPECT_EQ(run.host.messages, (V{"m\\n"}));          // messages are not translated
  EXPECT_EQ(run.host.doc.ResultText, "line\r\n\tend\\\\x");
}

TEST(MacroExecutorTest, EscapeTranslation) {
  EXPECT_EQ(TranslateEscapes("a\\nb\\rc\\td"), "a\nb\rc\td");
  EXPECT_EQ(TranslateEscapes("\\x\\\\n\\"), "\\x\\\n\\");
  EXPECT_EQ(TranslateEscapes(""), "");
  const std::string long_text(500, 'z');
  EXPECT_EQ(TranslateEscapes(long_text + "\\n"), long_text + "\n");
}

TEST(MacroExecutorTest, KeywordsPopTheirOwnArguments) {
  MacroRun run;
  run.Run("settwofactor (1,2,3); selectcell (4,5)::(6,7); pairedt; setcolwidth (3,-5);");
  EXPECT_EQ(run.host.keywords,
            (std::vector<KeywordCall>{{"settwofactor", {"3", "2", "1"}},
                                      {"selectcell", {"7", "6", "5", "4"}},
                                      {"pairedt", {}},
                                      // "3-5" leaves one value; the second pop finds the bottom slot.
                                      {"setcolwidth", {"-2.0000", "-2.0000"}}}));
}

TEST(MacroExecutorTest, LongValuesAreKeptWhole) {
  const std::string long_text(300, 'q');
  MacroRun run;
  run.Run("$s=\"" + long_text + "\"; $t=$s; message($t); addresult($t); "
          "$abcdefghijklmnopqrstuvwxyz=\"long name\"; $out=$abcdefghijklmnopqrstuvwxyz;");
  EXPECT_EQ(run.variables.Text("$t"), long_text);
  EXPECT_EQ(run.host.messages, (V{long_text}));
  EXPECT_EQ(run.host.doc.ResultText, long_text);
  EXPECT_EQ(run.Out(), "long name");
}

TEST(MacroExecutorTest, VariablesAreClearedWhenARunStarts) {
  MacroRun run;
  run.Run("#a=1; $b=\"x\";");
  EXPECT_EQ(run.variables.Number("#a"), 1);
  run.Run("$out=#a; $c=$b;");
  EXPECT_EQ(run.Out(), "0.000000");
  EXPECT_EQ(run.variables.Text("$c"), "");
}

TEST(MacroValueStackTest, FullAndEmpty) {
  MacroValueStack stack;
  EXPECT_EQ(stack.Pop(), "");  // never pushed
  for (int i = 0; i < MacroValueStack::kSlots; ++i) stack.Push("v" + std::to_string(i));
  stack.Push("ignored");
  EXPECT_EQ(stack.Count(), 50);
  EXPECT_EQ(stack.Pop(), "v49");
  for (int i = 48; i >= 0; --i) EXPECT_EQ(stack.Pop(), "v" + std::to_string(i));
  EXPECT_EQ(stack.Count(), 0);
  EXPECT_EQ(stack.Pop(), "v0");  // the bottom slot's last text
  EXPECT_EQ(stack.Pop(), "v0");
  EXPECT_EQ(stack.Count(), 0);

  // In a run: surplus arguments are discarded when their statement ends, so every call sees
  // its own last three values however many statements came before.
  MacroRun run;
  std::string many = "settwofactor(";
  for (int i = 1; i <= 10; ++i) many += (i > 1 ? "," : "") + std::to_string(i);
  many += ");";
  std::string text;
  for (int i = 0; i < 8; ++i) text += many;  // ten pushes and three pops each
  run.Run(text);
  ASSERT_EQ(run.host.keywords.size(), 8u);
  for (const auto& call : run.host.keywords) EXPECT_EQ(call.popped, (V{"10", "9", "8"}));
}

TEST(MacroVariablesTest, HashSlots) {
  EXPECT_EQ(MacroVariables::SlotOf("#a"), 482);  // (35 * 11 + 97) mod 971
  EXPECT_EQ(MacroVariables::SlotOf("$text"), 864);
  // The hash wraps at 32 bits and is read unsigned.
  EXPECT_EQ(MacroVariables::SlotOf("#abcdefghijklmnop"), 880);
  EXPECT_EQ(MacroVariables::SlotOf("#verylongvariablename"), 411);
}

TEST(MacroVariablesTest, CollidingNamesProbeOnward) {
  ASSERT_EQ(MacroVariables::SlotOf("#al"), MacroVariables::SlotOf("#ba"));
  MacroVariables v;
  EXPECT_TRUE(v.SetNumber("#al", 1));
  EXPECT_TRUE(v.SetNumber("#ba", 2));
  EXPECT_TRUE(v.SetNumber("#al", 3));
  EXPECT_EQ(v.Number("#al"), 3);
  EXPECT_EQ(v.Number("#ba"), 2);
  EXPECT_TRUE(v.SetText("$x", "t"));
  EXPECT_EQ(v.Number("$x"), 0);  // the two tables are separate
  v.Clear();
  EXPECT_EQ(v.Number("#ba"), 0);
  EXPECT_EQ(v.Text("$x"), "");
}

std::string NameNumber(char sigil, int i) { return sigil + NameNumber(static_cast<std::size_t>(i)); }

TEST(MacroVariablesTest, FullTableRefusesNewNames) {
  MacroVariables v;
  for (int i = 0; i < MacroVariables::kSlots; ++i) ASSERT_TRUE(v.SetText(NameNumber('$', i), "x")) << i;
  EXPECT_FALSE(v.SetText("$zzzzzz", "y"));
  EXPECT_EQ(v.Text("$zzzzzz"), "");
  EXPECT_TRUE(v.SetText(NameNumber('$', 700), "again"));
  EXPECT_EQ(v.Text(NameNumber('$', 700)), "again");
  EXPECT_TRUE(v.SetNumber("#new", 1));  // the number table is not full

  MacroRun run;
  std::string text;
  for (int i = 0; i <= MacroVariables::kSlots; ++i) text += NameNumber('#', i) + "=1;";
  text += "message(\"not reached\");";
  EXPECT_EQ(run.Run(text).end, MacroRunEnd::kError);
  EXPECT_EQ(run.host.messages,
            (V{"The macro was stopped: the table of numeric variables is full (971 names)."}));
}

TEST(MacroExecutorTest, StepLimitAndInterruption) {
  MacroRun limited;
  EXPECT_EQ(limited.Run("while (1) {}", 1000).end, MacroRunEnd::kStepLimit);
  EXPECT_EQ(limited.result.steps, 1000);
  EXPECT_EQ(limited.host.messages, (V{"The macro was stopped after 1000 steps."}));

  MacroRun exact;  // push, pop, push, pop: four steps fit a limit of four
  EXPECT_EQ(exact.Run("#a=1; #b=2;", 4).end, MacroRunEnd::kFinished);
  EXPECT_EQ(exact.result.steps, 4);
  EXPECT_EQ(exact.Run("#a=1; #b=2;", 3).end, MacroRunEnd::kStepLimit);
  EXPECT_EQ(exact.variables.Number("#b"), 0);

  MacroRun stopped;
  stopped.host.stop_at_poll = 3;
  EXPECT_EQ(stopped.Run("while (1) {#i=#i+1;}").end, MacroRunEnd::kInterrupted);
  EXPECT_EQ(stopped.host.polls, 3);
  EXPECT_EQ(stopped.result.steps, 3 * 4096);
  EXPECT_EQ(stopped.host.messages, (V{"The macro was interrupted."}));
  EXPECT_GT(stopped.variables.Number("#i"), 1000);  // the loop ran until the stop
}

}  // namespace
}  // namespace orvel
