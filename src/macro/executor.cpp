// The macro executor: runs the compiled instruction list on a stack of text values.
#include "macro/executor.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <utility>

#include "sheet/cell_text.h"

namespace orvel {

// ---- Value stack ---------------------------------------------------------------------------

void MacroValueStack::Push(std::string value) {
  if (count_ >= kSlots) {
    overflowed_ = true;  // the value is lost; the executor stops the run
    return;
  }
  slots_[count_++] = std::move(value);
}

std::string MacroValueStack::Pop() {
  // The slot keeps its text after a pop, so an empty stack answers with what was last in the
  // bottom slot.
  if (count_ == 0) return slots_[0];
  return slots_[--count_];
}

// ---- Variable tables -----------------------------------------------------------------------

int MacroVariables::SlotOf(std::string_view name) {
  std::uint32_t h = 0;
  for (unsigned char c : name) h = h * 11u + c;
  return static_cast<int>(h % static_cast<std::uint32_t>(kSlots));
}

template <typename Slot>
int MacroVariables::Find(const std::vector<Slot>& slots, std::string_view name, bool for_store) {
  // 971 is prime, so stepping by 23 visits every slot once before coming back.
  int slot = SlotOf(name);
  for (int probes = 0; probes < kSlots; ++probes) {
    const Slot& s = slots[static_cast<std::size_t>(slot)];
    if (s.name.empty()) return for_store ? slot : -1;
    if (s.name == name) return slot;
    slot = (slot + 23) % kSlots;
  }
  return -1;  // full, and the name is not there
}

void MacroVariables::Clear() {
  for (auto& s : numbers_) s = NumberSlot{};
  for (auto& s : texts_) s = TextSlot{};
}

double MacroVariables::Number(std::string_view name) const {
  if (name.empty()) return 0;
  const int slot = Find(numbers_, name, false);
  return slot < 0 ? 0 : numbers_[static_cast<std::size_t>(slot)].value;
}

std::string MacroVariables::Text(std::string_view name) const {
  if (name.empty()) return {};
  const int slot = Find(texts_, name, false);
  return slot < 0 ? std::string() : texts_[static_cast<std::size_t>(slot)].value;
}

// An empty name marks a free slot, so it is never stored (the compiler never produces one).
bool MacroVariables::SetNumber(std::string_view name, double value) {
  if (name.empty()) return true;
  const int slot = Find(numbers_, name, true);
  if (slot < 0) return false;
  NumberSlot& s = numbers_[static_cast<std::size_t>(slot)];
  if (s.name.empty()) s.name = name;
  s.value = value;
  return true;
}

bool MacroVariables::SetText(std::string_view name, std::string value) {
  if (name.empty()) return true;
  const int slot = Find(texts_, name, true);
  if (slot < 0) return false;
  TextSlot& s = texts_[static_cast<std::size_t>(slot)];
  if (s.name.empty()) s.name = name;
  s.value = std::move(value);
  return true;
}

// ---- Escapes -------------------------------------------------------------------------------

std::string TranslateEscapes(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      const char next = text[i + 1];
      if (next == 'n' || next == 'r' || next == 't') {
        out.push_back(next == 'n' ? '\n' : next == 'r' ? '\r' : '\t');
        ++i;
        continue;
      }
    }
    out.push_back(text[i]);
  }
  return out;
}

// ---- Execution -----------------------------------------------------------------------------

namespace {

using Op = MacroOpcode;

// Polling the host for an interruption after this many instructions keeps the check cheap.
constexpr std::int64_t kPollInterval = 4096;

// Each jump's target: the index of the last label of its number, -1 when there is none.
std::vector<int> ResolveJumps(const MacroProgram& program) {
  const auto& list = program.instructions;
  std::vector<int> label_at(static_cast<std::size_t>(program.label_counter) + 1, -1);
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i].opcode != MacroOpcode::kLabel) continue;
    const std::size_t label = list[i].operand;
    if (label >= label_at.size()) label_at.resize(label + 1, -1);
    label_at[label] = static_cast<int>(i);
  }
  return label_at;
}

// "atoi" on the "C" locale: white space, an optional sign, digits; clamped to the int range.
int CAtoi(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  long long v = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    v = v * 10 + (s[i] - '0');
    if (v > static_cast<long long>(INT_MAX) + 1) v = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) v = -v;
  if (v > INT_MAX) v = INT_MAX;
  return static_cast<int>(v);
}

// Digits with at most one "." anywhere and one sign in front; the empty text counts too.
bool IsNumericText(std::string_view s) {
  bool point = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') continue;
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if ((c == '+' || c == '-') && i == 0) continue;
    return false;
  }
  return true;
}

bool TextsEqual(const std::string& left, const std::string& right) {
  if (left == right) return true;
  return IsNumericText(left) && IsNumericText(right) && ParseNumber(left) - ParseNumber(right) == 0;
}

// "%f" (6 decimals) and "%.4f": to_chars prints exactly what printf prints on the "C" locale,
// "inf" and "nan" included, several times faster. A double needs at most 309 digits before
// the point.
std::string Fixed(double v, int decimals) {
  char buffer[400];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
  if (error != std::errc()) {
    const int length = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
    return std::string(buffer, length < 0 ? 0 : static_cast<std::size_t>(length));
  }
  return std::string(buffer, end);
}

std::string FormatInt(int v) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, result.ptr);
}

class Machine {
 public:
  Machine(const MacroProgram& program, MacroHost& host, MacroVariables& variables)
      : program_(program), list_(program.instructions), host_(host), variables_(variables) {}

  MacroRunResult Run(std::int64_t max_steps) {
    const std::vector<int> label_at = ResolveJumps(program_);
    const auto target = [&](const MacroInstruction& ins) {
      return ins.operand < label_at.size() ? label_at[ins.operand] : -1;
    };
    MacroRunResult result;
    const std::size_t count = list_.size();
    // The deque is walked with an iterator beside the index: stepping one is cheaper than
    // indexing it for every instruction.
    auto at = list_.begin();
    const auto jump_to = [&](std::size_t& pc, int to) {
      pc = static_cast<std::size_t>(to);
      at = list_.begin() + to;
    };
    for (std::size_t pc = 0; pc < count; ++pc, ++at) {
      if (max_steps > 0 && result.steps >= max_steps) {
        host_.ShowMessage("The macro was stopped after " + std::to_string(max_steps) + " steps.");
        result.end = MacroRunEnd::kStepLimit;
        return result;
      }
      if (result.steps > 0 && result.steps % kPollInterval == 0 && host_.ShouldStop()) {
        host_.ShowMessage("The macro was interrupted.");
        result.end = MacroRunEnd::kInterrupted;
        return result;
      }
      ++result.steps;
      const MacroInstruction& ins = *at;
      switch (ins.opcode) {
        case Op::kPushLiteral: stack_.Push(std::string(program_.Text(ins))); break;
        case Op::kPushNumber: stack_.Push(Fixed(variables_.Number(program_.Text(ins)), 6)); break;
        case Op::kPushText: stack_.Push(variables_.Text(program_.Text(ins))); break;
        case Op::kPopNumber:
          if (!variables_.SetNumber(program_.Text(ins), ParseNumber(stack_.Pop())))
            return TableFull(result, "numeric");
          break;
        case Op::kPopText:
          if (!variables_.SetText(program_.Text(ins), stack_.Pop())) return TableFull(result, "text");
          break;
        case Op::kPopDiscard: stack_.Pop(); break;
        case Op::kAdd: Arithmetic([](double a, double b) { return a + b; }); break;
        case Op::kSubtract: Arithmetic([](double a, double b) { return a - b; }); break;
        case Op::kMultiply: Arithmetic([](double a, double b) { return a * b; }); break;
        case Op::kDivide: Arithmetic([](double a, double b) { return a / b; }); break;
        case Op::kEqual: {
          const std::string right = stack_.Pop(), left = stack_.Pop();
          PushFlag(TextsEqual(left, right));
          break;
        }
        case Op::kNotEqual: {
          const std::string right = stack_.Pop(), left = stack_.Pop();
          PushFlag(!TextsEqual(left, right));
          break;
        }
        case Op::kGreater: Compare([](double a, double b) { return a > b; }); break;
        case Op::kGreaterEqual: Compare([](double a, double b) { return a >= b; }); break;
        case Op::kLess: Compare([](double a, double b) { return a < b; }); break;
        case Op::kLessEqual: Compare([](double a, double b) { return a <= b; }); break;
        case Op::kAnd: {
          const int right = CAtoi(stack_.Pop()), left = CAtoi(stack_.Pop());
          PushFlag(left != 0 && right != 0);
          break;
        }
        case Op::kOr: {
          const int right = CAtoi(stack_.Pop()), left = CAtoi(stack_.Pop());
          PushFlag(left != 0 || right != 0);
          break;
        }
        case Op::kLabel: break;
        case Op::kJump:
          if (const int to = target(ins); to >= 0) jump_to(pc, to);
          break;
        case Op::kJumpIfZero:
          if (CAtoi(stack_.Pop()) == 0) {
            if (const int to = target(ins); to >= 0) jump_to(pc, to);
          }
          break;
        case Op::kError:
          host_.ShowMessage(std::string(program_.Text(ins)));
          result.end = MacroRunEnd::kError;
          return result;
        case Op::kExit:
          result.end = MacroRunEnd::kExit;
          return result;
        case Op::kPushCell: {
          const int row = CAtoi(stack_.Pop()), column = CAtoi(stack_.Pop());
          stack_.Push(std::string(host_.Document().Text(column, row)));
          break;
        }
        case Op::kIsData: {
          const int row = CAtoi(stack_.Pop()), column = CAtoi(stack_.Pop());
          const CORVELDoc& doc = host_.Document();
          PushFlag(doc.IsNumeric(column, row) && !doc.Text(column, row).empty());
          break;
        }
        case Op::kLog: Function([](double x) { return std::log(x); }); break;
        case Op::kLogTen: Function([](double x) { return std::log10(x); }); break;
        case Op::kExp: Function([](double x) { return std::exp(x); }); break;
        case Op::kSqrt: Function([](double x) { return std::sqrt(x); }); break;
        case Op::kPow: {
          const double y = ParseNumber(stack_.Pop()), x = ParseNumber(stack_.Pop());
          stack_.Push(Fixed(std::pow(x, y), 6));
          break;
        }
        case Op::kGetCol: stack_.Push(FormatInt(host_.Document().GetSelection().anchor_column)); break;
        case Op::kGetRow: stack_.Push(FormatInt(host_.Document().GetSelection().anchor_row)); break;
        case Op::kGetMinCol: stack_.Push(FormatInt(host_.Document().GetSelection().LeftColumn())); break;
        case Op::kGetMaxCol: stack_.Push(FormatInt(host_.Document().GetSelection().RightColumn())); break;
        case Op::kGetMinRow: stack_.Push(FormatInt(host_.Document().GetSelection().TopRow())); break;
        case Op::kGetMaxRow: stack_.Push(FormatInt(host_.Document().GetSelection().BottomRow())); break;
        case Op::kGetMaxSetting: stack_.Push(FormatInt(host_.Document().RowCount())); break;
        case Op::kMessage: host_.ShowMessage(stack_.Pop()); break;
        case Op::kQuestion: PushFlag(host_.AskYesNo(stack_.Pop())); break;
        case Op::kInput: {
          const std::optional<std::string> answer = host_.AskInput(stack_.Pop());
          stack_.Push(answer ? TranslateEscapes(*answer) : std::string());
          break;
        }
        case Op::kAddResult: host_.Document().AppendResult(TranslateEscapes(stack_.Pop())); break;
        case Op::kKeyword: host_.RunKeyword(program_.names[ins.operand], stack_); break;
      }
      if (stack_.Overflowed()) {
        // A lost value would make the rest of the statement compute with the wrong operands.
        host_.ShowMessage("The macro was stopped: a statement needs more than " +
                          std::to_string(MacroValueStack::kSlots) + " values on the stack.");
        result.end = MacroRunEnd::kError;
        return result;
      }
      // Values a statement leaves behind (a function used as a statement, surplus arguments)
      // must not pile up and fill the stack for the statements after it.
      if (ins.flags & MacroInstruction::kEndsStatement) stack_.Clear();
    }
    return result;
  }

 private:
  void PushFlag(bool on) { stack_.Push(on ? "1" : "0"); }

  template <typename Fn>
  void Arithmetic(Fn fn) {
    const double right = ParseNumber(stack_.Pop()), left = ParseNumber(stack_.Pop());
    stack_.Push(Fixed(fn(left, right), 4));
  }

  template <typename Fn>
  void Compare(Fn fn) {
    const double right = ParseNumber(stack_.Pop()), left = ParseNumber(stack_.Pop());
    PushFlag(fn(left, right));
  }

  template <typename Fn>
  void Function(Fn fn) {
    stack_.Push(Fixed(fn(ParseNumber(stack_.Pop())), 6));
  }

  MacroRunResult TableFull(MacroRunResult result, const char* kind) {
    host_.ShowMessage(std::string("The macro was stopped: the table of ") + kind + " variables is full (" +
                      std::to_string(MacroVariables::kSlots) + " names).");
    result.end = MacroRunEnd::kError;
    return result;
  }

  const MacroProgram& program_;
  const std::deque<MacroInstruction>& list_;
  MacroHost& host_;
  MacroVariables& variables_;
  MacroValueStack stack_;
};

}  // namespace

MacroRunResult ExecuteMacro(const MacroProgram& program, MacroHost& host, MacroVariables& variables,
                            std::int64_t max_steps) {
  variables.Clear();
  Machine machine(program, host, variables);
  return machine.Run(max_steps);
}

}  // namespace orvel
