// The macro language: compiling and running a tight loop, and a long straight-line macro.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "macro/executor.h"
#include "macro/macro_program.h"
#include "sheet/orvel_doc.h"

namespace {

// A host that answers nothing and counts the keywords it is handed.
class QuietHost : public orvel::MacroHost {
 public:
  orvel::CORVELDoc& Document() override { return doc_; }
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return true; }
  std::optional<std::string> AskInput(const std::string&) override { return std::string(); }
  bool ShouldStop() override { return false; }
  void RunKeyword(const std::string&, orvel::MacroValueStack& stack) override {
    stack.Pop();
    ++keywords;
  }
  long keywords = 0;

 private:
  orvel::CORVELDoc doc_{100};
};

const std::string kLoop = "#i=0; while (#i<1000000) {#i=#i+1;}";

std::string StraightLine() {
  std::string text;
  for (int i = 0; i < 20000; ++i)
    text += "#a=#a+" + std::to_string(i % 7) + "*2; setxvalue (#a/3);\r\n";
  return text;
}

void BM_CompileAndRunLoop(benchmark::State& state) {
  QuietHost host;
  orvel::MacroVariables variables;
  std::int64_t steps = 0;
  for (auto _ : state) {
    orvel::MacroProgram program;
    orvel::CompileMacro(kLoop, program);
    const orvel::MacroRunResult result = orvel::ExecuteMacro(program, host, variables);
    steps += result.steps;
    benchmark::DoNotOptimize(result);
  }
  state.counters["instructions/s"] = benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CompileAndRunLoop)->Unit(benchmark::kMillisecond);

void BM_CompileStraightLine(benchmark::State& state) {
  const std::string text = StraightLine();
  for (auto _ : state) {
    orvel::MacroProgram program;
    orvel::CompileMacro(text, program);
    benchmark::DoNotOptimize(program.instructions.size());
  }
}
BENCHMARK(BM_CompileStraightLine)->Unit(benchmark::kMillisecond);

void BM_CompileAndRunStraightLine(benchmark::State& state) {
  const std::string text = StraightLine();
  QuietHost host;
  orvel::MacroVariables variables;
  std::int64_t steps = 0;
  for (auto _ : state) {
    orvel::MacroProgram program;
    orvel::CompileMacro(text, program);
    const orvel::MacroRunResult result = orvel::ExecuteMacro(program, host, variables);
    steps += result.steps;
    benchmark::DoNotOptimize(result);
  }
  state.counters["instructions/s"] = benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CompileAndRunStraightLine)->Unit(benchmark::kMillisecond);

}  // namespace
