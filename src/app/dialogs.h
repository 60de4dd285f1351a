// Typed models of the program's dialogs. The core fills in the presets and reads the answers;
// each front end shows them its own way (widgets, an answers file, a test script).
//
// Every model names itself by its exact window title and takes its fields by key, so the batch
// runner can answer `dialog "TITLE" key=value ...` lines. Accept() applies the checks the dialog
// makes before it closes on OK (range checks and the like): it returns an empty string when the
// answers are acceptable, else the reason they are not.
#pragma once

#include <string>

namespace orvel {

class DialogModel {
 public:
  virtual ~DialogModel() = default;
  virtual std::string Title() const = 0;
  // Sets one field from its text; false when the key is unknown or the text does not fit it.
  virtual bool SetField(const std::string& key, const std::string& value) = 0;
  virtual std::string Accept() const { return {}; }
};

// "Result Options": what to do with the results already in the result pane.
class ResultOptionsDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Result Options";
  enum Choice { kAddNewResult = 0, kSaveAndMakeNew = 1, kDeleteAndMakeNew = 2 };
  std::string Title() const override { return kTitle; }
  bool SetField(const std::string& key, const std::string& value) override;
  int choice = kAddNewResult;
};

// "Setting for Frequency Distribution": the data's extremes and count (shown only), the two
// class-range settings as typed texts and the number of classes (5-20).
class FrequencyDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Setting for Frequency Distribution";
  static constexpr int kSettingMaxLength = 20;  // characters of each setting
  std::string Title() const override { return kTitle; }
  bool SetField(const std::string& key, const std::string& value) override;
  std::string Accept() const override;
  std::string maximum_value;
  std::string minimum_value;
  std::string number_of_data;
  std::string maximum_setting;
  std::string minimum_setting;
  int classes = 5;
};

// "Setting for Number of Rows": one field, "Number of Rows (100-20000)".
class RowNumbersDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Setting for Number of Rows";
  std::string Title() const override { return kTitle; }
  bool SetField(const std::string& key, const std::string& value) override;
  std::string Accept() const override;
  int rows = 499;
};

// "Explanation for Record Macro": an explanation the recorded macro shows when it is replayed.
// It is recorded between the double quotes of a message statement, so it may not hold a double
// quotation mark or a line break: either would leave a macro that cannot be replayed.
class ExplanationDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Explanation for Record Macro";
  static constexpr const char* kPrompt = "You can write some explanations for the record macro.";
  static constexpr const char* kBadText =
      "An explanation cannot hold a double quotation mark or a line break.";
  std::string Title() const override { return kTitle; }
  bool SetField(const std::string& key, const std::string& value) override;
  std::string Accept() const override;
  std::string text;
};

// Parses a whole decimal integer (optional sign); false for anything else.
bool ParseWholeNumber(const std::string& text, int& out);

}  // namespace orvel
