#include "app/dialogs.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <type_traits>

#include "app/data_settings_lists.h"

namespace orvel {

bool ParseWholeNumber(const std::string& text, int& out) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  int value = 0;
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last || first == last) return false;
  out = value;
  return true;
}

std::size_t CharacterCount(const std::string& text) {
  // Every byte but a UTF-8 continuation byte starts a character.
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string ColumnListEntry(const CORVELDoc& doc, ColumnEntryFormat format, int column, std::size_t index) {
  switch (format) {
    case ColumnEntryFormat::kCol3: return ColumnEntry3(doc, column);
    case ColumnEntryFormat::kCol2: return ColumnEntry2(doc, column);
    case ColumnEntryFormat::kCl2: return PcaColumnEntry(doc, column);
    case ColumnEntryFormat::kSortEntry:
      return column == 0 ? "label : " + std::string(doc.Text(0, 0)) : ColumnEntry2(doc, column);
    case ColumnEntryFormat::kDiscriminantSlot:
      return DiscriminantSlotEntry(doc, static_cast<int>(index) + 1, column);
  }
  return {};
}

namespace {

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "3,1,2" → {3, 1, 2}; blanks around the numbers are allowed, an empty text is no column.
bool ParseColumnList(const std::string& text, int first_column, std::vector<int>& out) {
  std::vector<int> columns;
  if (!text.empty()) {
    std::size_t start = 0;
    while (true) {
      const std::size_t comma = text.find(',', start);
      int c = 0;
      const std::string item = Trimmed(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
      if (!ParseWholeNumber(item, c) || c < first_column || c > kLastColumn) return false;
      if (std::find(columns.begin(), columns.end(), c) != columns.end()) return false;  // a list holds a column once
      columns.push_back(c);
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
  }
  out = std::move(columns);
  return true;
}

std::vector<int> ListedColumns(const DialogField::Binding& value) {
  if (const auto* list = std::get_if<std::vector<int>*>(&value)) return **list;
  std::vector<int> columns;
  if (const auto* flags = std::get_if<std::array<bool, kColumnCount>*>(&value))
    for (int c = 0; c <= kLastColumn; ++c)
      if ((**flags)[static_cast<std::size_t>(c)]) columns.push_back(c);
  return columns;
}

bool ParseReal(const std::string& text, double& out) {
  const std::string t = Trimmed(text);
  if (t.empty()) return false;
  char* end = nullptr;
  const double v = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size()) return false;
  out = v;
  return true;
}

}  // namespace

int DialogField::IntValue() const {
  if (const auto* flag = std::get_if<bool*>(&value)) return **flag ? 1 : 0;
  if (const auto* number = std::get_if<int*>(&value)) return **number;
  return 0;
}

std::vector<int> DialogField::Columns() const { return ListedColumns(value); }

bool DialogField::InRange(double v) const {
  const bool above_min = min_open ? v > min_real : v >= min_real;
  const bool below_max = max_open ? v < max_real : v <= max_real;
  return above_min && below_max;
}

double DialogField::Corrected(double v) const {
  if (corrected_to && !InRange(v)) return *corrected_to;
  return v;
}

std::string DialogField::ValueText() const {
  switch (kind) {
    case FieldKind::kShown:
    case FieldKind::kText: return *std::get<std::string*>(value);
    case FieldKind::kInteger:
    case FieldKind::kColumn: return std::to_string(*std::get<int*>(value));
    case FieldKind::kReal: {
      char text[64];
      std::snprintf(text, sizeof text, number_format.c_str(), *std::get<double*>(value));
      return text;
    }
    case FieldKind::kChoice: {
      const int i = IntValue();
      if (!words.empty() && i >= 0 && static_cast<std::size_t>(i) < words.size())
        return words[static_cast<std::size_t>(i)];
      return std::to_string(i);
    }
    case FieldKind::kCheckBox: return *std::get<bool*>(value) ? "1" : "0";
    case FieldKind::kColumnList: {
      std::string text;
      for (int c : Columns()) {
        if (!text.empty()) text += ',';
        text += std::to_string(c);
      }
      return text;
    }
  }
  return {};
}

bool DialogField::Parse(const std::string& text) const {
  switch (kind) {
    case FieldKind::kShown: return false;  // shown only: nothing sets it
    case FieldKind::kText:
      *std::get<std::string*>(value) = keep_blanks ? text : Trimmed(text);
      return true;
    case FieldKind::kInteger: return ParseWholeNumber(Trimmed(text), *std::get<int*>(value));
    case FieldKind::kColumn: {
      int c = 0;
      if (!ParseWholeNumber(Trimmed(text), c) || c < min || c > max) return false;
      *std::get<int*>(value) = c;
      return true;
    }
    case FieldKind::kReal: {
      double v = 0;
      // Text that is no number counts as out of range: a correcting field then takes its default.
      if (!ParseReal(text, v)) {
        if (!corrected_to) return false;
        v = *corrected_to;
      }
      *std::get<double*>(value) = Corrected(v);
      return true;
    }
    case FieldKind::kChoice: {
      int i = -1;
      const auto word = std::find(words.begin(), words.end(), text);
      if (word != words.end()) i = static_cast<int>(word - words.begin());
      else if (words.empty() && !ParseWholeNumber(text, i)) return false;
      if (i < 0 || static_cast<std::size_t>(i) >= choices.size()) return false;
      if (auto* flag = std::get_if<bool*>(&value)) **flag = i == 1;
      else *std::get<int*>(value) = i;
      return true;
    }
    case FieldKind::kCheckBox: {
      int v = 0;
      if (!ParseWholeNumber(text, v) || (v != 0 && v != 1)) return false;
      *std::get<bool*>(value) = v == 1;
      return true;
    }
    case FieldKind::kColumnList: {
      std::vector<int> columns;
      if (!ParseColumnList(text, list->first_column, columns)) return false;
      if (auto* target = std::get_if<std::vector<int>*>(&value)) {
        **target = std::move(columns);
      } else {
        auto& flags = *std::get<std::array<bool, kColumnCount>*>(value);
        flags.fill(false);
        for (int c : columns) flags[static_cast<std::size_t>(c)] = true;
      }
      return true;
    }
  }
  return false;
}

std::string DialogField::Check() const {
  switch (kind) {
    case FieldKind::kShown:
    case FieldKind::kCheckBox: return {};
    case FieldKind::kText: {
      const std::string& v = *std::get<std::string*>(value);
      if (max_characters > 0 && CharacterCount(v) > max_characters) return refusal;
      if (!forbidden.empty() && v.find_first_of(forbidden) != std::string::npos) return refusal;
      return {};
    }
    case FieldKind::kInteger:
    case FieldKind::kColumn: {
      const int v = *std::get<int*>(value);
      return v < min || v > max ? refusal : std::string();
    }
    case FieldKind::kReal: {
      const double v = *std::get<double*>(value);
      return corrected_to || InRange(v) ? std::string() : refusal;
    }
    case FieldKind::kChoice: {
      const int v = IntValue();
      return v < 0 || static_cast<std::size_t>(v) >= choices.size() ? refusal : std::string();
    }
    case FieldKind::kColumnList:
      if (list->limit > 0 && Columns().size() > list->limit) return list->full_message;
      return {};
  }
  return {};
}

DialogField& DialogSchema::Add(std::string key, std::string label, FieldKind kind, DialogField::Binding value) {
  DialogField& f = fields.emplace_back();
  f.key = std::move(key);
  f.label = std::move(label);
  f.kind = kind;
  f.value = value;
  f.page = pages.empty() ? 0 : static_cast<int>(pages.size()) - 1;
  return f;
}

void DialogSchema::AddPage(std::string title) { pages.push_back(std::move(title)); }

DialogField& DialogSchema::Shown(std::string key, std::string label, std::string& value) {
  return Add(std::move(key), std::move(label), FieldKind::kShown, &value);
}

DialogField& DialogSchema::Text(std::string key, std::string label, std::string& value, std::size_t max_characters,
                                std::string forbidden, std::string refusal) {
  DialogField& f = Add(std::move(key), std::move(label), FieldKind::kText, &value);
  f.max_characters = max_characters;
  f.forbidden = std::move(forbidden);
  f.refusal = std::move(refusal);
  return f;
}

DialogField& DialogSchema::Integer(std::string key, std::string label, int& value, int min, int max,
                                   std::string refusal) {
  DialogField& f = Add(std::move(key), std::move(label), FieldKind::kInteger, &value);
  f.min = min;
  f.max = max;
  f.refusal = std::move(refusal);
  return f;
}

DialogField& DialogSchema::Real(std::string key, std::string label, double& value, double min, bool min_open,
                                double max, bool max_open, double corrected_to) {
  DialogField& f = Add(std::move(key), std::move(label), FieldKind::kReal, &value);
  f.min_real = min;
  f.max_real = max;
  f.min_open = min_open;
  f.max_open = max_open;
  f.corrected_to = corrected_to;
  return f;
}

DialogField& DialogSchema::Real(std::string key, std::string label, double& value, double min, bool min_open,
                                double max, bool max_open, std::string refusal) {
  DialogField& f = Add(std::move(key), std::move(label), FieldKind::kReal, &value);
  f.min_real = min;
  f.max_real = max;
  f.min_open = min_open;
  f.max_open = max_open;
  f.refusal = std::move(refusal);
  return f;
}

DialogField& DialogSchema::Choice(std::string key, std::string box_title, int& value, std::vector<std::string> choices,
                                  std::string refusal, std::vector<std::string> words) {
  DialogField& f = Add(std::move(key), std::move(box_title), FieldKind::kChoice, &value);
  f.choices = std::move(choices);
  f.words = std::move(words);
  f.refusal = std::move(refusal);
  return f;
}

DialogField& DialogSchema::Choice(std::string key, std::string box_title, bool& value,
                                  std::vector<std::string> choices, std::string refusal,
                                  std::vector<std::string> words) {
  DialogField& f = Add(std::move(key), std::move(box_title), FieldKind::kChoice, &value);
  f.choices = std::move(choices);
  f.words = std::move(words);
  f.refusal = std::move(refusal);
  return f;
}

DialogField& DialogSchema::CheckBox(std::string key, std::string group_title, std::string text, bool& value) {
  DialogField& f = Add(std::move(key), std::move(group_title), FieldKind::kCheckBox, &value);
  f.text = std::move(text);
  return f;
}

DialogField& DialogSchema::Column(std::string key, std::string label, int& value, int min, int max, ColumnPicker shape,
                                  std::string refusal) {
  DialogField& f = Add(std::move(key), std::move(label), FieldKind::kColumn, &value);
  f.min = min;
  f.max = max;
  f.column = std::move(shape);
  f.refusal = std::move(refusal);
  return f;
}

DialogField& DialogSchema::ColumnList(std::string key, std::string label, std::vector<int>& value,
                                      ColumnListPicker shape) {
  DialogField& f = Add(std::move(key), std::move(label), FieldKind::kColumnList, &value);
  f.list = std::move(shape);
  f.refusal = f.list->full_message;
  return f;
}

DialogField& DialogSchema::ColumnList(std::string key, std::string label, std::array<bool, kColumnCount>& value,
                                      ColumnListPicker shape) {
  DialogField& f = Add(std::move(key), std::move(label), FieldKind::kColumnList, &value);
  f.list = std::move(shape);
  f.refusal = f.list->full_message;
  return f;
}

const DialogField* DialogSchema::Find(const std::string& key) const {
  for (const DialogField& f : fields)
    if (f.key == key) return &f;
  return nullptr;
}

std::vector<DialogFieldValue> DialogSchema::SaveValues() const {
  std::vector<DialogFieldValue> values;
  for (const DialogField& f : fields)
    values.push_back(std::visit(
        [](auto member) -> DialogFieldValue {
          if constexpr (std::is_same_v<decltype(member), std::monostate>) return std::monostate{};
          else return *member;
        },
        f.value));
  return values;
}

void DialogSchema::RestoreValues(const std::vector<DialogFieldValue>& values) const {
  for (std::size_t i = 0; i < fields.size() && i < values.size(); ++i)
    std::visit(
        [&values, i](auto member) {
          if constexpr (!std::is_same_v<decltype(member), std::monostate>)
            *member = std::get<std::remove_pointer_t<decltype(member)>>(values[i]);
        },
        fields[i].value);
}

bool DialogModel::SetField(const std::string& key, const std::string& value) {
  const DialogSchema schema = Schema();
  const DialogField* field = schema.Find(key);
  return field != nullptr && field->Parse(value);
}

std::string DialogModel::Accept() const {
  // The schema binds the members for writing too; the checks only read them.
  const DialogSchema schema = const_cast<DialogModel*>(this)->Schema();
  for (const DialogField& field : schema.fields)
    if (std::string refusal = field.Check(); !refusal.empty()) return refusal;
  return Check();
}

// ---- The general dialogs -------------------------------------------------------------------------

DialogSchema ResultOptionsDialog::Schema() {
  DialogSchema s;
  s.Choice("choice", "List", choice,
           {"Add New Result", "Save Present Result as Text File and Make New Result",
            "Delete Present Result and Make New Result"},
           "Choose an option.");
  return s;
}

DialogSchema FrequencyDialog::Schema() {
  DialogSchema s;
  s.Shown("maximum_value", "Maximum Value", maximum_value);
  s.Shown("minimum_value", "Minimum Value", minimum_value);
  s.Shown("number_of_data", "Number of Data", number_of_data);
  constexpr const char* kTooLong = "Enter no more than 20 characters.";
  s.Text("max", "Maximum Setting", maximum_setting, kSettingMaxLength, {}, kTooLong);
  s.Text("min", "Minimum Setting", minimum_setting, kSettingMaxLength, {}, kTooLong);
  s.Integer("classes", "Class (5-20)", classes, 5, 20, "Enter an integer between 5 and 20.");
  return s;
}

DialogSchema RowNumbersDialog::Schema() {
  DialogSchema s;
  s.Integer("rows", "Number of Rows (100-20000)", rows, 100, 20000, "Enter an integer between 100 and 20000.");
  return s;
}

DialogSchema ExplanationDialog::Schema() {
  DialogSchema s;
  s.prompt = kPrompt;
  // The explanation is kept as typed (blanks included).
  s.Text("text", "", text, 0, "\"\r\n", kBadText).keep_blanks = true;
  return s;
}

}  // namespace orvel
