#include "gui/data_settings_dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/data_settings_lists.h"

namespace orvel::gui {

namespace {
void AddButtons(QDialog* dialog, QLayout* layout) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  layout->addWidget(buttons);
}

QListWidgetItem* ColumnItem(const CORVELDoc& doc, int c) {
  auto* item = new QListWidgetItem(ColumnEntry(doc, c));
  item->setData(Qt::UserRole, c);
  return item;
}
QString Q(const std::string& text) { return QString::fromStdString(text); }

// "Data List": columns 1..100 in the given entry format, several can be chosen at once.
QListWidget* DataList(QWidget* parent, const CORVELDoc& doc, std::string (*entry)(const CORVELDoc&, int)) {
  auto* data = new QListWidget(parent);
  data->setObjectName("data_list");
  data->setSelectionMode(QAbstractItemView::ExtendedSelection);
  for (int c = 1; c <= kLastColumn; ++c) {
    auto* item = new QListWidgetItem(Q(entry(doc, c)));
    item->setData(Qt::UserRole, c);
    data->addItem(item);
  }
  return data;
}

// The "Data List" group box with its list, added to `into`; returns the list widget.
QListWidget* AddDataListBox(QWidget* dialog, QBoxLayout* into, const CORVELDoc& doc,
                            std::string (*entry)(const CORVELDoc&, int)) {
  auto* data_box = new QGroupBox("Data List", dialog);
  QListWidget* data = DataList(data_box, doc, entry);
  (new QVBoxLayout(data_box))->addWidget(data);
  into->addWidget(data_box);
  return data;
}

QPushButton* Button(QWidget* parent, const char* text, const char* name) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  return button;
}

// A titled list with its "->" and "<-" buttons on the left; returns the list widget.
QListWidget* ListWithButtons(QWidget* parent, QBoxLayout* into, const char* title, const char* list_name,
                             QPushButton* add, QPushButton* remove) {
  auto* row = new QHBoxLayout;
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(add);
  buttons->addWidget(remove);
  buttons->addStretch();
  row->addLayout(buttons);
  auto* box = new QGroupBox(title, parent);
  auto* list = new QListWidget(box);
  list->setObjectName(list_name);
  (new QVBoxLayout(box))->addWidget(list);
  row->addWidget(box);
  into->addLayout(row);
  return list;
}

QLineEdit* Threshold(QWidget* parent, const char* name, double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", value);
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  return edit;
}

// A typed threshold; text that is no number counts as out of range, so the view's
// correction puts the default in its place.
double ThresholdValue(const QLineEdit* edit) {
  bool ok = false;
  const double v = edit->text().trimmed().toDouble(&ok);
  return ok ? v : -1.0;
}

}  // namespace

LimitedColumnList::LimitedColumnList(CORVELView& view, QListWidget* widget, std::size_t limit,
                                     const char* full_message, bool added_order, EntryText entry,
                                     std::size_t rows_shown)
    : view_(view), widget_(widget), limit_(limit), full_message_(full_message), added_order_(added_order),
      entry_(std::move(entry)), rows_shown_(rows_shown) {}

void LimitedColumnList::Set(std::vector<int> columns) {
  columns_ = std::move(columns);
  Show();
}

void LimitedColumnList::AddChosen(const QListWidget& data_list) {
  bool changed = false;
  for (int row = 0; row < data_list.count(); ++row) {
    const QListWidgetItem* item = data_list.item(row);
    if (!item->isSelected()) continue;
    const ListAddOutcome outcome =
        AddColumnToList(columns_, item->data(Qt::UserRole).toInt(), limit_,
                        added_order_ ? ListOrder::kAddedOrder : ListOrder::kColumnOrder);
    if (outcome == ListAddOutcome::kFull) {
      if (changed) Show();
      view_.Port().ShowMessage(kAppTitle, full_message_);
      return;
    }
    changed = changed || outcome == ListAddOutcome::kAdded;
  }
  if (changed) Show();
}

void LimitedColumnList::RemoveChosen() {
  const int row = widget_->currentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= columns_.size()) return;
  columns_.erase(columns_.begin() + row);
  Show();
  widget_->setCurrentRow(std::min(row, widget_->count() - 1));
}

void LimitedColumnList::Show() {
  widget_->clear();
  const std::size_t rows = std::max(rows_shown_, columns_.size());
  for (std::size_t i = 0; i < rows; ++i) {
    const int c = i < columns_.size() ? columns_[i] : 0;
    auto* item = new QListWidgetItem(entry_(i, c));
    item->setData(Qt::UserRole, c);
    widget_->addItem(item);
  }
}

QString ColumnEntry(const CORVELDoc& doc, int column) {
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "Col%3d : ", column);
  return QString::fromUtf8(prefix) + QString::fromStdString(std::string(doc.Text(column, 0)));
}

TwoGroupsDialog::TwoGroupsDialog(CORVELView& view, QWidget* parent) : QDialog(parent), view_(view) {
  setWindowTitle("Data Setting for Oneway Two Groups");
  const CORVELDoc& doc = view.Doc();
  auto* form = new QFormLayout(this);
  x_ = new QComboBox(this);
  y_ = new QComboBox(this);
  x_->setObjectName("x");
  y_->setObjectName("y");
  for (int c = 1; c <= kLastColumn; ++c) {
    x_->addItem(ColumnEntry(doc, c), c);
    y_->addItem(ColumnEntry(doc, c), c);
  }
  x_->setCurrentIndex(doc.TwoGroupX() - 1);
  y_->setCurrentIndex(doc.TwoGroupY() - 1);
  form->addRow("X", x_);
  form->addRow("Y", y_);
  AddButtons(this, form);
}

void TwoGroupsDialog::accept() {
  view_.ApplyTwoGroupSettings(x_->currentData().toInt(), y_->currentData().toInt());
  QDialog::accept();
}

GroupColumnsDialog::GroupColumnsDialog(CORVELView& view, QWidget* parent) : QDialog(parent), view_(view) {
  setWindowTitle("Data Setting for Oneway Three Groups or More");
  const CORVELDoc& doc = view.Doc();
  auto* layout = new QVBoxLayout(this);
  auto* lists = new QHBoxLayout;
  layout->addLayout(lists);
  auto* data_box = new QGroupBox("Data List", this);
  auto* data = new QListWidget(data_box);
  data->setObjectName("data_list");
  data->setSelectionMode(QAbstractItemView::ExtendedSelection);
  (new QVBoxLayout(data_box))->addWidget(data);
  for (int c = 1; c <= kLastColumn; ++c) data->addItem(ColumnItem(doc, c));
  auto* move = new QVBoxLayout;
  auto* add = new QPushButton("->", this);
  auto* remove = new QPushButton("<-", this);
  add->setObjectName("add");
  remove->setObjectName("remove");
  move->addWidget(add);
  move->addWidget(remove);
  auto* selected_box = new QGroupBox("Selected Columns", this);
  selected_ = new QListWidget(selected_box);
  selected_->setObjectName("selected_list");
  (new QVBoxLayout(selected_box))->addWidget(selected_);
  for (int c : doc.GroupColumnList()) selected_->addItem(ColumnItem(doc, c));
  lists->addWidget(data_box);
  lists->addLayout(move);
  lists->addWidget(selected_box);

  QListWidget* selected = selected_;
  connect(add, &QPushButton::clicked, this, [data, selected, &doc] {
    for (QListWidgetItem* chosen : data->selectedItems()) {
      const int c = chosen->data(Qt::UserRole).toInt();
      int at = 0;
      bool present = false;
      for (; at < selected->count(); ++at) {
        const int there = selected->item(at)->data(Qt::UserRole).toInt();
        present = there == c;
        if (there >= c) break;
      }
      if (!present) selected->insertItem(at, ColumnItem(doc, c));
    }
  });
  connect(remove, &QPushButton::clicked, this, [selected] { delete selected->currentItem(); });
  AddButtons(this, layout);
}

void GroupColumnsDialog::accept() {
  std::vector<int> columns;
  for (int i = 0; i < selected_->count(); ++i) columns.push_back(selected_->item(i)->data(Qt::UserRole).toInt());
  view_.ApplyGroupColumnSettings(columns);
  QDialog::accept();
}

ObjectDataDialog::ObjectDataDialog(CORVELView& view, QWidget* parent) : QDialog(parent), view_(view) {
  setWindowTitle("Option for Object Data");
  auto* layout = new QVBoxLayout(this);
  auto* box = new QGroupBox("Object Data", this);
  auto* box_layout = new QVBoxLayout(box);
  included_ = new QRadioButton("Included in Result", box);
  auto* not_included = new QRadioButton("Not Included in Result", box);
  included_->setObjectName("included");
  not_included->setObjectName("not_included");
  box_layout->addWidget(included_);
  box_layout->addWidget(not_included);
  (view.Doc().IncludeDataInResult() ? included_ : not_included)->setChecked(true);
  layout->addWidget(box);
  AddButtons(this, layout);
}

void ObjectDataDialog::accept() {
  view_.ApplyObjectDataOption(included_->isChecked());
  QDialog::accept();
}

// ---- Multiple regression ---------------------------------------------------------------------

MultipleRegressionDialog::MultipleRegressionDialog(CORVELView& view, QWidget* parent)
    : QDialog(parent), view_(view) {
  setWindowTitle("Data Setting for Multiple Regression Data");
  const CORVELDoc& doc = view.Doc();
  const DataSettings& settings = doc.Settings();
  auto* layout = new QVBoxLayout(this);
  auto* lists = new QHBoxLayout;
  layout->addLayout(lists);
  QListWidget* data = AddDataListBox(this, lists, doc, ColumnEntry2);

  auto* sides = new QVBoxLayout;
  lists->addLayout(sides);
  auto* y_row = new QHBoxLayout;
  auto* y_buttons = new QVBoxLayout;
  QPushButton* set_y = Button(this, "->", "set_y");
  QPushButton* clear_y = Button(this, "<-", "clear_y");
  y_buttons->addWidget(set_y);
  y_buttons->addWidget(clear_y);
  y_row->addLayout(y_buttons);
  auto* y_box = new QGroupBox("Setting for Y", this);
  auto* y_edit = new QLineEdit(y_box);
  y_edit->setObjectName("y");
  y_edit->setReadOnly(true);
  (new QVBoxLayout(y_box))->addWidget(y_edit);
  y_row->addWidget(y_box);
  sides->addLayout(y_row);
  y_column_ = settings.RegressionY;
  if (y_column_ >= 1 && y_column_ <= kLastColumn) y_edit->setText(Q(ColumnEntry2(doc, y_column_)));
  connect(set_y, &QPushButton::clicked, this, [this, data, y_edit, &doc] {
    const QListWidgetItem* item = data->currentItem();
    if (item == nullptr) return;
    y_column_ = item->data(Qt::UserRole).toInt();
    y_edit->setText(Q(ColumnEntry2(doc, y_column_)));
  });
  connect(clear_y, &QPushButton::clicked, this, [this, y_edit] {
    y_column_ = 0;
    y_edit->clear();
  });

  QPushButton* add_x = Button(this, "->", "add_x");
  QPushButton* remove_x = Button(this, "<-", "remove_x");
  QListWidget* x_list = ListWithButtons(this, sides, "Setting for X (Max 15)", "x_list", add_x, remove_x);
  x_ = std::make_unique<LimitedColumnList>(view, x_list, kRegressionXLimit, kFifteenListFullMessage, false,
                                           [&doc](std::size_t, int c) { return Q(ColumnEntry2(doc, c)); });
  std::vector<int> x_columns;
  for (int c = 1; c <= kLastColumn; ++c)
    if (doc.RegressionXColumn(c)) x_columns.push_back(c);
  x_->Set(std::move(x_columns));
  connect(add_x, &QPushButton::clicked, this, [this, data] { x_->AddChosen(*data); });
  connect(remove_x, &QPushButton::clicked, this, [this] { x_->RemoveChosen(); });

  auto* method_box = new QGroupBox("Variable Selection", this);
  auto* method_layout = new QVBoxLayout(method_box);
  method_ = new QButtonGroup(method_box);
  const char* methods[] = {"Forward Method", "Backward Method", "None"};
  for (int i = 0; i < 3; ++i) {
    auto* button = new QRadioButton(methods[i], method_box);
    button->setObjectName(QString("method%1").arg(i));
    method_->addButton(button, i);
    method_layout->addWidget(button);
  }
  const int method = settings.RegressionMethod >= 0 && settings.RegressionMethod <= 2 ? settings.RegressionMethod : 2;
  method_->button(method)->setChecked(true);
  layout->addWidget(method_box);

  auto* form = new QFormLayout;
  f_in_ = Threshold(this, "f_in", settings.FIn);
  f_out_ = Threshold(this, "f_out", settings.FOut);
  p_in_ = Threshold(this, "p_in", settings.PIn);
  p_out_ = Threshold(this, "p_out", settings.POut);
  form->addRow("F-in (1.00-4.00)", f_in_);
  form->addRow("F-out (1.00-4.00)", f_out_);
  form->addRow("p-in (0-1)", p_in_);
  form->addRow("p-out (0-1)", p_out_);
  layout->addLayout(form);
  AddButtons(this, layout);
}

MultipleRegressionDialog::~MultipleRegressionDialog() = default;

void MultipleRegressionDialog::accept() {
  view_.ApplyMultipleRegressionSettings(y_column_, x_->Columns(), method_->checkedId(), ThresholdValue(f_in_),
                                        ThresholdValue(f_out_), ThresholdValue(p_in_), ThresholdValue(p_out_));
  QDialog::accept();
}

// ---- Principal component analysis --------------------------------------------------------------

PcaDialog::PcaDialog(CORVELView& view, QWidget* parent) : QDialog(parent), view_(view) {
  setWindowTitle("Data Setting for Principal Component Analysis Data");
  const CORVELDoc& doc = view.Doc();
  auto* layout = new QVBoxLayout(this);
  auto* lists = new QHBoxLayout;
  layout->addLayout(lists);
  QListWidget* data = AddDataListBox(this, lists, doc, PcaColumnEntry);
  QPushButton* add = Button(this, "->", "add");
  QPushButton* remove = Button(this, "<-", "remove");
  QListWidget* list = ListWithButtons(this, lists, "Selected Columns (Max 20)", "selected_list", add, remove);
  selected_ = std::make_unique<LimitedColumnList>(view, list, kPcaLimit, kPcaListFullMessage, false,
                                                  [&doc](std::size_t, int c) { return Q(PcaColumnEntry(doc, c)); });
  std::vector<int> columns;
  for (int c = 1; c <= kLastColumn; ++c)
    if (doc.PcaColumn(c)) columns.push_back(c);
  selected_->Set(std::move(columns));
  connect(add, &QPushButton::clicked, this, [this, data] { selected_->AddChosen(*data); });
  connect(remove, &QPushButton::clicked, this, [this] { selected_->RemoveChosen(); });
  AddButtons(this, layout);
}

PcaDialog::~PcaDialog() = default;

void PcaDialog::accept() {
  view_.ApplyPcaSettings(selected_->Columns());
  QDialog::accept();
}

// ---- Discriminant analysis ---------------------------------------------------------------------

DiscriminantDialog::DiscriminantDialog(CORVELView& view, QWidget* parent) : QDialog(parent), view_(view) {
  setWindowTitle("Data Setting for Discriminant Analysis Data");
  const CORVELDoc& doc = view.Doc();
  auto* layout = new QVBoxLayout(this);
  auto* lists = new QHBoxLayout;
  layout->addLayout(lists);
  QListWidget* data = AddDataListBox(this, lists, doc, ColumnEntry2);
  auto* groups = new QVBoxLayout;
  lists->addLayout(groups);
  const auto slot_entry = [&doc](std::size_t i, int c) {
    return Q(DiscriminantSlotEntry(doc, static_cast<int>(i) + 1, c));
  };
  const auto make_group = [&](int group, std::unique_ptr<LimitedColumnList>& list) {
    const std::string n = std::to_string(group);
    QPushButton* add = Button(this, "->", ("add" + n).c_str());
    QPushButton* remove = Button(this, "<-", ("remove" + n).c_str());
    const std::string title = "Setting for Group " + n + " (Max 15)";
    QListWidget* widget = ListWithButtons(this, groups, title.c_str(), ("group" + n).c_str(), add, remove);
    list = std::make_unique<LimitedColumnList>(view, widget, kDiscriminantLimit, kFifteenListFullMessage, true,
                                               slot_entry, kDiscriminantLimit);
    // The slots in order; an empty slot between filled ones closes up, as the analysis needs.
    std::vector<int> columns;
    for (int s = 1; s <= kDiscriminantSlots; ++s) {
      const int c = doc.DiscriminantSlot(group, s);
      if (c >= 1 && c <= kLastColumn && std::find(columns.begin(), columns.end(), c) == columns.end())
        columns.push_back(c);
    }
    list->Set(std::move(columns));
    LimitedColumnList* target = list.get();
    connect(add, &QPushButton::clicked, this, [target, data] { target->AddChosen(*data); });
    connect(remove, &QPushButton::clicked, this, [target] { target->RemoveChosen(); });
  };
  make_group(1, group1_);
  make_group(2, group2_);
  AddButtons(this, layout);
}

DiscriminantDialog::~DiscriminantDialog() = default;

void DiscriminantDialog::accept() {
  view_.ApplyDiscriminantSettings(group1_->Columns(), group2_->Columns());
  QDialog::accept();
}

}  // namespace orvel::gui
