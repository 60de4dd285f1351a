// Names and operands of compiled instructions, as listings show them.
#include "macro/macro_program.h"

#include <array>
#include <charconv>
#include <unordered_map>
#include <utility>

namespace orvel {

namespace {

// The built-in instructions by the name a macro or a listing uses.
const std::unordered_map<std::string_view, MacroOpcode>& BuiltInNames() {
  static const std::unordered_map<std::string_view, MacroOpcode> table = {
      {"push", MacroOpcode::kPushLiteral}, {"pop", MacroOpcode::kPopDiscard},
      {"+", MacroOpcode::kAdd}, {"-", MacroOpcode::kSubtract}, {"*", MacroOpcode::kMultiply},
      {"/", MacroOpcode::kDivide}, {"==", MacroOpcode::kEqual}, {"!=", MacroOpcode::kNotEqual},
      {">", MacroOpcode::kGreater}, {">=", MacroOpcode::kGreaterEqual}, {"<", MacroOpcode::kLess},
      {"<=", MacroOpcode::kLessEqual}, {"&&", MacroOpcode::kAnd}, {"||", MacroOpcode::kOr},
      {"label", MacroOpcode::kLabel}, {"jump", MacroOpcode::kJump}, {"jz", MacroOpcode::kJumpIfZero},
      {"error", MacroOpcode::kError}, {"exit", MacroOpcode::kExit}, {"pushcell", MacroOpcode::kPushCell},
      {"isdata", MacroOpcode::kIsData}, {"log", MacroOpcode::kLog}, {"logten", MacroOpcode::kLogTen},
      {"exp", MacroOpcode::kExp}, {"sqrt", MacroOpcode::kSqrt}, {"pow", MacroOpcode::kPow},
      {"getcol", MacroOpcode::kGetCol}, {"getrow", MacroOpcode::kGetRow},
      {"getmincol", MacroOpcode::kGetMinCol}, {"getmaxcol", MacroOpcode::kGetMaxCol},
      {"getminrow", MacroOpcode::kGetMinRow}, {"getmaxrow", MacroOpcode::kGetMaxRow},
      {"getmaxsetting", MacroOpcode::kGetMaxSetting}, {"message", MacroOpcode::kMessage},
      {"question", MacroOpcode::kQuestion}, {"input", MacroOpcode::kInput},
      {"addresult", MacroOpcode::kAddResult},
  };
  return table;
}

constexpr std::array<std::string_view, static_cast<std::size_t>(MacroOpcode::kKeyword)> kListedNames = {
    "push", "push", "push", "pop", "pop", "pop", "+", "-", "*", "/", "==", "!=", ">", ">=", "<", "<=", "&&",
    "||", "label", "jump", "jz", "error", "exit", "pushcell", "isdata", "log", "logten", "exp", "sqrt", "pow",
    "getcol", "getrow", "getmincol", "getmaxcol", "getminrow", "getmaxrow", "getmaxsetting", "message",
    "question", "input", "addresult",
};

bool HasText(MacroOpcode op) {
  return op <= MacroOpcode::kPopDiscard || op == MacroOpcode::kError;
}

bool HasLabel(MacroOpcode op) {
  return op == MacroOpcode::kLabel || op == MacroOpcode::kJump || op == MacroOpcode::kJumpIfZero;
}

}  // namespace

MacroOpcode MacroOpcodeOfName(std::string_view name) {
  const auto& table = BuiltInNames();
  const auto it = table.find(name);
  return it == table.end() ? MacroOpcode::kKeyword : it->second;
}

std::string_view MacroProgram::Name(const MacroInstruction& ins) const {
  if (ins.opcode == MacroOpcode::kKeyword) return ins.operand < names.size() ? names[ins.operand] : std::string_view();
  return kListedNames[static_cast<std::size_t>(ins.opcode)];
}

std::string MacroProgram::Operand(const MacroInstruction& ins) const {
  if (HasLabel(ins.opcode)) return ins.operand == 0 ? std::string() : std::to_string(ins.operand);
  return std::string(Text(ins));
}

void MacroProgram::Add(std::string_view name, std::string_view operand) {
  MacroInstruction ins;
  ins.opcode = MacroOpcodeOfName(name);
  const char sigil = operand.empty() ? '\0' : operand[0];
  if (ins.opcode == MacroOpcode::kPushLiteral && sigil != '\0')
    ins.opcode = sigil == '#' ? MacroOpcode::kPushNumber : sigil == '$' ? MacroOpcode::kPushText : ins.opcode;
  if (ins.opcode == MacroOpcode::kPopDiscard && sigil != '\0')
    ins.opcode = sigil == '#' ? MacroOpcode::kPopNumber : sigil == '$' ? MacroOpcode::kPopText : ins.opcode;
  if (HasLabel(ins.opcode)) {
    std::from_chars(operand.data(), operand.data() + operand.size(), ins.operand);
    if (ins.operand > label_counter) label_counter = ins.operand;
  } else if (ins.opcode == MacroOpcode::kKeyword) {
    ins.operand = static_cast<std::uint32_t>(names.size());
    names.emplace_back(name);
  } else if (HasText(ins.opcode)) {
    ins.flags = MacroInstruction::kPooledText;
    ins.operand = static_cast<std::uint32_t>(pool.size());
    ins.length = static_cast<std::uint32_t>(operand.size());
    pool += operand;
  }
  instructions.push_back(ins);
}

}  // namespace orvel
