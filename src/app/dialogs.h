// Typed models of the program's dialogs, each described by a field schema. The core fills in the
// presets and reads the answers; each front end shows them its own way (widgets rendered from
// the schema, an answers file, a test script).
//
// Writing a dialog
// ----------------
// A dialog is a class derived from DialogModel with one member per field and a Schema() that
// binds each member to a field: its key (the batch answers file's `key=value`), its label, its
// kind, its limits and the refusal shown when the value is outside them. For example:
//
//   class RandomNumbersDialog : public DialogModel {
//    public:
//     std::string Title() const override { return "Random Numbers Table"; }
//     DialogSchema Schema() override {
//       DialogSchema s;
//       s.Integer("groups", "Number of Groups (2-10)", groups, 2, 10, "Enter an integer between 2 and 10.");
//       s.Integer("repetitions", "Number of Repetitions (1-30)", repetitions, 1, 30, "...");
//       return s;
//     }
//     int groups = 2;        // the members' initial values are the presets
//     int repetitions = 10;
//   };
//
// That is all a dialog needs: SetField() parses `key=value` texts into the members, Accept()
// checks every field's limits in order and returns the first refusal, the Qt front end renders
// the fields (gui/model_dialogs.h) and the batch runner answers them. A check across fields
// goes into an override of Check(). The kinds (see the builders of DialogSchema below):
//
//   Shown      a read-only text (the data's extremes shown beside the settings)
//   Text       a typed text: at most `max_characters` characters, none of `forbidden`
//   Integer    a typed whole number; outside [min, max] refused by OK
//   Real       a typed decimal number shown with a printf format; outside its range it is
//              corrected to a default instead of refused (or refused, when a refusal is given)
//   Choice     radio buttons in a titled box; the value is the button's index, or its word
//              when the choice has words (order=ascending|descending)
//   CheckBox   a check box (0|1); check boxes with the same group title share one box
//   Column     one column of the sheet: a drop-down list, a list, or a box filled by "->"
//              from the "Data List" or from another field's list
//   ColumnList a list of columns filled from the "Data List" by "->" and emptied by "<-",
//              with an optional limit and its message; batch value: comma-separated numbers
//
// Fields may be placed on pages (a property sheet with one tab per page): AddPage() starts a
// new page for the fields that follow.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "sheet/orvel_doc.h"

namespace orvel {

enum class FieldKind { kShown, kText, kInteger, kReal, kChoice, kCheckBox, kColumn, kColumnList };

// How a column is written in a list: "Col%3d : NAME", "Col%2d : NAME", "Cl%2d : NAME", the sort
// lists' "label : NAME" / "Col%2d : NAME", and the discriminant slots' "x%d:" / "x%d:Col%2d : NAME".
enum class ColumnEntryFormat { kCol3, kCol2, kCl2, kSortEntry, kDiscriminantSlot };

// The entry of `column` in a list of that format; `index` (from 0) matters to the slot format
// only, where column 0 is an empty slot.
std::string ColumnListEntry(const CORVELDoc& doc, ColumnEntryFormat format, int column, std::size_t index = 0);

// The sheet's columns to pick from, shown as the "Data List" box at the dialog's left.
struct DataListLayout {
  ColumnEntryFormat format = ColumnEntryFormat::kCol2;
  int first_column = 1;  // 0 lists the label column too
  bool several = true;   // several entries can be chosen at once
};

// One column: how it is picked and shown.
struct ColumnPicker {
  enum class Picker {
    kDropDown,      // a drop-down list of the columns
    kList,          // a list of the columns (with "None" first when first_column is 0)
    kFromDataList,  // a read-only box set by "->" from the "Data List" and cleared by "<-"
    kFromField,     // a read-only box set by "->" from the chosen entry of another field's list
  };
  Picker picker = Picker::kDropDown;
  ColumnEntryFormat format = ColumnEntryFormat::kCol2;
  int first_column = 1;     // 0: "None" (or the label column, for kFromField) is a choice
  std::string source_key;   // kFromField: the column-list field it takes from
  std::string box_title;    // kFromDataList / kFromField: the title of the box
  std::string set_button;   // object names of the "->" and "<-" buttons ("<-" only when given)
  std::string clear_button;
  std::string set_text = "->";  // the buttons' texts
  std::string clear_text = "<-";
  // A column the "->" refuses at once with its message (the label column as sort key).
  std::optional<int> refused_column;
  std::string refused_message;
  bool accept_on_double_click = false;
};

struct ColumnListPicker {
  ColumnEntryFormat format = ColumnEntryFormat::kCol2;
  int first_column = 1;            // 0 when the label column may be listed
  std::size_t limit = 0;           // 0: no limit
  std::string full_message;        // shown (title "ORVEL") when a column is added to a full list
  bool added_order = false;        // keep the order of adding instead of column order
  std::size_t rows_shown = 0;      // at least this many rows (empty slots included)
  std::string list_name;           // object names of the list and its buttons
  std::string add_button;
  std::string remove_button;
  std::string add_text = "->";  // the buttons' texts
  std::string remove_text = "<-";
};

// One field of a dialog, bound to the model member that holds its value.
struct DialogField {
  using Binding = std::variant<std::monostate, int*, bool*, double*, std::string*, std::vector<int>*,
                               std::array<bool, kColumnCount>*>;
  std::string key;
  std::string label;  // the field's label; for a choice or check box group, the box title
  FieldKind kind = FieldKind::kShown;
  Binding value;
  std::string refusal;  // shown when the value does not fit the field
  int page = 0;

  // kInteger, kColumn: the accepted range. kReal: [min_real, max_real], each end open or closed.
  int min = 0;
  int max = 0;
  double min_real = 0;
  double max_real = 0;
  bool min_open = false;
  bool max_open = false;
  std::optional<double> corrected_to;  // kReal: out of range stores this instead of refusing
  std::string number_format = "%.2f";  // kReal: how the value is shown
  // kText: limits in characters (UTF-8 code points) and characters it may not hold.
  std::size_t max_characters = 0;  // 0: none
  std::string forbidden;
  bool keep_blanks = false;  // the typed text is taken as typed (otherwise trimmed)
  // kChoice: the buttons' texts, and the words the answers file may use instead of indexes.
  std::vector<std::string> choices;
  std::vector<std::string> words;
  std::vector<std::string> button_names;  // the buttons' object names (default: key and index)
  bool as_list = false;  // kChoice: a list to pick one entry from instead of radio buttons
  // kCheckBox: the text beside the box (the label is the group's title).
  std::string text;
  std::optional<ColumnPicker> column;
  std::optional<ColumnListPicker> list;

  // The value as the answers file and the widgets write it.
  std::string ValueText() const;
  // kInteger, kColumn, kChoice: the value as a number (a two-button choice bound to a bool
  // counts 0 and 1).
  int IntValue() const;
  // kColumnList: the listed columns, in list order.
  std::vector<int> Columns() const;
  // Parses `text` into the member; false (member unchanged) when it does not fit the kind.
  bool Parse(const std::string& text) const;
  // The field's refusal when the member is outside the limits, else empty.
  std::string Check() const;
  // The value a kReal field stores for `v`: v, or the correction when v is out of range.
  double Corrected(double v) const;
  bool InRange(double v) const;
};

// The values of a schema's members, kept to put back when a dialog is cancelled.
using DialogFieldValue = std::variant<std::monostate, int, bool, double, std::string, std::vector<int>,
                                      std::array<bool, kColumnCount>>;

// A dialog's fields, in the order they are shown, read and checked.
struct DialogSchema {
  std::string prompt;                      // a line of text above the fields
  std::optional<DataListLayout> data_list;   // the "Data List" box
  std::vector<std::string> pages;          // page titles when the dialog is a property sheet
  std::vector<DialogField> fields;

  DialogField& Shown(std::string key, std::string label, std::string& value);
  DialogField& Text(std::string key, std::string label, std::string& value, std::size_t max_characters = 0,
                    std::string forbidden = {}, std::string refusal = {});
  DialogField& Integer(std::string key, std::string label, int& value, int min, int max, std::string refusal);
  // Out of [min, max] (open ends as given) the value is corrected to `corrected_to`...
  DialogField& Real(std::string key, std::string label, double& value, double min, bool min_open, double max,
                    bool max_open, double corrected_to);
  // ...or refused by OK with `refusal` (a text that is no number is refused too).
  DialogField& Real(std::string key, std::string label, double& value, double min, bool min_open, double max,
                    bool max_open, std::string refusal);
  DialogField& Choice(std::string key, std::string box_title, int& value, std::vector<std::string> choices,
                      std::string refusal, std::vector<std::string> words = {});
  // Two buttons: the first is false, the second true.
  DialogField& Choice(std::string key, std::string box_title, bool& value, std::vector<std::string> choices,
                      std::string refusal, std::vector<std::string> words = {});
  DialogField& CheckBox(std::string key, std::string group_title, std::string text, bool& value);
  DialogField& Column(std::string key, std::string label, int& value, int min, int max, ColumnPicker shape,
                      std::string refusal);
  DialogField& ColumnList(std::string key, std::string label, std::vector<int>& value, ColumnListPicker shape);
  DialogField& ColumnList(std::string key, std::string label, std::array<bool, kColumnCount>& value,
                          ColumnListPicker shape);
  // The fields added after this call go on a new page titled `title` (the "Data List", when
  // the dialog has one, is on the first page).
  void AddPage(std::string title);

  const DialogField* Find(const std::string& key) const;
  std::vector<DialogFieldValue> SaveValues() const;
  void RestoreValues(const std::vector<DialogFieldValue>& values) const;

 private:
  DialogField& Add(std::string key, std::string label, FieldKind kind, DialogField::Binding value);
};

class DialogModel {
 public:
  virtual ~DialogModel() = default;
  // The dialog's exact window title; the answers file names the dialog by it.
  virtual std::string Title() const = 0;
  // The fields bound to this object's members (rebuilt on each call: a copy binds its own).
  virtual DialogSchema Schema() = 0;
  // Sets one field from its text; false when the key is unknown or the text does not fit it.
  bool SetField(const std::string& key, const std::string& value);
  // The check OK makes before the dialog closes: empty when the answers are acceptable, else
  // the reason they are not (each field's limits in order, then Check()).
  std::string Accept() const;

 protected:
  // Checks across fields, after every field fits its limits.
  virtual std::string Check() const { return {}; }
};

// "Result Options": what to do with the results already in the result pane.
class ResultOptionsDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Result Options";
  enum Choice { kAddNewResult = 0, kSaveAndMakeNew = 1, kDeleteAndMakeNew = 2 };
  std::string Title() const override { return kTitle; }
  DialogSchema Schema() override;
  int choice = kAddNewResult;
};

// "Setting for Frequency Distribution": the data's extremes and count (shown only), the two
// class-range settings as typed texts and the number of classes (5-20).
class FrequencyDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Setting for Frequency Distribution";
  static constexpr int kSettingMaxLength = 20;  // characters of each setting
  std::string Title() const override { return kTitle; }
  DialogSchema Schema() override;
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
  DialogSchema Schema() override;
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
  DialogSchema Schema() override;
  std::string text;
};

class DialogModel;
// One of each dialog model, with its presets: the list the documentation and the tests check.
std::vector<std::unique_ptr<DialogModel>> AllDialogModels();

// Parses a whole decimal integer (optional sign); false for anything else.
bool ParseWholeNumber(const std::string& text, int& out);
// The number of characters (UTF-8 code points) of a text.
std::size_t CharacterCount(const std::string& text);

}  // namespace orvel
