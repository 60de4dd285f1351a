// The R Language menu in the window: every command from its menu entry through its column
// picker to the clipboard, and the pickers' buttons.
#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QtTest>
#include <memory>

#include "app/orvel_view.h"
#include "app/rcode_dialogs.h"
#include "gui/main_frame.h"
#include "gui/model_dialogs.h"
#include "gui_tests.h"
#include "rcode/rcode_generator.h"

namespace orvel::gui::testing {

namespace {
// Clicks a picker's button after choosing row `row` of its "Data List".
void Press(QWidget* dialog, const char* button, int row) {
  dialog->findChild<QListWidget*>("data_list")->setCurrentRow(row);
  dialog->findChild<QPushButton*>(button)->click();
}

// Answers every picker by choosing columns 1-3 (the upper box column 4), and OKs every
// message box, noting its text.
class PickerAnswerer {
 public:
  PickerAnswerer() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr) return;
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        messages << box->windowTitle() + ": " + box->text();
        box->button(QMessageBox::Ok)->click();
        return;
      }
      auto* dialog = qobject_cast<QDialog*>(modal);
      if (dialog == nullptr) return;
      dialogs << dialog->windowTitle();
      if (dialog->findChild<QPushButton*>("set_dependent") != nullptr) Press(dialog, "set_dependent", 3);
      if (dialog->findChild<QPushButton*>("set_column") != nullptr) Press(dialog, "set_column", 1);
      if (dialog->findChild<QPushButton*>("add") != nullptr)
        for (int row : {2, 0, 1, 0}) Press(dialog, "add", row);  // column 1 twice: listed once
      dialog->accept();
    });
    timer_.start(5);
  }
  QStringList messages, dialogs;

 private:
  QTimer timer_;
};
}  // namespace

class RCodeMenuTest : public QObject {
  Q_OBJECT
 private:
  std::unique_ptr<CMainFrame> frame_;

 private slots:
  void init() {
    QSettings().clear();
    frame_ = std::make_unique<CMainFrame>();
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
  }
  void cleanup() {
    frame_->Doc().SetModified(false);
    frame_.reset();
  }

  void everyCommandPutsItsCodeOnTheClipboardWithCrLf() {
    CORVELDoc& doc = frame_->Doc();
    const char* names[] = {"A", "my B", "C", "Y"};
    for (int c = 1; c <= 4; ++c) {
      doc.SetCell(c, 0, names[c - 1]);
      for (int r = 1; r <= 6; ++r) doc.SetCell(c, r, std::to_string((c * 7 + r * r) % 11 + (c == 4 ? 0 : 1)));
    }
    doc.SetSelection(1, 1, 2, 2);
    QMenu* r_menu = nullptr;
    for (QAction* a : frame_->menuBar()->actions())
      if (a->text() == "&R Language") r_menu = a->menu();
    QVERIFY(r_menu != nullptr);
    int ran = 0;
    for (const RCodeCommandInfo& info : RCodeCommandTable()) {
      QAction* action = nullptr;
      QMenu* menu = r_menu;
      if (info.graph_submenu)
        for (QAction* a : r_menu->actions())
          if (a->text() == "&Graph") menu = a->menu();
      for (QAction* a : menu->actions())
        if (a->text() == info.menu_text) action = a;
      QVERIFY2(action != nullptr, info.menu_text);
      frame_->UpdateCommandStates();
      QVERIFY2(action->isEnabled(), info.menu_text);
      QGuiApplication::clipboard()->clear();
      PickerAnswerer answerer;
      action->trigger();
      QCOMPARE(answerer.messages,
               QStringList{"FreeORVEL: Source code written in R language has been copied to clipboard. Run R and "
                           "select paste in Edit menu."});
      QCOMPARE(answerer.dialogs, info.layout == RPickerLayout::kSelection ? QStringList{}
                                                                         : QStringList{info.dialog_title});
      QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromStdString(RCodeWithCrLf(doc.RCodeText)));
      QVERIFY(QGuiApplication::clipboard()->text().contains("\r\n"));
      ++ran;
    }
    QCOMPARE(ran, 27);
    // The last picker (Box Plot) listed columns 3, 1 and 2, each once.
    QVERIFY(QString::fromStdString(doc.RCodeText).endsWith("\nboxplot(A,`my B`,C)\n"));
  }

  void pickersKeepTheirPresetsOnCancelAndListAColumnOnce() {
    CORVELDoc& doc = frame_->Doc();
    doc.SetCell(3, 0, "height");
    RColumnPickerDialog xy(RCodeCommandInfoOf(RCodeCommand::kCorrelationCoefficients));
    auto dialog = CreateModelDialog(xy, nullptr, &doc);
    QCOMPARE(dialog->windowTitle(), QString("Correlation Coefficients"));
    QCOMPARE(dialog->findChild<QListWidget*>("data_list")->item(2)->text(), QString("Col 3 : height"));
    Press(dialog.get(), "set_y", 2);
    QCOMPARE(dialog->findChild<QLineEdit*>("y")->text(), QString("Col 3 : height"));
    dialog->reject();
    QCOMPARE(xy.y, 2);

    RColumnPickerDialog anova(RCodeCommandInfoOf(RCodeCommand::kAnova));
    dialog = CreateModelDialog(anova, nullptr, &doc);
    QStringList captions;
    for (QGroupBox* box : dialog->findChildren<QGroupBox*>()) captions << box->title();
    QCOMPARE(captions, (QStringList{"Data List", "Numeric Variables", "Factors"}));
    for (int row : {4, 1, 4}) Press(dialog.get(), "add", row);
    auto* factors = dialog->findChild<QListWidget*>("columns");
    factors->setCurrentRow(1);
    dialog->findChild<QPushButton*>("remove")->click();
    Press(dialog.get(), "add", 6);
    dialog->accept();
    QCOMPARE(anova.columns, (std::vector<int>{2, 7}));  // kept in column order
    QCOMPARE(anova.dependent, 1);

    RColumnPickerDialog single(RCodeCommandInfoOf(RCodeCommand::kHistogram));
    dialog = CreateModelDialog(single, nullptr, &doc);
    dialog->accept();  // nothing chosen: the command refuses it
    QCOMPARE(single.column, 0);
  }
};

static Register<RCodeMenuTest> registration;

}  // namespace orvel::gui::testing

#include "rcode_test.moc"
