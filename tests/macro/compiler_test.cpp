// The compiler's instruction lists: statements, expressions, control flow and the error
// instructions that malformed text turns into.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_macro_host.h"
#include "macro/keywords.h"
#include "macro/macro_program.h"

namespace orvel {
namespace {

using testing::CompileListing;
using V = std::vector<std::string>;

TEST(MacroCompilerTest, WhileLoopShape) {
  EXPECT_EQ(CompileListing("while (#i<3) {#i=#i+1;}"),
            (V{"label 1", "push #i", "push 3", "<", "jz 2", "push #i", "push 1", "+", "pop #i", "jump 1",
               "label 2"}));
}

TEST(MacroCompilerTest, IfElseChainsShareTheEndLabel) {
  EXPECT_EQ(CompileListing("if (#a==1) {#b=1;} else if (#a==2) {#b=2;} else {#b=3;}"),
            (V{"push #a", "push 1", "==", "jz 1", "push 1", "pop #b", "jump 2", "label 1",
               "push #a", "push 2", "==", "jz 3", "push 2", "pop #b", "jump 2", "label 3",
               "push 3", "pop #b", "jump 2", "label 2"}));
  EXPECT_EQ(CompileListing("if (#a) {#b=1;} else {#b=2;}"),
            (V{"push #a", "jz 1", "push 1", "pop #b", "jump 2", "label 1", "push 2", "pop #b", "jump 2",
               "label 2"}));
  // An else closes the outer block, not one nested in its body.
  EXPECT_EQ(CompileListing("if (#a) { if (#b) {#c=1;} } else {#c=2;}"),
            (V{"push #a", "jz 1", "push #b", "jz 3", "push 1", "pop #c", "jump 4", "label 3", "label 4",
               "jump 2", "label 1", "push 2", "pop #c", "jump 2", "label 2"}));
}

TEST(MacroCompilerTest, BracelessControlStatements) {
  const V braced = CompileListing("if (#a>0) { #b=1;}");
  EXPECT_EQ(CompileListing("if (#a>0) #b=1;"), braced);
  EXPECT_EQ(CompileListing("while (#i<3) #i=#i+1;"), CompileListing("while (#i<3) {#i=#i+1;}"));
  EXPECT_EQ(CompileListing("if (#a) #b=1; else if (#c) #b=2;"),
            CompileListing("if (#a) {#b=1;} else if (#c) {#b=2;}"));
  // The call's ")" also gets a "{", so the body becomes an unknown block head.
  EXPECT_EQ(CompileListing("if (#a>0) message(\"x\");"),
            (V{"push #a", "push 0", ">", "jz 1", "error  message は未知の名称です。", "jump 2", "label 1",
               "label 2"}));
  // A string whose text is "if" triggers the same rewrite.
  EXPECT_EQ(CompileListing("message(\"if\");"), (V{"error  message は未知の名称です。"}));
  EXPECT_EQ(CompileListing("message(\"iffy\");"), (V{"push iffy", "message"}));
  // A brace-less else has no ")" to put the block after.
  const V plain_else = CompileListing("if (#a) #b=1; else #b=2;");
  ASSERT_EQ(plain_else.size(), 8u);
  EXPECT_EQ(plain_else.back().rfind("error A block needs { after else in: else #b=2;", 0), 0u);
}

TEST(MacroCompilerTest, MinusAndNegativeNumbers) {
  EXPECT_EQ(CompileListing("#a=-2;"), (V{"push 0", "push 2", "-", "pop #a"}));
  EXPECT_EQ(CompileListing("#a=(-2);"), (V{"push 0", "push 2", "-", "pop #a"}));
  EXPECT_EQ(CompileListing("#a=#b<-1;"), (V{"push #b", "push 0", "push 1", "-", "<", "pop #a"}));
  // No inserted 0 after a space or a comma: the minus lacks its left operand.
  EXPECT_EQ(CompileListing("#a= -2;"), (V{"push 2", "-", "pop #a"}));
  EXPECT_EQ(CompileListing("setcolwidth (3,-5);"), (V{"push 3", "push 5", "-", "setcolwidth"}));
}

TEST(MacroCompilerTest, ArithmeticPrecedence) {
  EXPECT_EQ(CompileListing("#a=1+2*3;"), (V{"push 1", "push 2", "push 3", "*", "+", "pop #a"}));
  EXPECT_EQ(CompileListing("#a=(1+2)*3;"), (V{"push 1", "push 2", "+", "push 3", "*", "pop #a"}));
  EXPECT_EQ(CompileListing("#a=8-2-1;"), (V{"push 8", "push 2", "-", "push 1", "-", "pop #a"}));
  EXPECT_EQ(CompileListing("#a=8/2*((1+1));"),
            (V{"push 8", "push 2", "/", "push 1", "push 1", "+", "*", "pop #a"}));
  EXPECT_EQ(CompileListing("$s=\"a b\"+$t;"), (V{"push a b", "push $t", "+", "pop $s"}));
}

TEST(MacroCompilerTest, LogicalAndComparisonLevels) {
  EXPECT_EQ(CompileListing("#r=#a>1 && #b<2 || #c==3;"),
            (V{"push #a", "push 1", ">", "push #b", "push 2", "<", "&&", "push #c", "push 3", "==", "||",
               "pop #r"}));
  EXPECT_EQ(CompileListing("#r=1||2||3;"), (V{"push 1", "push 2", "||", "push 3", "||", "pop #r"}));
  EXPECT_EQ(CompileListing("#r=(#a>1)&&(#b>2);"),
            (V{"push #a", "push 1", ">", "push #b", "push 2", ">", "&&", "pop #r"}));
  // Comparisons chain to the right.
  EXPECT_EQ(CompileListing("#r=1<2!=3;"), (V{"push 1", "push 2", "push 3", "!=", "<", "pop #r"}));
  EXPECT_EQ(CompileListing("#r=#a>(1+2);"), (V{"push #a", "push 1", "push 2", "+", ">", "pop #r"}));
}

TEST(MacroCompilerTest, CallsInExpressions) {
  EXPECT_EQ(CompileListing("#a=pow(2,3)+cell(1,2);"),
            (V{"push 2", "push 3", "pow", "push 1", "push 2", "pushcell", "+", "pop #a"}));
  EXPECT_EQ(CompileListing("#a=sqrt(pow(2,(1+1)))*2;"),
            (V{"push 2", "push 1", "push 1", "+", "pow", "sqrt", "push 2", "*", "pop #a"}));
  EXPECT_EQ(CompileListing("#a=getcol()+1;"), (V{"getcol", "push 1", "+", "pop #a"}));
  EXPECT_EQ(CompileListing("if (question(\"go?\")==1) {exit;}"),
            (V{"push go?", "question", "push 1", "==", "jz 1", "exit", "jump 2", "label 1", "label 2"}));
}

TEST(MacroCompilerTest, StatementForms) {
  EXPECT_EQ(CompileListing("#x1=5;"), (V{"push 5", "pop #x"}));
  EXPECT_EQ(CompileListing("exit;"), (V{"exit"}));
  EXPECT_EQ(CompileListing("cell(1,2)=#a+1;"), (V{"push 1", "push 2", "push #a", "push 1", "+", "cell"}));
  EXPECT_EQ(CompileListing("cell(1,2)=\"-3\";"), (V{"push 1", "push 2", "push -3", "cell"}));
  const V four{"push 1", "push 2", "push 3", "push 4", "selectcell"};
  EXPECT_EQ(CompileListing("selectcell (1,2)::(3,4);"), four);
  EXPECT_EQ(CompileListing("selectcell (1,2):(3,4);"), four);
  EXPECT_EQ(CompileListing("selectcell (1,2,3,4);"), four);
  // Command keywords take no arguments: whatever follows is ignored.
  EXPECT_EQ(CompileListing("pairedt;"), (V{"pairedt"}));
  EXPECT_EQ(CompileListing("pairedt(1);"), (V{"pairedt"}));
  EXPECT_EQ(CompileListing("setonefactor (5,true);"), (V{"push 5", "push 1", "setonefactor"}));
  EXPECT_EQ(CompileListing("setdatatoresult (false);"), (V{"push 0", "setdatatoresult"}));
  EXPECT_EQ(CompileListing("settwofactorlabela (1,\"low dose\");"),
            (V{"push 1", "push low dose", "settwofactorlabela"}));
  EXPECT_EQ(CompileListing("message(\"\");"), (V{"push", "message"}));
  EXPECT_EQ(CompileListing("setfin (2.500000);\r\nsetpout (0.100000);\r\n"),
            (V{"push 2.500000", "setfin", "push 0.100000", "setpout"}));
}

TEST(MacroCompilerTest, CommentsEndAtTheLineEnd) {
  EXPECT_EQ(CompileListing("// first\n#a=1; // second\n#b=2;// last"), (V{"push 1", "pop #a", "push 2", "pop #b"}));
  // Inside a string too: the rest of the line goes, and the quote is left open.
  EXPECT_EQ(CompileListing("message(\"a//b\");\n#c=1;"), (V{"error ( )"}));
}

TEST(MacroCompilerTest, UnbalancedBracketsStopCompilation) {
  EXPECT_EQ(CompileListing("#a=1; } {"), (V{"error { }"}));
  EXPECT_EQ(CompileListing("#a=1; while (1) {"), (V{"error { }"}));
  EXPECT_EQ(CompileListing("#a=(1;"), (V{"error ( )"}));
  EXPECT_EQ(CompileListing("#a=1); (#b=2;"), (V{"error ( )"}));
  EXPECT_EQ(CompileListing("#a=1);}{"), (V{"error ( )", "error { }", "error ( )"}));
  // Brackets inside strings do not count.
  EXPECT_EQ(CompileListing("message(\"{(\");"), (V{"push {(", "message"}));
}

TEST(MacroCompilerTest, UnknownNamesBecomeErrors) {
  // The run stops at the error, so what follows it in the same block is not compiled; after
  // the block compilation goes on.
  EXPECT_EQ(CompileListing("#a=1; frobnicate(2); #b=2;"),
            (V{"push 1", "pop #a", "error 関数名 frobnicate は未知の名前です。"}));
  EXPECT_EQ(CompileListing("loop (1) {#a=1;} #b=2;"), (V{"error  loop は未知の名称です。"}));
  EXPECT_EQ(CompileListing("if (#c) {frobnicate(2); #a=1; while (1) {}} #b=2;"),
            (V{"push #c", "jz 1", "error 関数名 frobnicate は未知の名前です。", "jump 2", "label 1", "label 2",
               "push 2", "pop #b"}));
  EXPECT_EQ(CompileListing("5;"), (V{"error 関数名 5 は未知の名前です。"}));
  EXPECT_EQ(CompileListing(";"), (V{"error 関数名 ; は未知の名前です。"}));
}

// The first instruction of a one-statement program that failed, with its message prefix.
std::string FirstError(std::string_view text) {
  MacroProgram program;
  CompileMacro(text, program);
  for (const auto& ins : program.instructions)
    if (program.Name(ins) == "error") return program.Operand(ins);
  return "(no error)";
}

TEST(MacroCompilerTest, MalformedStatementsNameThemselves) {
  EXPECT_EQ(FirstError("#a=1;\n  message(1,2,3,4,5,6,7,8,9,10,11);\n"),
            "Too many arguments (more than 10) in: message(1,2,3,4,5,6,7,8,9,10,11);");
  EXPECT_EQ(CompileListing("#a=pow(1,2,3,4,5,6,7,8,9,10);").size(), 12u);  // ten are fine
  EXPECT_EQ(FirstError("#a=1,2;"), "A comma stands outside an argument list in: #a=1,2;");
  EXPECT_EQ(FirstError("#a=(1,2)+1;"), "A comma stands outside an argument list in: #a=(1,2)+1;");
  EXPECT_EQ(FirstError("#a=pow((1,2),3);"), "A comma stands outside an argument list in: #a=pow((1,2),3);");
  EXPECT_EQ(FirstError("if (#a=1) {#b=1;}"), "The symbol = cannot stand here in: if (#a=1) {");
  EXPECT_EQ(FirstError("#a;"), "An assignment has no = in: #a;");
  EXPECT_EQ(FirstError("#a=pi+1;"),
            "pi needs its argument list in parentheses, () when it takes none in: #a=pi+1;");
  EXPECT_EQ(FirstError("#r=((#a>1)&&(#b>2));"), "Parentheses do not pair up in: #r=((#a>1)&&(#b>2));");
  EXPECT_EQ(FirstError("#r=(#a&&#b)+1;"),
            "&& cannot stand inside parentheses with other operators in: #r=(#a&&#b)+1;");
  EXPECT_EQ(FirstError("if () {#a=1;}"), "The condition is empty in: if () {");
  EXPECT_EQ(FirstError("if #a>1 {#a=1;}"), "A condition must stand in parentheses before { in: if #a>1 {");
  EXPECT_EQ(FirstError("#a=1;\n#b=2"), "A statement does not end with ; in: #b=2");
  EXPECT_EQ(FirstError("while (1) {#i=#i+1}"), "A statement does not end with ; in: #i=#i+1");
}

TEST(MacroCompilerTest, FailedStatementIsReplacedWhole) {
  // Nothing of the failed statement stays, and label numbers continue as if it had not been.
  EXPECT_EQ(CompileListing("if (#c) {#a=question(\"q\"),1;} while (1) {}"),
            (V{"push #c", "jz 1", "error A comma stands outside an argument list in: #a=question(\"q\"),1;",
               "jump 2", "label 1", "label 2", "label 3", "push 1", "jz 4", "jump 3", "label 4"}));
  EXPECT_EQ(CompileListing("if (#c) {while (#a,1) {#b=1;}} while (1) {}"),
            (V{"push #c", "jz 1", "error A comma stands outside an argument list in: while (#a,1) {", "jump 2",
               "label 1", "label 2", "label 3", "push 1", "jz 4", "jump 3", "label 4"}));
  // A faulty else-if condition leaves the if block whole, the error after it.
  EXPECT_EQ(CompileListing("if (#a) {#b=1;} else if (#a,1) {#b=2;}"),
            (V{"push #a", "jz 1", "push 1", "pop #b", "jump 2", "label 1", "label 2",
               "error A comma stands outside an argument list in: else if (#a,1) {"}));
}

TEST(MacroCompilerTest, ElseNeedsAnIfBlockRightBeforeIt) {
  const std::string stray = "else does not follow an if or else if block in: ";
  EXPECT_EQ(FirstError("else {#a=1;}"), stray + "else {");
  EXPECT_EQ(FirstError("if (#a) {#b=1;} #c=1; else {#b=2;}"), stray + "else {");
  EXPECT_EQ(FirstError("while (#a) {#b=1;} else {#b=2;}"), stray + "else {");
  EXPECT_EQ(FirstError("if (#a) { else {#b=2;} }"), stray + "else {");
  EXPECT_EQ(FirstError("if (#a) {#b=1;} else {#b=2;} else {#b=3;}"), stray + "else {");
  // The stray else leaves what came before intact.
  EXPECT_EQ(CompileListing("#c=1; else {#b=2;}"), (V{"push 1", "pop #c", "error " + stray + "else {"}));
}

TEST(MacroKeywordTableTest, ArgumentCounts) {
  EXPECT_EQ(MacroNameArgumentCount("exit"), 0);
  EXPECT_EQ(MacroNameArgumentCount("getmaxsetting"), 0);
  EXPECT_EQ(MacroNameArgumentCount("cleardata"), 0);
  EXPECT_EQ(MacroNameArgumentCount("message"), 1);
  EXPECT_EQ(MacroNameArgumentCount("resultoption"), 1);
  EXPECT_EQ(MacroNameArgumentCount("setcolwidth"), 2);
  EXPECT_EQ(MacroNameArgumentCount("setmultixvalue"), 2);
  EXPECT_EQ(MacroNameArgumentCount("settwofactor"), 3);
  EXPECT_EQ(MacroNameArgumentCount("selectcell"), 4);
  EXPECT_EQ(MacroNameArgumentCount("Message"), -1);
  EXPECT_EQ(MacroNameArgumentCount("pushcell"), -1);
  EXPECT_EQ(MacroNameArgumentCount(""), -1);
  const auto& commands = MacroCommandKeywords();
  EXPECT_EQ(commands.size(), 56u);
  for (std::string_view k : commands) {
    EXPECT_EQ(MacroNameArgumentCount(k), 0) << k;
    EXPECT_NE(k, "exit");
  }
}

}  // namespace
}  // namespace orvel
