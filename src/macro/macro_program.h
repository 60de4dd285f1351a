// The compiled form of a macro: a flat list of instructions for the executor's stack machine,
// with numbered labels for loops and branches.
//
// Instructions are small (an opcode, flags and two numbers): a text operand is a view into the
// program's copy of the source or into its pool of texts the compiler made up, so a large macro
// costs a few times its own size rather than a few strings per instruction.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace orvel {

enum class MacroOpcode : std::uint8_t {
  kPushLiteral, kPushNumber, kPushText,   // listed as "push": a literal, "#name", "$name"
  kPopNumber, kPopText, kPopDiscard,      // listed as "pop": into "#name", "$name", or nowhere
  kAdd, kSubtract, kMultiply, kDivide,
  kEqual, kNotEqual, kGreater, kGreaterEqual, kLess, kLessEqual, kAnd, kOr,
  kLabel, kJump, kJumpIfZero,             // operand: the label number
  kError,                                 // operand: the message
  kExit,
  kPushCell, kIsData, kLog, kLogTen, kExp, kSqrt, kPow,
  kGetCol, kGetRow, kGetMinCol, kGetMaxCol, kGetMinRow, kGetMaxRow, kGetMaxSetting,
  kMessage, kQuestion, kInput, kAddResult,
  kKeyword,                               // a statement keyword of the command set; operand: its name
};

struct MacroInstruction {
  // After this instruction the statement is complete: whatever it left on the value stack is
  // discarded.
  static constexpr std::uint8_t kEndsStatement = 1;
  static constexpr std::uint8_t kPooledText = 2;  // the text operand lies in the pool

  MacroOpcode opcode = MacroOpcode::kExit;
  std::uint8_t flags = 0;
  std::uint32_t operand = 0;  // text offset, label number or keyword name index
  std::uint32_t length = 0;   // text length
  bool operator==(const MacroInstruction&) const = default;
};
// A large macro compiles to millions of these.
static_assert(sizeof(MacroInstruction) <= 12);

struct MacroProgram {
  // A deque grows in small blocks: a vector's doubling would briefly need three times the
  // final size, which matters for macros of many millions of instructions.
  std::deque<MacroInstruction> instructions;
  std::uint32_t label_counter = 0;  // each new label takes the next number
  std::string source;               // the macro text the operands point into
  std::string pool;                 // texts made up by the compiler (messages, inserted numbers)
  std::vector<std::string> names;   // keyword names, each once

  // The opcode as written in listings: "push", "pop", "+", "label", a keyword's name...
  std::string_view Name(const MacroInstruction& ins) const;
  // A push, pop or error's text; empty for the others (their length is 0).
  std::string_view Text(const MacroInstruction& ins) const {
    const std::string& base = (ins.flags & MacroInstruction::kPooledText) ? pool : source;
    return ins.length == 0 ? std::string_view() : std::string_view(base.data() + ins.operand, ins.length);
  }
  // The operand as written in listings: the text, or the label number; empty when unused.
  std::string Operand(const MacroInstruction& ins) const;

  // Appends the instruction named as in a listing ("push", "jz", "message", a keyword...),
  // with its operand text; for programs built by hand.
  void Add(std::string_view name, std::string_view operand = {});
};

// The opcode of a name written in a macro or a listing; kKeyword for every name that is not a
// built-in instruction. "push" and "pop" give the literal and discarding forms.
MacroOpcode MacroOpcodeOfName(std::string_view name);

// Compiles macro text into `program` (which should be empty). Compile errors never stop with
// a message: they become "error" instructions that the executor reports when it reaches them.
void CompileMacro(std::string_view text, MacroProgram& program);

}  // namespace orvel
