#include "batch/batch_port.h"

#include "app/dialogs.h"

namespace orvel::batch {

namespace {

// Line breaks become single spaces, so that a message box stays on one line.
std::string OneLine(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += ' ';
    } else if (c == '\n') {
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

std::string Quote(const std::string& text) {
  std::string quoted(1, '"');
  quoted += OneLine(text);
  quoted += '"';
  return quoted;
}

std::string QuestionPrompt(const std::string& title, const std::string& text) {
  return "the question " + Quote(title + ": " + text);
}

std::string FilePrompt(const FileDialogRequest& request) {
  std::string prompt = "the file dialog " + Quote(request.title);
  if (!request.default_name.empty()) prompt += " (" + request.default_name + ")";
  return prompt;
}

}  // namespace

std::string MessageLine(const std::string& title, const std::string& text) {
  return OneLine(title) + ": " + OneLine(text);
}

BatchPort::BatchPort(std::vector<Answer> answers, std::string answers_name, std::ostream& messages)
    : answers_(std::move(answers)), answers_name_(std::move(answers_name)), messages_(messages) {}

const Answer* BatchPort::Next() {
  if (misfit_ || next_ >= answers_.size()) return nullptr;
  return &answers_[next_];
}

void BatchPort::RecordMisfit(const Answer& answer, const std::string& prompt, const std::string& reason) {
  if (misfit_) return;
  std::string report = "orvel-batch: " + answers_name_ + ":" + std::to_string(answer.line) + ": ";
  if (reason.empty())
    report += "'" + answer.source + "' does not answer " + prompt;
  else
    report += prompt + " " + reason;
  misfit_ = std::move(report);
}

void BatchPort::ShowMessage(const std::string& title, const std::string& text) {
  // After a misfit the run is being abandoned: what it still says (the executor's note that it
  // was stopped, say) is no news to the user.
  if (misfit_) return;
  messages_ << MessageLine(title, text) << '\n' << std::flush;
}

bool BatchPort::AskQuestion(const std::string& title, const std::string& text, QuestionButtons /*buttons*/) {
  if (misfit_) return false;
  // A question is a message box too; its answer comes from the answers file.
  messages_ << MessageLine(title, text) << '\n' << std::flush;
  const Answer* answer = Next();
  if (answer == nullptr) return true;
  // Both kinds of two-button question take all four words: yes and ok say OK or Yes, no and
  // cancel say Cancel or No.
  switch (answer->kind) {
    case Answer::Kind::kYes:
    case Answer::Kind::kOk:
      Consume();
      return true;
    case Answer::Kind::kNo:
    case Answer::Kind::kCancel:
      Consume();
      return false;
    default:
      RecordMisfit(*answer, QuestionPrompt(title, text));
      return false;
  }
}

QuestionAnswer BatchPort::AskYesNoCancel(const std::string& title, const std::string& text) {
  if (misfit_) return QuestionAnswer::kCancel;
  messages_ << MessageLine(title, text) << '\n' << std::flush;
  const Answer* answer = Next();
  if (answer == nullptr) return QuestionAnswer::kYes;
  switch (answer->kind) {
    case Answer::Kind::kYes:
    case Answer::Kind::kOk:
      Consume();
      return QuestionAnswer::kYes;
    case Answer::Kind::kNo:
      Consume();
      return QuestionAnswer::kNo;
    case Answer::Kind::kCancel:
      Consume();
      return QuestionAnswer::kCancel;
    default:
      RecordMisfit(*answer, QuestionPrompt(title, text));
      return QuestionAnswer::kCancel;
  }
}

bool BatchPort::RunDialog(DialogModel& dialog) {
  if (misfit_) return false;
  const std::string prompt = "the dialog " + Quote(dialog.Title());
  const Answer* answer = Next();
  if (answer == nullptr) {
    // OK with the presets, as a user pressing Enter would; presets the dialog itself would
    // not accept leave only Cancel.
    return dialog.Accept().empty();
  }
  if (answer->kind == Answer::Kind::kCancel) {
    Consume();
    return false;
  }
  if (answer->kind != Answer::Kind::kDialog || answer->title != dialog.Title()) {
    RecordMisfit(*answer, prompt);
    return false;
  }
  // A misfit below leaves the model partly changed; the run is then abandoned and nothing of
  // it is written, so the half-set model never matters.
  for (const auto& [key, value] : answer->fields) {
    if (!dialog.SetField(key, value)) {
      RecordMisfit(*answer, prompt, "does not take " + key + "=" + Quote(value) +
                                        " (an unknown key or a value it refuses)");
      return false;
    }
  }
  if (const std::string refusal = dialog.Accept(); !refusal.empty()) {
    RecordMisfit(*answer, prompt, "refuses the answers: " + OneLine(refusal));
    return false;
  }
  Consume();
  return true;
}

std::optional<std::string> BatchPort::AskInput(const std::string& /*title*/, const std::string& prompt) {
  if (misfit_) return std::nullopt;
  const Answer* answer = Next();
  if (answer == nullptr) return std::string();
  if (answer->kind == Answer::Kind::kCancel) {
    Consume();
    return std::nullopt;
  }
  if (answer->kind != Answer::Kind::kInput) {
    RecordMisfit(*answer, "the input prompt " + Quote(prompt));
    return std::nullopt;
  }
  Consume();
  return answer->text;
}

std::optional<std::string> BatchPort::AnswerFileDialog(const FileDialogRequest& request) {
  if (misfit_) return std::nullopt;
  const Answer* answer = Next();
  if (answer == nullptr) return std::nullopt;
  if (answer->kind == Answer::Kind::kCancel) {
    Consume();
    return std::nullopt;
  }
  if (answer->kind != Answer::Kind::kFile) {
    RecordMisfit(*answer, FilePrompt(request));
    return std::nullopt;
  }
  Consume();
  // The path as written: no default extension is added, nothing asks before overwriting.
  return answer->text;
}

std::optional<std::string> BatchPort::ChooseOpenFile(const FileDialogRequest& request) {
  return AnswerFileDialog(request);
}

std::optional<std::string> BatchPort::ChooseSaveFile(const FileDialogRequest& request) {
  return AnswerFileDialog(request);
}

int BatchPort::ReadProfileInt(const std::string& section, const std::string& name, int default_value) {
  const auto it = profile_.find({section, name});
  return it == profile_.end() ? default_value : it->second;
}

void BatchPort::WriteProfileInt(const std::string& section, const std::string& name, int value) {
  profile_[{section, name}] = value;
}

}  // namespace orvel::batch
