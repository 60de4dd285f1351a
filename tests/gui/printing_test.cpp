// Printing on the offscreen platform: the shown pane to a PDF file, page by page, and the File
// menu's Print, Print Preview and Print Setup with their dialogs.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <memory>
#include <string>

#include "gui/main_frame.h"
#include "gui/printing.h"
#include "gui_tests.h"

namespace orvel::gui::testing {

namespace {
std::string NumberedLines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\tvalue\t" + std::to_string(i * 3) + "\n";
  return text;
}

void FillColumns(CORVELDoc& doc, std::initializer_list<int> columns, int rows) {
  for (int c : columns) {
    doc.SetCell(c, 0, "col" + std::to_string(c));
    for (int r = 1; r <= rows; ++r) doc.SetCell(c, r, std::to_string(r * c));
  }
}

struct PdfFile {
  int pages = -1;       // page objects ("/Type /Page", not "/Pages")
  bool has_font = false;  // a font was embedded: text was drawn
};

// Prints the document's pane as a PDF file in `dir` and reads the file back.
PdfFile PrintToPdf(const CORVELDoc& doc, const QTemporaryDir& dir, const QString& name, int from = 0, int to = 0) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const QString path = dir.filePath(name);
  printer.setOutputFileName(path);
  if (from > 0) {
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(from, to);
  }
  PdfFile pdf;
  if (!PrintPane(doc, printer)) return pdf;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return pdf;
  const QString bytes = QString::fromLatin1(file.readAll());
  pdf.pages = static_cast<int>(bytes.count(QRegularExpression("/Type\\s*/Page(?!s)")));
  pdf.has_font = bytes.contains("/FontFile") || bytes.contains("/BaseFont");
  return pdf;
}
}  // namespace

class PrintingTest : public QObject {
  Q_OBJECT
 private slots:
  void resultAndSheetPrintTheirPagesToPdf() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    CORVELDoc doc;
    doc.DisplayMode = DisplayKind::kResult;
    doc.ResultText = NumberedLines(120);
    PdfFile pdf = PrintToPdf(doc, dir, "result.pdf");
    QCOMPARE(pdf.pages, 3);
    QVERIFY(pdf.has_font);
    doc.ResultText = NumberedLines(50);
    QCOMPARE(PrintToPdf(doc, dir, "result50.pdf").pages, 1);

    doc.DisplayMode = DisplayKind::kDataSheet;
    FillColumns(doc, {1, 2, 5, 8}, 25);
    doc.SetCell(3, 0, "label only");
    pdf = PrintToPdf(doc, dir, "sheet.pdf");
    QCOMPARE(pdf.pages, 2);
    QVERIFY(pdf.has_font);
    FillColumns(doc, {9, 10}, 3);
    QCOMPARE(PrintToPdf(doc, dir, "sheet6.pdf").pages, 2);
    FillColumns(doc, {11}, 3);
    QCOMPARE(PrintToPdf(doc, dir, "sheet7.pdf").pages, 3);
  }

  void aPageRangePrintsOnlyThosePagesAndAGraphOneEmptyPage() {
    QTemporaryDir dir;
    CORVELDoc doc;
    doc.DisplayMode = DisplayKind::kResult;
    doc.ResultText = NumberedLines(220);  // 5 pages
    QCOMPARE(PrintToPdf(doc, dir, "range.pdf", 2, 3).pages, 2);
    QCOMPARE(PrintToPdf(doc, dir, "tail.pdf", 4, 9).pages, 2);
    // A range beyond the last page prints nothing.
    QCOMPARE(PrintToPdf(doc, dir, "none.pdf", 6, 7).pages, -1);
    QVERIFY(!QFile::exists(dir.filePath("none.pdf")));

    doc.DisplayMode = DisplayKind::kScatterPlot;
    const PdfFile graph = PrintToPdf(doc, dir, "graph.pdf");
    QCOMPARE(graph.pages, 1);
    QVERIFY(!graph.has_font);
  }

  void menuEntriesFollowTheDisplayModeAndRecording() {
    CMainFrame frame;
    QAction* print = frame.FindAction("&Print...");
    QAction* preview = frame.FindAction("Print Pre&view");
    QAction* setup = frame.FindAction("P&rint Setup...");
    QVERIFY(print && preview && setup);
    QCOMPARE(print->shortcut(), QKeySequence("Ctrl+P"));
    const auto states = [&](int mode, bool recording) {
      frame.Doc().DisplayMode = static_cast<DisplayKind>(mode);
      frame.View().IsRecording = recording;
      frame.UpdateCommandStates();
      return QString("%1%2%3").arg(print->isEnabled()).arg(preview->isEnabled()).arg(setup->isEnabled());
    };
    QCOMPARE(states(0, false), QString("111"));
    QCOMPARE(states(1, false), QString("111"));
    QCOMPARE(states(3, false), QString("111"));
    QCOMPARE(states(5, false), QString("001"));
    QCOMPARE(states(0, true), QString("000"));
    QCOMPARE(states(1, true), QString("000"));
    frame.View().IsRecording = false;
    frame.Doc().DisplayMode = DisplayKind::kDataSheet;
  }

  void theCommandsOpenTheirDialogs() {
    CMainFrame frame;
    frame.resize(800, 600);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    frame.Doc().DisplayMode = DisplayKind::kResult;
    frame.Doc().ResultText = NumberedLines(120);
    frame.UpdateCommandStates();

    // The print dialog offers the pages there are; cancelling prints nothing.
    int max_page = -1;
    QString seen;
    WhenModalShows([&](QWidget* w) {
      seen = w->inherits("QPrintDialog") ? "print" : w->metaObject()->className();
      if (auto* dialog = qobject_cast<QPrintDialog*>(w)) max_page = dialog->maxPage();
      if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->reject();
    });
    QTest::keyClick(frame.Pane(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(seen, QString("print"));
    QCOMPARE(max_page, 3);

    // The preview lays out every page of the shown pane.
    int preview_pages = -1;
    seen.clear();
    WhenModalShows([&](QWidget* w) {
      seen = w->metaObject()->className();
      if (auto* widget = w->findChild<QPrintPreviewWidget*>()) preview_pages = widget->pageCount();
      if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->reject();
    });
    frame.FindAction("Print Pre&view")->trigger();
    QCOMPARE(seen, QString("QPrintPreviewDialog"));
    QCOMPARE(preview_pages, 3);

    seen.clear();
    int paper_sizes = 0;
    WhenModalShows([&](QWidget* w) {
      seen = w->inherits("QPageSetupDialog") ? "setup" : w->metaObject()->className();
      // It offers the paper sizes to choose from, also when the printer is the PDF writer.
      for (auto* box : w->findChildren<QComboBox*>()) paper_sizes = std::max(paper_sizes, box->count());
      if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->reject();
    });
    frame.FindAction("P&rint Setup...")->trigger();
    QCOMPARE(seen, QString("setup"));
    QVERIFY2(paper_sizes > 5, QByteArray::number(paper_sizes));
    frame.Doc().SetModified(false);
  }
};

static Register<PrintingTest> registration;

}  // namespace orvel::gui::testing

#include "printing_test.moc"
