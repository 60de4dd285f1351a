// The Data Settings dialogs that choose the columns of the two-group and the several-group
// analyses, and the option for the object data. On OK each hands its answer to the view,
// which stores it, marks the document modified and records the statements.
#pragma once

#include <QDialog>
#include <memory>

#include "app/orvel_view.h"

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QButtonGroup;

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

// A list of columns with a limit, shown in a list widget: "->" adds the columns chosen in a
// data list (once each; a full list refuses with its message), "<-" removes the chosen entry.
class LimitedColumnList {
 public:
  using EntryText = std::function<QString(std::size_t index, int column)>;
  LimitedColumnList(CORVELView& view, QListWidget* widget, std::size_t limit, const char* full_message,
                    bool added_order, EntryText entry, std::size_t rows_shown = 0);
  void Set(std::vector<int> columns);
  // Adds the data list's selected columns (in list order); stops at the first refusal.
  void AddChosen(const QListWidget& data_list);
  void RemoveChosen();
  const std::vector<int>& Columns() const { return columns_; }

 private:
  void Show();
  CORVELView& view_;
  QListWidget* widget_;
  std::size_t limit_;
  const char* full_message_;
  bool added_order_;
  EntryText entry_;
  std::size_t rows_shown_;  // at least this many rows (the discriminant slots), else one per column
  std::vector<int> columns_;
};

// "Data Setting for Multiple Regression Data": Y (one column), X (at most 15 columns), the
// variable selection method and the four thresholds.
class MultipleRegressionDialog : public QDialog {
 public:
  MultipleRegressionDialog(CORVELView& view, QWidget* parent);
  ~MultipleRegressionDialog() override;
  void accept() override;

 private:
  CORVELView& view_;
  int y_column_ = 0;
  std::unique_ptr<LimitedColumnList> x_;
  QButtonGroup* method_;
  QLineEdit* f_in_;
  QLineEdit* f_out_;
  QLineEdit* p_in_;
  QLineEdit* p_out_;
};

// "Data Setting for Principal Component Analysis Data": at most 20 columns, listed "Cl%2d : %s".
class PcaDialog : public QDialog {
 public:
  PcaDialog(CORVELView& view, QWidget* parent);
  ~PcaDialog() override;
  void accept() override;

 private:
  CORVELView& view_;
  std::unique_ptr<LimitedColumnList> selected_;
};

// "Data Setting for Discriminant Analysis Data": two groups of at most 15 slots, "x%d:" and
// "x%d:%s"; slot k of one group pairs with slot k of the other.
class DiscriminantDialog : public QDialog {
 public:
  DiscriminantDialog(CORVELView& view, QWidget* parent);
  ~DiscriminantDialog() override;
  void accept() override;

 private:
  CORVELView& view_;
  std::unique_ptr<LimitedColumnList> group1_;
  std::unique_ptr<LimitedColumnList> group2_;
};

// "Col%3d : %s": a column as the data-settings lists name it.
QString ColumnEntry(const CORVELDoc& doc, int column);

}  // namespace orvel::gui
