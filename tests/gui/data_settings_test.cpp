// The Data Settings dialogs of multiple regression, principal component and discriminant data,
// and the twoway-data grid with its two dialogs, in the main window on the offscreen platform.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QtTest>
#include <memory>

#include "app/data_settings_lists.h"
#include "app/twoway_grid.h"
#include "gui/main_frame.h"
#include "gui/model_dialogs.h"
#include "gui_tests.h"

namespace orvel::gui::testing {

namespace {
struct Box {
  QString title, text;
  int shown = 0;
};
// Closes the next message box with OK, noting what it said.
void CloseNextBox(Box& box) {
  WhenModalShows([&box](QWidget* w) {
    auto* message = qobject_cast<QMessageBox*>(w);
    if (message == nullptr) return;
    box.title = message->windowTitle();
    box.text = message->text();
    ++box.shown;
    message->button(QMessageBox::Ok)->click();
  });
}
// Selects exactly the data list's rows of the given columns (column c is row c - 1).
void Choose(QListWidget* data, std::initializer_list<int> columns) {
  data->clearSelection();
  for (int c : columns) data->item(c - 1)->setSelected(true);
}
QStringList Texts(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  return texts;
}
}  // namespace

class DataSettingsTest : public QObject {
  Q_OBJECT
 private:
  std::unique_ptr<CMainFrame> frame_;
  CORVELDoc& Doc() { return frame_->Doc(); }
  CORVELView& View() { return frame_->View(); }
  QAction* Action(const char* text) {
    QAction* a = frame_->FindAction(text);
    if (a == nullptr) qFatal("no menu entry %s", text);
    return a;
  }
  template <class T>
  static T* Child(QWidget& w, const char* name) {
    T* child = w.findChild<T*>(name);
    if (child == nullptr) qFatal("no child %s", name);
    return child;
  }
  // Runs a Data Settings command; `act` gets its dialog (rendered from the model's schema) and
  // closes it.
  void WithDialog(void (CORVELView::*command)(), const std::function<void(QDialog&)>& act) {
    bool shown = false;
    WhenModalShows([&](QWidget* w) {
      shown = true;
      act(*static_cast<QDialog*>(w));
      if (w->isVisible()) static_cast<QDialog*>(w)->reject();
    });
    (View().*command)();
    QVERIFY(shown);
  }

 private slots:
  void init() {
    QSettings().clear();
    frame_ = std::make_unique<CMainFrame>();
    frame_->resize(1024, 768);
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
    View().IsRecording = true;
  }
  void cleanup() {
    Doc().SetModified(false);
    frame_.reset();
  }

  void multipleRegressionTakesFifteenXAndCorrectsTheThresholds() {
    Doc().SetCell(2, 0, "age");
    WithDialog(&CORVELView::OnMultipleRegressionSetting, [](QDialog& dialog) {
      QCOMPARE(dialog.windowTitle(), QString("Data Setting for Multiple Regression Data"));
      auto* data = Child<QListWidget>(dialog, "data_list");
      auto* x = Child<QListWidget>(dialog, "x_list");
      QCOMPARE(data->item(1)->text(), QString("Col 2 : age"));
      QCOMPARE(Child<QLineEdit>(dialog, "y")->text(), QString("Col 1 : "));  // Y preset 1
      QCOMPARE(Child<QLineEdit>(dialog, "f_in")->text(), QString("2.00"));
      QCOMPARE(Child<QLineEdit>(dialog, "p_out")->text(), QString("0.20"));
      QVERIFY(Child<QRadioButton>(dialog, "method2")->isChecked());
      QCOMPARE(Child<QRadioButton>(dialog, "method0")->text(), QString("Forward Method"));
      dialog.show();

      // Y is one column: the last one set.
      data->setCurrentRow(1);
      Child<QPushButton>(dialog, "set_y")->click();
      QCOMPARE(Child<QLineEdit>(dialog, "y")->text(), QString("Col 2 : age"));

      Choose(data, {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17});
      Child<QPushButton>(dialog, "add_x")->click();
      QCOMPARE(x->count(), 15);
      // A 16th column is refused with the message; one already listed is simply not taken again.
      Box box;
      CloseNextBox(box);
      Choose(data, {18});
      Child<QPushButton>(dialog, "add_x")->click();
      QCOMPARE(box.shown, 1);
      QCOMPARE(box.title, QString("ORVEL"));
      QCOMPARE(box.text, QString::fromUtf8(kFifteenListFullMessage));
      QCOMPARE(x->count(), 15);
      Choose(data, {3});
      Child<QPushButton>(dialog, "add_x")->click();
      QCOMPARE(x->count(), 15);
      QCOMPARE(box.shown, 1);
      // "<-" frees a place.
      x->setCurrentRow(0);
      Child<QPushButton>(dialog, "remove_x")->click();
      QCOMPARE(x->item(0)->text(), QString("Col 4 : "));
      Choose(data, {20});
      Child<QPushButton>(dialog, "add_x")->click();
      QCOMPARE(x->item(14)->text(), QString("Col20 : "));

      Child<QRadioButton>(dialog, "method1")->setChecked(true);
      Child<QLineEdit>(dialog, "f_in")->setText("7");       // out of range: 2.0
      Child<QLineEdit>(dialog, "f_out")->setText("3.5");
      Child<QLineEdit>(dialog, "p_in")->setText("x");       // no number: 0.2
      Child<QLineEdit>(dialog, "p_out")->setText("0.05");
      dialog.accept();
    });
    QCOMPARE(Doc().Settings().RegressionY, 2);
    QVERIFY(!Doc().RegressionXColumn(3));
    QVERIFY(Doc().RegressionXColumn(4) && Doc().RegressionXColumn(17) && Doc().RegressionXColumn(20));
    QCOMPARE(Doc().Settings().RegressionMethod, 1);
    QCOMPARE(Doc().Settings().FIn, 2.0);
    QCOMPARE(Doc().Settings().FOut, 3.5);
    QCOMPARE(Doc().Settings().PIn, 0.2);
    QCOMPARE(Doc().Settings().POut, 0.05);
    const std::string& m = View().MacroText;
    QVERIFY(m.rfind("setmultiyvalue (2);\r\nsetmultixvalue (1,false);\r\n", 0) == 0);
    QVERIFY(m.find("setmultixvalue (20,true);\r\n") != std::string::npos);
    QVERIFY(m.find("setmultiradio (1);\r\nsetfin (2.000000);\r\nsetfout (3.500000);\r\nsetpin (0.200000);\r\n"
                   "setpout (0.050000);\r\n") != std::string::npos);

    // Opened again, it shows what was stored.
    WithDialog(&CORVELView::OnMultipleRegressionSetting, [](QDialog& again) {
      QCOMPARE(Child<QListWidget>(again, "x_list")->count(), 15);
      QVERIFY(Child<QRadioButton>(again, "method1")->isChecked());
      QCOMPARE(Child<QLineEdit>(again, "f_out")->text(), QString("3.50"));
      again.reject();
    });
  }

  void principalComponentsTakeTwentyColumns() {
    Doc().SetCell(1, 0, "height");
    WithDialog(&CORVELView::OnPcaSetting, [](QDialog& dialog) {
      QCOMPARE(dialog.windowTitle(), QString("Data Setting for Principal Component Analysis Data"));
      auto* data = Child<QListWidget>(dialog, "data_list");
      auto* selected = Child<QListWidget>(dialog, "selected_list");
      QCOMPARE(data->item(0)->text(), QString("Cl 1 : height"));
      dialog.show();
      for (int c = 21; c >= 2; --c) {  // one at a time, in reverse: the list keeps column order
        Choose(data, {c});
        Child<QPushButton>(dialog, "add")->click();
      }
      QCOMPARE(selected->count(), 20);
      QCOMPARE(selected->item(0)->text(), QString("Cl 2 : "));
      Box box;
      CloseNextBox(box);
      Choose(data, {1});
      Child<QPushButton>(dialog, "add")->click();
      QCOMPARE(box.shown, 1);
      QCOMPARE(box.title, QString("ORVEL"));
      QCOMPARE(box.text, QString::fromUtf8("最大２０個までしか設定できません。"));
      QCOMPARE(selected->count(), 20);
      dialog.accept();
    });
    QVERIFY(!Doc().PcaColumn(1));
    QVERIFY(Doc().PcaColumn(2) && Doc().PcaColumn(21));
    QVERIFY(View().MacroText.rfind("setshuseibun (1,false);\r\nsetshuseibun (2,true);\r\n", 0) == 0);
  }

  void discriminantGroupsFillTheirSlotsInOrder() {
    Doc().SetCell(3, 0, "x3");
    WithDialog(&CORVELView::OnDiscriminantSetting, [](QDialog& dialog) {
      QCOMPARE(dialog.windowTitle(), QString("Data Setting for Discriminant Analysis Data"));
      auto* data = Child<QListWidget>(dialog, "data_list");
      auto* group1 = Child<QListWidget>(dialog, "group1");
      auto* group2 = Child<QListWidget>(dialog, "group2");
      QCOMPARE(group1->count(), 15);
      QCOMPARE(group1->item(0)->text(), QString("x1:"));
      QCOMPARE(group2->item(14)->text(), QString("x15:"));
      dialog.show();
      for (int c : {3, 1, 3}) {
        Choose(data, {c});
        Child<QPushButton>(dialog, "add1")->click();
      }
      QCOMPARE(Texts(group1).mid(0, 3), (QStringList{"x1:Col 3 : x3", "x2:Col 1 : ", "x3:"}));
      Choose(data, {10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25});
      Box box;
      CloseNextBox(box);
      Child<QPushButton>(dialog, "add2")->click();  // 16 chosen: the 16th is refused
      QCOMPARE(box.shown, 1);
      QCOMPARE(box.text, QString::fromUtf8(kFifteenListFullMessage));
      QCOMPARE(group2->item(14)->text(), QString("x15:Col24 : "));
      group2->setCurrentRow(0);
      Child<QPushButton>(dialog, "remove2")->click();  // the slots close up
      QCOMPARE(group2->item(0)->text(), QString("x1:Col11 : "));
      QCOMPARE(group2->item(14)->text(), QString("x15:"));
      dialog.accept();
    });
    QCOMPARE(Doc().DiscriminantSlot(1, 1), 3);
    QCOMPARE(Doc().DiscriminantSlot(1, 2), 1);
    QCOMPARE(Doc().DiscriminantSlot(1, 3), 0);
    QCOMPARE(Doc().DiscriminantSlot(2, 1), 11);
    QCOMPARE(Doc().DiscriminantSlot(2, 14), 24);
    QCOMPARE(Doc().DiscriminantSlot(2, 15), 0);
    QVERIFY(View().MacroText.rfind("sethanbetux (1,3);\r\nsethanbetuy (1,11);\r\nsethanbetux (2,1);\r\n", 0) == 0);
  }

  void cancelChangesNothing() {
    Doc().SetModified(false);
    const auto cancel = [](const char* add) {
      return [add](QDialog& dialog) {
        if (auto* f_in = dialog.findChild<QLineEdit*>("f_in")) f_in->setText("3");
        Choose(Child<QListWidget>(dialog, "data_list"), {5});
        Child<QPushButton>(dialog, add)->click();
        dialog.reject();
      };
    };
    WithDialog(&CORVELView::OnMultipleRegressionSetting, cancel("add_x"));
    WithDialog(&CORVELView::OnPcaSetting, cancel("add"));
    WithDialog(&CORVELView::OnDiscriminantSetting, cancel("add1"));
    WithDialog(&CORVELView::OnGroupColumnsSetting, cancel("add"));
    QVERIFY(!Doc().RegressionXColumn(5));
    QCOMPARE(Doc().Settings().FIn, 2.0);
    QVERIFY(!Doc().PcaColumn(5));
    QCOMPARE(Doc().DiscriminantSlot(1, 1), 0);
    QVERIFY(Doc().GroupColumnList().empty());
    QVERIFY(!Doc().IsModified());
    QVERIFY(View().MacroText.empty());
  }

  void theMenuOpensTheDialogs() {
    for (const char* entry : {"Oneway Two Groups(&X)...", "Oneway  Three Groups or More(&O)...",
                              "Multiple Regression Data(&M)...", "Principal Component Analysis Data(&S)...",
                              "Discriminant Analysis Data(&H)..."}) {
      QVERIFY2(Action(entry)->isEnabled(), entry);
      QString title;
      WhenModalShows([&title](QWidget* w) {
        title = w->windowTitle();
        static_cast<QDialog*>(w)->reject();
      });
      Action(entry)->trigger();
      QVERIFY2(title.startsWith("Data Setting for "), entry);
    }
  }

  void theTwowayGridTakesClicksAndKeys() {
    Doc().SetCell(4, 0, "dose");
    Doc().SetTwowayGridCell(1, 2, 3);
    Action("Twoway Data(&T)...")->trigger();
    QCOMPARE(Doc().DisplayMode, DisplayKind::kTwowayGrid);
    QCOMPARE(View().MacroText, std::string("twofactor();\r\n"));
    QWidget* viewport = frame_->Pane()->viewport();

    // Cell (1, 2): "Data Selection" opens at column 3; choose column 4.
    QString prompt;
    WhenModalShows([&prompt](QWidget* w) {
      QCOMPARE(w->windowTitle(), QString("Data Selection"));
      prompt = w->findChild<QLabel*>()->text();
      auto* list = w->findChild<QListWidget*>("column");
      QCOMPARE(list->count(), 101);
      QCOMPARE(list->item(0)->text(), QString("None"));
      QCOMPARE(list->currentRow(), 3);
      list->setCurrentRow(4);
      QCOMPARE(list->currentItem()->text(), QString("Col 4 : dose"));
      static_cast<QDialog*>(w)->accept();
    });
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(43 + 86 * 2 + 10, 67 + 45 + 10));
    QCOMPARE(prompt, QString("Select a Column."));
    QCOMPARE(Doc().TwowayGridCell(1, 2), 4);

    // A label of A: "Label Name", preset empty.
    WhenModalShows([](QWidget* w) {
      QCOMPARE(w->windowTitle(), QString("Label Name"));
      auto* edit = w->findChild<QLineEdit*>("label");
      QVERIFY(edit->text().isEmpty());
      edit->setText("control");
      static_cast<QDialog*>(w)->accept();
    });
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(50, 67 + 45 * 2 + 5));
    QCOMPARE(Doc().TwowayLabelA(2), std::string("control"));
    QCOMPARE(View().MacroText,
             std::string("twofactor();\r\nsettwofactor (1,2,4);\r\nsettwofactorlabela (2,\"control\");\r\n"));

    // Outside the grid: where to click.
    Box box;
    CloseNextBox(box);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(20, 200));
    QCOMPARE(box.title, QString("FreeORVEL"));
    QCOMPARE(box.text, QString("Click the cell you would like to set data in."));

    // The arrow keys scroll the grid and the bars follow.
    QTest::keyClick(frame_->Pane(), Qt::Key_Right);
    QTest::keyClick(frame_->Pane(), Qt::Key_Down);
    QCOMPARE(Doc().Scroll.graph_x, 86.0);
    QCOMPARE(Doc().Scroll.graph_y, 45.0);
    QCOMPARE(frame_->Pane()->horizontalScrollBar()->value(), 4);  // 86 of 2150
    QCOMPARE(frame_->Pane()->verticalScrollBar()->value(), 10);   // 45 of 450
    frame_->Pane()->verticalScrollBar()->setValue(100);
    QCOMPARE(Doc().Scroll.graph_y, 450.0);

    // The pane shows the grid: a rendered cell holds ink where the column's name is written.
    QTest::keyClick(frame_->Pane(), Qt::Key_Home);
    const QImage image = frame_->Pane()->Render(QSize(640, 480));
    const QRect cell(43 + 86 * 2 + 1, 67 + 45 + 1, 84, 43);
    int inked = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
      for (int x = cell.left(); x <= cell.right(); ++x) inked += image.pixel(x, y) != qRgb(255, 255, 255);
    QVERIFY(inked > 20);
    // In the grid Delete initialises the settings; Copy has nothing to copy.
    frame_->UpdateCommandStates();
    QVERIFY(Action("Delete(&D)")->isEnabled());
    QVERIFY(!Action("Copy(&C)")->isEnabled());
  }

  void theGridDialogsCheckTheirAnswers() {
    std::vector<std::string> refusals;
    ModelDialog::SetRefusalHandler([&refusals](QWidget*, const std::string& r) { refusals.push_back(r); });
    LabelNameDialog label;
    label.label = "old";
    auto dialog = CreateModelDialog(label, nullptr);
    QCOMPARE(dialog->windowTitle(), QString("Label Name"));
    dialog->show();
    dialog->findChild<QLineEdit*>("label")->setText("say \"x\"");
    dialog->accept();
    QVERIFY(dialog->isVisible());  // refused: it stays open
    QCOMPARE(refusals, std::vector<std::string>{LabelNameDialog::kBadLabel});
    dialog->reject();
    QCOMPARE(label.label, std::string("old"));

    DataSelectionDialog select;
    select.column = 100;
    auto d2 = CreateModelDialog(select, nullptr);
    auto* list = d2->findChild<QListWidget*>("column");
    QCOMPARE(list->currentRow(), 100);
    list->setCurrentRow(0);
    d2->reject();
    QCOMPARE(select.column, 100);
    auto d3 = CreateModelDialog(select, nullptr);
    d3->findChild<QListWidget*>("column")->setCurrentRow(0);
    d3->accept();
    QCOMPARE(select.column, 0);
    ModelDialog::SetRefusalHandler(nullptr);
  }
};

static Register<DataSettingsTest> registration;

}  // namespace orvel::gui::testing

#include "data_settings_test.moc"
