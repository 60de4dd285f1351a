// The main window on the offscreen platform: menus, commands through their actions, the
// panes' images, keys, scroll bars, availability and the window's questions.
#include <QFileInfo>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QClipboard>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QMessageBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/command_table.h"
#include "gui/main_frame.h"
#include "gui/model_dialogs.h"
#include "gui_tests.h"
#include "sheet/document_file.h"

namespace orvel::gui::testing {

namespace {
// The text of a message box and its buttons, then presses the given one.
struct SeenBox {
  QString title, text;
  QMessageBox::StandardButtons buttons;
};
void AnswerBox(SeenBox& seen, QMessageBox::StandardButton press) {
  WhenModalShows([&seen, press](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    if (box == nullptr) return;
    seen = {box->windowTitle(), box->text(), box->standardButtons()};
    box->button(press)->click();
  });
}
}  // namespace

class MainFrameTest : public QObject {
  Q_OBJECT
 private:
  std::unique_ptr<CMainFrame> frame_;

  QAction* Action(const char* text) {
    QAction* a = frame_->FindAction(text);
    if (a == nullptr) qFatal("no menu entry %s", text);
    return a;
  }
  void TypeColumn(int c, std::initializer_list<const char*> values) {
    int r = 1;
    for (const char* v : values) frame_->Doc().SetCell(c, r++, v);
  }
  // The entries of a menu as they read, shortcut part included; separators left out.
  QStringList MenuTexts(const char* title) {
    for (QAction* m : frame_->menuBar()->actions()) {
      if (m->text() != title) continue;
      QStringList texts;
      for (QAction* a : m->menu()->actions())
        if (!a->isSeparator() && a->isVisible()) texts << a->text();
      return texts;
    }
    qFatal("no menu %s", title);
  }
  void ActivateWindow() {
    frame_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
  }

 private slots:
  void init() {
    QSettings().clear();
    frame_ = std::make_unique<CMainFrame>();
    frame_->resize(1024, 768);
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
  }
  void cleanup() {
    frame_->Doc().SetModified(false);
    frame_.reset();
  }

  void theWindowStartsOnTheSheetWithItsTitleAndMenus() {
    QCOMPARE(frame_->windowTitle(), QString("FreeORVEL 22.0E-Untitled"));
    QCOMPARE(frame_->Doc().DisplayMode, DisplayKind::kDataSheet);
    QCOMPARE(frame_->Doc().RowCount(), 500);
    QStringList menus;
    for (QAction* a : frame_->menuBar()->actions()) menus << a->text();
    QCOMPARE(menus, (QStringList{"&File", "&Edit", "&Data Settings", "&Statistics", "&Correlation", "&Graph",
                                 "&R Language", "&Macro", "&Window", "&Help"}));
    // The shortcut part of a menu text is a real shortcut.
    QCOMPARE(Action("Run Macro(&M)...")->shortcut(), QKeySequence("Ctrl+M"));
    QCOMPARE(Action("Show Data Sheet Window(&D)")->shortcut(), QKeySequence(Qt::Key_Escape));
    QCOMPARE(Action("Start Macro Record(&R)")->shortcut(), QKeySequence(Qt::Key_F11));
    QCOMPARE(Action("Summary Statistics(&B)")->statusTip(), QString("Data : Selected Column"));
    // Commands still to come are shown but cannot be chosen.
    QVERIFY(Action("Discriminant Analysis(&Z)")->isEnabled());
    QVERIFY(Action("OnewayANOVA(&O)...")->isEnabled());
    QVERIFY(Action("Scatter Plot Matrix(&M)...")->isEnabled());
    for (const CommandRow& row : CommandTable())
      if (row.runner == CommandRunner::kNotBuilt && !row.text.empty())
        QVERIFY2(!Action(std::string(row.text).c_str())->isEnabled(), std::string(row.text).c_str());
    QVERIFY(Action("Kruskal-Wallis Rank Sum Test(&K)...")->isEnabled());
  }

  void summaryStatisticsFromTheMenuShowsItsReport() {
    TypeColumn(1, {"1", "2", "3", "4"});
    frame_->Doc().SetCell(1, 0, "weight");
    frame_->Doc().SetAnchor(2, 1);
    const QImage sheet = frame_->Pane()->Render(QSize(800, 600));
    QVERIFY(InkedPixels(sheet) > 1000);
    Action("Summary Statistics(&B)")->trigger();
    QCOMPARE(frame_->Doc().DisplayMode, DisplayKind::kResult);
    const std::string& result = frame_->Doc().ResultText;
    QVERIFY(result.find("<<< Summary statistics >>>") != std::string::npos);
    QVERIFY(result.find("Col1 : weight") != std::string::npos);
    QVERIFY(result.find("Mean\t\t2.500000") != std::string::npos);
    const QImage pane = frame_->Pane()->Render(QSize(800, 600));
    QVERIFY(InkedPixels(pane) > 500);
    QVERIFY(pane != sheet);
    // The result pane is shown now: Show Data Sheet is available, Show Result is not.
    frame_->UpdateCommandStates();
    QVERIFY(Action("Show Data Sheet Window(&D)")->isEnabled());
    QVERIFY(!Action("Show Result Window(&R)")->isEnabled());

    // A second run asks what to do with the present result: delete it.
    WhenModalShows([](QWidget* w) {
      QCOMPARE(w->windowTitle(), QString("Result Options"));
      w->findChild<QRadioButton*>("choice2")->setChecked(true);
      static_cast<QDialog*>(w)->accept();
    });
    Action("Summary Statistics(&B)")->trigger();
    QCOMPARE(frame_->Doc().ResultText.find("<<< Summary statistics >>>"),
             frame_->Doc().ResultText.rfind("<<< Summary statistics >>>"));

    // Esc goes back to the sheet.
    frame_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
    QTest::keyClick(frame_->Pane(), Qt::Key_Escape);
    QCOMPARE(frame_->Doc().DisplayMode, DisplayKind::kDataSheet);
  }

  void typedDataAndAClickFeedTheAnalysis() {
    QTest::keyClicks(frame_->Pane(), "12");
    QTest::keyClick(frame_->Pane(), Qt::Key_Return);
    QTest::keyClicks(frame_->Pane(), "14");
    QTest::keyClick(frame_->Pane(), Qt::Key_Down);
    QTest::keyClicks(frame_->Pane(), "1x6");  // a data cell takes no letter
    QTest::keyClick(frame_->Pane(), Qt::Key_Backspace);
    QTest::keyClicks(frame_->Pane(), "6");
    QTest::keyClick(frame_->Pane(), Qt::Key_Return);
    CORVELDoc& doc = frame_->Doc();
    QCOMPARE(doc.Text(1, 1), std::string_view("12"));
    QCOMPARE(doc.Text(1, 2), std::string_view("14"));
    QCOMPARE(QString::fromStdString(std::string(doc.Text(1, 3))), QString("16"));
    QCOMPARE(doc.GetSelection().anchor_row, 4);
    // A click on row 2 of column 1 (x 43 + 86 .. 43 + 172, y 60 .. 80) makes it current.
    QTest::mouseClick(frame_->Pane()->viewport(), Qt::LeftButton, {}, QPoint(43 + 86 + 20, 70));
    QCOMPARE(doc.GetSelection().anchor_row, 2);
    QCOMPARE(doc.GetSelection().anchor_column, 1);
    // Fill Down needs a selection reaching below the anchor: Shift+Down makes one.
    frame_->UpdateCommandStates();
    QVERIFY(!Action("Fill Down(&B)")->isEnabled());
    QTest::keyClick(frame_->Pane(), Qt::Key_Down, Qt::ShiftModifier);
    frame_->UpdateCommandStates();
    QVERIFY(Action("Fill Down(&B)")->isEnabled());
    QVERIFY(Action("Sort(&S)...")->isEnabled());
    Action("Summary Statistics(&B)")->trigger();
    QCOMPARE(doc.DisplayMode, DisplayKind::kResult);
    QVERIFY2(doc.ResultText.find("Number\t\t3\n") != std::string::npos, doc.ResultText.c_str());
    frame_->UpdateCommandStates();
    QVERIFY(!Action("Sort(&S)...")->isEnabled());
    QVERIFY(Action("Cut(&T)")->isEnabled());  // the result pane holds text
  }

  // Every row of the command table is an entry of its menu; each command that is built has a
  // handler in the window (its own or the row's), and those still to come stay disabled.
  void everyCommandOfTheTableIsAMenuEntryWithItsHandler() {
    frame_->UpdateCommandStates();
    for (const CommandRow& row : CommandTable()) {
      const QByteArray name(row.text.data(), static_cast<qsizetype>(row.text.size()));
      QAction* action = frame_->ActionFor(row.id);
      QVERIFY2(action != nullptr, name.constData());
      QVERIFY2(action->text().startsWith(QString::fromUtf8(row.text)), name.constData());
      QCOMPARE(action->statusTip(), QString::fromUtf8(row.prompt));
      QVERIFY2(frame_->HasHandler(row.id) == (row.runner != CommandRunner::kNotBuilt), name.constData());
      if (row.runner == CommandRunner::kNotBuilt) QVERIFY2(!action->isEnabled(), name.constData());
      // The entry sits in the menu (or submenu) its row names.
      const std::string_view path = row.menu;
      const std::size_t slash = path.rfind('/');
      const QString title = QString::fromUtf8(path.substr(slash == std::string_view::npos ? 0 : slash + 1));
      bool in_menu = false;
      for (QObject* o : action->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(o); menu != nullptr && menu->title() == title) in_menu = true;
      QVERIFY2(in_menu, name.constData());
    }
  }

  void menusReadAsTheCommandsAreNamedInTheirOrder() {
    QCOMPARE(MenuTexts("&Edit"),
             (QStringList{"&Undo\tCtrl+Z", "Cut(&T)\tCtrl+X", "Copy(&C)\tCtrl+C", "Paste(&P)\tCtrl+V", "Fill Right(&R)",
                          "Fill Left(&L)", "Fill Up(&U)", "Fill Down(&B)", "Delete(&D)\tDelete", "Sort(&S)..."}));
    QCOMPARE(MenuTexts("&Data Settings"),
             (QStringList{"Oneway Two Groups(&X)...", "Oneway  Three Groups or More(&O)...", "Twoway Data(&T)...",
                          "Multiple Regression Data(&M)...", "Principal Component Analysis Data(&S)...",
                          "Discriminant Analysis Data(&H)...", "Option for Object Data(&P)...",
                          "Number of Rows(&N)..."}));
    QCOMPARE(MenuTexts("&Statistics"),
             (QStringList{"Summary Statistics(&B)", "Frequency Distribution(&C)...", "F Test(&F)", "Bartlett's Test(&L)",
                          "Paired t-Test(&P)", "Unpaired t-Test(&U)", "OnewayANOVA(&O)...",
                          "TwowayANOVA without Replication(&T)...", "TwowayANOVA(&A)...", "Fisher's Exact Test(2x2)(&E)",
                          "Pearson's Chi-Squared Test(&X)", "Goodness-of-Fit Test(&I)", "Wilcoxon Signed Rank Test(&W)",
                          "Mann-Whitney U Test(&M)", "Kruskal-Wallis Rank Sum Test(&K)...",
                          "Friedman Rank Sum Test(&D)...", "Thompson's Rejection Test(&H)", "Smirnov-Grubbs' Test(&G)",
                          "Principal Component Analysis(&S)", "Discriminant Analysis(&Z)",
                          "Random Numbers Table(&R)..."}));
    QCOMPARE(MenuTexts("&Correlation"),
             (QStringList{"Regression Line(&C)", "Regression Curve(&R)...", "Spearman's Rank Correlation(&S)",
                          "Kendall's Rank Correlation(&K)", "Multiple Regression Analysis(&M)",
                          "Logistic Regression Analysis(&L)", "Intraclass Correlation Coefficient(&I)"}));
    // The R code of the graphs is a submenu, whose mnemonics repeat the menu's own.
    const QStringList r = MenuTexts("&R Language");
    QCOMPARE(r.mid(r.size() - 3), (QStringList{"&Graph", "How To Use(&U)...", "Download R(&D)"}));
    QCOMPARE(r.count("Principal Component Analysis(&S)..."), 1);
    QVERIFY(!r.contains("Scatter Plot(&S)..."));
    QCOMPARE(MenuTexts("&Macro"), (QStringList{"Start Macro Record(&R)\tF11", "End Macro Record(&E)...\tF12",
                                               "Run Macro(&M)...\tCtrl+M", "Convert Previous Macro Files(&C)..."}));
    QCOMPARE(MenuTexts("&Window"), (QStringList{"Show Data Sheet Window(&D)\tEsc", "Show Result Window(&R)",
                                                "Run Windows Calculator(&C)"}));
    QCOMPARE(MenuTexts("&Help"),
             (QStringList{"About FreeORVEL(&A)...", "FreeORVEL Website(&J)...", "Help Topics(&H)"}));

    // Every accelerator, the second keys included.
    const auto keys = [this](const char* text) { return Action(text)->shortcuts(); };
    QCOMPARE(keys("&New"), QList<QKeySequence>{QKeySequence("Ctrl+N")});
    QCOMPARE(keys("&Open..."), QList<QKeySequence>{QKeySequence("Ctrl+O")});
    QCOMPARE(keys("&Save"), QList<QKeySequence>{QKeySequence("Ctrl+S")});
    QCOMPARE(keys("&Print..."), QList<QKeySequence>{QKeySequence("Ctrl+P")});
    QCOMPARE(keys("Copy(&C)"), (QList<QKeySequence>{QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Insert")}));
    QCOMPARE(keys("Cut(&T)"), (QList<QKeySequence>{QKeySequence("Ctrl+X"), QKeySequence("Shift+Delete")}));
    QCOMPARE(keys("Paste(&P)"), (QList<QKeySequence>{QKeySequence("Ctrl+V"), QKeySequence("Shift+Insert")}));
    QCOMPARE(keys("Delete(&D)"), QList<QKeySequence>{QKeySequence(Qt::Key_Delete)});
    QCOMPARE(keys("&Undo"), (QList<QKeySequence>{QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}));
    QCOMPARE(keys("End Macro Record(&E)..."), QList<QKeySequence>{QKeySequence(Qt::Key_F12)});
    QCOMPARE(keys("Help Topics(&H)"), QList<QKeySequence>{QKeySequence(Qt::Key_F1)});
    QVERIFY(!Action("&Undo")->isEnabled());  // nothing to undo: the keys do nothing

    const std::vector<std::pair<const char*, const char*>> prompts = {
        {"Open Text File(&F)...", "Open a textfile"},
        {"Save Data Sheet As Text File(&D)...", "Save the active data sheet as a textfile"},
        {"Save Result As Text File(&T)...", "Save the active result as a textfile"},
        {"Save Graph As Enhanced Meta File(&G)...", "Save the active graph as an enhanced metafile"},
        {"Fill Right(&R)", "Fill right in datasheet"},
        {"Fill Left(&L)", "Fill left in datasheet"},
        {"Fill Up(&U)", "Fill up in datasheet"},
        {"Fill Down(&B)", "Fill down in datasheet"},
        {"Delete(&D)", "Dlete data"},
        {"Sort(&S)...", "Sort data"},
        {"Number of Rows(&N)...", "Set the number of rows"},
        {"Start Macro Record(&R)", "Start Macro Record"},
        {"End Macro Record(&E)...", "End Macro Record"},
        {"Run Macro(&M)...", "Run Macro File"},
        {"Convert Previous Macro Files(&C)...", "Convert Previous Macro Files into New Ones"},
        {"Show Data Sheet Window(&D)", "Return to datasheet"},
        {"Show Result Window(&R)", "Show result"},
        {"Run Windows Calculator(&C)", "Run Windows calculator"},
        {"Fisher's Exact Test(2x2)(&E)", "Data : Selected Cells (2x2)"},
        {"TwowayANOVA(&A)...", "Data : Twoway Data"},
        {"Random Numbers Table(&R)...", "Data : None"},
        {"Intraclass Correlation Coefficient(&I)", "Data : Oneway Three Groups or More"},
        {"Scatter Plot Matrix(&M)...", "Data : Independent Variables of Multiple Regression Data"},
    };
    for (const auto& [text, prompt] : prompts) QCOMPARE(Action(text)->statusTip(), QString(prompt));
    // The toolbar names a command without its mnemonic.
    QCOMPARE(Action("Show Data Sheet Window(&D)")->toolTip(), QString("Show Data Sheet Window"));
  }

  void sheetKeysEditAndMoveAsTheViewSays() {
    ActivateWindow();
    CORVELDoc& doc = frame_->Doc();
    QWidget* pane = frame_->Pane();
    doc.SetCell(1, 1, "345");
    frame_->View().IsRecording = true;
    QTest::keyClicks(pane, "1 2");  // the first key replaces the text; a blank is never typed
    QCOMPARE(doc.Text(1, 1), std::string_view("12"));
    QTest::keyClick(pane, Qt::Key_Backspace);
    QCOMPARE(doc.Text(1, 1), std::string_view("1"));
    // Alt+Backspace is Undo, which does nothing; Tab types nothing and keeps the keys here.
    QTest::keyClick(pane, Qt::Key_Backspace, Qt::AltModifier);
    QTest::keyClick(pane, Qt::Key_Tab);
    QCOMPARE(doc.Text(1, 1), std::string_view("1"));
    QCOMPARE(QApplication::focusWidget(), pane);
    QTest::keyClick(pane, Qt::Key_Return);
    QCOMPARE(frame_->View().MacroText, std::string("cell(1,1)=\"1\";\r\nselectcell (1,2)::(1,2);\r\n"));

    // Alt with an arrow neither moves nor scrolls (nor records).
    frame_->View().MacroText.clear();
    QTest::keyClick(pane, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(pane, Qt::Key_PageDown, Qt::AltModifier);
    QCOMPARE(doc.GetSelection().anchor_row, 2);
    QCOMPARE(doc.Scroll.sheet_y, 0.0);
    QVERIFY(frame_->View().MacroText.empty());

    QTest::keyClick(pane, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(doc.GetSelection().anchor_column, 1);
    QCOMPARE(doc.GetSelection().end_column, 2);
    QTest::keyClick(pane, Qt::Key_PageDown);
    QVERIFY(doc.Scroll.sheet_y > 0);
    QCOMPARE(doc.GetSelection().anchor_row, static_cast<int>(doc.Scroll.sheet_y / 20) + 1);
    QTest::keyClick(pane, Qt::Key_Right);
    QTest::keyClick(pane, Qt::Key_Home);
    QCOMPARE(doc.GetSelection().anchor_column, 1);
    QVERIFY(doc.Scroll.sheet_y > 0);
    QTest::keyClick(pane, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(doc.GetSelection().anchor_row, 1);
    QCOMPARE(doc.Scroll.sheet_y, 0.0);
    frame_->View().IsRecording = false;

    // The Delete key is the Delete command: it asks first.
    SeenBox seen;
    AnswerBox(seen, QMessageBox::Ok);
    QTest::keyClick(pane, Qt::Key_Delete);
    QCOMPARE(seen.text, QString("Are you sure that you would like to delete the data of the selected cells?"));
    QCOMPARE(doc.Text(1, 1), std::string_view(""));
  }

  void dataSettingsDialogsStoreAndRecordOnOkOnly() {
    CORVELDoc& doc = frame_->Doc();
    CORVELView& view = frame_->View();
    doc.SetCell(3, 0, "before");
    view.IsRecording = true;
    WhenModalShows([](QWidget* w) {
      QCOMPARE(w->windowTitle(), QString("Data Setting for Oneway Two Groups"));
      auto* x = w->findChild<QComboBox*>("x");
      QCOMPARE(x->currentText(), QString("Col  1 : "));
      QCOMPARE(x->itemText(2), QString("Col  3 : before"));
      x->setCurrentIndex(2);
      w->findChild<QComboBox*>("y")->setCurrentIndex(4);
      static_cast<QDialog*>(w)->accept();
    });
    Action("Oneway Two Groups(&X)...")->trigger();
    QCOMPARE(doc.TwoGroupX(), 3);
    QCOMPARE(doc.TwoGroupY(), 5);
    QCOMPARE(view.MacroText, std::string("setxvalue (3);\r\nsetyvalue (5);\r\n"));

    view.MacroText.clear();
    WhenModalShows([](QWidget* w) {
      auto* data = w->findChild<QListWidget*>("data_list");
      for (int row : {3, 0, 2}) data->item(row)->setSelected(true);
      w->findChild<QPushButton*>("add")->click();
      w->findChild<QPushButton*>("add")->click();  // nothing twice
      auto* selected = w->findChild<QListWidget*>("selected_list");
      QCOMPARE(selected->count(), 3);
      selected->setCurrentRow(1);
      w->findChild<QPushButton*>("remove")->click();
      static_cast<QDialog*>(w)->accept();
    });
    Action("Oneway  Three Groups or More(&O)...")->trigger();
    QCOMPARE(doc.GroupColumnList(), (std::vector<int>{1, 4}));
    QVERIFY(view.MacroText.find("setonefactor (1,true);\r\nsetonefactor (2,false);\r\n") == 0);
    QVERIFY(view.MacroText.find("setonefactor (4,true);") != std::string::npos);

    view.MacroText.clear();
    WhenModalShows([](QWidget* w) {
      QVERIFY(w->findChild<QRadioButton*>("not_included")->isChecked());
      w->findChild<QRadioButton*>("included")->setChecked(true);
      static_cast<QDialog*>(w)->reject();
    });
    Action("Option for Object Data(&P)...")->trigger();
    QVERIFY(!doc.IncludeDataInResult());
    QVERIFY(view.MacroText.empty());
    WhenModalShows([](QWidget* w) {
      w->findChild<QRadioButton*>("included")->setChecked(true);
      static_cast<QDialog*>(w)->accept();
    });
    Action("Option for Object Data(&P)...")->trigger();
    QVERIFY(doc.IncludeDataInResult());
    QCOMPARE(view.MacroText, std::string("setdatatoresult (true);\r\n"));
    view.IsRecording = false;
  }

  void pasteFollowsTheSystemClipboard() {
    QGuiApplication::clipboard()->clear();
    QVERIFY(!Action("Paste(&P)")->isEnabled());
    QGuiApplication::clipboard()->setText("5\t6\n7\t8\n");
    QVERIFY(Action("Paste(&P)")->isEnabled());  // no menu opened in between
    Action("Paste(&P)")->trigger();
    QCOMPARE(frame_->Doc().Value(2, 2), 8.0);
    QCOMPARE(frame_->Doc().GetSelection().end_column, 2);
    // Copy puts the selection back as tab-separated text.
    QGuiApplication::clipboard()->clear();
    Action("Copy(&C)")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("5\t6\r\n7\t8\r\n"));
  }

  // Copy in a graph puts the picture on the system clipboard in each of its formats.
  void copyInAGraphPutsThePictureOnTheClipboard() {
    TypeColumn(1, {"1", "2", "3", "4", "5"});
    frame_->Doc().SetSelection(1, 1, 1, 1);
    WhenModalShows([](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
    Action("Histogram(&H)...")->trigger();
    QCOMPARE(frame_->Doc().DisplayMode, DisplayKind::kHistogram);
    QGuiApplication::clipboard()->setText("old");
    Action("Copy(&C)")->trigger();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data->hasImage());
    QCOMPARE(qvariant_cast<QImage>(data->imageData()).size(), QSize(600, 450));
    QVERIFY(data->data("image/svg+xml").startsWith("<?xml"));
    QVERIFY(data->data("image/x-emf").startsWith(QByteArray("\x01\x00\x00\x00", 4)));
    QVERIFY(!data->hasText());
  }

  void theAboutBoxNamesTheVersion() {
    SeenBox seen;
    AnswerBox(seen, QMessageBox::Ok);
    Action("About FreeORVEL(&A)...")->trigger();
    QCOMPARE(seen.title, QString("About FreeORVEL"));
    QCOMPARE(seen.text, QString("FreeORVEL Version 22.0E"));
  }

  void theManualShipsWithTheProgram() {
    const QString path = ManualIndexPath();
    QVERIFY(!path.isEmpty());
    QVERIFY(path.endsWith("/index.html"));
    QVERIFY(QFileInfo(path).isFile());
  }

  void aRefusalIsAMessageBoxWithItsTitle() {
    frame_->Doc().SetAnchor(1, 0);  // the label column
    SeenBox seen;
    AnswerBox(seen, QMessageBox::Ok);
    Action("Summary Statistics(&B)")->trigger();
    QCOMPARE(seen.title, QString("FreeORVEL"));
    QCOMPARE(seen.text, QString("Select a column but a label column."));
    QCOMPARE(frame_->Doc().DisplayMode, DisplayKind::kDataSheet);
    QVERIFY(frame_->Doc().ResultText.empty());
  }

  void frequencyDialogRefusesThenAccepts() {
    TypeColumn(1, {"1", "2", "3", "4", "5", "6", "7", "8"});
    QStringList refusals;
    ModelDialog::SetRefusalHandler([&refusals](QWidget*, const std::string& r) { refusals << QString::fromStdString(r); });
    WhenModalShows([](QWidget* w) {
      QCOMPARE(w->windowTitle(), QString("Setting for Frequency Distribution"));
      auto* classes = w->findChild<QLineEdit*>("classes");
      classes->setText("30");
      static_cast<QDialog*>(w)->accept();
      QVERIFY(w->isVisible());
      classes->setText(QString::number(7));
      static_cast<QDialog*>(w)->accept();
    });
    // Changing the number of classes asks whether to adjust the settings: No.
    SeenBox question;
    QTimer::singleShot(50, [&question] { AnswerBox(question, QMessageBox::No); });
    Action("Frequency Distribution(&C)...")->trigger();
    QCOMPARE(refusals.size(), 1);
    QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(frame_->Doc().DisplayMode, DisplayKind::kResult);
    QVERIFY(frame_->Doc().ResultText.find("Frequency") != std::string::npos);
    ModelDialog::SetRefusalHandler(nullptr);
  }

  void resultKeysAndScrollBarsMoveThePanes() {
    for (int i = 0; i < 500; ++i) frame_->Doc().ResultText += "line\n";
    frame_->Doc().DisplayMode = DisplayKind::kResult;
    frame_->Pane()->Refresh();
    QTest::keyClick(frame_->Pane(), Qt::Key_PageDown);
    QCOMPARE(frame_->Doc().Scroll.result_y, double(frame_->Pane()->viewport()->height()));
    QTest::keyClick(frame_->Pane(), Qt::Key_Right);
    QCOMPARE(frame_->Doc().Scroll.result_x, 86.0);
    // The bars show the offsets as percentages of 430 and 4000.
    QCOMPARE(frame_->Pane()->horizontalScrollBar()->value(), 20);
    QTest::keyClick(frame_->Pane(), Qt::Key_Home);
    QCOMPARE(frame_->Doc().Scroll.result_y, 0.0);
    frame_->Pane()->verticalScrollBar()->setValue(50);
    QCOMPARE(frame_->Doc().Scroll.result_y, 2000.0);

    QTest::keyClick(frame_->Pane(), Qt::Key_Escape);
    QCOMPARE(frame_->Doc().DisplayMode, DisplayKind::kDataSheet);
    QCOMPARE(frame_->Doc().Scroll.result_y, 0.0);  // zeroed by Show Data Sheet
    frame_->Pane()->verticalScrollBar()->setValue(50);
    QCOMPARE(frame_->Doc().Scroll.sheet_y, 5000.0);
    frame_->Pane()->horizontalScrollBar()->setValue(100);
    QCOMPARE(frame_->Doc().Scroll.sheet_x, 1720.0);
    QVERIFY(InkedPixels(frame_->Pane()->Render(QSize(640, 480))) > 1000);
  }

  void availabilityFollowsTheState() {
    frame_->UpdateCommandStates();
    QVERIFY(Action("&New")->isEnabled());
    QVERIFY(Action("Start Macro Record(&R)")->isEnabled());
    QVERIFY(!Action("End Macro Record(&E)...")->isEnabled());
    QVERIFY(!Action("Show Data Sheet Window(&D)")->isEnabled());
    frame_->View().IsRecording = true;
    frame_->UpdateCommandStates();
    for (const char* off : {"&New", "&Open...", "&Save", "Save &As...", "Open Text File(&F)...",
                            "Start Macro Record(&R)", "Run Macro(&M)..."})
      QVERIFY2(!Action(off)->isEnabled(), off);
    QVERIFY(Action("End Macro Record(&E)...")->isEnabled());
    QVERIFY(Action("Summary Statistics(&B)")->isEnabled());
    frame_->View().IsRecording = false;

    // The rules themselves are the core's (tests/app/command_availability_test.cpp); here the
    // display mode and the clipboard reach them.
    frame_->Doc().DisplayMode = DisplayKind::kTwowayGrid;
    QGuiApplication::clipboard()->setText("1");
    frame_->UpdateCommandStates();
    QVERIFY(!Action("Copy(&C)")->isEnabled());
    QVERIFY(!Action("Paste(&P)")->isEnabled());
    QVERIFY(Action("Delete(&D)")->isEnabled());
    frame_->Doc().DisplayMode = DisplayKind::kDataSheet;
    frame_->UpdateCommandStates();
    QVERIFY(Action("Paste(&P)")->isEnabled());
  }

  void aRunningMacroHoldsCommandsBackAndStopsOnEsc() {
    TypeColumn(1, {"1", "2", "3", "4"});
    frame_->Port().BeginMacroRun();
    Action("Summary Statistics(&B)")->trigger();  // ignored while the macro runs
    QVERIFY(frame_->Doc().ResultText.empty());
    QVERIFY(!frame_->Port().ShouldStopMacro());
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(frame_->Pane()->viewport(), &press);
    QCOMPARE(frame_->Doc().DisplayMode, DisplayKind::kDataSheet);
    QVERIFY(frame_->Port().ShouldStopMacro());
    frame_->Port().EndMacroRun();
    QVERIFY(!frame_->Port().ShouldStopMacro());
  }

  void aMacroFromTheMenuRunsTheSameCommands() {
    QTemporaryDir dir;
    const QString macro = dir.filePath("m.ovm");
    QFile file(macro);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("cell(1,1)=\"4\";cell(1,2)=\"6\";cell(1,3)=\"8\";selectcell (1,1)::(1,1);basic();");
    file.close();
    ChooseFileInNextDialog(macro);
    Action("Run Macro(&M)...")->trigger();
    QVERIFY(!frame_->Port().IsMacroRunning());
    QCOMPARE(frame_->Doc().DisplayMode, DisplayKind::kResult);
    QVERIFY(frame_->Doc().ResultText.find("Mean\t\t6.000000") != std::string::npos);
  }

  void openingADocumentRemembersItAndTitlesTheWindow() {
    QTemporaryDir dir;
    const QString path = dir.filePath("heights.ovd");
    {
      CORVELDoc doc;
      doc.SetCell(1, 1, "170");
      QVERIFY(SaveDocumentFile(path.toStdString(), doc).ok);
    }
    frame_->OpenDocument(path);
    QCOMPARE(frame_->Doc().Text(1, 1), std::string_view("170"));
    QCOMPARE(frame_->windowTitle(), QString("FreeORVEL 22.0E-heights.ovd"));
    QCOMPARE(frame_->RecentFiles().value(0), QFileInfo(path).absoluteFilePath());
  }

  void closingAModifiedDocumentAsksAndCancelKeepsTheWindow() {
    frame_->Doc().SetModified();
    SeenBox seen;
    AnswerBox(seen, QMessageBox::Cancel);
    QVERIFY(!frame_->close());
    QCOMPARE(seen.text, QString("Save changes to Untitled?"));
    QVERIFY(frame_->isVisible());
    AnswerBox(seen, QMessageBox::No);
    QVERIFY(frame_->close());
  }
};

static Register<MainFrameTest> registration;

}  // namespace orvel::gui::testing

#include "main_frame_test.moc"
