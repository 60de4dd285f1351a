// The Data Settings dialogs that choose the columns of the two-group and the several-group
// analyses, and the option for the object data. On OK each hands its answer to the view,
// which stores it, marks the document modified and records the statements.
#pragma once

#include <QDialog>

#include "app/orvel_view.h"

class QComboBox;
class QListWidget;
class QRadioButton;

namespace orvel::gui {

// "Data Setting for Oneway Two Groups": X and Y, one column each, listed "Col%3d : %s".
class TwoGroupsDialog : public QDialog {
 public:
  TwoGroupsDialog(CORVELView& view, QWidget* parent);
  void accept() override;

 private:
  CORVELView& view_;
  QComboBox* x_;
  QComboBox* y_;
};

// "Data Setting for Oneway Three Groups or More": "Data List" -> "Selected Columns".
class GroupColumnsDialog : public QDialog {
 public:
  GroupColumnsDialog(CORVELView& view, QWidget* parent);
  void accept() override;

 private:
  CORVELView& view_;
  QListWidget* selected_;
};

// "Option for Object Data": the data listed in each result or not.
class ObjectDataDialog : public QDialog {
 public:
  ObjectDataDialog(CORVELView& view, QWidget* parent);
  void accept() override;

 private:
  CORVELView& view_;
  QRadioButton* included_;
};

// "Col%3d : %s": a column as the data-settings lists name it.
QString ColumnEntry(const CORVELDoc& doc, int column);

}  // namespace orvel::gui
