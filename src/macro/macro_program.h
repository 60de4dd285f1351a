// The compiled form of a macro: a flat list of instructions for the executor's stack machine,
// with numbered labels for loops and branches.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvel {

struct MacroInstruction {
  std::string opcode;   // "push", "pop", "+", "label", "jz", "error", a built-in or a keyword
  std::string operand;  // label number, literal, variable name or message; often empty
  bool operator==(const MacroInstruction&) const = default;
};

struct MacroProgram {
  std::vector<MacroInstruction> instructions;
  int label_counter = 0;  // each new label takes the next number, as decimal text
};

// Compiles macro text into `program` (which should be empty). Compile errors never stop with
// a message: they become "error" instructions that the executor reports when it reaches them.
void CompileMacro(std::string_view text, MacroProgram& program);

}  // namespace orvel
