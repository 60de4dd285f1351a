#include "gui/model_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/correlation_dialogs.h"
#include "app/orvel_view.h"
#include "app/data_settings_lists.h"
#include "app/twoway_grid.h"
#include "app/outlier_dialogs.h"
#include "app/rank_dialogs.h"
#include "app/rcode_dialogs.h"
#include "app/sort_dialog.h"

namespace orvel::gui {

namespace {

// A refused answer is told in a message box titled with the program's name, as the checks
// the dialogs make on OK always have been (the label column refused as sort key included).
void ShowRefusal(QWidget* dialog, const std::string& reason) {
  QMessageBox::warning(dialog, kAppTitle, QString::fromStdString(reason));
}

ModelDialog::RefusalHandler& Refusals() {
  static ModelDialog::RefusalHandler handler = ShowRefusal;
  return handler;
}

std::string Text(const QLineEdit* edit) { return edit->text().trimmed().toStdString(); }

// A line edit named after its key, so a test (or an accessibility tool) can find it.
QLineEdit* Edit(QWidget* parent, const char* key, const std::string& preset, bool read_only = false) {
  auto* edit = new QLineEdit(QString::fromStdString(preset), parent);
  edit->setObjectName(key);
  edit->setReadOnly(read_only);
  return edit;
}

// Radio buttons in a titled group; the checked button's index is the choice.
QButtonGroup* RadioGroup(ModelDialog& dialog, QVBoxLayout* layout, const char* title, const char* key,
                         const std::vector<std::string>& texts, int checked) {
  auto* box = new QGroupBox(title, &dialog);
  auto* box_layout = new QVBoxLayout(box);
  auto* group = new QButtonGroup(box);
  group->setObjectName(key);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    auto* button = new QRadioButton(QString::fromStdString(texts[i]), box);
    button->setObjectName(QString("%1%2").arg(key).arg(i));
    group->addButton(button, static_cast<int>(i));
    box_layout->addWidget(button);
    if (static_cast<int>(i) == checked) button->setChecked(true);
  }
  layout->addWidget(box);
  return group;
}

template <class Model>
std::unique_ptr<ModelDialog> MakeDialog(Model& model, QWidget* parent) {
  auto original = std::make_shared<Model>(model);
  auto dialog = std::make_unique<ModelDialog>(parent, model, [&model, original] { model = *original; });
  dialog->setWindowTitle(QString::fromStdString(model.Title()));
  return dialog;
}

std::unique_ptr<ModelDialog> ResultOptions(ResultOptionsDialog& model, QWidget* parent) {
  auto dialog = MakeDialog(model, parent);
  auto* layout = new QVBoxLayout(dialog.get());
  QButtonGroup* group = RadioGroup(*dialog, layout, "List", "choice",
                                   {"Add New Result", "Save Present Result as Text File and Make New Result",
                                    "Delete Present Result and Make New Result"},
                                   model.choice);
  dialog->AddField("choice", [group] { return std::to_string(group->checkedId()); }, "Choose an option.");
  dialog->AddButtons();
  return dialog;
}

std::unique_ptr<ModelDialog> Frequency(FrequencyDialog& model, QWidget* parent) {
  auto dialog = MakeDialog(model, parent);
  auto* form = new QFormLayout(dialog.get());
  form->addRow("Maximum Value", Edit(dialog.get(), "maximum_value", model.maximum_value, true));
  form->addRow("Minimum Value", Edit(dialog.get(), "minimum_value", model.minimum_value, true));
  form->addRow("Number of Data", Edit(dialog.get(), "number_of_data", model.number_of_data, true));
  QLineEdit* max = Edit(dialog.get(), "max", model.maximum_setting);
  QLineEdit* min = Edit(dialog.get(), "min", model.minimum_setting);
  // The settings take at most 20 characters: typing stops there.
  max->setMaxLength(FrequencyDialog::kSettingMaxLength);
  min->setMaxLength(FrequencyDialog::kSettingMaxLength);
  QLineEdit* classes = Edit(dialog.get(), "classes", std::to_string(model.classes));
  form->addRow("Maximum Setting", max);
  form->addRow("Minimum Setting", min);
  form->addRow("Class (5-20)", classes);
  dialog->AddField("max", [max] { return Text(max); }, "");
  dialog->AddField("min", [min] { return Text(min); }, "");
  dialog->AddField("classes", [classes] { return Text(classes); }, "Enter an integer between 5 and 20.");
  dialog->AddButtons();
  return dialog;
}

std::unique_ptr<ModelDialog> RowNumbers(RowNumbersDialog& model, QWidget* parent) {
  auto dialog = MakeDialog(model, parent);
  auto* form = new QFormLayout(dialog.get());
  QLineEdit* rows = Edit(dialog.get(), "rows", std::to_string(model.rows));
  form->addRow("Number of Rows (100-20000)", rows);
  dialog->AddField("rows", [rows] { return Text(rows); }, "Enter an integer between 100 and 20000.");
  dialog->AddButtons();
  return dialog;
}

std::unique_ptr<ModelDialog> Explanation(ExplanationDialog& model, QWidget* parent) {
  auto dialog = MakeDialog(model, parent);
  auto* layout = new QVBoxLayout(dialog.get());
  layout->addWidget(new QLabel(ExplanationDialog::kPrompt, dialog.get()));
  QLineEdit* text = Edit(dialog.get(), "text", model.text);
  layout->addWidget(text);
  // The explanation is kept as typed (blanks included).
  dialog->AddField("text", [text] { return text->text().toStdString(); }, "");
  dialog->AddButtons();
  return dialog;
}

template <class Model>  // KruskalWallisDialog or FriedmanDialog
std::unique_ptr<ModelDialog> RankComparison(Model& model, QWidget* parent) {
  auto dialog = MakeDialog(model, parent);
  auto* layout = new QVBoxLayout(dialog.get());
  auto* box = new QGroupBox("Multiple Comparison", dialog.get());
  auto* box_layout = new QVBoxLayout(box);
  auto* tukey = new QCheckBox("Tukey", box);
  auto* scheffe = new QCheckBox("Scheffe", box);
  tukey->setObjectName("tukey");
  scheffe->setObjectName("scheffe");
  tukey->setChecked(model.tukey);
  scheffe->setChecked(model.scheffe);
  box_layout->addWidget(tukey);
  box_layout->addWidget(scheffe);
  layout->addWidget(box);
  dialog->AddField("tukey", [tukey] { return tukey->isChecked() ? "1" : "0"; }, "");
  dialog->AddField("scheffe", [scheffe] { return scheffe->isChecked() ? "1" : "0"; }, "");
  dialog->AddButtons();
  return dialog;
}

std::unique_ptr<ModelDialog> RegressionCurve(RegressionCurveDialog& model, QWidget* parent) {
  auto dialog = MakeDialog(model, parent);
  auto* layout = new QVBoxLayout(dialog.get());
  std::vector<std::string> texts(std::begin(RegressionCurveDialog::kKindTexts),
                                 std::end(RegressionCurveDialog::kKindTexts));
  QButtonGroup* group = RadioGroup(*dialog, layout, "Regression Curve", "kind", texts, model.kind);
  dialog->AddField("kind", [group] { return std::to_string(group->checkedId()); }, "Choose a curve.");
  dialog->AddButtons();
  return dialog;
}

std::unique_ptr<ModelDialog> RandomNumbers(RandomNumbersDialog& model, QWidget* parent) {
  auto dialog = MakeDialog(model, parent);
  auto* form = new QFormLayout(dialog.get());
  QLineEdit* groups = Edit(dialog.get(), "groups", std::to_string(model.groups));
  QLineEdit* repetitions = Edit(dialog.get(), "repetitions", std::to_string(model.repetitions));
  form->addRow("Number of Groups (2-10)", groups);
  form->addRow("Number of Repetitions (1-30)", repetitions);
  dialog->AddField("groups", [groups] { return Text(groups); }, "Enter an integer between 2 and 10.");
  dialog->AddField("repetitions", [repetitions] { return Text(repetitions); }, "Enter an integer between 1 and 30.");
  dialog->AddButtons();
  return dialog;
}

// "Sort": the sheet's columns in "Data List"; "->" adds the chosen one to "Columns to Be
// Sorted", "<-" takes one out, the second "->" makes the chosen entry of "Columns to Be
// Sorted" the "Sort by" key.
std::unique_ptr<ModelDialog> Sort(SortDialog& model, QWidget* parent, const CORVELDoc& doc) {
  auto dialog = MakeDialog(model, parent);
  ModelDialog* d = dialog.get();
  auto* layout = new QVBoxLayout(d);
  auto* lists = new QHBoxLayout;
  layout->addLayout(lists);
  const auto entry = [&doc](int c) {
    auto* item = new QListWidgetItem(QString::fromStdString(SortDialog::ListEntry(doc, c)));
    item->setData(Qt::UserRole, c);
    return item;
  };

  auto* data_box = new QGroupBox("Data List", d);
  auto* data_list = new QListWidget(data_box);
  data_list->setObjectName("data_list");
  (new QVBoxLayout(data_box))->addWidget(data_list);
  for (int c = 0; c <= kLastColumn; ++c) data_list->addItem(entry(c));
  lists->addWidget(data_box);

  auto* move = new QVBoxLayout;
  auto* add = new QPushButton("->", d);
  auto* remove = new QPushButton("<-", d);
  add->setObjectName("add");
  remove->setObjectName("remove");
  move->addWidget(add);
  move->addWidget(remove);
  lists->addLayout(move);

  auto* sorted_box = new QGroupBox("Columns to Be Sorted", d);
  auto* sorted_list = new QListWidget(sorted_box);
  sorted_list->setObjectName("sorted_list");
  (new QVBoxLayout(sorted_box))->addWidget(sorted_list);
  for (int c = 0; c <= kLastColumn; ++c)
    if (model.columns[static_cast<std::size_t>(c)]) sorted_list->addItem(entry(c));
  lists->addWidget(sorted_box);

  auto* key_side = new QVBoxLayout;
  auto* set_key = new QPushButton("->", d);
  set_key->setObjectName("set_key");
  auto* key_box = new QGroupBox("Sort by", d);
  auto* key_edit = new QLineEdit(key_box);
  key_edit->setObjectName("key");
  key_edit->setReadOnly(true);
  (new QVBoxLayout(key_box))->addWidget(key_edit);
  key_side->addWidget(set_key);
  key_side->addWidget(key_box);
  lists->addLayout(key_side);
  auto key_column = std::make_shared<int>(model.key);
  if (model.key >= 1 && model.key <= kLastColumn)
    key_edit->setText(QString::fromStdString(SortDialog::ListEntry(doc, model.key)));

  QButtonGroup* order = RadioGroup(*d, layout, "Sort Order", "order", {"Ascending", "Descending"},
                                   model.descending ? 1 : 0);

  QObject::connect(add, &QPushButton::clicked, d, [data_list, sorted_list, entry] {
    QListWidgetItem* chosen = data_list->currentItem();
    if (chosen == nullptr) return;
    const int c = chosen->data(Qt::UserRole).toInt();
    for (int i = 0; i < sorted_list->count(); ++i)
      if (sorted_list->item(i)->data(Qt::UserRole).toInt() == c) return;  // once only
    int at = 0;  // keep column order
    while (at < sorted_list->count() && sorted_list->item(at)->data(Qt::UserRole).toInt() < c) ++at;
    sorted_list->insertItem(at, entry(c));
  });
  QObject::connect(remove, &QPushButton::clicked, d, [sorted_list] { delete sorted_list->currentItem(); });
  QObject::connect(set_key, &QPushButton::clicked, d, [d, sorted_list, key_edit, key_column] {
    QListWidgetItem* chosen = sorted_list->currentItem();
    if (chosen == nullptr) return;
    if (chosen->data(Qt::UserRole).toInt() == 0) {
      Refusals()(d, SortDialog::kLabelKeyMessage);
      return;
    }
    *key_column = chosen->data(Qt::UserRole).toInt();
    key_edit->setText(chosen->text());
  });

  d->AddField("columns", [sorted_list] {
    std::string list;
    for (int i = 0; i < sorted_list->count(); ++i) {
      if (i > 0) list += ",";
      list += std::to_string(sorted_list->item(i)->data(Qt::UserRole).toInt());
    }
    return list;
  }, "");
  d->AddField("key", [key_column] { return std::to_string(*key_column); }, SortDialog::kNoKeyMessage);
  d->AddField("order", [order] { return order->checkedId() == 1 ? "descending" : "ascending"; }, "");
  d->AddButtons();
  return dialog;
}

// "Data Selection": "None" and the 100 columns; the row is the column.
std::unique_ptr<ModelDialog> DataSelection(DataSelectionDialog& model, QWidget* parent, const CORVELDoc& doc) {
  auto dialog = MakeDialog(model, parent);
  auto* layout = new QVBoxLayout(dialog.get());
  layout->addWidget(new QLabel(DataSelectionDialog::kPrompt, dialog.get()));
  auto* list = new QListWidget(dialog.get());
  list->setObjectName("column");
  list->addItem("None");
  for (int c = 1; c <= kLastColumn; ++c) list->addItem(QString::fromStdString(ColumnEntry2(doc, c)));
  list->setCurrentRow(model.column >= 0 && model.column <= kLastColumn ? model.column : 0);
  layout->addWidget(list);
  QObject::connect(list, &QListWidget::itemDoubleClicked, dialog.get(), &ModelDialog::accept);
  dialog->AddField("column", [list] { return std::to_string(list->currentRow()); }, "Select \"None\" or a column.");
  dialog->AddButtons();
  return dialog;
}

std::unique_ptr<ModelDialog> LabelName(LabelNameDialog& model, QWidget* parent) {
  auto dialog = MakeDialog(model, parent);
  auto* layout = new QVBoxLayout(dialog.get());
  layout->addWidget(new QLabel(LabelNameDialog::kPrompt, dialog.get()));
  QLineEdit* label = Edit(dialog.get(), "label", model.label);
  layout->addWidget(label);
  dialog->AddField("label", [label] { return label->text().toStdString(); }, "");
  dialog->AddButtons();
  return dialog;
}


// The R Language menu's column pickers: "Data List" with the columns 1..100, and by layout a
// list ("----->" adds, "<-----" removes), an X and a Y box, a single box over a list, or one
// box. Boxes and lists hold "Col%2d : %s" entries that carry their column number.
std::unique_ptr<ModelDialog> RColumnPicker(RColumnPickerDialog& model, QWidget* parent, const CORVELDoc& doc) {
  auto dialog = MakeDialog(model, parent);
  ModelDialog* d = dialog.get();
  auto* layout = new QVBoxLayout(d);
  auto* lists = new QHBoxLayout;
  layout->addLayout(lists);
  const auto entry = [&doc](int c) { return QString::fromStdString(RPickerEntry(doc, c)); };

  auto* data_box = new QGroupBox("Data List", d);
  auto* data_list = new QListWidget(data_box);
  data_list->setObjectName("data_list");
  (new QVBoxLayout(data_box))->addWidget(data_list);
  for (int c = 1; c <= kLastColumn; ++c) {
    auto* item = new QListWidgetItem(entry(c));
    item->setData(Qt::UserRole, c);
    data_list->addItem(item);
  }
  data_list->setCurrentRow(0);
  lists->addWidget(data_box);
  auto* side = new QVBoxLayout;
  lists->addLayout(side);
  const auto chosen = [data_list] {
    QListWidgetItem* item = data_list->currentItem();
    return item == nullptr ? 0 : item->data(Qt::UserRole).toInt();
  };

  // A one-column box: a read-only edit with its column kept beside it.
  struct Box {
    QLineEdit* edit;
    std::shared_ptr<int> column;
  };
  const auto add_box = [&](const char* caption, const char* key, int preset) {
    auto* row = new QHBoxLayout;
    auto* fill = new QPushButton("----->", d);
    fill->setObjectName(QString("fill_") + key);
    auto* box = new QGroupBox(caption, d);
    auto* edit = new QLineEdit(box);
    edit->setObjectName(key);
    edit->setReadOnly(true);
    (new QVBoxLayout(box))->addWidget(edit);
    row->addWidget(fill);
    row->addWidget(box);
    side->addLayout(row);
    Box b{edit, std::make_shared<int>(preset)};
    if (preset >= 1 && preset <= kLastColumn) edit->setText(entry(preset));
    QObject::connect(fill, &QPushButton::clicked, d, [b, chosen, entry] {
      if (const int c = chosen(); c != 0) {
        *b.column = c;
        b.edit->setText(entry(c));
      }
    });
    d->AddField(key, [b] { return *b.column == 0 ? std::string() : std::to_string(*b.column); },
                "Data setting is not correct.");
  };
  const auto add_list = [&](const char* caption) {
    auto* row = new QHBoxLayout;
    auto* buttons = new QVBoxLayout;
    auto* add = new QPushButton("----->", d);
    auto* remove = new QPushButton("<-----", d);
    add->setObjectName("add");
    remove->setObjectName("remove");
    buttons->addWidget(add);
    buttons->addWidget(remove);
    auto* box = new QGroupBox(caption, d);
    auto* picked = new QListWidget(box);
    picked->setObjectName("columns");
    (new QVBoxLayout(box))->addWidget(picked);
    row->addLayout(buttons);
    row->addWidget(box);
    side->addLayout(row);
    const auto append = [picked, entry](int c) {
      for (int i = 0; i < picked->count(); ++i)
        if (picked->item(i)->data(Qt::UserRole).toInt() == c) return;  // once only
      auto* item = new QListWidgetItem(entry(c));
      item->setData(Qt::UserRole, c);
      picked->addItem(item);
    };
    for (int c : model.columns) append(c);
    QObject::connect(add, &QPushButton::clicked, d, [chosen, append] {
      if (const int c = chosen(); c != 0) append(c);
    });
    QObject::connect(remove, &QPushButton::clicked, d, [picked] { delete picked->currentItem(); });
    d->AddField("columns", [picked] {
      std::string list;
      for (int i = 0; i < picked->count(); ++i) {
        if (i > 0) list += ",";
        list += std::to_string(picked->item(i)->data(Qt::UserRole).toInt());
      }
      return list;
    }, "");
  };

  switch (model.Layout()) {
    case RPickerLayout::kList: add_list("Selected Data"); break;
    case RPickerLayout::kXAndY:
      add_box("X", "x", model.x);
      add_box("Y", "y", model.y);
      break;
    case RPickerLayout::kDependentAndList:
      add_box(model.UpperCaption(), "dependent", model.dependent);
      add_list(model.LowerCaption());
      break;
    case RPickerLayout::kSingle: add_box("Selected Data", "column", model.column); break;
    case RPickerLayout::kSelection: break;
  }
  d->AddButtons();
  return dialog;
}

}  // namespace

ModelDialog::ModelDialog(QWidget* parent, DialogModel& model, std::function<void()> restore_presets)
    : QDialog(parent), model_(model), restore_presets_(std::move(restore_presets)) {
  setModal(true);
}

void ModelDialog::SetRefusalHandler(RefusalHandler handler) {
  Refusals() = handler ? std::move(handler) : RefusalHandler(ShowRefusal);
}

void ModelDialog::AddField(std::string key, std::function<std::string()> read, std::string refusal) {
  fields_.push_back({std::move(key), std::move(read), std::move(refusal)});
}

void ModelDialog::AddButtons() {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &ModelDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &ModelDialog::reject);
  if (layout() != nullptr) layout()->addWidget(buttons);
}

void ModelDialog::accept() {
  last_refusal_.clear();
  for (const Field& field : fields_) {
    if (!model_.SetField(field.key, field.read())) {
      last_refusal_ = field.refusal.empty() ? "The value is not valid." : field.refusal;
      break;
    }
  }
  if (last_refusal_.empty()) last_refusal_ = model_.Accept();
  if (!last_refusal_.empty()) {
    Refusals()(this, last_refusal_);
    return;  // stays open
  }
  QDialog::accept();
}

void ModelDialog::reject() {
  if (restore_presets_) restore_presets_();
  QDialog::reject();
}

std::unique_ptr<ModelDialog> CreateModelDialog(DialogModel& model, QWidget* parent, const CORVELDoc* doc) {
  if (auto* m = dynamic_cast<ResultOptionsDialog*>(&model)) return ResultOptions(*m, parent);
  if (auto* m = dynamic_cast<FrequencyDialog*>(&model)) return Frequency(*m, parent);
  if (auto* m = dynamic_cast<RowNumbersDialog*>(&model)) return RowNumbers(*m, parent);
  if (auto* m = dynamic_cast<ExplanationDialog*>(&model)) return Explanation(*m, parent);
  if (auto* m = dynamic_cast<KruskalWallisDialog*>(&model)) return RankComparison(*m, parent);
  if (auto* m = dynamic_cast<FriedmanDialog*>(&model)) return RankComparison(*m, parent);
  if (auto* m = dynamic_cast<RegressionCurveDialog*>(&model)) return RegressionCurve(*m, parent);
  if (auto* m = dynamic_cast<RandomNumbersDialog*>(&model)) return RandomNumbers(*m, parent);
  static const CORVELDoc empty_sheet(101);
  if (auto* m = dynamic_cast<SortDialog*>(&model)) return Sort(*m, parent, doc != nullptr ? *doc : empty_sheet);
  if (auto* m = dynamic_cast<DataSelectionDialog*>(&model))
    return DataSelection(*m, parent, doc != nullptr ? *doc : empty_sheet);
  if (auto* m = dynamic_cast<LabelNameDialog*>(&model)) return LabelName(*m, parent);
  if (auto* m = dynamic_cast<RColumnPickerDialog*>(&model))
    return RColumnPicker(*m, parent, doc != nullptr ? *doc : empty_sheet);
  return nullptr;
}

}  // namespace orvel::gui
