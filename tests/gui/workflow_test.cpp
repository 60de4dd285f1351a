// Whole sessions in the window with real input: the mouse on the sheet's column borders, keys
// through the window's shortcuts and the system clipboard, a macro recorded from the menus and
// replayed on a new sheet, and every pane grabbed from the widget into a PNG file.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <string>

#include "app/sheet_geometry.h"
#include "gui/main_frame.h"
#include "gui_tests.h"

namespace orvel::gui::testing {

namespace {
// Presses a standard button of the next message box and keeps its text.
void PressOnNextBox(QString* text, QMessageBox::StandardButton press, std::function<void()> then = {}) {
  WhenModalShows([text, press, then](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    if (box == nullptr) return static_cast<QDialog*>(w)->reject();
    if (text != nullptr) *text = box->text();
    if (then) then();
    box->button(press)->click();
  });
}

// Answers every modal window until stopped: message boxes with their OK (or Yes) button, any
// other dialog with OK as preset. Keeps what each message box said.
class ModalAnswerer {
 public:
  ModalAnswerer() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr) return;
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        messages << box->text();
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        if (ok == nullptr) ok = box->button(QMessageBox::Yes);
        if (ok != nullptr) ok->click();
        else box->reject();
      } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialogs << dialog->windowTitle();
        dialog->accept();
      }
    });
    timer_.start(5);
  }
  QStringList messages, dialogs;

 private:
  QTimer timer_;
};
}  // namespace

class WorkflowTest : public QObject {
  Q_OBJECT
 private:
  std::unique_ptr<CMainFrame> frame_;

  QWidget* Viewport() { return frame_->Pane()->viewport(); }
  QAction* Action(const char* text) {
    QAction* a = frame_->FindAction(text);
    if (a == nullptr) qFatal("no menu entry %s", text);
    return a;
  }
  // A key as the user presses it: to the focused pane, through the window's shortcut map. The
  // offscreen platform has no window manager to hand activation back after a dialog closed.
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    if (!frame_->isActiveWindow()) {
      frame_->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
    }
    Viewport()->setFocus();
    QTest::keyClick(Viewport(), static_cast<Qt::Key>(key), modifiers);
  }
  void Type(const char* text) {
    QTest::keyClicks(Viewport(), QString::fromUtf8(text));
    Key(Qt::Key_Return);
  }
  QPoint CellCentre(int column, int row) {
    const CORVELDoc& doc = frame_->Doc();
    return {(ColumnLeft(doc, column) + ColumnRight(doc, column)) / 2, (RowTop(doc, row) + RowBottom(doc, row)) / 2};
  }
  QPoint ColumnHeader(int column) { return {CellCentre(column, 1).x(), kColumnHeaderHeight / 2}; }

 private slots:
  void init() {
    QSettings().clear();
    QSettings("ORVEL", "ORVEL").clear();
    frame_ = std::make_unique<CMainFrame>();
    frame_->resize(1024, 768);
    frame_->show();
    QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
    Viewport()->setFocus();
  }
  void cleanup() {
    frame_->Doc().SetModified(false);
    frame_.reset();
  }

  void draggingAColumnBorderResizesTheColumnAndADoubleClickFitsIt() {
    CORVELDoc& doc = frame_->Doc();
    CORVELView& view = frame_->View();
    view.IsRecording = true;
    view.MacroText.clear();
    const int before = doc.ColumnWidth(2);
    const QPoint border(ColumnRight(doc, 2), kColumnHeaderHeight / 2);
    QTest::mousePress(Viewport(), Qt::LeftButton, Qt::NoModifier, border);
    QCOMPARE(Viewport()->cursor().shape(), Qt::SplitHCursor);
    // The border follows the pointer while the button is down: a vertical line is drawn there.
    QMouseEvent move(QEvent::MouseMove, QPointF(border.x() + 57, 200), Viewport()->mapToGlobal(QPointF(border.x() + 57, 200)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Viewport(), &move);
    const QImage dragging = frame_->Pane()->Render(Viewport()->size());
    QCOMPARE(dragging.pixel(border.x() + 57, 500), qRgb(0, 0, 0));
    QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(border.x() + 57, 10));
    QCOMPARE(doc.ColumnWidth(2), before + 57);
    QCOMPARE(Viewport()->cursor().shape(), Qt::ArrowCursor);
    // Column 3 moved right with the border; the selection stayed where it was.
    QCOMPARE(ColumnLeft(doc, 3), ColumnRight(doc, 2));
    QCOMPARE(doc.GetSelection().anchor_column, 1);

    // A double click on the border fits the column to its longest text.
    doc.SetCell(2, 4, "12345678901234");
    QTest::mouseDClick(Viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(ColumnRight(doc, 2), 10));
    const int fitted = doc.ColumnWidth(2);
    QCOMPARE(fitted, 16 * frame_->Port().AverageCharWidth());
    QCOMPARE(QString::fromStdString(view.MacroText),
             QString("setcolwidth (2,%1);\r\nsetcolwidth (2,%2);\r\n").arg(before + 57).arg(fitted));
    view.IsRecording = false;
  }

  void keyboardCopyAndPasteGoThroughTheSystemClipboard() {
    // Type a 2 x 3 block, select it with Shift+arrows and copy it with Ctrl+C.
    Type("1.5");
    Type("2");
    Type("-3");
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(2, 1));
    Type("10");
    Type("20");
    Type("30");
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(1, 1));
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    QGuiApplication::clipboard()->clear();
    Key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("1.5\t10\r\n2\t20\r\n-3\t30\r\n"));

    // Text another program put there (a spreadsheet's block, LF line ends) pastes with Shift+Insert.
    QGuiApplication::clipboard()->setText("7\t8\n9\t\n");
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(4, 2));
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    CORVELDoc& doc = frame_->Doc();
    QCOMPARE(doc.Value(4, 2), 7.0);
    QCOMPARE(doc.Value(5, 2), 8.0);
    QCOMPARE(doc.Value(4, 3), 9.0);
    QVERIFY(doc.Text(5, 3).empty());
    QVERIFY(doc.IsModified());

    // Ctrl+X takes the block out; Ctrl+V puts it back elsewhere.
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(1, 1));
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_X, Qt::ControlModifier);
    QVERIFY(doc.Text(1, 1).empty());
    QVERIFY(doc.Text(1, 2).empty());
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("1.5\r\n2\r\n"));
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(7, 5));
    Key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(doc.Text(7, 5), std::string_view("1.5"));
    QCOMPARE(doc.Text(7, 6), std::string_view("2"));
  }

  void aMacroRecordedFromTheMenusReplaysOnANewSheet() {
    QTemporaryDir dir;
    const QString macro = dir.filePath("session.ovm");
    CORVELDoc& doc = frame_->Doc();

    // F11 starts recording and asks for an explanation.
    WhenModalShows([](QWidget* w) {
      auto* edit = w->findChild<QLineEdit*>("text");
      if (edit != nullptr) edit->setText("Heights of six plants");
      static_cast<QDialog*>(w)->accept();
    });
    Key(Qt::Key_F11);
    QVERIFY(frame_->View().IsRecording);
    QVERIFY(!Action("Run Macro(&M)...")->isEnabled());

    // Data typed into column 3, the column chosen with its header, two analyses from the menus.
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(3, 1));
    for (const char* v : {"12.5", "14", "11", "15.5", "13", "16"}) Type(v);
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, ColumnHeader(3));
    Action("Summary Statistics(&B)")->trigger();
    QCOMPARE(doc.DisplayMode, DisplayKind::kResult);
    Key(Qt::Key_Escape);
    QCOMPARE(doc.DisplayMode, DisplayKind::kDataSheet);
    // With a result on the pane the analysis first asks what to do with it: add to it.
    QString options_title;
    WhenModalShows([&options_title](QWidget* w) {
      options_title = w->windowTitle();
      static_cast<QDialog*>(w)->accept();
    });
    Action("Summary Statistics(&B)")->trigger();
    QCOMPARE(options_title, QString("Result Options"));
    const std::string recorded_result = doc.ResultText;
    const auto first = recorded_result.find("Mean\t\t13.666667");
    QVERIFY(first != std::string::npos);
    QVERIFY(recorded_result.find("Mean\t\t13.666667", first + 1) != std::string::npos);

    // F12 ends it: the save question, then the file dialog.
    QString question;
    PressOnNextBox(&question, QMessageBox::Ok, [macro] { ChooseFileInNextDialog(macro); });
    Key(Qt::Key_F12);
    QCOMPARE(question, QString("Will you save the present macro record?"));
    QVERIFY(!frame_->View().IsRecording);
    QFile file(macro);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY(text.startsWith("message(\"Heights of six plants\");\r\ndatainput;\r\n"));
    QVERIFY(text.contains("cell(3,6)=\"16\";\r\n"));
    QVERIFY(text.contains("basic();\r\n"));
    QVERIFY(text.contains("resultoption (0);\r\n"));
    QVERIFY(text.contains("datainput();\r\n"));

    // A new sheet (discarding the changes), then Ctrl+M replays the file.
    PressOnNextBox(nullptr, QMessageBox::No);
    Key(Qt::Key_N, Qt::ControlModifier);
    QVERIFY(doc.Text(3, 1).empty());
    QVERIFY(doc.ResultText.empty());
    QString shown;
    // The macro's first statement shows the explanation.
    ChooseFileInNextDialog(macro, [&shown] { PressOnNextBox(&shown, QMessageBox::Ok); });
    Key(Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(shown, QString("Heights of six plants"));
    QCOMPARE(doc.Text(3, 6), std::string_view("16"));
    QCOMPARE(doc.ResultText, recorded_result);
    QCOMPARE(doc.DisplayMode, DisplayKind::kResult);
    QVERIFY(!frame_->Port().IsMacroRunning());
  }

  void everyBuiltProcedureRunsFromItsMenu() {
    CORVELDoc& doc = frame_->Doc();
    const int values[3][12] = {{12, 15, 11, 18, 14, 16, 13, 17, 19, 12, 15, 14},
                               {22, 25, 21, 29, 24, 27, 20, 26, 28, 23, 25, 24},
                               {8, 9, 7, 12, 10, 11, 6, 9, 13, 8, 10, 9}};
    for (int c = 1; c <= 3; ++c)
      for (int r = 1; r <= 12; ++r) doc.SetCell(c, r, std::to_string(values[c - 1][r - 1]));
    doc.MutableSettings().TwoGroupX = 1;
    doc.MutableSettings().TwoGroupY = 2;
    for (int c = 1; c <= 3; ++c) doc.MutableSettings().GroupColumns[c] = 1;
    doc.SetTwowayGridCell(1, 1, 1);
    doc.SetTwowayGridCell(2, 1, 2);
    doc.SetTwowayGridCell(1, 2, 3);
    doc.SetTwowayGridCell(2, 2, 1);
    // A 0/1 response for both regressions, principal components of the three columns, and two
    // groups of two variables for the discriminant analysis.
    const int response[12] = {0, 1, 0, 1, 1, 0, 1, 0, 1, 0, 0, 1};
    for (int r = 1; r <= 12; ++r) doc.SetCell(4, r, std::to_string(response[r - 1]));
    doc.SetRegressionY(4);
    doc.SetRegressionXColumn(1, true);
    doc.SetRegressionXColumn(2, true);
    for (int c = 1; c <= 3; ++c) doc.SetPcaColumn(c, true);
    doc.SetDiscriminantSlot(1, 1, 1);
    doc.SetDiscriminantSlot(1, 2, 2);
    doc.SetDiscriminantSlot(2, 1, 3);
    doc.SetDiscriminantSlot(2, 2, 1);

    int ran = 0;
    for (const char* menu : {"&Statistics", "&Correlation"}) {
      QMenu* m = nullptr;
      for (QAction* a : frame_->menuBar()->actions())
        if (a->text() == menu) m = a->menu();
      QVERIFY(m != nullptr);
      for (QAction* action : m->actions()) {
        frame_->UpdateCommandStates();
        if (action->isSeparator() || !action->isEnabled()) continue;
        const QString name = action->text().section('\t', 0, 0);
        doc.DisplayMode = DisplayKind::kDataSheet;
        doc.ResultText.clear();
        // The cell procedures take the block they are given; the others the current column.
        if (name.startsWith("Fisher"))
          doc.SetSelection(1, 1, 2, 2);
        else if (name.startsWith("Pearson") || name.startsWith("TwowayANOVA without"))
          doc.SetSelection(1, 1, 4, 3);  // rows 1-4 of columns 1-3
        else
          doc.SetSelection(1, 1, 1, 1);
        ModalAnswerer answerer;
        action->trigger();
        QVERIFY2(answerer.messages.isEmpty(), qPrintable(name + ": " + answerer.messages.join(" | ")));
        QVERIFY2(!doc.ResultText.empty(), qPrintable(name));
        QVERIFY2(doc.DisplayMode == DisplayKind::kResult, qPrintable(name));
        // A menu text ending in "..." opens the procedure's dialog.
        QCOMPARE(answerer.dialogs.size(), name.endsWith("...") ? 1 : 0);
        ++ran;
      }
    }
    QCOMPARE(ran, 28);  // every procedure built so far
  }

  void aDocumentSavedWithCtrlSReopensWithCtrlO() {
    QTemporaryDir dir;
    const QString path = dir.filePath("plants.ovd");
    CORVELDoc& doc = frame_->Doc();
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(2, 0));
    Type("height");
    for (const char* v : {"12.5", "14"}) Type(v);
    doc.MutableSettings().TwoGroupX = 2;
    QVERIFY(doc.IsModified());
    // An untitled document asks where to save it.
    ChooseFileInNextDialog(path);
    Key(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QFile::exists(path));
    QVERIFY(!doc.IsModified());
    QCOMPARE(frame_->windowTitle(), QString("FreeORVEL 22.0E-plants.ovd"));

    Key(Qt::Key_N, Qt::ControlModifier);  // unmodified: no question
    QVERIFY(doc.Text(2, 1).empty());
    QCOMPARE(doc.Settings().TwoGroupX, 1);
    ChooseFileInNextDialog(path);
    Key(Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(doc.Text(2, 0), std::string_view("height"));
    QCOMPARE(doc.Text(2, 2), std::string_view("14"));
    QCOMPARE(doc.Settings().TwoGroupX, 2);
    QCOMPARE(frame_->windowTitle(), QString("FreeORVEL 22.0E-plants.ovd"));
    QCOMPARE(frame_->RecentFiles().value(0), QFileInfo(path).absoluteFilePath());
  }

  void everyPaneGrabsIntoAPngFile() {
    QTemporaryDir dir;
    CORVELDoc& doc = frame_->Doc();
    doc.SetCell(1, 0, "height");
    for (int r = 1; r <= 30; ++r) doc.SetCell(1, r, std::to_string(150 + r));
    doc.ResultText = "[Summary Statistics]\nNumber\t\t30\nMean\t\t165.500000\n";
    for (int mode : {0, 1, 5, 2, 3, 4, 6, 7, 8}) {
      doc.DisplayMode = static_cast<DisplayKind>(mode);
      frame_->Pane()->Refresh();
      const QImage grabbed = Viewport()->grab().toImage();
      QVERIFY(!grabbed.isNull());
      const QString path = dir.filePath(QString("pane%1.png").arg(mode));
      QVERIFY2(grabbed.save(path, "PNG"), qPrintable(path));
      QImage reread(path);
      QCOMPARE(reread.size(), grabbed.size());
      QCOMPARE(reread.convertToFormat(QImage::Format_RGB32), grabbed.convertToFormat(QImage::Format_RGB32));
      // The sheet, the result and the twoway grid are drawn; graphs have no drawing yet.
      if (mode == 0 || mode == 1 || mode == 5) QVERIFY2(InkedPixels(reread) > 500, qPrintable(QString::number(mode)));
      // Only the three text panes show scroll bars.
      const bool bars = mode == 0 || mode == 1 || mode == 5;
      QCOMPARE(frame_->Pane()->verticalScrollBar()->isVisible(), bars);
    }
    doc.DisplayMode = DisplayKind::kDataSheet;
  }
};

static Register<WorkflowTest> registration;

}  // namespace orvel::gui::testing

#include "workflow_test.moc"
