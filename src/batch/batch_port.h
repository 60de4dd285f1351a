// The platform port of orvel-batch: message boxes go to an error stream, one line each, and
// every question, dialog, file dialog and input prompt takes the next line of the answers file.
//
// An answer that does not fit the prompt it meets is a misfit: the port remembers the first
// one, cancels that prompt and every later one, drops every later message box (the executor's
// "interrupted" note included) and asks the running macro to stop. The runner then reports the
// misfit and writes nothing.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "app/platform_port.h"
#include "batch/answers_file.h"

namespace orvel::batch {

// A message box as one line of the error stream: "TITLE: TEXT", with each line break of the
// text (LF, CR LF or CR) written as one space.
std::string MessageLine(const std::string& title, const std::string& text);

class BatchPort : public PlatformPort {
 public:
  // `answers_name` names the answers file in misfit reports.
  BatchPort(std::vector<Answer> answers, std::string answers_name, std::ostream& messages);

  void ShowMessage(const std::string& title, const std::string& text) override;
  bool AskQuestion(const std::string& title, const std::string& text, QuestionButtons buttons) override;
  QuestionAnswer AskYesNoCancel(const std::string& title, const std::string& text) override;
  bool RunDialog(DialogModel& dialog) override;
  std::optional<std::string> AskInput(const std::string& title, const std::string& prompt) override;
  std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
  // The profile lives in memory only: nothing of a run outlives it.
  int ReadProfileInt(const std::string& section, const std::string& name, int default_value) override;
  void WriteProfileInt(const std::string& section, const std::string& name, int value) override;
  void Repaint() override {}
  bool ShouldStopMacro() override { return misfit_.has_value(); }
  // The clock the run sees: fixed by --time, else the real one.
  void SetFixedTime(std::int64_t seconds) { fixed_time_ = seconds; }
  std::int64_t CurrentTimeSeconds() const override {
    return fixed_time_ ? *fixed_time_ : PlatformPort::CurrentTimeSeconds();
  }

  // The first answer that did not fit its prompt, as a one-line report naming the answers
  // file, the line and the prompt.
  const std::optional<std::string>& Misfit() const { return misfit_; }
  // Answers not used by the run.
  std::size_t UnusedCount() const { return answers_.size() - next_; }
  // The first unused answer (only when UnusedCount() > 0).
  const Answer& FirstUnused() const { return answers_[next_]; }

 private:
  std::optional<std::int64_t> fixed_time_;
  // The next answer, or nothing when the file is used up or a misfit happened.
  const Answer* Next();
  void Consume() { ++next_; }
  std::optional<std::string> AnswerFileDialog(const FileDialogRequest& request);
  // Records the misfit of the next answer with `prompt` and an optional further reason.
  void RecordMisfit(const Answer& answer, const std::string& prompt, const std::string& reason = {});

  std::vector<Answer> answers_;
  std::size_t next_ = 0;
  std::string answers_name_;
  std::ostream& messages_;
  std::optional<std::string> misfit_;
  std::map<std::pair<std::string, std::string>, int> profile_;
};

}  // namespace orvel::batch
