#include "gui/data_settings_dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cstdio>
#include <string>
#include <vector>

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
}  // namespace

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

}  // namespace orvel::gui
