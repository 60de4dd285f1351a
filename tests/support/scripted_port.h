// A scripted platform port for tests: answers questions, dialogs and file dialogs from queues
// and records everything it was shown, so a command's whole flow runs without a window.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/dialogs.h"
#include "app/platform_port.h"

namespace orvel::testing {

struct PortEvent {
  enum Kind { kMessage, kQuestion, kDialog, kOpenFile, kSaveFile, kInput };
  Kind kind;
  std::string title;
  std::string text;  // message or question text; file dialogs: the default name
  bool operator==(const PortEvent&) const = default;
};

class ScriptedPort : public PlatformPort {
 public:
  // Queued answers, consumed in order. With none queued: questions answer OK/Yes, dialogs are
  // accepted with their presets, file dialogs are cancelled.
  void QueueAnswer(bool yes) { questions_.push_back(yes ? QuestionAnswer::kYes : QuestionAnswer::kNo); }
  void QueueCancel() { questions_.push_back(QuestionAnswer::kCancel); }
  void QueueDialog(std::string title, std::map<std::string, std::string> fields = {}, bool ok = true) {
    dialogs_.push_back({std::move(title), std::move(fields), ok});
  }
  void QueueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
  void QueueInput(std::optional<std::string> text) { inputs_.push_back(std::move(text)); }

  void ShowMessage(const std::string& title, const std::string& text) override;
  bool AskQuestion(const std::string& title, const std::string& text, QuestionButtons buttons) override;
  QuestionAnswer AskYesNoCancel(const std::string& title, const std::string& text) override;
  bool RunDialog(DialogModel& dialog) override;
  std::optional<std::string> AskInput(const std::string& title, const std::string& prompt) override;
  std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
  int ReadProfileInt(const std::string& section, const std::string& name, int default_value) override;
  void WriteProfileInt(const std::string& section, const std::string& name, int value) override;
  void Repaint() override { ++repaints; }

  // What was shown, in order.
  std::vector<PortEvent> events;
  // Every file dialog's request (title, filter, default name and extension), in order.
  std::vector<FileDialogRequest> file_requests;
  // Messages only, as "TITLE: TEXT".
  std::vector<std::string> Messages() const;
  std::map<std::pair<std::string, std::string>, int> profile;
  int repaints = 0;
  // True when every queued answer was used.
  bool AllAnswersUsed() const { return questions_.empty() && dialogs_.empty() && files_.empty() && inputs_.empty(); }

 private:
  struct DialogAnswer {
    std::string title;
    std::map<std::string, std::string> fields;
    bool ok;
  };
  std::deque<QuestionAnswer> questions_;
  std::deque<DialogAnswer> dialogs_;
  std::deque<std::optional<std::string>> files_;
  std::deque<std::optional<std::string>> inputs_;
};

}  // namespace orvel::testing
