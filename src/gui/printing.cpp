#include "gui/printing.h"

#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <algorithm>

#include "app/print_layout.h"
#include "gui/qt_canvas.h"

namespace orvel::gui {

bool PrintPane(const CORVELDoc& doc, QPrinter& printer, const Printout::GraphDrawer& graph) {
  const Printout printout(doc, graph);
  const int count = printout.PageCount();
  int first = 1, last = count;
  if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
    first = std::max(1, printer.fromPage());
    last = printer.toPage() > 0 ? std::min(count, printer.toPage()) : count;
  }
  if (first > last) return false;

  QPainter painter;
  if (!painter.begin(&printer)) return false;
  // The painter's origin is the printable area's top left corner.
  const QRectF area = printer.pageRect(QPrinter::DevicePixel);
  const PrintPageGeometry geometry{area.width(), area.height(), static_cast<double>(printer.resolution())};
  for (int page = first; page <= last; ++page) {
    if (page > first && !printer.newPage()) break;
    QtCanvas canvas(painter, geometry.width, geometry.height);
    printout.DrawPage(canvas, geometry, page);
  }
  return painter.end();
}

QPrinter& PrintCommands::Printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

bool PrintCommands::Print(const CORVELDoc& doc, QWidget* parent, const Printout::GraphDrawer& graph) {
  QPrinter& printer = Printer();
  printer.setPrintRange(QPrinter::AllPages);
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setMinMax(1, Printout(doc).PageCount());
  if (dialog.exec() != QDialog::Accepted) return false;
  if (PrintPane(doc, printer, graph)) return true;
  const QString target = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
  QMessageBox::warning(parent, "FreeORVEL", "The document could not be printed on " + target + ".");
  return false;
}

void PrintCommands::Preview(const CORVELDoc& doc, QWidget* parent, const Printout::GraphDrawer& graph) {
  // The preview shows every page, whatever range the last print used.
  QPrinter& printer = Printer();
  printer.setPrintRange(QPrinter::AllPages);
  QPrintPreviewDialog dialog(&printer, parent);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&doc, &graph](QPrinter* printer) { PrintPane(doc, *printer, graph); });
  dialog.exec();
}

void PrintCommands::Setup(QWidget* parent) {
  QPageSetupDialog dialog(&Printer(), parent);
  dialog.exec();
}

}  // namespace orvel::gui
