// A macro host for tests: a document of its own, scripted answers, and a record of every
// message and keyword the executor hands over.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "macro/executor.h"
#include "macro/keywords.h"
#include "macro/macro_program.h"
#include "sheet/orvel_doc.h"

namespace orvel::testing {

struct KeywordCall {
  std::string opcode;
  std::vector<std::string> popped;  // in pop order: the last argument first
  bool operator==(const KeywordCall&) const = default;
};

class FakeMacroHost : public MacroHost {
 public:
  CORVELDoc& Document() override { return doc; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(const std::string& text) override {
    questions.push_back(text);
    if (yes_no.empty()) return true;
    const bool answer = yes_no.front();
    yes_no.pop_front();
    return answer;
  }
  std::optional<std::string> AskInput(const std::string& prompt) override {
    prompts.push_back(prompt);
    if (inputs.empty()) return std::string();
    std::optional<std::string> answer = inputs.front();
    inputs.pop_front();
    return answer;
  }
  bool ShouldStop() override {
    ++polls;
    return stop_at_poll > 0 && polls >= stop_at_poll;
  }
  // Pops as many values as the name takes ("cell" also its value), as the command set does.
  void RunKeyword(const std::string& opcode, MacroValueStack& stack) override {
    KeywordCall call{opcode, {}};
    int count = MacroNameArgumentCount(opcode);
    if (opcode == "cell") ++count;
    for (int i = 0; i < count; ++i) call.popped.push_back(stack.Pop());
    keywords.push_back(std::move(call));
  }

  CORVELDoc doc{20};
  std::vector<std::string> messages, questions, prompts;
  std::deque<bool> yes_no;
  std::deque<std::optional<std::string>> inputs;
  std::vector<KeywordCall> keywords;
  int polls = 0;
  int stop_at_poll = 0;  // ShouldStop answers true from this poll on (0: never)
};

// The compiled program as "opcode operand" lines, for comparing instruction lists.
inline std::vector<std::string> Listing(const MacroProgram& program) {
  std::vector<std::string> lines;
  for (const auto& ins : program.instructions) {
    const std::string name(program.Name(ins)), operand = program.Operand(ins);
    lines.push_back(operand.empty() ? name : name + " " + operand);
  }
  return lines;
}

inline std::vector<std::string> CompileListing(std::string_view text) {
  MacroProgram program;
  CompileMacro(text, program);
  return Listing(program);
}

// Compiles and runs text against the host; the variables stay readable afterwards.
struct MacroRun {
  FakeMacroHost host;
  MacroVariables variables;
  MacroRunResult result;

  MacroRunResult Run(std::string_view text, std::int64_t max_steps = 0) {
    MacroProgram program;
    CompileMacro(text, program);
    result = ExecuteMacro(program, host, variables, max_steps);
    return result;
  }
  // The text a macro leaves in $out.
  std::string Out() const { return variables.Text("$out"); }
};

}  // namespace orvel::testing
