// orvel-batch: opens a data file, runs a macro file on it as Run Macro does, and writes the
// result text. Questions and dialogs are answered from an answers file (batch_port.h).
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

namespace orvel::batch {

// Exit statuses.
inline constexpr int kExitRunEnded = 0;     // the macro ran to its end or to "exit"
inline constexpr int kExitMacroStopped = 1; // an error instruction or the step limit stopped it
inline constexpr int kExitFailure = 2;      // bad usage, unreadable input, a misfit answer, a failed write

struct BatchOptions {
  bool help = false;
  std::string answers;  // empty: no answers file
  std::string result;   // empty: the result goes to standard output
  std::string save;     // empty: the document is not saved
  std::optional<int> rows;  // data rows (100..20000); nothing: the profile's default
  std::int64_t max_steps = 0;  // 0: no limit
  std::optional<std::int64_t> time;  // the clock the run sees (seconds); nothing: the real clock
  std::vector<std::string> rcode;  // --rcode: R Language commands run after the macro
  std::string data;
  std::string macro;
};

// The command line after the program name: the options, or the reason it is bad usage.
std::variant<BatchOptions, std::string> ParseBatchArguments(const std::vector<std::string>& args);

// The usage lines (the long form for --help).
std::string UsageText(bool long_form);

// Runs orvel-batch with `args` (after the program name): the result text goes to `out`, every
// message box and every complaint of the runner to `err`. Returns the exit status.
int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace orvel::batch
