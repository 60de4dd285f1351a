#include "gui/model_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "app/data_settings_lists.h"
#include "app/orvel_view.h"

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

QString Q(const std::string& text) { return QString::fromStdString(text); }

QPushButton* Button(QWidget* parent, const char* text, const std::string& name) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(Q(name));
  return button;
}

int ColumnOf(const QListWidgetItem* item) { return item->data(Qt::UserRole).toInt(); }

// A list of columns shown in a list widget: "->" adds the columns chosen in the data list (once
// each; a full list refuses with its message), "<-" removes the chosen entry.
class ColumnListEditor {
 public:
  ColumnListEditor(QWidget* dialog, QListWidget* widget, const ColumnListPicker& shape, const CORVELDoc& doc,
                   std::vector<int> columns)
      : dialog_(dialog), widget_(widget), shape_(shape), doc_(doc), columns_(std::move(columns)) {
    Show();
  }

  // Adds the data list's selected columns (in list order); stops at the first refusal.
  void AddChosen(const QListWidget& data_list) {
    bool changed = false;
    for (int row = 0; row < data_list.count(); ++row) {
      const QListWidgetItem* item = data_list.item(row);
      if (!item->isSelected()) continue;
      const std::size_t limit = shape_.limit > 0 ? shape_.limit : static_cast<std::size_t>(kColumnCount);
      const ListAddOutcome outcome = AddColumnToList(columns_, ColumnOf(item), limit,
                                                     shape_.added_order ? ListOrder::kAddedOrder : ListOrder::kColumnOrder);
      if (outcome == ListAddOutcome::kFull) {
        if (changed) Show();
        ModelDialog::Refuse(dialog_, shape_.full_message);
        return;
      }
      changed = changed || outcome == ListAddOutcome::kAdded;
    }
    if (changed) Show();
  }

  void RemoveChosen() {
    const int row = widget_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= columns_.size()) return;
    columns_.erase(columns_.begin() + row);
    Show();
    widget_->setCurrentRow(std::min(row, widget_->count() - 1));
  }

  std::string Text() const {
    std::string text;
    for (int c : columns_) {
      if (!text.empty()) text += ',';
      text += std::to_string(c);
    }
    return text;
  }

  QListWidget* Widget() const { return widget_; }

 private:
  void Show() {
    widget_->clear();
    const std::size_t rows = std::max(shape_.rows_shown, columns_.size());
    for (std::size_t i = 0; i < rows; ++i) {
      const int c = i < columns_.size() ? columns_[i] : 0;
      auto* item = new QListWidgetItem(Q(ColumnListEntry(doc_, shape_.format, c, i)));
      item->setData(Qt::UserRole, c);
      widget_->addItem(item);
    }
  }

  QWidget* dialog_;
  QListWidget* widget_;
  ColumnListPicker shape_;
  const CORVELDoc& doc_;
  std::vector<int> columns_;
};

// Renders one schema into a ModelDialog: the prompt, the pages, the "Data List" with the column
// pickers and lists beside it, then the other fields in order, then OK and Cancel.
class DialogBuilder {
 public:
  DialogBuilder(ModelDialog& dialog, const DialogSchema& schema, const CORVELDoc& doc)
      : dialog_(dialog), schema_(schema), doc_(doc) {}

  void Build() {
    auto* top = new QVBoxLayout(&dialog_);
    if (!schema_.prompt.empty()) top->addWidget(new QLabel(Q(schema_.prompt), &dialog_));
    if (schema_.pages.size() > 1) {
      auto* tabs = new QTabWidget(&dialog_);
      tabs->setObjectName("pages");
      for (const std::string& title : schema_.pages) {
        auto* page = new QWidget(tabs);
        pages_.push_back({page, new QVBoxLayout(page)});
        tabs->addTab(page, Q(title));
      }
      top->addWidget(tabs);
    } else {
      pages_.push_back({&dialog_, top});
    }
    if (schema_.data_list) AddDataList();
    for (const DialogField& field : schema_.fields) AddField(field);
    for (Page& page : pages_) page.layout->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog_);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog_, &ModelDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog_, &ModelDialog::reject);
    top->addWidget(buttons);
  }

 private:
  struct Page {
    QWidget* widget;
    QVBoxLayout* layout;
    QFormLayout* form = nullptr;       // the form the next typed field joins
    QGroupBox* check_group = nullptr;  // the box the next check box of the same title joins
  };

  Page& PageOf(const DialogField& field) {
    const auto i = static_cast<std::size_t>(field.page);
    return pages_[i < pages_.size() ? i : 0];
  }

  QFormLayout* Form(Page& page) {
    if (page.form == nullptr) {
      page.form = new QFormLayout;
      page.layout->addLayout(page.form);
    }
    return page.form;
  }

  // A widget that is not a form row ends the form: the fields keep their order on screen.
  void AddBlock(Page& page, QWidget* widget) {
    page.form = nullptr;
    page.check_group = nullptr;
    page.layout->addWidget(widget);
  }

  void AddDataList() {
    Page& page = pages_.front();
    auto* row = new QHBoxLayout;
    page.layout->addLayout(row);
    auto* box = new QGroupBox("Data List", page.widget);
    data_list_ = new QListWidget(box);
    data_list_->setObjectName("data_list");
    data_list_->setSelectionMode(schema_.data_list->several ? QAbstractItemView::ExtendedSelection
                                                            : QAbstractItemView::SingleSelection);
    for (int c = schema_.data_list->first_column; c <= kLastColumn; ++c) {
      auto* item = new QListWidgetItem(Q(ColumnListEntry(doc_, schema_.data_list->format, c)));
      item->setData(Qt::UserRole, c);
      data_list_->addItem(item);
    }
    (new QVBoxLayout(box))->addWidget(data_list_);
    row->addWidget(box);
    side_ = new QVBoxLayout;
    row->addLayout(side_);
  }

  // A row beside the data list: the "->" / "<-" buttons, then a titled box holding `widget`.
  void AddSideRow(QPushButton* set, QPushButton* clear, const std::string& title, QWidget* widget) {
    QVBoxLayout* into = side_ != nullptr ? side_ : pages_.front().layout;
    auto* row = new QHBoxLayout;
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(set);
    if (clear != nullptr) buttons->addWidget(clear);
    buttons->addStretch();
    row->addLayout(buttons);
    auto* box = new QGroupBox(Q(title), &dialog_);
    widget->setParent(box);
    (new QVBoxLayout(box))->addWidget(widget);
    row->addWidget(box);
    into->addLayout(row);
  }

  QLineEdit* Edit(const DialogField& field, QWidget* parent) {
    auto* edit = new QLineEdit(Q(field.ValueText()), parent);
    edit->setObjectName(Q(field.key));
    return edit;
  }

  void AddField(const DialogField& field) {
    Page& page = PageOf(field);
    const std::string refusal = field.refusal.empty() ? "The value is not valid." : field.refusal;
    switch (field.kind) {
      case FieldKind::kShown:
      case FieldKind::kText:
      case FieldKind::kInteger:
      case FieldKind::kReal: {
        QLineEdit* edit = Edit(field, page.widget);
        if (field.kind == FieldKind::kShown) edit->setReadOnly(true);
        // A limited text stops taking characters at its limit, as the desktop field does.
        if (field.max_characters > 0) edit->setMaxLength(static_cast<int>(field.max_characters));
        if (field.label.empty()) AddBlock(page, edit);
        else Form(page)->addRow(Q(field.label), edit);
        if (field.kind != FieldKind::kShown) {
          const bool as_typed = field.keep_blanks;
          dialog_.AddField(field.key, [edit, as_typed] {
            return (as_typed ? edit->text() : edit->text().trimmed()).toStdString();
          }, refusal);
        }
        return;
      }
      case FieldKind::kChoice: {
        if (field.as_list) return AddChoiceList(page, field, refusal);
        auto* box = new QGroupBox(Q(field.label), page.widget);
        auto* layout = new QVBoxLayout(box);
        auto* group = new QButtonGroup(box);
        group->setObjectName(Q(field.key));
        const int checked = field.IntValue();
        for (std::size_t i = 0; i < field.choices.size(); ++i) {
          auto* button = new QRadioButton(Q(field.choices[i]), box);
          button->setObjectName(Q(i < field.button_names.size() ? field.button_names[i] : field.key + std::to_string(i)));
          group->addButton(button, static_cast<int>(i));
          layout->addWidget(button);
          if (static_cast<int>(i) == checked) button->setChecked(true);
        }
        AddBlock(page, box);
        const std::vector<std::string> words = field.words;
        dialog_.AddField(field.key, [group, words] {
          const int id = group->checkedId();
          if (id >= 0 && static_cast<std::size_t>(id) < words.size()) return words[static_cast<std::size_t>(id)];
          return std::to_string(id);
        }, refusal);
        return;
      }
      case FieldKind::kCheckBox: {
        if (page.check_group == nullptr || page.check_group->title() != Q(field.label)) {
          auto* box = new QGroupBox(Q(field.label), page.widget);
          new QVBoxLayout(box);
          AddBlock(page, box);
          page.check_group = box;
        }
        auto* check = new QCheckBox(Q(field.text), page.check_group);
        check->setObjectName(Q(field.key));
        check->setChecked(field.ValueText() == "1");
        page.check_group->layout()->addWidget(check);
        dialog_.AddField(field.key, [check] { return std::string(check->isChecked() ? "1" : "0"); }, refusal);
        return;
      }
      case FieldKind::kColumn: return AddColumn(page, field, refusal);
      case FieldKind::kColumnList: {
        auto* widget = new QListWidget(&dialog_);
        widget->setObjectName(Q(field.list->list_name.empty() ? field.key : field.list->list_name));
        auto editor = std::make_shared<ColumnListEditor>(&dialog_, widget, *field.list, doc_, field.Columns());
        lists_[field.key] = editor;
        QPushButton* add = Button(&dialog_, field.list->add_text.c_str(), field.list->add_button.empty() ? "add_" + field.key : field.list->add_button);
        QPushButton* remove =
            Button(&dialog_, field.list->remove_text.c_str(), field.list->remove_button.empty() ? "remove_" + field.key : field.list->remove_button);
        AddSideRow(add, remove, field.label, widget);
        QListWidget* data = data_list_;
        QObject::connect(add, &QPushButton::clicked, &dialog_, [editor, data] {
          if (data != nullptr) editor->AddChosen(*data);
        });
        QObject::connect(remove, &QPushButton::clicked, &dialog_, [editor] { editor->RemoveChosen(); });
        dialog_.AddField(field.key, [editor] { return editor->Text(); }, refusal);
        return;
      }
    }
  }

  // A choice among many entries (the group columns of Dunnett's control): a titled list.
  void AddChoiceList(Page& page, const DialogField& field, const std::string& refusal) {
    auto* box = new QGroupBox(Q(field.label), page.widget);
    auto* list = new QListWidget(box);
    list->setObjectName(Q(field.key));
    for (const std::string& choice : field.choices) list->addItem(Q(choice));
    list->setCurrentRow(field.IntValue());
    (new QVBoxLayout(box))->addWidget(list);
    AddBlock(page, box);
    const std::vector<std::string> words = field.words;
    dialog_.AddField(field.key, [list, words] {
      const int row = list->currentRow();
      if (row >= 0 && static_cast<std::size_t>(row) < words.size()) return words[static_cast<std::size_t>(row)];
      return std::to_string(row);
    }, refusal);
  }

  void AddColumn(Page& page, const DialogField& field, const std::string& refusal) {
    const ColumnPicker& shape = *field.column;
    const int preset = field.IntValue();
    switch (shape.picker) {
      case ColumnPicker::Picker::kDropDown: {
        auto* combo = new QComboBox(page.widget);
        combo->setObjectName(Q(field.key));
        for (int c = std::max(shape.first_column, 1); c <= kLastColumn; ++c)
          combo->addItem(Q(ColumnListEntry(doc_, shape.format, c)), c);
        if (shape.first_column == 0) combo->insertItem(0, "None", 0);
        combo->setCurrentIndex(std::max(0, combo->findData(preset)));
        Form(page)->addRow(Q(field.label), combo);
        dialog_.AddField(field.key, [combo] { return std::to_string(combo->currentData().toInt()); }, refusal);
        return;
      }
      case ColumnPicker::Picker::kList: {
        auto* list = new QListWidget(page.widget);
        list->setObjectName(Q(field.key));
        for (int c = shape.first_column; c <= kLastColumn; ++c) {
          auto* item = new QListWidgetItem(c == 0 ? QString("None") : Q(ColumnListEntry(doc_, shape.format, c)));
          item->setData(Qt::UserRole, c);
          list->addItem(item);
        }
        for (int row = 0; row < list->count(); ++row)
          if (ColumnOf(list->item(row)) == preset) list->setCurrentRow(row);
        if (list->currentRow() < 0) list->setCurrentRow(0);
        if (field.label.empty()) AddBlock(page, list);
        else Form(page)->addRow(Q(field.label), list);
        if (shape.accept_on_double_click)
          QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog_, &ModelDialog::accept);
        dialog_.AddField(field.key, [list] {
          const QListWidgetItem* item = list->currentItem();
          return item == nullptr ? std::string("-1") : std::to_string(ColumnOf(item));
        }, refusal);
        return;
      }
      case ColumnPicker::Picker::kFromDataList:
      case ColumnPicker::Picker::kFromField: {
        auto* edit = new QLineEdit(&dialog_);
        edit->setObjectName(Q(field.key));
        edit->setReadOnly(true);
        auto column = std::make_shared<int>(preset);
        // The builder is gone when the buttons are pressed: the lambdas hold only what outlives it.
        const auto show = [&doc = doc_, edit, format = shape.format](int c) {
          edit->setText(c >= 1 && c <= kLastColumn ? Q(ColumnListEntry(doc, format, c)) : QString());
        };
        show(preset);
        QPushButton* set = Button(&dialog_, shape.set_text.c_str(), shape.set_button.empty() ? "set_" + field.key : shape.set_button);
        QPushButton* clear = shape.clear_button.empty() ? nullptr : Button(&dialog_, shape.clear_text.c_str(), shape.clear_button);
        AddSideRow(set, clear, shape.box_title, edit);
        QListWidget* source = data_list_;
        if (shape.picker == ColumnPicker::Picker::kFromField) {
          const auto it = lists_.find(shape.source_key);
          source = it != lists_.end() ? it->second->Widget() : nullptr;
        }
        ModelDialog* d = &dialog_;
        QObject::connect(set, &QPushButton::clicked, d, [d, source, column, show, shape] {
          const QListWidgetItem* chosen = source != nullptr ? source->currentItem() : nullptr;
          if (chosen == nullptr) return;
          const int c = ColumnOf(chosen);
          if (shape.refused_column && c == *shape.refused_column) return ModelDialog::Refuse(d, shape.refused_message);
          *column = c;
          show(c);
        });
        if (clear != nullptr)
          QObject::connect(clear, &QPushButton::clicked, d, [column, show] {
            *column = 0;
            show(0);
          });
        dialog_.AddField(field.key, [column] { return std::to_string(*column); }, refusal);
        return;
      }
    }
  }

  ModelDialog& dialog_;
  const DialogSchema& schema_;
  const CORVELDoc& doc_;
  std::vector<Page> pages_;
  QListWidget* data_list_ = nullptr;
  QVBoxLayout* side_ = nullptr;
  std::map<std::string, std::shared_ptr<ColumnListEditor>> lists_;
};

}  // namespace

ModelDialog::ModelDialog(QWidget* parent, DialogModel& model)
    : QDialog(parent), model_(model), presets_(model.Schema().SaveValues()) {
  setModal(true);
  setWindowTitle(Q(model.Title()));
}

void ModelDialog::SetRefusalHandler(RefusalHandler handler) {
  Refusals() = handler ? std::move(handler) : RefusalHandler(ShowRefusal);
}

void ModelDialog::Refuse(QWidget* dialog, const std::string& reason) { Refusals()(dialog, reason); }

void ModelDialog::AddField(std::string key, std::function<std::string()> read, std::string refusal) {
  fields_.push_back({std::move(key), std::move(read), std::move(refusal)});
}

void ModelDialog::accept() {
  last_refusal_.clear();
  for (const Field& field : fields_) {
    if (!model_.SetField(field.key, field.read())) {
      last_refusal_ = field.refusal;
      break;
    }
  }
  if (last_refusal_.empty()) last_refusal_ = model_.Accept();
  if (!last_refusal_.empty()) {
    Refuse(this, last_refusal_);
    return;  // stays open
  }
  QDialog::accept();
}

void ModelDialog::reject() {
  model_.Schema().RestoreValues(presets_);
  QDialog::reject();
}

std::unique_ptr<ModelDialog> CreateModelDialog(DialogModel& model, QWidget* parent, const CORVELDoc* doc) {
  static const CORVELDoc empty_sheet(101);
  auto dialog = std::make_unique<ModelDialog>(parent, model);
  const DialogSchema schema = model.Schema();
  DialogBuilder(*dialog, schema, doc != nullptr ? *doc : empty_sheet).Build();
  return dialog;
}

}  // namespace orvel::gui
