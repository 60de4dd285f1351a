#include "support/scripted_port.h"

#include <gtest/gtest.h>

namespace orvel::testing {

void ScriptedPort::ShowMessage(const std::string& title, const std::string& text) {
  events.push_back({PortEvent::kMessage, title, text});
}

bool ScriptedPort::AskQuestion(const std::string& title, const std::string& text, QuestionButtons) {
  events.push_back({PortEvent::kQuestion, title, text});
  if (questions_.empty()) return true;
  const QuestionAnswer answer = questions_.front();
  questions_.pop_front();
  return answer == QuestionAnswer::kYes;
}

QuestionAnswer ScriptedPort::AskYesNoCancel(const std::string& title, const std::string& text) {
  events.push_back({PortEvent::kQuestion, title, text});
  if (questions_.empty()) return QuestionAnswer::kYes;
  const QuestionAnswer answer = questions_.front();
  questions_.pop_front();
  return answer;
}

bool ScriptedPort::RunDialog(DialogModel& dialog) {
  events.push_back({PortEvent::kDialog, dialog.Title(), {}});
  if (dialogs_.empty()) return true;
  DialogAnswer answer = dialogs_.front();
  dialogs_.pop_front();
  EXPECT_EQ(answer.title, dialog.Title()) << "the scripted answer is for another dialog";
  if (!answer.ok) return false;
  for (const auto& [key, value] : answer.fields)
    EXPECT_TRUE(dialog.SetField(key, value)) << dialog.Title() << ": bad field " << key << "=" << value;
  EXPECT_EQ(dialog.Accept(), "") << dialog.Title() << " would not close on OK";
  return true;
}

std::optional<std::string> ScriptedPort::AskInput(const std::string& title, const std::string& prompt) {
  events.push_back({PortEvent::kInput, title, prompt});
  if (inputs_.empty()) return std::string();
  auto text = inputs_.front();
  inputs_.pop_front();
  return text;
}

std::optional<std::string> ScriptedPort::ChooseOpenFile(const FileDialogRequest& request) {
  events.push_back({PortEvent::kOpenFile, request.title, request.default_name});
  file_requests.push_back(request);
  if (files_.empty()) return std::nullopt;
  auto path = files_.front();
  files_.pop_front();
  return path;
}

std::optional<std::string> ScriptedPort::ChooseSaveFile(const FileDialogRequest& request) {
  events.push_back({PortEvent::kSaveFile, request.title, request.default_name});
  file_requests.push_back(request);
  if (files_.empty()) return std::nullopt;
  auto path = files_.front();
  files_.pop_front();
  return path;
}

int ScriptedPort::ReadProfileInt(const std::string& section, const std::string& name, int default_value) {
  const auto it = profile.find({section, name});
  return it == profile.end() ? default_value : it->second;
}

void ScriptedPort::WriteProfileInt(const std::string& section, const std::string& name, int value) {
  profile[{section, name}] = value;
}

std::vector<std::string> ScriptedPort::Messages() const {
  std::vector<std::string> out;
  for (const PortEvent& e : events)
    if (e.kind == PortEvent::kMessage) out.push_back(e.title + ": " + e.text);
  return out;
}

}  // namespace orvel::testing
