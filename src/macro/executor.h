// The macro executor: a stack machine over text values, with numeric and text variables, the
// operators, jumps and the built-in functions. Statement keywords that act on the sheet, the
// settings and the menu commands are handed to the host.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_program.h"
#include "sheet/orvel_doc.h"

namespace orvel {

// 50 slots of text. A push onto a full stack is ignored and remembered, so the executor can
// stop the run; a pop from an empty stack yields the text left in the bottom slot.
class MacroValueStack {
 public:
  static constexpr int kSlots = 50;
  void Push(std::string value);
  std::string Pop();
  int Count() const { return count_; }
  // Forgets the values (the slots keep their texts, as after pops).
  void Clear() { count_ = 0; }
  // True once a push met a full stack.
  bool Overflowed() const { return overflowed_; }

 private:
  std::string slots_[kSlots];
  int count_ = 0;
  bool overflowed_ = false;
};

// The two variable tables ("#name" numbers, "$name" texts): open addressing over 971 slots,
// slot = hash mod 971 with h = h * 11 + byte, probing onward by 23.
class MacroVariables {
 public:
  static constexpr int kSlots = 971;
  void Clear();
  double Number(std::string_view name) const;      // 0 when never stored
  std::string Text(std::string_view name) const;   // "" when never stored
  // False when the table has no free slot left for a new name.
  bool SetNumber(std::string_view name, double value);
  bool SetText(std::string_view name, std::string value);
  static int SlotOf(std::string_view name);

 private:
  struct NumberSlot { std::string name; double value = 0; };
  struct TextSlot { std::string name; std::string value; };
  template <typename Slot>
  static int Find(const std::vector<Slot>& slots, std::string_view name, bool for_store);
  std::vector<NumberSlot> numbers_ = std::vector<NumberSlot>(kSlots);
  std::vector<TextSlot> texts_ = std::vector<TextSlot>(kSlots);
};

// What the executor asks of the program around it.
class MacroHost {
 public:
  virtual ~MacroHost() = default;
  virtual CORVELDoc& Document() = 0;
  // A message box titled "ORVEL" with an OK button ("message", "error").
  virtual void ShowMessage(const std::string& text) = 0;
  // "question": Yes and No, titled "ORVEL"; true for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
  // "input": the prompt dialog; nothing when cancelled.
  virtual std::optional<std::string> AskInput(const std::string& prompt) = 0;
  // Polled every few thousand instructions; true stops the run (the desktop maps Esc to it).
  virtual bool ShouldStop() = 0;
  // A statement keyword of the command set; it pops its own arguments. An opcode that no one
  // knows does nothing.
  virtual void RunKeyword(const std::string& opcode, MacroValueStack& stack) = 0;
};

enum class MacroRunEnd {
  kFinished,     // ran past the last instruction
  kExit,         // "exit"
  kError,        // an error instruction (its message was shown)
  kInterrupted,  // the host asked to stop
  kStepLimit,    // more instructions than the run allows
  kOutOfMemory,  // an allocation failed (the run's caller says so)
};

struct MacroRunResult {
  MacroRunEnd end = MacroRunEnd::kFinished;
  std::int64_t steps = 0;
};

// Runs `program` against `host`. The variables are cleared first and keep their contents
// after the run. `max_steps` 0 means no limit. An interruption, an exceeded step limit or a
// statement that overflows the value stack shows a message through the host before returning.
// What a statement leaves on the stack is discarded when it ends. An allocation failure is
// not caught here: it leaves the run as std::bad_alloc for the caller to report.
MacroRunResult ExecuteMacro(const MacroProgram& program, MacroHost& host, MacroVariables& variables,
                            std::int64_t max_steps = 0);

// "\n", "\r" and "\t" (a backslash and the letter) become LF, CR and TAB; any other
// backslash is kept. Used by "input" and "addresult".
std::string TranslateEscapes(const std::string& text);

}  // namespace orvel
